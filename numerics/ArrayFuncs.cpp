#include "numerics/ArrayFuncs.h"

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
