#include "chart/MstWin.h"

#include "app/widgets/DialogFrame.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TMstWindow::TMstWindow(QWidget *parent) : QDialog(parent, kToolWindowFlags)
{
    setWindowTitle(tr("Масштаб"));
    setFixedSize(194, 112);
    KeepCentredOnScreen(*this);

    auto *bevel = new QFrame(this);
    bevel->setFrameShape(QFrame::Box);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(8, 8, 178, 62);

    auto *minLabel = new QLabel(tr("Min = "), this);
    minLabel->move(16, 19);
    auto *maxLabel = new QLabel(tr("Max = "), this);
    maxLabel->move(16, 43);

    EditMin = new QLineEdit(QStringLiteral("0"), this);
    EditMin->setGeometry(56, 16, 121, 21);
    EditMax = new QLineEdit(QStringLiteral("500"), this);
    EditMax->setGeometry(56, 40, 121, 21);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setGeometry(104, 80, 75, 25);
    OKButton->setDefault(true);
    CancelButton = new QPushButton(tr("Cancel"), this);
    CancelButton->setGeometry(16, 80, 75, 25);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}
