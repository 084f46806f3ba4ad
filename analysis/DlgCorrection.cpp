#include "analysis/DlgCorrection.h"

#include "analysis/core/MaterialDirectory.h"
#include "app/core/DataFiles.h"
#include "app/core/LocaleFormat.h"
#include "app/core/Prompt.h"
#include "app/widgets/DialogButtons.h"
#include "app/widgets/DialogFrame.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

TDlgCorrection::TDlgCorrection(QWidget *parent) : QDialog(parent, kFixedDialogFlags)
{
    setWindowTitle(tr("Коррекция по эталону"));
    setFixedSize(420, 170);
    KeepCentredOnScreen(*this);

    ComboMaterial = new QComboBox(this);
    LabelRange = new QLabel(this);
    EditLength = new QLineEdit(this);
    EditFile = new QLineEdit(this);
    ButtonFile = NewFileButton(this, QStringLiteral("Save"));
    QDialogButtonBox *buttons = NewOkCancelBox(*this);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setVerticalSpacing(3);
    grid->addWidget(new QLabel(tr("Эталонный материал"), this), 0, 0);
    grid->addWidget(ComboMaterial, 0, 1, 1, 2);
    grid->addWidget(LabelRange, 1, 1, 1, 2);
    grid->addWidget(new QLabel(tr("Длина эталонного образца"), this), 2, 0);
    grid->addWidget(EditLength, 2, 1, 1, 2);
    grid->addWidget(new QLabel(tr("Файл коррекции"), this), 3, 0);
    grid->addWidget(EditFile, 3, 1);
    grid->addWidget(ButtonFile, 3, 2);
    grid->addWidget(buttons, 4, 0, 1, 3);

    connect(ComboMaterial, &QComboBox::currentIndexChanged, this, &TDlgCorrection::ShowRange);
    connect(ButtonFile, &QToolButton::clicked, this, &TDlgCorrection::ButtonFileClick);
}

void TDlgCorrection::Fill(const std::vector<materials::TReferenceMaterial> &library, const TCorrectionChoice &choice)
{
    library_ = library;
    chosen_.clear();  // a name left from last time is asked about again
    ComboMaterial->blockSignals(true);
    ComboMaterial->clear();
    int chosen = 0;
    for (size_t i = 0; i < library_.size(); ++i) {
        const QString id = QString::fromStdString(library_[i].id);
        ComboMaterial->addItem(analysis::MaterialName(library_[i]), id);
        ComboMaterial->setItemData(int(i), QString::fromStdString(library_[i].source), Qt::ToolTipRole);
        if (id == choice.MaterialId)
            chosen = int(i);
    }
    ComboMaterial->setCurrentIndex(library_.empty() ? -1 : chosen);
    ComboMaterial->blockSignals(false);
    ShowRange();
    EditLength->setText(LocaleGeneral(choice.SampleLength));
    EditFile->setText(choice.OutFile);
}

bool TDlgCorrection::ReadBack(TCorrectionChoice &choice) const
{
    choice.MaterialId = ComboMaterial->currentData().toString();
    choice.OutFile = EditFile->text().trimmed();
    return LocaleParseReal(EditLength->text(), choice.SampleLength);
}

void TDlgCorrection::ButtonFileClick()
{
    TFileDialogOptions options = RunFileOpenOptions();
    options.initialName = EditFile->text();
    if (const QString name = Prompt().SaveFileName(options); !name.isEmpty()) {
        EditFile->setText(name);
        chosen_ = name;
    }
}

void TDlgCorrection::ShowRange()
{
    const int i = ComboMaterial->currentIndex();
    if (i < 0 || size_t(i) >= library_.size()) {
        LabelRange->clear();
        return;
    }
    const materials::TReferenceMaterial &m = library_[size_t(i)];
    LabelRange->setText(tr("Диапазон: от %1 до %2 °C")
                            .arg(LocaleGeneral(m.lowKelvin - materials::kZeroCelsius),
                                 LocaleGeneral(m.highKelvin - materials::kZeroCelsius)));
}
