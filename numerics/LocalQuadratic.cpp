#include "numerics/LocalQuadratic.h"
#include "numerics/Solve3.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace numerics {
namespace {

bool ThreeDistinct(int32_t n, const double *x)
{
    double first = x[0], second = x[0];
    bool haveSecond = false;
    for (int32_t i = 1; i < n; ++i) {
        if (x[i] == first || (haveSecond && x[i] == second))
            continue;
        if (haveSecond)
            return true;
        second = x[i];
        haveSecond = true;
    }
    return false;
}

const int32_t kHalfWidths[] = {2, 3, 4, 6, 8, 11, 16, 23, 32, 45, 64};

// Smoothed values for half-width h into value; returns the trace of the
// smoothing matrix (the sum of the samples' own weights).
double SmoothValues(int32_t n, const double *y, int32_t h, double *value)
{
    const int32_t m = 2 * h + 1;
    std::vector<double> w(static_cast<size_t>(m)), unused(static_cast<size_t>(m));
    double trace = 0;
    QuadraticWindowWeights(m, h, w.data(), unused.data());
    const double interiorSelf = w[size_t(h)];
    for (int32_t i = h; i < n - h; ++i) {
        double s = 0;
        for (int32_t k = 0; k < m; ++k)
            s += w[size_t(k)] * y[i - h + k];
        value[i] = s;
        trace += interiorSelf;
    }
    // The ends: the first and the last window, read off centre.
    for (int32_t p = 0; p < h; ++p) {
        QuadraticWindowWeights(m, p, w.data(), unused.data());
        double head = 0, tail = 0;
        for (int32_t k = 0; k < m; ++k) {
            head += w[size_t(k)] * y[k];
            tail += w[size_t(k)] * y[n - 1 - k];  // the last window mirrored, read at offset m - 1 - p
        }
        value[p] = head;
        value[n - 1 - p] = tail;
        trace += 2 * w[size_t(p)];
    }
    return trace;
}

} // namespace

Status FitLocalParabola(int32_t n, const double *x, const double *y, double centre, TLocalParabola &fit)
{
    if (n < 3)
        return Status::TooFewPoints;
    if (!ThreeDistinct(n, x))
        return Status::Singular;
    long double s[5] = {0, 0, 0, 0, 0}, r[3] = {0, 0, 0};
    for (int32_t i = 0; i < n; ++i) {
        const long double u = static_cast<long double>(x[i]) - centre;
        long double p = 1;
        for (int k = 0; k < 5; ++k) {
            s[k] += p;
            if (k < 3)
                r[k] += p * y[i];
            p *= u;
        }
    }
    long double a[3][4] = {{s[0], s[1], s[2], r[0]}, {s[1], s[2], s[3], r[1]}, {s[2], s[3], s[4], r[2]}};
    long double c[3];
    if (!Solve3(a, c, 0))
        return Status::Singular;
    const TLocalParabola result{centre, double(c[0]), double(c[1]), double(c[2])};
    if (!std::isfinite(result.c0) || !std::isfinite(result.c1) || !std::isfinite(result.c2))
        return Status::Singular;
    fit = result;
    return Status::Ok;
}

// In v = k - (m - 1) / 2 the normal equations of a + b v + d v^2 split: b
// alone, a and d from the 2 x 2 system of the even sums S0, S2, S4.
void QuadraticWindowWeights(int32_t m, double p, double *value, double *slope)
{
    const double centre = 0.5 * (m - 1);
    double s2 = 0, s4 = 0;
    for (int32_t k = 0; k < m; ++k) {
        const double v = k - centre;
        s2 += v * v;
        s4 += v * v * v * v;
    }
    const double s0 = m;
    const double det = s0 * s4 - s2 * s2;
    const double pv = p - centre;
    for (int32_t k = 0; k < m; ++k) {
        const double v = k - centre;
        const double wa = (s4 - s2 * v * v) / det;
        const double wb = v / s2;
        const double wd = (s0 * v * v - s2) / det;
        value[k] = wa + (wb + wd * pv) * pv;
        slope[k] = wb + 2 * wd * pv;
    }
}

Status SmoothQuadratic(int32_t n, const double *y, int32_t h, double *value, double *slope)
{
    if (h < 1 || n < 2 * h + 1)
        return Status::TooFewPoints;
    const int32_t m = 2 * h + 1;
    std::vector<double> wv(static_cast<size_t>(m)), ws(static_cast<size_t>(m));
    for (int32_t i = 0; i < n; ++i) {
        const int32_t start = std::clamp(i - h, 0, n - m);
        // The interior weights serve every sample between the ends.
        if (i <= h || i >= n - h - 1)
            QuadraticWindowWeights(m, i - start, wv.data(), ws.data());
        double v = 0, s = 0;
        for (int32_t k = 0; k < m; ++k) {
            v += wv[size_t(k)] * y[start + k];
            s += ws[size_t(k)] * y[start + k];
        }
        value[i] = v;
        slope[i] = s;
    }
    return Status::Ok;
}

int32_t ChooseQuadraticHalfWidth(int32_t n, const double *y)
{
    std::vector<double> smoothed(size_t(std::max(n, 0)));
    int32_t best = 0;
    double bestScore = std::numeric_limits<double>::infinity();
    for (const int32_t h : kHalfWidths) {
        if (2 * h + 1 > n)
            break;
        const double trace = SmoothValues(n, y, h, smoothed.data());
        double rss = 0;
        for (int32_t i = 0; i < n; ++i)
            rss += (y[i] - smoothed[size_t(i)]) * (y[i] - smoothed[size_t(i)]);
        const double free = n - trace;
        const double score = n * rss / (free * free);
        if (score < bestScore) {
            bestScore = score;
            best = h;
        }
    }
    return best;
}

} // namespace numerics
