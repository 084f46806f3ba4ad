#include "analysis/SvedPicture.h"

#include "app/core/LocaleFormat.h"
#include "chart/ChartCanvas.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPainter>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

namespace analysis {
namespace {

constexpr QRgb kBlue = 0xFF0000FFu;
constexpr QRgb kRed = 0xFFFF0000u;
constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kWhite = 0xFFFFFFFFu;

constexpr int kLeft = 50, kRight = 350, kTop = 10, kBottom = 310;

TSvedItem Line(int x1, int y1, int x2, int y2)
{
    TSvedItem item;
    item.kind = TSvedItem::Kind::Line;
    item.color = kBlue;
    item.line = QLine(x1, y1, x2, y2);
    return item;
}

TSvedItem Text(int x, int y, const QString &text)
{
    TSvedItem item;
    item.kind = TSvedItem::Kind::Text;
    item.color = kBlack;
    item.at = QPoint(x, y);
    item.text = text;
    return item;
}

// A pixel coordinate clamped to lo..hi before it is rounded, so that any
// value (an infinity included) gives a point on or inside the border.
int ClampRound(double v, int lo, int hi) { return int(std::nearbyint(std::clamp(v, double(lo), double(hi)))); }

QPolygon Curve(const TSvedRanges &r, const std::vector<double> &X, const std::vector<double> &Y)
{
    QPolygon curve;
    const size_t n = std::min(X.size(), Y.size());
    for (size_t i = 0; i < n; ++i) {
        const double x = (X[i] - r.TMin) / (r.TMax - r.TMin) * 300 + 50;
        const double y = 310 - (Y[i] - r.LMin) / (r.LMax - r.LMin) * 300;
        if (std::isnan(x) || std::isnan(y))
            continue;
        const QPoint point(ClampRound(x, kLeft, kRight), ClampRound(y, kTop, kBottom));
        // A line to the point the pen is at draws nothing.
        if (curve.isEmpty() || curve.back() != point)
            curve << point;
    }
    return curve;
}

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

QString CheckSvedRanges(const TSvedRanges &r)
{
    // Bounds that are not numbers come from a run without points or with
    // values that are not numbers; they are named, never written out.
    auto problem = [](const QString &axis, double lo, double hi) -> QString {
        if (!std::isfinite(lo) || !std::isfinite(hi))
            return QStringLiteral("Границы диапазона по оси %1 не являются числами (в данных нет точек или есть "
                                  "значения, не являющиеся числами)! Сведение не построено!")
                .arg(axis);
        if (hi == lo)
            return QStringLiteral("Диапазон по оси %1 пуст (%2 .. %3)! Сведение не построено!")
                .arg(axis, LocaleGeneral(lo), LocaleGeneral(hi));
        if (!std::isfinite(hi - lo))
            return QStringLiteral("Диапазон по оси %1 слишком велик (%2 .. %3)! Сведение не построено!")
                .arg(axis, LocaleGeneral(lo), LocaleGeneral(hi));
        return {};
    };
    if (QString t = problem(QStringLiteral("T"), r.TMin, r.TMax); !t.isEmpty())
        return t;
    return problem(QStringLiteral("L"), r.LMin, r.LMax);
}

int SvedGridX(int i) { return 50 + int(std::nearbyint(37.5 * i)); }

int SvedGridY(int i) { return 310 - 25 * i; }

QString SvedTLabel(double v)
{
    if (v == 0.0)
        return QStringLiteral("0");
    if (v > 1000 || v < 1)
        return LocaleExponent(v, 2, 1);
    return LocaleFixed(v, 3, 0);
}

QString SvedLLabel(double v)
{
    if (v == 0.0)
        return QStringLiteral("0");
    if (v > 100 || v < 0.01)
        return LocaleExponent(v, 3, 1);
    return LocaleFixed(v, 2, 3);
}

std::vector<TSvedItem> LayoutSvedPicture(const TSvedRanges &r, const std::vector<double> &X,
                                         const std::vector<double> &Y)
{
    std::vector<TSvedItem> items;
    for (int i = 0; i < 8; ++i) {
        const int x = SvedGridX(i);
        items.push_back(Line(x, kTop, x, 320));
        items.push_back(Text(x, 330, SvedTLabel(r.TMin + (r.TMax - r.TMin) * i / 8)));
    }
    items.push_back(Text(350, 330, QStringLiteral("T, deg. C")));
    for (int i = 0; i < 12; ++i) {
        const int y = SvedGridY(i);
        items.push_back(Line(40, y, kRight, y));
        items.push_back(Text(1, y - 10, SvedLLabel(r.LMin + (r.LMax - r.LMin) * i / 12)));
    }
    items.push_back(Text(1, 1, QStringLiteral("L, mkm")));

    TSvedItem curve;
    curve.kind = TSvedItem::Kind::Curve;
    curve.color = kRed;
    curve.curve = Curve(r, X, Y);
    items.push_back(curve);
    return items;
}

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
                painter.drawPolyline(item.curve);
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
    generator.setTitle(QStringLiteral("Сведение"));
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
