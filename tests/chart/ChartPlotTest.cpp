// Pixel computations of the drawing steps, and the per-column reduction of a
// polyline, which must draw exactly the pixels of the full polyline.
#include "chart/ChartCanvas.h"
#include "chart/ChartPlot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

using namespace chart;

TEST(ChartPlot, NearestRoundsHalfToEvenAndRefusesWhatIsNoPixel)
{
    struct Row { const char *name; double v; bool ok; int expected; };
    const double inf = std::numeric_limits<double>::infinity();
    const Row rows[] = {
        {"half down to even", 2.5, true, 2},   {"half up to even", 3.5, true, 4},
        {"negative half", -2.5, true, -2},     {"plain", 7.4999, true, 7},
        {"largest int", 2147483647.4, true, 2147483647},
        {"one past int", 2147483647.5, false, 0}, {"below int", -2147483649.0, false, 0},
        {"huge", 1e300, false, 0},             {"infinite", -inf, false, 0},
        {"nan", std::nan(""), false, 0},
    };
    for (const Row &r : rows) {
        int out = 0;
        EXPECT_EQ(Nearest(r.v, out), r.ok) << r.name;
        if (r.ok) {
            EXPECT_EQ(out, r.expected) << r.name;
        }
    }
}

TEST(ChartPlot, MultiLineLimitsRowsToThePlotButNotColumns)
{
    // 450 x 220: plot columns 50..400, rows 20..170; X range 0..10, Y range 0..1.
    const TPlotArea area{450, 220, 0, 10, 0, 1};
    const double X[] = {0, 5, 10, 20, -10};
    const double Y[] = {0.5, 3, -2, 0.25, 1};
    const TPolyline line = MultiLinePoints(area, 5, X, Y);
    ASSERT_FALSE(line.failed);
    const std::vector<TPixel> expected = {{50, 95}, {225, 20}, {400, 170}, {750, 132}, {-300, 20}};
    EXPECT_EQ(line.points, expected);

    const double bad[] = {0, 1, std::nan(""), 3};
    const TPolyline broken = MultiLinePoints(area, 4, X, bad);
    EXPECT_TRUE(broken.failed);
    EXPECT_EQ(broken.points.size(), 2u);
}

TEST(ChartPlot, SamplingStartsOneColumnRightOfTheLeftEdge)
{
    // PW = 200: x = XMin + 10 * j / 200 at column 50 + j; f(x) = x on a 0..10 scale.
    const TPlotArea area{300, 220, 0, 10, 0, 10};
    const TPolyline line = SampledPoints(area, [](double x) { return x; }, TScale{0, 10});
    ASSERT_EQ(line.points.size(), 200u);
    // Row 170 - x / 10 * 150 = 170 - 0.75 j: j = 1 gives 169.25 -> 169.
    EXPECT_EQ(line.points.front(), (TPixel{51, 169}));
    EXPECT_EQ(line.points[99], (TPixel{150, 95}));  // j = 100: 95 exactly
    EXPECT_EQ(line.points.back(), (TPixel{250, 20}));

    const TPolyline clamped = SampledPoints(area, [](double x) { return 3 * x - 10; }, TScale{0, 10});
    for (const TPixel &p : clamped.points)
        EXPECT_TRUE(p.y >= 20 && p.y <= 170);

    const TPolyline broken =
        SampledPoints(area, [](double x) { return x > 5 ? std::numeric_limits<double>::infinity() : x; }, TScale{0, 10});
    EXPECT_TRUE(broken.failed);
    EXPECT_EQ(broken.points.size(), 100u);
}

namespace {

QImage Draw(const std::vector<TPixel> &points, int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(qRgb(255, 255, 255));
    TChartCanvas canvas;
    canvas.Attach(&image);
    canvas.pen.color = qRgb(255, 0, 0);
    if (points.empty())
        return image;
    canvas.MoveTo(points[0].x, points[0].y);
    for (size_t i = 1; i < points.size(); ++i)
        canvas.LineTo(points[i].x, points[i].y);
    return image;
}

void ExpectSamePicture(const std::vector<TPixel> &points, int w, int h, const std::string &what)
{
    const std::vector<TPixel> reduced = ReduceColumns(points);
    EXPECT_LE(reduced.size(), points.size()) << what;
    EXPECT_EQ(Draw(points, w, h), Draw(reduced, w, h)) << what;
}

} // namespace

// The last column's final row is the delicate case: it is drawn only when the
// run stood on it before and left it.
TEST(ChartPlot, ReductionKeepsTheLastColumnExact)
{
    const std::vector<std::vector<TPixel>> cases = {
        {{3, 5}, {3, 10}},                          // ends on its maximum: row 10 not drawn
        {{3, 10}, {3, 5}, {3, 10}},                 // returns to its maximum: drawn
        {{3, 5}, {3, 10}, {3, 10}},                 // stays there: not drawn
        {{3, 7}, {3, 2}, {3, 9}, {3, 4}},           // ends between the extremes
        {{1, 1}, {3, 8}, {3, 8}, {3, 8}},           // a flat last run
        {{1, 1}, {3, 8}, {3, 2}, {3, 8}, {3, 8}},   // revisits its maximum, then stays
        {{3, 6}},                                   // a single point draws nothing
    };
    for (size_t i = 0; i < cases.size(); ++i)
        ExpectSamePicture(cases[i], 12, 14, "case " + std::to_string(i));
}

// Random polylines, sparse (a point every few columns) and dense (many points
// per column, often revisiting columns), partly off the picture, and through
// MultiLinePoints with a Y range narrower than the data so rows are limited.
TEST(ChartPlot, ReducedPolylineDrawsTheSamePixelsAsEveryPoint)
{
    for (unsigned seed = 1; seed <= 400; ++seed) {
        std::mt19937 rng(seed);
        const bool dense = seed % 2 == 0;
        const int n = dense ? 400 + int(rng() % 2000) : 2 + int(rng() % 60);
        const double span = dense ? 40 : 120;
        std::uniform_real_distribution<double> noise(-1, 1);
        std::vector<double> X(static_cast<size_t>(n)), Y(static_cast<size_t>(n));
        double walk = 0;
        for (int i = 0; i < n; ++i) {
            X[size_t(i)] = (seed % 3 == 0) ? span * (noise(rng) + 1) : span * i / n + 0.3 * noise(rng);
            walk += noise(rng) * (dense ? 0.3 : 3);
            Y[size_t(i)] = walk;
        }
        // The range covers a part of the data: rows are limited, columns run off.
        const double yLo = seed % 4 < 2 ? -2.0 : -50.0, yHi = seed % 4 < 2 ? 2.0 : 50.0;
        const TPlotArea area{130, 90, span * 0.1, span * 1.6, yLo, yHi};
        const TPolyline line = MultiLinePoints(area, n, X.data(), Y.data());
        ASSERT_FALSE(line.failed);
        ExpectSamePicture(line.points, area.W, area.H, "seed " + std::to_string(seed));
    }
}
