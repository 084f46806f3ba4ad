#include "app/CaseChannelDlg.h"

#include "app/widgets/DialogButtons.h"
#include "app/widgets/DialogFrame.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TCaseChansDlg::TCaseChansDlg(QWidget *parent) : QDialog(parent, kFixedDialogFlags)
{
    setWindowTitle(tr("Выбор канала"));
    KeepCentredOnScreen(*this);
    GroupBox1 = new QGroupBox(QStringLiteral(" "), this);
    RadioButton1 = new QRadioButton(QStringLiteral("T"), GroupBox1);
    RadioButton2 = new QRadioButton(QStringLiteral("L"), GroupBox1);
    RadioButton3 = new QRadioButton(QStringLiteral("TC"), GroupBox1);
    RadioButton1->setChecked(true);
    auto *radios = new QHBoxLayout(GroupBox1);
    for (QRadioButton *b : {RadioButton1, RadioButton2, RadioButton3})
        radios->addWidget(b);

    BitBtn1 = new QPushButton(tr("Cancel"), this);
    BitBtn2 = new QPushButton(QStringLiteral("OK"), this);
    QHBoxLayout *buttons = NewCancelOkRow(*this, BitBtn1, BitBtn2);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addStretch();
    layout->addLayout(buttons);
    setFixedSize(201, 128);
}

TChannel TCaseChansDlg::Channel() const
{
    if (RadioButton2->isChecked())
        return TChannel::L;
    if (RadioButton3->isChecked())
        return TChannel::TC;
    return TChannel::T;
}

