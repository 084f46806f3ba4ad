// Redraw cost of the live run display: one 528 x 253 chart as on the main
// window's tabs, ByMultiLine, with the data of the peer benchmark (a logarithmic
// heating curve with Gaussian noise, seed 1), so the figures compare directly.
#include "chart/ChartCanvas.h"
#include "chart/ChartPlot.h"
#include "chart/SimplCht.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

struct TRunCurve {
    std::vector<double> x, y;
};

TRunCurve PeerData(int n)
{
    TRunCurve c{std::vector<double>(size_t(n)), std::vector<double>(size_t(n))};
    std::mt19937 rng(1);
    std::normal_distribution<double> noise(0, 0.002);
    for (int i = 0; i < n; ++i) {
        c.x[size_t(i)] = i + 1;
        c.y[size_t(i)] = std::log(i + 51.0) / 12 + noise(rng);
    }
    return c;
}

void SetUpMainWindowChart(TSimpleChart &chart)
{
    chart.resize(528, 253);
    chart.SetSCXDrawingMode(TSCXDrawing::ByTime);
    chart.SetSCYDrawingMode(TSCYDrawing::ByFixed);
    chart.SetSCDrawingMode(TSCDrawing::ByMultiLine);
    chart.SetSCXTitle(QStringLiteral("t, mm:ss"));
    chart.SetSCYTitle(QStringLiteral("T, deg C"));
}

// What the main window pays per chart and tick: hand over the data, redraw.
void BM_RepaintMultiLine(benchmark::State &state)
{
    const TRunCurve c = PeerData(int(state.range(0)));
    TSimpleChart chart;
    SetUpMainWindowChart(chart);
    for (auto _ : state) {
        chart.SetData(int32_t(c.x.size()), c.x.data(), c.y.data());
        chart.Repaint();
        benchmark::DoNotOptimize(chart.Picture().constBits());
    }
}
BENCHMARK(BM_RepaintMultiLine)->Arg(600)->Arg(10000)->Unit(benchmark::kMicrosecond);

// The frame, grid and labels alone.
void BM_RepaintFrameOnly(benchmark::State &state)
{
    TSimpleChart chart;
    SetUpMainWindowChart(chart);
    for (auto _ : state) {
        chart.Repaint();
        benchmark::DoNotOptimize(chart.Picture().constBits());
    }
}
BENCHMARK(BM_RepaintFrameOnly)->Unit(benchmark::kMicrosecond);

// One label drawn by QPainter, as every label would cost without the cache.
void BM_RenderLabel(benchmark::State &state)
{
    const QFont font = chart::LabelFont();
    for (auto _ : state) {
        QImage block = chart::RenderTextBlock(font, qRgb(0, 0, 255), qRgb(255, 255, 255), QStringLiteral("0.7675"));
        benchmark::DoNotOptimize(block.constBits());
    }
}
BENCHMARK(BM_RenderLabel)->Unit(benchmark::kMicrosecond);

// Stroking the 10000-point polyline on a blank picture, every point versus the
// per-column reduction (reduction cost included).
void StrokeCurve(benchmark::State &state, bool reduce)
{
    const TRunCurve c = PeerData(10000);
    chart::TPlotArea area{528, 253, 1, 10000, 0.32, 0.77};
    const chart::TPolyline line = chart::MultiLinePoints(area, 10000, c.x.data(), c.y.data());
    QImage image(528, 253, QImage::Format_RGB32);
    chart::TChartCanvas canvas;
    for (auto _ : state) {
        canvas.Attach(&image);
        const std::vector<chart::TPixel> reduced = reduce ? chart::ReduceColumns(line.points) : std::vector<chart::TPixel>{};
        const std::vector<chart::TPixel> &points = reduce ? reduced : line.points;
        canvas.MoveTo(points[0].x, points[0].y);
        for (size_t i = 1; i < points.size(); ++i)
            canvas.LineTo(points[i].x, points[i].y);
        benchmark::DoNotOptimize(image.constBits());
    }
}
void BM_StrokeEveryPoint(benchmark::State &state) { StrokeCurve(state, false); }
void BM_StrokeReduced(benchmark::State &state) { StrokeCurve(state, true); }
BENCHMARK(BM_StrokeEveryPoint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StrokeReduced)->Unit(benchmark::kMicrosecond);

} // namespace
