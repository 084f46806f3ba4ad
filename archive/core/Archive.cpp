#include "archive/core/Archive.h"

#include "archive/core/ArchiveSchema.h"

#include <QCoreApplication>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QStandardPaths>
#include <sqlite3.h>

#include <limits>

// Outside the namespace, where the catalogue tools find it from any member
// function of this file.
namespace {
// The context of this file's texts in the translation catalogue.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(archive::Archive)
};
} // namespace

namespace archive {
namespace {

QString JsonText(const QJsonObject &object) { return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)); }
QString JsonText(const QJsonArray &array) { return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact)); }
QJsonObject JsonObject(const QString &text) { return QJsonDocument::fromJson(text.toUtf8()).object(); }
QJsonArray JsonArray(const QString &text) { return QJsonDocument::fromJson(text.toUtf8()).array(); }

void BindDescription(TStatement &stmt, int first, const TSampleDescription &d)
{
    stmt.Bind(first, d.name)
        .Bind(first + 1, d.material)
        .Bind(first + 2, d.batch)
        .Bind(first + 3, d.operatorName)
        .Bind(first + 4, d.note)
        .Bind(first + 5, SearchText(d).toUtf8());
}

TSampleDescription ReadDescription(const TStatement &stmt, int first)
{
    return {stmt.Text(first), stmt.Text(first + 1), stmt.Text(first + 2), stmt.Text(first + 3),
            stmt.Text(first + 4)};
}

const char kOrderColumns[][16] = {"id",       "run_date", "sample_name",  "material", "batch",
                                  "operator", "sample_count", "t_min", "t_max", "path"};

// Rows read per statement of Rows(): below SQLite's limit of bound values.
constexpr size_t kRowsPerQuery = 500;

} // namespace

// Reads the columns of kRunColumns.
TRunEntry ReadRunEntry(const TStatement &s)
{
    TRunEntry e;
    e.id = s.Int(0);
    e.path = s.Text(1);
    e.facts.size = s.Int(2);
    e.facts.sha256 = s.Text(3);
    e.facts.samplesDigest = s.Text(4);
    e.facts.mtimeMs = s.OptInt(5);
    e.facts.count = int32_t(s.Int(6));
    e.facts.tMin = s.OptReal(7);
    e.facts.tMax = s.OptReal(8);
    e.facts.calcPoints = int32_t(s.Int(9));
    e.facts.sampleLength = s.Real(10);
    e.facts.quartzLength = s.Real(11);
    e.facts.quartzAlpha = s.Real(12);
    e.startedMs = s.OptInt(13);
    e.endedMs = s.OptInt(14);
    e.source = SourceOf(s.Text(15)).value_or(TRunSource::Found);
    e.addedMs = s.Int(16);
    e.seenMs = s.Int(17);
    ReadSettingsJson(JsonObject(s.Text(18)), e.settings.settings);
    OverlaySplineTable(e.settings.tTable, s.Blob(19));
    OverlaySplineTable(e.settings.lTable, s.Blob(20));
    e.description = ReadDescription(s, 21);
    return e;
}

