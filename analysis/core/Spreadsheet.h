#pragma once
// The spreadsheet the exports write to, reduced to the four operations they
// use. The program's one is an .xlsx workbook (XlsxSpreadsheet.h); tests put
// a recorder in its place.
#include <QString>
#include <functional>

class TSpreadsheet {
public:
    virtual ~TSpreadsheet() = default;

    // Starts a new, empty workbook that the following cells go to. Returns an
    // empty string, or the message to show when no workbook could be started.
    virtual QString NewWorkbook() = 0;
    // One cell of the workbook's sheet; row and column count from 1. A text
    // becomes a text cell, a double a number cell.
    virtual void SetCell(int row, int column, const QString &text) = 0;
    virtual void SetCell(int row, int column, double value) = 0;
    // Hands the workbook to the user. Returns an empty string, or the message
    // to show (a failure, or where the workbook was left).
    virtual QString MakeVisible() = 0;

    // Told the file of each workbook once it is written, whether or not a
    // spreadsheet program then opened it: the main window names it in its
    // status bar, since a desktop launcher reports success as soon as it
    // starts, not when the workbook is open.
    std::function<void(const QString &fileName)> OnWritten;
};
