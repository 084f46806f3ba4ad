#include "chart/XYWin.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>

TXYWindow::TXYWindow(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(tr("Координаты"));
    setFixedSize(104, 42);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    setFont(font);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);

    auto *bevel = new QFrame(this);
    bevel->setFrameShape(QFrame::Box);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(0, 0, 104, 42);

    XCaption = new QLabel(QStringLiteral("XCaption"), this);
    XCaption->move(12, 6);
    XCaption->resize(90, 14);
    YCaption = new QLabel(QStringLiteral("YCaption"), this);
    YCaption->move(12, 24);
    YCaption->resize(90, 14);
    for (QLabel *label : {XCaption, YCaption})
        label->setForegroundRole(QPalette::WindowText);
}

void TXYWindow::closeEvent(QCloseEvent *event)
{
    // Accepting without WA_DeleteOnClose hides the window and keeps it.
    event->accept();
    if (OnClosed)
        OnClosed();
}
