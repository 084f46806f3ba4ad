// The simulated dilatometer, read through the converter as the main program
// reads it, against the physics worked out independently here.
#include "tests/daqlink/LinkHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

using daqtest::kQuiet;
using daqtest::TRun;
using daqtest::TScan;

namespace {

// A noise-free reading is the true value rounded; allow for the rounding and
// for a sum of one-second sub-steps landing on the other side of a half.
constexpr double kRounding = 0.5 + 1e-6;

// Copper's expansion coefficient, per K, at an absolute temperature: the
// certified model of the NIST Statistical Reference Dataset "Hahn1" (T. Hahn,
// copper thermal expansion, SRM 736), valid for the measurements' 20..851 K.
double HahnCopperAlpha(double kelvin)
{
    const double x = kelvin;
    const double num = 1.0776351733 - 0.12269296921 * x + 4.0863750610e-3 * x * x - 1.4262662514e-6 * x * x * x;
    const double den = 1.0 - 5.7609940901e-3 * x + 2.4053735503e-4 * x * x - 1.2314450199e-7 * x * x * x;
    return num / den * 1e-6;
}

// Mean coefficient from t0 to t1 (degrees Celsius) by Simpson's rule with
// steps of at most 0.1 K.
double MeanCopperAlpha(double t0, double t1)
{
    const int n = 2 * static_cast<int>(std::ceil(std::fabs(t1 - t0) / 0.2));
    const double h = (t1 - t0) / n;
    double sum = 0.0;
    for (int i = 0; i <= n; ++i) {
        const double weight = (i == 0 || i == n) ? 1.0 : (i % 2 ? 4.0 : 2.0);
        sum += weight * HahnCopperAlpha(t0 + i * h + 273.15);
    }
    return sum * h / 3.0 / (t1 - t0);
}

} // namespace

TEST(Simulator, SameSeedGivesTheSameCodes)
{
    std::vector<TScan> first, again, other;
    { TRun run("Seed = 42\nFailureRate = 0.05"); first = run.Read(300); }
    { TRun run("Seed = 42\nFailureRate = 0.05"); again = run.Read(300); }
    { TRun run("Seed = 43\nFailureRate = 0.05"); other = run.Read(300); }
    int differences = 0;
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].t, again[i].t) << i;
        EXPECT_EQ(first[i].l, again[i].l) << i;
        EXPECT_EQ(first[i].tc, again[i].tc) << i;
        differences += first[i].l != other[i].l;
    }
    EXPECT_GT(differences, 10);
}

// The furnace's own controller: from the start temperature at the heating
// rate, one step of simulated time per read, held at the highest temperature.
TEST(Simulator, HeatingRaisesTheFurnaceAtItsRate)
{
    struct TCase {
        const char *name;
        std::string settings;
        double start, ratePerMinute, step, top;
    };
    const std::vector<TCase> cases = {
        {"defaults: 5 K/min, 60 s, up to 1000 C", "", 20, 5, 60, 1000},
        {"2 K/min", "HeatingRate = 2", 20, 2, 60, 1000},
        {"30 s per read", "Step = 30", 20, 5, 30, 1000},
        {"warm start, lower limit", "StartTemperature = 300\nMaxTemperature = 800", 300, 5, 60, 800},
    };
    for (const TCase &c : cases) {
        TRun run(kQuiet + c.settings);
        const std::vector<TScan> scans = run.Read(200);
        for (int k = 0; k < 200; ++k) {
            const double furnace = std::min(c.start + c.ratePerMinute * k * c.step / 60.0, c.top);
            ASSERT_NEAR(scans[k].tc, furnace, kRounding) << c.name << ", read " << k;
        }
        // 200 reads span 199 steps.
        const double rise = std::min(c.ratePerMinute * 199 * c.step / 60.0, c.top - c.start);
        EXPECT_NEAR(scans[199].tc - scans[0].tc, rise, 2 * kRounding) << c.name;
    }
}

TEST(Simulator, SampleLagsTheFurnaceByRateTimesLagTime)
{
    // First-order lag behind a ramp r from rest: the sample is
    // r * tau * (1 - exp(-t / tau)) below the furnace.
    TRun run(kQuiet + "LagTime = 120");
    const std::vector<TScan> scans = run.Read(150);
    const double rate = 5.0 / 60.0, tau = 120.0;
    for (int k = 0; k < 150; ++k) {
        const double t = 60.0 * k;
        const double sample = 20.0 + rate * t - rate * tau * (1.0 - std::exp(-t / tau));
        ASSERT_NEAR(scans[k].t, sample, kRounding + 0.01) << "read " << k;
    }
    EXPECT_EQ(scans[100].tc - scans[100].t, 10); // 5 K/min * 2 min
}

TEST(Simulator, HeaterBitCutsAndResumesHeating)
{
    TRun run(kQuiet);
    run.Read(100); // reads at 0..99 min; the clock is now at 100 min, 520 C
    TRun::Heater(false);
    // Newton's cooling toward room temperature, time constant one hour.
    std::vector<TScan> cooling = run.Read(120);
    for (int j = 0; j < 120; ++j) {
        const double furnace = 20.0 + 500.0 * std::exp(-60.0 * j / 3600.0);
        ASSERT_NEAR(cooling[j].tc, furnace, kRounding) << "read " << j << " after the cut";
    }
    EXPECT_LT(cooling.back().t, cooling.front().t - 300); // the sample cools with it
    EXPECT_GT(cooling.back().t, 20);

    TRun::Heater(true);
    const double from = 20.0 + 500.0 * std::exp(-120.0 / 60.0);
    const std::vector<TScan> again = run.Read(20);
    for (int j = 0; j < 20; ++j)
        ASSERT_NEAR(again[j].tc, from + 5.0 * j, kRounding) << "read " << j << " after switching on";
}

