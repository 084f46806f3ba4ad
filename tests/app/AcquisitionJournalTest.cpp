// The journal of a recorded run: which samples it holds and with what time,
// when a new one begins, and when it goes at the end of the run.
#include "app/core/Acquisition.h"
#include "tests/app/AppTestUtil.h"
#include "tests/app/CoreTestUtil.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

using TReading = std::array<int32_t, 3>;

struct TJournalRig {
    QTemporaryDir dir;
    TScriptedBoard board;
    std::unique_ptr<TRunData> run = NewRun();
    TSettings settings;
    TAcquisition acquisition{board, *run, settings};
    int64_t now = 1767225600000;  // the clock: a second per reading

    TJournalRig()
    {
        settings.AutoSaveFile = dir.filePath("auto.dat");
        board.readings = {{100, 200, 300}};
        acquisition.SetClock([this] { return now += 1000; });
    }
    QString JournalFile() const { return JournalPath(settings.AutoSaveFile); }
    bool HasJournal() const { return QFileInfo::exists(JournalFile()); }
    // The journal as the next start would read it.
    TJournalContents Read(TRunData &into, TRunTimes &times) const
    {
        return ReadJournal(ReadBytes(JournalFile()), into, times);
    }
};

} // namespace

// Only stored samples reach the journal, each with its time; a new start
// begins a new journal from sample 1.
TEST(AcquisitionJournal, HoldsTheStoredSamplesAndTheirTimes)
{
    TJournalRig rig;
    rig.board.readings = {{100, 200, 300}, {-1, 5, 5}, {101, 201, 301}, {102, 202, -1}, {103, 203, 303}};
    ASSERT_EQ(rig.acquisition.Start(), TStartResult::Started);
    EXPECT_TRUE(rig.acquisition.TakeJournalNotice().isEmpty());
    const int64_t start = rig.now;
    for (int k = 0; k < 5; ++k)
        EXPECT_TRUE(rig.acquisition.Tick({}).journalMessage.isEmpty());

    auto read = NewRun();
    TRunTimes times;
    const TJournalContents contents = rig.Read(*read, times);
    ASSERT_EQ(contents.state, TJournalState::Readable);
    EXPECT_EQ(contents.dropped, 0);
    // Stored at the first, third and fifth reading; the clock is read once at
    // the start and once per stored sample.
    const double expected[3][3] = {{100, 200, 300}, {101, 201, 301}, {103, 203, 303}};
    ASSERT_EQ(read->Count, 3);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(double(read->T[k]), expected[k][0]) << k;
        EXPECT_EQ(double(read->L[k]), expected[k][1]) << k;
        EXPECT_EQ(double(read->TC[k]), expected[k][2]) << k;
        EXPECT_EQ(times.sampleMs[size_t(k)], start + 1000 * (k + 1)) << k;
    }
    EXPECT_EQ(Bytes(*read), Bytes(*rig.run));
    EXPECT_EQ(times.startMs, start);
    EXPECT_EQ(rig.acquisition.Times().startMs, start);
    EXPECT_EQ(rig.acquisition.Times().sampleMs[2], start + 3000);

    rig.board.readings = {{7, 8, 9}};
    ASSERT_EQ(rig.acquisition.Start(), TStartResult::Started);
    rig.acquisition.Tick({});
    ASSERT_EQ(rig.Read(*read, times).recovered, 1);
    EXPECT_EQ(double(read->T[0]), 7);
    EXPECT_EQ(times.startMs, start + 4000);
    EXPECT_EQ(QDir(rig.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{".auto.dat.varotem-journal"});
}

