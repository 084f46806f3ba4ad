#pragma once
// Where a framed plot lies in a picture and how data map onto it. The chart
// and the reduction picture both take their geometry from here.
//
// A W x H picture has its plot area between columns Left() and Right() and
// rows Top() and Bottom(), set by margins from the picture's edges; PW and PH
// are the plot's width and height. A data point maps to
//   px(x) = Left + (x - XMin) / (XMax - XMin) * PW
//   py(y) = Bottom - (y - YMin) / (YMax - YMin) * PH
// Standard library only, so windowless code can lay out pictures too.

namespace chart {

// Distances from the picture's left and top edges to the plot's left and
// top lines, and from the right and bottom edges to its right and bottom lines.
struct TPlotMargins {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// The chart: plot columns 50 .. W - 50, rows 20 .. H - 50 (PW = W - 100,
// PH = H - 70).
inline constexpr TPlotMargins kChartMargins{50, 20, 50, 50};

// A vertical scale: lo at the bottom edge of the plot, hi at the top edge.
struct TScale {
    double lo = 0;
    double hi = 1;
};

struct TPlotArea {
    int W = 0;
    int H = 0;
    double XMin = 0, XMax = 1;
    double YMin = 0, YMax = 1;
    TPlotMargins margins = kChartMargins;

    int Left() const { return margins.left; }
    int Right() const { return W - margins.right; }
    int Top() const { return margins.top; }
    int Bottom() const { return H - margins.bottom; }
    int PW() const { return Right() - Left(); }
    int PH() const { return Bottom() - Top(); }

    double Px(double x) const { return Left() + (x - XMin) / (XMax - XMin) * PW(); }
    double Py(double y, const TScale &s) const { return Bottom() - (y - s.lo) / (s.hi - s.lo) * PH(); }
    double Py(double y) const { return Py(y, TScale{YMin, YMax}); }
    // Limits a row to the plot: first to the bottom line, then to the top line
    // (so a plot with Bottom() < Top() puts every row on the top line).
    double ClampRow(double v) const
    {
        if (v > Bottom())
            v = Bottom();
        if (v < Top())
            v = Top();
        return v;
    }
};

} // namespace chart
