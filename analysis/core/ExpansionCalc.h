#pragma once
// The expansion calculation ("Расчет"): from a calibrated run and the
// calculation parameters to one thermal expansion coefficient per temperature
// interval. No windows and no messages shown: the command (CalculateClick) and
// varotem-eval fill a TCalcParams, call Calculate and show what it returns.
#include "analysis/core/AnalysisMessages.h"
#include "analysis/core/Parabola.h"
#include "app/core/Calibration.h"
#include "app/core/RunData.h"
#include "app/core/Settings.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace analysis {

// N = 1000 intervals pick 1001 samples; the working arrays are sized for them.
inline constexpr int32_t kMinCalcPoints = 2;
inline constexpr int32_t kMaxCalcPoints = 1000;

// What "Параметры расчета" holds: the run's four parameters, the baseline
// file and the options of one calculation.
struct TCalcParams {
    int32_t CalcPoints = kDefaultCalcPoints;      // "Точек": N intervals, N + 1 picked samples
    double SampleLength = kDefaultSampleLength;   // "Длина образца": L0
    double QuartzAlpha = kDefaultQuartzAlpha;     // "Alpha кварца": used without QuartzTable
    double QuartzLength = kDefaultQuartzLength;   // "L кварца": LQ
    QString BaseLineFile = kNoBaseline;           // "Базовая линия": a run file, or "Nil" for none
    std::optional<TFitPoints> QuartzTable;        // "Таблица" checked: the table's points
    bool DLFromZero = false;                      // "dL от нуля"
    bool DLQFromZero = false;                     // "dLQ от нуля"
};

// The parameters as the dialog is filled for a run: its four parameters (the
// point count brought into 2..1000, as the spin box shows it) and the
// baseline file name; no quartz table, no option set.
TCalcParams CalcParamsOf(const TRunData &run, const QString &baseLineFile);
// The four parameters back into the run.
void StoreCalcParameters(const TCalcParams &params, TRunData &run);

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

// Notices: the baseline's message (see Calculate), then one "Невозможно
// закончить расчет!" for each parabola fit that failed (its curve is then
// taken as zero and the calculation goes on). On a failure Rows is empty.
struct TCalcOutcome : TCommandReport {
    std::vector<TCalcRow> Rows;
};

// The calculation on a calibrated record (Count as left by the error filter)
// with the calibrated baseline run (none: ignored; params.BaseLineFile is not
// read). Picks samples 1 + k s, k = 0..N, s = Count div (N + 1); subtracts the
// baseline parabola at each picked temperature; adds the quartz term, with the
// table's parabola evaluated at the temperature of the interval's first
// picked sample. Fails, with a message and no rows, on N outside
// 2..kMaxCalcPoints, a zero sample length, fewer than N + 1 samples, a zero
// temperature difference or a result that is not a finite number.
TCalcOutcome ComputeExpansion(const TRunData &calibrated, const TCalcParams &params,
                              const std::optional<TFitPoints> &baseline);

// The whole calculation of "Расчет": the baseline named by the parameters
// ("Nil": ignored; a name without a file or a file that is not a run: stopped
// with "Базовая линия не загружена! Расчет остановлен!"), read and calibrated
// like the run, its message first among the notices, then the warning of a
// baseline whose recorded sample length differs from the run's by more than
// 10 % (SampleLengthWarning); then ComputeExpansion.
TCalcOutcome Calculate(const TRunData &calibrated, const TCalcParams &params, const TSettings &settings,
                       const TSplineTable &tTable, const TSplineTable &lTable);

// The texts of the result grid's columns 0..6 for one row: the row number,
// fixed(3, 5) for columns 1 to 5 and exponent(6, 2) for the coefficient, with
// the locale's decimal separator.
QStringList FormatCalcRow(const TCalcRow &row);

// The result grid's header row.
QStringList CalcHeader();

} // namespace analysis
