#include "analysis/StringGrid.h"

#include <QHeaderView>

#include <algorithm>

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

std::vector<QStringList> TStringGrid::Texts() const
{
    std::vector<QStringList> rows(static_cast<size_t>(rowCount()));
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            rows[size_t(r)] << Cells(c, r);
    return rows;
}

void TStringGrid::SetRowCount(int rows)
{
    rows = std::max(rows, 1);
    const int old = rowCount();
    // cutRows_[k] holds the texts of row rowCount() + k.
    std::vector<QStringList> cut;
    for (int r = rows; r < old; ++r) {
        QStringList texts;
        for (int c = 0; c < columnCount(); ++c)
            texts << Cells(c, r);
        cut.push_back(texts);
    }
    cutRows_.insert(cutRows_.begin(), cut.begin(), cut.end());

    setRowCount(rows);
    const int restored = std::min<int>(std::max(rows - old, 0), int(cutRows_.size()));
    for (int k = 0; k < restored; ++k)
        for (int c = 0; c < cutRows_[k].size(); ++c)
            if (!cutRows_[k][c].isEmpty())
                SetCells(c, old + k, cutRows_[k][c]);
    cutRows_.erase(cutRows_.begin(), cutRows_.begin() + restored);
}
