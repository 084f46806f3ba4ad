#pragma once
// "Стеклование и размягчение" without windows: the transformation temperature
// Tg of a glass by the tangent method and its dilatometric softening point
// Ts, from the calibrated run (less a baseline when one is given) over
// temperature.
//
// Tg is the temperature at which the tangents to the straight portions of
// the curve below and above the transformation range meet (ISO 7884-8). The
// portions are the operator's four markers; unless given, they are chosen by
// a two-segment regression with a transition range (ChooseGlassRanges). Ts is
// the temperature of the curve's maximum, once the curve has passed it by the
// softening criterion of app/core/SofteningWatch.h (FindSoftening).
#include "analysis/core/AnalysisMessages.h"
#include "analysis/core/Parabola.h"
#include "app/core/Calibration.h"
#include "app/core/RunData.h"
#include "app/core/Settings.h"
#include "numerics/LocalQuadratic.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace analysis {

// A portion needs at least this many samples for its tangent.
inline constexpr int32_t kMinPortionSamples = 5;
// An automatically chosen portion spans at least this much (K): a tangent
// over a narrower one is at the mercy of the noise.
inline constexpr double kMinPortionWidth = 10.0;
// The automatic portions need a transformation: the two straight lines with
// their bend must fit the curve better than a parabola by an F statistic
// above kTransformationF, and the parabola must leave more than the rounding
// (kRoundingShare of the curve's size) per sample.
inline constexpr double kTransformationF = 50.0;
inline constexpr double kRoundingShare = 1e-9;
// The heating part of a run ends where the smoothed temperature first comes
// this close (K) to its highest.
inline constexpr double kHeatingTopGap = 0.5;
// With the softening reached, the liquid portion ends where the slope of the
// smoothed curve, going down from the maximum, is back to this share of its
// largest value: beyond it the softened sample already gives way.
inline constexpr double kLiquidSlopeShare = 0.9;

// The markers, degrees Celsius: the glassy portion between T1 and T2, the
// liquid portion between T3 and T4 (each pair in either order).
struct TGlassRanges {
    double T1 = 0, T2 = 0, T3 = 0, T4 = 0;
};

struct TGlassParams {
    QString BaseLineFile = kNoBaseline;  // a run file, or "Nil" for none
    std::optional<TGlassRanges> Ranges;  // none: chosen automatically
    double MarginPercent = 0.5;          // of the softening criterion
};

// The heating part of the run in time order: samples 1..N of the calibrated
// run less the baseline, and their smoothing.
struct TGlassCurve {
    std::vector<double> T, L;
    std::vector<double> SmoothT, SmoothL;        // Savitzky-Golay, degree 2
    std::vector<double> SlopeT, SlopeL;          // their slopes per sample
    int32_t HalfWidth = 0;                       // of the smoothing, samples (cross-validated)
    double TMin = 0, TMax = 0;                   // of T
};

struct TSoftening {
    double Ts = 0, Ls = 0;            // the maximum
    int32_t Peak = 0;                 // index of the largest smoothed length
    // The parabola of L over T fitted to the top of the curve (the samples
    // whose smoothed length lies within the criterion's drop of the
    // maximum), over TopFrom..TopTo; its vertex is Ts. Absent when the top
    // holds too few samples or does not bend down: Ts is then the smoothed
    // temperature at Peak.
    std::optional<numerics::TLocalParabola> Top;
    double TopFrom = 0, TopTo = 0;
};

struct TTangent {
    double Intercept = 0, Slope = 0;  // L = Intercept + Slope * T
    double SlopeError = 0;            // standard error of the slope
    int32_t Samples = 0;
    double operator()(double t) const { return Intercept + Slope * t; }
};

// The sample length and the push-rod term of "Расчет": a slope s of L over T
// is the coefficient s / L0 + QuartzAlpha * LQ / L0.
struct TRodTerm {
    double SampleLength = kDefaultSampleLength;
    double QuartzAlpha = kDefaultQuartzAlpha;
    double QuartzLength = kDefaultQuartzLength;
};
TRodTerm RodTermOf(const TRunData &run);

// The tangents of the markers, or why there are none.
struct TGlassTangents {
    QString Failure;
    TTangent Glass, Liquid;
    double Tg = 0, Lg = 0;                   // where they meet
    double AlphaGlass = 0, AlphaLiquid = 0;  // 1e-6 per K
};

struct TGlassResult : TCommandReport {
    TGlassCurve Curve;
    std::optional<TSoftening> Softening;  // none: not reached
    TGlassRanges Ranges;                  // the markers used
    TGlassTangents Tangents;
    TRodTerm Rod;
};

// The heating part of the calibrated run less the baseline parabola (shifted
// to leave the first sample's length as it is), smoothed. Fails, with the
// message in failure, on fewer than 2 kMinPortionSamples + 1 samples or a
// value that is not a finite number.
std::optional<TGlassCurve> PrepareGlassCurve(const TRunData &calibrated, const std::optional<TFitPoints> &baseline,
                                             QStringList &notices, QString &failure);

// The softening point of the curve, or none when the smoothed curve has no
// maximum that it passes by the criterion within its heating part.
std::optional<TSoftening> FindSoftening(const TGlassCurve &curve, double marginPercent);

// The markers chosen automatically. The fitted range runs from the lowest
// temperature up to the end of the liquid portion (kLiquidSlopeShare; the
// heating part's top when the softening is not reached). Over it, the curve
// is fitted by least squares with two straight lines joined by a parabolic
// bend (numerics/BentCable.h); the bend [tau - gamma, tau + gamma] is the
// transformation range, so T2 and T3 are its ends and T1, T4 those of the
// range. Empty, with the message in failure, when the fit fails, when the
// curve shows no transformation ("Переход не найден"), or when a portion
// would be narrower than kMinPortionWidth.
std::optional<TGlassRanges> ChooseGlassRanges(const TGlassCurve &curve, const std::optional<TSoftening> &softening,
                                              QString &failure);

// The tangents: least-squares lines over the samples of each portion, their
// meeting point and their coefficients. Refused (Failure set) when a portion
// holds fewer than kMinPortionSamples samples or no spread of temperature,
// when the glassy portion does not lie below the liquid one, when the slopes
// do not differ by more than three standard errors of their difference
// (parallel), when they meet outside the curve's temperatures, or when the
// sample length is 0.
TGlassTangents FitTangents(const TGlassCurve &curve, const TGlassRanges &ranges, const TRodTerm &rod);

// The whole command: the baseline named by the parameters, loaded and
// calibrated as "Расчет" loads it (its message first among the notices), the
// curve, the softening point, the markers (given or chosen) and the tangents.
// Failure is set when there is no curve to show; a refusal of the tangents
// stays in Tangents.Failure.
TGlassResult AnalyseGlass(const TRunData &calibrated, const TGlassParams &params, const TSettings &settings,
                          const TSplineTable &tTable, const TSplineTable &lTable);

} // namespace analysis
