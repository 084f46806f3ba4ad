#pragma once
// The continuous curves of the function drawing modes (and the derivatives of
// the two spline modes that have them), built once per redraw from the chart's
// points and then sampled once per pixel column.
#include "chart/ChartPlot.h"
#include "chart/ChartTypes.h"

#include <cstdint>

namespace chart {

enum class TCurveState {
    Ready,    // f is set
    NoCurve,  // too few points for a spline, or too many for Lagrange: draw nothing
    Failed,   // the curve cannot be built (equal abscissae, a zero divisor, ...)
};

struct TCurve {
    TCurveState state = TCurveState::NoCurve;
    TCurveFunction f;
};

// The curve of a function mode (ByLine, the four splines, ByLagrang); the other
// modes give NoCurve. X and Y must outlive the curve.
TCurve ModeCurve(TSCDrawing mode, int32_t n, const double *X, const double *Y, double smoothValue);

// The first (order 1) or second (order 2) derivative of the spline of
// BySplineStrain or BySplineSmooth; NoCurve for every other mode.
TCurve DerivativeCurve(TSCDrawing mode, int order, int32_t n, const double *X, const double *Y,
                       double smoothValue);

} // namespace chart
