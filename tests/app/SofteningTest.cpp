// Heating off at softening: the criterion, and the watch running in the
// acquisition against the simulated dilatometer, held against the moment the
// simulator's own model says the curve has turned over by the margin.
#include "app/core/Acquisition.h"
#include "app/core/SofteningWatch.h"
#include "tests/app/AppTestUtil.h"
#include "tests/app/CoreTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

namespace {

TEST(SofteningCriterion, NeedsTheMarginBeyondNoiseAndARisingTemperature)
{
    // Expansion 300 over 400 K: the margin of 0.5 % is 1.5.
    const struct {
        const char *name;
        TTurnOver turn;
        bool passed;
    } rows[] = {
        {"fallen past the margin while heating", {2.0, 300, 0.1, 3, 400}, true},
        {"not yet past the margin", {1.4, 300, 0.0, 3, 400}, false},
        {"past the margin, but within the noise beyond it", {2.0, 300, 0.2, 3, 400}, false},
        {"fallen at a hold", {5.0, 300, 0.1, 0.3, 400}, false},
        {"fallen while cooling", {5.0, 300, 0.1, -4, 400}, false},
        // A maximum that is no clear expansion on heating is never passed.
        {"flat from the start", {0.5, 0, 0.1, 3, 400}, false},
        {"noise on a flat start", {0.2, 0, 0.1, 3, 400}, false},
        {"noise-free and flat", {0.5, 0, 0, 3, 400}, false},
        {"expansion of 9 noise deviations", {0.5, 0.9, 0.1, 3, 400}, false},
        {"expansion of 11 noise deviations", {0.5, 1.1, 0.1, 3, 400}, true},
        {"expanded while the temperature rose 9 K", {2.0, 300, 0.1, 3, 9}, false},
        {"expanded while the temperature rose 11 K", {2.0, 300, 0.1, 3, 11}, true},
        {"expanded while cooling", {2.0, 300, 0.1, 3, -50}, false},
    };
    for (const auto &row : rows)
        EXPECT_EQ(PassedMaximum(row.turn, 0.005), row.passed) << row.name;
}

// A synthetic run fed to the watch reading by reading: 50 mm at 9e-6 per K
// heated at 1 K per reading, white noise on the temperature and the length,
// both quantised to the converter's codes. The heating may begin with a dip
// of the length (the push rod settling, a sample that first shrinks a little:
// a loss of depth (1 - exp(-(T - 20) / scale))) or after a hold where the
// temperature only wanders and the length drifts down by 3 um. The watch must
// never cut there. With softening (a flow (T - 600)^2 / 5 from 600 C on) it
// must still cut just after the maximum.
struct TSyntheticRun {
    const char *name;
    int hold;                          // readings before the heating starts
    double settleDepth, settleScale;   // um, K
    double tNoise, lNoise;             // standard deviations, K and um
    double tCode, lCode;               // resolution
    bool softens;

