// Run files from outside, read every way the program reads them: opened as a
// run (with the error filter) and exported as text, read as the baseline of
// the calculation, and opened as a quartz table in its dialog. Each result is
// checked against the file's bytes decoded here, at the format's own offsets.
#include "analysis/DlgAlphaQuartz.h"
#include "analysis/StringGrid.h"
#include "analysis/core/Baseline.h"
#include "analysis/core/ExpansionCalc.h"
#include "app/core/DataFiles.h"
#include "app/core/LocaleFormat.h"
#include "app/core/Prompt.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/ScratchFile.h"

#include <QApplication>
#include <QFile>
#include <QSpinBox>
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// Byte offsets of the run file.
constexpr size_t kCountAt = 0, kTAt = 4, kLAt = 80004, kCalcAt = 160004, kTCAt = 160032;
constexpr size_t kFileSize = 240032;
constexpr int32_t kCapacity = 10000;
constexpr int32_t kQuartzRows = 100;
constexpr int16_t kErrorCode = -1;
constexpr int32_t kCalcIntervals = 100;
// The text export writes every line alike; the first samples hold what a
// short input sets, so exporting them keeps the fuzzer fast.
constexpr int32_t kExportedSamples = 64;

// Answers the open dialog with the scratch run file; counts the messages.
class TFilePrompt final : public TPrompt {
public:
    QString answer;
    int messages = 0;

    void Message(const QString &, const QString &) override { ++messages; }
    bool AskYesNo(const QString &, const QString &) override { return false; }
    std::optional<QString> InputText(const QString &, const QString &, const QString &) override { return {}; }
    QString OpenFileName(const TFileDialogOptions &) override { return answer; }
    QString SaveFileName(const TFileDialogOptions &) override { return {}; }
};

using TImage = std::vector<uint8_t>;

// The record a reader sees: the file's bytes over the record it reads into,
// cut at the record's size.
void Overlay(TImage &image, const TRunData &prior, const uint8_t *data, size_t size)
{
    image.resize(kFileSize);
    std::memcpy(image.data(), &prior, kFileSize);
    std::memcpy(image.data(), data, std::min(size, kFileSize));
}

template <typename T>
T At(const TImage &image, size_t offset)
{
    T value;
    std::memcpy(&value, image.data() + offset, sizeof value);
    return value;
}

double Sample(const TImage &image, size_t channelAt, int32_t i) { return At<double>(image, channelAt + 8 * size_t(i)); }

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The 15-digit text of the largest doubles lies beyond the range and does
// not read back.
bool Huge(double x) { return std::fabs(x) > 1.7976931348623e308; }

struct TSample {
    double t, l, tc;
};

// Samples 1..Count of the image (none for a negative Count) less those whose
// T or L is the error code.
std::vector<TSample> GoodSamples(const TImage &image)
{
    std::vector<TSample> good;
    const int32_t count = std::clamp(At<int32_t>(image, kCountAt), 0, kCapacity);
    for (int32_t i = 0; i < count; ++i) {
        const TSample s{Sample(image, kTAt, i), Sample(image, kLAt, i), Sample(image, kTCAt, i)};
        if (s.t != kErrorCode && s.l != kErrorCode)
            good.push_back(s);
    }
    return good;
}

struct TFixture {
    QString runName = ScratchPath(QStringLiteral("run.dat"));
    QString textName = ScratchPath(QStringLiteral("run.txt"));
    std::unique_ptr<TRunData> prior = std::make_unique<TRunData>();   // what a run file is read over
    std::unique_ptr<TRunData> zeroed = std::make_unique<TRunData>();  // what baselines and quartz tables are read over
    std::unique_ptr<TRunData> run = std::make_unique<TRunData>();     // the run the calculation works on
    TSettings settings;
    TSplineTable tTable, lTable;
    TFilePrompt prompt;
    // Buffers of every input, kept to spare the allocator.
    std::unique_ptr<TRunData> read = std::make_unique<TRunData>();
    std::unique_ptr<TRunData> calibrated = std::make_unique<TRunData>();
    TImage image, zeroImage;
    std::unique_ptr<TDlgAlphaQuartz> quartz;  // made once, like the program's

