#pragma once
// The pixels of each drawing step, computed without painting so they can be
// checked on their own. Points map to pixels as TPlotArea says and are
// rounded half to even. A coordinate that is not finite or does not fit a
// 32-bit pixel cannot be drawn: the step reports a failure and keeps what it
// computed before it.
#include "chart/PlotArea.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace chart {

struct TPixel {
    int x = 0;
    int y = 0;
    friend bool operator==(const TPixel &, const TPixel &) = default;
};

// Corners as given to a rectangle; the canvas orders them.
struct TRectPx {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    friend bool operator==(const TRectPx &, const TRectPx &) = default;
};

// v rounded to the nearest integer, halves to even; empty when v is not
// finite or the result does not fit an int.
std::optional<int> NearestSlow(double v);
inline std::optional<int> NearestPixel(double v)
{
    // For |v| < 2^51, v + 1.5 * 2^52 lies where doubles are whole numbers one
    // apart, so the addition itself rounds v to the nearest integer, halves to
    // even (the default rounding mode), and removing 1.5 * 2^52 again is
    // exact: std::nearbyint without a library call.
    if (v > -1e9 && v < 1e9) {
        constexpr double kShift = 6755399441055744.0;
        return int((v + kShift) - kShift);
    }
    return NearestSlow(v);
}
// NearestPixel into out; false (out unchanged) when it is empty.
inline bool Nearest(double v, int &out)
{
    const std::optional<int> r = NearestPixel(v);
    if (r)
        out = *r;
    return r.has_value();
}

// A polyline: move to points[0], line to each further point. failed: the step
// stopped at a point it could not place; the points before it stand.
struct TPolyline {
    std::vector<TPixel> points;
    bool failed = false;
};

struct TRects {
    std::vector<TRectPx> rects;
    bool failed = false;
};

// Polyline through every point; rows limited to the plot, columns not.
TPolyline MultiLinePoints(const TPlotArea &area, int32_t n, const double *X, const double *Y);

// ReduceColumns of MultiLinePoints, without the list of every point: what the
// chart strokes.
TPolyline ReducedMultiLine(const TPlotArea &area, int32_t n, const double *X, const double *Y);

// Bar k from point k to point k + 1 with the height of point k, from the
// bottom edge; nothing limited; n - 1 bars.
TRects HistogramBars(const TPlotArea &area, int32_t n, const double *X, const double *Y);

// A 4 x 4 square around every point; nothing limited.
TRects PointMarks(const TPlotArea &area, int32_t n, const double *X, const double *Y);

// The sampling loop of the function modes: column Left + j for j = 1..PW at
// x = XMin + (XMax - XMin) * j / PW, row py(f(x)) on the given scale, limited to
// the plot. A non-finite f(x) fails.
using TCurveFunction = std::function<double(double)>;
TPolyline SampledPoints(const TPlotArea &area, const TCurveFunction &f, const TScale &scale);

// Reduces a polyline to at most four points per run of points in one column
// (first, lowest, highest, last) such that the pixels a canvas draws for it
// are exactly those it draws for the full polyline.
std::vector<TPixel> ReduceColumns(const std::vector<TPixel> &points);

} // namespace chart
