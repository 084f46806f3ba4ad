// The ticks of the result windows' plots: a bounded number of them inside
// the range whatever its width, and labels that never read as one number at
// neighbouring ticks, ordinary ranges keeping their six-digit labels.
#include "analysis/CurvesPlot.h"
#include "app/core/LocaleFormat.h"

#include <QSet>
#include <limits>
#include <gtest/gtest.h>

namespace {

TEST(CurvesPlotTicks, FewIncreasingTicksInsideEveryRangeWithLabelsThatDiffer)
{
    // digits (0: not checked): by hand, the power of ten of the largest
    // tick's leading digit less that of the step, plus one; at least 6, at
    // most 15.
    const struct {
        const char *name;
        double lo, hi;
        int maxTicks;
        size_t fewest;
        int digits;
    } rows[] = {
        {"temperatures 15 to 95 deg C, step 20", 15.0, 95.0, 6, 4, 6},
        {"across zero", -0.5, 0.7, 5, 3, 0},
        {"a coefficient around 1e-5, step 2e-7", 1.0e-5, 1.1e-5, 6, 3, 6},
        // Three units of the last place apart: this asked for steps below the
        // doubles' resolution, whose multiples never passed hi.
        {"2.5e8 within a few units of the last place", 250000000.08243865, 250000000.08243868, 10, 0, 0},
        {"1e12 within 1e-3", 1.0e12, 1.0e12 + 1.0e-3, 4, 0, 0},
        {"the whole range of doubles", -1.0e308, 1.0e308, 6, 1, 0},
        {"2.5e8 within +-0.03, step 0.02: 8 - (-2) + 1", 2.5e8 - 0.03, 2.5e8 + 0.03, 6, 2, 11},
        {"1000 within +-1e-6, step 5e-7: 3 - (-7) + 1", 1000.0 - 1e-6, 1000.0 + 1e-6, 6, 2, 11},
        {"1e12 within +-0.5, step 0.5: 12 - (-1) + 1", 1.0e12 - 0.5, 1.0e12 + 0.5, 4, 2, 14},
        {"1e14 within +-5, step 5: 14 - 0 + 1", 1.0e14 - 5.0, 1.0e14 + 5.0, 4, 2, 15},
    };
    for (const auto &r : rows) {
        const std::vector<double> ticks = NiceTicks(r.lo, r.hi, r.maxTicks);
        EXPECT_LE(ticks.size(), size_t(r.maxTicks)) << r.name;
        ASSERT_GE(ticks.size(), r.fewest) << r.name;
        for (size_t i = 0; i < ticks.size(); ++i) {
            EXPECT_TRUE(ticks[i] >= r.lo && ticks[i] <= r.hi) << r.name << ": " << ticks[i];
            if (i > 0) {
                EXPECT_LT(ticks[i - 1], ticks[i]) << r.name;
            }
        }
        if (r.digits == 0)
            continue;
        EXPECT_EQ(TickDigits(ticks), r.digits) << r.name;
        if (r.digits < 15) {
            QSet<QString> labels;
            for (double t : ticks)
                labels.insert(LocaleGeneral(t, TickDigits(ticks)));
            EXPECT_EQ(size_t(labels.size()), ticks.size()) << r.name;
        }
    }
    EXPECT_TRUE(NiceTicks(1.0, 1.0, 5).empty());
    EXPECT_TRUE(NiceTicks(0.0, std::numeric_limits<double>::infinity(), 5).empty());
}

TEST(CurvesPlotTicks, DigitsStayFromSixToFifteen)
{
    EXPECT_EQ(TickDigits({}), 6);
    EXPECT_EQ(TickDigits({2.5e8}), 6);
    EXPECT_EQ(TickDigits({0.0, 0.0}), 6);  // no step: nothing to tell apart
    EXPECT_EQ(TickDigits({1.0e12, 1.0e12 + 1.0e-3}), 15);  // 12 - (-3) + 1 = 16, at most 15
}

} // namespace