    TFixture()
    {
        ClearRun(*prior);
        FillTestRun(*prior);
        std::memset(static_cast<void *>(zeroed.get()), 0, sizeof(TRunData));
        ClearRun(*run);
        FillTestRun(*run);
        // T by a reference-point table, L by a cubic, as a laboratory sets them.
        settings = DefaultSettings(ScratchPath(QString()));
        settings.ErrorCode = kErrorCode;
        settings.TSplineKalibrFlag = true;
        settings.aL = -1, settings.bL = 1.5, settings.cL = 1e-4, settings.dL = 1e-8;
        tTable.Count = 5;
        const double x[5] = {-100, 0, 100, 500, 1000}, y[5] = {-98, 1, 102, 507, 1013};
        std::copy(x, x + 5, tTable.X);
        std::copy(y, y + 5, tTable.Y);
        SetPrompt(&prompt);
        quartz = std::make_unique<TDlgAlphaQuartz>();
    }
};

TFixture *fixture = nullptr;

// The calculation either fails with a message and no rows or gives N rows of
// finite numbers; the first and last rows' grid texts read back.
void CheckOutcome(const analysis::TCalcOutcome &out)
{
    FUZZ_CHECK(out.Notices.size() <= 2);
    FUZZ_CHECK(out.Failure.isEmpty() ? out.Rows.size() == size_t(kCalcIntervals) : out.Rows.empty());
    for (const analysis::TCalcRow &row : out.Rows) {
        FUZZ_CHECK(std::isfinite(row.T) && std::isfinite(row.DL) && std::isfinite(row.DLQ) &&
                   std::isfinite(row.Diff) && std::isfinite(row.Relative) && std::isfinite(row.Alpha));
    }
    if (out.Rows.empty())
        return;
    for (const analysis::TCalcRow *row : {&out.Rows.front(), &out.Rows.back()}) {
        const QStringList cells = analysis::FormatCalcRow(*row);
        const double values[] = {row->T, row->DL, row->DLQ, row->Diff, row->Relative, row->Alpha};
        for (int c = 1; c <= 6; ++c) {
            double back = 0;
            FUZZ_CHECK(Huge(values[c - 1]) || LocaleParseReal(cells[c], back));
        }
    }
}

// Opening as a run: refused (run untouched) exactly when Count is above
// 10000; otherwise the good samples in order and the file's parameters.
bool CheckRunFile(const TImage &image, TRunData &run)
{
    const QString error = ReadRunFile(fixture->runName, run, kErrorCode);
    const bool refused = At<int32_t>(image, kCountAt) > kCapacity;
    FUZZ_CHECK(error.isEmpty() != refused);
    if (refused) {
        FUZZ_CHECK(std::memcmp(&run, fixture->prior.get(), kFileSize) == 0);
        return false;
    }
    const std::vector<TSample> good = GoodSamples(image);
    FUZZ_CHECK(run.Count == int32_t(good.size()));
    for (size_t i = 0; i < good.size(); ++i) {
        FUZZ_CHECK(SameBits(run.T[i], good[i].t) && SameBits(run.L[i], good[i].l) && SameBits(run.TC[i], good[i].tc));
    }
    FUZZ_CHECK(std::memcmp(reinterpret_cast<const char *>(&run) + kCalcAt, image.data() + kCalcAt, kTCAt - kCalcAt) == 0);
    return true;
}

// The text export of the run's first samples: one line per sample with the
// calibrated values to 15 digits, or a refusal when a calibrated value is
// not a finite number.
void CheckExport(TRunData &run)
{
    run.Count = std::min(run.Count, kExportedSamples);
    TRunData *calibrated = fixture->calibrated.get();
    *calibrated = run;
    ApplyKalibr(*calibrated, fixture->settings, fixture->tTable, fixture->lTable);
    QFile::remove(fixture->textName);
    const QString error = ExportText(fixture->textName, run, fixture->settings, fixture->tTable, fixture->lTable);
    const int32_t n = ValidCount(*calibrated);
    bool finite = true;
    for (int32_t i = 0; i < n; ++i)
        finite = finite && std::isfinite(calibrated->T[i]) && std::isfinite(calibrated->L[i]) && std::isfinite(calibrated->TC[i]);
    FUZZ_CHECK(error.isEmpty() == finite);
    FUZZ_CHECK(QFile::exists(fixture->textName) == finite);
    if (!finite)
        return;
    QFile file(fixture->textName);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    FUZZ_CHECK(lines.size() == n + 1 && lines.back().isEmpty());
    for (int32_t i = 0; i < n; ++i) {
        const QStringList cells = lines[i].split(u'\t');
        FUZZ_CHECK(cells.size() == 3);
        const double expected[] = {calibrated->T[i], calibrated->L[i], calibrated->TC[i]};
        for (int c = 0; c < 3; ++c) {
            double back = 0;
            if (Huge(expected[c]))
                continue;
            FUZZ_CHECK(LocaleParseReal(cells[c], back) && NearlyEqual(back, expected[c]));
        }
    }
}

