// Recording a run without a window: start, ticks, autosave, limits, heater.
#include "app/core/Acquisition.h"
#include "app/core/AppPaths.h"
#include "tests/app/AppTestUtil.h"
#include "tests/app/CoreTestUtil.h"

#include <QFileInfo>
#include <gtest/gtest.h>

#include <cstring>

namespace {

using TReading = std::array<int32_t, 3>;

struct TRig {
    TScriptedBoard board;
    std::unique_ptr<TRunData> run = NewRun();
    TSettings settings;
    TAcquisition acquisition{board, *run, settings};
    QTemporaryDir dir;

    TRig()
    {
        settings.AutoSaveFile = dir.filePath("auto.dat");
        board.readings = {{100, 200, 300}};
    }
    // Ticks with no redraw.
    TTickResult Tick() { return acquisition.Tick({}); }
};

int32_t FileCount(const QString &name)
{
    const QByteArray bytes = ReadBytes(name);
    int32_t count = -1;
    if (bytes.size() >= 4)
        std::memcpy(&count, bytes.constData(), 4);
    return count;
}

} // namespace

TEST(AcquisitionLimits, HandEditedValuesAreHeldInRange)
{
    struct TRow {
        const char *name;
        int32_t interval, autosave, n;
        int32_t periodMs, every, limit;
    };
    const TRow rows[] = {
        {"defaults", 1, 300, 10000, 1000, 300, 10000},
        {"zero and negative", 0, -5, 1, 1000, 1, 1},
        {"a minute", 60, 1, 5, 60000, 1, 5},
        {"more than the run holds", 2, 10000, 20000, 2000, 10000, 10000},
        {"period beyond a timer", 3000000, 7, -3, 2147483 * 1000, 7, -3},
    };
    for (const TRow &r : rows) {
        TSettings s;
        s.TimerWorkInterval = r.interval;
        s.AutoSaveTime = r.autosave;
        s.N = r.n;
        EXPECT_EQ(TimerPeriodMs(s), r.periodMs) << r.name;
        EXPECT_EQ(AutoSaveEvery(s), r.every) << r.name;
        EXPECT_EQ(PointLimit(s), r.limit) << r.name;
    }
}

TEST(AcquisitionStart, FailedStartsChangeNothing)
{
    TRig rig;
    FillTestRun(*rig.run);
    const QByteArray before = Bytes(*rig.run);
    rig.settings.ManageFlag = true;

    rig.board.initResult = false;
    EXPECT_EQ(rig.acquisition.Start(), TStartResult::NoConverter);
    EXPECT_EQ(StartMessage(TStartResult::NoConverter), QStringLiteral("Устройство АЦП не найдено!"));

    rig.board.initResult = true;
    rig.board.weigherResult = false;
    rig.settings.LWeightDriver = true;
    EXPECT_EQ(rig.acquisition.Start(), TStartResult::NoWeigher);
    EXPECT_EQ(StartMessage(TStartResult::NoWeigher), QStringLiteral("Весы не найдены!"));

    EXPECT_FALSE(rig.acquisition.Running());
    EXPECT_EQ(Bytes(*rig.run), before);
    EXPECT_TRUE(rig.board.commands.empty()) << "no heater command without a start";
    // The weigher is asked for its state just before it is opened; the
    // converter opened for that start stays open.
    const std::vector<std::string> expected{"InitDaqlink", "InitDaqlink", "GetStatusWindow", "InitAuxlink"};
    EXPECT_EQ(rig.board.calls, expected);
}

