// The natural smoothing spline and its choice by cross-validation, held
// against the textbook penalised least-squares form solved densely (Green &
// Silverman, "Nonparametric Regression and Generalized Linear Models", 1994,
// sec. 2.3: g = (I + lambda Q R^-1 Q^T)^-1 y) and against closed forms.
#include "numerics/SmoothingSpline.h"

#include "DenseSolve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using numerics::SmoothingFit;
using numerics::Status;

namespace {

using Vec = std::vector<double>;
constexpr double kSentinel = -777.0;
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

int32_t Count(const Vec &v) { return int32_t(v.size()); }

// The influence matrix A = (I + lambda K)^-1, K = Q R^-1 Q^T, column by
// column, and g = A y.
struct Dense {
    Matrix a;  // a[i][j]
    Vec g;
    double edf = 0, rss = 0, gcv = 0;

    Dense(const Vec &x, const Vec &y, double lambda)
    {
        const size_t n = x.size(), k = n - 2;
        Matrix q(n, Vec(k, 0.0)), r(k, Vec(k, 0.0));
        for (size_t j = 0; j < k; ++j) {
            const double hl = x[j + 1] - x[j], hr = x[j + 2] - x[j + 1];
            q[j][j] = 1 / hl, q[j + 1][j] = -1 / hl - 1 / hr, q[j + 2][j] = 1 / hr;
            r[j][j] = (hl + hr) / 3;
            if (j + 1 < k)
                r[j][j + 1] = r[j + 1][j] = hr / 6;
        }
        Matrix rInvQt(k, Vec(n));  // R^-1 Q^T, column i from row i of Q
        for (size_t i = 0; i < n; ++i) {
            Matrix aug = r;
            for (size_t j = 0; j < k; ++j)
                aug[j].push_back(q[i][j]);
            const Vec col = DenseSolve(aug);
            for (size_t j = 0; j < k; ++j)
                rInvQt[j][i] = col[j];
        }
        Matrix system(n, Vec(n));
        for (size_t i = 0; i < n; ++i)
            for (size_t l = 0; l < n; ++l) {
                double s = 0;
                for (size_t j = 0; j < k; ++j)
                    s += q[i][j] * rInvQt[j][l];
                system[i][l] = (i == l) + lambda * s;
            }
        a.assign(n, Vec(n));
        for (size_t col = 0; col < n; ++col) {
            Matrix aug = system;
            for (size_t i = 0; i < n; ++i)
                aug[i].push_back(i == col);
            const Vec c = DenseSolve(aug);
            for (size_t i = 0; i < n; ++i)
                a[i][col] = c[i];
        }
        g.assign(n, 0.0);
        for (size_t i = 0; i < n; ++i) {
            for (size_t j = 0; j < n; ++j)
                g[i] += a[i][j] * y[j];
            edf += a[i][i];
            rss += (y[i] - g[i]) * (y[i] - g[i]);
        }
        gcv = double(n) * rss / ((double(n) - edf) * (double(n) - edf));
    }
};

struct Fitted {
    Vec g, m;
    SmoothingFit fit;
    Status status;
};

Fitted Fit(const Vec &x, const Vec &y, double lambda)
{
    Fitted f{Vec(x.size(), kSentinel), Vec(x.size(), kSentinel), {}, {}};
    f.status = numerics::FitSmoothingSpline(Count(x), x.data(), y.data(), lambda, f.g.data(), f.m.data(), &f.fit);
    return f;
}

// Knots a little uneven and a noisy curve on them (a fixed pseudo-random
// sequence, so the test does not depend on a library's generator).
Vec UnevenKnots(int n)
{
    Vec x(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        x[size_t(i)] = i + 0.3 * std::sin(1.7 * i);
    return x;
}
Vec NoisyCurve(const Vec &x)
{
    Vec y(x.size());
    for (size_t i = 0; i < x.size(); ++i)
        y[i] = std::sin(0.25 * x[i]) + 0.1 * std::sin(12.9898 * double(i) * double(i) + 78.233);
    return y;
}

// The spline's cubic on [x[i], x[i+1]] in the textbook form (Press et al.,
// "Numerical Recipes", 3.3.3), and its derivative.
double TextbookValue(const Vec &x, const Vec &g, const Vec &m, size_t i, double t)
{
    const double h = x[i + 1] - x[i], a = (x[i + 1] - t) / h, b = (t - x[i]) / h;
    return a * g[i] + b * g[i + 1] + ((a * a * a - a) * m[i] + (b * b * b - b) * m[i + 1]) * h * h / 6;
}
double TextbookSlope(const Vec &x, const Vec &g, const Vec &m, size_t i, double t)
{
    const double h = x[i + 1] - x[i], a = (x[i + 1] - t) / h, b = (t - x[i]) / h;
    return (g[i + 1] - g[i]) / h - (3 * a * a - 1) / 6 * h * m[i] + (3 * b * b - 1) / 6 * h * m[i + 1];
}

} // namespace

// Values, degrees of freedom, residual and GCV against the dense influence
// matrix, at sizes from the smallest to a few dozen, from interpolating
// (lambda = 0: g = y, n degrees of freedom) to almost the least-squares line
// (where I + lambda K is far from well conditioned, and the dense solve in
// double loses digits itself).
TEST(SmoothingSpline, MatchesTheDenseInfluenceMatrix)
{
    const struct {
        const char *name;
        int n;
        double lambda, tolerance;
    } rows[] = {
        {"three knots", 3, 0.7, 1e-10},  {"four knots", 4, 2.0, 1e-10}, {"interpolating", 12, 0.0, 1e-10},
        {"nearly interpolating", 12, 1e-3, 1e-10}, {"moderate", 25, 1.0, 1e-10},
        {"strong", 25, 300.0, 1e-10},    {"nearly a line", 30, 1e6, 1e-8},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const Vec x = UnevenKnots(row.n), y = NoisyCurve(x);
        const Fitted f = Fit(x, y, row.lambda);
        ASSERT_EQ(f.status, Status::Ok);
        const Dense d(x, y, row.lambda);
        for (size_t i = 0; i < x.size(); ++i)
            EXPECT_NEAR(f.g[i], d.g[i], row.tolerance) << "knot " << i;
        EXPECT_NEAR(f.fit.edf, d.edf, 10 * row.tolerance);
        EXPECT_NEAR(f.fit.rss, d.rss, row.tolerance * (1 + d.rss));
        if (row.lambda > 0)
            EXPECT_NEAR(f.fit.gcv, d.gcv, 100 * row.tolerance * d.gcv);
        else
            EXPECT_EQ(f.fit.gcv, kInf);  // 0 / 0: an interpolant has no score
        EXPECT_EQ(f.fit.lambda, row.lambda);
        EXPECT_EQ(f.m.front(), 0.0);
        EXPECT_EQ(f.m.back(), 0.0);
    }
}

// Value and slope anywhere against the textbook form of each segment's
// cubic; beyond the ends the spline goes on as a straight line.
TEST(SmoothingSpline, ValueAndSlopeFollowTheSegmentCubics)
{
    const Vec x = UnevenKnots(9), y = NoisyCurve(x);
    const Fitted f = Fit(x, y, 0.5);
    ASSERT_EQ(f.status, Status::Ok);
    const int32_t n = Count(x);
    Vec knotSlopes(x.size(), kSentinel);
    numerics::SmoothingSplineKnotSlopes(n, x.data(), f.g.data(), f.m.data(), knotSlopes.data());
    for (size_t i = 0; i + 1 < x.size(); ++i) {
        for (double u : {0.0, 0.25, 0.5, 0.9}) {
            const double t = x[i] + u * (x[i + 1] - x[i]);
            EXPECT_NEAR(numerics::SmoothingSplineValue(n, x.data(), f.g.data(), f.m.data(), t),
                        TextbookValue(x, f.g, f.m, i, t), 1e-12);
            EXPECT_NEAR(numerics::SmoothingSplineSlope(n, x.data(), f.g.data(), f.m.data(), t),
                        TextbookSlope(x, f.g, f.m, i, t), 1e-12);
        }
        EXPECT_NEAR(knotSlopes[i], TextbookSlope(x, f.g, f.m, i, x[i]), 1e-12);
    }
    const size_t last = x.size() - 1;
    const double endSlope = TextbookSlope(x, f.g, f.m, last - 1, x[last]);
    EXPECT_NEAR(knotSlopes[last], endSlope, 1e-12);
    EXPECT_NEAR(numerics::SmoothingSplineValue(n, x.data(), f.g.data(), f.m.data(), x[last] + 2),
                f.g[last] + 2 * endSlope, 1e-12);
    const double startSlope = TextbookSlope(x, f.g, f.m, 0, x[0]);
    EXPECT_NEAR(numerics::SmoothingSplineSlope(n, x.data(), f.g.data(), f.m.data(), x[0] - 3), startSlope, 1e-12);
    EXPECT_NEAR(numerics::SmoothingSplineValue(n, x.data(), f.g.data(), f.m.data(), x[0] - 3),
                f.g[0] - 3 * startSlope, 1e-12);
}

// The search lands on the smallest GCV of a fine scan of the dense formula
// (every 4 % in lambda), and reports the spline at its lambda.
TEST(SmoothingSpline, CrossValidationFindsTheSmallestGcv)
{
    const Vec x = UnevenKnots(30), y = NoisyCurve(x);
    double best = kInf, bestLambda = 0;
    for (double lambda = 1e-2; lambda <= 1e4; lambda *= 1.04) {
        const Dense d(x, y, lambda);
        if (d.gcv < best)
            best = d.gcv, bestLambda = lambda;
    }
    Fitted f{Vec(x.size()), Vec(x.size()), {}, {}};
    f.status = numerics::FitSmoothingSplineGcv(Count(x), x.data(), y.data(), 1e-2, 1e4, f.g.data(), f.m.data(),
                                               &f.fit);
    ASSERT_EQ(f.status, Status::Ok);
    EXPECT_LE(f.fit.gcv, best * (1 + 1e-6));
    EXPECT_NEAR(std::log(f.fit.lambda), std::log(bestLambda), std::log(1.06));
    const Dense at(x, y, f.fit.lambda);
    for (size_t i = 0; i < x.size(); ++i)
        EXPECT_NEAR(f.g[i], at.g[i], 1e-10);
    EXPECT_NEAR(f.fit.edf, at.edf, 1e-9);
}

// Refused inputs leave every output as it was.
TEST(SmoothingSpline, RefusesBadInputAndWritesNothing)
{
    const Vec x = UnevenKnots(6), y = NoisyCurve(x);
    const auto with = [](Vec v, size_t i, double value) {
        v[i] = value;
        return v;
    };
    enum class Call { Both, Single, Gcv };
    const struct {
        const char *name;
        Call call;
        Vec x, y;
        double lambda, lambdaMin, lambdaMax;
        Status expected;
    } rows[] = {
        {"two knots", Call::Both, {0, 1}, {1, 2}, 1, 1, 10, Status::TooFewPoints},
        {"a repeated knot", Call::Both, with(x, 3, x[2]), y, 1, 1, 10, Status::BadAbscissae},
        {"a knot not a number", Call::Both, with(x, 5, kNaN), y, 1, 1, 10, Status::BadAbscissae},
        {"a value not a number", Call::Both, x, with(y, 2, kNaN), 1, 1, 10, Status::BadArgument},
        {"a negative lambda", Call::Single, x, y, -1, 1, 10, Status::BadArgument},
        {"an infinite lambda", Call::Single, x, y, kInf, 1, 10, Status::BadArgument},
        {"a lower bound of zero", Call::Gcv, x, y, 1, 0, 10, Status::BadArgument},
        {"bounds the wrong way round", Call::Gcv, x, y, 1, 10, 1, Status::BadArgument},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        Vec g(row.x.size(), kSentinel), m(row.x.size(), kSentinel);
        SmoothingFit fit;
        fit.edf = kSentinel;
        if (row.call != Call::Gcv) {
            EXPECT_EQ(numerics::FitSmoothingSpline(Count(row.x), row.x.data(), row.y.data(), row.lambda, g.data(),
                                                   m.data(), &fit),
                      row.expected);
        }
        if (row.call != Call::Single) {
            EXPECT_EQ(numerics::FitSmoothingSplineGcv(Count(row.x), row.x.data(), row.y.data(), row.lambdaMin,
                                                      row.lambdaMax, g.data(), m.data(), &fit),
                      row.expected);
        }
        for (size_t i = 0; i < g.size(); ++i) {
            EXPECT_EQ(g[i], kSentinel);
            EXPECT_EQ(m[i], kSentinel);
        }
        EXPECT_EQ(fit.edf, kSentinel);
    }
}
