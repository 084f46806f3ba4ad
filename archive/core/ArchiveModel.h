#pragma once
// The archive's rows as a table for a view: filtered and sorted by the
// database, the rows read a page at a time as the view shows them, and each
// row's file checked (missing, changed) when its row is first shown.
#include "archive/core/Archive.h"
#include "archive/core/RunFacts.h"

#include <QAbstractTableModel>
#include <QHash>
#include <vector>

namespace archive {

class TArchiveModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum TColumn {
        ColId,        // "№"
        ColDate,      // "Дата"
        ColName,      // "Образец"
        ColMaterial,  // "Материал"
        ColBatch,     // "Партия"
        ColOperator,  // "Оператор"
        ColCount,     // "Точек"
        ColTMin,      // "T мин"
        ColTMax,      // "T макс"
        ColFile,      // "Файл"
        ColState,     // "Состояние"
        ColNote,      // "Примечание"
        ColumnCount
    };

    explicit TArchiveModel(TArchive &archive, QObject *parent = nullptr);

    // Applies a filter (and the sort order in force); an empty string or
    // the message to show.
    QString SetFilter(const TArchiveFilter &filter);
    const TArchiveFilter &Filter() const { return filter_; }
    // Reads the rows again (after a change of the archive).
    QString Refresh();

    int64_t IdAt(int row) const;
    int RowOf(int64_t id) const;
    // The row's file as checked (checked now when not yet).
    TFileState StateAt(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // The sort key of a column; the columns without one sort by number.
    static TSortKey SortKeyOf(int column);

private:
    const TArchiveRow *RowAt(int row) const;

    TArchive &archive_;
    TArchiveFilter filter_;
    TSortKey key_ = TSortKey::Date;
    bool descending_ = true;
    std::vector<int64_t> ids_;
    mutable QHash<int64_t, TArchiveRow> rows_;
    mutable QHash<int64_t, TFileState> states_;
};

} // namespace archive
