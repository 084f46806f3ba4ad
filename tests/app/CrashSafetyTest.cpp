// Crash safety of the files the program writes: a writer process killed at
// random moments leaves every file whole, in its old or its new version;
// temporary files left by the kills are recognised and removed once stale;
// an autosave on a full disk or into a place that cannot be written is
// reported once and the run goes on.
#include "app/core/DataFiles.h"
#include "app/core/Journal.h"
#include "app/core/SafeFile.h"
#include "tests/app/CrashFiles.h"
#include "tests/app/JournalKill.h"
#include "tests/app/MainFormTestUtil.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <random>
#include <sys/resource.h>
#include <unistd.h>
#include <thread>

namespace {

constexpr int kKills = 300;
constexpr int kControlKills = 100;

// One file the writer rewrites, and its two complete versions.
struct TWatchedFile {
    QString name;
    QByteArray versions[2];
};

// The run and the reference points from their records' layout; the settings
// file as an uninterrupted write gives it.
std::vector<TWatchedFile> WatchedFiles()
{
    QTemporaryDir reference;
    std::vector<TWatchedFile> files{{kCrashRunName, {}}, {kCrashSettingsName, {}}, {kCrashTableName, {}}};
    for (int v = 0; v < 2; ++v) {
        files[0].versions[v] = Bytes(*CrashRun(v));
        const QString settings = reference.filePath(kCrashSettingsName);
        EXPECT_TRUE(WriteSettings(settings, CrashSettings(v)).isEmpty());
        files[1].versions[v] = ReadBytes(settings);
        const TSplineTable table = CrashTable(v);
        QByteArray image(reinterpret_cast<const char *>(&table.Count), sizeof table.Count);
        image.append(reinterpret_cast<const char *>(table.X), sizeof table.X);
        image.append(reinterpret_cast<const char *>(table.Y), sizeof table.Y);
        files[2].versions[v] = image;
    }
    for (const TWatchedFile &f : files)
        EXPECT_NE(f.versions[0], f.versions[1]) << f.name.toStdString();
    return files;
}

// Which version a file holds: 0 or 1, or -1 for anything else (torn, missing).
int VersionOnDisk(const QDir &dir, const TWatchedFile &file)
{
    const QByteArray bytes = ReadBytes(dir.filePath(file.name));
    for (int v = 0; v < 2; ++v) {
        if (bytes == file.versions[v])
            return v;
    }
    return -1;
}

// Starts the writer in dir, lets it run for a random time of up to three of
// its rounds past the first, and kills it. False when it did not get going.
bool KillWriter(const QString &dir, const char *mode, std::mt19937 &random)
{
    QProcess writer;
    writer.start(QStringLiteral(VAROTEM_CRASH_WRITER), {dir, QString::fromLatin1(mode)});
    if (!writer.waitForStarted(30000) || !writer.waitForReadyRead(60000))
        return false;
    const QList<QByteArray> ready = writer.readLine().trimmed().split(' ');
    if (ready.size() != 2 || ready[0] != "ready")
        return false;
    const int roundMicroseconds = std::max(ready[1].toInt(), 100);
    std::uniform_int_distribution<int> delay(0, 3 * roundMicroseconds);
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    writer.kill();  // SIGKILL
    writer.waitForFinished(30000);
    return writer.exitStatus() == QProcess::CrashExit;
}

// The temporary file name a safe write of one of the files uses:
// ".<target>.varotem-" and six letters or digits, then ".tmp".
bool IsWriteLeftover(const QString &name)
{
    for (const QString &target : {kCrashRunName, kCrashSettingsName, kCrashTableName}) {
        const QString prefix = u'.' + target + QStringLiteral(".varotem-");
        const QString rest = name.mid(prefix.size(), 6);
        if (name.startsWith(prefix) && name.size() == prefix.size() + 10 && name.endsWith(QStringLiteral(".tmp"))
            && std::all_of(rest.begin(), rest.end(), [](QChar c) { return c.isLetterOrNumber() && c.unicode() < 128; }))
            return true;
    }
    return false;
}

QStringList Leftovers(const QDir &dir)
{
    QStringList names = dir.entryList(QDir::Files | QDir::Hidden);
    for (const QString &kept : {kCrashRunName, kCrashSettingsName, kCrashTableName})
        names.removeAll(kept);
    return names;
}

void SetModified(const QString &name, const QDateTime &time)
{
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
}

} // namespace

