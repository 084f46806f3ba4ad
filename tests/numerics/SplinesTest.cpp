#include "numerics/Splines.h"

#include "DenseSolve.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

using numerics::Status;

namespace {

using Vec = std::vector<double>;
constexpr double kSentinel = -777.0;
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// BuildSpline over (x, y) into coefficient arrays pre-filled with a sentinel.
struct Spline {
    Vec x, y, d, c, b, a;
    Status status;
    Spline(const Vec &xs, const Vec &ys, double alpha)
        : x(xs), y(ys), d(xs.size(), kSentinel), c(d), b(d), a(d)
    {
        status = numerics::BuildSpline(n(), x.data(), y.data(), alpha, d.data(), c.data(),
                                       b.data(), a.data());
    }
    int32_t n() const { return static_cast<int32_t>(x.size()); }
    template <typename Evaluation> double At(Evaluation f, double t) const
    {
        return f(n(), x.data(), d.data(), c.data(), b.data(), a.data(), t);
    }
    double S(double t) const { return At(numerics::SplineValue, t); }
    double S1(double t) const { return At(numerics::SplineDeriv1, t); }
    double S2(double t) const { return At(numerics::SplineDeriv2, t); }
    bool untouched() const
    {
        for (const Vec *v : {&d, &c, &b, &a})
            for (double e : *v)
                if (e != kSentinel)
                    return false;
        return true;
    }
};

// Clamped cubic interpolant in Hermite form: the node slopes m come from the
// continuity of S'' at the inner nodes,
//   m[i-1]/h[i-1] + 2 m[i] (1/h[i-1] + 1/h[i]) + m[i+1]/h[i] = 3 (D[i-1]/h[i-1] + D[i]/h[i]),
// D being the chord slopes, with m[0] = s0 and m[n-1] = se; solved densely.
struct Hermite {
    Vec x, y, m;
    Hermite(const Vec &xs, const Vec &ys, double s0, double se) : x(xs), y(ys)
    {
        const size_t n = x.size();
        Matrix A(n, Vec(n + 1, 0.0));
        A[0][0] = 1, A[0][n] = s0;
        A[n - 1][n - 1] = 1, A[n - 1][n] = se;
        for (size_t i = 1; i + 1 < n; ++i) {
            const double hl = x[i] - x[i - 1], hr = x[i + 1] - x[i];
            A[i][i - 1] = 1 / hl, A[i][i] = 2 * (1 / hl + 1 / hr), A[i][i + 1] = 1 / hr;
            A[i][n] = 3 * ((y[i] - y[i - 1]) / (hl * hl) + (y[i + 1] - y[i]) / (hr * hr));
        }
        m = DenseSolve(A);
    }
    double value(double t) const
    {
        size_t i = 0;
        while (i + 2 < x.size() && t > x[i + 1])
            ++i;
        const double h = x[i + 1] - x[i], u = (t - x[i]) / h;
        return (2 * u * u * u - 3 * u * u + 1) * y[i] + (u * u * u - 2 * u * u + u) * h * m[i]
               + (3 * u * u - 2 * u * u * u) * y[i + 1] + (u * u * u - u * u) * h * m[i + 1];
    }
    double second(size_t i) const // S'' at node i
    {
        const bool last = i + 1 == x.size();
        const size_t l = last ? i - 1 : i;
        const double h = x[l + 1] - x[l], D = (y[l + 1] - y[l]) / h;
        return last ? (-6 * D + 2 * m[l] + 4 * m[l + 1]) / h : (6 * D - 4 * m[l] - 2 * m[l + 1]) / h;
    }
};

const Vec kIrregularX = {0.0, 0.4, 1.0, 1.3, 2.5, 2.6, 3.9, 5.0, 6.2, 7.0, 7.1, 9.0};

Vec Noisy(const Vec &x)
{
    Vec y;
    for (size_t i = 0; i < x.size(); ++i)
        y.push_back(std::sin(x[i]) + 0.3 * std::sin(7.3 * i));
    return y;
}

struct DataRow {
    const char *name;
    Vec x, y;
};

const std::vector<DataRow> kDataRows = {
    {"three points", {0.0, 1.0, 3.0}, {1.0, -2.0, 4.0}},
    {"four points", {-1.0, 0.5, 0.75, 4.0}, {2.0, 0.0, 1.0, -3.0}},
    {"noisy irregular", kIrregularX, Noisy(kIrregularX)},
};

TEST(BuildSpline, AlphaZeroIsTheClampedInterpolant)
{
    for (const DataRow &row : kDataRows) {
        SCOPED_TRACE(row.name);
        const Spline s(row.x, row.y, 0.0);
        ASSERT_EQ(s.status, Status::Ok);
        const size_t n = row.x.size();
        const double s0 = (row.y[1] - row.y[0]) / (row.x[1] - row.x[0]);
        const double se = (row.y[n - 1] - row.y[n - 2]) / (row.x[n - 1] - row.x[n - 2]);
        const Hermite ref(row.x, row.y, s0, se);
        for (size_t i = 0; i < n; ++i) {
            EXPECT_NEAR(s.S(row.x[i]), row.y[i], 1e-12);
            EXPECT_NEAR(s.S2(row.x[i]), ref.second(i), 1e-9);
            if (i + 1 < n)
                for (double f : {0.25, 0.5, 0.9}) {
                    const double t = row.x[i] + f * (row.x[i + 1] - row.x[i]);
                    EXPECT_NEAR(s.S(t), ref.value(t), 1e-12);
                }
        }
        EXPECT_NEAR(s.S1(row.x[0]), s0, 1e-12);
        EXPECT_NEAR(s.S1(row.x[n - 1]), se, 1e-12);
        EXPECT_TRUE(s.d[0] == kSentinel && s.c[0] == kSentinel && s.b[0] == kSentinel
                    && s.a[0] == kSentinel);
    }
}

TEST(BuildSpline, ReproducesLinesAndConstantsForEveryAlpha)
{
    const Vec x = {0.0, 0.3, 1.0, 2.5, 2.6, 4.0};
    for (double slope : {-3.0, 0.0}) {
        Vec y;
        for (double t : x)
            y.push_back(2.0 + slope * t);
        for (double alpha : {0.0, 0.5, 1.0, 100.0, 1e6}) {
            SCOPED_TRACE(testing::Message() << "slope " << slope << " alpha " << alpha);
            const Spline s(x, y, alpha);
            ASSERT_EQ(s.status, Status::Ok);
            for (size_t k = 1; k < x.size(); ++k) {
                EXPECT_NEAR(s.a[k], y[k - 1], 1e-9);
                EXPECT_NEAR(s.b[k], slope, 1e-9);
                EXPECT_NEAR(s.c[k], 0.0, 1e-9);
                EXPECT_NEAR(s.d[k], 0.0, 1e-9);
            }
            EXPECT_NEAR(s.S(5.5), 2.0 + slope * 5.5, 1e-8);
        }
    }
}

TEST(BuildSpline, IsTwiceContinuouslyDifferentiable)
{
    for (double alpha : {0.0, 0.7, 20.0}) {
        SCOPED_TRACE(alpha);
        const Spline s(kIrregularX, Noisy(kIrregularX), alpha);
        ASSERT_EQ(s.status, Status::Ok);
        // At an inner node x[k] the evaluations use segment k; segment k+1 starts there.
        for (int32_t k = 1; k + 1 < s.n(); ++k) {
            EXPECT_NEAR(s.S(s.x[k]), s.a[k + 1], 1e-12);
            EXPECT_NEAR(s.S1(s.x[k]), s.b[k + 1], 1e-11);
            EXPECT_NEAR(s.S2(s.x[k]), 2 * s.c[k + 1], 1e-10);
        }
    }
}

// Sum (G - y)^2 + alpha * integral S''^2 for a spline with node values G and
// node second derivatives M (S'' linear between nodes, integrated exactly).
double Objective(const Vec &x, const Vec &y, double alpha, const Vec &G, const Vec &M)
{
    double sum = 0.0, integral = 0.0;
    for (size_t i = 0; i < x.size(); ++i)
        sum += (G[i] - y[i]) * (G[i] - y[i]);
    for (size_t i = 0; i + 1 < x.size(); ++i)
        integral += (x[i + 1] - x[i]) / 3 * (M[i] * M[i] + M[i] * M[i + 1] + M[i + 1] * M[i + 1]);
    return sum + alpha * integral;
}

TEST(BuildSpline, MinimisesTheSmoothingObjective)
{
    const Vec &x = kIrregularX;
    const Vec y = Noisy(x);
    const size_t n = x.size();
    for (double alpha : {0.05, 1.0, 25.0}) {
        SCOPED_TRACE(alpha);
        const Spline s(x, y, alpha);
        ASSERT_EQ(s.status, Status::Ok);
        Vec G, M;
        for (size_t i = 0; i < n; ++i) {
            G.push_back(s.S(x[i]));
            M.push_back(s.S2(x[i]));
        }
        // The result itself must be admissible: end slopes equal to the end chords.
        EXPECT_NEAR(s.S1(x[0]), (y[1] - y[0]) / (x[1] - x[0]), 1e-10);
        EXPECT_NEAR(s.S1(x[n - 1]), (y[n - 1] - y[n - 2]) / (x[n - 1] - x[n - 2]), 1e-10);
        const double best = Objective(x, y, alpha, G, M);
        // Admissible perturbations: cubic splines with zero end slopes.
        for (size_t j : {size_t{0}, n / 2, n - 1}) {
            Vec dG(n, 0.0);
            dG[j] = 1.0;
            const Hermite dS(x, dG, 0.0, 0.0);
            for (double eps : {1e-3, -1e-3, 0.5}) {
                Vec G2 = G, M2 = M;
                for (size_t i = 0; i < n; ++i)
                    G2[i] += eps * dG[i], M2[i] += eps * dS.second(i);
                EXPECT_GT(Objective(x, y, alpha, G2, M2), best) << "node " << j << " eps " << eps;
            }
        }
    }
}

TEST(BuildSpline, RefusesBadInputWithoutWritingAnything)
{
    const double tiny = 1e-200;
    const struct {
        const char *name;
        Vec x, y;
        double alpha;
        Status expected;
    } rows[] = {
        {"no points", {}, {}, 0.0, Status::TooFewPoints},
        {"two points", {0, 1}, {1, 2}, 0.0, Status::TooFewPoints},
        {"repeated abscissa", {0, 1, 1, 2}, {0, 1, 2, 3}, 1.0, Status::BadAbscissae},
        {"decreasing abscissa", {0, 2, 1, 3}, {0, 1, 2, 3}, 0.0, Status::BadAbscissae},
        {"NaN abscissa", {0, kNaN, 2}, {0, 1, 2}, 0.0, Status::BadAbscissae},
        {"NaN alpha", {0, 1, 2}, {0, 1, 0}, kNaN, Status::Singular},
        // e[0] = 1/3 + 2 * (-1/6) is exactly zero in binary floating point.
        {"zero divisor", {0, 1, 2}, {0, 1, 0}, -1.0 / 6.0, Status::Singular},
        {"steps too small", {0, tiny, 2 * tiny}, {0, 1, 0}, 1.0, Status::Singular},
        {"overflowing data", {0, 1, 2, 3}, {0, 1e308, -1e308, 1e308}, 0.0, Status::Singular},
    };
    for (const auto &row : rows) {
        const Spline s(row.x, row.y, row.alpha);
        EXPECT_EQ(s.status, row.expected) << row.name;
        EXPECT_TRUE(s.untouched()) << row.name;
    }
    double out = kSentinel;
    EXPECT_EQ(numerics::BuildSpline(-1, nullptr, nullptr, 0.0, &out, &out, &out, &out),
              Status::TooFewPoints);
    EXPECT_EQ(out, kSentinel);
}

TEST(SplineEvaluation, PicksTheSegmentByBisection)
{
    // Segment k is k + 10 k u + 10 k u^2 (S'' = 20 k), so each result names its
    // segment; an inner node belongs to the segment that ends there.
    Spline s({0, 1, 2, 3, 4}, {0, 0, 0, 0, 0}, 0.0);
    s.d = {0, 0, 0, 0, 0}, s.c = {0, 10, 20, 30, 40}, s.b = s.c, s.a = {0, 1, 2, 3, 4};
    const double t[] = {-5, 0, 0.5, 1, 1.5, 2, 3, 3.5, 4, 9};
    const int segment[] = {1, 1, 1, 1, 2, 2, 3, 4, 4, 4};
    for (int i = 0; i < 10; ++i) {
        const double k = segment[i], u = t[i] - s.x[segment[i] - 1];
        EXPECT_EQ(s.S(t[i]), (10 * k * u + 10 * k) * u + k) << t[i];
        EXPECT_EQ(s.S1(t[i]), 20 * k * u + 10 * k) << t[i];
        EXPECT_EQ(s.S2(t[i]), 20 * k) << t[i];
    }
    s.x.resize(2); // no spline below three nodes: NaN
    EXPECT_TRUE(std::isnan(s.S(0.5)) && std::isnan(s.S1(0.5)) && std::isnan(s.S2(0.5)));
}

// Against a linear scan for the segment x[k-1] < t <= x[k], over node counts
// odd and even: at every node, just before it, between nodes and outside.
TEST(SplineEvaluation, BisectionAgreesWithAScanForEveryNodeCount)
{
    for (int32_t n = 3; n <= 40; ++n) {
        Spline s(Vec(size_t(n)), Vec(size_t(n)), 0.0);
        for (int32_t i = 0; i < n; ++i)
            s.x[size_t(i)] = i * i - 5.0, s.a[size_t(i)] = i, s.b[size_t(i)] = s.c[size_t(i)] = s.d[size_t(i)] = 0;
        auto scan = [&](double t) {
            for (int32_t k = 1; k < n; ++k)
                if (t <= s.x[size_t(k)])
                    return k;
            return n - 1;
        };
        Vec ts{-1e9, 1e9};
        for (int32_t i = 0; i < n; ++i)
            ts.insert(ts.end(), {s.x[size_t(i)], s.x[size_t(i)] + 0.5, std::nextafter(s.x[size_t(i)], -1e300)});
        for (double t : ts)
            EXPECT_EQ(s.S(t), scan(t)) << "n " << n << ", t " << t;
    }
}

// Values at many points, each search starting from the segment of the point
// before, in rising, falling and shuffled order and in place: segment k is
// k + 10 k u + 10 k u^2, so every value names its segment, which must be the
// k with x[k-1] < t <= x[k] (found by a scan; 1 for NaN), for every node count.
TEST(SplineEvaluation, ValuesFromTheSegmentBeforeAreSplineValues)
{
    for (int32_t n = 3; n <= 12; ++n) {
        Spline s(Vec(size_t(n)), Vec(size_t(n)), 0.0);
        for (int32_t i = 0; i < n; ++i) {
            const size_t k = size_t(i);
            s.x[k] = i * i - 5.0, s.d[k] = 0, s.c[k] = s.b[k] = 10.0 * i, s.a[k] = i;
        }
        auto expected = [&](double t) {
            int32_t k = 1;
            while (k < n - 1 && !(t <= s.x[size_t(k)]))
                ++k;
            const double u = t - s.x[size_t(k) - 1];
            return std::isnan(t) ? kNaN : (10.0 * k * u + 10.0 * k) * u + k;
        };
        Vec ts{-1e9, 1e9};
        for (int32_t i = 0; i < n; ++i) {
            const double xi = s.x[size_t(i)];
            ts.insert(ts.end(), {xi, std::nextafter(xi, -1e300), std::nextafter(xi, 1e300), xi + 0.5});
        }
        std::sort(ts.begin(), ts.end());
        Vec falling(ts.rbegin(), ts.rend()), shuffled = ts;
        std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(unsigned(n)));
        shuffled.insert(shuffled.begin() + 3, kNaN);
        for (const Vec *order : {&ts, &falling, &shuffled}) {
            Vec out = *order;
            numerics::SplineValues(n, s.x.data(), s.d.data(), s.c.data(), s.b.data(), s.a.data(),
                                   int32_t(out.size()), out.data(), out.data());
            for (size_t i = 0; i < out.size(); ++i) {
                const double t = (*order)[i];
                EXPECT_TRUE(std::isnan(t) ? std::isnan(out[i]) : out[i] == expected(t)) << "n " << n << ", t " << t;
            }
        }
    }
    const Spline two({0, 1}, {0, 1}, 0.0);
    double t = 0.5;
    numerics::SplineValues(2, two.x.data(), two.d.data(), two.c.data(), two.b.data(), two.a.data(), 1, &t, &t);
    EXPECT_TRUE(std::isnan(t));
}

} // namespace