// Inserts a whole row; with keepId the entry's id is used.
int InsertRunEntry(TDatabase &db, TRunEntry &e, bool keepId)
{
    TStatement stmt = db.Prepare(
        "INSERT INTO runs(id, path, size, sha256, samples_digest, file_mtime, sample_count, t_min, t_max, "
        "calc_points, sample_length, quartz_length, quartz_alpha, started_at, ended_at, run_date, source, "
        "added_at, seen_at, settings, spline_t, spline_l, sample_name, material, batch, operator, note, "
        "search_text) VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    if (!stmt.IsValid())
        return db.LastCode();
    const TSettings &s = e.settings.settings;
    if (keepId)
        stmt.Bind(1, e.id);
    stmt.Bind(2, e.path)
        .Bind(3, int64_t(e.facts.size))
        .Bind(4, e.facts.sha256)
        .Bind(5, e.facts.samplesDigest)
        .Bind(6, e.facts.mtimeMs)
        .Bind(7, int64_t(e.facts.count))
        .Bind(8, e.facts.tMin)
        .Bind(9, e.facts.tMax)
        .Bind(10, int64_t(e.facts.calcPoints))
        .Bind(11, e.facts.sampleLength)
        .Bind(12, e.facts.quartzLength)
        .Bind(13, e.facts.quartzAlpha)
        .Bind(14, e.startedMs)
        .Bind(15, e.endedMs)
        .Bind(16, e.RunDateMs())
        .Bind(17, SourceName(e.source))
        .Bind(18, e.addedMs)
        .Bind(19, e.seenMs)
        .Bind(20, JsonText(SettingsJson(s)))
        .Bind(21, TableBlob(s.TSplineKalibrFlag, e.settings.tTable))
        .Bind(22, TableBlob(s.LSplineKalibrFlag, e.settings.lTable));
    BindDescription(stmt, 23, e.description);
    const int code = stmt.Run();
    if (code == SQLITE_DONE)
        e.id = db.LastInsertId();
    return code;
}

int InsertResult(TDatabase &db, int64_t runId, TArchiveResult &r, bool keepId)
{
    TStatement stmt = db.Prepare("INSERT INTO results(id, run_id, command, created_at, params, result_values, "
                                 "table_columns, table_rows) VALUES(?,?,?,?,?,?,?,?)");
    if (!stmt.IsValid())
        return db.LastCode();
    QJsonArray rows;
    for (const std::vector<double> &row : r.rows) {
        QJsonArray values;
        for (double v : row)
            values.append(v);
        rows.append(values);
    }
    if (keepId)
        stmt.Bind(1, r.id);
    stmt.Bind(2, runId)
        .Bind(3, r.command)
        .Bind(4, r.createdMs)
        .Bind(5, JsonText(r.params))
        .Bind(6, JsonText(r.values))
        .Bind(7, JsonText(QJsonArray::fromStringList(r.columns)))
        .Bind(8, JsonText(rows));
    const int code = stmt.Run();
    if (code == SQLITE_DONE)
        r.id = db.LastInsertId();
    return code;
}

std::vector<TArchiveResult> ReadResults(TDatabase &db, int64_t runId)
{
    std::vector<TArchiveResult> results;
    TStatement stmt = db.Prepare("SELECT id, command, created_at, params, result_values, table_columns, table_rows "
                                 "FROM results WHERE run_id = ? ORDER BY id");
    if (!stmt.IsValid())
        return results;
    stmt.Bind(1, runId);
    while (stmt.Step() == SQLITE_ROW) {
        TArchiveResult r;
        r.id = stmt.Int(0);
        r.command = stmt.Text(1);
        r.createdMs = stmt.Int(2);
        r.params = JsonObject(stmt.Text(3));
        r.values = JsonObject(stmt.Text(4));
        for (const QJsonValue &c : JsonArray(stmt.Text(5)))
            r.columns << c.toString();
        for (const QJsonValue &row : JsonArray(stmt.Text(6))) {
            std::vector<double> values;
            for (const QJsonValue &v : row.toArray())
                values.push_back(v.isDouble() ? v.toDouble() : std::numeric_limits<double>::quiet_NaN());
            values.resize(size_t(r.columns.size()), std::numeric_limits<double>::quiet_NaN());
            r.rows.push_back(std::move(values));
        }
        results.push_back(std::move(r));
    }
    return results;
}

TArchive::TArchive(std::unique_ptr<TDatabase> db, QString fileName, TArchiveClock clock)
    : db_(std::move(db)), fileName_(std::move(fileName)), clock_(std::move(clock))
{
}

int64_t TArchive::Now() const { return clock_ ? clock_() : QDateTime::currentMSecsSinceEpoch(); }

QString TArchive::Failed(const QString &what)
{
    return Tr::tr("Архив: %1 (%2)!").arg(what, db_->LastMessage());
}

QString TArchive::RecordRun(TRunEntry &entry)
{
    const QString what = Tr::tr("не удалось записать запуск \"%1\"").arg(entry.path);
    TTransaction tx(*db_);
    if (!tx.Begun())
        return Failed(what);
    const int64_t now = Now();
    TStatement find = db_->Prepare("SELECT id, started_at FROM runs WHERE path = ? AND sha256 = ?");
    if (!find.IsValid())
        return Failed(what);
    find.Bind(1, entry.path).Bind(2, entry.facts.sha256);
    const int found = find.Step();
    if (found == SQLITE_ROW) {
        entry.id = find.Int(0);
        const bool addTimes = find.IsNull(1) && entry.startedMs.has_value();
        find = TStatement();
        TStatement update = db_->Prepare("UPDATE runs SET seen_at = ? WHERE id = ?");
        if (!update.IsValid() || update.Bind(1, now).Bind(2, entry.id).Run() != SQLITE_DONE)
            return Failed(what);
        if (addTimes) {
            TStatement times =
                db_->Prepare("UPDATE runs SET started_at = ?, ended_at = ?, run_date = ? WHERE id = ?");
            if (!times.IsValid()
                || times.Bind(1, entry.startedMs).Bind(2, entry.endedMs).Bind(3, entry.RunDateMs()).Bind(4, entry.id).Run()
                       != SQLITE_DONE)
                return Failed(what);
        }
        if (!entry.description.IsEmpty()) {
            TStatement describe = db_->Prepare("UPDATE runs SET sample_name = ?, material = ?, batch = ?, "
                                               "operator = ?, note = ?, search_text = ? WHERE id = ?");
            if (!describe.IsValid())
                return Failed(what);
            BindDescription(describe, 1, entry.description);
            if (describe.Bind(7, entry.id).Run() != SQLITE_DONE)
                return Failed(what);
        }
    } else if (found == SQLITE_DONE) {
        find = TStatement();
        if (entry.description.IsEmpty()) {
            TStatement same = db_->Prepare("SELECT sample_name, material, batch, operator, note, started_at, "
                                           "ended_at FROM runs WHERE sha256 = ? ORDER BY id DESC LIMIT 1");
            if (!same.IsValid())
                return Failed(what);
            if (same.Bind(1, entry.facts.sha256).Step() == SQLITE_ROW) {
                entry.description = ReadDescription(same, 0);
                if (!entry.startedMs) {
                    entry.startedMs = same.OptInt(5);
                    entry.endedMs = same.OptInt(6);
                }
            }
        }
        entry.addedMs = entry.seenMs = now;
        if (InsertRunEntry(*db_, entry, false) != SQLITE_DONE)
            return Failed(what);
    } else {
        return Failed(what);
    }
    if (tx.Commit() != SQLITE_OK)
        return Failed(what);
    return {};
}

QString TArchive::UpdateDescription(int64_t id, const TSampleDescription &description)
{
    const QString what = Tr::tr("не удалось записать описание образца");
    TTransaction tx(*db_);
    TStatement stmt = db_->Prepare("UPDATE runs SET sample_name = ?, material = ?, batch = ?, operator = ?, "
                                   "note = ?, search_text = ? WHERE id = ?");
    if (!tx.Begun() || !stmt.IsValid())
        return Failed(what);
    BindDescription(stmt, 1, description);
    if (stmt.Bind(7, id).Run() != SQLITE_DONE)
        return Failed(what);
    stmt = TStatement();
    return tx.Commit() == SQLITE_OK ? QString() : Failed(what);
}

QString TArchive::DeleteRun(int64_t id)
{
    const QString what = Tr::tr("не удалось удалить запись %1").arg(id);
    TTransaction tx(*db_);
    if (!tx.Begun())
        return Failed(what);
    for (const char *sql : {"DELETE FROM results WHERE run_id = ?", "DELETE FROM runs WHERE id = ?"}) {
        TStatement stmt = db_->Prepare(sql);
        if (!stmt.IsValid() || stmt.Bind(1, id).Run() != SQLITE_DONE)
            return Failed(what);
    }
    return tx.Commit() == SQLITE_OK ? QString() : Failed(what);
}

std::optional<TRunEntry> TArchive::Run(int64_t id)
{
    TStatement stmt = db_->Prepare((QByteArray("SELECT ") + kRunColumns + " FROM runs WHERE id = ?").constData());
    if (!stmt.IsValid() || stmt.Bind(1, id).Step() != SQLITE_ROW)
        return std::nullopt;
    return ReadRunEntry(stmt);
}

std::vector<int64_t> TArchive::RunsWithSamples(const QString &samplesDigest)
{
    std::vector<int64_t> ids;
    TStatement stmt = db_->Prepare("SELECT id FROM runs WHERE samples_digest = ? ORDER BY id DESC");
    if (!stmt.IsValid())
        return ids;
    stmt.Bind(1, samplesDigest);
    while (stmt.Step() == SQLITE_ROW)
        ids.push_back(stmt.Int(0));
    return ids;
}

QString TArchive::StoreResult(int64_t runId, TArchiveResult &result)
{
    const QString what = Tr::tr("не удалось записать результат \"%1\"").arg(result.command);
    TTransaction tx(*db_);
    if (!tx.Begun())
        return Failed(what);
    if (result.createdMs == 0)
        result.createdMs = Now();
    if (InsertResult(*db_, runId, result, false) != SQLITE_DONE)
        return Failed(what);
    return tx.Commit() == SQLITE_OK ? QString() : Failed(what);
}

std::vector<TArchiveResult> TArchive::Results(int64_t runId) { return ReadResults(*db_, runId); }

std::optional<std::vector<int64_t>> TArchive::Query(const TArchiveFilter &filter, TSortKey key, bool descending,
                                                    QString &error)
{
    QByteArray sql = "SELECT id FROM runs WHERE 1";
    const QStringList words = filter.text.toLower().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < words.size(); ++i)
        sql += " AND contains(search_text, ?)";
    if (filter.fromMs)
        sql += " AND run_date >= ?";
    if (filter.toMs)
        sql += " AND run_date < ?";
    if (filter.tFrom)
        sql += " AND t_max >= ?";
    if (filter.tTo)
        sql += " AND t_min <= ?";
    const char *direction = descending ? " DESC" : " ASC";
    // "+": the order is sorted, not walked along an index: a filter that keeps
    // few rows would otherwise visit every row in the index's order.
    sql += QByteArray(" ORDER BY +") + kOrderColumns[int(key)] + direction + ", id" + direction;
    TStatement stmt = db_->Prepare(sql.constData());
    if (!stmt.IsValid()) {
        error = Failed(Tr::tr("не удалось прочитать архив"));
        return std::nullopt;
    }
    int index = 0;
    // As UTF-8 bytes, as the search text is stored (see contains()).
    for (const QString &word : words)
        stmt.Bind(++index, word.toUtf8());
    for (const auto &bound : {filter.fromMs, filter.toMs})
        if (bound)
            stmt.Bind(++index, *bound);
    for (const auto &bound : {filter.tFrom, filter.tTo})
        if (bound)
            stmt.Bind(++index, *bound);
    std::vector<int64_t> ids;
    int code;
    while ((code = stmt.Step()) == SQLITE_ROW)
        ids.push_back(stmt.Int(0));
    if (code != SQLITE_DONE) {
        error = Failed(Tr::tr("не удалось прочитать архив"));
        return std::nullopt;
    }
    return ids;
}

