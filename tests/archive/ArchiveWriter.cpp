// The writing process of the archive's kill test: stores rows, results and
// descriptions in the archive as fast as it can until it is killed. After
// each row's transaction has committed it appends the row's number, as one
// line, to the log. Prints "ready" once its first row has committed, so that
// a kill always finds it with the archive open for writing.
//   archive_writer <archive file> <log file> <seed>
#include "archive/core/Archive.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>

#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 4)
        return 2;
    archive::TOpenedArchive opened = archive::OpenArchive({QString::fromLocal8Bit(argv[1]), {}, {}, {}});
    const int log = ::open(argv[2], O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (!opened.archive || !opened.messages.isEmpty() || log < 0)
        return 1;
    archive::TArchive &a = *opened.archive;
    QRandomGenerator random(uint32_t(std::atoi(argv[3])));
    const int64_t first = a.RowCount() + 1;
    for (int64_t k = first;; ++k) {
        archive::TRunEntry e;
        e.path = QStringLiteral("/kill/%1.dat").arg(k);
        e.facts.sha256 = QString::number(k);
        e.facts.count = int32_t(k % 10000);
        e.description.name = QStringLiteral("образец %1").arg(k);
        e.description.note = QString(int(random.bounded(2000)), u'ж');
        if (!a.RecordRun(e).isEmpty())
            return 1;
        if (k % 3 == 0) {
            archive::TArchiveResult r;
            r.command = QStringLiteral("Расчет");
            r.columns = {QStringLiteral("T, deg C"), QStringLiteral("Alpha")};
            for (int j = 0; j < 100; ++j)
                r.rows.push_back({double(j), 5e-7 + j * 1e-10});
            if (!a.StoreResult(e.id, r).isEmpty())
                return 1;
        }
        if (k % 5 == 0 && !a.UpdateDescription(e.id - 1, {QStringLiteral("изменен"), {}, {}, {}, {}}).isEmpty())
            return 1;
        char line[32];
        const int n = std::snprintf(line, sizeof line, "%lld\n", static_cast<long long>(e.id));
        if (::write(log, line, size_t(n)) != n)
            return 1;
        if (k == first) {
            std::printf("ready\n");
            std::fflush(stdout);
        }
    }
}
