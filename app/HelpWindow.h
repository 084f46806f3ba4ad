#pragma once
// The user's manual in a window of its own: Markdown pages shown by a
// QTextBrowser, pictures and links between pages resolved relative to the
// page shown. The window is not modal; the main window keeps one and shows it
// again for every "Справка".
#include <QWidget>

class QTextBrowser;
class QToolButton;

class THelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit THelpWindow(QWidget *parent = nullptr);

    // Shows the page (a Markdown file) and brings the window up. Going home
    // returns to the first page shown.
    void ShowPage(const QString &fileName);

    QTextBrowser *Browser = nullptr;
    QToolButton *BackButton = nullptr;
    QToolButton *ForwardButton = nullptr;
    QToolButton *HomeButton = nullptr;
};
