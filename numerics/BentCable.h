#pragma once
// Segmented regression with a transition range: two straight lines joined by
// a parabolic bend, the "bent cable" of Chiu, Lockhart & Routledge (J. Amer.
// Statist. Assoc. 101 (2006) 542):
//
//   f(x) = b0 + b1 x + b2 q(x),  q(x) = 0                                 for x <= tau - gamma,
//                                      (x - tau + gamma)^2 / (4 gamma)    across the bend,
//                                      x - tau                            for x >= tau + gamma.
//
// Below the bend f is the line b0 + b1 x, above it the line b0 - b2 tau +
// (b1 + b2) x; the two lines meet at x = tau, and the bend [tau - gamma,
// tau + gamma] joins them with a continuous slope (gamma = 0: a plain kink).
#include "numerics/Status.h"

#include <cstdint>

namespace numerics {

struct TBentCable {
    double b0 = 0, b1 = 0, b2 = 0;
    double tau = 0, gamma = 0;
    double rss = 0;  // residual sum of squares
    double operator()(double x) const;
};

struct TBentCableSearch {
    int32_t minOutside = 5;   // points each straight part keeps at least
    int32_t tauSteps = 200;   // first grid over the admissible tau
    int32_t gammaSteps = 40;  // first grid over gamma, 0 to half the x range
};

// The least-squares bent cable through n points whose x do not decrease.
// For fixed tau and gamma the fit is linear in b0, b1, b2, so its residual
// is profiled over a grid of (tau, gamma) and then over finer grids about the
// best point; prefix sums of the powers of x make each trial O(log n).
// TooFewPoints when n < 2 minOutside + 1 or minOutside < 2; BadAbscissae when
// x decreases somewhere; Singular when all x are equal or no trial can be
// solved; fit untouched then.
Status FitBentCable(int32_t n, const double *x, const double *y, const TBentCableSearch &search, TBentCable &fit);

} // namespace numerics
