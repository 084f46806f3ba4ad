// The canvas's drawing rules, checked pixel by pixel against what the rules say
// independently of how the canvas walks its lines.
#include "chart/ChartCanvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>

using namespace chart;

namespace {

constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kRed = qRgb(255, 0, 0);

QImage Blank(int w = 40, int h = 30)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(kWhite);
    return image;
}

std::set<std::pair<int, int>> PixelsOf(const QImage &image, QRgb color)
{
    std::set<std::pair<int, int>> pixels;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == (color | 0xFF000000u))
                pixels.insert({x, y});
    return pixels;
}

std::set<std::pair<int, int>> Stroke(int x0, int y0, int x1, int y1, int w = 40, int h = 30)
{
    QImage image = Blank(w, h);
    TChartCanvas canvas;
    canvas.Attach(&image);
    canvas.pen.color = kRed;
    canvas.MoveTo(x0, y0);
    canvas.LineTo(x1, y1);
    return PixelsOf(image, kRed);
}

} // namespace

TEST(ChartCanvas, LineToDrawsFromStartUpToButNotIncludingEnd)
{
    struct Row { const char *name; int x0, y0, x1, y1; };
    const Row rows[] = {
        {"right", 2, 3, 9, 3}, {"left", 9, 3, 2, 3},     {"down", 4, 1, 4, 12},
        {"up", 4, 12, 4, 1},   {"diagonal", 1, 1, 8, 8}, {"steep", 3, 2, 5, 20},
        {"shallow", 2, 20, 30, 14},
    };
    for (const Row &r : rows) {
        const auto pixels = Stroke(r.x0, r.y0, r.x1, r.y1);
        const size_t steps = size_t(std::max(std::abs(r.x1 - r.x0), std::abs(r.y1 - r.y0)));
        EXPECT_EQ(pixels.size(), steps) << r.name;
        EXPECT_TRUE(pixels.count({r.x0, r.y0})) << r.name;
        EXPECT_FALSE(pixels.count({r.x1, r.y1})) << r.name;
    }
    EXPECT_TRUE(Stroke(5, 5, 5, 5).empty());
}

// Every pixel of a line lies within half a pixel of the ideal line across its
// minor axis, one pixel per step of its major axis.
TEST(ChartCanvas, LinePixelsFollowTheIdealLine)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coord(0, 59);
    for (int trial = 0; trial < 300; ++trial) {
        const int x0 = coord(rng), y0 = coord(rng), x1 = coord(rng), y1 = coord(rng);
        const auto pixels = Stroke(x0, y0, x1, y1, 60, 60);
        const int dx = x1 - x0, dy = y1 - y0;
        const bool xMajor = std::abs(dx) >= std::abs(dy);
        std::set<int> majors;
        for (const auto &[x, y] : pixels) {
            if (xMajor) {
                const double ideal = y0 + double(dy) * (x - x0) / dx;
                EXPECT_LE(std::abs(y - ideal), 0.5) << x0 << ',' << y0 << " -> " << x1 << ',' << y1;
                majors.insert(x);
            } else {
                const double ideal = x0 + double(dx) * (y - y0) / dy;
                EXPECT_LE(std::abs(x - ideal), 0.5) << x0 << ',' << y0 << " -> " << x1 << ',' << y1;
                majors.insert(y);
            }
        }
        EXPECT_EQ(majors.size(), pixels.size());
    }
}

TEST(ChartCanvas, LinesFarOutsideThePictureAreClippedExactly)
{
    const int big = 1 << 30;
    // A horizontal line across the whole 32-bit range fills its row.
    auto row = Stroke(-big, 5, big, 5);
    EXPECT_EQ(row.size(), 40u);
    // The diagonal y = x from far outside: exactly the pixels (i, i).
    auto diagonal = Stroke(-big, -big, big, big);
    std::set<std::pair<int, int>> expected;
    for (int i = 0; i < 30; ++i)
        expected.insert({i, i});
    EXPECT_EQ(diagonal, expected);
    // A shallow line between the extremes of int: row 0 stays row 0 until far
    // beyond the picture (its minor offset reaches 1/2 only at 2^30).
    EXPECT_EQ(Stroke(0, 0, INT32_MAX, 1).size(), 40u);
    EXPECT_TRUE(Stroke(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MIN).empty());
}

