// The chart widget drawn offscreen: pixels of its picture, its labels, its menu
// and its commands, answered by the recording prompt.
#include "chart/ChartCanvas.h"
#include "chart/ChartLabels.h"
#include "chart/ChartPlot.h"
#include "chart/MstWin.h"
#include "chart/SimplCht.h"
#include "chart/XYWin.h"
#include "tests/support/RecordingPrompt.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr QRgb kBlue = 0xFF0000FFu;
constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr QRgb kRed = 0xFFFF0000u;
constexpr QRgb kGreen = 0xFF008000u;
constexpr QRgb kPurple = 0xFF800080u;
const QString kCannotDraw = QStringLiteral("Невозможно отобразить данные");

class SimpleChart : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale::c());
        // The owner shows the chart's messages; here the recording prompt does.
        chart.OnMessage = [this](const QString &message) { prompt.Message(message); };
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    void Data(const std::vector<double> &x, const std::vector<double> &y)
    {
        chart.SetData(int32_t(x.size()), x.data(), y.data());
    }
    QRgb At(int x, int y) const { return chart.Picture().pixel(x, y); }
    // Rows (or columns) where the colour occurs anywhere in the picture.
    int CountOutsideRows(QRgb color, int top, int bottom) const
    {
        int count = 0;
        const QImage &p = chart.Picture();
        for (int y = 0; y < p.height(); ++y)
            for (int x = 0; x < p.width(); ++x)
                count += p.pixel(x, y) == color && (y < top || y > bottom);
        return count;
    }
    int Count(QRgb color) const { return CountOutsideRows(color, 0, -1); }
    // The label block of a text at (x, y) in the picture.
    bool LabelAt(int x, int y, const QString &text) const
    {
        const QImage block = chart::RenderTextBlock(chart::LabelFont(), kBlue, kWhite, text);
        return !block.isNull() && chart.Picture().copy(x, y, block.width(), block.height()) == block;
    }
    // Unchecks "Auto Mst." and answers the scale window with OK and a range.
    void FixedRange(const QString &lo, const QString &hi)
    {
        prompt.dialogs.push_back([lo, hi](QDialog &d) {
            auto &mst = static_cast<TMstWindow &>(d);
            mst.EditMin->setText(lo);
            mst.EditMax->setText(hi);
            return int(QDialog::Accepted);
        });
        chart.Menu().MstItem->trigger();
    }

    TRecordingPrompt prompt;
    TSimpleChart chart;
};

// A rising curve whose data reach well past a fixed range 0.25..0.75.
const std::vector<double> kWaveX = {0, 1, 2, 3, 4, 5, 6, 7, 8};
const std::vector<double> kWaveY = {0, 0.9, 0.2, 1, 0.1, 0.5, 0.95, 0, 0.6};

} // namespace

TEST_F(SimpleChart, FrameCornersTicksAndGridForSeveralSizes)
{
    Data({}, {});  // the frame alone
    for (const QSize size : {QSize(450, 220), QSize(528, 253), QSize(333, 171)}) {
        chart.resize(size);
        for (const bool grid : {false, true}) {
            chart.Menu().GridLinesItem->setChecked(grid);
            chart.Repaint();
            const int W = size.width(), H = size.height(), PW = W - 100, PH = H - 70;
            ASSERT_EQ(chart.Picture().size(), size);
            for (const QPoint corner : {QPoint(50, 20), QPoint(W - 50, 20), QPoint(50, H - 50), QPoint(W - 50, H - 50)})
                EXPECT_EQ(At(corner.x(), corner.y()), kBlue) << W << " corner " << corner.x() << ',' << corner.y();
            EXPECT_EQ(At(W - 49, H - 50), kWhite);  // right and bottom edges excluded
            EXPECT_EQ(At(51, 21), kWhite);
            for (int i = 0; i <= 4; ++i) {
                const int xi = 50 + (i * PW) / 4, yi = 20 + (i * PH) / 4;
                EXPECT_EQ(At(xi, H - 49), kBlue) << W << " tick x " << i;
                EXPECT_EQ(At(xi + 1, H - 49), kWhite) << W << " beside tick x " << i;
                EXPECT_EQ(At(49, yi), kBlue) << W << " tick y " << i;
                // Inside the plot a line appears only with the grid.
                if (i > 0 && i < 4) {
                    EXPECT_EQ(At(xi, 20 + PH / 2 + 1), grid ? kBlue : kWhite) << W << " grid x " << i;
                    EXPECT_EQ(At(50 + PW / 8, yi), grid ? kBlue : kWhite) << W << " grid y " << i;
                }
            }
            EXPECT_EQ(At(51, H - 49), kWhite);
        }
    }
}

