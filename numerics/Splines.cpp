#include "numerics/Splines.h"

#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

// Reinsch's smoothing spline (Numer. Math. 10, 1967) with both end slopes
// fixed: Q maps node values to the jumps of the first derivative (one column
// per node, the end columns holding the end-slope conditions), R is the cubic
// spline's tridiagonal matrix of the same shape. The node second derivatives
// solve (R + alpha Q^T Q) M = r, r being Q^T y less the end chord slopes, and
// the smoothed node values are G = y - alpha Q M.

namespace numerics {
namespace {

using Vec = std::vector<double>;

std::size_t Size(int32_t n) { return static_cast<std::size_t>(n); }

bool StrictlyIncreasing(int32_t n, const double *x)
{
    for (int32_t i = 0; i + 1 < n; ++i) {
        if (!(x[i] < x[i + 1])) // also refuses NaN
            return false;
    }
    return true;
}

// The symmetric five-diagonal system P M = r: main diagonal e, first
// off-diagonal f, second off-diagonal g. f[n-1], g[n-2] and g[n-1] stay 0.
struct BandSystem {
    Vec h, e, f, g, r;
};

void FillRightHandSide(int32_t n, const double *y, BandSystem &s)
{
    const Vec &h = s.h;
    const double s0 = (y[1] - y[0]) / h[0];
    const double se = (y[n - 1] - y[n - 2]) / h[n - 2];
    s.r[0] = (y[1] - y[0]) / h[0] - s0;
    for (int32_t i = 1; i <= n - 2; ++i)
        s.r[i] = (y[i + 1] - y[i]) / h[i] - (y[i] - y[i - 1]) / h[i - 1];
    s.r[n - 1] = se - (y[n - 1] - y[n - 2]) / h[n - 2];
}

void FillMatrix(int32_t n, double alpha, BandSystem &s)
{
    const Vec &h = s.h;
    Vec &e = s.e, &f = s.f, &g = s.g;
    const int32_t l = n - 2; // index of the last step

    e[0] = h[0] / 3 + 2 * alpha / (h[0] * h[0]);
    for (int32_t i = 1; i <= n - 2; ++i) {
        const double sum = 1 / h[i - 1] + 1 / h[i];
        e[i] = (h[i - 1] + h[i]) / 3
               + alpha * (1 / (h[i - 1] * h[i - 1]) + sum * sum + 1 / (h[i] * h[i]));
    }
    e[n - 1] = h[l] / 3 + 2 * alpha / (h[l] * h[l]);

    f[0] = h[0] / 6 - alpha / (h[0] * h[0]) - (alpha / h[0]) * (1 / h[0] + 1 / h[1]);
    for (int32_t i = 1; i <= n - 3; ++i) {
        f[i] = h[i] / 6
               - (alpha / h[i]) * ((1 / h[i - 1] + 1 / h[i]) + (1 / h[i] + 1 / h[i + 1]));
    }
    f[l] = h[l] / 6 - alpha / (h[l] * h[l]) - (alpha / h[l]) * (1 / h[l] + 1 / h[l - 1]);

    for (int32_t i = 0; i <= n - 3; ++i)
        g[i] = alpha / (h[i] * h[i + 1]);
}

bool UsableDivisor(double D) { return D != 0.0 && std::isfinite(D); }

// Band elimination without pivoting (P is symmetric positive definite for
// alpha >= 0), then back substitution into M. False on a zero or non-finite
// divisor.
bool SolveBand(int32_t n, const BandSystem &s, Vec &M)
{
    const Vec &e = s.e, &f = s.f, &g = s.g, &r = s.r;
    Vec v(Size(n)), w(Size(n)), z(Size(n));

    double D = e[0];
    if (!UsableDivisor(D))
        return false;
    v[0] = -f[0] / D;
    w[0] = -g[0] / D;
    z[0] = r[0] / D;

    double p = f[0];
    D = e[1] + p * v[0];
    if (!UsableDivisor(D))
        return false;
    v[1] = -(f[1] + p * w[0]) / D;
    w[1] = -g[1] / D;
    z[1] = (r[1] - p * z[0]) / D;

    for (int32_t i = 2; i <= n - 1; ++i) {
        p = f[i - 1] + g[i - 2] * v[i - 2];
        D = e[i] + p * v[i - 1] + g[i - 2] * w[i - 2];
        if (!UsableDivisor(D))
            return false;
        v[i] = -(f[i] + p * w[i - 1]) / D;
        w[i] = -g[i] / D;
        z[i] = (r[i] - p * z[i - 1] - g[i - 2] * z[i - 2]) / D;
    }

    M[n - 1] = z[n - 1];
    M[n - 2] = z[n - 2] + v[n - 2] * M[n - 1];
    for (int32_t i = n - 3; i >= 0; --i)
        M[i] = z[i] + v[i] * M[i + 1] + w[i] * M[i + 2];
    return true;
}

// Smoothed node values G = y - alpha Q M.
void NodeValues(int32_t n, const double *y, double alpha, const Vec &h, const Vec &M, Vec &G)
{
    G[0] = y[0] - alpha * (M[1] - M[0]) / h[0];
    for (int32_t i = 1; i <= n - 2; ++i)
        G[i] = y[i] - alpha * ((M[i + 1] - M[i]) / h[i] - (M[i] - M[i - 1]) / h[i - 1]);
    G[n - 1] = y[n - 1] + alpha * (M[n - 1] - M[n - 2]) / h[n - 2];
}

struct Coefficients {
    Vec d, c, b, a;
};

// Coefficients of segments 1..n-1; false when any of them is not finite.
bool SegmentCoefficients(int32_t n, const Vec &hs, const Vec &M, const Vec &G, Coefficients &k)
{
    bool finite = true;
    for (int32_t i = 1; i <= n - 1; ++i) {
        const double h = hs[i - 1];
        k.d[i] = (M[i] - M[i - 1]) / (6 * h);
        k.c[i] = M[i - 1] / 2;
        k.b[i] = (G[i] - G[i - 1]) / h - h * (2 * M[i - 1] + M[i]) / 6;
        k.a[i] = G[i - 1];
        finite = finite && std::isfinite(k.d[i]) && std::isfinite(k.c[i])
                 && std::isfinite(k.b[i]) && std::isfinite(k.a[i]);
    }
    return finite;
}

// Segment k (1..n-1) whose cubic is used at t: bisection over the nodes; an
// exact hit on an inner node x[j] selects segment j.
int32_t FindSegment(int32_t n, const double *x, double t)
{
    int32_t lo = 0, hi = n - 1;
    while (hi > lo + 1) {
        const int32_t mid = lo + (hi - lo) / 2; // (lo + hi) div 2 without overflow
        if (t == x[mid])
            return mid;
        if (t > x[mid])
            lo = mid;
        else
            hi = mid;
    }
    return hi;
}

constexpr double kNoSpline = std::numeric_limits<double>::quiet_NaN();

} // namespace

Status BuildSpline(int32_t n, const double *x, const double *y, double alpha,
                   double *d, double *c, double *b, double *a)
{
    if (n < 3)
        return Status::TooFewPoints;
    if (!StrictlyIncreasing(n, x))
        return Status::BadAbscissae;

    const std::size_t size = Size(n);
    BandSystem s{Vec(size), Vec(size), Vec(size), Vec(size), Vec(size)};
    for (int32_t i = 0; i <= n - 2; ++i)
        s.h[i] = x[i + 1] - x[i];
    FillRightHandSide(n, y, s);
    FillMatrix(n, alpha, s);

    Vec M(size);
    if (!SolveBand(n, s, M))
        return Status::Singular;
    Vec G(size);
    NodeValues(n, y, alpha, s.h, M, G);

    Coefficients k{Vec(size), Vec(size), Vec(size), Vec(size)};
    if (!SegmentCoefficients(n, s.h, M, G, k))
        return Status::Singular;

    for (int32_t i = 1; i <= n - 1; ++i) {
        d[i] = k.d[i];
        c[i] = k.c[i];
        b[i] = k.b[i];
        a[i] = k.a[i];
    }
    return Status::Ok;
}

double SplineValue(int32_t n, const double *x, const double *d, const double *c,
                   const double *b, const double *a, double t)
{
    if (n < 3)
        return kNoSpline;
    const int32_t k = FindSegment(n, x, t);
    const double u = t - x[k - 1];
    return ((d[k] * u + c[k]) * u + b[k]) * u + a[k];
}

double SplineDeriv1(int32_t n, const double *x, const double *d, const double *c,
                    const double *b, const double * /*a*/, double t)
{
    if (n < 3)
        return kNoSpline;
    const int32_t k = FindSegment(n, x, t);
    const double u = t - x[k - 1];
    return (3 * d[k] * u + 2 * c[k]) * u + b[k];
}

double SplineDeriv2(int32_t n, const double *x, const double *d, const double *c,
                    const double * /*b*/, const double * /*a*/, double t)
{
    if (n < 3)
        return kNoSpline;
    const int32_t k = FindSegment(n, x, t);
    const double u = t - x[k - 1];
    return 6 * d[k] * u + 2 * c[k];
}

} // namespace numerics