// A run replaced or cut between two ticks (the test run, a file opened, an
// interval chosen) is journalled anew, as it stands, at the next tick.
TEST(AcquisitionJournal, RunChangedDuringRecordingIsJournalledAnew)
{
    struct TRow {
        const char *name;
        void (*change)(TRunData &);
        int32_t count;  // after the next tick
        bool told;      // the window tells of a run it replaced; a cut is not told
    };
    const TRow rows[] = {
        {"the test run", [](TRunData &run) { FillTestRun(run); }, 601, true},
        {"cut to two samples", [](TRunData &run) { run.Count = 2; }, 3, false},
        {"emptied", [](TRunData &run) { run.Count = 0; }, 1, false},
        // As long as the run recorded so far: only the notice tells them apart.
        {"another run of four samples",
         [](TRunData &run) {
             for (int32_t k = 0; k < 4; ++k) {
                 run.T[k] = 10 + k;
                 run.L[k] = 20 + k;
                 run.TC[k] = 30 + k;
             }
         },
         5, true},
    };
    for (const TRow &r : rows) {
        TJournalRig rig;
        ASSERT_EQ(rig.acquisition.Start(), TStartResult::Started);
        for (int k = 0; k < 4; ++k)
            rig.acquisition.Tick({});
        r.change(*rig.run);
        if (r.told)
            rig.acquisition.RunReplaced();
        EXPECT_TRUE(rig.acquisition.Tick({}).journalMessage.isEmpty()) << r.name;
        rig.acquisition.Tick({});

        auto read = NewRun();
        TRunTimes times;
        const TJournalContents contents = rig.Read(*read, times);
        EXPECT_EQ(contents.dropped, 0) << r.name;
        ASSERT_EQ(read->Count, r.count + 1) << r.name;
        for (TChannel c : {TChannel::T, TChannel::L, TChannel::TC})
            EXPECT_EQ(ChannelValues(*read, c), ChannelValues(*rig.run, c)) << r.name;
        // The samples before the change have no known time.
        for (int32_t k = 0; k <= r.count; ++k)
            EXPECT_EQ(times.sampleMs[size_t(k)] != 0, k >= r.count - 1) << r.name << " sample " << k + 1;
    }
}

// What becomes of the journal when the run ends: gone once the run is on
// disk; kept while the run is only in memory, until it is saved or replaced
// or the program closes; kept past closing when the last autosave failed.
TEST(AcquisitionJournal, EndOfTheRun)
{
    enum class TAfter { Nothing, Released, Closing };
    struct TRow {
        const char *name;
        bool autosave;
        bool autosaveFails;
        int32_t limit;
        int ticks;
        TAfter after;
        bool keptAtStop;
        bool keptAfter;
        int32_t fileCount;  // the autosave file's Count; -1: none
    };
    const TRow rows[] = {
        {"stopped: the last samples autosaved", true, false, 10000, 7, TAfter::Nothing, false, false, 7},
        {"stopped on an autosave", true, false, 10000, 300, TAfter::Nothing, false, false, 300},
        {"point limit", true, false, 5, 5, TAfter::Nothing, false, false, 5},
        {"nothing recorded", true, false, 10000, 0, TAfter::Nothing, false, false, -1},
        {"autosave off, run saved or replaced", false, false, 10000, 7, TAfter::Released, true, false, -1},
        {"autosave off, program closed", false, false, 10000, 7, TAfter::Closing, true, false, -1},
        {"autosave off, point limit", false, false, 5, 5, TAfter::Nothing, true, true, -1},
        {"last autosave failed, program closed", true, true, 10000, 7, TAfter::Closing, true, true, -1},
        {"last autosave failed, run saved", true, true, 10000, 7, TAfter::Released, true, false, -1},
    };
    for (const TRow &r : rows) {
        TJournalRig rig;
        rig.settings.AutoSaveFlag = r.autosave;
        rig.settings.N = r.limit;
        if (r.autosaveFails) {  // a directory where the file should be; the journal beside it works
            ASSERT_TRUE(QDir(rig.dir.path()).mkdir("auto.dat"));
        }
        ASSERT_EQ(rig.acquisition.Start(), TStartResult::Started) << r.name;
        for (int k = 0; k < r.ticks; ++k)
            rig.acquisition.Tick({});
        const QString message = rig.acquisition.Running() ? rig.acquisition.Stop() : QString();
        EXPECT_EQ(message.isEmpty(), !r.autosaveFails) << r.name << ": " << message.toStdString();
        if (r.autosaveFails) {
            EXPECT_TRUE(message.contains("предложит восстановить запись")) << message.toStdString();
        }
        EXPECT_EQ(rig.HasJournal(), r.keptAtStop) << r.name;
        if (r.after == TAfter::Released)
            rig.acquisition.RunReleased();
        if (r.after == TAfter::Closing)
            rig.acquisition.ProgramClosing();
        EXPECT_EQ(rig.HasJournal(), r.keptAfter) << r.name;
        const QByteArray saved = ReadBytes(rig.settings.AutoSaveFile);
        EXPECT_EQ(saved.isEmpty() ? -1 : rig.run->Count, r.fileCount) << r.name;
        if (!saved.isEmpty()) {
            EXPECT_EQ(saved, Bytes(*rig.run)) << r.name;
        }
        // A second stop changes nothing.
        EXPECT_TRUE(rig.acquisition.Stop().isEmpty()) << r.name;
        EXPECT_EQ(rig.HasJournal(), r.keptAfter) << r.name;
    }
}

