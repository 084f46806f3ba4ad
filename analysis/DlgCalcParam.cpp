#include "analysis/DlgCalcParam.h"

#include "app/core/DataFiles.h"
#include "app/core/LocaleFormat.h"
#include "app/core/Prompt.h"
#include "app/core/Settings.h"
#include "app/widgets/DialogButtons.h"
#include "app/widgets/DialogFrame.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>

TDlgCalcParam::TDlgCalcParam(QWidget *parent) : QDialog(parent, kFixedDialogFlags)
{
    setWindowTitle(tr("Параметры расчета"));
    setFixedSize(250, 231);
    KeepCentredOnScreen(*this);

    Edit1 = new QLineEdit(this);
    SpeedButton1 = NewFileButton(this, QStringLiteral("Open"));
    SpinEdit1 = new QSpinBox(this);
    SpinEdit1->setRange(analysis::kMinCalcPoints, analysis::kMaxCalcPoints);
    SpinEdit1->setValue(kDefaultCalcPoints);
    Edit2 = new QLineEdit(this);
    Edit3 = new QLineEdit(QStringLiteral("Edit3"), this);
    CheckBox1 = new QCheckBox(tr("Таблица"), this);
    SpeedButton2 = NewFileButton(this, QStringLiteral("Open"));
    SpeedButton2->setEnabled(false);
    Edit4 = new QLineEdit(this);
    CheckBox2 = new QCheckBox(tr("dL от нуля"), this);
    CheckBox3 = new QCheckBox(tr("dLQ от нуля"), this);
    QDialogButtonBox *buttons = NewOkCancelBox(*this);

    // Top to bottom in 250 x 231: each label beside its field, the two
    // check boxes of the differences side by side.
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setVerticalSpacing(3);
    grid->addWidget(new QLabel(tr("Базовая линия"), this), 0, 0);
    grid->addWidget(Edit1, 0, 1);
    grid->addWidget(SpeedButton1, 0, 2);
    grid->addWidget(new QLabel(tr("Точек"), this), 1, 0);
    grid->addWidget(SpinEdit1, 1, 1);
    grid->addWidget(new QLabel(tr("Длина образца"), this), 2, 0);
    grid->addWidget(Edit2, 2, 1);
    grid->addWidget(new QLabel(tr("Alpha кварца"), this), 3, 0);
    grid->addWidget(Edit3, 3, 1);
    grid->addWidget(CheckBox1, 4, 0);
    grid->addWidget(SpeedButton2, 4, 2);
    grid->addWidget(new QLabel(tr("L кварца"), this), 5, 0);
    grid->addWidget(Edit4, 5, 1);
    grid->addWidget(CheckBox2, 6, 0);
    grid->addWidget(CheckBox3, 6, 1, 1, 2);
    grid->addWidget(buttons, 7, 0, 1, 3);

    connect(SpeedButton1, &QToolButton::clicked, this, &TDlgCalcParam::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TDlgCalcParam::SpeedButton2Click);
    connect(CheckBox1, &QCheckBox::toggled, this, &TDlgCalcParam::CheckBox1Click);
}

void TDlgCalcParam::Fill(const analysis::TCalcParams &params)
{
    Edit1->setText(params.BaseLineFile);
    SpinEdit1->setValue(params.CalcPoints);
    Edit2->setText(LocaleGeneral(params.SampleLength));
    Edit3->setText(LocaleGeneral(params.QuartzAlpha));
    Edit4->setText(LocaleGeneral(params.QuartzLength));
}

bool TDlgCalcParam::ReadBack(analysis::TCalcParams &params) const
{
    params.CalcPoints = SpinEdit1->value();
    for (const auto &[edit, field] : {std::pair{Edit2, &analysis::TCalcParams::SampleLength},
                                      std::pair{Edit3, &analysis::TCalcParams::QuartzAlpha},
                                      std::pair{Edit4, &analysis::TCalcParams::QuartzLength}}) {
        if (!LocaleParseReal(edit->text(), params.*field))
            return false;
    }
    params.BaseLineFile = ShortString(Edit1->text());
    params.QuartzTable.reset();
    if (CheckBox1->isChecked() && QuartzPoints)
        params.QuartzTable = QuartzPoints();
    params.DLFromZero = CheckBox2->isChecked();
    params.DLQFromZero = CheckBox3->isChecked();
    return true;
}

void TDlgCalcParam::SpeedButton1Click()
{
    if (const QString name = Prompt().OpenFileName(RunFileOpenOptions()); !name.isEmpty())
        Edit1->setText(name);
}

void TDlgCalcParam::SpeedButton2Click()
{
    if (OnQuartzTable)
        OnQuartzTable();
}

void TDlgCalcParam::CheckBox1Click() { SpeedButton2->setEnabled(CheckBox1->isChecked()); }
