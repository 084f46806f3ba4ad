#include "chart/ChartCanvas.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace chart {

namespace {

constexpr QRgb kOpaque = 0xFF000000u;

struct TCopyOp {
    QRgb color;
    void operator()(QRgb &p) const { p = color | kOpaque; }
    void Fill(QRgb *begin, QRgb *end) const
    {
        // Eight pixels a step, a fixed count the compiler turns into block stores.
        const QRgb value = color | kOpaque;
        for (; end - begin >= 8; begin += 8)
            for (int k = 0; k < 8; ++k)
                begin[k] = value;
        std::fill(begin, end, value);
    }
};

struct TNotXorOp {
    QRgb color;
    void operator()(QRgb &p) const { p = ~(color ^ p) | kOpaque; }
    void Fill(QRgb *begin, QRgb *end) const
    {
        for (QRgb *p = begin; p < end; ++p)
            (*this)(*p);
    }
};

// The pixels of a line along its major axis m (d steps) with minor offset a
// (0 <= a <= d): pixel i, 0 <= i < d, lies at m0 + sm*i, n0 + sn*q(i) with
// q(i) = floor((2*i*a + d) / (2*d)), i.e. the minor offset rounded half up.
// Only the steps whose major coordinate lies inside [0, majorLimit) are walked.
template <typename Op, bool Dotted>
void WalkLine(const TRaster &raster, int64_t m0, int64_t n0, int sm, int sn, int64_t d, int64_t a,
              bool swapped, Op op)
{
    const int64_t majorLimit = swapped ? raster.height : raster.width;
    const int64_t minorLimit = swapped ? raster.width : raster.height;
    int64_t lo, hi;
    if (sm > 0) {
        lo = std::max<int64_t>(0, -m0);
        hi = std::min<int64_t>(d, majorLimit - m0);
    } else {
        lo = std::max<int64_t>(0, m0 - (majorLimit - 1));
        hi = std::min<int64_t>(d, m0 + 1);
    }
    if (lo >= hi)
        return;
    // Remainder form of q(i): q(lo) and r = (2*lo*a + d) mod 2d. Coordinates are
    // 32-bit, so d, a < 2^33 and 2*lo*a may need more than 64 bits.
    int64_t q = 0, r = d;
    if (lo > 0) {
        const __int128 num = __int128(2) * lo * a + d;
        q = int64_t(num / (2 * d));
        r = int64_t(num % (2 * d));
    }
    for (int64_t i = lo; i < hi; ++i) {
        const int64_t n = n0 + sn * q;
        if (n >= 0 && n < minorLimit && (!Dotted || (i & 1) == 0)) {
            const int64_t m = m0 + sm * i;
            const int64_t x = swapped ? n : m;
            const int64_t y = swapped ? m : n;
            op(raster.bits[y * raster.stride + x]);
        }
        r += 2 * a;
        if (r >= 2 * d) {
            r -= 2 * d;
            ++q;
        }
    }
}

template <typename Op>
void FillSpan(const TRaster &raster, int64_t x0, int64_t x1, int64_t y0, int64_t y1, Op op)
{
    // Half-open [x0, x1) x [y0, y1), clipped to the picture.
    x0 = std::max<int64_t>(x0, 0);
    y0 = std::max<int64_t>(y0, 0);
    x1 = std::min<int64_t>(x1, raster.width);
    y1 = std::min<int64_t>(y1, raster.height);
    if (x0 >= x1)
        return;
    for (int64_t y = y0; y < y1; ++y) {
        QRgb *row = raster.bits + y * raster.stride;
        op.Fill(row + x0, row + x1);
    }
}

} // namespace

QFont LabelFont()
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(11);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QImage RenderTextBlock(const QFont &font, QRgb color, QRgb background, const QString &text)
{
    const QImage probe(1, 1, QImage::Format_RGB32);
    const QFontMetrics metrics(font, &probe);
    const int width = metrics.horizontalAdvance(text);
    const int height = metrics.height();
    if (text.isEmpty() || width <= 0 || height <= 0)
        return {};
    QImage block(width, height, QImage::Format_RGB32);
    block.fill(background | kOpaque);
    {
        QPainter painter(&block);
        painter.setFont(font);
        painter.setPen(QColor::fromRgb(color));
        painter.drawText(0, metrics.ascent(), text);
    }
    // An image that has been painted on keeps its paint engine (a few KB) for
    // life; the cache keeps a copy without it.
    return block.copy();
}

const QImage &TTextCache::Block(const QFont &font, QRgb color, QRgb background, const QString &text)
{
    // A redraw uses a dozen texts in one font; a chart whose data keep
    // changing would add new ones for ever, so the cache starts afresh now
    // and then, and whenever the font changes.
    if (blocks_.size() > 512 || !(font == font_)) {
        blocks_.clear();
        font_ = font;
    }
    const TTextKey key{text, color, background};
    auto it = blocks_.find(key);
    if (it == blocks_.end())
        it = blocks_.insert(key, RenderTextBlock(font, color, background, text));
    return it.value();
}

void TChartCanvas::Attach(QImage *image, TTextCache *cache)
{
    image_ = (image && !image->isNull()) ? image : nullptr;
    cache_ = cache;
    pen = TPen{};
    brush = qRgb(255, 255, 255);
    font = LabelFont();
    fontColor = qRgb(0, 0, 0);
    penX_ = penY_ = 0;
}