// A start that fails while a run is being acquired stops that run: nothing
// more is read, its samples stay and are autosaved when autosave is on.
TEST(AcquisitionStart, FailedRestartStopsTheRunAndKeepsItsSamples)
{
    struct TRow {
        const char *name;
        TStartResult result;  // the device that does not open
        bool autosave, unwritable;
        const char *tail;     // of the stop message
        int32_t fileCount;    // -1: no file written
    };
    const TRow rows[] = {
        {"no converter", TStartResult::NoConverter, true, false, "сохранены в файле", 3},
        {"no weigher", TStartResult::NoWeigher, true, false, "сохранены в файле", 3},
        {"autosave off", TStartResult::NoConverter, false, false, "остались в памяти.", -1},
        {"autosave fails", TStartResult::NoConverter, true, true, "остались в памяти.\nАвтосохранение:", -1},
    };
    for (const TRow &r : rows) {
        TRig rig;
        const bool weigher = r.result == TStartResult::NoWeigher;
        rig.settings.LWeightDriver = weigher;
        rig.settings.ManageFlag = true;
        rig.settings.AutoSaveFlag = r.autosave;
        if (r.unwritable)
            rig.settings.AutoSaveFile = UnwritablePath(rig.dir, "auto.dat");
        rig.board.weights = {5.0};
        ASSERT_EQ(rig.acquisition.Start(), TStartResult::Started) << r.name;
        for (int i = 0; i < 3; ++i)
            rig.Tick();
        const QByteArray recorded = Bytes(*rig.run);
        rig.board.commands.clear();

        rig.board.initResult = r.result != TStartResult::NoConverter;
        rig.board.weigherResult = false;
        QString stopped;
        EXPECT_EQ(rig.acquisition.Start(&stopped), r.result) << r.name;
        EXPECT_FALSE(rig.acquisition.Running()) << r.name;
        EXPECT_TRUE(stopped.startsWith("Прием информации остановлен. Записанные точки (3) ")) << r.name;
        EXPECT_TRUE(stopped.contains(QString::fromUtf8(r.tail))) << r.name << ": " << stopped.toStdString();
        EXPECT_EQ(Bytes(*rig.run), recorded) << r.name;
        EXPECT_EQ(FileCount(rig.settings.AutoSaveFile), r.fileCount) << r.name;
        EXPECT_EQ(rig.board.commands, std::vector<TCommand>{kHeaterOffCommand}) << r.name;
        EXPECT_EQ(rig.board.calls.back(), weigher ? "DoneAuxlink" : "DoneDaqlink") << r.name;
        EXPECT_EQ(rig.Tick().outcome, TTickOutcome::Idle) << r.name;
    }
}

TEST(AcquisitionStart, ZeroesTheRunAndSwitchesTheHeaterOn)
{
    for (const bool manage : {false, true}) {
        TRig rig;
        FillTestRun(*rig.run);
        rig.run->T[9999] = 7;
        rig.settings.ManageFlag = manage;
        rig.settings.Chan1 = 4;
        rig.settings.Chan2 = 5;
        rig.settings.Chan3 = 6;
        ASSERT_EQ(rig.acquisition.Start(), TStartResult::Started);
        EXPECT_TRUE(rig.acquisition.Running());
        EXPECT_EQ(rig.board.channels, (TReading{4, 5, 6}));

        auto expected = std::make_unique<TRunData>();
        std::memset(static_cast<void *>(expected.get()), 0, sizeof(TRunData));
        expected->CalcPoints = 100;
        expected->SampleLength = 50000.0;
        expected->QuartzLength = 50000.0;
        expected->QuartzAlpha = 5.2e-7;
        EXPECT_EQ(Bytes(*rig.run), Bytes(*expected)) << "manage " << manage;
        EXPECT_EQ(rig.board.commands, manage ? std::vector<TCommand>{kHeaterOnCommand} : std::vector<TCommand>{});
    }
}

