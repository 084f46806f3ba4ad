#include "analysis/SvedPicture.h"

#include "chart/ChartCanvas.h"

#include <QCoreApplication>
#include <QBuffer>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <QSvgGenerator>

namespace {
// The context of this file's texts in the translation catalogue.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(analysis::SvedPicture)
};
} // namespace

namespace analysis {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFFu;

void DrawText(QPainter &painter, const TSvedItem &item)
{
    const QFontMetrics metrics(painter.font(), painter.device());
    const QRect block(item.at, QSize(metrics.horizontalAdvance(item.text), metrics.height()));
    painter.fillRect(block, QColor::fromRgb(kWhite));
    painter.setPen(QColor::fromRgb(item.color));
    painter.drawText(item.at.x(), item.at.y() + metrics.ascent(), item.text);
}

void SetPen(QPainter &painter, QRgb color)
{
    QPen pen(QColor::fromRgb(color));
    pen.setWidth(1);
    pen.setCosmetic(true);
    painter.setPen(pen);
}

} // namespace

QPicture PaintSvedPicture(const std::vector<TSvedItem> &items)
{
    QPicture picture;
    picture.setBoundingRect(QRect(0, 0, kSvedWidth, kSvedHeight));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(chart::LabelFont());
    for (const TSvedItem &item : items) {
        switch (item.kind) {
        case TSvedItem::Kind::Line:
            SetPen(painter, item.color);
            painter.drawLine(item.line);
            break;
        case TSvedItem::Kind::Text:
            DrawText(painter, item);
            break;
        case TSvedItem::Kind::Curve:
            // A single point is a move without a line: nothing to draw.
            if (item.curve.size() >= 2) {
                SetPen(painter, item.color);
                painter.drawPolyline(QPolygon(item.curve));
            }
            break;
        }
    }
    painter.end();
    return picture;
}

void TSvedPicture::SetVector(const QPicture &picture)
{
    vector_ = picture;
    raster_ = QImage();
    kind_ = Kind::Vector;
}

void TSvedPicture::SetRaster(const QPicture &picture)
{
    QImage image(kSvedWidth, kSvedHeight, QImage::Format_RGB32);
    image.fill(kWhite);
    QPainter painter(&image);
    painter.drawPicture(0, 0, picture);
    painter.end();
    raster_ = image;
    vector_ = QPicture();
    kind_ = Kind::Raster;
}

QImage TSvedPicture::Image() const
{
    if (kind_ == Kind::Raster)
        return raster_;
    QImage image(kSvedWidth, kSvedHeight, QImage::Format_RGB32);
    image.fill(kWhite);
    if (kind_ == Kind::Vector) {
        QPainter painter(&image);
        painter.drawPicture(0, 0, vector_);
    }
    return image;
}

QByteArray TSvedPicture::Svg() const
{
    if (kind_ != Kind::Vector)
        return {};
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(kSvedWidth, kSvedHeight));
    generator.setViewBox(QRect(0, 0, kSvedWidth, kSvedHeight));
    generator.setResolution(96);
    generator.setTitle(Tr::tr("Сведение"));
    QPainter painter(&generator);
    painter.drawPicture(0, 0, vector_);
    painter.end();
    return buffer.data();
}

QByteArray TSvedPicture::FileBytes() const
{
    if (kind_ == Kind::Vector)
        return Svg();
    if (kind_ == Kind::Empty)
        return {};
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    raster_.save(&buffer, "BMP");
    return buffer.data();
}

} // namespace analysis
