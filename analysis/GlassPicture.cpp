#include "analysis/GlassPicture.h"

#include "chart/ChartCanvas.h"

#include <QCoreApplication>
#include <QBuffer>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <QSvgGenerator>

namespace analysis {
namespace {

// The context of this file's texts in the translation catalogue.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(analysis::GlassPicture)
};

constexpr QRgb kWhite = 0xFFFFFFFFu;

void SetPen(QPainter &painter, const TGlassItem &item)
{
    QPen pen(QColor::fromRgba(item.color));
    pen.setWidth(1);
    pen.setCosmetic(true);
    if (item.dotted)
        pen.setDashPattern({1, 1});
    painter.setPen(pen);
}

void DrawText(QPainter &painter, const TGlassItem &item)
{
    const QFontMetrics metrics(painter.font(), painter.device());
    const QRect block(item.at, QSize(metrics.horizontalAdvance(item.text), metrics.height()));
    painter.fillRect(block, QColor::fromRgba(kWhite));
    painter.setPen(QColor::fromRgba(item.color));
    painter.drawText(item.at.x(), item.at.y() + metrics.ascent(), item.text);
}

void Paint(QPaintDevice &device, const std::vector<TGlassItem> &items)
{
    QPainter painter(&device);
    painter.fillRect(QRect(0, 0, kGlassWidth, kGlassHeight), QColor::fromRgba(kWhite));
    PaintGlassItems(painter, items);
}

} // namespace

void PaintGlassItems(QPainter &painter, const std::vector<TGlassItem> &items)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(chart::LabelFont());
    for (const TGlassItem &item : items) {
        switch (item.kind) {
        case TGlassItem::Kind::Line:
            SetPen(painter, item);
            painter.drawLine(item.line);
            break;
        case TGlassItem::Kind::Text:
            DrawText(painter, item);
            break;
        case TGlassItem::Kind::Curve:
            if (item.curve.size() >= 2) {
                SetPen(painter, item);
                painter.drawPolyline(QPolygon(item.curve));
            }
            break;
        }
    }
}

QImage GlassImage(const std::vector<TGlassItem> &items)
{
    QImage image(kGlassWidth, kGlassHeight, QImage::Format_RGB32);
    Paint(image, items);
    return image;
}

QByteArray GlassPng(const std::vector<TGlassItem> &items)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    GlassImage(items).save(&buffer, "PNG");
    return buffer.data();
}

QByteArray GlassSvg(const std::vector<TGlassItem> &items)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(kGlassWidth, kGlassHeight));
    generator.setViewBox(QRect(0, 0, kGlassWidth, kGlassHeight));
    generator.setResolution(96);
    generator.setTitle(Tr::tr("Стеклование и размягчение"));
    Paint(generator, items);
    return buffer.data();
}

} // namespace analysis
