// Local parabolas, the Savitzky-Golay smoother with its cross-validated
// width, and the bent-cable regression: exact on the curves they model,
// refusing what they cannot fit.
#include "numerics/BentCable.h"
#include "numerics/LocalQuadratic.h"
#include "numerics/Solve3.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

using numerics::Status;

namespace {

using Vec = std::vector<double>;

// The small solver of both fits: a system that needs a row swap is solved
// exactly (solution 1, -2, 3 built into the right-hand side); a singular one
// is refused; a nearly singular one only under a relative pivot bound.
TEST(Solve3, SolvesWithPivotingAndRefusesSingularSystems)
{
    const struct {
        const char *name;
        long double a[3][3];
        long double minPivot;
        bool solved;
        int exact;  // how many of the solution's last components come out exact
    } rows[] = {
        {"zero first pivot", {{0, 2, 1}, {4, 1, 0}, {1, 1, 5}}, 0, true, 3},
        {"dense", {{2, -1, 0.5L}, {-1, 3, 1}, {0.5L, 1, 4}}, 1e-14L, true, 3},
        {"singular: a row twice another", {{1, 2, 3}, {2, 4, 6}, {0, 1, 1}}, 0, false, 0},
        {"singular up to rounding: a row the sum of the others", {{1, 2, 3}, {4, 5, 6}, {5, 7, 9}}, 1e-14L, false, 0},
        // The first two unknowns are lost to rounding; the third is not.
        {"nearly singular, no bound", {{1, 1, 0}, {1, 1 + 1e-16L, 0}, {0, 0, 1}}, 0, true, 1},
        {"nearly singular, relative bound", {{1, 1, 0}, {1, 1 + 1e-16L, 0}, {0, 0, 1}}, 1e-14L, false, 0},
    };
    const long double x[3] = {1, -2, 3};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        long double m[3][4];
        for (int r = 0; r < 3; ++r) {
            m[r][3] = 0;
            for (int c = 0; c < 3; ++c) {
                m[r][c] = row.a[r][c];
                m[r][3] += row.a[r][c] * x[c];
            }
        }
        long double out[3] = {0, 0, 0};
        ASSERT_EQ(numerics::Solve3(m, out, row.minPivot), row.solved);
        for (int c = 3 - row.exact; c < 3; ++c)
            EXPECT_NEAR(double(out[c]), double(x[c]), 1e-12);
    }
}

TEST(LocalParabola, RecoversAParabolaAboutAnyCentre)
{
    // y = 3 - 2 (x - 600) + 0.25 (x - 600)^2 about the centre 600, around a
    // temperature where uncentred powers of x would lose the curvature.
    Vec x, y;
    for (double t = 590; t <= 612; t += 1.5) {
        x.push_back(t);
        y.push_back(3 - 2 * (t - 600) + 0.25 * (t - 600) * (t - 600));
    }
    const struct {
        const char *name;
        double centre, c0, c1, c2;
    } rows[] = {
        {"about the vertex's neighbour 600", 600, 3, -2, 0.25},
        // About 604: c0 = 3 - 8 + 4, c1 = -2 + 0.5 * 4.
        {"about 604", 604, -1, 0, 0.25},
    };
    for (const auto &row : rows) {
        numerics::TLocalParabola fit;
        ASSERT_EQ(numerics::FitLocalParabola(int32_t(x.size()), x.data(), y.data(), row.centre, fit), Status::Ok);
        EXPECT_NEAR(fit.c0, row.c0, 1e-9) << row.name;
        EXPECT_NEAR(fit.c1, row.c1, 1e-10) << row.name;
        EXPECT_NEAR(fit.c2, row.c2, 1e-12) << row.name;
        EXPECT_NEAR(fit(608), 3 - 16 + 16, 1e-9) << row.name;
    }
}

TEST(LocalParabola, RefusesFewerThanThreeDistinctAbscissae)
{
    const struct {
        const char *name;
        Vec x, y;
        Status expected;
    } rows[] = {
        {"two points", {1, 2}, {1, 2}, Status::TooFewPoints},
        {"two distinct of five", {1, 2, 1, 2, 2}, {0, 1, 0, 1, 1}, Status::Singular},
        {"a value that is not finite", {1, 2, 3}, {0, NAN, 1}, Status::Singular},
    };
    for (const auto &row : rows) {
        numerics::TLocalParabola fit{7, 7, 7, 7};
        EXPECT_EQ(numerics::FitLocalParabola(int32_t(row.x.size()), row.x.data(), row.y.data(), 0, fit),
                  row.expected)
            << row.name;
        EXPECT_EQ(fit.c0, 7) << row.name << ": left untouched";
    }
}

// A parabola passes the smoother unchanged, ends included; its slope per
// sample is 2 c i + b.
TEST(SmoothQuadratic, KeepsAParabolaAndItsSlopeEverywhere)
{
    const struct {
        const char *name;
        int32_t n, h;
    } rows[] = {{"one window", 7, 3}, {"narrow", 40, 1}, {"wide", 200, 23}};
    for (const auto &row : rows) {
        Vec y(size_t(row.n)), value(y.size()), slope(y.size());
        for (int32_t i = 0; i < row.n; ++i)
            y[size_t(i)] = 5 + 0.3 * i - 0.01 * i * i;
        ASSERT_EQ(numerics::SmoothQuadratic(row.n, y.data(), row.h, value.data(), slope.data()), Status::Ok);
        for (int32_t i = 0; i < row.n; ++i) {
            ASSERT_NEAR(value[size_t(i)], y[size_t(i)], 1e-9) << row.name << " at " << i;
            ASSERT_NEAR(slope[size_t(i)], 0.3 - 0.02 * i, 1e-10) << row.name << " at " << i;
        }
    }
    Vec y(4, 1.0), out(4, -1.0);
    EXPECT_EQ(numerics::SmoothQuadratic(4, y.data(), 2, out.data(), out.data()), Status::TooFewPoints);
    EXPECT_EQ(out[0], -1.0);
}

