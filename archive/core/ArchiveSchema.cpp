#include "archive/core/ArchiveSchema.h"

namespace archive {

const char *const kMigrations[] = {
    // 0 -> 1: runs and their results.
    R"sql(
CREATE TABLE runs(
  id INTEGER PRIMARY KEY,
  path TEXT NOT NULL,
  size INTEGER NOT NULL,
  sha256 TEXT NOT NULL,
  samples_digest TEXT NOT NULL,
  file_mtime INTEGER,
  sample_count INTEGER NOT NULL,
  t_min REAL,
  t_max REAL,
  calc_points INTEGER NOT NULL,
  sample_length REAL NOT NULL,
  quartz_length REAL NOT NULL,
  quartz_alpha REAL NOT NULL,
  started_at INTEGER,
  ended_at INTEGER,
  run_date INTEGER NOT NULL,
  source TEXT NOT NULL,
  added_at INTEGER NOT NULL,
  seen_at INTEGER NOT NULL,
  settings TEXT NOT NULL,
  spline_t BLOB,
  spline_l BLOB,
  sample_name TEXT NOT NULL DEFAULT '',
  material TEXT NOT NULL DEFAULT '',
  batch TEXT NOT NULL DEFAULT '',
  operator TEXT NOT NULL DEFAULT '',
  note TEXT NOT NULL DEFAULT '',
  search_text BLOB NOT NULL DEFAULT '',
  UNIQUE(path, sha256));
CREATE INDEX runs_filter ON runs(run_date, t_min, t_max, search_text);
CREATE INDEX runs_samples ON runs(samples_digest);
CREATE INDEX runs_sha256 ON runs(sha256);
CREATE TABLE results(
  id INTEGER PRIMARY KEY,
  run_id INTEGER NOT NULL REFERENCES runs(id) ON DELETE CASCADE,
  command TEXT NOT NULL,
  created_at INTEGER NOT NULL,
  params TEXT NOT NULL,
  result_values TEXT NOT NULL,
  table_columns TEXT NOT NULL,
  table_rows TEXT NOT NULL);
CREATE INDEX results_run ON results(run_id);
)sql",
};
const int kMigrationCount = int(std::size(kMigrations));

const char kRunColumns[] =
    "id, path, size, sha256, samples_digest, file_mtime, sample_count, t_min, t_max, calc_points, sample_length, "
    "quartz_length, quartz_alpha, started_at, ended_at, source, added_at, seen_at, settings, spline_t, spline_l, "
    "sample_name, material, batch, operator, note";

namespace {

struct TRealKey {
    const char *name;
    double TSettings::*field;
};

const TRealKey kReals[] = {
    {"aT", &TSettings::aT}, {"bT", &TSettings::bT}, {"cT", &TSettings::cT}, {"dT", &TSettings::dT},
    {"aL", &TSettings::aL}, {"bL", &TSettings::bL}, {"cL", &TSettings::cL}, {"dL", &TSettings::dL},
};

struct TIntKey {
    const char *name;
    int32_t TSettings::*field;
};

const TIntKey kInts[] = {
    {"Chan1", &TSettings::Chan1},
    {"Chan2", &TSettings::Chan2},
    {"Chan3", &TSettings::Chan3},
    {"TimerWorkInterval", &TSettings::TimerWorkInterval},
};

struct TFlagKey {
    const char *name;
    bool TSettings::*field;
};

const TFlagKey kFlags[] = {
    {"TSplineKalibrFlag", &TSettings::TSplineKalibrFlag},
    {"LSplineKalibrFlag", &TSettings::LSplineKalibrFlag},
    {"LWeightDriver", &TSettings::LWeightDriver},
};

} // namespace

QJsonObject SettingsJson(const TSettings &settings)
{
    QJsonObject object;
    for (const TRealKey &k : kReals)
        object.insert(QLatin1String(k.name), settings.*k.field);
    for (const TIntKey &k : kInts)
        object.insert(QLatin1String(k.name), settings.*k.field);
    for (const TFlagKey &k : kFlags)
        object.insert(QLatin1String(k.name), settings.*k.field);
    object.insert(QStringLiteral("ErrorCode"), settings.ErrorCode);
    return object;
}

void ReadSettingsJson(const QJsonObject &object, TSettings &settings)
{
    for (const TRealKey &k : kReals)
        settings.*k.field = object.value(QLatin1String(k.name)).toDouble(settings.*k.field);
    for (const TIntKey &k : kInts)
        settings.*k.field = object.value(QLatin1String(k.name)).toInt(settings.*k.field);
    for (const TFlagKey &k : kFlags)
        settings.*k.field = object.value(QLatin1String(k.name)).toBool(settings.*k.field);
    const int code = object.value(QStringLiteral("ErrorCode")).toInt(settings.ErrorCode);
    if (code >= INT16_MIN && code <= INT16_MAX)
        settings.ErrorCode = int16_t(code);
}

QByteArray TableBlob(bool used, const TSplineTable &table) { return used ? SplineTableImage(table) : QByteArray(); }

QString SearchText(const TSampleDescription &d)
{
    return QStringList{d.name, d.material, d.batch, d.operatorName, d.note}.join(u'\n').toLower();
}

} // namespace archive
