#pragma once
// What the two spreadsheet exports put into a workbook.
#include "analysis/core/Spreadsheet.h"
#include "app/core/RunData.h"

#include <QStringList>
#include <vector>

namespace analysis {

// A new workbook with the header row "T, deg C", "L, mm", "TC, deg C" and then
// samples 1..Count of the calibrated record, one row each, as numbers; then
// made visible. A sample that is not a finite number stops the export before
// the workbook is started. Returns the message to show, or an empty string.
QString ExportRun(const TRunData &calibrated, TSpreadsheet &sheet);

// The result table as shown, column by column: table[row][column] is the
// text of a grid cell, row 0 the header. Columns 1..6 become sheet columns
// 1..6 (column 0, the row number, is left out), the header as text in row 1
// and rows 1.. as numbers read from their texts (a text that is not a number
// stays text); then made visible. Returns the message to show, or an empty
// string.
QString ExportTable(const std::vector<QStringList> &table, TSpreadsheet &sheet);

} // namespace analysis
