#include "chart/ChartSplines.h"

#include <cmath>
#include <limits>
#include <vector>

namespace chart {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The hyperbolic functions, each from two exponentials. Beyond an argument of
// about 710 they overflow, and a build then reports Singular.
double Cosh(double t) { return (std::exp(t) + std::exp(-t)) / 2; }
double Sinh(double t) { return (std::exp(t) - std::exp(-t)) / 2; }
double Coth(double t) { return Cosh(t) / Sinh(t); }

// The checks every build makes before it writes anything.
Status CheckPoints(int32_t n, const double *X)
{
    if (n <= 2)
        return Status::TooFewPoints;
    for (int32_t i = 1; i < n; ++i)
        if (!(X[i] > X[i - 1])) // also refuses a NaN abscissa
            return Status::BadAbscissae;
    return Status::Ok;
}

bool AllFinite(const std::vector<double> &v)
{
    for (double a : v)
        if (!std::isfinite(a))
            return false;
    return true;
}

// A tridiagonal system, row i: sub[i] z[i-1] + diag[i] z[i] + super[i] z[i+1] = rhs[i].
struct TTridiagonal {
    explicit TTridiagonal(int32_t n) : sub(n), diag(n), super(n), rhs(n) {}
    std::vector<double> sub, diag, super, rhs;
};

// Elimination without pivoting. Singular on a zero pivot or a non-finite
// solution; z is then not meaningful.
Status SolveTridiagonal(const TTridiagonal &s, std::vector<double> &z)
{
    const size_t n = s.diag.size();
    std::vector<double> c(n), r(n);
    c[0] = s.diag[0];
    r[0] = s.rhs[0];
    for (size_t i = 1; i < n; ++i) {
        if (c[i - 1] == 0.0)
            return Status::Singular;
        c[i] = s.diag[i] - s.super[i - 1] * s.sub[i] / c[i - 1];
        r[i] = s.rhs[i] - r[i - 1] * s.sub[i] / c[i - 1];
    }
    if (c[n - 1] == 0.0)
        return Status::Singular;
    z.assign(n, 0.0);
    z[n - 1] = r[n - 1] / c[n - 1];
    for (size_t i = n - 1; i-- > 0;)
        z[i] = (r[i] - s.super[i] * z[i + 1]) / c[i];
    return AllFinite(z) ? Status::Ok : Status::Singular;
}

void CopyOut(const std::vector<double> &from, double *to)
{
    for (size_t i = 0; i < from.size(); ++i)
        to[i] = from[i];
}

// Bisection for the interval [X[k-1], X[k]] holding x; a knot belongs to the
// interval on its left, and the end intervals extend beyond the ends. Needs n >= 2.
int32_t FindInterval(int32_t n, const double *X, double x)
{
    int32_t lo = 0;
    int32_t hi = n - 1;
    while (hi > lo + 1) {
        const auto mid = static_cast<int32_t>(std::nearbyint((static_cast<double>(hi) + lo) / 2));
        if (x == X[mid]) {
            hi = mid;
            break;
        }
        if (x > X[mid])
            lo = mid;
        else
            hi = mid;
    }
    return hi;
}

// The tension spline's interval [a, b] = [X[k-1], X[k]]: width h,
// p = sqrt(sigma) and S = sinh(p h).
struct TStrainPiece {
    double a, b, h, S, p;
};

TStrainPiece StrainPiece(const double *X, double sigma, int32_t k)
{
    TStrainPiece q;
    q.a = X[k - 1];
    q.b = X[k];
    q.h = q.b - q.a;
    q.p = std::sqrt(sigma);
    q.S = Sinh(q.p * q.h);
    return q;
}

} // namespace

Status SplineStrainBuild(int32_t n, const double *X, const double *Y, double sigma, double *Z)
{
    if (const Status s = CheckPoints(n, X); s != Status::Ok)
        return s;
    if (!(sigma > 0) || !std::isfinite(sigma))
        return Status::BadArgument;
    const double p = std::sqrt(sigma);
    auto h = [X](int32_t i) { return X[i + 1] - X[i]; };

    // Row i (inner) makes the first derivative continuous at X[i]; the end
    // rows tie Z at each end to its neighbour with a zero right side.
    TTridiagonal s(n);
    s.diag[0] = -(Coth(p * h(0)) + 1 / (sigma * h(0)));
    s.super[0] = 1 / (p * Sinh(p * h(0))) + 1 / (sigma * h(0));
    s.rhs[0] = 0;
    for (int32_t i = 1; i <= n - 2; ++i) {
        const double hl = h(i - 1), hr = h(i);
        s.sub[i] = 1 / (sigma * hl) - 1 / (p * Sinh(p * hl));
        s.diag[i] = (Coth(p * hl) + Coth(p * hr)) / p - (1 / sigma) * (1 / hl + 1 / hr);
        s.super[i] = 1 / (sigma * hr) - 1 / (p * Sinh(p * hr));
        s.rhs[i] = (Y[i + 1] - Y[i]) / hr - (Y[i] - Y[i - 1]) / hl;
    }
    const double hn = h(n - 2);
    s.sub[n - 1] = -(1 / (p * Sinh(p * hn)) + 1 / (sigma * hn));
    s.diag[n - 1] = Coth(p * hn) + 1 / (sigma * hn);
    s.rhs[n - 1] = 0;

    std::vector<double> z;
    if (const Status st = SolveTridiagonal(s, z); st != Status::Ok)
        return st;
    CopyOut(z, Z);
    return Status::Ok;
}

