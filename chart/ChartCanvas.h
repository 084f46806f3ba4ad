#pragma once
// A small raster canvas over a QImage with the drawing rules the chart is
// defined by: a pen (colour, solid or dotted, copy or not-xor), a brush, a font,
// move-to / line-to where a line never includes its end point, rectangles whose
// right and bottom edges are excluded, and text placed by its top left corner on
// an opaque block of the brush colour. Pixels are written directly, so every
// picture is exact and independent of any anti-aliasing.
#include "chart/ChartPlot.h"

#include <QFont>
#include <QHash>
#include <QImage>
#include <QString>
#include <cstdint>
#include <span>

namespace chart {

enum class TPenStyle : uint8_t {
    Solid,
    Dotted,  // one pixel on, one off, starting "on" at the first pixel of each line
};

enum class TPenMode : uint8_t {
    Copy,    // the pixel becomes the pen colour
    NotXor,  // pixel := not (pen xor pixel); with a black pen this inverts, and
             // drawing the same line twice leaves the picture as it was
};

struct TPen {
    QRgb color = qRgb(0, 0, 0);
    TPenStyle style = TPenStyle::Solid;
    TPenMode mode = TPenMode::Copy;
};

// The chart's label font: "Times New Roman" at 8 points, rasterised at 96 dpi
// (11 pixels) without anti-aliasing, so label pixels are pure colours.
QFont LabelFont();

// Rendered text blocks (glyphs on their opaque background) kept between redraws:
// a chart draws the same dozen label texts on every redraw, and drawing glyphs
// is by far the dearest part of a redraw. A block is the text's advance width by
// the font's height; what would fall outside it is not drawn.
class TTextCache {
public:
    const QImage &Block(const QFont &font, QRgb color, QRgb background, const QString &text);
    int Size() const { return int(blocks_.size()); }

private:
    struct TTextKey {
        QString text;
        QRgb color = 0;
        QRgb background = 0;
        friend bool operator==(const TTextKey &, const TTextKey &) = default;
        friend size_t qHash(const TTextKey &key, size_t seed = 0)
        {
            return qHashMulti(seed, key.text, key.color, key.background);
        }
    };

    QFont font_;  // the font of every cached block
    QHash<TTextKey, QImage> blocks_;
};

// Renders one text block without any cache.
QImage RenderTextBlock(const QFont &font, QRgb color, QRgb background, const QString &text);

// The pixels of a bound picture, looked up once per drawing operation.
struct TRaster {
    QRgb *bits = nullptr;
    qsizetype stride = 0;  // pixels from one row to the next
    int width = 0;
    int height = 0;
};

class TChartCanvas {
public:
    // Binds the canvas to a picture (may be null: then nothing is drawn) and
    // resets pen, brush, font and position. The cache, if given, must outlive
    // the binding.
    void Attach(QImage *image, TTextCache *cache = nullptr);

    TPen pen;
    QRgb brush = qRgb(255, 255, 255);
    QFont font = LabelFont();
    QRgb fontColor = qRgb(0, 0, 0);

    void MoveTo(int x, int y);
    // Draws from the current point up to, not including, (x, y); (x, y) becomes
    // the current point. Any coordinates are safe: pixels outside the picture
    // are clipped, and the cost never exceeds the picture's larger side.
    void LineTo(int x, int y);
    // MoveTo the first point, then LineTo each further one.
    void Polyline(std::span<const TPixel> points);
    // Outline with the pen (its colour and mode; always solid) and inside filled
    // with the brush, over the columns min(x1,x2)..max(x1,x2)-1 and rows
    // min(y1,y2)..max(y1,y2)-1; empty (nothing drawn) when either span is zero.
    void Rectangle(int x1, int y1, int x2, int y2);
    // The outline of the same rectangle alone; the inside is left as it is.
    void Outline(int x1, int y1, int x2, int y2);
    // The text's block (see TTextCache) with its top left corner at (x, y), in
    // the font colour on the brush colour. Does not move the current point.
    void TextOut(int x, int y, const QString &text);

private:
    // A rectangle's corners in order: columns l..r-1, rows t..b-1.
    struct TBox {
        int64_t l = 0, r = 0, t = 0, b = 0;
        bool Empty() const { return r == l || b == t; }
    };
    static TBox Box(int x1, int y1, int x2, int y2);
    void StrokeOutline(const TRaster &raster, const TBox &box);

    TRaster Raster();
    void Segment(const TRaster &raster, int x, int y);
    void PlotSpan(const TRaster &raster, int64_t m0, int64_t n0, int sm, int sn, int64_t d, int64_t a,
                  bool swapped);
    void Blit(int x, int y, const QImage &block);

    QImage *image_ = nullptr;
    TTextCache *cache_ = nullptr;
    int penX_ = 0;
    int penY_ = 0;
};

} // namespace chart
