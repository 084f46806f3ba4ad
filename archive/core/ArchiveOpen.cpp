// Opening the archive: creation, migration, and the rebuild of a damaged one.
#include "archive/core/Archive.h"
#include "archive/core/ArchiveSchema.h"
#include "archive/core/RunFacts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sqlite3.h>

#include <cstring>

namespace archive {
namespace {

// The context of this file's texts in the translation catalogue.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(archive::ArchiveOpen)
};

enum class TOpenState { Ok, Damaged, Newer, Unusable };

struct TAttempt {
    TOpenState state = TOpenState::Ok;
    QString reason;  // Damaged and Unusable: why
    std::unique_ptr<TDatabase> db;
};

TAttempt Damaged(const QString &reason) { return {TOpenState::Damaged, reason, nullptr}; }

// The outcome of a failed step: damage, or a reason to leave the file alone.
TAttempt FailedStep(TDatabase &db)
{
    const QString reason = db.LastMessage();
    if (IsDamageCode(db.LastCode()))
        return Damaged(reason);
    return {TOpenState::Unusable, reason, nullptr};
}

// contains(haystack, needle): whether the bytes of needle occur in those of
// haystack; the word search's test. For UTF-8 texts a byte match is a
// character match, and memmem finds it many times faster than instr, which
// compares at every character.
void Contains(sqlite3_context *context, int, sqlite3_value **argv)
{
    // The pointer first, then its length, as SQLite asks.
    const void *haystack = sqlite3_value_blob(argv[0]);
    const int haystackBytes = sqlite3_value_bytes(argv[0]);
    const void *needle = sqlite3_value_blob(argv[1]);
    const int needleBytes = sqlite3_value_bytes(argv[1]);
    const bool found = needleBytes == 0 || (haystack && needle
                                             && ::memmem(haystack, size_t(haystackBytes), needle, size_t(needleBytes)));
    sqlite3_result_int(context, found ? 1 : 0);
}

int Migrate(TDatabase &db, int64_t from)
{
    TTransaction tx(db);
    if (!tx.Begun())
        return db.LastCode();
    for (int64_t v = from; v < kMigrationCount; ++v) {
        if (db.Exec(kMigrations[v]) != SQLITE_OK)
            return db.LastCode();
    }
    const QByteArray pragmas = QByteArray("PRAGMA user_version = ") + QByteArray::number(kArchiveSchemaVersion)
                               + "; PRAGMA application_id = " + QByteArray::number(kArchiveApplicationId) + ";";
    if (db.Exec(pragmas.constData()) != SQLITE_OK)
        return db.LastCode();
    return tx.Commit();
}

// leaveForeign: an existing file with anything in it that is not marked as
// the program's archive is not taken for a new one (an empty database of
// another program would be).
TAttempt TryOpen(const QString &fileName, bool leaveForeign)
{
    const bool existed = QFileInfo::exists(fileName);
    const bool hasBytes = QFileInfo(fileName).size() > 0;
    auto db = std::make_unique<TDatabase>();
    if (db->Open(fileName, true) != SQLITE_OK)
        return FailedStep(*db);
    // Another copy of the program may be writing: wait for it a while.
    if (db->Exec("PRAGMA busy_timeout = 5000") != SQLITE_OK)
        return FailedStep(*db);
    if (sqlite3_create_function_v2(db->Handle(), "contains", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
                                   nullptr, Contains, nullptr, nullptr, nullptr)
        != SQLITE_OK)
        return FailedStep(*db);
    const std::optional<int64_t> appId = db->QueryInt("PRAGMA application_id");
    const std::optional<int64_t> version = db->QueryInt("PRAGMA user_version");
    const std::optional<int64_t> objects = db->QueryInt("SELECT count(*) FROM sqlite_schema");
    if (!appId || !version || !objects)
        return FailedStep(*db);
    const bool empty = *objects == 0 && *version == 0;
    if (existed && (!empty || (leaveForeign && hasBytes)) && *appId != kArchiveApplicationId)
        return Damaged(Tr::tr("это не файл архива Varotem"));
    if (*version > kArchiveSchemaVersion) {
        return {TOpenState::Newer,
                Tr::tr("версия архива %1 новее той, что знает программа (%2)")
                    .arg(*version)
                    .arg(kArchiveSchemaVersion),
                nullptr};
    }
    const std::optional<QString> mode = db->QueryText("PRAGMA journal_mode = WAL");
    if (!mode)
        return FailedStep(*db);
    if (mode->compare(QStringLiteral("wal"), Qt::CaseInsensitive) != 0)
        return {TOpenState::Unusable, Tr::tr("режим WAL недоступен"), nullptr};
    if (db->Exec("PRAGMA synchronous = NORMAL; PRAGMA foreign_keys = ON") != SQLITE_OK)
        return FailedStep(*db);
    if (!empty) {
        const std::optional<QString> check = db->QueryText("PRAGMA quick_check");
        if (!check)
            return FailedStep(*db);
        if (*check != QStringLiteral("ok"))
            return Damaged(*check);
    }
    if (*version < kArchiveSchemaVersion && Migrate(*db, *version) != SQLITE_OK)
        return FailedStep(*db);
    return {TOpenState::Ok, QString(), std::move(db)};
}

// "<name>.damaged-yyyyMMdd-HHmmss", "-2", ... when taken.
QString AsideName(const QString &fileName, int64_t nowMs)
{
    const QString base =
        fileName + QStringLiteral(".damaged-")
        + QDateTime::fromMSecsSinceEpoch(nowMs).toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = base;
    for (int k = 2; QFileInfo::exists(name) || QFileInfo::exists(name + QStringLiteral("-wal")); ++k)
        name = base + u'-' + QString::number(k);
    return name;
}

bool SetAside(const QString &fileName, const QString &aside)
{
    if (!QFile::rename(fileName, aside))
        return false;
    for (const char *suffix : {"-wal", "-shm"}) {
        const QString companion = fileName + QLatin1String(suffix);
        if (QFileInfo::exists(companion))
            QFile::rename(companion, aside + QLatin1String(suffix));
    }
    return true;
}

struct TSalvage {
    std::vector<TRunEntry> runs;
    std::vector<std::pair<int64_t, TArchiveResult>> results;
};

// A copy of a damaged database (and its write-ahead log) to read from. A
// file cut short is filled up with zeros to the size its header gives, so
// that its schema can be read and the rows before the cut with it.
bool SalvageCopy(const QString &fileName, const QString &copy)
{
    if (!QFile::copy(fileName, copy))
        return false;
    if (QFileInfo::exists(fileName + QStringLiteral("-wal")))
        QFile::copy(fileName + QStringLiteral("-wal"), copy + QStringLiteral("-wal"));
    QFile file(copy);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    const QByteArray header = file.read(100);
    if (header.size() < 32)
        return true;
    const auto byte = [&header](int i) { return uint32_t(uint8_t(header[i])); };
    uint32_t pageSize = byte(16) << 8 | byte(17);
    if (pageSize == 1)
        pageSize = 65536;
    const uint32_t pages = byte(28) << 24 | byte(29) << 16 | byte(30) << 8 | byte(31);
    const qint64 size = qint64(pageSize) * pages;
    // Only within reason: the header of a damaged file may say anything.
    if (size > file.size() && size <= (qint64(1) << 30))
        file.resize(size);
    return true;
}

// What can still be read from a damaged archive: whole rows up to the first
// that cannot be read, and the results of those rows.
TSalvage Salvage(const QString &fileName)
{
    TSalvage salvage;
    const QTemporaryDir scratch;
    const QString copy = scratch.filePath(QStringLiteral("salvage.sqlite"));
    if (!scratch.isValid() || !SalvageCopy(fileName, copy))
        return salvage;
    TDatabase db;
    if (db.Open(copy, false) != SQLITE_OK)
        return salvage;
    TStatement stmt = db.Prepare((QByteArray("SELECT ") + kRunColumns + " FROM runs ORDER BY id").constData());
    if (!stmt.IsValid())
        return salvage;
    // Ids come in increasing order from a sound tree; a damaged one may
    // repeat them.
    while (stmt.Step() == SQLITE_ROW) {
        TRunEntry entry = ReadRunEntry(stmt);
        if (!salvage.runs.empty() && entry.id <= salvage.runs.back().id)
            break;
        salvage.runs.push_back(std::move(entry));
    }
    stmt = TStatement();
    for (const TRunEntry &run : salvage.runs)
        for (TArchiveResult &r : ReadResults(db, run.id))
            salvage.results.emplace_back(run.id, std::move(r));
    return salvage;
}

QStringList RunFilesIn(const QStringList &dirs)
{
    QStringList files;
    for (const QString &dir : dirs) {
        const QDir d(dir);
        for (const QFileInfo &info :
             d.entryInfoList({QStringLiteral("*.dat"), QStringLiteral("*.DAT")}, QDir::Files, QDir::Name))
            if (!files.contains(info.absoluteFilePath()))
                files << info.absoluteFilePath();
    }
    return files;
}

// The rows read back go in under their own ids; the run files found are
// added as RecordRun adds them.
int Rebuild(TArchive &archive, TSalvage &salvage, const TArchiveSetup &setup, QStringList &problems)
{
    TDatabase &db = archive.Database();
    {
        TTransaction tx(db);
        for (TRunEntry &run : salvage.runs)
            if (InsertRunEntry(db, run, true) != SQLITE_DONE)
                problems << db.LastMessage();
        for (auto &[runId, result] : salvage.results)
            if (InsertResult(db, runId, result, true) != SQLITE_DONE)
                problems << db.LastMessage();
        if (tx.Commit() != SQLITE_OK)
            problems << db.LastMessage();
    }
    int found = 0;
    for (const QString &file : RunFilesIn(setup.runDirs)) {
        QString error;
        std::optional<TRunFile> read = ReadRunFacts(file, setup.rebuildSettings, error);
        if (!read)
            continue;
        TRunEntry entry;
        entry.path = file;
        entry.source = TRunSource::Found;
        entry.facts = read->facts;
        entry.settings = setup.rebuildSettings;
        const int64_t before = archive.RowCount();
        if (const QString failed = archive.RecordRun(entry); !failed.isEmpty())
            problems << failed;
        else if (archive.RowCount() > before)
            ++found;
    }
    return found;
}

} // namespace