// Which readings drop the sample: any converter reading equal to the marker,
// also the L channel when the weigher supplies L, and the weigher's own.
TEST(AcquisitionTick, FailedReadingsStoreNothing)
{
    struct TRow {
        const char *name;
        int16_t marker;
        bool weigher;
        TReading reading;
        double weight;
        bool stored;
        double storedL;
    };
    const TRow rows[] = {
        {"good reading", -1, false, {10, 20, 30}, 0, true, 20},
        {"T failed", -1, false, {-1, 20, 30}, 0, false, 0},
        {"L failed", -1, false, {10, -1, 30}, 0, false, 0},
        {"TC failed", -1, false, {10, 20, -1}, 0, false, 0},
        {"other marker", 7, false, {-1, 20, 7}, 0, false, 0},
        {"-1 is a reading under marker 7", 7, false, {-1, -1, -1}, 0, true, -1},
        {"weigher supplies L", -1, true, {10, 20, 30}, 12.25, true, 12.25},
        {"weigher failed", -1, true, {10, 20, 30}, -1.0, false, 0},
        {"L channel failed under the weigher", -1, true, {10, -1, 30}, 12.25, false, 0},
    };
    for (const TRow &r : rows) {
        TRig rig;
        rig.settings.ErrorCode = r.marker;
        rig.settings.LWeightDriver = r.weigher;
        rig.board.readings = {r.reading};
        rig.board.weights = {r.weight};
        ASSERT_EQ(rig.acquisition.Start(), TStartResult::Started) << r.name;
        int shows = 0;
        const TTickResult result = rig.acquisition.Tick([&] { ++shows; });
        EXPECT_EQ(result.outcome, r.stored ? TTickOutcome::Stored : TTickOutcome::FailedReading) << r.name;
        EXPECT_EQ(rig.run->Count, r.stored ? 1 : 0) << r.name;
        EXPECT_EQ(shows, r.stored ? 1 : 0) << r.name;
        if (r.stored) {
            EXPECT_EQ(double(rig.run->T[0]), r.reading[0]) << r.name;
            EXPECT_EQ(double(rig.run->L[0]), r.storedL) << r.name;
            EXPECT_EQ(double(rig.run->TC[0]), r.reading[2]) << r.name;
        }
        EXPECT_EQ(rig.board.Count("GetWRes"), r.weigher ? 1 : 0) << r.name;
    }
}

TEST(AcquisitionTick, ABoardThatWritesNothingStoresNothing)
{
    TRig rig;
    rig.board.readings.clear();  // GetRes leaves the readings as they were
    ASSERT_EQ(rig.acquisition.Start(), TStartResult::Started);
    EXPECT_EQ(rig.Tick().outcome, TTickOutcome::FailedReading);
    EXPECT_EQ(rig.run->Count, 0);
}

TEST(AcquisitionTick, IdleWithoutARunAndNotReentered)
{
    TRig rig;
    EXPECT_EQ(rig.Tick().outcome, TTickOutcome::Idle);
    EXPECT_EQ(rig.board.Count("GetRes"), 0);

    ASSERT_EQ(rig.acquisition.Start(), TStartResult::Started);
    TTickOutcome nested = TTickOutcome::Stored;
    rig.acquisition.Tick([&] { nested = rig.acquisition.Tick({}).outcome; });
    EXPECT_EQ(nested, TTickOutcome::Idle);
    EXPECT_EQ(rig.run->Count, 1);
    EXPECT_EQ(rig.board.Count("GetRes"), 1);
}

// The heater: off at the stop only for switch-off event 0; with the weigher
// in use the stop also closes it.
TEST(AcquisitionStop, PointLimitStopsTheRunAndTheHeater)
{
    struct TRow {
        const char *name;
        bool manage;
        int32_t stopEvent;
        bool weigher;
        std::vector<TCommand> commands;
    };
    const TRow rows[] = {
        {"no heating control", false, 0, false, {}},
        {"off at the end", true, 0, false, {kHeaterOnCommand, kHeaterOffCommand}},
        {"off by threshold only", true, 1, false, {kHeaterOnCommand}},
        {"weigher closed too", true, 0, true, {kHeaterOnCommand, kHeaterOffCommand}},
    };
    for (const TRow &r : rows) {
        TRig rig;
        rig.settings.N = 1;
        rig.settings.ManageFlag = r.manage;
        rig.settings.ManageStopEvent = r.stopEvent;
        rig.settings.LWeightDriver = r.weigher;
        rig.board.weights = {5.0};
        ASSERT_EQ(rig.acquisition.Start(), TStartResult::Started) << r.name;
        EXPECT_EQ(rig.Tick().outcome, TTickOutcome::Stored) << r.name;
        EXPECT_FALSE(rig.acquisition.Running()) << r.name;
        EXPECT_EQ(rig.run->Count, 1) << r.name;
        EXPECT_EQ(rig.board.commands, r.commands) << r.name;
        EXPECT_EQ(rig.board.Count("DoneDaqlink"), 1) << r.name;
        EXPECT_EQ(rig.board.Count("DoneAuxlink"), r.weigher ? 1 : 0) << r.name;
        EXPECT_EQ(rig.Tick().outcome, TTickOutcome::Idle) << r.name;
    }
}

