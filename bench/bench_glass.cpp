// "Стеклование и размягчение" on a full run of 10000 samples (a glass heated
// from 20 to 620 C through its transformation range and past its softening
// point, 10 nm noise): the command's computation as varotem-eval runs it, the
// same with the window's picture drawn, and one marker move. Beside them the
// softening watch's cost per reading of an acquisition.
#include "analysis/GlassPicture.h"
#include "analysis/core/GlassLayout.h"
#include "analysis/core/GlassTransition.h"
#include "app/core/Calibration.h"
#include "app/core/SofteningWatch.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>

namespace {

double Softplus(double u) { return u > 0 ? u + std::log1p(std::exp(-u)) : std::log1p(std::exp(u)); }

// Tg 550 C (width 8 K), 9e-6 and 30e-6 per K, softening from 600 C.
double GlassLength(double t)
{
    const double strain = 9e-6 * (t - 20) + 21e-6 * 8 * (Softplus((t - 550) / 8) - Softplus(-530 / 8.0));
    const double flow = t > 600 ? 0.2 * (t - 600) * (t - 600) : 0.0;
    return 50000 * (strain - 5.2e-7 * (t - 20)) - flow;
}

std::unique_ptr<TRunData> GlassRun()
{
    auto run = std::make_unique<TRunData>();
    ClearRun(*run);
    std::mt19937 random(1);
    std::normal_distribution<double> noise(0.0, 0.01);
    run->Count = kRunCapacity;
    for (int32_t i = 0; i < kRunCapacity; ++i) {
        const double t = 20 + 600.0 * i / (kRunCapacity - 1);
        run->T[i] = t;
        run->L[i] = GlassLength(t) + noise(random);
        run->TC[i] = t;
    }
    return run;
}

analysis::TGlassResult Analyse(const TRunData &run)
{
    const TSettings settings;
    const TSplineTable none;
    const auto calibrated = CalibratedCopy(run, settings, none, none);
    return analysis::AnalyseGlass(*calibrated, {}, settings, none, none);
}

// Calibrated copy, curve and smoothing with its cross-validated width, Ts,
// the automatic portions and the tangents.
void BM_GlassCommand10000(benchmark::State &state)
{
    const auto run = GlassRun();
    for (auto _ : state) {
        const analysis::TGlassResult result = Analyse(*run);
        if (!result.Tangents.Failure.isEmpty() || !result.Softening) {
            state.SkipWithError("the run was not analysed");
            break;
        }
        benchmark::DoNotOptimize(result.Tangents.Tg);
    }
}
BENCHMARK(BM_GlassCommand10000)->Unit(benchmark::kMillisecond);

// The same and the window's 560 x 400 picture laid out and painted.
void BM_GlassCommandWithPicture10000(benchmark::State &state)
{
    const auto run = GlassRun();
    for (auto _ : state) {
        const QImage image = analysis::GlassImage(analysis::LayoutGlassPicture(Analyse(*run)));
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_GlassCommandWithPicture10000)->Unit(benchmark::kMillisecond);

// What one step of a dragged marker costs: the tangents refitted, the
// picture laid out and painted again.
void BM_GlassMarkerMove10000(benchmark::State &state)
{
    const auto run = GlassRun();
    analysis::TGlassResult result = Analyse(*run);
    double shift = 0;
    for (auto _ : state) {
        result.Ranges.T2 = 520 + shift;
        shift = shift > 5 ? 0 : shift + 0.1;
        result.Tangents = analysis::FitTangents(result.Curve, result.Ranges, result.Rod);
        const QImage image = analysis::GlassImage(analysis::LayoutGlassPicture(result));
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_GlassMarkerMove10000)->Unit(benchmark::kMillisecond);

// The softening watch at one reading of a run: the sample calibrated (by the
// polynomial, or by two ten-point reference tables) and added to the watch.
void BM_SofteningWatchReading(benchmark::State &state)
{
    const bool tables = state.range(0) != 0;
    TSettings settings;
    TSplineTable tTable, lTable;
    settings.TSplineKalibrFlag = settings.LSplineKalibrFlag = tables;
    for (TSplineTable *table : {&tTable, &lTable}) {
        table->Count = 10;
        for (int q = 0; q < 10; ++q) {
            table->X[q] = -100 + 900.0 * q;
            table->Y[q] = table->X[q] * (1 + 0.01 * std::sin(q));
        }
    }
    TSofteningWatch watch;
    int64_t k = 0;
    for (auto _ : state) {
        const double t = 20 + 0.06 * double(k % 10000);
        const TCalibratedSample sample = CalibrateSample(t, GlassLength(t), settings, tTable, lTable);
        benchmark::DoNotOptimize(watch.Add(sample.T, sample.L, 0.005));
        if (++k % 10000 == 0)
            watch.Reset();
    }
}
BENCHMARK(BM_SofteningWatchReading)->Arg(0)->Arg(1)->Unit(benchmark::kNanosecond);

} // namespace
