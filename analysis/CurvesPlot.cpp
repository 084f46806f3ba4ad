#include "analysis/CurvesPlot.h"

#include "app/core/LocaleFormat.h"

#include <QPainter>
#include <QPainterPath>
#include <QStringList>

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
    // A little room around the data; an empty or one-valued range made
    // drawable. Values that differ only past their 12th digit count as one
    // value: a range that narrow has no ticks a label could tell apart.
    TRange Padded() const
    {
        if (!(lo <= hi))
            return {0, 1};
        const double largest = std::max(std::fabs(lo), std::fabs(hi));
        const double pad = hi - lo > largest * 1e-12 ? 0.03 * (hi - lo) : std::max(largest * 0.01, 1e-12);
        return {lo - pad, hi + pad};
    }
};

} // namespace

std::vector<double> NiceTicks(double lo, double hi, int maxTicks)
{
    std::vector<double> ticks;
    if (!(lo < hi) || !std::isfinite(lo) || !std::isfinite(hi) || maxTicks < 1)
        return ticks;
    // A step no finer than the 14th digit of the ends: every multiple of it
    // there is then a distinct double, however few doubles lie between lo
    // and hi (a range a few units of the last place wide would otherwise ask
    // for steps below the doubles' resolution, and ticks without end).
    const double largest = std::max(std::fabs(lo), std::fabs(hi));
    const double finest = std::max((hi - lo) / maxTicks, largest * 1e-14);
    const double power = std::pow(10.0, std::floor(std::log10(finest)));
    for (double m : {1.0, 2.0, 5.0, 10.0, 20.0, 50.0}) {
        const double step = m * power, first = std::ceil(lo / step), last = std::floor(hi / step);
        if (last - first + 1 > maxTicks)
            continue;
        for (int i = 0; first + i <= last; ++i) {
            const double k = first + i;
            ticks.push_back(k == 0 ? 0.0 : k * step);
        }
        break;
    }
    return ticks;
}

int TickDigits(const std::vector<double> &ticks)
{
    constexpr int kFewest = 6, kMost = 15;
    if (ticks.size() < 2)
        return kFewest;
    const double step = ticks[1] - ticks[0];
    const double largest = std::max(std::fabs(ticks.front()), std::fabs(ticks.back()));
    if (!(step > 0.0) || !std::isfinite(step) || !(largest > 0.0) || !std::isfinite(largest))
        return kFewest;
    // From the largest value's leading digit down to the step's.
    const double digits = std::floor(std::log10(largest)) - std::floor(std::log10(step)) + 1.0;
    return int(std::clamp(digits, double(kFewest), double(kMost)));
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

    TRange xr, yr;
    for (const TCurve &c : curves_) {
        for (size_t i = 0; i < std::min(c.x.size(), c.y.size()); ++i) {
            if (std::isfinite(c.x[i]) && std::isfinite(c.y[i]))
                xr.Take(c.x[i]), yr.Take(c.y[i]);
        }
    }
    xr = xr.Padded(), yr = yr.Padded();

    // A grid line and a label at each tick: about every 80 pixels across,
    // every 35 down, and at least three down. The left margin widens for
    // labels that need more digits than usual.
    const QFontMetrics fm(font());
    const int plotHeight = height() - kTop - kBottom;
    const std::vector<double> yTicks = NiceTicks(yr.lo, yr.hi, std::max(3, plotHeight / 35));
    const int yDigits = TickDigits(yTicks);
    QStringList yLabels;
    int left = kLeft;
    for (double t : yTicks) {
        yLabels << LocaleGeneral(t, yDigits);
        left = std::max(left, fm.horizontalAdvance(yLabels.back()) + 8);
    }
    left = std::min(left, width() / 2);
    const QRect area(left, kTop, width() - left - kRight, plotHeight);
    if (area.width() < 10 || area.height() < 10)
        return;
    const auto px = [&](double x) { return area.left() + (x - xr.lo) / (xr.hi - xr.lo) * area.width(); };
    const auto py = [&](double y) { return area.bottom() - (y - yr.lo) / (yr.hi - yr.lo) * area.height(); };

    const std::vector<double> xTicks = NiceTicks(xr.lo, xr.hi, std::max(2, area.width() / 80));
    const int xDigits = TickDigits(xTicks);
    for (double t : xTicks) {
        const QString text = LocaleGeneral(t, xDigits);
        p.setPen(QColor(225, 225, 225));
        p.drawLine(QPointF(px(t), area.top()), QPointF(px(t), area.bottom()));
        p.setPen(Qt::black);
        p.drawText(QPointF(px(t) - fm.horizontalAdvance(text) / 2.0, area.bottom() + fm.ascent() + 3), text);
    }
    for (size_t i = 0; i < yTicks.size(); ++i) {
        const double t = yTicks[i];
        const QString &text = yLabels[qsizetype(i)];
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
