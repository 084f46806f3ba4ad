#include "app/AboutForm.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>

#ifndef VAROTEM_VERSION
#error "VAROTEM_VERSION must be defined by the build"
#endif

QString VersionText() { return QCoreApplication::translate("TAboutDlg", "Версия ") + QStringLiteral(VAROTEM_VERSION); }

TAboutDlg::TAboutDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("О программе"));
    auto *icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/varotem.svg")).pixmap(64, 64));

    ProductName = new QLabel(QStringLiteral("Varotem"), this);
    QFont big = ProductName->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    ProductName->setFont(big);
    Version = new QLabel(VersionText(), this);
    auto *purpose = new QLabel(tr("Запись и обработка измерений\nкварцевого дилатометра"), this);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(ProductName, 0, 1);
    layout->addWidget(Version, 1, 1);
    layout->addWidget(purpose, 2, 1);
    layout->addWidget(buttons, 3, 0, 1, 2);
    layout->setHorizontalSpacing(16);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