// A main window shrunk by the operator leaves its charts narrower than their
// margins: the labels and titles then fall beside the picture.
TEST_F(SimpleChart, ChartsNarrowerThanTheirMarginsStillDraw)
{
    chart.SetSCXTitle(QStringLiteral("t"));
    chart.SetSCXDrawingMode(TSCXDrawing::ByTime);
    chart.SetSCDrawingMode(TSCDrawing::ByMultiLine);
    Data({0, 120, 240}, {5, 50, 95});
    for (const QSize size : {QSize(20, 10), QSize(45, 30), QSize(99, 69)}) {
        chart.resize(size);
        EXPECT_TRUE(chart.Repaint()) << size.width();
        EXPECT_EQ(chart.Picture().size(), size);
    }
}

TEST_F(SimpleChart, MultiLineStaysInsideAFixedRangeWhileBarsAndMarksLeaveIt)
{
    Data(kWaveX, kWaveY);
    chart.SetSCDrawingMode(TSCDrawing::ByMultiLine);
    FixedRange(QStringLiteral("0.25"), QStringLiteral("0.75"));
    const int H = chart.height();
    EXPECT_EQ(chart.YMin(), 0.25);
    EXPECT_EQ(chart.YMax(), 0.75);
    EXPECT_GT(Count(kRed), 0);
    EXPECT_EQ(CountOutsideRows(kRed, 20, H - 50), 0);
    EXPECT_GT(CountOutsideRows(kRed, 21, H - 51), 0);  // clamped onto the edges

    chart.SetSCDrawPoints(true);
    chart.SetSCDrawingMode(TSCDrawing::ByHistogram);
    chart.Repaint();
    EXPECT_GT(CountOutsideRows(kGreen, 20, H - 50), 0);
    EXPECT_GT(CountOutsideRows(kPurple, 20, H - 50), 0);
    EXPECT_TRUE(prompt.messages.isEmpty());
}

// A live run of 10000 noisy samples on the main window's chart: the red pixels
// of the picture are exactly those of the polyline through every point, drawn
// on its own (the chart strokes a per-column reduction of it).
TEST_F(SimpleChart, MultiLinePictureIsThePolylineThroughEveryPoint)
{
    chart.resize(528, 253);
    chart.SetSCDrawingMode(TSCDrawing::ByMultiLine);
    for (unsigned seed = 1; seed <= 5; ++seed) {
        std::mt19937 rng(seed);
        std::normal_distribution<double> noise(0, seed < 3 ? 0.002 : 0.05);
        const int n = seed == 5 ? 700 : 10000;
        std::vector<double> x(static_cast<size_t>(n)), y(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i)
            x[size_t(i)] = i + 1, y[size_t(i)] = std::log(i + 51.0) / 12 + noise(rng);
        Data(x, y);
        chart.Menu().MstItem->setChecked(seed % 2 == 1);  // even seeds: a narrow fixed range
        chart.MstWindow().EditMin->setText(QStringLiteral("0.5"));
        chart.MstWindow().EditMax->setText(QStringLiteral("0.7"));
        chart.Repaint();

        const chart::TPolyline line = chart::MultiLinePoints(chart.Area(), n, x.data(), y.data());
        QImage full(chart.Picture().size(), QImage::Format_RGB32);
        full.fill(Qt::white);
        chart::TChartCanvas canvas;
        canvas.Attach(&full);
        canvas.pen.color = qRgb(255, 0, 0);
        canvas.MoveTo(line.points[0].x, line.points[0].y);
        for (size_t i = 1; i < line.points.size(); ++i)
            canvas.LineTo(line.points[i].x, line.points[i].y);
        int differing = 0;
        for (int py = 0; py < full.height(); ++py)
            for (int px = 0; px < full.width(); ++px)
                differing += (full.pixel(px, py) == kRed) != (At(px, py) == kRed);
        EXPECT_EQ(differing, 0) << "seed " << seed;
        EXPECT_GT(Count(kRed), 300) << "seed " << seed;
    }
}

