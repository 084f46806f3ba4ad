// The run archive's budgets: a table of 100 000 generated rows filtered by
// words and a date range (the query and the first page of rows the table
// shows), the archive write at the end of a run (the autosave file read
// back, hashed, calibrated for its temperature range and stored in one
// transaction flushed to the disk), the comparison chart of 20 runs of 10000
// samples redrawn, and the tick that ends a run, with and without an archive.
#include "app/Unit1.h"
#include "archive/core/ArchiveModel.h"
#include "archive/core/ArchiveSchema.h"
#include "archive/core/RunArchiver.h"
#include "archive/report/ComparePlot.h"
#include "bench/QuietPrompt.h"

#include "app/core/DataFiles.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>

using namespace archive;

namespace {

constexpr int64_t kDay = 86'400'000;
constexpr int64_t kStart = 1'700'000'000'000;  // November 2023

// 100 000 rows over three years: names, materials, batches, operators and
// notes drawn from small vocabularies, as a lab's archive would hold them.
struct TBigArchive {
    QTemporaryDir dir;
    std::unique_ptr<TArchive> archive;

    TBigArchive()
    {
        archive = OpenArchive({dir.filePath(QStringLiteral("big.sqlite")), {}, {}, {}}).archive;
        TDatabase &db = archive->Database();
        db.Exec("PRAGMA synchronous = OFF; BEGIN");
        const QStringList materials = {QStringLiteral("Кварцевое стекло"), QStringLiteral("Сталь 12Х18Н10Т"),
                                       QStringLiteral("Корунд"), QStringLiteral("Медь М1"), QStringLiteral("Инвар"),
                                       QStringLiteral("Стекло С52-1"), QStringLiteral("Графит")};
        const QStringList operators = {QStringLiteral("Иванова"), QStringLiteral("Петров"),
                                       QStringLiteral("Сидорова"), QStringLiteral("Кузнецов")};
        std::mt19937 rng(7);
        for (int k = 1; k <= 100'000; ++k) {
            TRunEntry e;
            e.path = QStringLiteral("/data/runs/run-%1.dat").arg(k);
            e.facts.sha256 = QString::number(k);
            e.facts.samplesDigest = QString::number(k);
            e.facts.count = int32_t(rng() % 10000);
            e.facts.tMin = 20.0;
            e.facts.tMax = 200.0 + rng() % 1300;
            e.startedMs = kStart + int64_t(rng() % (3 * 365)) * kDay;
            e.description = {QStringLiteral("образец %1").arg(k), materials[int(rng() % materials.size())],
                             QStringLiteral("партия %1").arg(rng() % 400), operators[int(rng() % operators.size())],
                             QStringLiteral("нагрев до %1 °C, 5 К/мин").arg(e.facts.tMax.value_or(0))};
            e.addedMs = e.seenMs = *e.startedMs;
            InsertRunEntry(db, e, false);
        }
        db.Exec("COMMIT; PRAGMA synchronous = FULL");
    }
};

TBigArchive &Big()
{
    static TBigArchive big;
    return big;
}

// The archive window's filter: the matching ids in date order and the first
// page of rows the table shows.
void BM_Filter100k(benchmark::State &state)
{
    TArchive &a = *Big().archive;
    TArchiveFilter filter;
    const int kind = int(state.range(0));
    if (kind != 1)
        filter.text = QStringLiteral("партия 17 кварц");
    if (kind != 0) {
        filter.fromMs = kStart + 200 * kDay;
        filter.toMs = kStart + 290 * kDay;
    }
    TArchiveModel model(a);
    size_t rows = 0;
    for (auto _ : state) {
        model.SetFilter(filter);
        rows = size_t(model.rowCount());
        for (int r = 0; r < std::min(model.rowCount(), 30); ++r)
            benchmark::DoNotOptimize(model.data(model.index(r, TArchiveModel::ColName)));
    }
    const char *labels[] = {"words", "date range", "words and date range"};
    state.SetLabel(QStringLiteral("%1: %2 of 100000 rows").arg(QLatin1String(labels[kind])).arg(rows).toStdString());
}
BENCHMARK(BM_Filter100k)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// A heating run of 10000 samples, offset so that each file differs.
std::unique_ptr<TRunData> HeatingRun(int offset)
{
    auto run = std::make_unique<TRunData>();
    ClearRun(*run);
    run->Count = kRunCapacity;
    for (int i = 0; i < kRunCapacity; ++i) {
        run->T[i] = 20 + 0.1 * i + offset;
        run->L[i] = std::log(i + 51.0) / 12;
        run->TC[i] = 25 + 0.1 * i;
    }
    return run;
}

// What follows the end of a run: the autosave file (240032 bytes) read back,
// hashed and stored as a new row with the run's times.
void BM_ArchiveRunEnd(benchmark::State &state)
{
    QTemporaryDir dir;
    constexpr int kFiles = 50;
    QStringList files;
    std::vector<std::unique_ptr<TRunData>> runs;
    for (int k = 0; k < kFiles; ++k) {
        files << dir.filePath(QStringLiteral("run%1.dat").arg(k));
        runs.push_back(HeatingRun(k));
        (void)SaveData(files.back(), *runs.back());
    }
    TRunTimes times;
    times.startMs = kStart;
    times.sampleMs[kRunCapacity - 1] = kStart + 10'000'000;
    int round = 0;
    std::unique_ptr<TArchive> archive;
    TRunArchiver archiver;
    for (auto _ : state) {
        const int k = round++ % kFiles;
        if (k == 0) {
            state.PauseTiming();
            archive.reset();
            QFile::remove(dir.filePath(QStringLiteral("a.sqlite")));
            archive = OpenArchive({dir.filePath(QStringLiteral("a.sqlite")), {}, {}, {}}).archive;
            archiver = TRunArchiver(archive.get());
            state.ResumeTiming();
        }
        const QString error = archiver.RecordFile(files[k], TRunSource::Autosaved, {}, &times, runs[size_t(k)].get());
        if (!error.isEmpty())
            state.SkipWithError(error.toStdString().c_str());
    }
}
BENCHMARK(BM_ArchiveRunEnd)->Unit(benchmark::kMillisecond);

// The comparison chart: 20 runs of 10000 samples (L over T) redrawn at
// 800 x 500, curves handed over once.
void BM_CompareRedraw20x10000(benchmark::State &state)
{
    std::vector<TCompareCurve> curves(20);
    std::mt19937 rng(3);
    std::normal_distribution<double> noise(0, 0.05);
    for (size_t k = 0; k < curves.size(); ++k) {
        curves[k].label = QStringLiteral("№ %1: образец").arg(k + 1);
        for (int i = 0; i < kRunCapacity; ++i) {
            curves[k].x.push_back(20 + 0.1 * i);
            curves[k].y.push_back((1 + 0.05 * double(k)) * 0.012 * i + noise(rng));
        }
    }
    QImage image(800, 500, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        PaintComparison(painter, QRectF(0, 0, 800, 500), curves, TPlotTitles{QStringLiteral("T, deg C"),
                                                                              QStringLiteral("L, mkm")});
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_CompareRedraw20x10000)->Unit(benchmark::kMillisecond);

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

// The tick that stores sample 10000 and so ends the run, autosaving it, with
// the archive open (archive:1) and without one (archive:0): the archive is
// written after the tick, so the two should not differ. The archive write
// that follows is run untimed, after the tick.
void BM_TickEndingRun(benchmark::State &state)
{
    QTemporaryDir dir;
    TQuietPrompt prompt;
    SetPrompt(&prompt);
    TFixedBoard board;
    // Without an archive: its file would lie below a regular file.
    (void)SaveData(dir.filePath(QStringLiteral("plain")), *HeatingRun(0));
    const QString archiveFile = state.range(0) ? dir.filePath(QStringLiteral("archive/a.sqlite"))
                                               : dir.filePath(QStringLiteral("plain/a.sqlite"));
    auto form = std::make_unique<TMainForm>(
        TMainFormSetup{dir.path(), &board, dir.filePath(QStringLiteral("workbooks")), archiveFile, {}});
    const auto prepared = HeatingRun(0);
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        form->GoClick();
        form->RunData = *prepared;
        form->RunData.T[0] = ++round;  // a new autosave file's content each time
        form->RunData.Count = kRunCapacity - 2;
        form->Timer1Timer();
        state.ResumeTiming();
        form->Timer1Timer();
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    if (form->Acquisition().Running() || (state.range(0) != 0) != (form->Archive() != nullptr))
        state.SkipWithError("the run did not end, or the archive is not as asked");
    else if (form->Archive() && form->Archive()->RowCount() != round)
        state.SkipWithError("a finished run was not archived");
    form.reset();
    SetPrompt(nullptr);
}
BENCHMARK(BM_TickEndingRun)->ArgName("archive")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

} // namespace
