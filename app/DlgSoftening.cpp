#include "app/DlgSoftening.h"

#include "app/widgets/DialogButtons.h"
#include "app/widgets/DialogFrame.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TDlgSoftening::TDlgSoftening(QWidget *parent) : QDialog(parent, kFixedDialogFlags)
{
    setWindowTitle(tr("Выключение нагрева при размягчении"));
    KeepCentredOnScreen(*this);

    CheckBox1 = new QCheckBox(tr("Выключать нагрев при размягчении образца"), this);
    SpinEdit1 = new QDoubleSpinBox(this);
    SpinEdit1->setRange(kMinMarginPercent, kMaxMarginPercent);
    SpinEdit1->setDecimals(2);
    SpinEdit1->setSingleStep(0.05);
    Label1 = new QLabel(tr("Во время приема информации нагрев выключается один раз, когда сглаженная кривая "
                            "L(T) прошла максимум: при растущей температуре удлинение опустилось ниже "
                            "максимума больше чем на запас (в процентах удлинения до максимума) и больше "
                            "шума. Управление нагревом в \"Параметрах\" действует, как прежде."),
                        this);
    Label1->setWordWrap(true);
    auto *form = new QFormLayout;
    form->addRow(tr("Запас, % удлинения"), SpinEdit1);

    BitBtn1 = new QPushButton(tr("Cancel"), this);
    BitBtn2 = new QPushButton(QStringLiteral("OK"), this);
    QHBoxLayout *buttons = NewCancelOkRow(*this, BitBtn1, BitBtn2);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(CheckBox1);
    layout->addLayout(form);
    layout->addWidget(Label1);
    layout->addLayout(buttons);
    setFixedSize(360, 230);
}

void TDlgSoftening::Fill(const TSofteningOptions &options)
{
    CheckBox1->setChecked(options.Enabled);
    SpinEdit1->setValue(options.MarginPercent);
}

TSofteningOptions TDlgSoftening::Options() const { return {CheckBox1->isChecked(), SpinEdit1->value()}; }
