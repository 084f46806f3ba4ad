#include "analysis/CurvesPlot.h"

#include "app/core/LocaleFormat.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kLeft = 72, kRight = 12, kTop = 22, kBottom = 34;

struct TRange {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -std::numeric_limits<double>::infinity();

    void Take(double v)
    {
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    // A little room around the data; an empty or one-valued range made drawable.
    TRange Padded() const
    {
        if (!(lo <= hi))
            return {0, 1};
        const double pad = hi > lo ? 0.03 * (hi - lo) : std::max(std::fabs(lo) * 0.01, 1e-12);
        return {lo - pad, hi + pad};
    }
};

} // namespace

std::vector<double> NiceTicks(double lo, double hi, int maxTicks)
{
    std::vector<double> ticks;
    if (!(lo < hi) || !std::isfinite(lo) || !std::isfinite(hi) || maxTicks < 1)
        return ticks;
    const double power = std::pow(10.0, std::floor(std::log10((hi - lo) / maxTicks)));
    for (double m : {1.0, 2.0, 5.0, 10.0, 20.0, 50.0}) {
        const double step = m * power, first = std::ceil(lo / step), last = std::floor(hi / step);
        if (last - first + 1 > maxTicks)
            continue;
        for (double k = first; k <= last; ++k)
            ticks.push_back(k == 0 ? 0.0 : k * step);
        break;
    }
    return ticks;
}

TCurvesPlot::TCurvesPlot(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 120);
}

void TCurvesPlot::SetTitles(const QString &x, const QString &y)
{
    xTitle_ = x;
    yTitle_ = y;
    update();
}

void TCurvesPlot::SetCurves(std::vector<TCurve> curves)
{
    curves_ = std::move(curves);
    update();
}

void TCurvesPlot::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const QRect area(kLeft, kTop, width() - kLeft - kRight, height() - kTop - kBottom);
    if (area.width() < 10 || area.height() < 10)
        return;

    TRange xr, yr;
    for (const TCurve &c : curves_) {
        for (size_t i = 0; i < std::min(c.x.size(), c.y.size()); ++i) {
            if (std::isfinite(c.x[i]) && std::isfinite(c.y[i]))
                xr.Take(c.x[i]), yr.Take(c.y[i]);
        }
    }
    xr = xr.Padded(), yr = yr.Padded();
    const auto px = [&](double x) { return area.left() + (x - xr.lo) / (xr.hi - xr.lo) * area.width(); };
    const auto py = [&](double y) { return area.bottom() - (y - yr.lo) / (yr.hi - yr.lo) * area.height(); };

    // A grid line and a label at each tick: about every 80 pixels across,
    // every 35 down, and at least three down.
    const QFontMetrics fm(font());
    for (double t : NiceTicks(xr.lo, xr.hi, std::max(2, area.width() / 80))) {
        const QString text = LocaleGeneral(t, 6);
        p.setPen(QColor(225, 225, 225));
        p.drawLine(QPointF(px(t), area.top()), QPointF(px(t), area.bottom()));
        p.setPen(Qt::black);
        p.drawText(QPointF(px(t) - fm.horizontalAdvance(text) / 2.0, area.bottom() + fm.ascent() + 3), text);
    }
    for (double t : NiceTicks(yr.lo, yr.hi, std::max(3, area.height() / 35))) {
        const QString text = LocaleGeneral(t, 6);
        p.setPen(QColor(225, 225, 225));
        p.drawLine(QPointF(area.left(), py(t)), QPointF(area.right(), py(t)));
        p.setPen(Qt::black);
        p.drawText(QPointF(area.left() - fm.horizontalAdvance(text) - 4, py(t) + fm.ascent() / 2.0), text);
    }
    p.drawRect(area);
    p.drawText(QPointF(area.right() - fm.horizontalAdvance(xTitle_), height() - 3), xTitle_);
    p.drawText(QPointF(4, fm.ascent() + 2), yTitle_);

    p.setClipRect(area);
    for (const TCurve &c : curves_) {
        p.setPen(QPen(c.color, 1));
        QPainterPath path;
        bool open = false;
        for (size_t i = 0; i < std::min(c.x.size(), c.y.size()); ++i) {
            if (!std::isfinite(c.x[i]) || !std::isfinite(c.y[i])) {
                open = false;
                continue;
            }
            const QPointF at(px(c.x[i]), py(c.y[i]));
            if (c.dots)
                p.fillRect(QRectF(at.x() - 1.5, at.y() - 1.5, 3, 3), c.color);
            else if (open)
                path.lineTo(at);
            else
                path.moveTo(at), open = true;
        }
        if (!c.dots)
            p.drawPath(path);
    }
    p.setClipping(false);
    int x = area.left() + 120;
    for (const TCurve &c : curves_) {
        p.fillRect(QRect(x, 7, 14, 3), c.color);
        p.setPen(Qt::black);
        p.drawText(QPointF(x + 18, fm.ascent() + 2), c.name);
        x += 18 + fm.horizontalAdvance(c.name) + 16;
    }
}