void TChartCanvas::MoveTo(int x, int y)
{
    penX_ = x;
    penY_ = y;
}

TRaster TChartCanvas::Raster()
{
    // bits() detaches a picture shared with a copy an owner holds.
    return {reinterpret_cast<QRgb *>(image_->bits()), image_->bytesPerLine() / qsizetype(sizeof(QRgb)),
            image_->width(), image_->height()};
}

void TChartCanvas::LineTo(int x, int y)
{
    if (!image_) {
        penX_ = x;
        penY_ = y;
        return;
    }
    const TRaster raster = Raster();
    Segment(raster, x, y);
}

void TChartCanvas::Polyline(std::span<const TPixel> points)
{
    if (points.empty())
        return;
    MoveTo(points[0].x, points[0].y);
    if (!image_) {
        MoveTo(points.back().x, points.back().y);
        return;
    }
    const TRaster raster = Raster();
    for (const TPixel &p : points.subspan(1))
        Segment(raster, p.x, p.y);
}

void TChartCanvas::Segment(const TRaster &raster, int x, int y)
{
    const int64_t x0 = penX_, y0 = penY_;
    penX_ = x;
    penY_ = y;
    const int64_t dx = x - x0, dy = y - y0;
    const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    if (adx == 0 && ady == 0)
        return;
    if (adx >= ady)
        PlotSpan(raster, x0, y0, dx > 0 ? 1 : -1, dy >= 0 ? 1 : -1, adx, ady, false);
    else
        PlotSpan(raster, y0, x0, dy > 0 ? 1 : -1, dx >= 0 ? 1 : -1, ady, adx, true);
}

void TChartCanvas::PlotSpan(const TRaster &raster, int64_t m0, int64_t n0, int sm, int sn, int64_t d,
                            int64_t a, bool swapped)
{
    const bool dotted = pen.style == TPenStyle::Dotted;
    if (pen.mode == TPenMode::Copy) {
        const TCopyOp op{pen.color};
        if (dotted)
            WalkLine<TCopyOp, true>(raster, m0, n0, sm, sn, d, a, swapped, op);
        else
            WalkLine<TCopyOp, false>(raster, m0, n0, sm, sn, d, a, swapped, op);
    } else {
        const TNotXorOp op{pen.color};
        if (dotted)
            WalkLine<TNotXorOp, true>(raster, m0, n0, sm, sn, d, a, swapped, op);
        else
            WalkLine<TNotXorOp, false>(raster, m0, n0, sm, sn, d, a, swapped, op);
    }
}

void TChartCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    const TBox box = Box(x1, y1, x2, y2);
    if (!image_ || box.Empty())
        return;
    const TRaster raster = Raster();
    FillSpan(raster, box.l + 1, box.r - 1, box.t + 1, box.b - 1, TCopyOp{brush});
    StrokeOutline(raster, box);
}

void TChartCanvas::Outline(int x1, int y1, int x2, int y2)
{
    const TBox box = Box(x1, y1, x2, y2);
    if (!image_ || box.Empty())
        return;
    StrokeOutline(Raster(), box);
}

TChartCanvas::TBox TChartCanvas::Box(int x1, int y1, int x2, int y2)
{
    return {std::min(x1, x2), std::max(x1, x2), std::min(y1, y2), std::max(y1, y2)};
}

void TChartCanvas::StrokeOutline(const TRaster &raster, const TBox &box)
{
    const int64_t l = box.l, r = box.r, t = box.t, b = box.b;
    // Every border pixel exactly once, so not-xor outlines work too.
    auto outline = [&](auto op) {
        FillSpan(raster, l, r, t, t + 1, op);
        if (b - 1 > t)
            FillSpan(raster, l, r, b - 1, b, op);
        FillSpan(raster, l, l + 1, t + 1, b - 1, op);
        if (r - 1 > l)
            FillSpan(raster, r - 1, r, t + 1, b - 1, op);
    };
    if (pen.mode == TPenMode::Copy)
        outline(TCopyOp{pen.color});
    else
        outline(TNotXorOp{pen.color});
}

void TChartCanvas::TextOut(int x, int y, const QString &text)
{
    if (!image_ || text.isEmpty())
        return;
    if (cache_)
        Blit(x, y, cache_->Block(font, fontColor, brush, text));
    else
        Blit(x, y, RenderTextBlock(font, fontColor, brush, text));
}

void TChartCanvas::Blit(int x, int y, const QImage &block)
{
    if (block.isNull())
        return;
    const TRaster raster = Raster();
    const int64_t x0 = std::max<int64_t>(x, 0), y0 = std::max<int64_t>(y, 0);
    const int64_t x1 = std::min<int64_t>(int64_t(x) + block.width(), raster.width);
    const int64_t y1 = std::min<int64_t>(int64_t(y) + block.height(), raster.height);
    if (x0 >= x1)  // the block lies wholly left or right of the picture
        return;
    for (int64_t py = y0; py < y1; ++py) {
        const QRgb *src = reinterpret_cast<const QRgb *>(block.constScanLine(int(py - y)));
        std::copy(src + (x0 - x), src + (x1 - x), raster.bits + py * raster.stride + x0);
    }
}

} // namespace chart
