#pragma once
// The archive's tables, as the statements that build each schema version
// from the one before, and the conversions of its stored settings.
#include "archive/core/ArchiveTypes.h"
#include "archive/core/Sqlite.h"

#include <QByteArray>
#include <QJsonObject>

namespace archive {

// kMigrations[v] brings a database of schema version v to v + 1; version 0
// is an empty file.
extern const char *const kMigrations[];
extern const int kMigrationCount;

// The columns every query of a whole row reads, in the order ReadRunEntry
// expects them.
extern const char kRunColumns[];

// The stored settings: a JSON object of the calibration, channel, period,
// error-code and weigher fields; the tables as their 1604-byte file images,
// stored only for a quantity calibrated by reference points.
QJsonObject SettingsJson(const TSettings &settings);
void ReadSettingsJson(const QJsonObject &object, TSettings &settings);
QByteArray TableBlob(bool used, const TSplineTable &table);

// The lower-case text the word search looks in (stored as UTF-8 bytes).
QString SearchText(const TSampleDescription &description);

// Whole rows: read from a statement over kRunColumns, and inserted (with
// keepId under the entry's own id). The insert returns SQLITE_DONE or the
// error; entry.id / result.id receive the row's id.
TRunEntry ReadRunEntry(const TStatement &stmt);
int InsertRunEntry(TDatabase &db, TRunEntry &entry, bool keepId);
int InsertResult(TDatabase &db, int64_t runId, TArchiveResult &result, bool keepId);
std::vector<TArchiveResult> ReadResults(TDatabase &db, int64_t runId);

} // namespace archive
