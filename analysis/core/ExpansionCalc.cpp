#include "analysis/core/ExpansionCalc.h"

#include "analysis/core/Baseline.h"
#include "analysis/core/Correction.h"
#include "app/core/LocaleFormat.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace analysis {
namespace {

// The context of this file's texts in the translation catalogue.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(analysis::ExpansionCalc)
};

// The picked samples: k = 0..N, sample 1 + k s of the record.
struct TPicked {
    std::vector<double> T, L, Base;
};

TPicked Pick(const TRunData &run, int32_t n, const std::optional<TParabola> &baseline)
{
    const int32_t s = ValidCount(run) / (n + 1);
    TPicked p;
    p.T.resize(n + 1);
    p.L.resize(n + 1);
    p.Base.resize(n + 1);
    for (int32_t k = 0; k <= n; ++k) {
        p.T[k] = run.T[k * s];
        p.L[k] = run.L[k * s];
        p.Base[k] = baseline ? (*baseline)(p.T[k]) : 0.0;
    }
    return p;
}

bool AllFinite(const TCalcRow &r)
{
    return std::isfinite(r.T) && std::isfinite(r.DL) && std::isfinite(r.DLQ) && std::isfinite(r.Diff) &&
           std::isfinite(r.Relative) && std::isfinite(r.Alpha);
}

TCalcOutcome Failed(TCalcOutcome outcome, const QString &message)
{
    outcome.Failure = message;
    outcome.Rows.clear();
    return outcome;
}

} // namespace

TCalcParams CalcParamsOf(const TRunData &run, const QString &baseLineFile)
{
    const int32_t points = run.CalcPoints;  // by value: no reference into the packed record
    TCalcParams params;
    params.CalcPoints = std::clamp(points, kMinCalcPoints, kMaxCalcPoints);
    params.SampleLength = run.SampleLength;
    params.QuartzAlpha = run.QuartzAlpha;
    params.QuartzLength = run.QuartzLength;
    params.BaseLineFile = baseLineFile;
    return params;
}

void StoreCalcParameters(const TCalcParams &params, TRunData &run)
{
    run.CalcPoints = params.CalcPoints;
    run.SampleLength = params.SampleLength;
    run.QuartzAlpha = params.QuartzAlpha;
    run.QuartzLength = params.QuartzLength;
}

TCalcOutcome ComputeExpansion(const TRunData &calibrated, const TCalcParams &params,
                              const std::optional<TFitPoints> &baselinePoints)
{
    TCalcOutcome out;
    const int32_t n = params.CalcPoints;
    if (n < kMinCalcPoints || n > kMaxCalcPoints)
        return Failed(std::move(out), MsgBadParameter());

    // Each fit starts from zeros of its own, so a failed quartz fit never
    // reuses the baseline's coefficients.
    std::optional<TParabola> baseline;
    if (baselinePoints)
        baseline = FitParabola(*baselinePoints, out.Notices);
    const TPicked p = Pick(calibrated, n, baseline);

    std::vector<double> dT(n), dL(n), dLQ(n);
    for (int32_t j = 1; j <= n; ++j) {
        dT[j - 1] = p.T[j] - p.T[0];
        dL[j - 1] = p.L[j] - p.L[0];
        dLQ[j - 1] = p.Base[j] - p.Base[0];
    }
    // Taken from the value of interval 1 as it was before the shift.
    if (params.DLFromZero)
        for (double first = dL[0]; double &v : dL)
            v -= first;
    if (params.DLQFromZero)
        for (double first = dLQ[0]; double &v : dLQ)
            v -= first;

    std::optional<TParabola> quartz;
    if (params.QuartzTable)
        quartz = FitParabola(*params.QuartzTable, out.Notices);

    const double l0 = params.SampleLength, lq = params.QuartzLength;
    if (l0 == 0.0)
        return Failed(std::move(out), Tr::tr("Длина образца равна нулю! Расчет остановлен!"));
    if (ValidCount(calibrated) < n + 1) {
        return Failed(std::move(out),
                      Tr::tr("В записи %1 точек, для расчета по %2 интервалам нужно не меньше %3! "
                             "Расчет остановлен!")
                          .arg(ValidCount(calibrated))
                          .arg(n)
                          .arg(n + 1));
    }

    out.Rows.reserve(n);
    for (int32_t j = 1; j <= n; ++j) {
        if (dT[j - 1] == 0.0) {
            return Failed(std::move(out),
                          Tr::tr("Нулевая разность температур в интервале %1! Расчет остановлен!").arg(j));
        }
        const double quartzAlpha = quartz ? (*quartz)(p.T[j - 1]) : params.QuartzAlpha;
        TCalcRow r;
        r.J = j;
        r.T = p.T[j - 1];
        r.DL = dL[j - 1];
        r.DLQ = dLQ[j - 1];
        r.Diff = r.DL - r.DLQ;
        r.Relative = r.Diff / l0;
        r.Alpha = r.Relative / dT[j - 1] + quartzAlpha * lq / l0;
        if (!AllFinite(r)) {
            return Failed(std::move(out),
                          Tr::tr("Результат интервала %1 не является числом! Расчет остановлен!").arg(j));
        }
        out.Rows.push_back(r);
    }
    return out;
}

TCalcOutcome Calculate(const TRunData &calibrated, const TCalcParams &params, const TSettings &settings,
                       const TSplineTable &tTable, const TSplineTable &lTable)
{
    return WithBaseline<TCalcOutcome>(params, settings, tTable, lTable, [&](const auto &points) {
        return ComputeExpansion(calibrated, params, points);
    });
}

QStringList FormatCalcRow(const TCalcRow &row)
{
    return {QString::number(row.J),        LocaleFixed(row.T, 3, 5),        LocaleFixed(row.DL, 3, 5),
            LocaleFixed(row.DLQ, 3, 5),    LocaleFixed(row.Diff, 3, 5),     LocaleFixed(row.Relative, 3, 5),
            LocaleExponent(row.Alpha, 6, 2)};
}

QStringList CalcHeader()
{
    return {QStringLiteral("N"),      QStringLiteral("T, deg C"),    QStringLiteral("dL"),
            QStringLiteral("dLQ"),    QStringLiteral("dL-dLQ"),      QStringLiteral("(dL-dLQ)/L0"),
            QStringLiteral("Alpha")};
}

} // namespace analysis