// The redraw (with its threshold test) comes before the stop, so a heater
// command of the last sample still reaches an open board.
TEST(AcquisitionStop, LastSampleIsShownBeforeTheBoardCloses)
{
    TRig rig;
    rig.settings.N = 2;
    ASSERT_EQ(rig.acquisition.Start(), TStartResult::Started);
    rig.Tick();
    rig.acquisition.Tick([&] { rig.board.calls.push_back("show"); });
    const std::vector<std::string> tail(rig.board.calls.end() - 3, rig.board.calls.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"GetRes", "show", "DoneDaqlink"}));
}

TEST(AcquisitionStop, NeverBeyondTheRunsCapacity)
{
    QTemporaryDir dir;
    WriteBytes(dir.filePath("Varotem.ini"), "[Options]\nN=20000\nAutoSaveFlag=0\n");
    TSettings settings;
    ASSERT_TRUE(ReadSettings(SettingsFilePath(dir.path()), dir.path() + '/', settings).isEmpty());
    ASSERT_EQ(settings.N, 20000);

    TRecordingLinkBoard board("TemperatureNoise = 0\nLengthNoise = 0\n");
    auto run = NewRun();
    TAcquisition acquisition(board, *run, settings);
    ASSERT_EQ(acquisition.Start(), TStartResult::Started);
    int ticks = 0;
    while (acquisition.Running() && ticks < 20000) {
        acquisition.Tick({});
        ++ticks;
    }
    EXPECT_EQ(ticks, 10000);
    EXPECT_EQ(run->Count, 10000);
    EXPECT_FALSE(acquisition.Running());
    EXPECT_EQ(double(run->TC[9999]), board.scans[9999][2]);
}

// A run opened from a full file during acquisition: the next tick cannot
// append and stops the run instead.
TEST(AcquisitionStop, FullRunStopsWithoutStoring)
{
    TRig rig;
    ASSERT_EQ(rig.acquisition.Start(), TStartResult::Started);
    rig.run->Count = kRunCapacity;
    rig.run->T[kRunCapacity - 1] = 42;
    EXPECT_EQ(rig.Tick().outcome, TTickOutcome::Full);
    EXPECT_EQ(rig.run->Count, kRunCapacity);
    EXPECT_EQ(double(rig.run->T[kRunCapacity - 1]), 42);
    EXPECT_FALSE(rig.acquisition.Running());
}

TEST(AcquisitionAutosave, EveryAutoSaveTimeSamplesWhenSwitchedOn)
{
    struct TRow {
        const char *name;
        bool flag;
        int32_t every;
        int ticks;
        int32_t fileCount;  // -1: no file
    };
    const TRow rows[] = {
        {"before the first", true, 300, 299, -1},
        {"at 300", true, 300, 300, 300},
        {"between", true, 300, 599, 300},
        {"at 600", true, 300, 600, 600},
        {"switched off", false, 300, 600, -1},
        {"every sample", true, 1, 7, 7},
        {"zero taken as one", true, 0, 3, 3},
    };
    for (const TRow &r : rows) {
        TRig rig;
        rig.settings.AutoSaveFlag = r.flag;
        rig.settings.AutoSaveTime = r.every;
        ASSERT_EQ(rig.acquisition.Start(), TStartResult::Started);
        for (int i = 0; i < r.ticks; ++i)
            ASSERT_EQ(rig.Tick().outcome, TTickOutcome::Stored) << r.name;
        EXPECT_EQ(FileCount(rig.settings.AutoSaveFile), r.fileCount) << r.name;
        if (r.fileCount > 0) {
            EXPECT_EQ(QFileInfo(rig.settings.AutoSaveFile).size(), 240032) << r.name;
        }
    }
}

