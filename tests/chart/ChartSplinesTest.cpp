// The chart's interpolants, checked by properties that follow from their
// definitions (interpolation, continuity of the first derivative, exactness
// on polynomials) and against polynomials extrapolated by hand-written
// Neville interpolation. Every array has exactly n elements, so the
// sanitizers catch any access past the count.
#include "chart/ChartSplines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

using namespace chart;
using Vec = std::vector<double>;

namespace {

struct PointSet {
    const char *name;
    Vec X, Y;
};

const PointSet kPointSets[] = {
    {"ThreePoints", {0, 1, 3}, {1, -2, 0.5}},
    {"FourUneven", {-1, 0.2, 0.5, 2}, {3, 1, 1.5, -1}},
    {"SixUneven", {0, 0.7, 1.5, 3, 3.2, 5}, {0.3, 1.1, -0.4, 2.0, 2.2, 0.1}},
    {"TimeAxisSteps", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, {20, 21, 23, 26, 30, 35, 41, 48, 56, 65, 75}},
    {"TemperaturesAndMicrometres", {25, 80, 160, 250, 400, 560, 700}, {0, 1.9, 5.1, 8.8, 15.6, 23.9, 31.2}},
};

// Value of the polynomial through (xs, ys) at x, by Neville's scheme.
double Neville(const Vec &xs, Vec ys, double x)
{
    for (size_t m = 1; m < xs.size(); ++m)
        for (size_t i = 0; i + m < xs.size(); ++i)
            ys[i] = ((x - xs[i + m]) * ys[i] + (xs[i] - x) * ys[i + 1]) / (xs[i] - xs[i + m]);
    return ys[0];
}

// Samples f at `count` points inside [a, b] and extrapolates their
// polynomial of degree count - 1 to x.
double Extrapolate(const std::function<double(double)> &f, double a, double b, int count, double x)
{
    Vec xs, ys;
    for (int i = 0; i < count; ++i) {
        const double t = a + (b - a) * (i + 0.5) / count;
        xs.push_back(t);
        ys.push_back(f(t));
    }
    return Neville(xs, ys, x);
}

double Scale(const Vec &Y)
{
    double s = 1;
    for (double y : Y)
        s = std::max(s, std::fabs(y));
    return s;
}

Vec Sampled(const Vec &X, double (*f)(double))
{
    Vec Y;
    for (double x : X)
        Y.push_back(f(x));
    return Y;
}

// ---- built splines on the point sets ----

struct Built {
    explicit Built(const PointSet &p) : n(static_cast<int32_t>(p.X.size())), X(p.X), Y(p.Y), Z(n), M(n), B(n), C(n), D(n)
    {
        EXPECT_EQ(SplineStrainBuild(n, X.data(), Y.data(), 1.0, Z.data()), Status::Ok);
        EXPECT_EQ(Spline2PBuild(n, X.data(), Y.data(), M.data()), Status::Ok);
        EXPECT_EQ(Spline3PBuild(n, X.data(), Y.data(), B.data(), C.data(), D.data()), Status::Ok);
    }
    double Strain(double x) const { return SplineStrainValue(n, X.data(), Y.data(), 1.0, Z.data(), x); }
    double Strain1(double x) const { return SplineStrainDiff1(n, X.data(), Y.data(), 1.0, Z.data(), x); }
    double Strain2(double x) const { return SplineStrainDiff2(n, X.data(), 1.0, Z.data(), x); }
    double Quadratic(double x) const { return Spline2PValue(n, X.data(), Y.data(), M.data(), x); }
    double Cubic(double x) const { return Spline3PValue(n, X.data(), Y.data(), B.data(), C.data(), D.data(), x); }

