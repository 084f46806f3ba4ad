#pragma once
// The curves of a comparison of archived runs: each run read from its file
// and calibrated with the settings it was archived with, as L over T, the
// strain (L - L of the first sample) / L0 over T, or the expansion
// coefficient over T.
#include "archive/core/Archive.h"

#include "app/core/RunData.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace archive {

enum class TCompareMode { Length, Strain, Alpha };
inline constexpr int kCompareModeCount = 3;

QString CompareModeCaption(TCompareMode mode);  // "L от T", ...
QString CompareYTitle(TCompareMode mode);       // "L, mkm", "dL/L0", "Alpha"

struct TCompareCurve {
    int64_t id = 0;
    QString label;               // "№ 12: образец 3"
    std::vector<double> x, y;    // T in deg C, and the mode's value
};

struct TComparison {
    std::vector<TCompareCurve> curves;
    QStringList problems;  // runs left out, and why
};

// One run's curve. For the coefficient, the last "Расчет" stored with the run
// (its temperatures and coefficients); without one, the calculation with the
// run's own four parameters and no baseline. problem receives why a run
// gives no curve.
TCompareCurve CurveOf(const TRunEntry &entry, const TRunData &raw, TCompareMode mode,
                      const std::vector<TArchiveResult> &results, QString &problem);

// The curves of the rows, in the order given. A row whose file is missing,
// changed or unreadable is left out with a problem: the comparison shows only
// what was archived.
TComparison LoadComparison(TArchive &archive, const std::vector<int64_t> &ids, TCompareMode mode);

// "№ 12: образец 3", or the file's name when the row has no sample name.
QString RunLabel(const TRunEntry &entry);

} // namespace archive