// The baseline: the good samples of the file read over a zero record,
// calibrated, then fitted by the calculation.
void CheckBaseline(const TImage &zeroImage, bool readable)
{
    const analysis::TBaseline baseline =
        analysis::LoadBaseline(fixture->runName, analysis::TMissingBaseline::Stops, fixture->settings,
                               fixture->tTable, fixture->lTable);
    const bool loaded = baseline.State == analysis::TBaselineState::Loaded;
    FUZZ_CHECK(loaded == readable && baseline.Error.isEmpty() == readable && !baseline.Missing);
    if (!loaded)
        return;
    const size_t good = GoodSamples(zeroImage).size();
    FUZZ_CHECK(baseline.Points.X.size() == good && baseline.Points.Y.size() == good);
    analysis::TCalcParams params;
    params.CalcPoints = kCalcIntervals;
    CheckOutcome(analysis::ComputeExpansion(*fixture->run, params, baseline.Points));
}

// The quartz table: rows 1..Count (at most 100) of T and L in the grid as
// text, read back as the points the calculation fits; a value that is not a
// finite number makes its row the point (0, 0).
void CheckQuartzTable(const TImage &zeroImage, bool readable)
{
    // One empty row before every input, so that what the grid holds after the
    // open depends on this input alone.
    TDlgAlphaQuartz &dlg = *fixture->quartz;
    dlg.SpinEdit1->setValue(1);
    dlg.SpinEdit1Change();
    dlg.StringGrid1->SetCells(1, 1, QString());
    dlg.StringGrid1->SetCells(2, 1, QString());
    fixture->prompt.answer = fixture->runName;
    fixture->prompt.messages = 0;
    dlg.BitBtn3Click();
    FUZZ_CHECK(fixture->prompt.messages == (readable ? 0 : 1));
    if (!readable)
        return;
    const int32_t count = At<int32_t>(zeroImage, kCountAt);
    const analysis::TFitPoints points = dlg.Points();
    FUZZ_CHECK(points.X.size() == size_t(std::clamp(count, 1, kQuartzRows)));
    for (int32_t r = 0; r < std::min(count, kQuartzRows); ++r) {
        const double t = Sample(zeroImage, kTAt, r), alpha = Sample(zeroImage, kLAt, r);
        if (!std::isfinite(t) || !std::isfinite(alpha))
            FUZZ_CHECK(points.X[r] == 0 && points.Y[r] == 0);
        else if (!Huge(t) && !Huge(alpha))
            FUZZ_CHECK(NearlyEqual(points.X[r], t) && NearlyEqual(points.Y[r], alpha));
    }
    analysis::TCalcParams params;
    params.CalcPoints = kCalcIntervals;
    params.QuartzTable = points;
    CheckOutcome(analysis::ComputeExpansion(*fixture->run, params, std::nullopt));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv);  // for the process's lifetime
    QLocale::setDefault(QLocale(QLocale::Russian));
    fixture = new TFixture;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TFixture &f = *fixture;
    WriteScratch(f.runName, data, size);
    Overlay(f.image, *f.prior, data, size);
    *f.read = *f.prior;
    if (CheckRunFile(f.image, *f.read))
        CheckExport(*f.read);
    Overlay(f.zeroImage, *f.zeroed, data, size);
    const bool readable = At<int32_t>(f.zeroImage, kCountAt) <= kCapacity;
    CheckBaseline(f.zeroImage, readable);
    CheckQuartzTable(f.zeroImage, readable);
    return 0;
}
