#pragma once
// The picture of "Стеклование и размягчение" painted: the layout's items
// stroked without anti-aliasing, as an image, a PNG file or an SVG document.
#include "analysis/core/GlassLayout.h"

#include <QByteArray>
#include <QImage>
#include <vector>

class QPainter;

namespace analysis {

// Strokes the items: pen width 1, dotted where asked, texts in the chart's
// label font on opaque white blocks.
void PaintGlassItems(QPainter &painter, const std::vector<TGlassItem> &items);

// A white kGlassWidth x kGlassHeight image with the items painted.
QImage GlassImage(const std::vector<TGlassItem> &items);
QByteArray GlassPng(const std::vector<TGlassItem> &items);
QByteArray GlassSvg(const std::vector<TGlassItem> &items);

} // namespace analysis
