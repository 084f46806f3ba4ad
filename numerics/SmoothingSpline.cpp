#include "numerics/SmoothingSpline.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

// Notation of Green & Silverman ("Nonparametric Regression and Generalized
// Linear Models", 1994, ch. 2). With h[i] = x[i+1] - x[i], Q is the n x (n-2)
// matrix of second divided differences and R the (n-2) x (n-2) tridiagonal
// matrix of the cubic spline's continuity conditions. The inner second
// derivatives solve
//     (R + lambda Q^T Q) m = Q^T y,
// a symmetric positive definite five-diagonal system, and g = y - lambda Q m.
// With B = R + lambda Q^T Q = L D L^T, the central five diagonals of B^-1
// follow from L and D by one backward sweep, and
//     n - trace A = trace(lambda Q B^-1 Q^T) = lambda * sum (Q^T Q)_jk (B^-1)_jk
// needs no more of B^-1 than those diagonals.

namespace numerics {
namespace {

using Vec = std::vector<double>;

bool StrictlyIncreasing(int32_t n, const double *x)
{
    for (int32_t i = 0; i + 1 < n; ++i) {
        if (!(x[i] < x[i + 1]))  // also refuses NaN
            return false;
    }
    return std::isfinite(x[0]) && std::isfinite(x[n - 1]);
}

bool AllFinite(int32_t n, const double *y)
{
    for (int32_t i = 0; i < n; ++i) {
        if (!std::isfinite(y[i]))
            return false;
    }
    return true;
}

// Everything of one data set that does not depend on lambda, and the work
// arrays of one fit. Unknown j (0..k-1, k = n - 2) is the second derivative
// at knot j + 1. The arrays the sweeps read beyond their ends hold zeros
// there, so the loops need no tests.
class Problem {
public:
    Problem(int32_t n, const double *x, const double *y)
        : n_(n), k_(n - 2), y_(y), inv_(Size(n - 1)), r0_(Size(k_)), r1_(Size(k_)), p0_(Size(k_)),
          p1_(Size(k_)), p2_(Size(k_)), qty_(Size(k_)), invD_(Size(k_)), l1_(Size(k_ + 2)), l2_(Size(k_ + 2)),
          m_(Size(n)), resid_(Size(n))
    {
        for (int32_t i = 0; i + 1 < n; ++i)
            inv_[i] = 1 / (x[i + 1] - x[i]);
        // Row j of B holds R and Q^T Q at (j, j), (j, j-1) and (j, j-2); the
        // latter two are 0 in the first rows.
        for (int32_t j = 0; j < k_; ++j) {
            // Column j of Q: a, b, c in rows j, j + 1, j + 2.
            const double a = inv_[j], c = inv_[j + 1], b = -(a + c);
            r0_[j] = (x[j + 2] - x[j]) / 3;
            p0_[j] = a * a + b * b + c * c;
            qty_[j] = (y[j + 2] - y[j + 1]) * c - (y[j + 1] - y[j]) * a;
            // Column j - 1: a', b', c' in rows j - 1, j, j + 1.
            if (j >= 1) {
                const double bl = -(inv_[j - 1] + a);
                r1_[j] = (x[j + 1] - x[j]) / 6;
                p1_[j] = bl * a + a * b;
            }
            // Column j - 2 reaches row j with its c'' = inv[j - 1].
            if (j >= 2)
                p2_[j] = inv_[j - 1] * a;
        }
    }

    // Solves for lambda and fills fit; false when B is not positive definite
    // in floating point or a figure is not finite.
    bool Solve(double lambda, SmoothingFit &fit)
    {
        if (!FactorForward(lambda))
            return false;
        const double t = lambda * Backward();  // n - trace A
        fit.lambda = lambda;
        fit.rss = Residuals(lambda);
        fit.edf = n_ - t;
        fit.gcv = t > 0 ? n_ * fit.rss / (t * t) : std::numeric_limits<double>::infinity();
        return std::isfinite(fit.rss) && std::isfinite(fit.edf);
    }

    // g = y - (the residuals of the last Solve), and the second derivatives.
    bool Write(double *g, double *m) const
    {
        for (int32_t i = 0; i < n_; ++i) {
            if (!std::isfinite(y_[i] - resid_[i]))
                return false;
        }
        for (int32_t i = 0; i < n_; ++i)
            g[i] = y_[i] - resid_[i];
        std::copy(m_.begin(), m_.end(), m);
        return true;
    }

private:
    static std::size_t Size(int32_t n) { return static_cast<std::size_t>(n); }

