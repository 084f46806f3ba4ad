#pragma once
// Label texts of the chart's axes: the values at the five division lines, in the
// number format of the axis mode, with the locale's decimal separator.
#include "chart/ChartTypes.h"

#include <QString>
#include <array>

namespace chart {

// fixed(3, 3) for ByNormal, minutes:seconds for ByTime.
QString XLabelText(TSCXDrawing mode, double value);
// exponent(3, 2) for ByExponent, fixed(4, 3) for ByFixed.
QString YLabelText(TSCYDrawing mode, double value);

// Left to right: XMin + (XMax - XMin) * i / 4, i = 0..4.
std::array<QString, 5> XLabels(TSCXDrawing mode, double xMin, double xMax);
// Top to bottom: YMin + (YMax - YMin) * (1 - i / 4), i = 0..4.
std::array<QString, 5> YLabels(TSCYDrawing mode, double yMin, double yMax);

// A time mark's label: general format for ByNormal, minutes:seconds for ByTime.
QString TimeMarkText(TSCXDrawing mode, double t);

// A value that is not finite has no label (an empty text, which draws nothing).

} // namespace chart