TEST_F(SimpleChart, HistogramOfTwoPointsIsOneBarAndOfOneNothing)
{
    chart.SetSCDrawingMode(TSCDrawing::ByHistogram);
    Data({1, 2}, {2, 1});
    chart.Repaint();
    const int W = chart.width(), H = chart.height();
    // Bar from column 50 to W - 50 (excluded), from the bottom to the top edge.
    EXPECT_EQ(At(50, 100), kGreen);
    EXPECT_EQ(At(W - 51, 100), kGreen);
    EXPECT_EQ(At(200, 20), kGreen);
    EXPECT_EQ(At(200, H - 51), kGreen);
    EXPECT_EQ(At(200, 100), kWhite);
    EXPECT_EQ(At(W - 50, 100), kBlue);
    Data({1}, {2});
    chart.Repaint();
    EXPECT_EQ(Count(kGreen), 0);
}

// Points on y = 2x + 1, which every function mode reproduces: the first sample
// lies in column 51 at x = XMin + (XMax - XMin) / PW, the column left of it is empty.
TEST_F(SimpleChart, FunctionModesStartAtColumn51)
{
    const std::vector<double> x = {0, 1, 2, 3, 4, 5, 6};
    std::vector<double> y;
    for (double v : x)
        y.push_back(2 * v + 1);
    Data(x, y);
    const int H = chart.height(), PW = chart.width() - 100, PH = H - 70;
    const double x1 = 6.0 / PW, row = (H - 50) - (2 * x1 + 1 - 1) / 12 * PH;
    ASSERT_GT(std::abs(row - std::floor(row) - 0.5), 0.01);
    const int expected = int(std::lround(row));
    for (TSCDrawing mode : {TSCDrawing::ByLine, TSCDrawing::BySplineStrain, TSCDrawing::BySplineSmooth,
                            TSCDrawing::BySpline2P, TSCDrawing::BySpline3P, TSCDrawing::ByLagrang}) {
        chart.SetSCDrawingMode(mode);
        chart.Repaint();
        EXPECT_EQ(At(51, expected), kRed) << int(mode);
        for (int yy = 0; yy < H; ++yy)
            EXPECT_NE(At(50, yy), kRed) << int(mode);
    }
    EXPECT_TRUE(prompt.messages.isEmpty());
}

TEST_F(SimpleChart, CurvesThatCannotBeDrawn)
{
    struct Row { const char *name; TSCDrawing mode; std::vector<double> x, y; bool message; };
    std::vector<double> many(101), values(101);
    for (int i = 0; i < 101; ++i)
        many[size_t(i)] = i, values[size_t(i)] = std::sin(i);
    const Row rows[] = {
        {"line through one point", TSCDrawing::ByLine, {3}, {1}, true},
        {"spline of two points", TSCDrawing::BySplineStrain, {1, 2}, {1, 2}, false},
        {"cubic spline of two points", TSCDrawing::BySpline3P, {1, 2}, {1, 2}, false},
        {"Lagrange of 101 points", TSCDrawing::ByLagrang, many, values, false},
        {"spline with a repeated abscissa", TSCDrawing::BySpline2P, {1, 2, 2, 3}, {1, 2, 3, 4}, true},
        {"multiline through an infinite value", TSCDrawing::ByMultiLine, {1, 2, 3}, {1, HUGE_VAL, 2}, true},
    };
    for (const Row &r : rows) {
        prompt.messages.clear();
        chart.SetSCDrawingMode(r.mode);
        Data(r.x, r.y);
        EXPECT_TRUE(chart.Repaint()) << r.name;
        EXPECT_EQ(prompt.messages, r.message ? QStringList{kCannotDraw} : QStringList{}) << r.name;
        if (!r.message) {
            EXPECT_EQ(Count(kRed), 0) << r.name;
        }
    }
}

