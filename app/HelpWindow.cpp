#include "app/HelpWindow.h"

#include <QHBoxLayout>
#include <QImage>
#include <QStyle>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QToolButton *NavigationButton(QWidget *parent, const QString &text, QStyle::StandardPixmap icon)
{
    auto *button = new QToolButton(parent);
    button->setText(text);
    button->setToolTip(text);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    return button;
}

} // namespace

QVariant THelpBrowser::loadResource(int type, const QUrl &name)
{
    const QVariant resource = QTextBrowser::loadResource(type, name);
    if (type != QTextDocument::ImageResource || resource.typeId() != QMetaType::QByteArray)
        return resource;
    const QImage picture = QImage::fromData(resource.toByteArray());
    if (picture.width() <= kPictureWidth)
        return resource;
    return picture.scaledToWidth(kPictureWidth, Qt::SmoothTransformation);
}

THelpWindow::THelpWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(tr("Справка"));
    setObjectName(QStringLiteral("HelpWindow"));
    resize(900, 700);

    Browser = new THelpBrowser(this);
    Browser->setOpenExternalLinks(true);
    BackButton = NavigationButton(this, tr("Назад"), QStyle::SP_ArrowBack);
    ForwardButton = NavigationButton(this, tr("Вперед"), QStyle::SP_ArrowForward);
    HomeButton = NavigationButton(this, tr("Содержание"), QStyle::SP_DirHomeIcon);
    BackButton->setEnabled(false);
    ForwardButton->setEnabled(false);
    connect(BackButton, &QToolButton::clicked, Browser, &QTextBrowser::backward);
    connect(ForwardButton, &QToolButton::clicked, Browser, &QTextBrowser::forward);
    connect(HomeButton, &QToolButton::clicked, Browser, &QTextBrowser::home);
    connect(Browser, &QTextBrowser::backwardAvailable, BackButton, &QToolButton::setEnabled);
    connect(Browser, &QTextBrowser::forwardAvailable, ForwardButton, &QToolButton::setEnabled);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BackButton);
    buttons->addWidget(ForwardButton);
    buttons->addWidget(HomeButton);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(buttons);
    layout->addWidget(Browser, 1);
}

void THelpWindow::ShowPage(const QString &fileName)
{
    const QUrl page = QUrl::fromLocalFile(fileName);
    if (Browser->source() != page) {
        Browser->clearHistory();
        Browser->setSource(page, QTextDocument::MarkdownResource);
    }
    show();
    raise();
    activateWindow();
}
