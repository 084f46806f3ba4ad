#include "archive/core/CompareSeries.h"

#include "archive/core/CalcResult.h"
#include "archive/core/RunFacts.h"

#include "analysis/core/ExpansionCalc.h"
#include "app/core/DataFiles.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
// The context of this file's texts in the translation catalogue.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(archive::CompareSeries)
};
} // namespace

namespace archive {

QString CompareModeCaption(TCompareMode mode)
{
    switch (mode) {
    case TCompareMode::Length: return Tr::tr("L от T");
    case TCompareMode::Strain: return Tr::tr("Относительное удлинение от T");
    case TCompareMode::Alpha: return Tr::tr("Коэффициент расширения от T");
    }
    return {};
}

QString CompareYTitle(TCompareMode mode)
{
    switch (mode) {
    case TCompareMode::Length: return QStringLiteral("L, mkm");
    case TCompareMode::Strain: return QStringLiteral("dL/L0");
    case TCompareMode::Alpha: return QStringLiteral("Alpha");
    }
    return {};
}

QString RunLabel(const TRunEntry &entry)
{
    const QString name =
        entry.description.name.isEmpty() ? QFileInfo(entry.path).fileName() : entry.description.name;
    return Tr::tr("№ %1: %2").arg(entry.id).arg(name);
}

TCompareCurve CurveOf(const TRunEntry &entry, const TRunData &raw, TCompareMode mode,
                      const std::vector<TArchiveResult> &results, QString &problem)
{
    TCompareCurve curve;
    curve.id = entry.id;
    curve.label = RunLabel(entry);
    if (mode == TCompareMode::Alpha) {
        if (const TArchiveResult *calc = LastResult(results, kCalcCommand)) {
            const int t = ColumnOf(*calc, QStringLiteral("T, deg C")), a = ColumnOf(*calc, QStringLiteral("Alpha"));
            if (t >= 0 && a >= 0) {
                for (const std::vector<double> &row : calc->rows) {
                    curve.x.push_back(row[size_t(t)]);
                    curve.y.push_back(row[size_t(a)]);
                }
                return curve;
            }
        }
    }
    const TRunSettings &s = entry.settings;
    const auto calibrated = CalibratedCopy(raw, s.settings, s.tTable, s.lTable);
    const int32_t n = ValidCount(*calibrated);
    if (mode == TCompareMode::Alpha) {
        const analysis::TCalcOutcome outcome =
            analysis::ComputeExpansion(*calibrated, analysis::CalcParamsOf(raw, analysis::kNoBaseline), std::nullopt);
        if (!outcome.Failure.isEmpty()) {
            problem = outcome.Failure;
            return curve;
        }
        for (const analysis::TCalcRow &row : outcome.Rows) {
            curve.x.push_back(row.T);
            curve.y.push_back(row.Alpha);
        }
        return curve;
    }
    const double l0 = raw.SampleLength;
    if (mode == TCompareMode::Strain && (l0 == 0.0 || n == 0)) {
        problem = n == 0 ? Tr::tr("в записи нет точек") : Tr::tr("длина образца равна нулю");
        return curve;
    }
    curve.x.resize(size_t(n));
    curve.y.resize(size_t(n));
    const double first = n > 0 ? double(calibrated->L[0]) : 0.0;
    for (int32_t i = 0; i < n; ++i) {
        curve.x[size_t(i)] = calibrated->T[i];
        const double l = calibrated->L[i];
        curve.y[size_t(i)] = mode == TCompareMode::Length ? l : (l - first) / l0;
    }
    return curve;
}

TComparison LoadComparison(TArchive &archive, const std::vector<int64_t> &ids, TCompareMode mode)
{
    TComparison comparison;
    for (int64_t id : ids) {
        const std::optional<TRunEntry> entry = archive.Run(id);
        if (!entry)
            continue;
        const QString label = RunLabel(*entry);
        const TFileState state = CheckRunFile(entry->path, entry->facts.size, entry->facts.sha256);
        if (state != TFileState::Present) {
            comparison.problems << Tr::tr("%1: файл %2").arg(label, FileStateCaption(state));
            continue;
        }
        auto raw = std::make_unique<TRunData>();
        ClearRun(*raw);
        if (const QString error = ReadRunFile(entry->path, *raw, entry->settings.settings.ErrorCode);
            !error.isEmpty()) {
            comparison.problems << QStringLiteral("%1: %2").arg(label, error);
            continue;
        }
        QString problem;
        TCompareCurve curve = CurveOf(*entry, *raw, mode, archive.Results(id), problem);
        if (!problem.isEmpty()) {
            comparison.problems << QStringLiteral("%1: %2").arg(label, problem);
            continue;
        }
        comparison.curves.push_back(std::move(curve));
    }
    return comparison;
}

} // namespace archive