double SplineStrainValue(int32_t n, const double *X, const double *Y, double sigma, const double *Z, double x)
{
    if (n < 3)
        return kNaN;
    const int32_t k = FindInterval(n, X, x);
    const TStrainPiece q = StrainPiece(X, sigma, k);
    return (Z[k - 1] * Sinh(q.p * (q.b - x)) + Z[k] * Sinh(q.p * (x - q.a))) / (sigma * q.S) +
           (Y[k - 1] - Z[k - 1] / sigma) * (q.b - x) / q.h + (Y[k] - Z[k] / sigma) * (x - q.a) / q.h;
}

double SplineStrainDiff1(int32_t n, const double *X, const double *Y, double sigma, const double *Z, double x)
{
    if (n < 3)
        return kNaN;
    const int32_t k = FindInterval(n, X, x);
    const TStrainPiece q = StrainPiece(X, sigma, k);
    return ((Y[k] - Z[k] / sigma) - (Y[k - 1] - Z[k - 1] / sigma)) / q.h +
           (-Z[k - 1] / q.p * Cosh(q.p * (q.b - x)) + Z[k] / q.p * Cosh(q.p * (x - q.a))) / q.S;
}

double SplineStrainDiff2(int32_t n, const double *X, double sigma, const double *Z, double x)
{
    if (n < 3)
        return kNaN;
    const int32_t k = FindInterval(n, X, x);
    const TStrainPiece q = StrainPiece(X, sigma, k);
    return (Z[k - 1] * Sinh(q.p * (q.b - x)) + Z[k] * Sinh(q.p * (x - q.a))) / q.S;
}

Status Spline2PBuild(int32_t n, const double *X, const double *Y, double *M)
{
    if (const Status s = CheckPoints(n, X); s != Status::Ok)
        return s;
    auto h = [X](int32_t i) { return X[i + 1] - X[i]; };

    // Row i joins the first derivatives of the two pieces meeting at X[i].
    TTridiagonal s(n);
    s.diag[0] = 3;
    s.super[0] = 0.5;
    s.rhs[0] = 0;
    for (int32_t i = 1; i <= n - 2; ++i) {
        const double hl = h(i - 1), hr = h(i);
        const double mu = hl / (X[i + 1] - X[i - 1]);
        s.sub[i] = mu;
        s.diag[i] = 3;
        s.super[i] = 1 - mu;
        s.rhs[i] = 8 * ((Y[i + 1] - Y[i]) * hl - (Y[i] - Y[i - 1]) * hr) / (hl * hr * (hl + hr));
    }
    s.sub[n - 1] = 0.5;
    s.diag[n - 1] = 3;
    s.rhs[n - 1] = 0;

    std::vector<double> m;
    if (const Status st = SolveTridiagonal(s, m); st != Status::Ok)
        return st;
    CopyOut(m, M);
    return Status::Ok;
}

double Spline2PValue(int32_t n, const double *X, const double *Y, const double *M, double x)
{
    if (n < 3)
        return kNaN;
    int32_t i = 0;
    while (x > X[i] && i + 1 != n)
        ++i;
    const int32_t k = i == 0 ? 1 : i;
    const double a = X[k - 1], b = X[k], h = b - a;
    const double u = x - a;
    const double m = x - (a + b) / 2;
    const double q = m > 0 ? m * m : 0;
    return u * u * M[k - 1] / 2 + (Y[k] - Y[k - 1]) / h * u - h * (3 * M[k - 1] + M[k]) / 8 * u + Y[k - 1] +
           (M[k] - M[k - 1]) * q / 2;
}

