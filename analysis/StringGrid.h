#pragma once
// A string grid in the manner of the program's tables: row 0 and column 0 are
// fixed (grey, not editable, not selectable) and hold the headers and row
// numbers; cells are addressed as (column, row) and read back as text.
#include <QTableWidget>

class TStringGrid : public QTableWidget {
    Q_OBJECT
public:
    // columns including the fixed column; editable: the other cells may be
    // edited by the user.
    TStringGrid(int columns, bool editable, QWidget *parent = nullptr);

    // The text of a cell; empty for a cell never written.
    QString Cells(int column, int row) const;
    void SetCells(int column, int row, const QString &text);

    // Rows including the fixed row (at least 1). New rows start empty.
    int RowCount() const { return rowCount(); }
    void SetRowCount(int rows);

private:
    bool editable_;
};