    // B = L D L^T with l1[j] = L(j, j-1), l2[j] = L(j, j-2), and in the same
    // sweep z = L^-1 Q^T y (kept in m[j + 1]).
    bool FactorForward(double lambda)
    {
        double d1 = 0, d2 = 0, invD1 = 0, invD2 = 0, l1Prev = 0, z1 = 0, z2 = 0;
        for (int32_t j = 0; j < k_; ++j) {
            const double l2 = lambda * p2_[j] * invD2;
            const double l1 = (r1_[j] + lambda * p1_[j] - l2 * l1Prev * d2) * invD1;
            const double d = r0_[j] + lambda * p0_[j] - l1 * l1 * d1 - l2 * l2 * d2;
            if (!(d > 0 && d < std::numeric_limits<double>::infinity()))
                return false;
            const double z = qty_[j] - l1 * z1 - l2 * z2;
            invD_[j] = 1 / d, l1_[j] = l1, l2_[j] = l2, m_[j + 1] = z;
            d2 = d1, d1 = d, invD2 = invD1, invD1 = invD_[j], l1Prev = l1, z2 = z1, z1 = z;
        }
        return true;
    }

    // m = L^-T D^-1 z and, in the same backward sweep, the central band s0,
    // s1, s2 of B^-1 (Hutchinson & de Hoog); returns
    // sum_jk (Q^T Q)_jk (B^-1)_jk.
    double Backward()
    {
        double m1 = 0, m2 = 0, s0Next = 0, s1Next = 0, s0Next2 = 0, sum = 0;
        for (int32_t j = k_ - 1; j >= 0; --j) {
            const double a1 = l1_[j + 1], a2 = l2_[j + 2];
            const double mj = m_[j + 1] * invD_[j] - a1 * m1 - a2 * m2;
            m_[j + 1] = mj, m2 = m1, m1 = mj;
            const double s2 = -a1 * s1Next - a2 * s0Next2;
            const double s1 = -a1 * s0Next - a2 * s1Next;
            const double s0 = invD_[j] - a1 * s1 - a2 * s2;
            // (Q^T Q)(j, j+1) is p1[j + 1], (j, j+2) is p2[j + 2].
            sum += p0_[j] * s0 + 2 * (NextP1(j) * s1 + NextP2(j) * s2);
            s0Next2 = s0Next, s0Next = s0, s1Next = s1;
        }
        return sum;
    }
    double NextP1(int32_t j) const { return j + 1 < k_ ? p1_[j + 1] : 0; }
    double NextP2(int32_t j) const { return j + 2 < k_ ? p2_[j + 2] : 0; }

    // resid = lambda Q m (m[0] = m[n-1] = 0); returns the sum of squares.
    // Row i of Q m is the change of the slope of s'' at knot i.
    double Residuals(double lambda)
    {
        double rss = 0, left = 0;  // slope of s'' left of knot i
        for (int32_t i = 0; i + 1 < n_; ++i) {
            const double right = (m_[i + 1] - m_[i]) * inv_[i];
            const double e = lambda * (right - left);
            resid_[i] = e, rss += e * e, left = right;
        }
        const double e = -lambda * left;
        resid_[n_ - 1] = e;
        return rss + e * e;
    }

