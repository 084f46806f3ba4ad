#include "analysis/DlgScale.h"

#include "app/core/DataFiles.h"
#include "app/core/LocaleFormat.h"
#include "app/core/Prompt.h"
#include "app/core/Settings.h"
#include "app/widgets/DialogButtons.h"
#include "app/widgets/DialogFrame.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// A group of two rows: the controls of the first row side by side, then the
// fields of the second.
QGridLayout *GroupGrid(QGroupBox *group)
{
    auto *grid = new QGridLayout(group);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(3);
    return grid;
}

// A range: its two labelled fields on one row.
void AddRangeRow(QGridLayout *grid, int row, const QString &minText, QLineEdit *min, const QString &maxText,
                 QLineEdit *max)
{
    grid->addWidget(new QLabel(minText, min->parentWidget()), row, 0);
    grid->addWidget(min, row, 1);
    grid->addWidget(new QLabel(maxText, max->parentWidget()), row, 2);
    grid->addWidget(max, row, 3);
}

} // namespace

TDlgScale::TDlgScale(QWidget *parent) : QDialog(parent, kFixedDialogFlags)
{
    setWindowTitle(tr("Параметры сведения"));
    setFixedSize(267, 321);
    KeepCentredOnScreen(*this);

    auto *temperature = new QGroupBox(tr("Температура"), this);
    CheckBox1 = new QCheckBox(tr("Авто масштаб"), temperature);
    CheckBox1->setChecked(true);
    Edit1 = new QLineEdit(QStringLiteral("20"), temperature);
    Edit2 = new QLineEdit(QStringLiteral("500"), temperature);
    QGridLayout *tGrid = GroupGrid(temperature);
    tGrid->addWidget(CheckBox1, 0, 0, 1, 4);
    AddRangeRow(tGrid, 1, QStringLiteral("T min "), Edit1, QStringLiteral("Tmax "), Edit2);

    auto *length = new QGroupBox(QStringLiteral("L"), this);
    CheckBox3 = new QCheckBox(tr("Авто масштаб"), length);
    CheckBox3->setChecked(true);
    Edit3 = new QLineEdit(QStringLiteral("20"), length);
    Edit4 = new QLineEdit(QStringLiteral("500"), length);
    CheckBox4 = new QCheckBox(tr("L от нуля"), length);
    CheckBox4->setChecked(true);
    QGridLayout *lGrid = GroupGrid(length);
    lGrid->addWidget(CheckBox3, 0, 0, 1, 2);
    lGrid->addWidget(CheckBox4, 0, 2, 1, 2);
    AddRangeRow(lGrid, 1, QStringLiteral("L min "), Edit3, QStringLiteral("Lmax "), Edit4);

    auto *extra = new QGroupBox(tr("Дополнительные параметры"), this);
    CheckBox2 = new QCheckBox(tr("Метафайл"), extra);
    CheckBox5 = new QCheckBox(tr("Базовая линия"), extra);
    Edit5 = new QLineEdit(extra);
    SpeedButton1 = NewFileButton(extra, QStringLiteral("Open"));
    QGridLayout *eGrid = GroupGrid(extra);
    eGrid->addWidget(CheckBox2, 0, 0);
    eGrid->addWidget(CheckBox5, 0, 1, 1, 2);
    eGrid->addWidget(Edit5, 1, 0, 1, 2);
    eGrid->addWidget(SpeedButton1, 1, 2);

    QDialogButtonBox *buttons = NewOkCancelBox(*this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(temperature);
    layout->addWidget(length);
    layout->addWidget(extra);
    layout->addStretch();
    layout->addWidget(buttons);

    connect(SpeedButton1, &QToolButton::clicked, this, &TDlgScale::SpeedButton1Click);
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