std::vector<TArchiveRow> TArchive::Rows(const std::vector<int64_t> &ids)
{
    QHash<int64_t, TArchiveRow> byId;
    for (size_t first = 0; first < ids.size(); first += kRowsPerQuery) {
        const size_t n = std::min(kRowsPerQuery, ids.size() - first);
        QByteArray sql = "SELECT id, run_date, started_at IS NOT NULL, sample_name, material, batch, operator, note, "
                         "sample_count, t_min, t_max, path, size, sha256, source FROM runs WHERE id IN (?";
        sql += QByteArray(",?").repeated(qsizetype(n - 1)) + ")";
        TStatement stmt = db_->Prepare(sql.constData());
        if (!stmt.IsValid())
            break;
        for (size_t i = 0; i < n; ++i)
            stmt.Bind(int(i + 1), ids[first + i]);
        while (stmt.Step() == SQLITE_ROW) {
            TArchiveRow r;
            r.id = stmt.Int(0);
            r.runDateMs = stmt.Int(1);
            r.recordedHere = stmt.Int(2) != 0;
            r.description = ReadDescription(stmt, 3);
            r.count = int32_t(stmt.Int(8));
            r.tMin = stmt.OptReal(9);
            r.tMax = stmt.OptReal(10);
            r.path = stmt.Text(11);
            r.size = stmt.Int(12);
            r.sha256 = stmt.Text(13);
            r.source = SourceOf(stmt.Text(14)).value_or(TRunSource::Found);
            byId.insert(r.id, std::move(r));
        }
    }
    std::vector<TArchiveRow> rows;
    rows.reserve(ids.size());
    for (int64_t id : ids) {
        const auto it = byId.constFind(id);
        if (it != byId.constEnd())
            rows.push_back(*it);
    }
    return rows;
}

int64_t TArchive::RowCount() { return db_->QueryInt("SELECT count(*) FROM runs").value_or(0); }

QString DefaultArchiveDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Varotem/");
}

} // namespace archive
