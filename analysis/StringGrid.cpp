#include "analysis/StringGrid.h"

#include <QHeaderView>

namespace {
const QColor kFixedColor(0xF0, 0xF0, 0xF0);
}

TStringGrid::TStringGrid(int columns, bool editable, QWidget *parent)
    : QTableWidget(1, columns, parent), editable_(editable)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(20);
    setWordWrap(false);
    setEditTriggers(editable ? QAbstractItemView::AllEditTriggers : QAbstractItemView::NoEditTriggers);
    setSelectionMode(editable ? QAbstractItemView::ContiguousSelection : QAbstractItemView::SingleSelection);
}

QString TStringGrid::Cells(int column, int row) const
{
    const QTableWidgetItem *cell = item(row, column);
    return cell ? cell->text() : QString();
}

void TStringGrid::SetCells(int column, int row, const QString &text)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return;
    if (QTableWidgetItem *cell = item(row, column)) {
        cell->setText(text);
        return;
    }
    auto *cell = new QTableWidgetItem(text);
    if (row == 0 || column == 0) {
        cell->setFlags(Qt::ItemIsEnabled);
        cell->setBackground(kFixedColor);
    } else if (!editable_) {
        cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    }
    setItem(row, column, cell);
}

void TStringGrid::SetRowCount(int rows)
{
    setRowCount(std::max(rows, 1));
}