// A file that cannot be written is reported at the first failure of a
// streak; the run goes on.
TEST(AcquisitionAutosave, FailureReportedOncePerStreak)
{
    TRig rig;
    rig.settings.AutoSaveTime = 1;
    const QString good = rig.settings.AutoSaveFile;
    const QString bad = UnwritablePath(rig.dir, "auto.dat");
    ASSERT_EQ(rig.acquisition.Start(), TStartResult::Started);

    const std::pair<QString, bool> steps[] = {
        {bad, true}, {bad, false}, {bad, false}, {good, false}, {bad, true}, {bad, false},
    };
    int32_t count = 0;
    for (const auto &[file, reported] : steps) {
        rig.settings.AutoSaveFile = file;
        const TTickResult result = rig.Tick();
        ++count;
        EXPECT_EQ(result.outcome, TTickOutcome::Stored);
        EXPECT_EQ(!result.autosaveMessage.isEmpty(), reported) << count;
        if (reported) {
            EXPECT_TRUE(result.autosaveMessage.contains(bad)) << result.autosaveMessage.toStdString();
        }
    }
    EXPECT_EQ(rig.run->Count, count);
    EXPECT_TRUE(rig.acquisition.Running());
    EXPECT_EQ(FileCount(good), 4);
}

// Against the simulated dilatometer with failing conversions: exactly the
// scans without a failed reading are stored, in order.
TEST(AcquisitionSimulated, StoresTheGoodScansInOrder)
{
    TRecordingLinkBoard board("Seed = 5\nFailureRate = 0.1\n");
    auto run = NewRun();
    TSettings settings;
    settings.AutoSaveFlag = false;
    TAcquisition acquisition(board, *run, settings);
    ASSERT_EQ(acquisition.Start(), TStartResult::Started);
    for (int i = 0; i < 200; ++i)
        acquisition.Tick({});

    std::vector<TReading> good;
    for (const TReading &scan : board.scans) {
        if (std::find(scan.begin(), scan.end(), -1) == scan.end())
            good.push_back(scan);
    }
    ASSERT_EQ(board.scans.size(), 200u);
    EXPECT_LT(good.size(), 200u) << "the failure rate should drop some scans";
    ASSERT_EQ(run->Count, int32_t(good.size()));
    for (size_t i = 0; i < good.size(); ++i) {
        ASSERT_EQ(double(run->T[i]), good[i][0]) << i;
        ASSERT_EQ(double(run->L[i]), good[i][1]) << i;
        ASSERT_EQ(double(run->TC[i]), good[i][2]) << i;
    }
    // The furnace heats from room temperature.
    EXPECT_GT(double(run->T[run->Count - 1]), double(run->T[0]) + 100);
}

// "Код ошибки" and the board library's own failure code (daqlink.ini) are one:
// the program tells the library its code when it opens the board and before
// each reading, so every failed conversion reads as the program's marker and
// is dropped, also when the marker changes during the run.
TEST(AcquisitionSimulated, AFailedConversionNeverBecomesASample)
{
    struct TRow {
        const char *name;
        int16_t atStart, later;  // "Код ошибки" for the first and the next ten ticks
    };
    const TRow rows[] = {
        {"the library's default", -1, -1},  {"changed before the run", 5, 5},
        {"lowest of the dialog", -32000, -32000}, {"highest of the dialog", 32000, 32000},
        {"changed during the run", -1, 0},   {"changed back", 7, -1},
    };
    for (const TRow &r : rows) {
        TRecordingLinkBoard board("FailureRate = 1\n");  // every conversion fails
        auto run = NewRun();
        TSettings settings;
        settings.AutoSaveFlag = false;
        settings.ErrorCode = r.atStart;
        TAcquisition acquisition(board, *run, settings);
        ASSERT_EQ(acquisition.Start(), TStartResult::Started) << r.name;
        EXPECT_EQ(acquisition.Tick({}).outcome, TTickOutcome::FailedReading) << r.name;
        settings.ErrorCode = r.later;
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(acquisition.Tick({}).outcome, TTickOutcome::FailedReading) << r.name;
        EXPECT_EQ(run->Count, 0) << r.name;
        ASSERT_EQ(board.scans.size(), 11u) << r.name;
        EXPECT_EQ(board.scans.front(), (TReading{r.atStart, r.atStart, r.atStart})) << r.name;
        EXPECT_EQ(board.scans.back(), (TReading{r.later, r.later, r.later})) << r.name;
    }
}
