#pragma once
// Small helpers on arrays of doubles for the chart and the analysis commands.
#include "numerics/Status.h"

#include <cstdint>

namespace numerics {

// Dst[i] = Src[i] for 0 <= i < n; nothing for n <= 0.
void CopyValues(int32_t n, const double *Src, double *Dst);

// Smallest / largest of A[0..n-1]. n <= 0 reads nothing and returns a quiet NaN.
double ArrayMin(int32_t n, const double *A);
double ArrayMax(int32_t n, const double *A);
// ArrayMin and ArrayMax of the same values in one pass, with the same results
// bit for bit (NaNs and signed zeros included).
void ArrayMinMax(int32_t n, const double *A, double &lo, double &hi);

// lo == hi exactly: lo - 1, hi + 1. Otherwise unchanged.
void WidenRange(double &lo, double &hi);

// Least-squares line y = intercept + slope * x. Ok: both written. Otherwise
// nothing is written: TooFewPoints for n < 2, Singular when D = n*Sxx - Sx^2
// is zero (all X equal) or a result is not finite.
Status LineFit(int32_t n, const double *X, const double *Y, double &intercept, double &slope);
double LineValue(double x, double intercept, double slope);

} // namespace numerics
