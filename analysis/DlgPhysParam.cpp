#include "analysis/DlgPhysParam.h"

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
#include <QToolButton>

TDlgPhysParam::TDlgPhysParam(QWidget *parent) : QDialog(parent, kFixedDialogFlags)
{
    setWindowTitle(tr("Физический КТР"));
    setFixedSize(300, 300);
    KeepCentredOnScreen(*this);

    EditBaseline = new QLineEdit(analysis::kNoBaseline, this);
    BtnBaseline = NewFileButton(this, QStringLiteral("Open"));
    EditSampleLength = new QLineEdit(this);
    EditQuartzAlpha = new QLineEdit(this);
    CheckQuartzTable = new QCheckBox(tr("Таблица"), this);
    BtnQuartzTable = NewFileButton(this, QStringLiteral("Open"));
    BtnQuartzTable->setEnabled(false);
    EditQuartzLength = new QLineEdit(this);
    const analysis::TPhysicalParams defaults;
    EditStep = new QLineEdit(LocaleGeneral(defaults.Step), this);
    EditReference = new QLineEdit(LocaleGeneral(defaults.ReferenceTemperature), this);
    CheckAutoSmoothing = new QCheckBox(tr("Сглаживание по GCV"), this);
    CheckAutoSmoothing->setChecked(true);
    CheckAutoSmoothing->setToolTip(
        tr("Сглаживание выбирается обобщенной перекрестной проверкой (GCV)"));
    EditSmoothing = new QLineEdit(this);
    EditSmoothing->setEnabled(false);
    EditSmoothing->setToolTip(tr("Сглаживающий сплайн усредняет примерно по R точкам в каждую сторону"));
    QDialogButtonBox *buttons = NewOkCancelBox(*this);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setVerticalSpacing(3);
    const auto row = [&](int r, const QString &label, QWidget *field, QWidget *button = nullptr) {
        grid->addWidget(new QLabel(label, this), r, 0);
        grid->addWidget(field, r, 1);
        if (button)
            grid->addWidget(button, r, 2);
    };
    row(0, tr("Базовая линия"), EditBaseline, BtnBaseline);
    row(1, tr("Длина образца"), EditSampleLength);
    row(2, tr("Alpha кварца"), EditQuartzAlpha);
    grid->addWidget(CheckQuartzTable, 3, 0);
    grid->addWidget(BtnQuartzTable, 3, 2);
    row(4, tr("L кварца"), EditQuartzLength);
    row(5, tr("Шаг, K"), EditStep);
    row(6, tr("T отсчета, deg C"), EditReference);
    grid->addWidget(CheckAutoSmoothing, 7, 0, 1, 3);
    row(8, tr("R, точек"), EditSmoothing);
    grid->addWidget(buttons, 9, 0, 1, 3);

    connect(BtnBaseline, &QToolButton::clicked, this, &TDlgPhysParam::ChooseBaseline);
    connect(BtnQuartzTable, &QToolButton::clicked, this, [this] {
        if (OnQuartzTable)
            OnQuartzTable();
    });
    connect(CheckQuartzTable, &QCheckBox::toggled, BtnQuartzTable, &QToolButton::setEnabled);
    connect(CheckAutoSmoothing, &QCheckBox::toggled, EditSmoothing, [this](bool automatic) {
        EditSmoothing->setEnabled(!automatic);
    });
}

void TDlgPhysParam::Fill(const analysis::TPhysicalParams &params)
{
    EditSampleLength->setText(LocaleGeneral(params.SampleLength));
    EditQuartzAlpha->setText(LocaleGeneral(params.QuartzAlpha));
    EditQuartzLength->setText(LocaleGeneral(params.QuartzLength));
}

void TDlgPhysParam::ShowSmoothing(double r) { EditSmoothing->setText(LocaleGeneral(r, 4)); }

bool TDlgPhysParam::ReadBack(analysis::TPhysicalParams &params) const
{
    analysis::TPhysicalParams read = params;
    for (const auto &[edit, field] : {std::pair{EditSampleLength, &analysis::TPhysicalParams::SampleLength},
                                      std::pair{EditQuartzAlpha, &analysis::TPhysicalParams::QuartzAlpha},
                                      std::pair{EditQuartzLength, &analysis::TPhysicalParams::QuartzLength},
                                      std::pair{EditStep, &analysis::TPhysicalParams::Step},
                                      std::pair{EditReference, &analysis::TPhysicalParams::ReferenceTemperature}}) {
        if (!LocaleParseReal(edit->text(), read.*field))
            return false;
    }
    read.Smoothing.reset();
    if (!CheckAutoSmoothing->isChecked()) {
        double r = 0;
        if (!LocaleParseReal(EditSmoothing->text(), r))
            return false;
        read.Smoothing = r;
    }
    read.BaseLineFile = ShortString(EditBaseline->text());
    read.QuartzTable.reset();
    if (CheckQuartzTable->isChecked() && QuartzPoints)
        read.QuartzTable = QuartzPoints();
    params = std::move(read);
    return true;
}

void TDlgPhysParam::ChooseBaseline()
{
    if (const QString name = Prompt().OpenFileName(RunFileOpenOptions()); !name.isEmpty())
        EditBaseline->setText(name);
}