TEST_F(SimpleChart, FirstDerivativeClickedTwiceLeavesThePictureWithout)
{
    Data({0, 1, 2, 3, 4, 5}, {0, 1, 0.5, 2, 1.5, 3});
    chart.SetSCDrawingDiff(true);
    chart.SetSCDrawingMode(TSCDrawing::BySplineStrain);
    chart.Repaint();
    const QImage plain = chart.Picture();
    EXPECT_EQ(Count(kGreen), 0);
    chart.Menu().Diff1Item->trigger();
    EXPECT_GT(Count(kGreen), 0);
    chart.Menu().Diff1Item->trigger();
    EXPECT_EQ(chart.Picture(), plain);
    EXPECT_TRUE(prompt.messages.isEmpty());
}

// Each chart tells its own owner: a second chart's failures reach its owner's
// callback, never the program-wide prompt nor the first chart's owner.
TEST_F(SimpleChart, MessagesGoToTheOwnersCallback)
{
    QStringList own;
    TSimpleChart other;
    other.OnMessage = [&own](const QString &message) { own << message; };
    const std::vector<double> x = {1, 2, 2, 3}, y = {1, 2, 3, 4};  // no spline through a repeated X
    other.SetSCDrawingMode(TSCDrawing::BySplineStrain);
    other.SetData(4, x.data(), y.data());
    other.RepaintOrReport();
    prompt.inputs.push_back(QStringLiteral("x"));
    other.SmoothValueItemClick();
    EXPECT_EQ(own, (QStringList{kCannotDraw, "Invalid Value!"}));
    EXPECT_TRUE(prompt.messages.isEmpty());
}

// A derivative that cannot be drawn ends the redraw; owners redrawing through
// RepaintOrReport tell the user once, also when the curve failed as well.
TEST_F(SimpleChart, FailedDerivativeIsReportedOncePerRedraw)
{
    chart.SetSCDrawingDiff(true);
    chart.SetSCDrawingMode(TSCDrawing::BySplineStrain);
    chart.Menu().Diff1Item->setChecked(true);

    // The curve through these points can be drawn; its first derivative
    // overflows.
    Data({0, 1, 2, 3, 4}, {0, 2e307, 0, 2e307, 0});
    EXPECT_FALSE(chart.Repaint());
    EXPECT_TRUE(prompt.messages.isEmpty()) << "Repaint leaves the report to its owner";
    chart.RepaintOrReport();
    EXPECT_EQ(prompt.messages, QStringList{kCannotDraw});

    prompt.messages.clear();
    Data({1, 2, 2, 3}, {1, 2, 3, 4});  // neither the curve nor its derivative
    chart.RepaintOrReport();
    EXPECT_EQ(prompt.messages, QStringList{kCannotDraw});

    prompt.messages.clear();
    Data({0, 1, 2, 3}, {0, 1, 0, 1});
    chart.RepaintOrReport();
    EXPECT_TRUE(prompt.messages.isEmpty());
    EXPECT_GT(Count(kGreen), 0);
}