TEST(CrashSafety, KilledWritesLeaveOldOrNewFiles)
{
    const std::vector<TWatchedFile> files = WatchedFiles();
    QTemporaryDir temp;
    const QDir dir(temp.path());
    std::mt19937 random(20240611);
    int seen[3][2] = {};
    QElapsedTimer clock;
    clock.start();
    for (int kill = 1; kill <= kKills; ++kill) {
        ASSERT_TRUE(KillWriter(temp.path(), "safe", random)) << "kill " << kill;
        for (size_t f = 0; f < files.size(); ++f) {
            const int v = VersionOnDisk(dir, files[f]);
            ASSERT_NE(v, -1) << files[f].name.toStdString() << " torn by kill " << kill;
            ++seen[f][v];
        }
    }
    const qint64 ms = clock.elapsed();
    // The kills fell all over the loop: each file was found in both versions.
    for (size_t f = 0; f < files.size(); ++f) {
        EXPECT_GT(seen[f][0], 0) << files[f].name.toStdString();
        EXPECT_GT(seen[f][1], 0) << files[f].name.toStdString();
    }

    // A kill between linking the finished temporary file and renaming it over
    // the target leaves the temporary file. Those are recognised as such and
    // removed once stale; the files themselves stay.
    const QStringList leftovers = Leftovers(dir);
    for (const QString &name : leftovers)
        EXPECT_TRUE(IsWriteLeftover(name)) << name.toStdString();
    const QDateTime anHourAgo = QDateTime::currentDateTime().addSecs(-3600);
    for (const QString &name : leftovers)
        SetModified(dir.filePath(name), anHourAgo);
    int removed = 0;
    for (const TWatchedFile &f : files)
        removed += RemoveStaleWriteFiles(dir.filePath(f.name), QDateTime::currentDateTime().addSecs(-600));
    EXPECT_EQ(removed, leftovers.size());
    EXPECT_TRUE(Leftovers(dir).isEmpty()) << Leftovers(dir).join(' ').toStdString();
    for (const TWatchedFile &f : files)
        EXPECT_NE(VersionOnDisk(dir, f), -1) << f.name.toStdString();

    std::printf("%d kills in %lld ms; run file old/new %d/%d, settings %d/%d, reference points %d/%d; "
                "%lld temporary files left\n",
                kKills, static_cast<long long>(ms), seen[0][0], seen[0][1], seen[1][0], seen[1][1], seen[2][0],
                seen[2][1], static_cast<long long>(leftovers.size()));
}

// The control: the same kills on a writer that truncates and rewrites each
// file in place do tear files, so the kills do land inside writes.
TEST(CrashSafety, KilledWritesInPlaceTearFiles)
{
    const std::vector<TWatchedFile> files = WatchedFiles();
    QTemporaryDir temp;
    const QDir dir(temp.path());
    std::mt19937 random(7);
    int kills = 0;
    bool torn = false;
    while (!torn && kills < kControlKills) {
        ASSERT_TRUE(KillWriter(temp.path(), "direct", random));
        ++kills;
        for (const TWatchedFile &f : files)
            torn = torn || VersionOnDisk(dir, f) == -1;
    }
    EXPECT_TRUE(torn) << "no torn file in " << kills << " kills";
    std::printf("in-place writes: a torn file after %d kills\n", kills);
}

