#pragma once
// The comparison chart: several curves over one pair of axes, each in its own
// colour, with a legend. Painted with any QPainter: on an image for the
// screen, as vectors into the report's PDF.
#include "archive/core/CompareSeries.h"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <vector>

class QPainter;

namespace archive {

// The colour of curve k (20 distinct colours, then again from the first).
QColor CurveColor(size_t k);

// Nice tick values covering [lo, hi]: steps of 1, 2 or 5 times a power of
// ten, about `wanted` of them. Empty for a range that is not finite.
std::vector<double> AxisTicks(double lo, double hi, int wanted);

// The points of a curve in device coordinates, reduced so that each device
// column keeps at most its first, lowest, highest and last point: the line
// drawn through them covers the same pixels' columns at a fraction of the
// cost. Points that are not finite are left out.
std::vector<QPointF> CurvePoints(const TCompareCurve &curve, const QRectF &plot, double xMin, double xMax,
                                 double yMin, double yMax);

struct TPlotTitles {
    QString x = QStringLiteral("T, deg C");
    QString y;
};

// Paints the frame, grid, tick labels, the curves and the legend into area.
// fontPoints: the labels' size (the device's resolution applies).
void PaintComparison(QPainter &painter, const QRectF &area, const std::vector<TCompareCurve> &curves,
                     const TPlotTitles &titles, double fontPoints = 8);

} // namespace archive