// The second derivative is drawn on a scale up to 1.5 times its largest knot
// value. Convex data have positive knot values, and between knots the
// tension spline's second derivative stays below the larger of its two, so
// the curve keeps at least a third of the plot's height below the top edge.
TEST_F(SimpleChart, SecondDerivativeKeepsBelowTheTopEdge)
{
    std::vector<double> x, y;
    for (int i = 0; i <= 8; ++i)
        x.push_back(i), y.push_back(std::exp(i / 2.0));
    Data(x, y);
    chart.SetSCDrawingDiff(true);
    chart.SetSCDrawingMode(TSCDrawing::BySplineStrain);
    chart.Menu().Diff2Item->setChecked(true);
    ASSERT_TRUE(chart.Repaint());
    const int W = chart.width(), H = chart.height(), PH = H - 70;
    int top = H, blue = 0;
    for (int row = 21; row < H - 50; ++row)
        for (int col = 51; col < W - 50; ++col)
            if (At(col, row) == kBlue)
                top = std::min(top, row), ++blue;
    EXPECT_GT(blue, 100) << "the curve is drawn";
    EXPECT_GE(top, 20 + PH / 3 - 1);
    EXPECT_LE(top, H - 52) << "and rises off the bottom";
}

// A point mark that cannot be placed ends the marks with "Invalid Operation!";
// the marks before it stay.
TEST_F(SimpleChart, PointMarkOutOfReachEndsTheMarks)
{
    chart.SetSCDrawingMode(TSCDrawing::ByLine);
    chart.SetSCDrawPoints(true);
    FixedRange("0", "1");
    prompt.messages.clear();
    Data({1, 2, 3, 4}, {0.2, 0.4, 0.6, 1e300});
    chart.Repaint();
    EXPECT_TRUE(prompt.messages.contains("Invalid Operation!")) << prompt.messages.join('|').toStdString();
    EXPECT_EQ(Count(kPurple), 3 * 12) << "the three marks before it, 12 pixels of outline each";
}

TEST_F(SimpleChart, NoPointsDrawsTheFrameOnAUnitRange)
{
    chart.SetSCDrawingMode(TSCDrawing::ByLine);
    chart.SetSCDrawPoints(true);
    Data({}, {});
    EXPECT_TRUE(chart.Repaint());
    EXPECT_TRUE(prompt.messages.isEmpty());
    EXPECT_EQ(chart.XMin(), 0);
    EXPECT_EQ(chart.XMax(), 1);
    EXPECT_EQ(chart.YMin(), 0);
    EXPECT_EQ(chart.YMax(), 1);
    EXPECT_EQ(At(50, 20), kBlue);
    EXPECT_EQ(Count(kRed) + Count(kPurple), 0);
}

TEST_F(SimpleChart, TimeAndFixedLabels)
{
    const auto time = chart::XLabels(TSCXDrawing::ByTime, 0, 240);
    EXPECT_EQ(QStringList(time.begin(), time.end()),
              (QStringList{"0:0", "1:0", "2:0", "3:0", "4:0"}));

    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    chart.SetSCXDrawingMode(TSCXDrawing::ByTime);
    chart.SetSCYDrawingMode(TSCYDrawing::ByFixed);
    Data({0, 120, 240}, {5, 50, 95});
    FixedRange(QStringLiteral("0"), QStringLiteral("100"));
    const auto fixed = chart::YLabels(TSCYDrawing::ByFixed, chart.YMin(), chart.YMax());
    EXPECT_EQ(QStringList(fixed.begin(), fixed.end()),
              (QStringList{"100,000", "75,000", "50,000", "25,000", "0,000"}));
    // And so they stand in the picture: Y labels at (0, yi), X labels at (xi, H - 40).
    const int H = chart.height(), PW = chart.width() - 100, PH = H - 70;
    for (int i = 0; i <= 4; ++i) {
        EXPECT_TRUE(LabelAt(0, 20 + (i * PH) / 4, fixed[size_t(i)])) << i;
        EXPECT_TRUE(LabelAt(50 + (i * PW) / 4, H - 40, time[size_t(i)])) << i;
    }
}

namespace {
// Visible entries as a string of 21 flags in menu order.
QString Visibility(const TSimpleChart &c)
{
    QString flags;
    for (QAction *a : c.Menu().All())
        flags += a->isVisible() ? QLatin1Char('1') : QLatin1Char('0');
    return flags;
}
} // namespace

