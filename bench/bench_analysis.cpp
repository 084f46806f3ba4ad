// Cost of the analysis commands on a full run of 10000 samples: the expansion
// calculation at its largest interval count, the physical coefficient with
// its smoothing chosen by cross-validation, and writing the run into an .xlsx
// workbook (file written, not opened).
#include "analysis/core/ExpansionCalc.h"
#include "analysis/core/PhysicalCoefficient.h"
#include "analysis/core/SpreadsheetExport.h"
#include "analysis/core/XlsxSpreadsheet.h"
#include "app/core/Calibration.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <random>

namespace {

// A heating run: T rising from 20 to 1020 deg C, L a smooth expansion curve
// with a little ripple, TC trailing T.
std::unique_ptr<TRunData> FullRun()
{
    auto run = std::make_unique<TRunData>();
    std::memset(static_cast<void *>(run.get()), 0, sizeof(TRunData));
    SetCalcDefaults(*run);
    run->Count = kRunCapacity;
    for (int i = 1; i <= kRunCapacity; ++i) {
        const double t = 10 + 0.1 * i;
        run->T[i - 1] = t;
        run->L[i - 1] = 0.6 * t + 2e-4 * t * t + 0.05 * std::sin(i * 0.01);
        run->TC[i - 1] = t - 3;
    }
    return run;
}

// N = 999 with a baseline of 10000 samples and the default quartz table fitted.
void BM_ExpansionN999(benchmark::State &state)
{
    const auto run = FullRun();
    analysis::TCalcParams params;
    params.CalcPoints = 999;
    const analysis::TFitPoints baseline{ChannelValues(*run, TChannel::T), ChannelValues(*run, TChannel::TC)};
    params.QuartzTable = analysis::TFitPoints{{100, 200, 300, 400, 500, 600, 700, 800, 900},
                                              {5.1e-7, 5.8e-7, 6e-7, 6.1e-7, 5.9e-7, 5.7e-7, 5.4e-7, 5.2e-7, 5.1e-7}};
    for (auto _ : state) {
        const analysis::TCalcOutcome out = analysis::ComputeExpansion(*run, params, baseline);
        benchmark::DoNotOptimize(out.Rows.data());
    }
}
BENCHMARK(BM_ExpansionN999)->Unit(benchmark::kMicrosecond);

// The whole calculation step of the command: calibrate a copy, compute.
void BM_CalibrateAndExpandN999(benchmark::State &state)
{
    const auto run = FullRun();
    const TSettings settings;
    const TSplineTable tTable, lTable;
    analysis::TCalcParams params;
    params.CalcPoints = 999;
    for (auto _ : state) {
        const auto copy = CalibratedCopy(*run, settings, tTable, lTable);
        const analysis::TCalcOutcome out = analysis::ComputeExpansion(*copy, params, std::nullopt);
        benchmark::DoNotOptimize(out.Rows.data());
    }
}
BENCHMARK(BM_CalibrateAndExpandN999)->Unit(benchmark::kMicrosecond);

// A heating run for the physical coefficient: 0.1 K per sample from 10 to
// 1010 deg C with 0.02 K of thermocouple noise; L that of a 25 mm sample of
// about 5e-6 / K with 10 nm of noise.
std::unique_ptr<TRunData> NoisyHeatingRun()
{
    auto run = FullRun();
    std::mt19937 rng(1);
    std::normal_distribution<double> noise(0, 1);
    for (int i = 1; i <= kRunCapacity; ++i) {
        const double t = 10 + 0.1 * i;
        run->T[i - 1] = t + 0.02 * noise(rng);
        run->L[i - 1] = 25000 * (4.5e-6 * (t - 20) + 1e-9 * (t - 20) * (t - 20)) + 0.01 * noise(rng);
    }
    return run;
}

// The whole computation of "Физический КТР" on 10000 samples: the smoothing
// chosen by generalised cross-validation, both channels smoothed, the
// coefficient at every sample and the rows every 10 K.
void BM_Physical10000(benchmark::State &state)
{
    const auto run = NoisyHeatingRun();
    const analysis::TPhysicalParams params = analysis::PhysicalParamsOf(*run);
    for (auto _ : state) {
        const analysis::TPhysicalOutcome out = analysis::ComputePhysical(*run, params, std::nullopt);
        if (!out.Failure.isEmpty()) {
            state.SkipWithError(out.Failure.toStdString().c_str());
            break;
        }
        benchmark::DoNotOptimize(out.Rows.data());
    }
}
BENCHMARK(BM_Physical10000)->Unit(benchmark::kMillisecond);

// 10000 samples, three number cells each, into a workbook file.
void BM_XlsxExport10000(benchmark::State &state)
{
    const auto run = FullRun();
    QTemporaryDir dir;
    TXlsxSpreadsheet sheet(dir.path(), [](const QUrl &) { return true; });
    for (auto _ : state) {
        const QString message = analysis::ExportRun(*run, sheet);
        if (!message.isEmpty()) {
            state.SkipWithError(message.toStdString().c_str());
            break;
        }
        state.PauseTiming();
        QFile::remove(sheet.FileName());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_XlsxExport10000)->Unit(benchmark::kMillisecond);

} // namespace