// Only a safe write's own leftovers go, and only once they are old. Every
// near miss is a name a user may have chosen, and so are the names an older
// version of the program gave its temporary files ("run.dat.QhZbxs"): those
// cannot be told from a user's file and stay.
TEST(CrashSafety, StaleWriteFilesOnlyAreRemoved)
{
    QTemporaryDir temp;
    const QDir dir(temp.path());
    const QString target = dir.filePath("run.dat");
    const QDateTime old = QDateTime::currentDateTime().addSecs(-3600);
    const QDateTime cutoff = QDateTime::currentDateTime().addSecs(-600);
    struct TRow {
        const char *name;
        bool isOld;
        bool removed;
    };
    const TRow rows[] = {
        {".run.dat.varotem-QhZbxs.tmp", true, true},
        {".run.dat.varotem-Q1Z2x3.tmp", true, true},
        {".run.dat.varotem-Recent.tmp", false, false},
        {"run.dat", true, false},
        {"run.dat.QhZbxs", true, false},
        {"run.dat.backup", true, false},
        {"run.dat.bak", true, false},
        {".run.dat.varotem-QhZbxs", true, false},
        {".run.dat.varotem-QhZbx.tmp", true, false},
        {".run.dat.varotem-QhZbxsA.tmp", true, false},
        {".run.dat.varotem-Qh-bxs.tmp", true, false},
        {".run.dat.varotem-QhZbxs.tmp~", true, false},
        {".run.dat.varotem-QhZbxs.TMP", true, false},
        {"run.dat.varotem-QhZbxs.tmp", true, false},
        {".run.dat.Varotem-QhZbxs.tmp", true, false},
        {".run.dat.QhZbxs.tmp", true, false},
        {".other.dat.varotem-QhZbxs.tmp", true, false},
        {".xrun.dat.varotem-QhZbxs.tmp", true, false},
    };
    for (const TRow &r : rows) {
        WriteBytes(dir.filePath(r.name), "x");
        SetModified(dir.filePath(r.name), r.isOld ? old : QDateTime::currentDateTime());
    }
    ASSERT_TRUE(dir.mkdir(".run.dat.varotem-Folder.tmp"));
    ASSERT_TRUE(QFile::link(dir.filePath("run.dat.bak"), dir.filePath(".run.dat.varotem-Linked.tmp")));

    EXPECT_EQ(RemoveStaleWriteFiles(target, cutoff), 2);
    for (const TRow &r : rows)
        EXPECT_EQ(QFileInfo::exists(dir.filePath(r.name)), !r.removed) << r.name;
    EXPECT_TRUE(QFileInfo(dir.filePath(".run.dat.varotem-Folder.tmp")).isDir());
    EXPECT_TRUE(QFileInfo(dir.filePath(".run.dat.varotem-Linked.tmp")).isSymLink());
    EXPECT_EQ(RemoveStaleWriteFiles(QString(), cutoff), 0);
}

// At start the window removes the stale leftovers of its settings, autosave
// and reference-point files, and nothing a user keeps beside them.
TEST(CrashSafety, WindowRemovesStaleLeftoversAtStart)
{
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TScriptedBoard board;
    const QDateTime old = QDateTime::currentDateTime().addSecs(-3600);
    const QStringList stale{".Varotem.ini.varotem-AbCdEf.tmp", ".default.dat.varotem-GhIjKl.tmp",
                            ".defaultT.spl.varotem-MnOpQr.tmp", ".defaultL.spl.varotem-StUvWx.tmp"};
    const QStringList kept{"default.dat.backup", "Varotem.ini.before", "defaultT.spl.AbCdEf",
                           "Varotem.ini.AbCdEf", ".default.dat.varotem-GhIjKl"};
    for (const QString &name : stale + kept) {
        WriteBytes(dir.filePath(name), "x");
        SetModified(dir.filePath(name), old);
    }
    WriteBytes(dir.filePath(".default.dat.varotem-FreshA.tmp"), "x");
    auto form = NewForm(dir, board);
    for (const QString &name : stale)
        EXPECT_FALSE(QFileInfo::exists(dir.filePath(name))) << name.toStdString();
    for (const QString &name : kept)
        EXPECT_EQ(ReadBytes(dir.filePath(name)), "x") << name.toStdString();
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(".default.dat.varotem-FreshA.tmp")));
}