    double Temperature(int k) const { return 20.0 + std::max(0, k - hold); }
    double Length(int k) const
    {
        const double t = Temperature(k);
        double l = 0.45 * (t - 20) - 3.0 * std::min(k, hold) / std::max(hold, 1);
        if (settleDepth > 0)
            l -= settleDepth * (1 - std::exp(-(t - 20) / settleScale));
        if (softens && t > 600)
            l -= (t - 600) * (t - 600) / 5;
        return l;
    }
};

TEST(SofteningWatch, NeverCutsOnADipBeforeTheMaximum)
{
    const TSyntheticRun rows[] = {
        {"push rod settling, 10.2 um deep at 44 C", 0, 30, 20, 0.1, 0.2, 0.05, 0.02, false},
        {"sample shrinking, 3.8 um deep at 36 C", 0, 20, 20, 0.1, 0.2, 0.05, 0.02, false},
        {"settling at coarse codes", 0, 30, 20, 0.3, 0.5, 1, 1, false},
        {"length drifting down during a hold", 200, 0, 1, 0.4, 0.2, 0.05, 0.02, false},
        {"settling, then softening", 0, 30, 20, 0.1, 0.2, 0.05, 0.02, true},
        {"a hold, then softening", 200, 0, 1, 0.4, 0.2, 0.05, 0.02, true},
    };
    // The true maximum of a softening run: where the expansion's slope 0.45
    // equals the flow's 2 (T - 600) / 5.
    const double tTop = 600 + 0.45 * 5 / 2;
    for (const auto &row : rows) {
        for (unsigned seed = 1; seed <= 5; ++seed) {
            std::mt19937 random(seed);
            std::normal_distribution<double> normal;
            TSofteningWatch watch;
            int cutAt = -1;
            for (int k = 0; k < 900 && cutAt < 0; ++k) {
                const double t = row.tCode * std::round((row.Temperature(k) + row.tNoise * normal(random)) / row.tCode);
                const double l = row.lCode * std::round((row.Length(k) + row.lNoise * normal(random)) / row.lCode);
                if (watch.Add(t, l, 0.005))
                    cutAt = k;
            }
            const std::string what = std::string(row.name) + ", seed " + std::to_string(seed);
            if (!row.softens) {
                EXPECT_EQ(cutAt, -1) << what << ", cut at " << row.Temperature(cutAt) << " C";
                continue;
            }
            ASSERT_GE(cutAt, 0) << what;
            EXPECT_GT(row.Temperature(cutAt), tTop) << what;
            EXPECT_LT(row.Temperature(cutAt), tTop + 15) << what;
            EXPECT_NEAR(watch.MaximumTemperature(), tTop, 3) << what;
        }
    }
}

// The simulated glass with its defaults (Tg 550 C, softening from 600 C at
// 2 um/min per K, 9e-6 and 30e-6 per K), read every 12 s at 5 K/min: 1 K per
// reading, at 0.05 C and 0.02 um per code.
const std::string kGlass =
    "Material = glass\nStep = 12\nTemperatureScale = 0.05\nLengthScale = 0.02\nMaxTemperature = 700\n";

double Softplus(double u) { return std::log(1.0 + std::exp(u)); }

// The simulator's model read at reading k (time 12 k s): the sample's
// temperature behind the furnace's ramp by its first-order lag, its length
// from the glass's closed-form expansion less the silica push rod's, less
// the flow R (T - Ts)^2 / (2 b) it has reached on the steady ramp of b K/min.
double ModelLength(int k)
{
    const double rate = 5.0 / 60.0, tau = 60.0, t = 12.0 * k;
    const double temperature = 20 + rate * t - rate * tau * (1 - std::exp(-t / tau));
    const double strain =
        9e-6 * (temperature - 20) + 21e-6 * 8 * (Softplus((temperature - 550) / 8) - Softplus((20 - 550) / 8.0));
    const double flow = temperature > 600 ? 2 * (temperature - 600) * (temperature - 600) / (2 * 5.0) : 0.0;
    return 50000 * (strain - 5.2e-7 * (temperature - 20)) - flow;
}

// The first reading at which the model's length lies more than the margin
// (a share of the expansion up to the maximum) below its maximum so far.
int ModelPassReading(double margin)
{
    double highest = ModelLength(0);
    for (int k = 1;; ++k) {
        const double length = ModelLength(k);
        highest = std::max(highest, length);
        if (highest - length > margin * (highest - ModelLength(0)))
            return k;
    }
}

struct TWatchedRun {
    explicit TWatchedRun(const std::string &simulator) : board(simulator)
    {
        settings.AutoSaveFlag = false;
        acquisition.WatchSoftening(options, tTable, lTable);
    }
    TRecordingLinkBoard board;
    std::unique_ptr<TRunData> run = NewRun();
    TSettings settings;
    TSofteningOptions options{true, 0.5};
    TSplineTable tTable, lTable;
    TAcquisition acquisition{board, *run, settings};
};

// Cut within two readings of the model's pass, once, whatever the seed and
// the margin; the message names the maximum.
TEST(SofteningWatch, CutsTheHeatingWithinTwoReadingsOfThePass)
{
    const struct {
        const char *name;
        int seed;
        double marginPercent;
    } rows[] = {
        {"seed 1", 1, 0.5}, {"seed 2", 2, 0.5}, {"seed 3", 3, 0.5}, {"seed 4, 1 %", 4, 1.0}, {"seed 5, 0.3 %", 5, 0.3},
    };
    for (const auto &row : rows) {
        TWatchedRun rig(kGlass + "Seed = " + std::to_string(row.seed) + "\n");
        rig.settings.bT = 0.05;
        rig.settings.bL = 0.02;
        rig.options.MarginPercent = row.marginPercent;
        ASSERT_EQ(rig.acquisition.Start(), TStartResult::Started);
        QStringList messages;
        int cutAt = -1;
        for (int k = 0; k < 750; ++k) {
            const TTickResult tick = rig.acquisition.Tick({});
            if (!tick.softeningMessage.isEmpty()) {
                messages << tick.softeningMessage;
                if (cutAt < 0)
                    cutAt = k;
            }
        }
        const int pass = ModelPassReading(row.marginPercent / 100);
        EXPECT_GE(cutAt, pass) << row.name;
        EXPECT_LE(cutAt, pass + 2) << row.name;
        EXPECT_EQ(rig.board.commands, std::vector<TCommand>{kHeaterOffCommand}) << row.name;
        ASSERT_EQ(messages.size(), 1) << row.name;
        EXPECT_TRUE(messages[0].startsWith("Образец размягчился")) << row.name;
        EXPECT_TRUE(messages[0].contains("Нагрев выключен.")) << row.name;
    }
}

// Without the option the run is watched but nothing is sent or said; switched
// on after the curve has turned, the heating goes off at the next reading.
TEST(SofteningWatch, OptionOffSendsNothingAndMaySwitchOnLater)
{
    TWatchedRun rig(kGlass);
    rig.settings.bT = 0.05;
    rig.settings.bL = 0.02;
    rig.options.Enabled = false;
    ASSERT_EQ(rig.acquisition.Start(), TStartResult::Started);
    const int pass = ModelPassReading(0.005);
    for (int k = 0; k < pass + 10; ++k)
        EXPECT_TRUE(rig.acquisition.Tick({}).softeningMessage.isEmpty());
    EXPECT_TRUE(rig.acquisition.Softening().Passed());
    EXPECT_TRUE(rig.board.commands.empty());
    rig.options.Enabled = true;
    EXPECT_FALSE(rig.acquisition.Tick({}).softeningMessage.isEmpty());
    EXPECT_EQ(rig.board.commands, std::vector<TCommand>{kHeaterOffCommand});
}

// Samples that never soften: copper, and the glass kept below its softening
// temperature; held at the furnace's top, or cooled after the threshold
// control ("При превышении T") cut the heating. Five seeds each, at the
// converter's default scales and at fine ones: never a cut.
TEST(SofteningWatch, NeverCutsASampleThatDoesNotSoften)
{
    const struct {
        const char *name;
        std::string simulator;
        double manageAbove;  // 0: held at the top
    } rows[] = {
        {"copper held at 650 C", "Material = copper\nStep = 12\nMaxTemperature = 650\n", 0},
        {"copper cooled from 600 C", "Material = copper\nStep = 12\n", 600},
        {"glass held at 590 C", "Material = glass\nStep = 12\nMaxTemperature = 590\n", 0},
        {"glass cooled from 585 C", "Material = glass\nStep = 12\n", 585},
    };
    int runs = 0;
    for (const auto &row : rows) {
        for (int seed = 1; seed <= 5; ++seed) {
            const bool fine = seed % 2 == 0;
            TWatchedRun rig(row.simulator + "Seed = " + std::to_string(seed) + "\n" +
                            (fine ? "TemperatureScale = 0.05\nLengthScale = 0.02\n" : ""));
            rig.settings.bT = fine ? 0.05 : 1;
            rig.settings.bL = fine ? 0.02 : 1;
            rig.settings.ManageFlag = row.manageAbove > 0;
            rig.settings.ManageStopEvent = kStopTAbove;
            rig.settings.ManageValue = row.manageAbove;
            ASSERT_EQ(rig.acquisition.Start(), TStartResult::Started);
            rig.board.commands.clear();
            // The threshold control of the redraw, on the calibrated run.
            const auto show = [&rig] {
                CheckHeaterThreshold(rig.board,
                                     *CalibratedCopy(*rig.run, rig.settings, rig.tTable, rig.lTable), rig.settings);
            };
            for (int k = 0; k < 1000; ++k)
                ASSERT_TRUE(rig.acquisition.Tick(show).softeningMessage.isEmpty()) << row.name << ", seed " << seed;
            EXPECT_FALSE(rig.acquisition.Softening().Passed()) << row.name << ", seed " << seed;
            // The threshold control, and it alone, switched the heating off.
            EXPECT_EQ(rig.board.commands.empty(), row.manageAbove == 0) << row.name;
            ++runs;
        }
    }
    EXPECT_EQ(runs, 20);
}

} // namespace
