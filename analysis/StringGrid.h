#pragma once
// A string grid in the manner of the program's tables: row 0 and column 0 are
// fixed (grey, not editable, not selectable) and hold the headers and row
// numbers; cells are addressed as (column, row) and read back as text.
#include <QStringList>
#include <QTableWidget>
#include <vector>

class TStringGrid : public QTableWidget {
    Q_OBJECT
public:
    // columns including the fixed column; editable: the other cells may be
    // edited by the user.
    TStringGrid(int columns, bool editable, QWidget *parent = nullptr);

    // The text of a cell; empty for a cell never written.
    QString Cells(int column, int row) const;
    void SetCells(int column, int row, const QString &text);
    // The texts of all rows, the fixed row first: [row][column].
    std::vector<QStringList> Texts() const;

    // Rows including the fixed row (at least 1). Fewer rows do not clear the
    // cut rows' texts: when the grid grows again they come back as they were.
    // Rows never written start empty.
    int RowCount() const { return rowCount(); }
    void SetRowCount(int rows);

private:
    bool editable_;
    std::vector<QStringList> cutRows_;  // texts of rows RowCount().., by row
};
