#pragma once
// The values of "Стеклование и размягчение" as texts (the window's list and
// varotem-eval's table) and as one row of a workbook or CSV file.
#include "analysis/core/GlassTransition.h"
#include "analysis/core/Spreadsheet.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace analysis {

// What stands for Ts when the curve has no maximum it passes.
QString TsNotReached();

// "Tg, deg C", "Alpha стекла, 1e-6 1/K", "Alpha жидкости, 1e-6 1/K",
// "Ts, deg C", "T1, deg C" .. "T4, deg C".
QStringList GlassHeader();

// The values in the header's order: Tg and the coefficients absent when the
// tangents were refused, Ts when not reached.
std::vector<std::optional<double>> GlassValues(const TGlassResult &result);

// The values' texts with the locale's decimal separator: temperatures with
// one decimal, coefficients with two; Ts not reached is TsNotReached(), a
// value that is absent otherwise an empty text.
QStringList GlassValueTexts(const TGlassResult &result);

// A new workbook with the header in row 1 and the values in row 2, as
// numbers; Ts not reached is the text notReached (empty: no cell), another
// absent value no cell. Then made visible. Returns the message to show, or
// an empty string.
QString ExportGlass(const TGlassResult &result, TSpreadsheet &sheet, const QString &notReached);

} // namespace analysis
