#pragma once
// What the two spreadsheet exports put into a workbook.
#include "analysis/Spreadsheet.h"
#include "app/core/RunData.h"

class TStringGrid;

namespace analysis {

// A new workbook with the header row "T, deg C", "L, mm", "TC, deg C" and then
// samples 1..Count of the calibrated record, one row each, as numbers; then
// made visible. A sample that is not a finite number stops the export before
// the workbook is started. Returns the message to show, or an empty string.
QString ExportRun(const TRunData &calibrated, TSpreadsheet &sheet);

// The result table, column by column: grid columns 1..6 become sheet columns
// 1..6, the fixed row's header as text in row 1 and grid rows 1.. as numbers
// read from their texts (a text that is not a number stays text); then made
// visible. Returns the message to show, or an empty string.
QString ExportGrid(const TStringGrid &grid, TSpreadsheet &sheet);

} // namespace analysis
