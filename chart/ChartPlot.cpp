#include "chart/ChartPlot.h"

#include <cmath>
#include <limits>

namespace chart {

bool NearestSlow(double v, int &out)
{
    if (!std::isfinite(v))
        return false;
    const double r = std::nearbyint(v);
    if (r < double(std::numeric_limits<int>::min()) || r > double(std::numeric_limits<int>::max()))
        return false;
    out = int(r);
    return true;
}

namespace {

bool WidthsFinite(const TPlotArea &area)
{
    return std::isfinite(area.XMax - area.XMin) && std::isfinite(area.YMax - area.YMin);
}

// A row of a curve point: not finite fails before the limits are applied, so an
// overflow is not hidden by the clamp.
bool CurveRow(const TPlotArea &area, double value, const TScale &scale, int &row)
{
    const double v = area.Py(value, scale);
    if (!std::isfinite(v))
        return false;
    return Nearest(area.ClampRow(v), row);
}

} // namespace

TPolyline MultiLinePoints(const TPlotArea &area, int32_t n, const double *X, const double *Y)
{
    TPolyline line;
    if (n <= 0)
        return line;
    if (!WidthsFinite(area)) {
        line.failed = true;
        return line;
    }
    // The same arithmetic as Px and Py, with the constants held locally: this
    // loop runs for every point of a live run.
    const double xMin = area.XMin, xWidth = area.XMax - area.XMin, pw = area.PW(), left = area.Left();
    const double yMin = area.YMin, yHeight = area.YMax - area.YMin, ph = area.PH();
    const double bottom = area.Bottom(), top = area.Top();
    line.points.resize(size_t(n));
    TPixel *out = line.points.data();
    for (int32_t i = 0; i < n; ++i) {
        double v = bottom - (Y[i] - yMin) / yHeight * ph;
        const bool finite = std::isfinite(v);
        v = v > bottom ? bottom : v;
        v = v < top ? top : v;
        if (!finite || !Nearest(v, out[i].y) || !Nearest(left + (X[i] - xMin) / xWidth * pw, out[i].x)) {
            line.points.resize(size_t(i));
            line.failed = true;
            break;
        }
    }
    return line;
}

TRects HistogramBars(const TPlotArea &area, int32_t n, const double *X, const double *Y)
{
    TRects bars;
    if (n <= 1)
        return bars;
    if (!WidthsFinite(area)) {
        bars.failed = true;
        return bars;
    }
    bars.rects.reserve(size_t(n - 1));
    for (int32_t k = 0; k + 1 < n; ++k) {
        TRectPx r;
        r.y1 = area.Bottom();
        if (!Nearest(area.Px(X[k]), r.x1) || !Nearest(area.Px(X[k + 1]), r.x2)
            || !Nearest(area.Py(Y[k]), r.y2)) {
            bars.failed = true;
            break;
        }
        bars.rects.push_back(r);
    }
    return bars;
}

TRects PointMarks(const TPlotArea &area, int32_t n, const double *X, const double *Y)
{
    TRects marks;
    if (n <= 0)
        return marks;
    if (!WidthsFinite(area)) {
        marks.failed = true;
        return marks;
    }
    marks.rects.reserve(size_t(n));
    for (int32_t i = 0; i < n; ++i) {
        const double cx = area.Px(X[i]);
        const double cy = area.Py(Y[i]);
        TRectPx r;
        if (!Nearest(cx - 2, r.x1) || !Nearest(cy + 2, r.y1) || !Nearest(cx + 2, r.x2)
            || !Nearest(cy - 2, r.y2)) {
            marks.failed = true;
            break;
        }
        marks.rects.push_back(r);
    }
    return marks;
}

TPolyline SampledPoints(const TPlotArea &area, const TCurveFunction &f, const TScale &scale)
{
    TPolyline line;
    const int pw = area.PW();
    if (pw <= 0)
        return line;
    if (!std::isfinite(area.XMax - area.XMin) || !std::isfinite(scale.hi - scale.lo)) {
        line.failed = true;
        return line;
    }
    line.points.reserve(size_t(pw));
    for (int j = 1; j <= pw; ++j) {
        const double x = area.XMin + (area.XMax - area.XMin) * j / pw;
        const double value = f(x);
        TPixel p{area.Left() + j, 0};
        if (!std::isfinite(value) || !CurveRow(area, value, scale, p.y)) {
            line.failed = true;
            break;
        }
        line.points.push_back(p);
    }
    return line;
}

namespace {

// One run of consecutive points in the same column.
struct TRun {
    size_t begin = 0, end = 0;  // [begin, end) in the full polyline
    size_t lowAt = 0, highAt = 0;  // first occurrences of the lowest and highest row
};

TRun ScanRun(const std::vector<TPixel> &p, size_t begin)
{
    TRun run{begin, begin + 1, begin, begin};
    while (run.end < p.size() && p[run.end].x == p[begin].x) {
        if (p[run.end].y < p[run.lowAt].y)
            run.lowAt = run.end;
        if (p[run.end].y > p[run.highAt].y)
            run.highAt = run.end;
        ++run.end;
    }
    return run;
}

void Push(std::vector<TPixel> &out, const TPixel &p)
{
    if (out.empty() || !(out.back() == p))
        out.push_back(p);
}

// A run followed by a segment into another column: its vertical steps and the
// next segment's first pixel cover exactly the rows from its lowest to its
// highest point, whatever the order, so first, extremes, last draw the same.
void PushInnerRun(std::vector<TPixel> &out, const std::vector<TPixel> &p, const TRun &run)
{
    Push(out, p[run.begin]);
    Push(out, p[std::min(run.lowAt, run.highAt)]);
    Push(out, p[std::max(run.lowAt, run.highAt)]);
    Push(out, p[run.end - 1]);
}

// The last run: nothing follows, so its last row is drawn only if an earlier
// step of the run covers it. That row is strictly between the extremes (always
// covered), or an extreme, which is covered only if the run stood on that row
// before and left it.
void PushLastRun(std::vector<TPixel> &out, const std::vector<TPixel> &p, const TRun &run)
{
    const TPixel &first = p[run.begin], &last = p[run.end - 1];
    const TPixel &low = p[run.lowAt], &high = p[run.highAt];
    Push(out, first);
    if (low.y == high.y)
        return;
    if (last.y != low.y && last.y != high.y) {
        PushInnerRun(out, p, run);
        return;
    }
    const TPixel &other = last.y == high.y ? low : high;
    size_t trail = run.end - 1;
    while (trail > run.begin && p[trail - 1].y == last.y)
        --trail;
    bool covered = false;
    for (size_t i = run.begin; i < trail && !covered; ++i)
        covered = p[i].y == last.y;
    if (covered)
        Push(out, last);  // stand on the last row and leave it: it is drawn
    Push(out, other);
    Push(out, last);
}

} // namespace

std::vector<TPixel> ReduceColumns(const std::vector<TPixel> &points)
{
    std::vector<TPixel> out;
    out.reserve(std::min(points.size(), size_t(4096)));
    size_t i = 0;
    while (i < points.size()) {
        const TRun run = ScanRun(points, i);
        if (run.end < points.size())
            PushInnerRun(out, points, run);
        else
            PushLastRun(out, points, run);
        i = run.end;
    }
    return out;
}

} // namespace chart
