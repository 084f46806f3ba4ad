#pragma once
// "Коррекция по эталону": a run measured on a reference sample becomes a
// correction file, an ordinary run file that "Расчет", "Сведение" and
// varotem-eval take as their baseline.
//
// The calculation gives Alpha = ((dL - dLQ) / L0) / dT + aq LQ / L0, dLQ from
// the baseline's parabola. The correction is what the instrument would have
// shown for a sample that does not expand, with the push-rod term the
// calculation adds back already taken out:
//   C_i = L_i - L0ref (eps(T_i) - eps(T_1)) + aq LQ (T_i - T_1),
// with L_i and T_i the reference run's calibrated samples, eps the reference
// material's certified strain and aq, LQ the reference run's "Alpha кварца"
// and "L кварца". A sample measured on the same instrument with the same
// push-rod parameters then gives its own mean coefficient.
#include "analysis/core/AnalysisMessages.h"
#include "analysis/core/Baseline.h"
#include "app/core/Calibration.h"
#include "app/core/RunData.h"
#include "app/core/Settings.h"
#include "materials/ReferenceMaterial.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace analysis {

// A sample length may differ from the reference sample's by this share
// before a baseline is warned about.
inline constexpr double kSampleLengthTolerance = 0.10;

// A reference run's temperature may lie this far (K) outside the material's
// certified range: a reading rounded at the range's end, or a calibrated first
// sample a hair below it, is still the certified material. Its strain there
// continues the certified formula; over 0.05 K the difference is far below
// what any run resolves.
inline constexpr double kCertifiedRangeTolerance = 0.05;

struct TCorrectionOutcome : TCommandReport {
    // The correction file's record: Count and T and TC as in the reference
    // run (the samples flagged as failed conversions dropped), for L the raw
    // readings that calibrate to the correction, the run's CalcPoints,
    // QuartzLength and QuartzAlpha, and the reference sample's length as
    // SampleLength. Empty on a failure.
    std::unique_ptr<TRunData> File;
};

// The correction of the raw reference run, calibrated with the settings and
// tables; material is the reference sample's, referenceLength its length in
// the unit of L. Refused, with a message: a length that is not a positive
// number, fewer than 3 samples, a reference-point table that cannot be used,
// a sample outside the material's certified range by more than
// kCertifiedRangeTolerance (the range is named), a value that is not a finite
// number, or an L calibration that is not strictly monotonic over the
// readings the correction needs.
TCorrectionOutcome MakeCorrection(const TRunData &raw, const materials::TReferenceMaterial &material,
                                  double referenceLength, const TSettings &settings, const TSplineTable &tTable,
                                  const TSplineTable &lTable);

// The warning for a baseline whose recorded sample length (a correction's
// reference sample) differs from the run's by more than 10 % of it; nothing
// when it does not, or when the baseline records no length (0 or not a
// number: a run written without one).
std::optional<QString> SampleLengthWarning(double runLength, double baselineLength);

// The push-rod parameters a calculation adds its push-rod term with: "Alpha
// кварца" (none when the quartz table gives the coefficient instead) and
// "L кварца".
struct TRodParameters {
    std::optional<double> QuartzAlpha;
    double QuartzLength = 0;
};

// Two values of a parameter are taken as the same within this share, so a
// value written as text and read back still matches.
inline constexpr double kRodParameterTolerance = 1e-6;

// The warnings for a baseline recorded with another "Alpha кварца" or
// "L кварца" than the run's: a correction holds the push-rod term of its
// reference run, so the run's own term is only taken out right with the same
// values. Nothing for a value the baseline does not record (0 or not a
// number) or the run does not use.
QStringList RodParameterWarnings(const TRodParameters &run, double baselineAlpha, double baselineLength);

// What every command with a baseline says of it, in order: the baseline's
// message, then, for a loaded one, the sample-length warning against the
// run's sample length (none without runLength) and the push-rod parameter
// warnings against the run's (none without runRod).
QStringList BaselineNotices(const TBaseline &baseline, std::optional<double> runLength,
                            std::optional<TRodParameters> runRod = std::nullopt);

// A command on the run with its parameters' baseline, as "Расчет" and
// "Физический КТР" run: the baseline loaded (a name without a file stops the
// command with the baseline's message), compute(points) with its calibrated
// points (none: no baseline), then the baseline's notices ahead of the
// computation's own. Params names the baseline, the sample length and the
// push rod as TCalcParams does; Outcome is a TCommandReport.
template <class Outcome, class Params, class Compute>
Outcome WithBaseline(const Params &params, const TSettings &settings, const TSplineTable &tTable,
                     const TSplineTable &lTable, Compute compute)
{
    TBaseline baseline = LoadBaseline(params.BaseLineFile, TMissingBaseline::Stops, settings, tTable, lTable);
    Outcome out;
    if (baseline.State == TBaselineState::NotLoaded) {
        out.Failure = BaselineMessage(baseline.State);
    } else {
        std::optional<TFitPoints> points;
        if (baseline.State == TBaselineState::Loaded)
            points = std::move(baseline.Points);
        out = compute(points);
        const TRodParameters rod{params.QuartzTable ? std::nullopt : std::optional(params.QuartzAlpha),
                                 params.QuartzLength};
        out.Notices = BaselineNotices(baseline, params.SampleLength, rod) + out.Notices;
    }
    out.BaselineMissing = baseline.Missing;
    return out;
}

} // namespace analysis