TOpenedArchive OpenArchive(const TArchiveSetup &setup)
{
    TOpenedArchive opened;
    const QString &fileName = setup.fileName;
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    TAttempt attempt = TryOpen(fileName, setup.leaveForeign);
    if (attempt.state == TOpenState::Ok) {
        opened.archive = std::make_unique<TArchive>(std::move(attempt.db), fileName, setup.clock);
        return opened;
    }
    if (attempt.state != TOpenState::Damaged || setup.leaveForeign) {
        opened.messages << Tr::tr("Архив \"%1\" не используется: %2.").arg(fileName, attempt.reason);
        return opened;
    }

    const QString damage = attempt.reason;
    const int64_t now = setup.clock ? setup.clock() : QDateTime::currentMSecsSinceEpoch();
    const QString aside = AsideName(fileName, now);
    if (!SetAside(fileName, aside)) {
        opened.messages << Tr::tr("Архив \"%1\" поврежден (%2) и не может быть переименован; он не "
                                  "используется.")
                               .arg(fileName, damage);
        return opened;
    }
    TSalvage salvage = Salvage(aside);
    attempt = TryOpen(fileName, false);
    if (attempt.state != TOpenState::Ok) {
        opened.messages << Tr::tr("Архив \"%1\" поврежден и сохранен как \"%2\"; новый архив создать не "
                                  "удалось (%3).")
                               .arg(fileName, aside, attempt.reason);
        return opened;
    }
    opened.archive = std::make_unique<TArchive>(std::move(attempt.db), fileName, setup.clock);
    const auto kept = salvage.runs.size();
    QStringList problems;
    const int found = Rebuild(*opened.archive, salvage, setup, problems);
    QString message = Tr::tr("Архив \"%1\" поврежден (%2) и сохранен как \"%3\".\nАрхив построен заново: "
                             "записей из старого архива - %4, найдено файлов записей - %5.")
                          .arg(fileName, damage, aside)
                          .arg(kept)
                          .arg(found);
    opened.messages << message;
    if (!problems.isEmpty())
        opened.messages << Tr::tr("Архив: не все записи удалось восстановить (%1).").arg(problems.first());
    return opened;
}

} // namespace archive
