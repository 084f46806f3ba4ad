// Memory of a full run: the main window, shown offscreen at its usual size,
// records 10000 samples from the simulated dilatometer through the board
// libraries (1 % failed conversions), autosaving every 300 samples into a
// temporary directory, and redraws its charts after every sample as the
// program does. Prints one JSON object: samples stored, ticks, wall time and
// the peak resident set size (getrusage) once the window stands and after the
// run.
#include "app/Unit1.h"
#include "bench/QuietPrompt.h"
#include "daqlink/board/Board.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>

namespace {

long PeakRssKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TQuietPrompt prompt;
    SetPrompt(&prompt);
    daqboard::OverrideSettings("[Board]\nBackend = sim\n[Simulator]\nFailureRate = 0.01\nSeed = 7\n");

    QTemporaryDir dir;
    int ticks = 0;
    long windowKiB = 0;
    qint64 ms = 0;
    int32_t count = 0;
    qint64 autosaveBytes = 0;
    {
        TMainForm form(TMainFormSetup{dir.path(), nullptr, dir.filePath("workbooks"),
                                                      dir.filePath("archive/Varotem-archive.sqlite"), {}});
        form.resize(1024, 720);
        form.show();
        QApplication::processEvents();
        windowKiB = PeakRssKiB();

        QElapsedTimer clock;
        clock.start();
        form.GoClick();
        // Ticks come from here rather than the one-second timer; the event
        // loop runs between them so the charts are painted as on screen.
        while (form.Acquisition().Running() && ticks < 2 * kRunCapacity) {
            form.Timer1Timer();
            ++ticks;
            QApplication::processEvents();
        }
        ms = clock.elapsed();
        count = form.RunData.Count;
        autosaveBytes = QFileInfo(form.Settings.AutoSaveFile).size();
    }
    SetPrompt(nullptr);
    std::printf("{\"samples\": %d, \"ticks\": %d, \"seconds\": %.2f, \"autosave_bytes\": %lld, "
                "\"window_peak_rss_kib\": %ld, \"peak_rss_kib\": %ld}\n",
                count, ticks, ms / 1000.0, static_cast<long long>(autosaveBytes), windowKiB, PeakRssKiB());
    return count == kRunCapacity ? 0 : 1;
}