TEST(Simulator, HeatingIsOnAtEveryStartOfARun)
{
    { TRun run(kQuiet); TRun::Heater(false); run.Read(3); }
    TRun run(kQuiet);
    run.Read(2);
    EXPECT_EQ(run.Read().tc, 30);
}

// The program's own calculation: alpha = dL / L0 / dT plus the silica
// correction; with the program's defaults (L0 = LQ = 50000 um, 5.2e-7 per K)
// it must give back the sample's mean coefficient from the first reading.
TEST(Simulator, MeanExpansionCoefficientIsRecovered)
{
    struct TCase {
        const char *name;
        std::string settings;
        std::function<double(double, double)> meanAlpha;
    };
    const std::vector<TCase> cases = {
        {"copper, seed 1", "", MeanCopperAlpha},
        {"copper, seed 2", "Seed = 2", MeanCopperAlpha},
        {"copper, seed 3", "Seed = 3", MeanCopperAlpha},
        {"constant 1.2e-5", "Material = constant\nAlpha = 1.2e-5", [](double, double) { return 1.2e-5; }},
    };
    for (const TCase &c : cases) {
        TRun run(c.settings);
        const TScan first = run.Read();
        int checked = 0;
        // Up to 570 C: the copper measurements end at 851 K.
        for (TScan s = run.Read(); s.t <= 570; s = run.Read()) {
            const double dT = s.t - first.t;
            if (dT < 100)
                continue;
            const double alpha = (s.l - first.l) / 50000.0 / dT + 5.2e-7;
            const double expected = c.meanAlpha(first.t, s.t);
            ASSERT_NEAR(alpha / expected, 1.0, 0.02) << c.name << " at " << s.t << " C";
            ++checked;
        }
        EXPECT_GT(checked, 80) << c.name;
    }
}

// A glass read at fine channel scales: the sample's temperature follows the
// ramp behind its lag, its length the glass's closed-form expansion less the
// silica push rod's, and above the softening temperature less the flow. On a
// steady ramp of b K/min the flow at R um/min per K above Ts has reached
// R (T - Ts)^2 / (2 b) by the temperature T.
TEST(Simulator, GlassExpandsThroughItsTransformationAndFlowsAboveSoftening)
{
    const double tScale = 0.05, lScale = 0.02;
    TRun run(kQuiet + "Material = glass\nStep = 12\nTemperatureScale = 0.05\nLengthScale = 0.02\n");
    const double rate = 5.0 / 60.0, tau = 60.0;
    const double ag = 9e-6, al = 30e-6, tg = 550, w = 8, ts = 600, flowRate = 2, rod = 5.2e-7;
    const auto softplus = [](double u) { return std::log(1.0 + std::exp(u)); };
    int past = 0;
    for (int k = 0;; ++k) {
        const TScan s = run.Read();
        const double t = 12.0 * k;
        const double sample = 20.0 + rate * t - rate * tau * (1.0 - std::exp(-t / tau));
        if (sample > 640)
            break;
        ASSERT_NEAR(s.t * tScale, sample, 0.5 * tScale + 0.01) << "read " << k;
        const double strain = ag * (sample - 20) + (al - ag) * w * (softplus((sample - tg) / w) - softplus((20 - tg) / w));
        const double flow = sample > ts ? flowRate * (sample - ts) * (sample - ts) / (2 * 5.0) : 0.0;
        const double length = 50000 * (strain - rod * (sample - 20)) - flow;
        ASSERT_NEAR(s.l * lScale, length, 0.5 * lScale + 0.03) << "read " << k << " at " << sample << " C";
        past += sample > ts + 10;
    }
    EXPECT_GT(past, 25);
}

TEST(Simulator, FailedConversionsGiveTheFailureCodeAtTheirRate)
{
    struct TCase {
        const char *name;
        std::string settings;
        double rate;
        int32_t code;
    };
    const std::vector<TCase> cases = {
        {"none", "", 0.0, -1},
        {"a quarter", "FailureRate = 0.25", 0.25, -1},
        {"all", "FailureRate = 1", 1.0, -1},
        {"a quarter, own code", "FailureRate = 0.25\nErrorCode = -32000", 0.25, -32000},
    };
    const int reads = 2000;
    for (const TCase &c : cases) {
        TRun run(c.settings);
        int failed = 0;
        for (const TScan &s : run.Read(reads))
            failed += (s.t == c.code) + (s.l == c.code) + (s.tc == c.code);
        const double share = failed / (3.0 * reads);
        // Four binomial standard deviations.
        const double sigma = std::sqrt(c.rate * (1.0 - c.rate) / (3.0 * reads));
        EXPECT_NEAR(share, c.rate, 4.0 * sigma + 1e-12) << c.name;
    }
}

TEST(Simulator, GenuineReadingsNeverLookLikeAFailure)
{
    // A sample of the push rod's own coefficient: the length signal stays at
    // zero and the noise sends it across -1 again and again.
    TRun run("Material = constant\nAlpha = 5.2e-7\nLengthNoise = 0.6");
    int zeros = 0, belowMarker = 0;
    double sum = 0.0;
    for (const TScan &s : run.Read(1000)) {
        ASSERT_NE(s.l, -1);
        zeros += s.l == 0;
        belowMarker += s.l <= -2;
        sum += s.l;
    }
    // About 60 % of the noise rounds to 0, and 20 % would have read -1 and
    // is moved to 0: a shift of the mean by 0.2 um at most.
    EXPECT_GT(zeros, 700);
    EXPECT_GT(belowMarker, 0);
    EXPECT_NEAR(sum / 1000, 0.0, 0.3);
}
