// The recording process of the journal's kill test: records a run as the
// program's acquisition does, against the simulated dilatometer through the
// board libraries, until it is killed or the run is full. After every tick
// that stored a sample has returned it appends the run's count, as one line,
// to "ticks.log" in the directory. Prints "ready" once the run has started.
//   journal_recorder <dir> <seed>
#include "app/core/Acquisition.h"
#include "app/core/LinkBoard.h"
#include "daqlink/board/Board.h"
#include "tests/app/JournalKill.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    daqboard::OverrideSettings(KillTestSimulator(std::atoi(argv[2])));
    TLinkBoard board;
    auto run = std::make_unique<TRunData>();
    TSettings settings = KillTestSettings(dir.path());
    TAcquisition acquisition(board, *run, settings);
    const int log = ::open(QFile::encodeName(dir.filePath(QStringLiteral("ticks.log"))).constData(),
                           O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (log < 0 || acquisition.Start() != TStartResult::Started || !acquisition.TakeJournalNotice().isEmpty())
        return 1;
    std::printf("ready\n");
    std::fflush(stdout);
    while (acquisition.Running()) {
        if (acquisition.Tick({}).outcome != TTickOutcome::Stored)
            continue;
        char line[16];
        const int n = std::snprintf(line, sizeof line, "%d\n", int(run->Count));
        if (::write(log, line, size_t(n)) != n)
            return 1;
    }
    return 0;
}
