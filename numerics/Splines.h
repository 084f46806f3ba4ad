#pragma once
// Smoothing cubic spline with both end slopes fixed to the end chord slopes.
// Minimises sum (S(x[i]) - y[i])^2 + alpha * integral S''^2; alpha = 0 interpolates.
#include "numerics/Status.h"
#include <cstdint>

namespace numerics {

// Fills entries 1..n-1 of d, c, b, a (cubic, quadratic, linear, constant
// coefficients of segment k = [x[k-1], x[k]]); entry 0 is never written.
// n < 3: TooFewPoints, nothing written. x not strictly increasing: BadAbscissae,
// nothing written. A zero or non-finite divisor in the elimination: Singular,
// nothing written.
Status BuildSpline(int32_t n, const double *x, const double *y, double alpha,
                   double *d, double *c, double *b, double *a);

// Value, first and second derivative at t, from the arrays BuildSpline filled.
// The end segments extend beyond the nodes. n < 3: quiet NaN.
double SplineValue(int32_t n, const double *x, const double *d, const double *c,
                   const double *b, const double *a, double t);
double SplineDeriv1(int32_t n, const double *x, const double *d, const double *c,
                    const double *b, const double *a, double t);
double SplineDeriv2(int32_t n, const double *x, const double *d, const double *c,
                    const double *b, const double *a, double t);

// SplineValue at t[0..count-1] into out[0..count-1] (out may be t). Each
// segment search starts from the segment of the point before, so points that
// lie close together, as the readings of a run do, are placed at once.
void SplineValues(int32_t n, const double *x, const double *d, const double *c, const double *b,
                  const double *a, int32_t count, const double *t, double *out);

} // namespace numerics
