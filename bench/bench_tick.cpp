// One acquisition tick of the main window at 10000 samples: the sample
// stored and written to the run's journal (flushed to the disk), the record
// copied and calibrated (reference-point splines on T and L), the three
// charts at 528 x 253 handed their data and redrawn, and the heater's
// threshold test; and the same tick without a journal. Beside it the same
// redraw with the polynomial calibration and the calibration alone, to show
// the spline's share.
#include "app/Unit1.h"
#include "app/core/Calibration.h"
#include "bench/QuietPrompt.h"
#include "chart/SimplCht.h"

#include <QDialog>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>

namespace {

// A board that always reads the same codes.
class TFixedBoard final : public TBoardPort {
public:
    bool InitDaqlink(const std::array<int32_t, 3> &) override { return true; }
    void GetRes(std::array<int32_t, 3> &r) override { r = {850, 120, 860}; }
    void SetFailureCode(int16_t) override {}
    void DoneDaqlink() override {}
    void SetRes(int32_t, const uint8_t *, int32_t) override {}
    double GetStatusWindow() override { return 0; }
    bool InitAuxlink() override { return true; }
    void GetWRes(double &w) override { w = 0; }
    void DoneAuxlink() override {}
    QString DaqSetup() override { return {}; }
};

// A heating run of n samples: T from 20 C at 5 K/min sampled each minute's
// twelfth, L a logarithmic expansion curve with noise, as in the chart's
// peer benchmark (seed 1).
void FillHeatingRun(TRunData &run, int32_t n)
{
    std::mt19937 rng(1);
    std::normal_distribution<double> noise(0, 0.002);
    run.Count = n;
    for (int32_t i = 0; i < n; ++i) {
        run.T[i] = 20 + 0.0833 * i;
        run.L[i] = std::log(i + 51.0) / 12 + noise(rng);
        run.TC[i] = 25 + 0.0833 * i;
    }
}

// Ten reference points, slightly off the identity, over the raw ranges.
void FillTable(TSplineTable &table, double lo, double hi)
{
    table.Count = 10;
    for (int q = 0; q < 10; ++q) {
        table.X[q] = lo + (hi - lo) * q / 9;
        table.Y[q] = table.X[q] * (1 + 0.01 * std::sin(q));
    }
}

struct TBenchWindow {
    QTemporaryDir dir;
    TQuietPrompt prompt;
    TFixedBoard board;
    std::unique_ptr<TMainForm> form;
    std::unique_ptr<TRunData> prepared = std::make_unique<TRunData>();

    explicit TBenchWindow(bool splines, bool journal = true)
    {
        SetPrompt(&prompt);
        form = std::make_unique<TMainForm>(TMainFormSetup{dir.path(), &board, dir.filePath("workbooks"),
                                                      dir.filePath("archive/Varotem-archive.sqlite"), {}});
        // Without a journal: the autosave file in a directory that does not
        // exist, so the journal beside it cannot be begun.
        if (!journal)
            form->Settings.AutoSaveFile = dir.filePath(QStringLiteral("missing/default.dat"));
        for (TSimpleChart *chart : {form->ChartT, form->ChartL, form->ChartTC})
            chart->resize(528, 253);
        form->Settings.AutoSaveFlag = false;
        form->Settings.TSplineKalibrFlag = splines;
        form->Settings.LSplineKalibrFlag = splines;
        FillTable(form->SplineT, 0, 1000);
        FillTable(form->SplineL, 0.3, 0.6);
        ClearRun(*prepared);
        FillHeatingRun(*prepared, kRunCapacity - 1);
    }
    ~TBenchWindow() { SetPrompt(nullptr); }
};

// The real tick: sample 10000 stored (and journalled), shown, and the run
// stopped at the limit. Untimed before it: a start, the prepared run of 9998
// samples, and a tick that stores sample 9999 and so writes the journal of
// the run anew, as a run replaced while recording is.
void BM_TickAt10000(benchmark::State &state)
{
    const bool journal = state.range(0) != 0;
    TBenchWindow w(true, journal);
    for (auto _ : state) {
        state.PauseTiming();
        w.form->GoClick();
        w.form->RunData = *w.prepared;
        w.form->RunData.Count = kRunCapacity - 2;
        w.form->Timer1Timer();
        state.ResumeTiming();
        w.form->Timer1Timer();
        benchmark::DoNotOptimize(w.form->ChartTC->Picture().constBits());
    }
    if (w.form->RunData.Count != kRunCapacity)
        state.SkipWithError("the tick did not store sample 10000");
    if (w.form->Acquisition().Journal().IsOpen() != journal)
        state.SkipWithError(journal ? "no journal" : "a journal where none should be");
}
BENCHMARK(BM_TickAt10000)->ArgName("journal")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

void BM_RedrawAt10000(benchmark::State &state)
{
    TBenchWindow w(state.range(0) != 0);
    w.form->RunData = *w.prepared;
    w.form->RunData.Count = kRunCapacity;
    for (auto _ : state) {
        w.form->SetMainGraphic();
        benchmark::DoNotOptimize(w.form->ChartTC->Picture().constBits());
    }
    state.SetLabel(state.range(0) ? "reference-point splines" : "polynomial");
}
BENCHMARK(BM_RedrawAt10000)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// Copy and calibration alone.
void BM_CalibrateCopyAt10000(benchmark::State &state)
{
    TBenchWindow w(true);
    w.form->RunData = *w.prepared;
    w.form->RunData.Count = kRunCapacity;
    auto copy = std::make_unique<TRunData>();
    for (auto _ : state) {
        *copy = w.form->RunData;
        benchmark::DoNotOptimize(ApplyKalibr(*copy, w.form->Settings, w.form->SplineT, w.form->SplineL));
    }
}
BENCHMARK(BM_CalibrateCopyAt10000)->Unit(benchmark::kMicrosecond);

} // namespace
