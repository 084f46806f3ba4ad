#pragma once
// The expansion calculation proper: from a calibrated run and the calculation
// parameters to one thermal expansion coefficient per temperature interval.
// No windows, no files, no messages shown: the command (CalculateClick) reads
// the dialogs and the baseline file, calls ComputeExpansion and shows what it
// returns.
#include "app/core/RunData.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace analysis {

// N = 1000 intervals pick 1001 samples; the working arrays are sized for them.
inline constexpr int32_t kMinCalcPoints = 2;
inline constexpr int32_t kMaxCalcPoints = 1000;

// Points of a curve to be fitted by a parabola: the baseline run (T, L) or
// the quartz table (temperature, coefficient).
struct TFitPoints {
    std::vector<double> X;
    std::vector<double> Y;
};

struct TCalcParams {
    int32_t CalcPoints = kDefaultCalcPoints;      // N intervals, N + 1 picked samples
    double SampleLength = kDefaultSampleLength;   // L0
    double QuartzLength = kDefaultQuartzLength;   // LQ
    double QuartzAlpha = kDefaultQuartzAlpha;     // used when QuartzTable is empty
    std::optional<TFitPoints> Baseline;           // calibrated baseline run; none = ignored
    std::optional<TFitPoints> QuartzTable;        // "Таблица" checked
    bool DLFromZero = false;                      // "dL от нуля"
    bool DLQFromZero = false;                     // "dLQ от нуля"
};

// Row j (1..N) of the result table: the temperature is that of picked sample
// j - 1, the differences run from picked sample 0 to picked sample j.
struct TCalcRow {
    int32_t J = 0;
    double T = 0;          // PointT[j - 1]
    double DL = 0;         // "dL"
    double DLQ = 0;        // "dLQ"
    double Diff = 0;       // "dL-dLQ"
    double Relative = 0;   // "(dL-dLQ)/L0"
    double Alpha = 0;      // "Alpha"
};

struct TCalcOutcome {
    // Messages to show before anything else, in order: one
    // "Невозможно закончить расчет!" for each parabola fit that failed (its
    // curve is then taken as zero and the calculation goes on).
    QStringList Notices;
    // Empty on success; otherwise the message to show, and Rows is empty.
    QString Failure;
    std::vector<TCalcRow> Rows;
};

// The calculation on a calibrated record (Count as left by the error filter).
// Picks samples 1 + k s, k = 0..N, s = Count div (N + 1); subtracts the
// baseline parabola at each picked temperature; adds the quartz term, with the
// table's parabola evaluated at the temperature of the interval's first
// picked sample. Fails, with a message and no rows, on N outside
// 2..kMaxCalcPoints, a zero sample length, fewer than N + 1 samples, a zero
// temperature difference or a result that is not a finite number.
TCalcOutcome ComputeExpansion(const TRunData &calibrated, const TCalcParams &params);

// The texts of the result grid's columns 0..6 for one row: the row number,
// fixed(3, 5) for columns 1 to 5 and exponent(6, 2) for the coefficient, with
// the locale's decimal separator.
QStringList FormatCalcRow(const TCalcRow &row);

// The result grid's header row.
QStringList CalcHeader();

} // namespace analysis
