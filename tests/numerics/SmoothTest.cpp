#include "numerics/SmoothFuncs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

using numerics::Status;

namespace {

using Vec = std::vector<double>;

Vec Wiggly(int n)
{
    Vec y;
    for (int i = 0; i < n; ++i)
        y.push_back(10.0 + 0.2 * i + std::sin(2.9 * i) + 0.5 * std::cos(0.37 * i * i));
    return y;
}

// Savitzky and Golay (Anal. Chem. 36, 1964), quartic 7-point smoothing:
// (5, -30, 75, 131, 75, -30, 5) / 231. The filter uses eight-digit constants.
constexpr double kQuarticWeights[7] = {5 / 231.0, -30 / 231.0, 75 / 231.0, 131 / 231.0,
                                       75 / 231.0, -30 / 231.0, 5 / 231.0};

TEST(SevenPointSmooth, ImpulseResponseIsTheQuarticSevenPointWeights)
{
    Vec y(21, 0.0);
    y[10] = 1.0;
    numerics::SevenPointSmooth(21, y.data());
    for (int i = 0; i < 21; ++i) {
        if (i >= 7 && i <= 13) {
            EXPECT_NEAR(y[i], kQuarticWeights[i - 7], 1e-7) << i;
        } else {
            EXPECT_EQ(y[i], 0.0) << i;
        }
    }
}

TEST(SevenPointSmooth, ConstantKeepsTheConstantsRoundingLoss)
{
    // Seven samples: only the middle one changes. Fewer than seven: nothing does.
    for (int n : {6, 7, 12}) {
        for (double c : {3.0, -250.5}) {
            Vec y(n, c);
            numerics::SevenPointSmooth(n, y.data());
            for (int i = 0; i < n; ++i) {
                const bool inner = n >= 7 && i >= 3 && i <= n - 4;
                EXPECT_NEAR(y[i], inner ? 0.99999991 * c : c, inner ? 1e-13 * std::fabs(c) : 0.0)
                    << n << " " << i;
            }
        }
    }
    numerics::SevenPointSmooth(0, nullptr);
}

TEST(MovingAverage, AveragesWindowsOfTheOriginalData)
{
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    const struct {
        const char *name;
        int32_t n, M, window; // window 0: nothing changes
    } rows[] = {
        {"M = 0", 100, 0, 1},        {"M = 1", 100, 1, 3},
        {"M = 2", 100, 2, 3},        {"M = 5", 100, 5, 7},
        {"M = 10", 100, 10, 11},     {"window just fits", 11, 10, 11},
        {"window too wide", 10, 10, 0}, {"M = 199 on 100", 100, 199, 0},
        {"negative M", 100, -1, 0},  {"most negative M", 100, kMin, 0},
        {"largest M", 100, kMax, 0}, {"largest even M", 100, kMax - 1, 0},
    };
    for (const auto &row : rows) {
        const Vec original = Wiggly(row.n);
        Vec y = original;
        numerics::MovingAverage(row.n, y.data(), row.M);
        const int k = row.window / 2;
        for (int j = 0; j < row.n; ++j) {
            if (row.window == 0 || j < k || j >= row.n - k) {
                EXPECT_EQ(y[j], original[j]) << row.name << " j " << j;
                continue;
            }
            long double sum = 0;
            for (int i = j - k; i <= j + k; ++i)
                sum += original[i];
            EXPECT_NEAR(y[j], double(sum / row.window), 1e-12) << row.name << " j " << j;
        }
    }
    numerics::MovingAverage(0, nullptr, 10);
}

Vec TimeAxis(int n)
{
    Vec x;
    for (int i = 1; i <= n; ++i)
        x.push_back(i);
    return x;
}

TEST(SplineSmooth, KeepsDataAtZeroAlphaAndLinesAtAnyAlpha)
{
    const int n = 50;
    const Vec x = TimeAxis(n), data = Wiggly(n);
    Vec y = data;
    ASSERT_EQ(numerics::SplineSmooth(n, x.data(), y.data(), 0.0), Status::Ok);
    for (int i = 0; i < n; ++i)
        EXPECT_NEAR(y[i], data[i], 1e-12) << i;

    for (double alpha : {1.0, 10.0, 1000.0}) {
        for (int i = 0; i < n; ++i)
            y[i] = 7.0 - 0.25 * x[i];
        ASSERT_EQ(numerics::SplineSmooth(n, x.data(), y.data(), alpha), Status::Ok);
        for (int i = 0; i < n; ++i)
            EXPECT_NEAR(y[i], 7.0 - 0.25 * x[i], 1e-10) << "alpha " << alpha << " i " << i;
    }
}

TEST(SplineSmooth, FailureLeavesTheDataUnchanged)
{
    const Vec data = {1.0, 4.0, 2.0, 8.0};
    const struct {
        const char *name;
        int32_t n;
        Vec x;
        double alpha;
        Status expected;
    } rows[] = {
        {"two samples", 2, {1, 2, 3, 4}, 1.0, Status::TooFewPoints},
        {"no samples", 0, {1, 2, 3, 4}, 1.0, Status::TooFewPoints},
        {"negative count", -5, {1, 2, 3, 4}, 1.0, Status::TooFewPoints},
        {"repeated abscissa", 4, {1, 2, 2, 4}, 1.0, Status::BadAbscissae},
        {"NaN alpha", 4, {1, 2, 3, 4}, std::numeric_limits<double>::quiet_NaN(), Status::Singular},
    };
    for (const auto &row : rows) {
        Vec y = data;
        EXPECT_EQ(numerics::SplineSmooth(row.n, row.x.data(), y.data(), row.alpha), row.expected)
            << row.name;
        EXPECT_EQ(y, data) << row.name;
    }
}

} // namespace