// The popup's separators are plain lines: a text on one ("-") shows in the menu.
TEST_F(SimpleChart, MenuSeparatorsCarryNoText)
{
    int separators = 0;
    for (QAction *a : chart.Menu().All()) {
        EXPECT_EQ(a->text().isEmpty(), a->isSeparator()) << a->text().toStdString();
        separators += a->isSeparator() ? 1 : 0;
    }
    EXPECT_EQ(separators, 4);
}

TEST_F(SimpleChart, MenuVisibilityFollowsTheProperties)
{
    EXPECT_EQ(Visibility(chart), QString(21, QLatin1Char('1')));  // before any setter

    struct Row { const char *name; std::function<void(TSimpleChart &)> setUp; const char *visible; };
    const Row rows[] = {
        {"main window tabs", [](TSimpleChart &c) {
             c.SetSCXDrawingMode(TSCXDrawing::ByTime); c.SetSCDrawingMode(TSCDrawing::ByMultiLine);
             c.SetSCDrawingModeChange(true); c.SetSCDrawingDiff(true); c.SetSCXYWindowShowing(true);
             c.SetSCMstShowing(true); c.SetSCDrawingTimeLine(true); c.SetSCGridLinesChange(true); },
         "11" "1" "11111111" "00" "000" "11" "1" "1" "1"},
        {"interval dialog", [](TSimpleChart &c) {
             c.SetSCXDrawingMode(TSCXDrawing::ByTime); c.SetSCDrawingMode(TSCDrawing::ByMultiLine);
             c.SetSCDrawingModeChange(false); c.SetSCDrawingDiff(false); c.SetSCXYWindowShowing(false);
             c.SetSCMstShowing(false); c.SetSCDrawingTimeLine(true); c.SetSCGridLinesChange(false); },
         "11" "0" "00000000" "00" "000" "00" "0" "0" "1"},
        {"time lines on a number axis", [](TSimpleChart &c) {
             c.SetSCXDrawingMode(TSCXDrawing::ByNormal); c.SetSCDrawingTimeLine(true); },
         "11" "1" "11111111" "11" "111" "11" "1" "1" "0"},
        {"smoothing spline without derivatives", [](TSimpleChart &c) {
             c.SetSCDrawingMode(TSCDrawing::BySplineSmooth); },
         "11" "1" "11111111" "11" "000" "11" "1" "1" "1"},
        {"tension spline, derivatives switched on after", [](TSimpleChart &c) {
             c.SetSCDrawingMode(TSCDrawing::BySplineStrain); c.SetSCDrawingDiff(true); },
         "11" "1" "11111111" "00" "111" "11" "1" "1" "1"},
        {"derivatives on, then a mode without them", [](TSimpleChart &c) {
             c.SetSCDrawingDiff(true); c.SetSCDrawingMode(TSCDrawing::BySpline3P); },
         "11" "1" "11111111" "00" "000" "11" "1" "1" "1"},
    };
    for (const Row &r : rows) {
        TSimpleChart c;
        r.setUp(c);
        EXPECT_EQ(Visibility(c), QString::fromLatin1(r.visible)) << r.name;
    }

    TSimpleChart c;
    c.SetSCDrawingMode(TSCDrawing::ByHistogram);
    EXPECT_TRUE(c.Menu().byHistogramItem->isChecked());
    EXPECT_EQ(c.Menu().All()[10], c.Menu().byHistogramItem);  // the last mode entry
    c.Menu().bySpline2PItem->trigger();
    EXPECT_EQ(c.SCDrawingMode(), TSCDrawing::BySpline2P);
    EXPECT_FALSE(c.Menu().byHistogramItem->isChecked());
}

