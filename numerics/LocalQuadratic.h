#pragma once
// Least-squares parabolas fitted locally: to points about a chosen centre, and
// over sliding windows of equally spaced samples (the Savitzky-Golay filter of
// degree 2, Savitzky & Golay, Anal. Chem. 36 (1964) 1627), with the window's
// width chosen by generalised cross-validation (Craven & Wahba, Numer. Math.
// 31 (1979) 377).
#include "numerics/Status.h"

#include <cstdint>

namespace numerics {

// c0 + c1 u + c2 u^2 in u = x - centre.
struct TLocalParabola {
    double centre = 0, c0 = 0, c1 = 0, c2 = 0;
    double operator()(double x) const
    {
        const double u = x - centre;
        return c0 + (c1 + c2 * u) * u;
    }
};

// The parabola through the n points (x, y) by least squares, in powers of
// x - centre (a centre among the x keeps the sums well conditioned). Ok:
// fit written. TooFewPoints for n < 3; Singular when fewer than three
// distinct x or a result is not finite; fit untouched then.
Status FitLocalParabola(int32_t n, const double *x, const double *y, double centre, TLocalParabola &fit);

// The weights that turn a window of m equally spaced samples (offsets
// 0..m-1, m >= 3) into the value and the slope (per sample) at offset p of
// the parabola fitted to them: value = sum value[k] y[k], slope likewise.
// Their squares sum to value[p] (the fit is a projection), which is also the
// sample's own weight.
void QuadraticWindowWeights(int32_t m, double p, double *value, double *slope);

// Savitzky-Golay smoothing of degree 2 over windows of 2h + 1 samples: value
// and slope (per sample) of the window's parabola at every sample. Near the
// ends the window stays whole and the parabola is read off its centre.
// TooFewPoints (outputs untouched) for h < 1 or n < 2h + 1.
Status SmoothQuadratic(int32_t n, const double *y, int32_t h, double *value, double *slope);

// The half-width h among 2, 3, 4, 6, 8, 11, 16, 23, 32, 45, 64 (those with
// 2h + 1 <= n) that minimises the generalised cross-validation score
// n RSS(h) / (n - trace H(h))^2 of SmoothQuadratic; 0 when n < 5.
int32_t ChooseQuadraticHalfWidth(int32_t n, const double *y);

} // namespace numerics
