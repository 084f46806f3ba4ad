#pragma once
// The spreadsheet as CSV text (RFC 4180 fields, one line per row ending in
// LF): what varotem-eval writes where the window writes a workbook. Numbers
// are written in the shortest form that reads back as the same double, with
// '.' whatever the locale; a number that is not finite gives an empty field.
// A text is quoted when it holds a comma, a quote or a line break.
#include "analysis/core/Spreadsheet.h"

#include <QByteArray>
#include <QStringList>
#include <vector>

class TCsvSpreadsheet final : public TSpreadsheet {
public:
    QString NewWorkbook() override;
    void SetCell(int row, int column, const QString &text) override;
    void SetCell(int row, int column, double value) override;
    // Nothing to show: the caller takes Text().
    QString MakeVisible() override { return {}; }

    // Rows 1 to the last written, each with as many fields as the widest row
    // (cells never written are empty), as UTF-8.
    QByteArray Text() const;

    // A number as its field holds it.
    static QString Number(double value);

private:
    std::vector<QStringList> rows_;  // fields as written, quoted where needed
};
