#include "archive/core/AnalysisResults.h"

namespace archive {

TArchiveResult PhysicalResult(const analysis::TPhysicalParams &params, const analysis::TPhysicalOutcome &outcome)
{
    TArchiveResult r;
    r.command = kPhysicalCommand;
    r.params = {{QStringLiteral("SampleLength"), params.SampleLength},
                {QStringLiteral("QuartzAlpha"), params.QuartzAlpha},
                {QStringLiteral("QuartzLength"), params.QuartzLength},
                {QStringLiteral("BaseLineFile"), params.BaseLineFile},
                {QStringLiteral("QuartzTable"), params.QuartzTable.has_value()},
                {QStringLiteral("Step"), params.Step},
                {QStringLiteral("ReferenceTemperature"), params.ReferenceTemperature}};
    if (params.Smoothing)
        r.params.insert(QStringLiteral("Smoothing"), *params.Smoothing);
    r.values = {{QStringLiteral("R"), outcome.Smoothing.R},
                {QStringLiteral("Automatic"), outcome.Smoothing.Automatic}};
    r.columns = analysis::PhysicalHeader(outcome.ReferenceTemperature);
    for (const analysis::TPhysicalRow &row : outcome.Rows)
        r.rows.push_back({row.T, row.DL, row.Strain, row.MeanAlpha, row.Alpha});
    return r;
}

TArchiveResult GlassResult(const analysis::TGlassResult &result)
{
    TArchiveResult r;
    r.command = kGlassCommand;
    const analysis::TGlassRanges &m = result.Ranges;
    r.params = {{QStringLiteral("T1"), m.T1}, {QStringLiteral("T2"), m.T2},
                {QStringLiteral("T3"), m.T3}, {QStringLiteral("T4"), m.T4}};
    const analysis::TGlassTangents &t = result.Tangents;
    if (t.Failure.isEmpty()) {
        r.values.insert(QStringLiteral("Tg"), t.Tg);
        r.values.insert(QStringLiteral("AlphaGlass"), t.AlphaGlass);
        r.values.insert(QStringLiteral("AlphaLiquid"), t.AlphaLiquid);
    } else {
        r.values.insert(QStringLiteral("Tg"), t.Failure);
    }
    if (result.Softening)
        r.values.insert(QStringLiteral("Ts"), result.Softening->Ts);
    else
        r.values.insert(QStringLiteral("Ts"), QStringLiteral("не достигнута"));  // stored in the program's own language
    return r;
}

} // namespace archive
