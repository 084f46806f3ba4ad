#include "chart/ChartPlot.h"

#include <algorithm>
#include <cmath>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace chart {

std::optional<int> NearestSlow(double v)
{
    if (!std::isfinite(v))
        return std::nullopt;
    const double r = std::nearbyint(v);
    if (r < double(std::numeric_limits<int>::min()) || r > double(std::numeric_limits<int>::max()))
        return std::nullopt;
    return int(r);
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

// One axis of the point mapping, origin + (v - lo) / width * span, limited
// to low..high as TPlotArea::ClampRow limits rows: columns have origin Left,
// span PW and no limits, rows origin Bottom, span -PH (the same doubles as
// Bottom - (v - lo) / width * PH, rounding being symmetric) and the plot's
// rows as limits. A value that is not finite cannot be placed; it fails
// before the limits are applied, so an overflow is not hidden by them.
//
// The division form above is the definition. Pixel() first tries Near(v),
// which multiplies by span / width, computed once. With d = v - lo, both
// d / width * span and d * (span / width) are the true d * span / width times
// two factors within 2^-53 of 1 (the reciprocal being a normal number; an
// underflow in d / width adds less than 2^-1040), so while |q| <= 2^24 they
// differ by less than 2^-27, and adding an origin with |origin| <= 2^24 rounds
// each by at most 2^-28: the two forms differ by less than 2^-25, and the
// limits do not widen that. Rounding half to even jumps only at halves, so a
// value of Near at least 2^-20 from every half rounds exactly as the division
// form does. Otherwise, and outside those bounds, the division form decides.
class TAxis {
public:
    TAxis(int origin, double lo, double width, int span, double low = -kInfinity, double high = kInfinity)
        : origin_(origin), lo_(lo), width_(width), span_(span), scale_(span / width), low_(low), high_(high)
    {
        if (!(std::isnormal(scale_) && origin >= -kLimit && origin <= kLimit))
            scale_ = std::numeric_limits<double>::quiet_NaN();
#if defined(__SSE2__)
        pair_ = {_mm_set1_pd(origin_), _mm_set1_pd(lo_), _mm_set1_pd(scale_), _mm_set1_pd(low_), _mm_set1_pd(high_)};
#endif
    }

    // v's pixel, rounded half to even; false when it cannot be placed.
    bool Pixel(double v, int &out) const
    {
        const double q = (v - lo_) * scale_;
        if (std::fabs(q) <= kLimit) {
            const double near = Limit(origin_ + q, low_, high_);
            const double r = (near + kShift) - kShift;
            if (std::fabs(near - r) < kClear) {
                out = int(r);
                return true;
            }
        }
        const std::optional<int> exact = ExactPixel(origin_, lo_, width_, span_, low_, high_, v);
        if (exact)
            out = *exact;
        return exact.has_value();
    }

#if defined(__SSE2__)
    // Pixel of v[0] and v[1] when both are placed without the division form;
    // false otherwise.
    bool PixelPair(const double *v, int out[2]) const
    {
        const __m128d q = _mm_mul_pd(_mm_sub_pd(_mm_loadu_pd(v), pair_.lo), pair_.scale);
        const __m128d inRange = _mm_cmple_pd(Abs(q), _mm_set1_pd(kLimit));  // false for NaN
        // Limit for numbers: high where v > high, then low where v < low.
        const __m128d near = _mm_max_pd(pair_.low, _mm_min_pd(pair_.high, _mm_add_pd(pair_.origin, q)));
        const __m128d shift = _mm_set1_pd(kShift);
        const __m128d r = _mm_sub_pd(_mm_add_pd(near, shift), shift);
        const __m128d clear = _mm_cmplt_pd(Abs(_mm_sub_pd(near, r)), _mm_set1_pd(kClear));
        if (_mm_movemask_pd(_mm_and_pd(inRange, clear)) != 3)
            return false;
        const __m128i pixels = _mm_cvttpd_epi32(r);
        out[0] = _mm_cvtsi128_si32(pixels);
        out[1] = _mm_cvtsi128_si32(_mm_shuffle_epi32(pixels, 1));
        return true;
    }
#endif

private:
    static constexpr double kInfinity = std::numeric_limits<double>::infinity();
    static constexpr double kLimit = 0x1p24;
    static constexpr double kShift = 6755399441055744.0;  // 1.5 * 2^52, as in NearestPixel
    static constexpr double kClear = 0.5 - 0x1p-20;

    static double Limit(double v, double low, double high)
    {
        if (v > high)
            v = high;
        if (v < low)
            v = low;
        return v;
    }

    // The division form, out of the way of the loops over the points.
    [[gnu::noinline]] static std::optional<int> ExactPixel(double origin, double lo, double width, double span,
                                                           double low, double high, double v)
    {
        const double exact = origin + (v - lo) / width * span;
        return std::isfinite(exact) ? NearestPixel(Limit(exact, low, high)) : std::nullopt;
    }

#if defined(__SSE2__)
    static __m128d Abs(__m128d v) { return _mm_andnot_pd(_mm_set1_pd(-0.0), v); }

    struct {
        __m128d origin, lo, scale, low, high;
    } pair_;
#endif
    double origin_, lo_, width_, span_, scale_, low_, high_;
};

// Both axes of a plot's point mapping.
class TPointMapping {
public:
    explicit TPointMapping(const TPlotArea &area)
        : usable_(WidthsFinite(area)), columns_(area.Left(), area.XMin, area.XMax - area.XMin, area.PW()),
          rows_(area.Bottom(), area.YMin, area.YMax - area.YMin, -area.PH(), area.Top(), area.Bottom())
    {
    }

    // False when the ranges' widths are not finite: no point can be placed.
    bool Usable() const { return usable_; }

    // The pixel of (x, y), the row limited to the plot; false when it cannot
    // be placed.
    bool Pixel(double x, double y, TPixel &p) const { return rows_.Pixel(y, p.y) && columns_.Pixel(x, p.x); }

    // The pixels of points i and i + 1 into p[0] and p[1] when both are placed
    // at once; false otherwise (then take them one by one).
    bool PixelPair(const double *X, const double *Y, int32_t i, TPixel p[2]) const
    {
#if defined(__SSE2__)
        int x[2], y[2];
        if (!rows_.PixelPair(Y + i, y) || !columns_.PixelPair(X + i, x))
            return false;
        p[0] = {x[0], y[0]};
        p[1] = {x[1], y[1]};
        return true;
#else
        (void)X, (void)Y, (void)i, (void)p;
        return false;
#endif
    }

private:
    bool usable_;
    TAxis columns_, rows_;
};

// A run of consecutive points in one column, as the reduction keeps it: the
// rows of its first, lowest, highest and last point, where the lowest and
// highest first occurred, and where the trailing stretch of points on the
// last point's row began (all as indices into the polyline).
struct TColumnRun {
    int x = 0;
    int first = 0, low = 0, high = 0, last = 0;
    size_t lowAt = 0, highAt = 0, trail = 0;
};

class TReducedPolyline {
public:
    explicit TReducedPolyline(size_t expected) { out_.reserve(std::min(expected, size_t(4096))); }

    // A run followed by a segment into another column: its vertical steps and
    // the next segment's first pixel cover exactly the rows from its lowest to
    // its highest point, whatever the order, so first, extremes, last draw the
    // same.
    void PushInnerRun(TColumnRun run)
    {
        const bool lowFirst = run.lowAt <= run.highAt;
        Push(run.x, run.first);
        Push(run.x, lowFirst ? run.low : run.high);
        Push(run.x, lowFirst ? run.high : run.low);
        Push(run.x, run.last);
    }

    // The last run: nothing follows, so its last row is drawn only if an
    // earlier step of the run covers it. That row is strictly between the
    // extremes (always covered), or an extreme, which is covered only if the
    // run stood on that row before its trailing stretch there, i.e. the
    // extreme first occurred before that stretch, and left it.
    void PushLastRun(TColumnRun run)
    {
        Push(run.x, run.first);
        if (run.low == run.high)
            return;
        if (run.last != run.low && run.last != run.high) {
            PushInnerRun(run);
            return;
        }
        const bool onHigh = run.last == run.high;
        if ((onHigh ? run.highAt : run.lowAt) < run.trail)
            Push(run.x, run.last);  // stand on the last row and leave it: it is drawn
        Push(run.x, onHigh ? run.low : run.high);
        Push(run.x, run.last);
    }

    std::vector<TPixel> Take() { return std::move(out_); }

private:
    [[gnu::always_inline]] void Push(int x, int y)
    {
        const TPixel p{x, y};
        if (out_.empty() || !(out_.back() == p))
            out_.push_back(p);
    }

    std::vector<TPixel> out_;
};

// The reduction of a polyline, given point by point, to at most four points
// per run of points in one column, such that the pixels a canvas draws for the
// result are exactly those it draws for the full polyline: point number count
// goes into run, or closes run and starts the next. Inlined into the loops
// over the points, so that the run stays in registers.
[[gnu::always_inline]] inline void ReduceStep(const TPixel &p, TColumnRun &run, size_t &count,
                                              TReducedPolyline &out)
{
    if (count == 0 || p.x != run.x) {
        if (count > 0)
            out.PushInnerRun(run);
        run = TColumnRun{p.x, p.y, p.y, p.y, p.y, count, count, count};
    } else {
        // Selections that compile to conditional moves: the rows of noisy
        // data go up and down unpredictably, so branches would mispredict.
        run.lowAt = p.y < run.low ? count : run.lowAt;
        run.highAt = p.y > run.high ? count : run.highAt;
        run.trail = p.y != run.last ? count : run.trail;
        run.low = std::min(run.low, p.y);
        run.high = std::max(run.high, p.y);
        run.last = p.y;
    }
    ++count;
}

} // namespace

