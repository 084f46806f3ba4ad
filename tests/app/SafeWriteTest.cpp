// Every writer goes through a temporary file: a failed write leaves the
// previous file whole and names the file.
#include "app/core/Calibration.h"
#include "app/core/DataFiles.h"
#include "app/core/Journal.h"
#include "app/core/SafeFile.h"
#include "app/core/Settings.h"
#include "tests/app/CoreTestUtil.h"

#include <QCryptographicHash>
#include <QDir>
#include <gtest/gtest.h>
#include <csignal>
#include <functional>
#include <sys/resource.h>

namespace {

const std::pair<const char *, std::function<QString(const QString &)>> kWriters[] = {
    {"run file", [](const QString &f) { auto r = NewRun(); FillTestRun(*r); return SaveData(f, *r); }},
    {"text export", [](const QString &f) { auto r = NewRun(); FillTestRun(*r); return ExportText(f, *r, {}, {}, {}); }},
    {"reference points", [](const QString &f) { return SaveSplineTable(f, {}); }},
    {"settings", [](const QString &f) { return WriteSettings(f, DefaultSettings("/")); }},
};

} // namespace

TEST(SafeWrite, FailedWriteKeepsThePreviousFileAndNamesIt)
{
    for (const auto &[name, write] : kWriters) {
        SCOPED_TRACE(name);
        QTemporaryDir dir;
        const QString target = dir.filePath("target");
        WriteBytes(target, "previous content");
        QString message;
        {
            TFileSizeLimit limit(100);
            message = write(target);
        }
        EXPECT_TRUE(message.contains(target)) << message.toStdString();
        EXPECT_EQ(ReadBytes(target), QByteArray("previous content"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"target"});  // no leftovers
        EXPECT_TRUE(write(UnwritablePath(dir, "x")).contains(dir.filePath("plain-file/x")));
    }
    QTemporaryDir dir;
    const QString blocked = UnwritablePath(dir, "t.spl");
    EXPECT_EQ(SaveSplineTable(blocked, {}), "Файл не найден: " + blocked + "!");
}

// A rewritten file keeps what the user set on it: its permissions, and a
// symbolic link stays a link to the file that receives the new content.
TEST(SafeWrite, KeepsPermissionsAndSymbolicLinks)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("run.dat");
    WriteBytes(target, "old");
    const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(target, mode));
    const QString link = dir.filePath("link.dat");
    ASSERT_TRUE(QFile::link(target, link));

    EXPECT_TRUE(WriteFileSafely(target, "new").isEmpty());
    EXPECT_EQ(QFile::permissions(target) & 0x7077, mode);  // owner, group, others
    EXPECT_TRUE(WriteFileSafely(link, "newer").isEmpty());
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadBytes(target), QByteArray("newer"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name),
              (QStringList{"link.dat", "run.dat"}));
}

// A file name near the longest a directory takes (255 bytes): the safe
// write's temporary file and the journal with its own temporary and dated
// names add to it, and must still fit where the plain name does.
TEST(SafeWrite, LongNamesStillWrite)
{
    const QString ascii = QString(250, u'a');
    const QString cyrillic = QString(124, u'ж') + u'x';  // 249 bytes of UTF-8, no character cut
    for (const QString &name : {ascii, cyrillic, QString(255, u'b')}) {
        const std::string label = std::to_string(QFile::encodeName(name).size()) + " bytes";
        QTemporaryDir dir;
        const QString file = dir.filePath(name);
        ASSERT_TRUE(WriteFileSafely(file, "data").isEmpty()) << label;
        EXPECT_EQ(ReadBytes(file), "data") << label;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{name}) << label;

        // A killed write's leftover of this name is still recognised as one.
        const QString tempName = WriteTempNameFor(file).replace("XXXXXX", "k1LL3d");
        ASSERT_LE(QFile::encodeName(QFileInfo(tempName).fileName()).size(), 255) << label;
        WriteBytes(tempName, "left");
        ASSERT_TRUE(QFileInfo::exists(tempName)) << label;
        EXPECT_EQ(RemoveStaleWriteFiles(file, QDateTime::currentDateTime().addSecs(60)), 1) << label;

        const QString journal = JournalPath(file);
        EXPECT_LE(QFile::encodeName(QFileInfo(journal).fileName()).size(), 251) << label;  // room for ".new"
        EXPECT_NE(journal, JournalPath(file + u'c')) << label;
        TJournalWriter writer;
        auto run = NewRun();
        QString notice;
        TJournalHeader header;
        ASSERT_TRUE(writer.Begin(journal, header, *run, TRunTimes{}, notice).isEmpty()) << label;
        ASSERT_TRUE(writer.Write(1, 1, 2, 3, 4).isEmpty()) << label;
        writer.Close();
        QString error;
        const QString kept = SetAsideJournal(journal, error);
        EXPECT_FALSE(kept.isEmpty()) << label << ": " << error.toStdString();
        WriteBytes(journal, "again");
        const QString second = SetAsideJournal(journal, error);
        EXPECT_FALSE(second.isEmpty()) << label << ": " << error.toStdString();
        EXPECT_NE(second, kept) << label;
        EXPECT_EQ(ReadBytes(second), "again") << label;
    }
}

// A head read with the whole file's hash: the head is the file's first bytes
// and the hash covers every byte, for files shorter, as long as and longer
// than the head.
TEST(ReadFileHead, HashCoversTheWholeFile)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("run.dat"));
    constexpr qint64 kHead = 1000;
    for (const qint64 size : {qint64(0), qint64(17), kHead, kHead + 1, 5 * kHead + 3}) {
        SCOPED_TRACE(size);
        QByteArray bytes(size, '\0');
        for (qint64 i = 0; i < size; ++i)
            bytes[i] = char(i * 7 + i / 251);
        WriteBytes(file, bytes);
        QCryptographicHash hash(QCryptographicHash::Sha256);
        QString error;
        const std::optional<QByteArray> head = ReadFileHead(file, kHead, error, &hash);
        ASSERT_TRUE(head) << error.toStdString();
        EXPECT_EQ(*head, bytes.left(kHead));
        EXPECT_EQ(hash.result(), QCryptographicHash::hash(bytes, QCryptographicHash::Sha256));
    }
}
