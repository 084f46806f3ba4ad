#pragma once
// Interpolants the chart samples once per pixel column: a spline under tension
// (with derivatives), a quadratic spline joined at the midpoints, a cubic spline
// with end conditions from the end cubics, and the Lagrange polynomial.
// Standard library only. Coefficient arrays hold n doubles and belong to the caller.
#include "numerics/Status.h"
#include <cstdint>

namespace chart {

using numerics::Status;

// Builds fill their arrays; n <= 2: TooFewPoints, nothing written. X not strictly
// increasing: BadAbscissae, nothing written. A zero divisor: Singular.
Status SplineStrainBuild(int32_t n, const double *X, const double *Y, double sigma, double *Z);
Status Spline2PBuild(int32_t n, const double *X, const double *Y, double *M);
// Three points: no fourth point for the end cubics; the spline then has
// natural ends (zero second derivative at the first and last point).
Status Spline3PBuild(int32_t n, const double *X, const double *Y, double *B, double *C, double *D);

// Value routines: n < 3 gives a quiet NaN, which the chart treats as "no curve".
double SplineStrainValue(int32_t n, const double *X, const double *Y, double sigma, const double *Z, double x);
double SplineStrainDiff1(int32_t n, const double *X, const double *Y, double sigma, const double *Z, double x);
double SplineStrainDiff2(int32_t n, const double *X, double sigma, const double *Z, double x);
double Spline2PValue(int32_t n, const double *X, const double *Y, const double *M, double x);
double Spline3PValue(int32_t n, const double *X, const double *Y, const double *B, const double *C,
                     const double *D, double x);
// n < 1 or n > 100: quiet NaN. Factors with X[j] == X[i] are skipped.
double LagrangValue(int32_t n, const double *X, const double *Y, double x);

} // namespace chart
