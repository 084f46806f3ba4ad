// A full-length run against the simulated dilatometer: 10000 stored samples
// with failing conversions, autosave, heating control with a switch-off
// threshold, and the heap over such a run; and the autosave at the point limit.
#include "chart/ChartCanvas.h"
#include "chart/ChartLabels.h"
#include "tests/app/MainFormTestUtil.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdio>
#include <malloc.h>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's count of live heap bytes (GCC ships no header for it).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

using TScan = std::array<int32_t, 3>;

constexpr double kThreshold = 300.0;  // switch-off temperature, deg C
constexpr int kMaxTicks = 12000;      // far more than 10000 samples at 1 % failed conversions need

// The furnace heats at 5 K/min; at 6 s per scan the sample passes 300 deg C
// near scan 570, and with the heating cut the furnace cools to room temperature.
const char *const kSimulator = "Seed = 9\nStep = 6\nFailureRate = 0.01\n";

// Bytes of live heap allocations, as the allocator in use counts them.
size_t LiveHeapBytes()
{
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

// Bytes the three charts hold for their copies of the curves.
size_t ChartCurveBytes(const TMainForm &form)
{
    size_t bytes = 0;
    for (const TSimpleChart *chart : {form.ChartT, form.ChartL, form.ChartTC})
        bytes += (chart->Data().X.capacity() + chart->Data().Y.capacity()) * sizeof(double);
    return bytes;
}

// The heap a chart's label cache takes at its fullest: it starts afresh once
// it holds 512 texts, so 513 blocks of time labels like those of a long run.
size_t FullLabelCacheBytes()
{
    const size_t before = LiveHeapBytes();
    chart::TTextCache cache;
    for (int i = 0; i < 513; ++i)
        cache.Block(chart::LabelFont(), qRgb(0, 0, 0), qRgb(255, 255, 255),
                    chart::XLabels(TSCXDrawing::ByTime, 1, 9000 + i)[4]);
    return LiveHeapBytes() - before;
}

// The board libraries over the simulated dilatometer.
class TSimBoard : public TLinkBoard {
public:
    explicit TSimBoard(const std::string &simulatorSettings) { daqboard::OverrideSettings(simulatorSettings); }
    ~TSimBoard() override
    {
        TLinkBoard::DoneDaqlink();
        daqboard::OverrideSettings(std::nullopt);
    }
};

// Every scan, and every heater command with the number of scans read before
// it. Room for kMaxTicks scans is reserved, so logging does not grow the heap.
class TLoggingBoard : public TSimBoard {
public:
    explicit TLoggingBoard(const std::string &simulatorSettings) : TSimBoard(simulatorSettings)
    {
        scans.reserve(kMaxTicks);
    }
    std::vector<TScan> scans;
    std::vector<std::pair<size_t, TCommand>> commands;

    void GetRes(TScan &r) override
    {
        TSimBoard::GetRes(r);
        scans.push_back(r);
    }
    void SetRes(int32_t n, const uint8_t *data, int32_t lastIndex) override
    {
        commands.emplace_back(scans.size(), TCommand(data, data + std::min(n, lastIndex + 1)));
        TSimBoard::SetRes(n, data, lastIndex);
    }
};

bool GoodScan(const TScan &scan, int32_t marker)
{
    return std::find(scan.begin(), scan.end(), marker) == scan.end();
}

// The Count a run file holds, or -1 when there is no such file.
int32_t FileCount(const QString &name)
{
    QFile file(name);
    int32_t count = -1;
    if (!file.open(QIODevice::ReadOnly) || file.read(reinterpret_cast<char *>(&count), 4) != 4)
        return -1;
    return count;
}

} // namespace

