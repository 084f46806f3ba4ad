#include "archive/report/ComparePlot.h"

#include "app/core/LocaleFormat.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace archive {
namespace {

const QRgb kPalette[] = {0x1f77b4, 0xd62728, 0x2ca02c, 0xff7f0e, 0x9467bd, 0x8c564b, 0xe377c2,
                         0x17becf, 0xbcbd22, 0x7f7f7f, 0x393b79, 0xad494a, 0x637939, 0x8c6d31,
                         0x7b4173, 0x3182bd, 0xe6550d, 0x31a354, 0x756bb1, 0x636363};

struct TRange {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -std::numeric_limits<double>::infinity();
    void Add(double v)
    {
        if (std::isfinite(v)) {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    }
    bool Empty() const { return lo > hi; }
    // A range of one value (or none) is widened so that it can be drawn.
    void Widen()
    {
        if (Empty()) {
            lo = 0;
            hi = 1;
        } else if (lo == hi) {
            const double d = lo == 0 ? 1 : std::abs(lo) * 0.01;
            lo -= d;
            hi += d;
        }
    }
};

QString TickText(double v, double step)
{
    // Enough decimals to tell neighbouring ticks apart.
    const int decimals = step >= 1 ? 0 : std::min(15, int(std::ceil(-std::log10(step) - 1e-9)));
    if (std::abs(v) < step * 1e-9)
        v = 0;
    if (std::abs(v) >= 1e6 || (v != 0 && std::abs(v) < 1e-3))
        return LocaleGeneral(v, 4);
    return LocaleFixed(v, 15, decimals);
}

} // namespace

QColor CurveColor(size_t k) { return QColor(kPalette[k % std::size(kPalette)]); }

std::vector<double> AxisTicks(double lo, double hi, int wanted)
{
    std::vector<double> ticks;
    if (!std::isfinite(lo) || !std::isfinite(hi) || hi <= lo || wanted < 1)
        return ticks;
    const double raw = (hi - lo) / wanted;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = power;
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        step = m * power;
        if (step >= raw)
            break;
    }
    const double first = std::ceil(lo / step - 1e-9);
    for (double k = first; k * step <= hi + step * 1e-9 && ticks.size() < 100; ++k)
        ticks.push_back(k * step);
    return ticks;
}

std::vector<QPointF> CurvePoints(const TCompareCurve &curve, const QRectF &plot, double xMin, double xMax,
                                 double yMin, double yMax)
{
    std::vector<QPointF> points;
    const size_t n = std::min(curve.x.size(), curve.y.size());
    points.reserve(std::min<size_t>(n, size_t(plot.width() * 4 + 8)));
    const double sx = plot.width() / (xMax - xMin), sy = plot.height() / (yMax - yMin);
    // The current column's first, lowest, highest and last points, each with
    // its place in the curve, so that they are kept in the curve's order.
    struct TKept {
        size_t i;
        QPointF p;
    };
    TKept kept[4] = {};
    int column = std::numeric_limits<int>::min();
    auto flush = [&] {
        if (column == std::numeric_limits<int>::min())
            return;
        std::sort(std::begin(kept), std::end(kept), [](const TKept &a, const TKept &b) { return a.i < b.i; });
        for (int k = 0; k < 4; ++k)
            if (k == 0 || kept[k].i != kept[k - 1].i)
                points.push_back(kept[k].p);
    };
    TKept &first = kept[0], &low = kept[1], &high = kept[2], &last = kept[3];
    for (size_t i = 0; i < n; ++i) {
        const double x = curve.x[i], y = curve.y[i];
        if (!std::isfinite(x) || !std::isfinite(y))
            continue;
        const QPointF p(plot.left() + (x - xMin) * sx, plot.bottom() - (y - yMin) * sy);
        const int c = int(std::floor(p.x()));
        if (c != column) {
            flush();
            column = c;
            first = low = high = last = {i, p};
            continue;
        }
        // Rows grow downwards: the lowest value has the largest row.
        if (p.y() > low.p.y())
            low = {i, p};
        if (p.y() < high.p.y())
            high = {i, p};
        last = {i, p};
    }
    flush();
    return points;
}

