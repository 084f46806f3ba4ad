#include "numerics/Splines.h"

#include <cassert>
#include <cmath>
#include <cstddef>
#include <limits>
#include <span>
#include <vector>

// Reinsch's smoothing spline (Numer. Math. 10, 1967) with both end slopes
// fixed: Q maps node values to the jumps of the first derivative (one column
// per node, the end columns holding the end-slope conditions), R is the cubic
// spline's tridiagonal matrix of the same shape. The node second derivatives
// solve (R + alpha Q^T Q) M = r, r being Q^T y less the end chord slopes, and
// the smoothed node values are G = y - alpha Q M.

namespace numerics {
namespace {

using Array = std::span<double>;
using ConstArray = std::span<const double>;

std::size_t Size(int32_t n) { return static_cast<std::size_t>(n); }

bool StrictlyIncreasing(int32_t n, const double *x)
{
    for (int32_t i = 0; i + 1 < n; ++i) {
        if (!(x[i] < x[i + 1])) // also refuses NaN
            return false;
    }
    return true;
}

// All work arrays of one build in one zero-filled block, released when the
// build returns. One allocation instead of fifteen: with separate blocks the
// allocator hands memory back and forth to the system on every build, and
// the page faults cost more than the arithmetic.
class WorkBlock {
public:
    static constexpr std::size_t kArrays = 15;
    explicit WorkBlock(int32_t n) : n_(Size(n)), block_(kArrays * n_) {}
    Array Take()
    {
        assert(used_ + n_ <= block_.size());
        const Array a(block_.data() + used_, n_);
        used_ += n_;
        return a;
    }

private:
    std::size_t n_;
    std::size_t used_ = 0;
    std::vector<double> block_;
};

// Step lengths h[i] = x[i+1] - x[i] and chord slopes of the data, i = 0..n-2.
void FillSteps(int32_t n, const double *x, const double *y, Array h, Array slope)
{
    for (int32_t i = 0; i <= n - 2; ++i) {
        h[i] = x[i + 1] - x[i];
        slope[i] = (y[i + 1] - y[i]) / h[i];
    }
}

// The symmetric five-diagonal system P M = r: main diagonal e, first
// off-diagonal f, second off-diagonal g. f[n-1], g[n-2] and g[n-1] stay 0.
struct BandSystem {
    Array e, f, g, r;
};

// The end rows hold S'(x[0]) = s0 and S'(x[n-1]) = se, the end chord slopes,
// so their right-hand sides are zero.
void FillRightHandSide(int32_t n, ConstArray slope, Array r)
{
    const double s0 = slope[0], se = slope[n - 2];
    r[0] = slope[0] - s0;
    for (int32_t i = 1; i <= n - 2; ++i)
        r[i] = slope[i] - slope[i - 1];
    r[n - 1] = se - slope[n - 2];
}

void FillMatrix(int32_t n, double alpha, ConstArray h, const BandSystem &p)
{
    const Array e = p.e, f = p.f, g = p.g;
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
// alpha >= 0) into v, w, z, then back substitution into M. False on a zero or
// non-finite divisor.
bool SolveBand(int32_t n, const BandSystem &p, Array v, Array w, Array z, Array M)
{
    const ConstArray e = p.e, f = p.f, g = p.g, r = p.r;

    double D = e[0];
    if (!UsableDivisor(D))
        return false;
    v[0] = -f[0] / D;
    w[0] = -g[0] / D;
    z[0] = r[0] / D;

    double q = f[0];
    D = e[1] + q * v[0];
    if (!UsableDivisor(D))
        return false;
    v[1] = -(f[1] + q * w[0]) / D;
    w[1] = -g[1] / D;
    z[1] = (r[1] - q * z[0]) / D;

    for (int32_t i = 2; i <= n - 1; ++i) {
        q = f[i - 1] + g[i - 2] * v[i - 2];
        D = e[i] + q * v[i - 1] + g[i - 2] * w[i - 2];
        if (!UsableDivisor(D))
            return false;
        v[i] = -(f[i] + q * w[i - 1]) / D;
        w[i] = -g[i] / D;
        z[i] = (r[i] - q * z[i - 1] - g[i - 2] * z[i - 2]) / D;
    }

    M[n - 1] = z[n - 1];
    M[n - 2] = z[n - 2] + v[n - 2] * M[n - 1];
    for (int32_t i = n - 3; i >= 0; --i)
        M[i] = z[i] + v[i] * M[i + 1] + w[i] * M[i + 2];
    return true;
}

// Smoothed node values G = y - alpha Q M.
void NodeValues(int32_t n, const double *y, double alpha, ConstArray h, ConstArray M, Array G)
{
    double left = (M[1] - M[0]) / h[0]; // slope of S'' on the step left of node i
    G[0] = y[0] - alpha * left;
    for (int32_t i = 1; i <= n - 2; ++i) {
        const double right = (M[i + 1] - M[i]) / h[i];
        G[i] = y[i] - alpha * (right - left);
        left = right;
    }
    G[n - 1] = y[n - 1] + alpha * left;
}

struct Coefficients {
    Array d, c, b, a;
};

// Coefficients of segments 1..n-1; false when any of them is not finite.
bool SegmentCoefficients(int32_t n, ConstArray hs, ConstArray M, ConstArray G, const Coefficients &k)
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

// Segment k (1..n-1) whose cubic is used at t: bisection over the nodes,
// which are strictly increasing (BuildSpline refuses others). The segment is
// the k with x[k-1] < t <= x[k], so an exact hit on an inner node x[j] selects
// segment j; t before x[0], at x[0] or NaN gives 1, t beyond x[n-1] gives n-1.
// The halving step is a conditional move rather than a branch: the branch
// would be mispredicted about every other step.
int32_t FindSegment(int32_t n, const double *x, double t)
{
    int32_t lo = 0, len = n - 1; // the segment lies in lo+1 .. lo+len
    while (len > 1) {
        const int32_t half = len / 2;
        lo = t > x[lo + half] ? lo + half : lo;
        len -= half;
    }
    return lo + 1;
}

// Whether k is the segment FindSegment gives for t: inside 1..n-1, t beyond
// the segment's left node (except in segment 1) and not beyond its right node
// (except in segment n-1). A NaN t passes only for segment 1, as it should.
bool IsSegmentOf(int32_t n, const double *x, double t, int32_t k)
{
    return k >= 1 && k <= n - 1 && (k == 1 || t > x[k - 1]) && (k == n - 1 || !(t > x[k]));
}

double SegmentValue(const double *x, const double *d, const double *c, const double *b,
                    const double *a, int32_t k, double t)
{
    const double u = t - x[k - 1];
    return ((d[k] * u + c[k]) * u + b[k]) * u + a[k];
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

    WorkBlock work(n);
    const Array h = work.Take(), slope = work.Take();
    FillSteps(n, x, y, h, slope);
    const BandSystem system{work.Take(), work.Take(), work.Take(), work.Take()};
    FillRightHandSide(n, slope, system.r);
    FillMatrix(n, alpha, h, system);

    const Array v = work.Take(), w = work.Take(), z = work.Take(), M = work.Take();
    if (!SolveBand(n, system, v, w, z, M))
        return Status::Singular;
    const Array G = work.Take();
    NodeValues(n, y, alpha, h, M, G);

    const Coefficients k{work.Take(), work.Take(), work.Take(), work.Take()};
    if (!SegmentCoefficients(n, h, M, G, k))
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
    return SegmentValue(x, d, c, b, a, FindSegment(n, x, t), t);
}

void SplineValues(int32_t n, const double *x, const double *d, const double *c, const double *b,
                  const double *a, int32_t count, const double *t, double *out)
{
    int32_t k = 1;
    for (int32_t i = 0; i < count; ++i) {
        const double ti = t[i];
        if (n < 3) {
            out[i] = kNoSpline;
            continue;
        }
        if (!IsSegmentOf(n, x, ti, k))
            k = FindSegment(n, x, ti);
        out[i] = SegmentValue(x, d, c, b, a, k, ti);
    }
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
