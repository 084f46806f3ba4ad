#pragma once
// The rows of "Физический КТР" as a spreadsheet: the header row, then one row
// per temperature with the five values as numbers; an undefined value is an
// empty cell. The window's "В Excel" writes them into a workbook, its CSV
// save and varotem-eval into CSV text.
#include "analysis/core/PhysicalCoefficient.h"
#include "analysis/core/Spreadsheet.h"

#include <QByteArray>

namespace analysis {

// Into a new workbook, then made visible. Returns the message to show, or
// an empty string.
QString ExportPhysical(const TPhysicalOutcome &outcome, TSpreadsheet &sheet);

// The same as CSV text (docs/physical.md).
QByteArray PhysicalCsv(const TPhysicalOutcome &outcome);

} // namespace analysis