void PaintComparison(QPainter &painter, const QRectF &area, const std::vector<TCompareCurve> &curves,
                     const TPlotTitles &titles, double fontPoints)
{
    TRange xr, yr;
    for (const TCompareCurve &c : curves) {
        for (double x : c.x)
            xr.Add(x);
        for (double y : c.y)
            yr.Add(y);
    }
    xr.Widen();
    yr.Widen();
    // A margin above and below, so that no curve runs along the frame.
    const double margin = (yr.hi - yr.lo) * 0.04;
    yr.lo -= margin;
    yr.hi += margin;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(area, Qt::white);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(fontPoints);
    painter.setFont(font);
    const QFontMetricsF fm(font, painter.device());
    const double line = fm.height();

    const std::vector<double> yTicks = AxisTicks(yr.lo, yr.hi, 6);
    const double yStep = yTicks.size() > 1 ? yTicks[1] - yTicks[0] : 1;
    double labelWidth = fm.horizontalAdvance(titles.y);
    for (double v : yTicks)
        labelWidth = std::max(labelWidth, fm.horizontalAdvance(TickText(v, yStep)));
    const QRectF plot(area.left() + labelWidth + line, area.top() + line * 1.5,
                      area.width() - labelWidth - line * 2, area.height() - line * 4);
    if (plot.width() < 10 || plot.height() < 10) {
        painter.restore();
        return;
    }
    const std::vector<double> xTicks = AxisTicks(xr.lo, xr.hi, std::max(2, int(plot.width() / (line * 6))));
    const double xStep = xTicks.size() > 1 ? xTicks[1] - xTicks[0] : 1;
    auto px = [&](double x) { return plot.left() + (x - xr.lo) / (xr.hi - xr.lo) * plot.width(); };
    auto py = [&](double y) { return plot.bottom() - (y - yr.lo) / (yr.hi - yr.lo) * plot.height(); };

    const double thin = std::max(1.0, line / 14);
    painter.setPen(QPen(QColor(225, 225, 225), thin));
    for (double v : xTicks)
        painter.drawLine(QPointF(px(v), plot.top()), QPointF(px(v), plot.bottom()));
    for (double v : yTicks)
        painter.drawLine(QPointF(plot.left(), py(v)), QPointF(plot.right(), py(v)));
    painter.setPen(QPen(Qt::black, thin));
    painter.drawRect(plot);
    for (double v : xTicks) {
        const QString text = TickText(v, xStep);
        painter.drawText(QPointF(px(v) - fm.horizontalAdvance(text) / 2, plot.bottom() + line), text);
    }
    for (double v : yTicks) {
        const QString text = TickText(v, yStep);
        painter.drawText(QPointF(plot.left() - fm.horizontalAdvance(text) - line / 3, py(v) + fm.ascent() / 2 - 1),
                         text);
    }
    painter.drawText(QPointF(plot.right() - fm.horizontalAdvance(titles.x), plot.bottom() + line * 2.2), titles.x);
    painter.drawText(QPointF(area.left() + line / 3, area.top() + line), titles.y);

    painter.setClipRect(plot.adjusted(-thin, -thin, thin, thin));
    for (size_t k = 0; k < curves.size(); ++k) {
        const std::vector<QPointF> points = CurvePoints(curves[k], plot, xr.lo, xr.hi, yr.lo, yr.hi);
        // One device pixel on the screen, where a line of width 1 takes the
        // painter's fast path; wider on a printed page.
        painter.setPen(QPen(CurveColor(k), thin > 1 ? thin * 1.5 : 1.0));
        painter.drawPolyline(points.data(), int(points.size()));
    }
    painter.setClipping(false);

    // The legend, in the plot's upper left corner.
    double legendWidth = 0;
    for (const TCompareCurve &c : curves)
        legendWidth = std::max(legendWidth, fm.horizontalAdvance(c.label));
    if (!curves.empty()) {
        const QRectF box(plot.left() + line / 2, plot.top() + line / 2, legendWidth + line * 2.5,
                         line * (double(curves.size()) + 0.5));
        painter.setPen(QPen(QColor(160, 160, 160), thin));
        painter.setBrush(QColor(255, 255, 255, 235));
        painter.drawRect(box);
        for (size_t k = 0; k < curves.size(); ++k) {
            const double y = box.top() + line * (double(k) + 0.75);
            painter.setPen(QPen(CurveColor(k), thin * 3));
            painter.drawLine(QPointF(box.left() + line / 3, y), QPointF(box.left() + line * 1.6, y));
            painter.setPen(Qt::black);
            painter.drawText(QPointF(box.left() + line * 2, y + fm.ascent() / 2 - 1), curves[k].label);
        }
    }
    painter.restore();
}

} // namespace archive