// At start the window removes the workbooks its exports wrote more than a
// week ago; no other file, however close its name (the spreadsheet
// program's lock file among them), no folder, no link, and nothing from a
// folder that is not the user's.
TEST(CrashSafety, WindowRemovesWeekOldWorkbooksAtStart)
{
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TScriptedBoard board;
    const QDir books(dir.filePath("workbooks"));
    ASSERT_TRUE(books.mkpath("."));
    const QDateTime now = QDateTime::currentDateTime();
    const QStringList removed{"Varotem-AbCdEf.xlsx", "Varotem-a1B2c3.xlsx"};
    const QStringList kept{"Varotem-AbCdE.xlsx", "Varotem-AbCdEfG.xlsx", "Varotem-Ab_dEf.xlsx",
                           "varotem-AbCdEf.xlsx", "Varotem-AbCdEf.XLSX", "Varotem-AbCdEf.xlsx.bak",
                           ".~lock.Varotem-AbCdEf.xlsx#", "Отчет.xlsx"};
    for (const QString &name : removed + kept + QStringList{"Varotem-Recent.xlsx"}) {
        WriteBytes(books.filePath(name), "x");
        SetModified(books.filePath(name), now.addDays(name.contains("Recent") ? -6 : -8));
    }
    ASSERT_TRUE(books.mkdir("Varotem-Folder.xlsx"));
    ASSERT_TRUE(QFile::link(books.filePath("Отчет.xlsx"), books.filePath("Varotem-Linked.xlsx")));

    auto form = NewForm(dir, board);
    for (const QString &name : removed)
        EXPECT_FALSE(QFileInfo::exists(books.filePath(name))) << name.toStdString();
    for (const QString &name : kept + QStringList{"Varotem-Recent.xlsx"})
        EXPECT_TRUE(QFileInfo(books.filePath(name)).isFile()) << name.toStdString();
    EXPECT_TRUE(QFileInfo(books.filePath("Varotem-Folder.xlsx")).isDir());
    EXPECT_TRUE(QFileInfo(books.filePath("Varotem-Linked.xlsx")).isSymLink());

    if (::geteuid() == 0) {  // only root can give the folder to another user
        WriteBytes(books.filePath("Varotem-Foreign.xlsx"), "x");
        SetModified(books.filePath("Varotem-Foreign.xlsx"), now.addDays(-8));
        ASSERT_EQ(::chown(QFile::encodeName(books.path()).constData(), 65534, 65534), 0);
        auto again = NewForm(dir, board);
        EXPECT_TRUE(QFileInfo::exists(books.filePath("Varotem-Foreign.xlsx")));
    }
}

namespace {

enum class TFault { None, DiskFull, TargetIsDirectory, ParentIsFile };

} // namespace

// Autosave after every sample through phases where it cannot be written. The
// first failure of each streak is shown, the run and the timer go on, and the
// last autosave that succeeded stays whole on disk.
TEST(CrashSafety, AutosaveFaultsAreReportedAndTheRunGoesOn)
{
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TRecordingLinkBoard board("Seed = 4\n");
    auto form = NewForm(dir, board);
    prompt.messages.clear();
    form->Settings.TimerWorkInterval = 3600;
    form->Settings.AutoSaveTime = 1;
    const QString good = form->Settings.AutoSaveFile;
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.dat"));
    const QString folder = dir.filePath("folder.dat");
    const QString underFile = UnwritablePath(dir, "auto.dat");
    form->GoClick();

    struct TPhase {
        const char *name;
        TFault fault;
        int ticks;
    };
    const TPhase phases[] = {
        {"writable", TFault::None, 3},
        {"disk full", TFault::DiskFull, 4},
        {"room again", TFault::None, 2},
        {"disk full again", TFault::DiskFull, 2},
        {"target is a directory", TFault::TargetIsDirectory, 3},
        {"writable", TFault::None, 1},
        {"parent is a regular file", TFault::ParentIsFile, 3},
        {"writable at the end", TFault::None, 1},
    };
    const QStringList filesBefore = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    QByteArray lastSaved;
    int32_t count = 0;
    bool failing = false;
    for (const TPhase &p : phases) {
        const qsizetype messagesBefore = prompt.messages.size();
        form->Settings.AutoSaveFile = p.fault == TFault::TargetIsDirectory ? folder
                                      : p.fault == TFault::ParentIsFile   ? underFile
                                                                          : good;
        {
            std::optional<TFileSizeLimit> limit;
            if (p.fault == TFault::DiskFull) {
                limit.emplace(64 * 1024);
                ASSERT_TRUE(limit->Ok()) << p.name;
            }
            for (int i = 0; i < p.ticks; ++i)
                form->Timer1Timer();
        }
        count += p.ticks;
        EXPECT_EQ(form->RunData.Count, count) << p.name;
        EXPECT_TRUE(form->Timer1->isActive()) << p.name;
        if (p.fault == TFault::None)
            lastSaved = Bytes(form->RunData);
        EXPECT_EQ(ReadBytes(good), lastSaved) << p.name;

        const bool reported = p.fault != TFault::None && !failing;
        failing = p.fault != TFault::None;
        ASSERT_EQ(prompt.messages.size() - messagesBefore, reported ? 1 : 0) << p.name;
        if (reported) {
            const QString &m = prompt.messages.back();
            EXPECT_TRUE(m.contains(form->Settings.AutoSaveFile)) << m.toStdString();
            EXPECT_TRUE(m.contains("Прием информации продолжается")) << m.toStdString();
        }
    }
    // The failed writes left nothing behind.
    QStringList expectedFiles = filesBefore;
    expectedFiles << QFileInfo(good).fileName();
    expectedFiles.sort();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name), expectedFiles);
    EXPECT_EQ(ReadBytes(good).size(), kRunFileSize);
}

