#include "analysis/SvedPicture.h"

#include "app/core/LocaleFormat.h"
#include "chart/ChartCanvas.h"
#include "chart/PlotArea.h"

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

// The plot: columns 50 .. 350, rows 10 .. 310.
constexpr chart::TPlotMargins kSvedMargins{50, 10, 50, 50};

chart::TPlotArea SvedArea(const TSvedRanges &r)
{
    return {kSvedWidth, kSvedHeight, r.TMin, r.TMax, r.LMin, r.LMax, kSvedMargins};
}

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

QPolygon Curve(const chart::TPlotArea &area, const std::vector<double> &X, const std::vector<double> &Y)
{
    QPolygon curve;
    const size_t n = std::min(X.size(), Y.size());
    for (size_t i = 0; i < n; ++i) {
        const double x = area.Px(X[i]);
        const double y = area.Py(Y[i]);
        if (std::isnan(x) || std::isnan(y))
            continue;
        const QPoint point(ClampRound(x, area.Left(), area.Right()), ClampRound(y, area.Top(), area.Bottom()));
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
    auto bad = [](double lo, double hi) {
        return !std::isfinite(lo) || !std::isfinite(hi) || !std::isfinite(hi - lo) || hi == lo;
    };
    auto message = [](const QString &axis, double lo, double hi) {
        return QStringLiteral("Диапазон по оси %1 пуст или не является числом (%2 .. %3)! Сведение не построено!")
            .arg(axis, LocaleGeneral(lo), LocaleGeneral(hi));
    };
    if (bad(r.TMin, r.TMax))
        return message(QStringLiteral("T"), r.TMin, r.TMax);
    if (bad(r.LMin, r.LMax))
        return message(QStringLiteral("L"), r.LMin, r.LMax);
    return {};
}

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
    const chart::TPlotArea area = SvedArea(r);
    const int labelRow = area.Bottom() + 20;
    std::vector<TSvedItem> items;
    // Eight T lines at the eighths of the plot's width, to the nearest pixel
    // (ties to even): 50, 88, 125, 162, 200, 238, 275, 312. Each reaches 10
    // pixels below the plot; the ninth eighth, at the right edge, gets none.
    for (int i = 0; i < 8; ++i) {
        const int x = area.Left() + int(std::nearbyint(area.PW() * i / 8.0));
        items.push_back(Line(x, area.Top(), x, area.Bottom() + 10));
        items.push_back(Text(x, labelRow, SvedTLabel(r.TMin + (r.TMax - r.TMin) * i / 8)));
    }
    items.push_back(Text(area.Right(), labelRow, QStringLiteral("T, deg. C")));
    // Twelve L lines at the twelfths of its height from the bottom (310, 285,
    // ..., 35), each starting 10 pixels left of the plot; the top one gets none.
    for (int i = 0; i < 12; ++i) {
        const int y = area.Bottom() - area.PH() * i / 12;
        items.push_back(Line(area.Left() - 10, y, area.Right(), y));
        items.push_back(Text(1, y - 10, SvedLLabel(r.LMin + (r.LMax - r.LMin) * i / 12)));
    }
    items.push_back(Text(1, 1, QStringLiteral("L, mkm")));

    TSvedItem curve;
    curve.kind = TSvedItem::Kind::Curve;
    curve.color = kRed;
    curve.curve = Curve(area, X, Y);
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