// The window records the whole run as the program's timer would drive it,
// with the event loop run between ticks. The timer's own period is an hour,
// so only the test's ticks happen.
TEST(FullRun, TenThousandSamplesInTheWindow)
{
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TLoggingBoard board(kSimulator);
    auto form = NewForm(dir, board);
    prompt.messages.clear();
    TSettings &s = form->Settings;
    s.TimerWorkInterval = 3600;
    s.Chan3 = 2;  // TC from the furnace's thermocouple
    s.AutoSaveTime = 300;
    s.ManageFlag = true;
    s.ManageStopEvent = kStopTAbove;
    s.ManageValue = kThreshold;
    const QString autosave = s.AutoSaveFile;
    ASSERT_TRUE(autosave.startsWith(dir.path()));

    QElapsedTimer clock;
    clock.start();
    form->GoClick();
    ASSERT_TRUE(form->Timer1->isActive());

    size_t heapAt1000 = 0, curvesAt1000 = 0;
    int autosaves = 0;
    int32_t onDisk = -1;
    int ticks = 0;
    while (form->Timer1->isActive()) {
        ASSERT_LT(ticks, kMaxTicks);
        form->Timer1Timer();
        QCoreApplication::processEvents();
        ++ticks;
        const int32_t n = form->RunData.Count;
        if (n == 1000 && !heapAt1000) {
            heapAt1000 = LiveHeapBytes();
            curvesAt1000 = ChartCurveBytes(*form);
        }
        // The file is written at every 300th sample and at the last one, and
        // then holds the run byte for byte.
        const bool saveDue = n > 0 && (n % 300 == 0 || n == 10000);
        const int32_t expected = saveDue ? n : n - n % 300;
        if (saveDue && onDisk != n) {
            ASSERT_EQ(ReadBytes(autosave), Bytes(form->RunData)) << "sample " << n;
            ++autosaves;
            onDisk = n;
        }
        ASSERT_EQ(FileCount(autosave), expected > 0 ? expected : -1) << "tick " << ticks;
    }
    const qint64 runMs = clock.elapsed();
    const size_t heapAtEnd = LiveHeapBytes();
    const size_t curvesAtEnd = ChartCurveBytes(*form);

    // The run holds exactly the scans without a failed conversion, in order.
    std::vector<TScan> good;
    for (const TScan &scan : board.scans) {
        if (GoodScan(scan, s.ErrorCode))
            good.push_back(scan);
    }
    ASSERT_EQ(board.scans.size(), size_t(ticks));
    ASSERT_EQ(good.size(), 10000u);
    ASSERT_EQ(form->RunData.Count, 10000);
    for (size_t i = 0; i < good.size(); ++i) {
        ASSERT_EQ(double(form->RunData.T[i]), good[i][0]) << i;
        ASSERT_EQ(double(form->RunData.L[i]), good[i][1]) << i;
        ASSERT_EQ(double(form->RunData.TC[i]), good[i][2]) << i;
    }
    // Each of three conversions fails with 1 % chance: 2.97 % of the scans.
    const double failedShare = double(ticks - 10000) / ticks;
    EXPECT_GT(failedShare, 0.015);
    EXPECT_LT(failedShare, 0.045);
    EXPECT_EQ(autosaves, 34) << "33 multiples of 300 and the last sample";

    // Heater on at the start; off after every stored sample above the
    // threshold (default calibration: T in deg C is the raw code); nothing at
    // the stop for this switch-off event.
    std::vector<std::pair<size_t, TCommand>> expectedCommands{{0, kHeaterOnCommand}};
    for (size_t k = 0; k < board.scans.size(); ++k) {
        if (GoodScan(board.scans[k], s.ErrorCode) && board.scans[k][0] > kThreshold)
            expectedCommands.emplace_back(k + 1, kHeaterOffCommand);
    }
    EXPECT_EQ(board.commands, expectedCommands);
    EXPECT_GT(expectedCommands.size(), 1u) << "the sample should pass the threshold";
    EXPECT_NEAR(double(form->RunData.T[9999]), 20.0, 2.0) << "with the heating cut the furnace cools to the room";
    EXPECT_TRUE(prompt.messages.isEmpty()) << prompt.messages.join('\n').toStdString();

    // Memory. What a run may add between sample 1000 and 10000: the charts'
    // copies of the curves, and their label caches, which start afresh at 513
    // texts (the heap swings by up to 1 MB as they fill and empty).
    const size_t labelCaches = 3 * FullLabelCacheBytes();
    const size_t allowed = heapAt1000 + (curvesAtEnd - curvesAt1000) + labelCaches + 256 * 1024;
    EXPECT_LE(heapAtEnd, allowed);
    // Redrawing the full run again and again takes nothing for good: every
    // allocation of a redraw is returned.
    const size_t heapBeforeRedraws = LiveHeapBytes();
    for (int i = 0; i < 200; ++i)
        form->SetMainGraphic();
    const size_t heapAfterRedraws = LiveHeapBytes();
    EXPECT_LE(heapAfterRedraws, heapBeforeRedraws + 4096);

    std::printf("full run: %d ticks, %d stored, %zu heater commands (%zu off), %d autosaves, %lld ms\n"
                "heap at 1000: %zu, at 10000: %zu (curves %zu -> %zu, label caches at most %zu), "
                "before and after 200 redraws: %zu, %zu\n",
                ticks, form->RunData.Count, board.commands.size(), board.commands.size() - 1, autosaves,
                static_cast<long long>(runMs), heapAt1000, heapAtEnd, curvesAt1000, curvesAtEnd, labelCaches,
                heapBeforeRedraws, heapAfterRedraws);
}

