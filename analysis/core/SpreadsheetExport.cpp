#include "analysis/core/SpreadsheetExport.h"

#include "app/core/LocaleFormat.h"

#include <QCoreApplication>
#include <cmath>

namespace analysis {
namespace {

// The context of this file's texts in the translation catalogue.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(analysis::SpreadsheetExport)
};

int32_t FirstNotFinite(const TRunData &run)
{
    const int32_t n = ValidCount(run);
    for (int32_t i = 0; i < n; ++i) {
        if (!std::isfinite(run.T[i]) || !std::isfinite(run.L[i]) || !std::isfinite(run.TC[i]))
            return i + 1;
    }
    return 0;
}

} // namespace

QString ExportRun(const TRunData &calibrated, TSpreadsheet &sheet)
{
    if (const int32_t bad = FirstNotFinite(calibrated); bad > 0)
        return Tr::tr("Экспорт невозможен: значение точки %1 не является числом!").arg(bad);
    if (QString error = sheet.NewWorkbook(); !error.isEmpty())
        return error;
    sheet.SetCell(1, 1, QStringLiteral("T, deg C"));
    sheet.SetCell(1, 2, QStringLiteral("L, mm"));
    sheet.SetCell(1, 3, QStringLiteral("TC, deg C"));
    const int32_t n = ValidCount(calibrated);
    for (int32_t i = 0; i < n; ++i) {
        sheet.SetCell(i + 2, 1, double(calibrated.T[i]));
        sheet.SetCell(i + 2, 2, double(calibrated.L[i]));
        sheet.SetCell(i + 2, 3, double(calibrated.TC[i]));
    }
    return sheet.MakeVisible();
}

QString ExportTable(const std::vector<QStringList> &table, TSpreadsheet &sheet)
{
    if (QString error = sheet.NewWorkbook(); !error.isEmpty())
        return error;
    const auto cell = [&table](int column, int row) { return table[row].value(column); };
    const int columns = table.empty() ? 0 : std::min(int(table[0].size()), 7);
    for (int a = 1; a < columns; ++a) {
        sheet.SetCell(1, a, cell(a, 0));
        for (int c = 1; c < int(table.size()); ++c) {
            const QString text = cell(a, c);
            double value = 0;
            if (LocaleParseReal(text, value))
                sheet.SetCell(c + 1, a, value);
            else
                sheet.SetCell(c + 1, a, text);
        }
    }
    return sheet.MakeVisible();
}

} // namespace analysis
