#pragma once
// Filters that smooth one channel in place. Every smoothed value is computed
// from the unsmoothed input before Y is changed.
#include "numerics/Status.h"
#include <cstdint>

namespace numerics {

// Moving average with half-width k = ceil(M / 2): Y[j] becomes the mean of
// Y[j-k..j+k] for k <= j <= n-k-1; the first and last k samples keep their
// values; n < 2k + 1 changes nothing. A negative M is taken as 0 (no change).
void MovingAverage(int32_t n, double *Y, int32_t M);

// Seven-point fourth-degree least-squares smoothing (eight-digit constants);
// the first and last three samples keep their values; n < 7 changes nothing.
void SevenPointSmooth(int32_t n, double *Y);

// Replaces Y by the node values of the smoothing spline over (X, Y) with alpha.
// Anything but Ok leaves Y unchanged (n < 3: TooFewPoints).
Status SplineSmooth(int32_t n, const double *X, double *Y, double alpha);

} // namespace numerics