    int32_t n;
    Vec X, Y, Z, M, B, C, D;
};

class Splines : public ::testing::TestWithParam<PointSet> {};

// Each spline passes through its points; at a knot the left piece serves,
// and the right piece gives the same value in the limit.
TEST_P(Splines, PassThroughPointsFromBothSides)
{
    const Built s(GetParam());
    const double tol = 1e-12 * Scale(s.Y);
    for (int32_t k = 0; k < s.n; ++k) {
        const double right = std::nextafter(s.X[k], INFINITY);
        EXPECT_NEAR(s.Strain(s.X[k]), s.Y[k], tol) << "tension, point " << k;
        EXPECT_NEAR(s.Quadratic(s.X[k]), s.Y[k], tol) << "quadratic, point " << k;
        EXPECT_NEAR(s.Cubic(s.X[k]), s.Y[k], tol) << "cubic, point " << k;
        EXPECT_NEAR(s.Strain(right), s.Y[k], 1e3 * tol) << "tension, right of point " << k;
        EXPECT_NEAR(s.Quadratic(right), s.Y[k], 1e3 * tol) << "quadratic, right of point " << k;
        EXPECT_NEAR(s.Cubic(right), s.Y[k], 1e3 * tol) << "cubic, right of point " << k;
    }
}

// One-sided difference quotients at each inner knot agree: the pieces join
// with a common slope.
TEST_P(Splines, FirstDerivativeContinuousAtKnots)
{
    const Built s(GetParam());
    for (int32_t k = 1; k + 1 < s.n; ++k) {
        const double step = std::min(s.X[k] - s.X[k - 1], s.X[k + 1] - s.X[k]);
        const double h = 1e-6 * step;
        const double tol = 1e-5 * Scale(s.Y) / step; // far above the quotients' own error
        auto joins = [&](const std::function<double(double)> &f, const char *what) {
            const double left = (f(s.X[k]) - f(s.X[k] - h)) / h;
            const double rightSlope = (f(s.X[k] + h) - f(s.X[k])) / h;
            EXPECT_NEAR(left, rightSlope, tol) << what << " at knot " << k;
        };
        joins([&](double x) { return s.Strain(x); }, "tension");
        joins([&](double x) { return s.Quadratic(x); }, "quadratic");
        joins([&](double x) { return s.Cubic(x); }, "cubic");
        // The tension spline's own derivative from the left piece and just
        // right of the knot.
        EXPECT_NEAR(s.Strain1(s.X[k]), s.Strain1(s.X[k] + h), tol) << "tension Diff1 at knot " << k;
    }
}

// Diff1 and Diff2 are the derivatives of the value; Diff2 at each point is Z.
TEST_P(Splines, TensionDerivatives)
{
    const Built s(GetParam());
    for (int32_t k = 1; k < s.n; ++k) {
        const double x = s.X[k - 1] + 0.37 * (s.X[k] - s.X[k - 1]);
        const double h = 1e-5 * (s.X[k] - s.X[k - 1]);
        const double d1 = (s.Strain(x + h) - s.Strain(x - h)) / (2 * h);
        const double d2 = (s.Strain1(x + h) - s.Strain1(x - h)) / (2 * h);
        EXPECT_NEAR(s.Strain1(x), d1, 1e-6 * (1 + std::fabs(d1))) << k;
        EXPECT_NEAR(s.Strain2(x), d2, 1e-6 * (1 + std::fabs(d2))) << k;
    }
    for (int32_t k = 0; k < s.n; ++k)
        EXPECT_NEAR(s.Strain2(s.X[k]), s.Z[k], 1e-12 * (1 + std::fabs(s.Z[k]))) << k;
}

// Outside the points the first and last pieces go on: the quadratic's pieces
// are parabolas beyond the half-interval next to the end, the cubic's are cubics.
TEST_P(Splines, EndPiecesExtend)
{
    const Built s(GetParam());
    const double x0 = s.X[0], x1 = s.X[1], xl = s.X[s.n - 2], xn = s.X[s.n - 1];
    const double below = x0 - (x1 - x0), above = xn + (xn - xl);
    const double tol = 1e-8 * Scale(s.Y);
    auto quadratic = [&](double x) { return s.Quadratic(x); };
    auto cubic = [&](double x) { return s.Cubic(x); };
    EXPECT_NEAR(s.Quadratic(below), Extrapolate(quadratic, x0, (x0 + x1) / 2, 3, below), tol);
    EXPECT_NEAR(s.Quadratic(above), Extrapolate(quadratic, (xl + xn) / 2, xn, 3, above), tol);
    EXPECT_NEAR(s.Cubic(below), Extrapolate(cubic, x0, x1, 4, below), tol);
    EXPECT_NEAR(s.Cubic(above), Extrapolate(cubic, xl, xn, 4, above), tol);
}

INSTANTIATE_TEST_SUITE_P(Sets, Splines, ::testing::ValuesIn(kPointSets),
                         [](const auto &info) { return std::string(info.param.name); });

// ---- exactness ----

TEST(SplinesExact, StraightLineEverywhere)
{
    const Vec X{-2, -1.5, 0, 0.25, 3, 7};
    const Built s(PointSet{"Line", X, Sampled(X, [](double x) { return 2 - 0.75 * x; })});
    for (double z : s.Z)
        EXPECT_NEAR(z, 0, 1e-12);
    for (double x : {-5.0, -1.7, 0.1, 2.0, 6.5, 10.0}) {
        EXPECT_NEAR(s.Strain(x), 2 - 0.75 * x, 1e-12) << x;
        EXPECT_NEAR(s.Quadratic(x), 2 - 0.75 * x, 1e-12) << x;
        EXPECT_NEAR(s.Cubic(x), 2 - 0.75 * x, 1e-12) << x;
    }
}

// The end conditions match the third derivative of the cubic through the
// four end points, and a cubic satisfies every equation of the system, so a
// cubic comes back exactly, coefficients included.
TEST(SplinesExact, CubicSplineReproducesCubics)
{
    auto p = [](double x) { return 1 - 2 * x + 0.5 * x * x - 0.3 * x * x * x; };
    for (const Vec &X : {Vec{0, 1, 2.5, 3}, Vec{-1, -0.2, 0.5, 1.75, 2, 4}, Vec{0, 0.1, 0.2, 1, 3, 3.1, 5, 8}}) {
        const auto n = static_cast<int32_t>(X.size());
        Vec Y = Sampled(X, p), B(n), C(n), D(n);
        ASSERT_EQ(Spline3PBuild(n, X.data(), Y.data(), B.data(), C.data(), D.data()), Status::Ok);
        for (int32_t i = 0; i + 1 < n; ++i) { // Taylor coefficients of p at X[i]
            EXPECT_NEAR(B[i], -2 + X[i] - 0.9 * X[i] * X[i], 1e-10) << "n = " << n << ", i = " << i;
            EXPECT_NEAR(C[i], 0.5 - 0.9 * X[i], 1e-10) << "n = " << n << ", i = " << i;
            EXPECT_NEAR(D[i], -0.3, 1e-10) << "n = " << n << ", i = " << i;
        }
        for (double x = X.front() - 1; x <= X.back() + 1; x += 0.1)
            EXPECT_NEAR(Spline3PValue(n, X.data(), Y.data(), B.data(), C.data(), D.data(), x), p(x),
                        1e-9 * (1 + std::fabs(p(x))))
                << "n = " << n << ", x = " << x;
    }
}

// Three points: the natural cubic spline, written here in its textbook form
// through the second derivatives M0 = M2 = 0 and M1 from the middle row
// h0 M0 + 2 (h0 + h1) M1 + h1 M2 = 6 (slope1 - slope0).
TEST(SplinesExact, CubicSplineOfThreePointsHasNaturalEnds)
{
    const Vec X{0, 1, 3}, Y{1, -2, 0.5};
    Vec B(3), C(3), D(3);
    ASSERT_EQ(Spline3PBuild(3, X.data(), Y.data(), B.data(), C.data(), D.data()), Status::Ok);
    const double h0 = 1, h1 = 2, slope0 = -3, slope1 = 1.25;
    const double M[3] = {0, 6 * (slope1 - slope0) / (2 * (h0 + h1)), 0};
    auto natural = [&](double x) {
        const int k = x < X[1] ? 0 : 1; // the end pieces extend beyond the ends
        const double h = X[k + 1] - X[k], a = X[k + 1] - x, b = x - X[k];
        return M[k] * a * a * a / (6 * h) + M[k + 1] * b * b * b / (6 * h) + (Y[k] / h - M[k] * h / 6) * a +
               (Y[k + 1] / h - M[k + 1] * h / 6) * b;
    };
    for (double x = -2; x <= 5; x += 0.25)
        EXPECT_NEAR(Spline3PValue(3, X.data(), Y.data(), B.data(), C.data(), D.data(), x), natural(x), 1e-12)
            << x;
    EXPECT_EQ(C[0], 0.0) << "no curvature at the first point";
    EXPECT_NEAR(C[1] + 3 * D[1] * h1, 0, 1e-12) << "nor at the last";
}

TEST(Lagrange, ReproducesPolynomialOfDegreeNMinusOne)
{
    auto p = [](double x) { return 1 - 2 * x + 0.5 * x * x * x - 0.1 * std::pow(x, 5); };
    const Vec X{-2, -1.2, 0, 0.4, 1.5, 2.5}, Y = Sampled(X, p);
    for (double x : {-3.0, -1.0, 0.0, 0.4, 0.7, 2.0, 3.0})
        EXPECT_NEAR(LagrangValue(6, X.data(), Y.data(), x), p(x), 1e-11 * (1 + std::fabs(p(x)))) << x;
    const double one = 4.25;
    EXPECT_EQ(LagrangValue(1, X.data(), &one, 17.0), 4.25) << "one point is a constant";
}

// With X = 0, 0, 1 the two factors between the equal abscissae are left
// out: the sum is 1 (1 - x) + 3 (1 - x) + 2 x * x, which at 0.5 is 2.5.
TEST(Lagrange, EqualAbscissaeSkipTheirFactor)
{
    const Vec X{0, 0, 1}, Y{1, 3, 2};
    EXPECT_DOUBLE_EQ(LagrangValue(3, X.data(), Y.data(), 0.5), 2.5);
    EXPECT_DOUBLE_EQ(LagrangValue(3, X.data(), Y.data(), 2.0), 4.0);
}

TEST(Lagrange, HundredPointsAreTheLimit)
{
    Vec X(101), Y(101, 1.0);
    for (int i = 0; i < 101; ++i)
        X[i] = std::cos(M_PI * (i + 0.5) / 101);
    // The basis polynomials sum to one.
    EXPECT_NEAR(LagrangValue(100, X.data(), Y.data(), 0.3), 1.0, 1e-9);
    EXPECT_TRUE(std::isnan(LagrangValue(101, X.data(), Y.data(), 0.3)));
    EXPECT_TRUE(std::isnan(LagrangValue(0, nullptr, nullptr, 0.3)));
    EXPECT_TRUE(std::isnan(LagrangValue(-1, nullptr, nullptr, 0.3)));
}

// ---- the interval rule, with coefficients made up so each piece differs ----

// With B = C = 0 and D[i] = i + 1 the piece on [X[k-1], X[k]] ends at
// Y[k-1] + k h^3, never at Y[k]: the value at a knot tells which piece served it.
TEST(Bisection, KnotBelongsToTheLeftInterval)
{
    for (int32_t n = 3; n <= 20; ++n) {
        Vec X(n), Y(n), B(n, 0.0), C(n, 0.0), D(n);
        for (int32_t i = 0; i < n; ++i) {
            X[i] = i * i * 0.5 + i; // uneven steps
            Y[i] = 100.0 * i;
            D[i] = i + 1;
        }
        auto value = [&](double x) { return Spline3PValue(n, X.data(), Y.data(), B.data(), C.data(), D.data(), x); };
        EXPECT_EQ(value(X[0]), Y[0]) << "n = " << n;
        for (int32_t k = 1; k < n; ++k) {
            const double h = X[k] - X[k - 1];
            EXPECT_DOUBLE_EQ(value(X[k]), Y[k - 1] + k * h * h * h) << "n = " << n << ", knot " << k;
            const double mid = X[k - 1] + h / 2;
            EXPECT_DOUBLE_EQ(value(mid), Y[k - 1] + k * h * h * h / 8) << "n = " << n << ", inside " << k;
        }
        const double beyond = X[n - 1] + 1, h = beyond - X[n - 2];
        EXPECT_DOUBLE_EQ(value(beyond), Y[n - 2] + (n - 1) * h * h * h) << "n = " << n << ", last piece extends";
        EXPECT_DOUBLE_EQ(value(X[0] - 1), Y[0] - 1) << "n = " << n << ", first piece extends";
    }
}

// The quadratic piece worked by hand with made-up second derivatives, inside
// an interval and on both sides beyond the points.
TEST(QuadraticPiece, HandWorkedValues)
{
    const Vec X{0, 1, 2, 4}, Y{0, 10, 20, 30}, M{0, 1, 2, 3};
    // [1, 2], u = 0.75, m = 0.25: 0.28125 + 7.5 - 0.46875 + 10 + 0.03125.
    EXPECT_DOUBLE_EQ(Spline2PValue(4, X.data(), Y.data(), M.data(), 1.75), 17.34375);
    // First piece [0, 1], u = -0.5, m < 0: 0 - 5 + 0.0625 + 0.
    EXPECT_DOUBLE_EQ(Spline2PValue(4, X.data(), Y.data(), M.data(), -0.5), -4.9375);
    // Last piece [2, 4], u = 3, m = 2: 9 + 15 - 6.75 + 20 + 2.
    EXPECT_DOUBLE_EQ(Spline2PValue(4, X.data(), Y.data(), M.data(), 5.0), 39.25);
}

// ---- refusals ----

struct BadInput {
    const char *name;
    Vec X, Y;
    double sigma;
    Status strain, others;
};

const BadInput kBadInputs[] = {
    {"TwoPoints", {0, 1}, {1, 2}, 1, Status::TooFewPoints, Status::TooFewPoints},
    {"EqualAbscissae", {0, 1, 1, 2}, {1, 2, 3, 4}, 1, Status::BadAbscissae, Status::BadAbscissae},
    {"Decreasing", {0, 2, 1, 3}, {1, 2, 3, 4}, 1, Status::BadAbscissae, Status::BadAbscissae},
    {"NaNAbscissa", {0, NAN, 2, 3}, {1, 2, 3, 4}, 1, Status::BadAbscissae, Status::BadAbscissae},
    {"NaNOrdinate", {0, 1, 2, 3}, {1, NAN, 3, 4}, 1, Status::Singular, Status::Singular},
    {"ZeroTension", {0, 1, 2, 3}, {1, 2, 3, 4}, 0, Status::BadArgument, Status::Ok},
    // sinh(1000) overflows: the chart reports a drawing failure.
    {"WideStepsOverflowTension", {0, 1000, 2000, 3000}, {1, 2, 0, 4}, 1, Status::Singular, Status::Ok},
};

class Refusals : public ::testing::TestWithParam<BadInput> {};

TEST_P(Refusals, NothingWritten)
{
    const BadInput &r = GetParam();
    const auto n = static_cast<int32_t>(r.X.size());
    Vec Z(n, 7.0), M(n, 7.0), B(n, 7.0), C(n, 7.0), D(n, 7.0);
    EXPECT_EQ(SplineStrainBuild(n, r.X.data(), r.Y.data(), r.sigma, Z.data()), r.strain);
    EXPECT_EQ(Spline2PBuild(n, r.X.data(), r.Y.data(), M.data()), r.others);
    EXPECT_EQ(Spline3PBuild(n, r.X.data(), r.Y.data(), B.data(), C.data(), D.data()), r.others);
    const Vec untouched(n, 7.0);
    if (r.strain != Status::Ok) {
        EXPECT_EQ(Z, untouched);
    }
    if (r.others != Status::Ok) {
        EXPECT_EQ(M, untouched);
        EXPECT_EQ(B, untouched);
        EXPECT_EQ(C, untouched);
        EXPECT_EQ(D, untouched);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, Refusals, ::testing::ValuesIn(kBadInputs),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Refusals, ValuesNeedThreePoints)
{
    const Vec X{0, 1}, Y{1, 2}, A{0, 0};
    for (int32_t n : {2, 1, 0, -4}) {
        EXPECT_TRUE(std::isnan(SplineStrainValue(n, X.data(), Y.data(), 1, A.data(), 0.5))) << n;
        EXPECT_TRUE(std::isnan(SplineStrainDiff1(n, X.data(), Y.data(), 1, A.data(), 0.5))) << n;
        EXPECT_TRUE(std::isnan(SplineStrainDiff2(n, X.data(), 1, A.data(), 0.5))) << n;
        EXPECT_TRUE(std::isnan(Spline2PValue(n, X.data(), Y.data(), A.data(), 0.5))) << n;
        EXPECT_TRUE(std::isnan(Spline3PValue(n, X.data(), Y.data(), A.data(), A.data(), A.data(), 0.5))) << n;
    }
    EXPECT_EQ(Spline3PBuild(0, nullptr, nullptr, nullptr, nullptr, nullptr), Status::TooFewPoints);
}

} // namespace
