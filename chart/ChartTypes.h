#pragma once
// The chart's enumerations. Their ordinals are stored in forms and map onto the
// popup menu's mode entries, so their order is fixed (ByHistogram stays at 4).
#include <cstdint>

// How the X labels read: plain numbers, or seconds as minutes:seconds.
enum class TSCXDrawing : uint8_t { ByNormal, ByTime };

// How the Y labels read: exponent notation or fixed notation.
enum class TSCYDrawing : uint8_t { ByExponent, ByFixed };

// How the points are drawn.
enum class TSCDrawing : uint8_t {
    ByLine,          // least-squares straight line
    ByMultiLine,     // polyline through every point
    BySplineStrain,  // spline under tension
    BySplineSmooth,  // smoothing spline
    ByHistogram,     // bars from each point to the next
    BySpline2P,      // quadratic spline
    BySpline3P,      // cubic spline
    ByLagrang,       // Lagrange polynomial through all points
};

inline constexpr int kDrawingModeCount = 8;

inline constexpr bool IsDerivativeMode(TSCDrawing mode)
{
    return mode == TSCDrawing::BySplineStrain || mode == TSCDrawing::BySplineSmooth;
}