TEST(ChartCanvas, RectangleExcludesRightAndBottomEdges)
{
    QImage image = Blank();
    TChartCanvas canvas;
    canvas.Attach(&image);
    canvas.pen.color = kRed;
    canvas.brush = qRgb(0, 255, 0);
    canvas.Rectangle(10, 12, 4, 5);  // corners in any order
    // Outline on columns 4 and 9, rows 5 and 11; inside filled with the brush.
    for (int y = 5; y <= 11; ++y)
        for (int x = 4; x <= 9; ++x) {
            const bool border = x == 4 || x == 9 || y == 5 || y == 11;
            EXPECT_EQ(image.pixel(x, y), border ? 0xFFFF0000u : 0xFF00FF00u) << x << ',' << y;
        }
    EXPECT_EQ(image.pixel(10, 8), 0xFFFFFFFFu);
    EXPECT_EQ(image.pixel(6, 12), 0xFFFFFFFFu);

    // The outline alone: the same border, the inside left as it was.
    QImage outlined = Blank();
    canvas.Attach(&outlined);
    canvas.pen.color = kRed;
    canvas.Outline(10, 12, 4, 5);
    for (int y = 0; y < outlined.height(); ++y)
        for (int x = 0; x < outlined.width(); ++x) {
            const bool inside = x >= 4 && x <= 9 && y >= 5 && y <= 11;
            const bool border = inside && (x == 4 || x == 9 || y == 5 || y == 11);
            EXPECT_EQ(outlined.pixel(x, y), border ? 0xFFFF0000u : 0xFFFFFFFFu) << x << ',' << y;
        }

    QImage empty = Blank();
    canvas.Attach(&empty);
    canvas.pen.color = kRed;
    canvas.Rectangle(3, 3, 3, 20);
    canvas.Rectangle(3, 3, 20, 3);
    EXPECT_TRUE(PixelsOf(empty, kRed).empty());
}

TEST(ChartCanvas, NotXorTwiceRestoresAndDottedSkipsEveryOtherPixel)
{
    QImage image = Blank();
    image.setPixel(7, 4, kRed);
    const QImage before = image.copy();
    TChartCanvas canvas;
    canvas.Attach(&image);
    canvas.pen = TPen{qRgb(0, 0, 0), TPenStyle::Dotted, TPenMode::NotXor};
    canvas.MoveTo(7, 0);
    canvas.LineTo(7, 30);
    // Black not-xor inverts: white turns black, red turns cyan, on even rows only.
    EXPECT_EQ(image.pixel(7, 0), 0xFF000000u);
    EXPECT_EQ(image.pixel(7, 1), 0xFFFFFFFFu);
    EXPECT_EQ(image.pixel(7, 4), 0xFF00FFFFu);
    canvas.MoveTo(7, 0);
    canvas.LineTo(7, 30);
    EXPECT_EQ(image, before);
}

TEST(ChartCanvas, TextBlockSitsOnItsTopLeftCornerOnTheBrushColour)
{
    const QString text = QStringLiteral("Удлинение 1,5");
    QImage image = Blank(200, 40);
    image.fill(qRgb(10, 20, 30));
    TTextCache cache;
    TChartCanvas canvas;
    canvas.Attach(&image, &cache);
    canvas.fontColor = qRgb(0, 0, 255);
    canvas.TextOut(5, 7, text);
    const QImage block = RenderTextBlock(LabelFont(), qRgb(0, 0, 255), qRgb(255, 255, 255), text);
    ASSERT_FALSE(block.isNull());
    EXPECT_EQ(image.copy(5, 7, block.width(), block.height()), block);
    // Just outside the block the picture is untouched.
    EXPECT_EQ(image.pixel(4, 7), qRgb(10, 20, 30));
    EXPECT_EQ(image.pixel(5, 7 + block.height()), qRgb(10, 20, 30));
    // The block has glyph pixels in the font colour.
    EXPECT_FALSE(PixelsOf(block, qRgb(0, 0, 255)).empty());

    // A second drawing comes from the cache and is the same; off the edges it clips.
    canvas.TextOut(-3, 30, text);
    canvas.TextOut(5, 7, text);
    EXPECT_EQ(cache.Size(), 1);
    EXPECT_EQ(image.copy(5, 7, block.width(), block.height()), block);
    EXPECT_EQ(image.copy(0, 30, 10, 10), block.copy(3, 0, 10, 10));

    // The same text in another font is not the cached block.
    QFont larger = LabelFont();
    larger.setPixelSize(18);
    canvas.font = larger;
    canvas.TextOut(5, 7, text);
    const QImage largeBlock = RenderTextBlock(larger, qRgb(0, 0, 255), qRgb(255, 255, 255), text);
    EXPECT_EQ(image.copy(5, 7, largeBlock.width(), largeBlock.height()), largeBlock);
}

TEST(ChartCanvas, TextWhollyOutsideThePictureDrawsNothing)
{
    // Labels of a chart narrower than its margins fall beside the picture.
    QImage image = Blank();
    const QImage before = image.copy();
    TChartCanvas canvas;
    canvas.Attach(&image);
    canvas.fontColor = kRed;
    canvas.brush = qRgb(0, 255, 0);
    for (const QPoint at : {QPoint(-300, 5), QPoint(40, 5), QPoint(500, 5), QPoint(5, -100), QPoint(5, 30)})
        canvas.TextOut(at.x(), at.y(), QStringLiteral("0:0"));
    EXPECT_EQ(image, before);
}