// A start that finds the journal of an interrupted run in its place keeps it
// under a dated name and says so; a journal that cannot be begun is said
// once, and the run goes on without.
TEST(AcquisitionJournal, NoticesAtTheStart)
{
    {
        TJournalRig rig;
        WriteBytes(rig.JournalFile(), "an interrupted run");
        ASSERT_EQ(rig.acquisition.Start(), TStartResult::Started);
        const QString notice = rig.acquisition.TakeJournalNotice();
        EXPECT_TRUE(notice.contains("auto.dat.varotem-journal-")) << notice.toStdString();
        EXPECT_TRUE(rig.acquisition.TakeJournalNotice().isEmpty());
        const QStringList files = QDir(rig.dir.path()).entryList(QDir::Files | QDir::Hidden);
        ASSERT_EQ(files.size(), 2);
        EXPECT_EQ(ReadBytes(rig.dir.filePath(files.filter("-20").value(0))), "an interrupted run");
    }
    {
        TJournalRig rig;
        rig.settings.AutoSaveFile = UnwritablePath(rig.dir, "auto.dat");
        rig.settings.AutoSaveFlag = false;
        ASSERT_EQ(rig.acquisition.Start(), TStartResult::Started);
        const QString notice = rig.acquisition.TakeJournalNotice();
        EXPECT_TRUE(notice.contains("Журнал приема информации не удалось создать")) << notice.toStdString();
        for (int k = 0; k < 3; ++k)
            EXPECT_TRUE(rig.acquisition.Tick({}).journalMessage.isEmpty());
        EXPECT_EQ(rig.run->Count, 3);
        EXPECT_TRUE(rig.acquisition.Running());
    }
}

// The journal stays where the start put it: a run cut during recording (so
// the journal is written anew) and an autosave file name changed meanwhile
// in the settings move nothing, and the stop removes that very journal.
TEST(AcquisitionJournal, StaysAtItsPathWhenTheRunIsCutAndTheNameChanges)
{
    for (const bool autosaveFails : {false, true}) {
        TJournalRig rig;
        const QString journal = rig.JournalFile();
        ASSERT_EQ(rig.acquisition.Start(), TStartResult::Started);
        for (int k = 0; k < 4; ++k)
            rig.acquisition.Tick({});
        rig.run->Count = 2;  // an interval chosen during the run
        rig.settings.AutoSaveFile = rig.dir.filePath(autosaveFails ? "renamed/x.dat" : "renamed.dat");
        rig.acquisition.Tick({});
        rig.acquisition.Tick({});
        EXPECT_EQ(rig.acquisition.Journal().Path().toStdString(), journal.toStdString()) << autosaveFails;

        const QString message = rig.acquisition.Stop();
        EXPECT_EQ(message.isEmpty(), !autosaveFails) << message.toStdString();
        auto read = NewRun();
        TRunTimes times;
        if (autosaveFails) {  // kept with the whole run, at its own path
            ASSERT_EQ(ReadJournal(ReadBytes(journal), *read, times).recovered, 4);
            EXPECT_EQ(Bytes(*read), Bytes(*rig.run));
            rig.acquisition.ProgramClosing();
            EXPECT_TRUE(QFileInfo::exists(journal));
        } else {
            EXPECT_FALSE(QFileInfo::exists(journal));
            EXPECT_EQ(ReadBytes(rig.settings.AutoSaveFile), Bytes(*rig.run));
        }
        const QStringList left = QDir(rig.dir.path()).entryList(QDir::Files | QDir::Hidden);
        EXPECT_EQ(left.filter("journal").size(), autosaveFails ? 1 : 0) << left.join(' ').toStdString();
    }
}