// The tick as the window runs it, less the painting: the run, the calibrated
// copy with the heater's threshold test, and the autosave. Its heap is the
// same at sample 1000 and at sample 10000.
TEST(FullRun, AcquisitionHeapStaysFlat)
{
    QTemporaryDir dir;
    TSimBoard board(kSimulator);
    auto run = NewRun();
    TSettings settings = DefaultSettings(DirPath(dir));
    settings.ManageFlag = true;
    settings.ManageStopEvent = kStopTAbove;
    settings.ManageValue = kThreshold;
    const TSplineTable table;
    TAcquisition acquisition(board, *run, settings);
    const auto show = [&] {
        CheckHeaterThreshold(board, *CalibratedCopy(*run, settings, table, table), settings);
    };
    ASSERT_EQ(acquisition.Start(), TStartResult::Started);
    size_t heapAt1000 = 0;
    for (int ticks = 0; acquisition.Running(); ++ticks) {
        ASSERT_LT(ticks, kMaxTicks);
        if (acquisition.Tick(show).outcome == TTickOutcome::Stored && run->Count == 1000)
            heapAt1000 = LiveHeapBytes();
    }
    const size_t heapAtEnd = LiveHeapBytes();
    EXPECT_EQ(run->Count, 10000);
    EXPECT_EQ(FileCount(settings.AutoSaveFile), 10000);
    // Slack for the allocator's own bookkeeping only.
    EXPECT_LE(heapAtEnd, heapAt1000 + 4096) << heapAt1000 << " -> " << heapAtEnd;
}

// The sample that reaches the point limit is autosaved whatever the interval,
// so a finished run is on disk; the interval still holds before it.
TEST(FullRun, AutosaveAtThePointLimit)
{
    struct TRow {
        const char *name;
        int32_t n, every;
        bool flag;
        std::vector<int32_t> fileCounts;  // the file's Count after each tick; -1: no file
    };
    const TRow rows[] = {
        {"limit between autosaves", 7, 3, true, {-1, -1, 3, 3, 3, 6, 7}},
        {"limit on an autosave", 6, 3, true, {-1, -1, 3, 3, 3, 6}},
        {"limit before the first autosave", 2, 300, true, {-1, 2}},
        {"autosave switched off", 4, 3, false, {-1, -1, -1, -1}},
    };
    for (const TRow &r : rows) {
        QTemporaryDir dir;
        TScriptedBoard board;
        board.readings = {{100, 200, 300}};
        auto run = NewRun();
        TSettings settings;
        settings.N = r.n;
        settings.AutoSaveTime = r.every;
        settings.AutoSaveFlag = r.flag;
        settings.AutoSaveFile = dir.filePath("auto.dat");
        TAcquisition acquisition(board, *run, settings);
        ASSERT_EQ(acquisition.Start(), TStartResult::Started) << r.name;
        std::vector<int32_t> counts;
        while (acquisition.Running() && counts.size() < 20) {
            EXPECT_TRUE(acquisition.Tick({}).autosaveMessage.isEmpty()) << r.name;
            counts.push_back(FileCount(settings.AutoSaveFile));
        }
        EXPECT_EQ(counts, r.fileCounts) << r.name;
        if (r.flag) {
            EXPECT_EQ(ReadBytes(settings.AutoSaveFile), Bytes(*run)) << r.name;
        }
    }
}

// A last autosave that fails is reported like any other; the run stops at
// its limit all the same and stays in memory.
TEST(FullRun, FailedAutosaveAtThePointLimitIsReported)
{
    QTemporaryDir dir;
    TScriptedBoard board;
    board.readings = {{100, 200, 300}};
    auto run = NewRun();
    TSettings settings;
    settings.N = 2;
    settings.AutoSaveFile = UnwritablePath(dir, "auto.dat");
    TAcquisition acquisition(board, *run, settings);
    ASSERT_EQ(acquisition.Start(), TStartResult::Started);
    EXPECT_TRUE(acquisition.Tick({}).autosaveMessage.isEmpty());
    const TTickResult last = acquisition.Tick({});
    EXPECT_TRUE(last.autosaveMessage.contains(settings.AutoSaveFile)) << last.autosaveMessage.toStdString();
    EXPECT_FALSE(acquisition.Running());
    EXPECT_EQ(run->Count, 2);
}
