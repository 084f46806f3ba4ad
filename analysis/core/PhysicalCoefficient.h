#pragma once
// "Физический КТР": from a calibrated run to the sample's expansion over
// temperature, row by row in a fixed temperature step: the length change and
// the strain from a reference temperature, the mean coefficient from it, and
// the physical (instantaneous) coefficient alpha(T) = (1/L0) dL/dT.
//
// The length change is taken as the sample's own: the measured L, less the
// baseline run's parabola over T (as "Расчет" subtracts it), plus the push
// rod's expansion LQ * integral of alpha_q dT that the measurement lost (as
// "Расчет" adds alpha_q LQ / L0 to its coefficient). So
//     dL(T)     = sample's length at T - its length at Tref
//     strain(T) = dL(T) / L0
//     mean(T)   = strain(T) / (T - Tref)
//     alpha(T)  = (dL_meas/dT - baseline'(T)) / L0 + alpha_q(T) LQ / L0,
// with alpha_q the constant "Alpha кварца" or the quartz table's parabola.
//
// dL_meas/dT comes from the run's samples over time: T and L are each
// smoothed over the sample number by a natural cubic smoothing spline
// (numerics/SmoothingSpline.h), both with the same smoothing, and dL/dT is
// the ratio of their slopes. The temperature may wobble or turn; the
// coefficient is left empty where it barely changes. A row at temperature T
// is read where the smoothed temperature first reaches T. docs/physical.md
// gives the rules with their reasons.
#include "analysis/core/AnalysisMessages.h"
#include "analysis/core/Parabola.h"
#include "app/core/Calibration.h"
#include "app/core/RunData.h"
#include "app/core/Settings.h"
#include "numerics/SmoothingSpline.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace analysis {

// The smoothing R, in samples: the spline's weight on its curvature is R^4,
// so it averages over about R samples on either side.
inline constexpr double kMinSmoothing = 0.25;
// The least smoothing the automatic choice takes: noise correlated from
// sample to sample passes cross-validation for signal, which then smooths
// so little that the coefficient, a derivative, is noise.
inline constexpr double kMinAutoSmoothing = 3;
inline constexpr double kMaxSmoothing = 1000;
// The coefficient is left empty where the smoothed temperature changes by
// less than this fraction of the run's usual rate (see RateThreshold).
inline constexpr double kHoldFraction = 0.2;
// The usual rate: the rate 95 % of the samples do not exceed.
inline constexpr double kUsualRateQuantile = 0.95;
// At most this many rows (a step too small for the run's range is refused).
inline constexpr int32_t kMaxPhysicalRows = 10000;

struct TPhysicalParams {
    double SampleLength = kDefaultSampleLength;   // L0
    double QuartzAlpha = kDefaultQuartzAlpha;     // alpha_q without QuartzTable
    double QuartzLength = kDefaultQuartzLength;   // LQ
    QString BaseLineFile = kNoBaseline;           // a run file, or "Nil" for none
    std::optional<TFitPoints> QuartzTable;        // alpha_q over T by the table's parabola
    double Step = 10;                             // K between rows
    double ReferenceTemperature = 20;             // Tref, deg C
    std::optional<double> Smoothing;              // R; none: chosen by generalised cross-validation
};

// The defaults with the run's own L0, LQ and alpha_q.
TPhysicalParams PhysicalParamsOf(const TRunData &run);
// L0, LQ and alpha_q back into the run.
void StorePhysicalParameters(const TPhysicalParams &params, TRunData &run);

// One row; a value that is not defined there is NaN (an empty cell).
struct TPhysicalRow {
    double T = 0;          // Tref + k * Step
    double DL = 0;         // sample's length change from Tref
    double Strain = 0;     // DL / L0, in 1e-6
    double MeanAlpha = 0;  // from Tref; NaN at Tref itself
    double Alpha = 0;      // physical; NaN where the temperature barely changes
};

// How the two channels were smoothed: both with the same R, so that their
// slopes are averages over the same samples. Chosen automatically, R is the
// one generalised cross-validation picks for L - K T, K being the
// least-squares slope of L over T (docs/physical.md).
struct TPhysicalSmoothing {
    bool Automatic = false;
    int32_t Samples = 0;
    double R = 0;
    double K = 0;                    // automatic only
    double GcvR = 0;                 // automatic only: the R cross-validation chose
    bool Raised = false;             // automatic only: GcvR was below kMinAutoSmoothing, R is that floor
    numerics::SmoothingFit Combined; // automatic only: the fit of L - K T at GcvR
    numerics::SmoothingFit T, L;     // the fits at R
};

struct TPhysicalOutcome : TCommandReport {
    double ReferenceTemperature = 0;
    std::vector<TPhysicalRow> Rows;  // by rising temperature
    TPhysicalSmoothing Smoothing;
    double RateThreshold = 0;        // |dT/dsample| below it leaves the coefficient empty
    // Per sample, in the run's order: the calibrated data, the smoothed
    // curves, the physical coefficient (NaN where empty).
    std::vector<double> T, L, TSmooth, LSmooth, Alpha;
};

// The computation on a calibrated record, with the baseline's calibrated
// points (none: no baseline). Fails, with a message and no rows, on a
// parameter out of range, fewer than 3 samples, a sample that is not a
// number, a reference temperature the smoothed run never reaches, or more
// than kMaxPhysicalRows rows.
TPhysicalOutcome ComputePhysical(const TRunData &calibrated, const TPhysicalParams &params,
                                 const std::optional<TFitPoints> &baseline);

// The whole command: the baseline named by the parameters loaded as
// "Расчет" loads it (its message first among the notices; a name without a
// file stops), then ComputePhysical.
TPhysicalOutcome CalculatePhysical(const TRunData &calibrated, const TPhysicalParams &params,
                                   const TSettings &settings, const TSplineTable &tTable,
                                   const TSplineTable &lTable);

// The table's header, naming the reference temperature.
QStringList PhysicalHeader(double referenceTemperature);
// A row's texts in the locale's format; an undefined value is empty.
QStringList FormatPhysicalRow(const TPhysicalRow &row);
// One line on how the run was smoothed.
QString SmoothingSummary(const TPhysicalSmoothing &smoothing);

} // namespace analysis