// A journal kept at closing (its run's last autosave failed) after the
// autosave file name was changed during the run goes beside the new name:
// the settings are written with that name, and the next start looks there.
TEST(AcquisitionJournal, KeptJournalFollowsTheNewNameAtClosing)
{
    TJournalRig rig;
    const QString before = rig.JournalFile();
    ASSERT_EQ(rig.acquisition.Start(), TStartResult::Started);
    for (int k = 0; k < 3; ++k)
        rig.acquisition.Tick({});
    ASSERT_TRUE(QDir(rig.dir.path()).mkdir("other.dat"));  // the new file cannot be written
    rig.settings.AutoSaveFile = rig.dir.filePath("other.dat");
    EXPECT_FALSE(rig.acquisition.Stop().isEmpty());
    rig.acquisition.ProgramClosing();
    EXPECT_FALSE(QFileInfo::exists(before));

    auto read = NewRun();
    TRunTimes times;
    ASSERT_EQ(rig.Read(*read, times).recovered, 3);
    EXPECT_EQ(Bytes(*read), Bytes(*rig.run));

    // A journal already beside the new name is never replaced: the kept one stays put.
    TJournalRig taken;
    ASSERT_EQ(taken.acquisition.Start(), TStartResult::Started);
    taken.acquisition.Tick({});
    ASSERT_TRUE(QDir(taken.dir.path()).mkdir("other.dat"));
    taken.settings.AutoSaveFile = taken.dir.filePath("other.dat");
    WriteBytes(taken.JournalFile(), "another run");
    taken.acquisition.Stop();
    taken.acquisition.ProgramClosing();
    EXPECT_EQ(ReadBytes(taken.JournalFile()), "another run");
    EXPECT_TRUE(QFileInfo::exists(JournalPath(taken.dir.filePath("auto.dat"))));
}

// A run stopped by its point limit whose final autosave fails is told so,
// also when the autosaves before had failed already (a streak is said once
// while the run goes on, but the last one decides whether the run is on
// disk); the journal stays until the run is.
TEST(AcquisitionJournal, FailedFinalAutosaveAtThePointLimitIsReported)
{
    struct TRow {
        const char *name;
        int32_t every;     // AutoSaveTime
        bool failsBefore;  // the autosaves before the limit fail too
    };
    const TRow rows[] = {
        {"the first failure is the last autosave", 100, false},
        {"after a streak of failures", 1, true},
        {"after a good autosave", 2, false},
    };
    for (const TRow &r : rows) {
        TJournalRig rig;
        rig.settings.N = 6;
        rig.settings.AutoSaveTime = r.every;
        const QString bad = rig.dir.filePath("folder.dat");
        ASSERT_TRUE(QDir(rig.dir.path()).mkdir("folder.dat"));
        if (r.failsBefore)
            rig.settings.AutoSaveFile = bad;
        const QString journal = rig.JournalFile();
        ASSERT_EQ(rig.acquisition.Start(), TStartResult::Started);
        for (int k = 0; k < 5; ++k)
            rig.acquisition.Tick({});
        rig.settings.AutoSaveFile = bad;
        const TTickResult last = rig.acquisition.Tick({});
        EXPECT_FALSE(rig.acquisition.Running()) << r.name;
        EXPECT_TRUE(last.autosaveMessage.contains(bad)) << r.name << ": " << last.autosaveMessage.toStdString();
        EXPECT_TRUE(last.autosaveMessage.contains("предложит восстановить запись")) << r.name;
        EXPECT_FALSE(last.autosaveMessage.contains("продолжается")) << r.name;
        EXPECT_TRUE(QFileInfo::exists(journal)) << r.name;
        rig.acquisition.ProgramClosing();
        EXPECT_TRUE(QFileInfo::exists(JournalPath(bad))) << r.name;
        EXPECT_TRUE(rig.acquisition.Stop().isEmpty()) << r.name;
    }
}
