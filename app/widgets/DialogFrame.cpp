#include "app/widgets/DialogFrame.h"

#include <QApplication>
#include <QEvent>
#include <QMargins>
#include <QScreen>
#include <QWidget>

#include <cstdlib>

namespace {

QMargins FrameMargins(const QWidget &window)
{
    const QRect frame = window.frameGeometry(), client = window.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

// The frame of a window like this one, for a window not framed yet: that of
// its parent's window, or of the active window.
QMargins GuessedMargins(const QWidget &window)
{
    const QWidget *like = window.parentWidget() ? window.parentWidget()->window() : QApplication::activeWindow();
    return like ? FrameMargins(*like) : QMargins();
}

bool IsCentred(const QWidget &window, const QScreen &screen)
{
    const QPoint offset = window.frameGeometry().center() - screen.availableGeometry().center();
    return std::abs(offset.x()) <= 1 && std::abs(offset.y()) <= 1;
}

// Centres its window when it is shown, before the window is mapped, and once
// more if the frame the window system gave a newly shown window has put it
// off the middle.
class TCentreWhenShown final : public QObject {
public:
    explicit TCentreWhenShown(QWidget &window) : QObject(&window), window_(window)
    {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != &window_)
            return false;
        if (event->type() == QEvent::Show) {
            framed_ = !FrameMargins(window_).isNull();
            CentreOnScreen(window_);
        } else if ((event->type() == QEvent::Move || event->type() == QEvent::WindowActivate) && !framed_ &&
                   !FrameMargins(window_).isNull()) {
            framed_ = true;
            if (window_.screen() && !IsCentred(window_, *window_.screen()))
                CentreOnScreen(window_);
        }
        return false;
    }

private:
    QWidget &window_;
    bool framed_ = false;
};

} // namespace

void CentreOnScreen(QWidget &window)
{
    const QScreen *screen = window.screen();
    if (!screen)
        return;
    const QMargins own = FrameMargins(window);
    const bool framed = !own.isNull();
    const QMargins margins = framed ? own : GuessedMargins(window);
    QRect frame = QRect(QPoint(0, 0), window.size()).marginsAdded(margins);
    frame.moveCenter(screen->availableGeometry().center());
    // A framed window is placed by its frame. One not framed yet is placed by
    // its client area; the window system then puts the frame around it.
    window.move(framed ? frame.topLeft() : frame.topLeft() + QPoint(margins.left(), margins.top()));
}

void KeepCentredOnScreen(QWidget &window) { new TCentreWhenShown(window); }
