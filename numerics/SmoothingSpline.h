#pragma once
// Natural cubic smoothing spline, with its smoothing chosen by generalised
// cross-validation, in O(n) time through the banded structure of the problem.
//
// For knots x[0] < ... < x[n-1] and data y, the spline s minimises
//     sum_i (y[i] - s(x[i]))^2 + lambda * integral s''(t)^2 dt
// over all functions; the minimiser is the natural cubic spline with those
// knots (Reinsch, Numer. Math. 10, 1967). It is kept as its values g and its
// second derivatives m at the knots (m[0] = m[n-1] = 0: it is a straight line
// beyond the end knots). The influence matrix A(lambda) maps y to g; its
// trace is the fit's effective degrees of freedom, from n (lambda = 0, the
// interpolating spline) down to 2 (lambda -> infinity, the least-squares
// line). Generalised cross-validation (Craven & Wahba, Numer. Math. 31, 1979)
// takes the lambda that minimises
//     GCV(lambda) = n * RSS / (n - trace A)^2,
// and the trace comes from the central band of the inverse of the banded
// system (Hutchinson & de Hoog, Numer. Math. 47, 1985).
//
// On knots one unit apart, lambda = R^4 smooths like a moving weighted mean
// R knots wide: the spline passes a sine of period P knots with the gain
// 1 / (1 + (2 pi R / P)^4).
#include "numerics/Status.h"

#include <cstdint>

namespace numerics {

// How one spline fits its data.
struct SmoothingFit {
    double lambda = 0;
    double rss = 0;  // sum of the squared residuals y[i] - g[i]
    double edf = 0;  // trace of the influence matrix
    double gcv = 0;  // n rss / (n - edf)^2; infinite when n - edf vanishes
};

// The spline for one lambda: g[0..n-1] and m[0..n-1] written; fit, when
// given, receives its figures. TooFewPoints: n < 3. BadAbscissae: x not
// strictly increasing. BadArgument: lambda negative or not finite, or a y not
// finite. Singular: the banded system is not positive definite in floating
// point, or the result is not finite. Nothing is written unless Ok.
Status FitSmoothingSpline(int32_t n, const double *x, const double *y, double lambda, double *g, double *m,
                          SmoothingFit *fit);

// The spline whose lambda in [lambdaMin, lambdaMax] has the smallest GCV:
// GCV on a grid of one lambda per factor of ten, then golden-section search
// between the neighbours of the grid's best to a factor of 1.01 in lambda.
// BadArgument also when not 0 < lambdaMin <= lambdaMax < infinity; otherwise
// as FitSmoothingSpline.
Status FitSmoothingSplineGcv(int32_t n, const double *x, const double *y, double lambdaMin, double lambdaMax,
                             double *g, double *m, SmoothingFit *fit);

// The spline's value and slope at t from the arrays a fit wrote: the cubic of
// the segment holding t, the end lines beyond the end knots. n < 2: NaN.
double SmoothingSplineValue(int32_t n, const double *x, const double *g, const double *m, double t);
double SmoothingSplineSlope(int32_t n, const double *x, const double *g, const double *m, double t);

// The slopes at the knots, slope[0..n-1]. n < 2: nothing written.
void SmoothingSplineKnotSlopes(int32_t n, const double *x, const double *g, const double *m, double *slope);

} // namespace numerics
