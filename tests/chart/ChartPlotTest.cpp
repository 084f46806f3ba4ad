// Pixel computations of the drawing steps, and the per-column reduction of a
// polyline, which must draw exactly the pixels of the full polyline.
#include "chart/ChartCanvas.h"
#include "chart/ChartPlot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <vector>

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

// The rounding without a library call is std::nearbyint wherever it is used
// (|v| < 1e9): at every whole number, quarter and half of the pixel range and
// the doubles next to them, near the ends of its range, and at random.
TEST(ChartPlot, NearestPixelIsNearbyint)
{
    std::vector<double> values;
    for (int k = -70000; k <= 70000; ++k) {
        for (double f : {0.0, 0.25, 0.5, 0.75}) {
            const double v = k + f;
            values.insert(values.end(), {v, std::nextafter(v, -1e300), std::nextafter(v, 1e300)});
        }
    }
    for (double v : {999999999.5, 999999998.5, 1e9, -999999999.5, -999999998.5, -1e9})
        values.insert(values.end(), {v, std::nextafter(v, -1e300), std::nextafter(v, 1e300)});
    std::mt19937_64 rng(3);
    std::uniform_real_distribution<double> anywhere(-1e9, 1e9);
    for (int i = 0; i < 200000; ++i)
        values.push_back(anywhere(rng));
    int wrong = 0;
    for (double v : values) {
        const std::optional<int> r = NearestPixel(v);
        if (!r || double(*r) != std::nearbyint(v))
            ADD_FAILURE() << "v " << v << (++wrong > 5 ? " (and more)" : "");
        if (wrong > 5)
            break;
    }
}

// Each pixel of the polyline is the division form rounded half to even, for
// data placed on and next to every half and quarter of the pixel range (where
// a faster form could round the other way), in plots of every kind.
TEST(ChartPlot, MultiLinePixelsAreTheDivisionFormRounded)
{
    struct Row { const char *name; TPlotArea area; };
    const Row rows[] = {
        {"main window", {528, 253, 1, 10000, 0.32, 0.77}},
        {"eighths", {200, 90, 0, 8, 0, 16}},
        {"thirds", {403, 373, -1, 2, 1.0 / 3, 2.0 / 3}},
        {"fixed range upside down", {450, 220, 0, 10, 1, 0}},
        {"tiny ranges", {300, 150, 1e-300, 3e-300, -1e-310, 1e-310}},
        {"huge ranges", {300, 150, -1e307, 1e307, -3e306, 3e306}},
        {"no plot height", {300, 70, 0, 1, 0, 1}},
        {"lower than its margins", {300, 60, 0, 1, 0, 1}},
    };
    for (const Row &r : rows) {
        const TPlotArea &a = r.area;
        std::vector<double> X, Y;
        for (int k = -2 * a.W; k <= 2 * a.W; ++k) {
            const double t = k / 4.0;  // pixels from the plot's origin
            const double x = a.XMin + t / a.PW() * (a.XMax - a.XMin);
            const double y = a.YMin + t / std::max(a.PH(), 1) * (a.YMax - a.YMin);
            for (int step : {-2, -1, 0, 1, 2}) {
                double dx = x, dy = y;
                for (int s = 0; s < std::abs(step); ++s)
                    dx = std::nextafter(dx, step * 1e300), dy = std::nextafter(dy, step * 1e300);
                X.push_back(dx);
                Y.push_back(dy);
            }
        }
        std::vector<TPixel> expected;
        for (size_t i = 0; i < X.size(); ++i) {
            double row = (a.H - 50) - (Y[i] - a.YMin) / (a.YMax - a.YMin) * (a.H - 70);
            row = row > a.H - 50 ? a.H - 50 : row;
            row = row < 20 ? 20 : row;
            const double column = 50 + (X[i] - a.XMin) / (a.XMax - a.XMin) * (a.W - 100);
            expected.push_back({int(std::nearbyint(column)), int(std::nearbyint(row))});
        }
        const int32_t n = int32_t(X.size());
        const TPolyline line = MultiLinePoints(a, n, X.data(), Y.data());
        EXPECT_FALSE(line.failed) << r.name;
        EXPECT_EQ(line.points, expected) << r.name;
        const TPolyline reduced = ReducedMultiLine(a, n, X.data(), Y.data());
        EXPECT_EQ(reduced.points, ReduceColumns(expected)) << r.name;
    }
}

// A point that the division form cannot place ends the polyline there, even
// where a multiplication by the reciprocal would give a number.
TEST(ChartPlot, PointsTheDivisionFormCannotPlaceEndTheLine)
{
    struct Row { const char *name; TPlotArea area; double x, y; };
    const Row rows[] = {
        {"quotient overflows in a plot without height", {300, 70, 0, 10, 0, 1e-310}, 5, 1e10},
        {"quotient overflows in a plot without width", {100, 220, 0, 1e-310, 0, 1}, 1e10, 0.5},
        {"column beyond int", {450, 220, 0, 1e-300, 0, 1}, 1, 0.5},
        {"not a number", {450, 220, 0, 10, 0, 1}, 5, std::nan("")},
    };
    for (const Row &r : rows) {
        const double X[] = {r.area.XMin, r.x, r.area.XMax}, Y[] = {r.area.YMin, r.y, r.area.YMax};
        const TPolyline line = MultiLinePoints(r.area, 3, X, Y);
        EXPECT_TRUE(line.failed) << r.name;
        EXPECT_EQ(line.points, (std::vector<TPixel>{{50, r.area.H - 50 < 20 ? 20 : r.area.H - 50}})) << r.name;
        EXPECT_TRUE(ReducedMultiLine(r.area, 3, X, Y).failed) << r.name;
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
    const TPolyline reduced = ReducedMultiLine(area, 4, X, bad);
    EXPECT_TRUE(reduced.failed);
    EXPECT_EQ(reduced.points, ReduceColumns(broken.points));
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
        EXPECT_EQ(ReducedMultiLine(area, n, X.data(), Y.data()).points, ReduceColumns(line.points)) << seed;
    }
}