    int32_t n_, k_;
    const double *y_;
    Vec inv_;                       // 1 / h
    Vec r0_, r1_;                   // row j of R: (j, j), (j, j-1)
    Vec p0_, p1_, p2_;              // row j of Q^T Q: (j, j), (j, j-1), (j, j-2)
    Vec qty_;                       // Q^T y
    Vec invD_, l1_, l2_;            // the factors; l1 and l2 with two zeros past the end
    Vec m_;                         // second derivatives at all knots, 0 at the ends
    Vec resid_;                     // y - g
};

Status CheckInput(int32_t n, const double *x, const double *y)
{
    if (n < 3)
        return Status::TooFewPoints;
    if (!StrictlyIncreasing(n, x))
        return Status::BadAbscissae;
    if (!AllFinite(n, y))
        return Status::BadArgument;
    return Status::Ok;
}

Status Finish(Problem &problem, double lambda, double *g, double *m, SmoothingFit *fit)
{
    SmoothingFit result;
    if (!problem.Solve(lambda, result) || !problem.Write(g, m))
        return Status::Singular;
    if (fit)
        *fit = result;
    return Status::Ok;
}

// GCV at lambda = e^u; infinite where the system cannot be solved, so that
// the search passes over it.
double GcvAt(Problem &problem, double u)
{
    SmoothingFit fit;
    if (!problem.Solve(std::exp(u), fit) || std::isnan(fit.gcv))
        return std::numeric_limits<double>::infinity();
    return fit.gcv;
}

// The u in [lo, hi] with the smallest GCV: the grid, then golden section
// between the best grid point's neighbours.
double SearchLogLambda(Problem &problem, double lo, double hi)
{
    const double gridStep = std::log(10.0);          // one lambda per decade
    const double tolerance = std::log(1.01);        // lambda to 1 %
    const int steps = std::max(1, int(std::ceil((hi - lo) / gridStep)));
    const double step = (hi - lo) / steps;
    int best = 0;
    double bestGcv = std::numeric_limits<double>::infinity();
    for (int i = 0; i <= steps; ++i) {
        const double v = GcvAt(problem, lo + i * step);
        if (v < bestGcv)
            best = i, bestGcv = v;
    }
    double a = lo + std::max(best - 1, 0) * step, b = lo + std::min(best + 1, steps) * step;
    const double golden = (std::sqrt(5.0) - 1) / 2;
    double c = b - golden * (b - a), d = a + golden * (b - a);
    double fc = GcvAt(problem, c), fd = GcvAt(problem, d);
    while (b - a > tolerance) {
        if (fc <= fd) {
            b = d, d = c, fd = fc;
            c = b - golden * (b - a);
            fc = GcvAt(problem, c);
        } else {
            a = c, c = d, fc = fd;
            d = a + golden * (b - a);
            fd = GcvAt(problem, d);
        }
    }
    // The bracket's ends are candidates too: the best may lie on the grid's edge.
    double u = fc <= fd ? c : d, fu = std::min(fc, fd);
    if (const double v = lo + best * step; bestGcv < fu)
        u = v;
    return u;
}

// The segment i (0..n-2) whose cubic is used at t: x[i] <= t < x[i+1], the
// end segments beyond the ends.
int32_t Segment(int32_t n, const double *x, double t)
{
    const double *after = std::upper_bound(x + 1, x + n - 1, t);
    return int32_t(after - x) - 1;
}

double Slope(const double *x, const double *g, const double *m, int32_t i, double u)
{
    const double h = x[i + 1] - x[i];
    return (g[i + 1] - g[i]) / h - h / 6 * ((2 - 6 * u + 3 * u * u) * m[i] + (1 - 3 * u * u) * m[i + 1]);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

Status FitSmoothingSpline(int32_t n, const double *x, const double *y, double lambda, double *g, double *m,
                          SmoothingFit *fit)
{
    if (const Status s = CheckInput(n, x, y); s != Status::Ok)
        return s;
    if (!(lambda >= 0) || !std::isfinite(lambda))
        return Status::BadArgument;
    Problem problem(n, x, y);
    return Finish(problem, lambda, g, m, fit);
}

Status FitSmoothingSplineGcv(int32_t n, const double *x, const double *y, double lambdaMin, double lambdaMax,
                             double *g, double *m, SmoothingFit *fit)
{
    if (const Status s = CheckInput(n, x, y); s != Status::Ok)
        return s;
    if (!(lambdaMin > 0) || !(lambdaMin <= lambdaMax) || !std::isfinite(lambdaMax))
        return Status::BadArgument;
    Problem problem(n, x, y);
    const double u = SearchLogLambda(problem, std::log(lambdaMin), std::log(lambdaMax));
    return Finish(problem, std::clamp(std::exp(u), lambdaMin, lambdaMax), g, m, fit);
}

double SmoothingSplineValue(int32_t n, const double *x, const double *g, const double *m, double t)
{
    if (n < 2)
        return kNaN;
    if (t < x[0])
        return g[0] + Slope(x, g, m, 0, 0) * (t - x[0]);
    if (t > x[n - 1])
        return g[n - 1] + Slope(x, g, m, n - 2, 1) * (t - x[n - 1]);
    const int32_t i = Segment(n, x, t);
    const double h = x[i + 1] - x[i], u = (t - x[i]) / h;
    return (1 - u) * g[i] + u * g[i + 1] - h * h / 6 * u * (1 - u) * ((2 - u) * m[i] + (1 + u) * m[i + 1]);
}

double SmoothingSplineSlope(int32_t n, const double *x, const double *g, const double *m, double t)
{
    if (n < 2)
        return kNaN;
    if (t <= x[0])
        return Slope(x, g, m, 0, 0);
    if (t >= x[n - 1])
        return Slope(x, g, m, n - 2, 1);
    const int32_t i = Segment(n, x, t);
    return Slope(x, g, m, i, (t - x[i]) / (x[i + 1] - x[i]));
}

void SmoothingSplineKnotSlopes(int32_t n, const double *x, const double *g, const double *m, double *slope)
{
    if (n < 2)
        return;
    for (int32_t i = 0; i + 1 < n; ++i)
        slope[i] = Slope(x, g, m, i, 0);
    slope[n - 1] = Slope(x, g, m, n - 2, 1);
}

} // namespace numerics
