#include "archive/core/ArchiveModel.h"

#include "app/core/LocaleFormat.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

// Outside the namespace, where the catalogue tools find it from any member
// function of this file.
namespace {
// The context of this file's texts in the translation catalogue.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(archive::ArchiveModel)
};
} // namespace

namespace archive {
namespace {

// Rows read at once around the one a view asks for.
constexpr int kPage = 200;

// Translated when shown, in the context "archive::ArchiveModel".
const char *const kHeaders[] = {
    QT_TRANSLATE_NOOP("archive::ArchiveModel", "№"),
    QT_TRANSLATE_NOOP("archive::ArchiveModel", "Дата"),
    QT_TRANSLATE_NOOP("archive::ArchiveModel", "Образец"),
    QT_TRANSLATE_NOOP("archive::ArchiveModel", "Материал"),
    QT_TRANSLATE_NOOP("archive::ArchiveModel", "Партия"),
    QT_TRANSLATE_NOOP("archive::ArchiveModel", "Оператор"),
    QT_TRANSLATE_NOOP("archive::ArchiveModel", "Точек"),
    QT_TRANSLATE_NOOP("archive::ArchiveModel", "T мин"),
    QT_TRANSLATE_NOOP("archive::ArchiveModel", "T макс"),
    QT_TRANSLATE_NOOP("archive::ArchiveModel", "Файл"),
    QT_TRANSLATE_NOOP("archive::ArchiveModel", "Состояние"),
    QT_TRANSLATE_NOOP("archive::ArchiveModel", "Примечание"),
};

QString Temperature(const std::optional<double> &t) { return t ? LocaleFixed(*t, 15, 1) : QString(); }

} // namespace

TArchiveModel::TArchiveModel(TArchive &archive, QObject *parent) : QAbstractTableModel(parent), archive_(archive) {}

TSortKey TArchiveModel::SortKeyOf(int column)
{
    switch (column) {
    case ColDate: return TSortKey::Date;
    case ColName: return TSortKey::Name;
    case ColMaterial: return TSortKey::Material;
    case ColBatch: return TSortKey::Batch;
    case ColOperator: return TSortKey::Operator;
    case ColCount: return TSortKey::Count;
    case ColTMin: return TSortKey::TMin;
    case ColTMax: return TSortKey::TMax;
    case ColFile: return TSortKey::Path;
    default: return TSortKey::Id;
    }
}

QString TArchiveModel::SetFilter(const TArchiveFilter &filter)
{
    filter_ = filter;
    return Refresh();
}

QString TArchiveModel::Refresh()
{
    QString error;
    std::optional<std::vector<int64_t>> ids = archive_.Query(filter_, key_, descending_, error);
    beginResetModel();
    ids_ = ids ? std::move(*ids) : std::vector<int64_t>();
    rows_.clear();
    states_.clear();
    endResetModel();
    return error;
}

int64_t TArchiveModel::IdAt(int row) const
{
    return row >= 0 && size_t(row) < ids_.size() ? ids_[size_t(row)] : 0;
}

int TArchiveModel::RowOf(int64_t id) const
{
    const auto it = std::find(ids_.begin(), ids_.end(), id);
    return it == ids_.end() ? -1 : int(it - ids_.begin());
}

const TArchiveRow *TArchiveModel::RowAt(int row) const
{
    const int64_t id = IdAt(row);
    if (id == 0)
        return nullptr;
    if (!rows_.contains(id)) {
        const int first = std::max(0, row - kPage / 2);
        const int last = std::min(int(ids_.size()), first + kPage);
        for (TArchiveRow &r : archive_.Rows({ids_.begin() + first, ids_.begin() + last}))
            rows_.insert(r.id, std::move(r));
    }
    const auto it = rows_.constFind(id);
    return it == rows_.constEnd() ? nullptr : &*it;
}

TFileState TArchiveModel::StateAt(int row) const
{
    const TArchiveRow *r = RowAt(row);
    if (!r)
        return TFileState::Missing;
    const auto it = states_.constFind(r->id);
    if (it != states_.constEnd())
        return *it;
    const TFileState state = CheckRunFile(r->path, r->size, r->sha256);
    states_.insert(r->id, state);
    return state;
}

int TArchiveModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(ids_.size()); }

int TArchiveModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant TArchiveModel::data(const QModelIndex &index, int role) const
{
    const TArchiveRow *r = RowAt(index.row());
    if (!r)
        return {};
    const int column = index.column();
    if (role == Qt::TextAlignmentRole) {
        const bool number = column == ColId || column == ColCount || column == ColTMin || column == ColTMax;
        return QVariant::fromValue(Qt::Alignment(number ? Qt::AlignRight | Qt::AlignVCenter
                                                        : Qt::AlignLeft | Qt::AlignVCenter));
    }
    if (role == Qt::ToolTipRole) {
        if (column == ColFile)
            return QDir::toNativeSeparators(r->path);
        if (column == ColNote)
            return r->description.note;
        if (column == ColDate)
            return r->recordedHere ? Tr::tr("начало записи") : Tr::tr("изменение файла");
        return {};
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (column) {
    case ColId: return QString::number(r->id);
    case ColDate:
        return r->runDateMs ? QDateTime::fromMSecsSinceEpoch(r->runDateMs).toString(QStringLiteral("dd.MM.yyyy HH:mm"))
                            : QString();
    case ColName: return r->description.name;
    case ColMaterial: return r->description.material;
    case ColBatch: return r->description.batch;
    case ColOperator: return r->description.operatorName;
    case ColCount: return QString::number(r->count);
    case ColTMin: return Temperature(r->tMin);
    case ColTMax: return Temperature(r->tMax);
    case ColFile: return QFileInfo(r->path).fileName();
    case ColState: return FileStateCaption(StateAt(index.row()));
    case ColNote: return r->description.note.section(u'\n', 0, 0);
    default: return {};
    }
}

QVariant TArchiveModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return Tr::tr(kHeaders[section]);
}

void TArchiveModel::sort(int column, Qt::SortOrder order)
{
    key_ = SortKeyOf(column);
    descending_ = order == Qt::DescendingOrder;
    Refresh();
}

} // namespace archive