TEST_F(SimpleChart, AutoMstUncheckedAndCancelledKeepsTheDataRangeOfThatMoment)
{
    Data({1, 2, 3}, {1.23456, 7.5, 3});
    chart.Repaint();
    const QImage before = chart.Picture();
    chart.Menu().MstItem->trigger();  // no scripted answer: Cancel
    EXPECT_EQ(prompt.dialogsShown, QStringList{"Mst."});
    EXPECT_FALSE(chart.Menu().MstItem->isChecked());
    EXPECT_EQ(chart.MstWindow().EditMin->text(), "1.235");
    EXPECT_EQ(chart.MstWindow().EditMax->text(), "7.500");
    EXPECT_EQ(chart.Picture(), before);  // no redraw
    Data({1, 2, 3}, {-50, 0, 50});
    chart.Repaint();
    EXPECT_EQ(chart.YMin(), 1.235);
    EXPECT_EQ(chart.YMax(), 7.5);

    // An unreadable minimum stops the reading: both keep their values.
    chart.MstWindow().EditMin->setText(QStringLiteral("abc"));
    chart.MstWindow().EditMax->setText(QStringLiteral("99"));
    chart.Repaint();
    EXPECT_EQ(chart.YMax(), 7.5);
}

TEST_F(SimpleChart, SmoothValueCancelGivesOneAndABadNumberZero)
{
    Data({1, 2, 3, 4}, {1, 3, 2, 4});
    chart.SetSCDrawingMode(TSCDrawing::BySplineSmooth);
    chart.SetSCSmoothValue(5);
    chart.Menu().SmoothValueItem->trigger();  // cancelled
    EXPECT_EQ(prompt.questions, QStringList{"R = "});
    EXPECT_EQ(chart.SCSmoothValue(), 1);
    EXPECT_EQ(Count(kRed) > 0, true);  // redrawn

    prompt.inputs.push_back(QStringLiteral("1.5x"));
    chart.Menu().SmoothValueItem->trigger();
    EXPECT_EQ(prompt.messages, QStringList{"Invalid Value!"});
    EXPECT_EQ(chart.SCSmoothValue(), 0);
}

TEST_F(SimpleChart, SaveAsWritesAWindowsBitmapWhateverTheExtension)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("chart.png"));
    Data({0, 1, 2}, {2, 0, 1});
    chart.SetSCDrawingMode(TSCDrawing::ByMultiLine);
    chart.Repaint();
    prompt.saveNames.push_back(name);
    chart.Menu().SaveGraphicItem->trigger();
    ASSERT_EQ(prompt.fileDialogs.size(), 1);
    EXPECT_EQ(prompt.fileDialogs[0].title, "Save Graphic");
    EXPECT_EQ(prompt.fileDialogs[0].defaultExt, ".bmp");
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("BM"));
    QImage back;
    ASSERT_TRUE(back.loadFromData(bytes, "BMP"));
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), chart.Picture());

    chart.Menu().SaveGraphicItem->trigger();  // cancelled: nothing written, nothing said
    EXPECT_TRUE(prompt.messages.isEmpty());
}

// Each chart has a save dialog of its own: it opens where that chart's
// picture was last saved, with that name, whatever other charts saved since.
TEST_F(SimpleChart, SaveDialogKeepsItsChartsFolderAndName)
{
    QTemporaryDir dir;
    TSimpleChart other;
    Data({0, 1}, {0, 1});
    chart.Repaint();
    const struct {
        const char *name;
        TSimpleChart *saves;
        QString answer;  // empty: cancelled
        QString offeredDir, offeredName;
    } steps[] = {
        {"first save", &chart, dir.filePath("one.bmp"), QString(), QString()},
        {"the other chart's, not written", &other, QDir::rootPath() + "nonexistent/two.bmp", QString(), QString()},
        {"again, cancelled", &chart, QString(), dir.path(), "one.bmp"},
        {"again after the cancel", &chart, QString(), dir.path(), "one.bmp"},
        {"the other chart again", &other, QString(), QDir::rootPath() + "nonexistent", "two.bmp"},
    };
    for (const auto &step : steps) {
        prompt.fileDialogs.clear();
        prompt.saveNames = {step.answer};
        step.saves->Menu().SaveGraphicItem->trigger();
        ASSERT_EQ(prompt.fileDialogs.size(), 1) << step.name;
        EXPECT_EQ(prompt.fileDialogs[0].directory, step.offeredDir) << step.name;
        EXPECT_EQ(prompt.fileDialogs[0].initialName, step.offeredName) << step.name;
        EXPECT_EQ(prompt.fileDialogs[0].title, "Save Graphic") << step.name;
    }
    EXPECT_GT(QFile(dir.filePath("one.bmp")).size(), 0);
}

