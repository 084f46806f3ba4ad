#include "app/StartupProbe.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

QElapsedTimer &Clock()
{
    static QElapsedTimer clock;
    return clock;
}

bool Enabled() { return qEnvironmentVariableIsSet("VAROTEM_STARTUP_PROBE"); }

class TFirstPaint final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Reported once the paint event has been handled.
            QTimer::singleShot(0, [] {
                std::fprintf(stderr, "startup: %.1f ms from main() to the first painted chart\n",
                             Clock().nsecsElapsed() / 1e6);
                // exit(), not quit(): quit() closes the windows first, and
                // closing the main window writes the settings files.
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};

} // namespace

void StartupProbeBegin()
{
    if (Enabled())
        Clock().start();
}

void StartupProbeWatch(QWidget &chart)
{
    if (Enabled())
        chart.installEventFilter(new TFirstPaint(&chart));
}