namespace {

// The cubic spline's coefficients while they are built; the names follow
// the final use of each array.
struct TCubicWork {
    explicit TCubicWork(int32_t n) : B(n), C(n), D(n) {}
    std::vector<double> B, C, D;
};

// The tridiagonal system for a sixth of the second derivatives at the
// points: diagonal in B, off-diagonal in D, right side in C.
void SetUpCubicSystem(int32_t n, const double *X, const double *Y, TCubicWork &w)
{
    auto &B = w.B, &C = w.C, &D = w.D;
    D[0] = X[1] - X[0];
    C[1] = (Y[1] - Y[0]) / D[0];
    for (int32_t i = 1; i <= n - 2; ++i) {
        D[i] = X[i + 1] - X[i];
        B[i] = 2 * (D[i - 1] + D[i]);
        C[i + 1] = (Y[i + 1] - Y[i]) / D[i];
        C[i] = C[i + 1] - C[i];
    }
    // End conditions: the third derivative at each end equals that of the
    // cubic through the four end points. Three points have no such cubic;
    // SolveNaturalThreePoints replaces these rows then.
    B[0] = -D[0];
    B[n - 1] = -D[n - 2];
    C[0] = 0;
    C[n - 1] = 0;
    if (n >= 4) {
        C[0] = C[2] / (X[3] - X[1]) - C[1] / (X[2] - X[0]);
        C[n - 1] = C[n - 2] / (X[n - 1] - X[n - 3]) - C[n - 3] / (X[n - 2] - X[n - 4]);
        C[0] = C[0] * D[0] * D[0] / (X[3] - X[0]);
        C[n - 1] = -C[n - 1] * D[n - 2] * D[n - 2] / (X[n - 1] - X[n - 4]);
    }
}

// Elimination and back substitution on the system of SetUpCubicSystem.
Status SolveCubicSystem(int32_t n, TCubicWork &w)
{
    auto &B = w.B, &C = w.C, &D = w.D;
    for (int32_t i = 1; i <= n - 1; ++i) {
        if (B[i - 1] == 0.0)
            return Status::Singular;
        const double t = D[i - 1] / B[i - 1];
        B[i] = B[i] - t * D[i - 1];
        C[i] = C[i] - t * C[i - 1];
    }
    if (B[n - 1] == 0.0)
        return Status::Singular;
    C[n - 1] = C[n - 1] / B[n - 1];
    for (int32_t i = n - 2; i >= 0; --i)
        C[i] = (C[i] - D[i] * C[i + 1]) / B[i];
    return Status::Ok;
}

// Three points: natural ends (no curvature at the first and last point), so
// only the middle row of the system is left.
void SolveNaturalThreePoints(TCubicWork &w)
{
    w.C[0] = 0;
    w.C[1] = w.C[1] / w.B[1];
    w.C[2] = 0;
}

// From the solution to the coefficients of each piece.
void FinishCubic(int32_t n, const double *Y, TCubicWork &w)
{
    auto &B = w.B, &C = w.C, &D = w.D;
    B[n - 1] = (Y[n - 1] - Y[n - 2]) / D[n - 2] + D[n - 2] * (C[n - 2] + 2 * C[n - 1]);
    for (int32_t i = 0; i <= n - 2; ++i) {
        B[i] = (Y[i + 1] - Y[i]) / D[i] - D[i] * (C[i + 1] + 2 * C[i]);
        D[i] = (C[i + 1] - C[i]) / D[i];
        C[i] = 3 * C[i];
    }
    C[n - 1] = 3 * C[n - 1];
    D[n - 1] = D[n - 2];
}

} // namespace

Status Spline3PBuild(int32_t n, const double *X, const double *Y, double *B, double *C, double *D)
{
    if (const Status s = CheckPoints(n, X); s != Status::Ok)
        return s;
    TCubicWork w(n);
    SetUpCubicSystem(n, X, Y, w);
    if (n == 3)
        SolveNaturalThreePoints(w);
    else if (const Status s = SolveCubicSystem(n, w); s != Status::Ok)
        return s;
    FinishCubic(n, Y, w);
    if (!AllFinite(w.B) || !AllFinite(w.C) || !AllFinite(w.D))
        return Status::Singular;
    CopyOut(w.B, B);
    CopyOut(w.C, C);
    CopyOut(w.D, D);
    return Status::Ok;
}

double Spline3PValue(int32_t n, const double *X, const double *Y, const double *B, const double *C,
                     const double *D, double x)
{
    if (n < 3)
        return kNaN;
    const int32_t k = FindInterval(n, X, x);
    const double t = x - X[k - 1];
    return ((t * D[k - 1] + C[k - 1]) * t + B[k - 1]) * t + Y[k - 1];
}

double LagrangValue(int32_t n, const double *X, const double *Y, double x)
{
    if (n < 1 || n > 100)
        return kNaN;
    double sum = 0;
    for (int32_t i = 0; i < n; ++i) {
        double basis = 1;
        for (int32_t j = 0; j < n; ++j)
            if (j != i && X[j] != X[i])
                basis *= (x - X[j]) / (X[i] - X[j]);
        sum += Y[i] * basis;
    }
    return sum;
}

} // namespace chart
