#pragma once
// The user's manual in a window of its own: Markdown pages shown by a
// QTextBrowser, pictures and links between pages resolved relative to the
// page shown. The window is not modal; the main window keeps one and shows it
// again for every "Справка".
#include <QTextBrowser>
#include <QWidget>

class QToolButton;

// The manual's browser: pictures wider than a page are shown scaled down to
// its width, so a screenshot of the whole screen needs no sideways scrolling.
class THelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    static constexpr int kPictureWidth = 820;
    using QTextBrowser::QTextBrowser;
    QVariant loadResource(int type, const QUrl &name) override;
};

class THelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit THelpWindow(QWidget *parent = nullptr);

    // Shows the page (a Markdown file) and brings the window up. Going home
    // returns to the first page shown.
    void ShowPage(const QString &fileName);

    THelpBrowser *Browser = nullptr;
    QToolButton *BackButton = nullptr;
    QToolButton *ForwardButton = nullptr;
    QToolButton *HomeButton = nullptr;
};
