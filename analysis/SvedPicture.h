#pragma once
// The reduction picture: L over T on a fixed 400 x 360 canvas with 8 T and 12
// L grid lines, their labels and the curve. LayoutSvedPicture computes every
// line, text and curve point in pixels; PaintSvedPicture strokes them into a
// vector picture; TSvedPicture keeps the result as that vector picture or as
// a raster image drawn from it.
#include <QByteArray>
#include <QImage>
#include <QLine>
#include <QPicture>
#include <QPoint>
#include <QPolygon>
#include <QString>
#include <vector>

namespace analysis {

inline constexpr int kSvedWidth = 400;
inline constexpr int kSvedHeight = 360;

struct TSvedRanges {
    double TMin = 0, TMax = 0;
    double LMin = 0, LMax = 0;
};

// Empty when the ranges can be drawn; otherwise the message to show (an
// empty or non-finite span of either axis would divide by zero).
QString CheckSvedRanges(const TSvedRanges &r);

// Label texts: "0" for exactly 0; T: exponent(2, 1) above 1000 or below 1,
// otherwise fixed(3, 0); L: exponent(3, 1) above 100 or below 0.01, otherwise
// fixed(2, 3).
QString SvedTLabel(double v);
QString SvedLLabel(double v);

// One thing drawn, in drawing order: a line, a text whose block (opaque
// white) has its top-left corner at At, or the curve as a polyline.
struct TSvedItem {
    enum class Kind { Line, Text, Curve };
    Kind kind = Kind::Line;
    QRgb color = 0;
    QLine line;
    QPoint at;
    QString text;
    QPolygon curve;
};

// The whole drawing for checked ranges: the 8 T lines with their labels and
// title, the 12 L lines with their labels and title, then the curve in red,
// each point clamped to the plot area 50..350 x 10..310. A point with a
// coordinate that is not a number is left out, and a point equal to the one
// before it is kept once.
std::vector<TSvedItem> LayoutSvedPicture(const TSvedRanges &ranges, const std::vector<double> &X,
                                         const std::vector<double> &Y);

// The items stroked without anti-aliasing: "Times New Roman" 8 points
// (11 pixels), pen width 1.
QPicture PaintSvedPicture(const std::vector<TSvedItem> &items);

// The picture of the reduction window: empty, a vector picture or a 400 x 360
// raster image.
class TSvedPicture {
public:
    enum class Kind { Empty, Vector, Raster };

    Kind kind() const { return kind_; }
    // Keeps the vector picture itself ("Метафайл" checked).
    void SetVector(const QPicture &picture);
    // Keeps a white 400 x 360 image with the picture drawn into it at (0, 0).
    void SetRaster(const QPicture &picture);

    // The picture as a 400 x 360 image (white when empty).
    QImage Image() const;
    // The vector picture as an SVG document (empty unless Vector).
    QByteArray Svg() const;
    // What "Save" writes: SVG for the vector kind, a Windows bitmap for the
    // raster kind; empty when there is no picture.
    QByteArray FileBytes() const;

private:
    Kind kind_ = Kind::Empty;
    QPicture vector_;
    QImage raster_;
};

} // namespace analysis
