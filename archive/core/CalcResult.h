#pragma once
// "Расчет" as a stored result: its parameters and its table at full
// precision, and the table taken back out for a comparison.
#include "archive/core/ArchiveTypes.h"

#include "analysis/core/ExpansionCalc.h"

namespace archive {

// The command's name as its menu entry reads, stored with its results in the
// program's own language whatever the language of the window.
inline const QString kCalcCommand = QStringLiteral("Расчет");

TArchiveResult CalcResult(const analysis::TCalcParams &params, const std::vector<analysis::TCalcRow> &rows);

// The last result of the command among results; null when none.
const TArchiveResult *LastResult(const std::vector<TArchiveResult> &results, const QString &command);

// The last result of each command, in the order of the commands' first results.
std::vector<TArchiveResult> LastResults(const std::vector<TArchiveResult> &results);

// The index of a column named so; -1 when the result has none.
int ColumnOf(const TArchiveResult &result, const QString &name);

} // namespace archive