// The cross-validated width against the truth the test knows: the mean
// squared error of the chosen width is close to that of the best width.
TEST(SmoothQuadratic, CrossValidationChoosesANearlyBestWidth)
{
    const struct {
        const char *name;
        double noise, period;
    } rows[] = {{"gentle curve, much noise", 0.5, 4000}, {"tight curve, little noise", 0.02, 150}};
    for (const auto &row : rows) {
        const int32_t n = 2000;
        std::mt19937 random(7);
        std::normal_distribution<double> gauss(0.0, row.noise);
        Vec truth(n), y(n), value(n), slope(n);
        for (int32_t i = 0; i < n; ++i) {
            truth[size_t(i)] = 10 * std::sin(2 * M_PI * i / row.period);
            y[size_t(i)] = truth[size_t(i)] + gauss(random);
        }
        const auto error = [&](int32_t h) {
            numerics::SmoothQuadratic(n, y.data(), h, value.data(), slope.data());
            double sum = 0;
            for (int32_t i = 0; i < n; ++i)
                sum += (value[size_t(i)] - truth[size_t(i)]) * (value[size_t(i)] - truth[size_t(i)]);
            return sum / n;
        };
        const int32_t chosen = numerics::ChooseQuadraticHalfWidth(n, y.data());
        ASSERT_GT(chosen, 0) << row.name;
        double best = error(2);
        for (int32_t h : {3, 4, 6, 8, 11, 16, 23, 32, 45, 64})
            best = std::min(best, error(h));
        EXPECT_LT(error(chosen), 1.5 * best) << row.name << ": h = " << chosen;
    }
    EXPECT_EQ(numerics::ChooseQuadraticHalfWidth(4, Vec(4, 1.0).data()), 0);
}

// Data drawn from bent cables are given back: the lines' meeting point tau,
// the bend's half-width gamma and the coefficients.
TEST(BentCable, RecoversTheCableItWasDrawnFrom)
{
    const struct {
        const char *name;
        numerics::TBentCable cable;
        double step, noise, tauTolerance;
    } rows[] = {
        {"a bend, noise-free", {2, 0.45, 1.05, 550, 20, 0}, 1.0, 0, 0.01},
        {"a kink, noise-free", {-1, 0.2, -0.5, 300, 0, 0}, 0.7, 0, 0.01},
        {"a bend near the top", {0, 1, 2, 580, 10, 0}, 0.5, 0, 0.01},
        // Noise of 0.2 on a rise of 500: tau to a fraction of a kelvin.
        {"a bend, noisy", {2, 0.45, 1.05, 550, 20, 0}, 1.0, 0.2, 0.5},
    };
    for (const auto &row : rows) {
        std::mt19937 random(3);
        std::normal_distribution<double> gauss(0.0, row.noise > 0 ? row.noise : 1.0);
        Vec x, y;
        for (double t = 20; t <= 600; t += row.step) {
            x.push_back(t);
            x.push_back(t);  // every abscissa twice: ties are allowed
        }
        for (double t : x)
            y.push_back(row.cable(t) + (row.noise > 0 ? gauss(random) : 0.0));
        numerics::TBentCable fit;
        ASSERT_EQ(numerics::FitBentCable(int32_t(x.size()), x.data(), y.data(), {}, fit), Status::Ok) << row.name;
        EXPECT_NEAR(fit.tau, row.cable.tau, row.tauTolerance) << row.name;
        if (row.noise == 0) {
            EXPECT_NEAR(fit.gamma, row.cable.gamma, 0.02) << row.name;
            EXPECT_NEAR(fit.b1, row.cable.b1, 1e-5) << row.name;
            EXPECT_NEAR(fit.b1 + fit.b2, row.cable.b1 + row.cable.b2, 1e-4) << row.name;
            EXPECT_LT(fit.rss, 1e-3) << row.name;
        }
    }
}

TEST(BentCable, RefusesWhatItCannotFit)
{
    const struct {
        const char *name;
        Vec x, y;
        int32_t minOutside;
        Status expected;
    } rows[] = {
        {"fewer than two parts' points", {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}, 3, Status::TooFewPoints},
        {"parts of one point", {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}, 1, Status::TooFewPoints},
        {"x decreasing", {1, 2, 3, 2, 5, 6, 7}, {0, 0, 0, 0, 0, 0, 0}, 2, Status::BadAbscissae},
        {"x not a number", {1, 2, NAN, 4, 5, 6, 7}, {0, 0, 0, 0, 0, 0, 0}, 2, Status::BadAbscissae},
        {"all x equal", {3, 3, 3, 3, 3, 3, 3}, {0, 1, 2, 3, 4, 5, 6}, 2, Status::Singular},
    };
    for (const auto &row : rows) {
        numerics::TBentCable fit;
        fit.tau = -7;
        numerics::TBentCableSearch search;
        search.minOutside = row.minOutside;
        EXPECT_EQ(numerics::FitBentCable(int32_t(row.x.size()), row.x.data(), row.y.data(), search, fit),
                  row.expected)
            << row.name;
        EXPECT_EQ(fit.tau, -7) << row.name << ": left untouched";
    }
}

} // namespace