// The journal on a disk that fills up during the run (a file size limit
// stands for it; the journal could not even take its empty slots at the
// start): the first record that cannot be written is reported, the run goes
// on, and the journal keeps every record written, the failed ones counted as
// dropped when it is read.
TEST(CrashSafety, JournalOnAFullDiskIsReportedOnceAndTheRunGoesOn)
{
    constexpr rlim_t kLimit = 8192;
    QTemporaryDir dir;
    TScriptedBoard board;
    board.readings = {{100, 200, 300}};
    auto run = NewRun();
    TSettings settings;
    settings.AutoSaveFile = dir.filePath("auto.dat");
    settings.AutoSaveFlag = false;
    TAcquisition acquisition(board, *run, settings);
    struct TPhase {
        const char *name;
        bool full;
        int ticks;
    };
    const TPhase phases[] = {{"disk full", true, 250}, {"room again", false, 10}, {"full again", true, 1},
                             {"room at the end", false, 2}};
    std::optional<TFileSizeLimit> limit(std::in_place, kLimit);
    ASSERT_TRUE(limit->Ok());
    ASSERT_EQ(acquisition.Start(), TStartResult::Started);
    EXPECT_TRUE(acquisition.TakeJournalNotice().isEmpty());
    const QString journal = JournalPath(settings.AutoSaveFile);
    const QByteArray start = ReadBytes(journal);
    uint32_t h = 0;
    ASSERT_GE(start.size(), 16);
    std::memcpy(&h, start.constData() + 12, 4);
    EXPECT_EQ(start.size(), qsizetype(h)) << "the empty slots do not fit";

    // Record k ends at byte h + 40 k; those ending beyond the limit fail.
    int failed = 0;
    int32_t k = 0;
    for (const TPhase &p : phases) {
        if (!p.full)
            limit.reset();
        else if (!limit)
            limit.emplace(kLimit);
        int messages = 0;
        int expectedMessages = 0;
        bool failing = false;
        for (int i = 0; i < p.ticks; ++i) {
            ++k;
            const bool fails = p.full && h + 40 * uint64_t(k) > kLimit;
            failed += fails;
            expectedMessages += fails && !failing;
            failing = fails;
            const TTickResult tick = acquisition.Tick({});
            ASSERT_EQ(tick.outcome, TTickOutcome::Stored) << p.name;
            if (!tick.journalMessage.isEmpty()) {
                ++messages;
                EXPECT_TRUE(tick.journalMessage.contains(journal)) << tick.journalMessage.toStdString();
                EXPECT_TRUE(tick.journalMessage.contains(QStringLiteral("точку %1").arg(k)))
                    << tick.journalMessage.toStdString();
            }
        }
        EXPECT_EQ(messages, expectedMessages) << p.name;
        EXPECT_TRUE(acquisition.Running()) << p.name;
    }
    limit.reset();
    EXPECT_EQ(run->Count, k);
    EXPECT_GT(failed, 40);

    auto read = NewRun();
    TRunTimes times;
    const TJournalContents contents = ReadJournal(ReadBytes(journal), *read, times);
    EXPECT_EQ(contents.recovered, k - failed);
    EXPECT_EQ(contents.dropped, failed);
}

