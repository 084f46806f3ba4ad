// Every writer goes through a temporary file: a failed write leaves the
// previous file whole and names the file.
#include "app/core/Calibration.h"
#include "app/core/DataFiles.h"
#include "app/core/SafeFile.h"
#include "app/core/Settings.h"
#include "tests/app/CoreTestUtil.h"

#include <QDir>
#include <gtest/gtest.h>
#include <csignal>
#include <functional>
#include <sys/resource.h>

namespace {

// Limits the size of files this process may write, as a full disk would;
// works for root too. The signal is ignored so the write just fails.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

using TWriter = std::function<QString(const QString &)>;

std::vector<std::pair<const char *, TWriter>> Writers()
{
    static auto run = NewRun();
    FillTestRun(*run);
    return {
        {"run file", [](const QString &f) { return SaveData(f, *run); }},
        {"text export", [](const QString &f) { return ExportText(f, *run, DefaultSettings("/"), {}, {}); }},
        {"reference points", [](const QString &f) { return SaveSplineTable(f, TSplineTable{}); }},
        {"settings", [](const QString &f) { return WriteSettings(f, DefaultSettings("/")); }},
    };
}

} // namespace

TEST(SafeWrite, InterruptedWriteKeepsThePreviousFile)
{
    for (const auto &[name, write] : Writers()) {
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
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"target"});  // no leftovers
        EXPECT_TRUE(write(target).isEmpty());
        EXPECT_NE(ReadBytes(target), QByteArray("previous content"));
    }
}

TEST(SafeWrite, UnwritableTargetIsReportedWithItsName)
{
    QTemporaryDir dir;
    const QString target = UnwritablePath(dir, "file");
    for (const auto &[name, write] : Writers()) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(write(target).contains(target));
    }
    EXPECT_EQ(SaveSplineTable(target, {}), "Файл не найден: " + target + "!");
}
