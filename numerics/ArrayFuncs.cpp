#include "numerics/ArrayFuncs.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace numerics {

void CopyValues(int32_t n, const double *Src, double *Dst)
{
    if (n <= 0 || Dst == Src)
        return;
    // Arrays apart: the element-wise copy is a block copy.
    const auto src = reinterpret_cast<std::uintptr_t>(Src), dst = reinterpret_cast<std::uintptr_t>(Dst);
    const std::uintptr_t bytes = std::uintptr_t(n) * sizeof(double);
    if (dst + bytes <= src || src + bytes <= dst) {
        std::memcpy(Dst, Src, bytes);
        return;
    }
    for (int32_t i = 0; i < n; ++i)
        Dst[i] = Src[i];
}

// The comparisons keep their written form: an element replaces the running
// result unless the result is strictly better, so a NaN element is taken and
// then given up again at the next ordinary element.
double ArrayMin(int32_t n, const double *A)
{
    if (n <= 0)
        return std::numeric_limits<double>::quiet_NaN();
    double r = A[0];
    for (int32_t i = 1; i < n; ++i)
        if (!(r < A[i]))
            r = A[i];
    return r;
}

double ArrayMax(int32_t n, const double *A)
{
    if (n <= 0)
        return std::numeric_limits<double>::quiet_NaN();
    double r = A[0];
    for (int32_t i = 1; i < n; ++i)
        if (!(r > A[i]))
            r = A[i];
    return r;
}

namespace {

#if defined(__SSE2__)
// The extremes over two lanes of two pairs each, so that successive
// comparisons do not wait for one another. MINPD and MAXPD keep the running
// value when an element is a NaN; NaNs are noted on the side. Without NaNs the
// extremes do not depend on the order of comparison, except for the sign of a
// zero (the last zero seen wins): false, with lo and hi unset, when the array
// holds a NaN or an extreme is zero.
bool PairwiseMinMax(int32_t n, const double *A, double &lo, double &hi)
{
    __m128d l0 = _mm_set1_pd(A[0]), l1 = l0, h0 = l0, h1 = l0;
    __m128d nan = _mm_cmpunord_pd(l0, l0);
    int32_t i = 1;
    for (; i + 4 <= n; i += 4) {
        const __m128d a = _mm_loadu_pd(A + i), b = _mm_loadu_pd(A + i + 2);
        l0 = _mm_min_pd(a, l0);
        l1 = _mm_min_pd(b, l1);
        h0 = _mm_max_pd(a, h0);
        h1 = _mm_max_pd(b, h1);
        nan = _mm_or_pd(nan, _mm_or_pd(_mm_cmpunord_pd(a, a), _mm_cmpunord_pd(b, b)));
    }
    bool unordered = _mm_movemask_pd(nan) != 0;
    double l[4], h[4];
    _mm_storeu_pd(l, l0);
    _mm_storeu_pd(l + 2, l1);
    _mm_storeu_pd(h, h0);
    _mm_storeu_pd(h + 2, h1);
    double rl = std::min(std::min(l[0], l[1]), std::min(l[2], l[3]));
    double rh = std::max(std::max(h[0], h[1]), std::max(h[2], h[3]));
    for (; i < n; ++i) {
        const double a = A[i];
        rl = a < rl ? a : rl;
        rh = a > rh ? a : rh;
        unordered |= a != a;
    }
    if (unordered || rl == 0.0 || rh == 0.0)
        return false;
    lo = rl;
    hi = rh;
    return true;
}
#endif

} // namespace

void ArrayMinMax(int32_t n, const double *A, double &lo, double &hi)
{
    if (n <= 0) {
        lo = hi = std::numeric_limits<double>::quiet_NaN();
        return;
    }
#if defined(__SSE2__)
    if (PairwiseMinMax(n, A, lo, hi))
        return;
#endif
    lo = ArrayMin(n, A);
    hi = ArrayMax(n, A);
}

void WidenRange(double &lo, double &hi)
{
    if (lo != hi)
        return;
    lo -= 1;
    hi += 1;
}

Status LineFit(int32_t n, const double *X, const double *Y, double &intercept, double &slope)
{
    if (n < 2)
        return Status::TooFewPoints; // D = 0 exactly
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (int32_t i = 0; i < n; ++i) {
        sx += X[i];
        sy += Y[i];
        sxx += X[i] * X[i];
        sxy += X[i] * Y[i];
    }
    const double count = n;
    const double d = count * sxx - sx * sx;
    if (d == 0.0)
        return Status::Singular;
    const double a = (sy * sxx - sx * sxy) / d;
    const double b = (count * sxy - sx * sy) / d;
    if (!std::isfinite(a) || !std::isfinite(b))
        return Status::Singular;
    intercept = a;
    slope = b;
    return Status::Ok;
}

double LineValue(double x, double intercept, double slope) { return slope * x + intercept; }

} // namespace numerics
