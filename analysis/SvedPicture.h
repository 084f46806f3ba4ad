#pragma once
// The reduction picture painted: the layout's items stroked into a vector
// picture, kept as that vector picture or as a raster image drawn from it.
#include "analysis/core/SvedLayout.h"

#include <QByteArray>
#include <QImage>
#include <QPicture>
#include <vector>

namespace analysis {

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