namespace {

constexpr int kRecordingKills = 100;

// The stored samples of the kill test's run: the good scans of the simulated
// dilatometer with that seed, read through the board libraries as the
// recording process reads them.
std::vector<std::array<int32_t, 3>> GoodScans(int seed, size_t count)
{
    TRecordingLinkBoard board(KillTestSimulator(seed));
    const TSettings settings = KillTestSettings(QStringLiteral("/unused"));
    std::vector<std::array<int32_t, 3>> good;
    if (!board.InitDaqlink({settings.Chan1, settings.Chan2, settings.Chan3}))
        return good;
    while (good.size() < count) {
        std::array<int32_t, 3> r{};
        board.GetRes(r);
        if (std::find(r.begin(), r.end(), int32_t(settings.ErrorCode)) == r.end())
            good.push_back(r);
    }
    return good;
}

// The count of the last tick the recording process logged as returned.
int32_t LastLoggedTick(const QString &log)
{
    const QList<QByteArray> lines = ReadBytes(log).split('\n');
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        if (!line->isEmpty())
            return line->toInt();
    }
    return 0;
}

} // namespace

// A recording process killed at random moments of its run; a start of the
// program afterwards, answering Yes, gets back every sample whose tick had
// returned, in order and as the board gave it, and at most the one sample in
// flight besides; nothing is said of dropped records, the recovered run is
// the autosave file and the journal is gone.
TEST(CrashSafety, KilledRecordingIsRecoveredAtTheNextStart)
{
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> delay(0, 300000);
    int withInFlight = 0, empty = 0, pastAutosave = 0;
    int32_t longest = 0;
    QElapsedTimer clock;
    clock.start();
    for (int kill = 1; kill <= kRecordingKills; ++kill) {
        QTemporaryDir dir;
        QProcess recorder;
        recorder.start(QStringLiteral(VAROTEM_JOURNAL_RECORDER), {dir.path(), QString::number(kill)});
        ASSERT_TRUE(recorder.waitForStarted(30000) && recorder.waitForReadyRead(60000)) << "kill " << kill;
        ASSERT_EQ(recorder.readLine().trimmed(), "ready") << "kill " << kill;
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        recorder.kill();
        recorder.waitForFinished(30000);
        ASSERT_EQ(recorder.exitStatus(), QProcess::CrashExit) << "kill " << kill << ": the run ended first";
        const int32_t logged = LastLoggedTick(dir.filePath("ticks.log"));

        TRecordingPrompt prompt;
        prompt.yesNo = {true};
        TScriptedBoard board;
        auto form = NewForm(dir, board);
        const int32_t n = form->RunData.Count;
        ASSERT_GE(n, logged) << "kill " << kill;
        ASSERT_LE(n, logged + 1) << "kill " << kill;
        const QStringList questions =
            n > 0 ? QStringList{QStringLiteral("Прием информации был прерван. Восстановить запись (%1 точек)?").arg(n)}
                  : QStringList();
        EXPECT_EQ(prompt.questions, questions) << "kill " << kill;
        const std::vector<std::array<int32_t, 3>> good = GoodScans(kill, size_t(n));
        ASSERT_EQ(good.size(), size_t(n));
        for (int32_t i = 0; i < n; ++i) {
            ASSERT_EQ(double(form->RunData.T[i]), good[size_t(i)][0]) << "kill " << kill << " sample " << i + 1;
            ASSERT_EQ(double(form->RunData.L[i]), good[size_t(i)][1]) << "kill " << kill << " sample " << i + 1;
            ASSERT_EQ(double(form->RunData.TC[i]), good[size_t(i)][2]) << "kill " << kill << " sample " << i + 1;
        }
        for (const QString &m : prompt.messages)
            EXPECT_FALSE(m.contains(QStringLiteral("урнал"))) << "kill " << kill << ": " << m.toStdString();
        EXPECT_FALSE(QFileInfo::exists(JournalPath(form->Settings.AutoSaveFile))) << "kill " << kill;
        if (n > 0) {
            EXPECT_EQ(ReadBytes(form->Settings.AutoSaveFile), Bytes(form->RunData)) << "kill " << kill;
        }
        withInFlight += n > logged;
        empty += n == 0;
        pastAutosave += n > form->Settings.AutoSaveTime;
        longest = std::max(longest, n);
    }
    std::printf("%d recording kills in %lld ms: %d recovered one sample past the log, %d before the first sample, "
                "%d past the first autosave, longest run %d samples\n",
                kRecordingKills, static_cast<long long>(clock.elapsed()), withInFlight, empty, pastAutosave,
                int(longest));
}
