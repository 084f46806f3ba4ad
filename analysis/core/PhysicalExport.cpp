#include "analysis/core/PhysicalExport.h"

#include "analysis/core/CsvSpreadsheet.h"

#include <cmath>

namespace analysis {
namespace {

void Fill(const TPhysicalOutcome &outcome, TSpreadsheet &sheet)
{
    const QStringList header = PhysicalHeader(outcome.ReferenceTemperature);
    for (int a = 0; a < header.size(); ++a)
        sheet.SetCell(1, a + 1, header[a]);
    int line = 1;
    for (const TPhysicalRow &r : outcome.Rows) {
        ++line;
        const double values[] = {r.T, r.DL, r.Strain, r.MeanAlpha, r.Alpha};
        for (int a = 0; a < 5; ++a) {
            if (std::isfinite(values[a]))
                sheet.SetCell(line, a + 1, values[a]);
        }
    }
}

} // namespace

QString ExportPhysical(const TPhysicalOutcome &outcome, TSpreadsheet &sheet)
{
    if (QString error = sheet.NewWorkbook(); !error.isEmpty())
        return error;
    Fill(outcome, sheet);
    return sheet.MakeVisible();
}

QByteArray PhysicalCsv(const TPhysicalOutcome &outcome)
{
    TCsvSpreadsheet sheet;
    Fill(outcome, sheet);
    return sheet.Text();
}

} // namespace analysis
