#include "analysis/DlgScale.h"

#include "app/core/DataFiles.h"
#include "app/core/LocaleFormat.h"
#include "app/core/Prompt.h"
#include "app/core/Settings.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

TDlgScale::TDlgScale(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Параметры сведения"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

    auto *temperature = new QGroupBox(QStringLiteral("Температура"), this);
    CheckBox1 = new QCheckBox(QStringLiteral("Авто масштаб"), temperature);
    CheckBox1->setChecked(true);
    Edit1 = new QLineEdit(QStringLiteral("20"), temperature);
    Edit2 = new QLineEdit(QStringLiteral("500"), temperature);
    auto *tLayout = new QFormLayout(temperature);
    tLayout->addRow(CheckBox1);
    tLayout->addRow(QStringLiteral("T min "), Edit1);
    tLayout->addRow(QStringLiteral("Tmax "), Edit2);

    auto *length = new QGroupBox(QStringLiteral("L"), this);
    CheckBox3 = new QCheckBox(QStringLiteral("Авто масштаб"), length);
    CheckBox3->setChecked(true);
    Edit3 = new QLineEdit(QStringLiteral("20"), length);
    Edit4 = new QLineEdit(QStringLiteral("500"), length);
    CheckBox4 = new QCheckBox(QStringLiteral("L от нуля"), length);
    CheckBox4->setChecked(true);
    auto *lLayout = new QFormLayout(length);
    lLayout->addRow(CheckBox3);
    lLayout->addRow(QStringLiteral("L min "), Edit3);
    lLayout->addRow(QStringLiteral("Lmax "), Edit4);
    lLayout->addRow(CheckBox4);

    auto *extra = new QGroupBox(QStringLiteral("Дополнительные параметры"), this);
    CheckBox2 = new QCheckBox(QStringLiteral("Метафайл"), extra);
    CheckBox5 = new QCheckBox(QStringLiteral("Базовая линия"), extra);
    Edit5 = new QLineEdit(extra);
    SpeedButton1 = new QToolButton(extra);
    SpeedButton1->setText(QStringLiteral("..."));
    SpeedButton1->setToolTip(QStringLiteral("Open"));
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(Edit5);
    fileRow->addWidget(SpeedButton1);
    auto *eLayout = new QVBoxLayout(extra);
    eLayout->addWidget(CheckBox2);
    eLayout->addWidget(CheckBox5);
    eLayout->addLayout(fileRow);

    // Texts of their own, as in the program's other dialogs: the toolkit's
    // standard buttons would follow its translation.
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(temperature);
    layout->addWidget(length);
    layout->addWidget(extra);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumSize(267, 321);

    connect(SpeedButton1, &QToolButton::clicked, this, &TDlgScale::SpeedButton1Click);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

namespace {

QString Limit(const std::optional<double> &value, int decimals)
{
    return value ? LocaleFixed(*value, 3, decimals) : QString();
}

std::optional<double> Limit(const QLineEdit *edit)
{
    double value = 0;
    if (!LocaleParseReal(edit->text(), value))
        return std::nullopt;
    return value;
}

} // namespace

void TDlgScale::Fill(const analysis::TSvedParams &params)
{
    Edit1->setText(Limit(params.TMin, 2));
    Edit2->setText(Limit(params.TMax, 2));
    Edit3->setText(Limit(params.LMin, 3));
    Edit4->setText(Limit(params.LMax, 3));
    Edit5->setText(params.BaseLineFile);
}

void TDlgScale::ReadBack(analysis::TSvedParams &params) const
{
    params.AutoT = CheckBox1->isChecked();
    params.TMin = Limit(Edit1);
    params.TMax = Limit(Edit2);
    params.AutoL = CheckBox3->isChecked();
    params.LMin = Limit(Edit3);
    params.LMax = Limit(Edit4);
    params.LFromZero = CheckBox4->isChecked();
    params.Metafile = CheckBox2->isChecked();
    params.Baseline = CheckBox5->isChecked();
    params.BaseLineFile = ShortString(Edit5->text());
}

void TDlgScale::SpeedButton1Click()
{
    if (const QString name = Prompt().OpenFileName(RunFileOpenOptions()); !name.isEmpty())
        Edit5->setText(name);
}