TEST_F(SimpleChart, CoordinateReadoutOnlyStrictlyInsideThePlot)
{
    chart.SetSCXTitle(QStringLiteral("t"));
    chart.SetSCYTitle(QStringLiteral("T"));
    Data({0, 350}, {0, 150});  // one data unit per pixel on a 450 x 220 chart
    chart.Repaint();
    QMouseEvent move(QEvent::MouseMove, QPointF(100, 70), QPointF(100, 70), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&chart, &move);
    EXPECT_EQ(chart.XYWindow().XCaption->text(), "t=50.00");
    EXPECT_EQ(chart.XYWindow().YCaption->text(), "T=100.00");
    for (const QPoint p : {QPoint(50, 70), QPoint(400, 70), QPoint(100, 20), QPoint(100, 170), QPoint(10, 10)}) {
        chart.ChartMouseMove({Qt::NoButton, {}, {}, p.x(), p.y()});
        EXPECT_EQ(chart.XYWindow().XCaption->text(), "t=50.00") << p.x() << ',' << p.y();
    }

    // An owner's handler replaces the readout.
    int moves = 0;
    chart.OnMouseMove = [&moves](const TChartMouseEvent &) { ++moves; };
    QMouseEvent other(QEvent::MouseMove, QPointF(200, 100), QPointF(200, 100), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&chart, &other);
    EXPECT_EQ(moves, 1);
    EXPECT_EQ(chart.XYWindow().XCaption->text(), "t=50.00");
}

TEST_F(SimpleChart, CoordinateWindowClosedByTheWindowSystemIsOnlyHidden)
{
    chart.Menu().XYWindowItem->trigger();
    EXPECT_TRUE(chart.XYWindow().isVisible());
    EXPECT_TRUE(chart.Menu().XYWindowItem->isChecked());
    EXPECT_TRUE(chart.XYWindow().close());
    EXPECT_FALSE(chart.XYWindow().isVisible());
    EXPECT_FALSE(chart.Menu().XYWindowItem->isChecked());
    chart.Menu().XYWindowItem->trigger();  // the same window shows again
    EXPECT_TRUE(chart.XYWindow().isVisible());
    chart.XYWindow().hide();
}

TEST_F(SimpleChart, TimeMarksAndOverlayMarkers)
{
    Data({0, 100, 200}, {0, 1, 0});
    chart.SetSCDrawingMode(TSCDrawing::ByMultiLine);
    TTimeMarkList marks;
    marks.Count = 1000;  // more than the list holds: taken as 100, none of them inside
    marks.Times[0] = 50;
    marks.Names[0] = QString(300, QLatin1Char('x'));
    chart.SetTimeMarks(&marks);
    chart.Menu().TimeLineItem->setChecked(true);
    EXPECT_TRUE(chart.Repaint());
    const int c = 138;  // t = 50 of 0..200: column 137.5, rounded half to even
    EXPECT_EQ(At(c, 20), kGreen);
    EXPECT_EQ(At(c, 21), kWhite);  // dotted
    EXPECT_EQ(At(c, 22), kGreen);

    // An owner's not-xor markers over the picture cancel when drawn twice.
    const QImage before = chart.Picture().copy();
    chart::TChartCanvas &canvas = chart.Canvas();
    canvas.pen = chart::TPen{qRgb(0, 0, 0), chart::TPenStyle::Dotted, chart::TPenMode::NotXor};
    canvas.MoveTo(150, 0);
    canvas.LineTo(150, 220);
    EXPECT_NE(chart.Picture(), before);
    canvas.MoveTo(150, 0);
    canvas.LineTo(150, 220);
    EXPECT_EQ(chart.Picture(), before);
}
