#pragma once
// The coordinate readout of a chart: a small always-on-top tool window with two
// lines, the data coordinates under the mouse.
#include <QWidget>

#include <functional>

class QLabel;

class TXYWindow : public QWidget {
    Q_OBJECT
public:
    explicit TXYWindow(QWidget *parent = nullptr);

    QLabel *XCaption = nullptr;
    QLabel *YCaption = nullptr;

    // Called when the window system closes the window. The window is then only
    // hidden, never freed, so its chart keeps a valid window.
    std::function<void()> OnClosed;

protected:
    void closeEvent(QCloseEvent *event) override;
};
