// A process killed with SIGKILL while it writes to the archive, 100 times:
// every time the archive opens undamaged with every row whose transaction
// had committed.
#include "archive/core/Archive.h"
#include "tests/archive/ArchiveTestUtil.h"

#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <csignal>

using namespace archive;

namespace {

TEST(ArchiveKill, EveryCommittedRowSurvives)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Varotem-archive.sqlite"));
    const QString log = dir.filePath(QStringLiteral("committed.log"));
    QRandomGenerator random(20261207);
    int leftOpen = 0;
    for (int round = 0; round < 100; ++round) {
        SCOPED_TRACE(round);
        QProcess writer;
        writer.start(QStringLiteral(VAROTEM_ARCHIVE_WRITER), {file, log, QString::number(round)});
        ASSERT_TRUE(writer.waitForReadyRead(20000));
        ASSERT_EQ(writer.readLine().trimmed(), "ready");
        QThread::usleep(random.bounded(2000u, 40000u));
        ::kill(pid_t(writer.processId()), SIGKILL);
        ASSERT_TRUE(writer.waitForFinished(20000));
        ASSERT_EQ(writer.exitStatus(), QProcess::CrashExit) << "the writer stopped by itself";
        // Killed with the database open for writing: its log of writes is
        // left behind, not yet folded into the database.
        leftOpen += QFileInfo(file + QStringLiteral("-wal")).size() > 0 ? 1 : 0;

        QFile logged(log);
        ASSERT_TRUE(logged.open(QIODevice::ReadOnly));
        const QList<QByteArray> ids = logged.readAll().split('\n');
        TOpenedArchive opened = OpenArchive({file, {}, {}, {}});
        ASSERT_TRUE(opened.archive);
        ASSERT_TRUE(opened.messages.isEmpty()) << opened.messages.join(u'\n').toStdString();
        for (const QByteArray &id : ids) {
            if (id.isEmpty())
                continue;
            const int64_t last = id.toLongLong();
            const std::optional<TRunEntry> row = opened.archive->Run(last);
            ASSERT_TRUE(row) << "row " << last << " lost";
            ASSERT_EQ(row->path, QStringLiteral("/kill/%1.dat").arg(last));
        }
        EXPECT_EQ(opened.archive->Database().QueryText("PRAGMA integrity_check"), QStringLiteral("ok"));
    }
    EXPECT_EQ(leftOpen, 100);
}

} // namespace
