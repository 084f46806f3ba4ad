#include "numerics/ArrayFuncs.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace numerics {

void CopyValues(int32_t n, const double *Src, double *Dst)
{
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

void WidenRange(double &lo, double &hi)
{
    if (lo != hi)
        return;
    lo -= 1;
    hi += 1;
}

bool LineFit(int32_t n, const double *X, const double *Y, double &intercept, double &slope)
{
    if (n < 2)
        return false; // D = 0 exactly
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
        return false;
    const double a = (sy * sxx - sx * sxy) / d;
    const double b = (count * sxy - sx * sy) / d;
    if (!std::isfinite(a) || !std::isfinite(b))
        return false;
    intercept = a;
    slope = b;
    return true;
}

double LineValue(double x, double intercept, double slope) { return slope * x + intercept; }

namespace {

// A whole number held in a double, in plain decimal without a sign for zero.
std::string WholeText(double v)
{
    if (std::isnan(v))
        return "NAN";
    if (std::isinf(v))
        return v < 0 ? "-INF" : "INF";
    std::array<char, 400> buf; // the largest double has 309 digits
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), v + 0.0, std::chars_format::fixed, 0);
    return std::string(buf.data(), res.ptr);
}

} // namespace

// Minutes and seconds stay doubles throughout, so no value of x meets an
// out-of-range conversion to an integer type.
std::string FormatMinSec(double x)
{
    if (!std::isfinite(x))
        return WholeText(x);
    const double m = std::trunc(x / 60.0);
    double rest = x - 60.0 * m;
    if (!std::isfinite(rest)) // 60 m overflowed, only next to the largest doubles
        rest = std::fmod(x, 60.0);
    const double s = std::nearbyint(rest);
    return WholeText(m) + ":" + WholeText(s);
}

} // namespace numerics