TPolyline MultiLinePoints(const TPlotArea &area, int32_t n, const double *X, const double *Y)
{
    TPolyline line;
    if (n <= 0)
        return line;
    const TPointMapping mapping(area);
    line.failed = !mapping.Usable();
    line.points.reserve(line.failed ? 0 : size_t(n));
    for (int32_t i = 0; i < n && !line.failed; ++i) {
        TPixel p;
        line.failed = !mapping.Pixel(X[i], Y[i], p);
        if (!line.failed)
            line.points.push_back(p);
    }
    return line;
}

TPolyline ReducedMultiLine(const TPlotArea &area, int32_t n, const double *X, const double *Y)
{
    TPolyline line;
    if (n <= 0)
        return line;
    const TPointMapping mapping(area);
    bool failed = !mapping.Usable();
    TReducedPolyline out{failed ? 0 : size_t(n)};
    TColumnRun run;
    size_t count = 0;
    // The points are mapped a block at a time, two at once where both can
    // be, and then reduced: the mapping's loop has no calls and keeps its
    // constants in registers.
    constexpr int32_t kBlock = 256;
    TPixel block[kBlock];
    for (int32_t start = 0; start < n && !failed; start += kBlock) {
        const int32_t end = std::min(n, start + kBlock);
        int32_t i = start, filled = 0;
        while (i < end) {
            if (i + 1 < end && mapping.PixelPair(X, Y, i, block + filled)) {
                filled += 2;
                i += 2;
                continue;
            }
            if (!mapping.Pixel(X[i], Y[i], block[filled])) {
                failed = true;
                break;
            }
            ++filled;
            ++i;
        }
        for (int32_t k = 0; k < filled; ++k)
            ReduceStep(block[k], run, count, out);
    }
    if (count > 0)
        out.PushLastRun(run);
    line.points = out.Take();
    line.failed = failed;
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

std::vector<TPixel> ReduceColumns(const std::vector<TPixel> &points)
{
    TReducedPolyline out{points.size()};
    TColumnRun run;
    size_t count = 0;
    for (const TPixel &p : points)
        ReduceStep(p, run, count, out);
    if (count > 0)
        out.PushLastRun(run);
    return out.Take();
}

} // namespace chart
