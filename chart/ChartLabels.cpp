#include "chart/ChartLabels.h"

#include "app/core/LocaleFormat.h"
#include "numerics/NumberFormat.h"

#include <cmath>

namespace chart {

namespace {
QString MinSec(double value) { return QString::fromStdString(numerics::FormatMinSec(value)); }
} // namespace

QString XLabelText(TSCXDrawing mode, double value)
{
    if (!std::isfinite(value))
        return {};
    return mode == TSCXDrawing::ByTime ? MinSec(value) : LocaleFixed(value, 3, 3);
}

QString YLabelText(TSCYDrawing mode, double value)
{
    if (!std::isfinite(value))
        return {};
    return mode == TSCYDrawing::ByFixed ? LocaleFixed(value, 4, 3) : LocaleExponent(value, 3, 2);
}

std::array<QString, 5> XLabels(TSCXDrawing mode, double xMin, double xMax)
{
    std::array<QString, 5> texts;
    for (int i = 0; i < 5; ++i)
        texts[size_t(i)] = XLabelText(mode, xMin + (xMax - xMin) * i / 4);
    return texts;
}

std::array<QString, 5> YLabels(TSCYDrawing mode, double yMin, double yMax)
{
    std::array<QString, 5> texts;
    for (int i = 0; i < 5; ++i)
        texts[size_t(i)] = YLabelText(mode, yMin + (yMax - yMin) * (1 - i / 4.0));
    return texts;
}

QString TimeMarkText(TSCXDrawing mode, double t)
{
    if (!std::isfinite(t))
        return {};
    return mode == TSCXDrawing::ByTime ? MinSec(t) : LocaleGeneral(t);
}

} // namespace chart
