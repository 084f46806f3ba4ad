#pragma once
// What the run archive keeps of a run: where its file is and what the file
// held when it was archived, when the run was recorded, the settings in force
// and the user's description; and the results computed on it.
#include "app/core/Calibration.h"
#include "app/core/Settings.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace archive {

// How a row came to the archive.
enum class TRunSource { Saved, Autosaved, Opened, Added, Found };
QString SourceName(TRunSource source);     // "saved", ...: the word stored
QString SourceCaption(TRunSource source);  // "сохранена", ...: the word shown
std::optional<TRunSource> SourceOf(const QString &name);

// "Описание образца".
struct TSampleDescription {
    QString name;       // "Образец"
    QString material;   // "Материал"
    QString batch;      // "Партия"
    QString operatorName;  // "Оператор"
    QString note;       // "Примечание"

    bool IsEmpty() const;
    bool operator==(const TSampleDescription &) const = default;
};

// The settings a run was recorded and calibrated with: the calibration (with
// the reference-point tables in use), the channels, the period, the error
// code and the weigher switch. Other fields of settings keep their defaults.
struct TRunSettings {
    TSettings settings = DefaultSettings(QString());
    TSplineTable tTable;  // used only when settings.TSplineKalibrFlag
    TSplineTable lTable;  // used only when settings.LSplineKalibrFlag
};

// What a run file held when it was archived.
struct TRunFacts {
    qint64 size = 0;
    QString sha256;         // of the file's bytes, lower-case hex
    QString samplesDigest;  // BLAKE2b-256 of the samples the program reads from it (SamplesDigest)
    std::optional<int64_t> mtimeMs;  // last modification of the file
    int32_t count = 0;      // samples, after the error filter
    std::optional<double> tMin, tMax;  // calibrated T, deg C; none without a finite sample
    int32_t calcPoints = kDefaultCalcPoints;
    double sampleLength = kDefaultSampleLength;
    double quartzLength = kDefaultQuartzLength;
    double quartzAlpha = kDefaultQuartzAlpha;
};

struct TRunEntry {
    int64_t id = 0;  // 0 until stored
    QString path;    // absolute
    TRunSource source = TRunSource::Saved;
    TRunFacts facts;
    std::optional<int64_t> startedMs, endedMs;  // recorded here: first and last sample, ms since 1970 UTC
    int64_t addedMs = 0;  // first archived
    int64_t seenMs = 0;   // last saved, opened or added
    TRunSettings settings;
    TSampleDescription description;

    // The run's date: the start of its recording, or the file's last change
    // when it was not recorded here (0 when neither is known).
    int64_t RunDateMs() const;
};

// A result computed on a run, stored generically: the command's name as the
// menu shows it ("Расчет"), the parameters that gave it, named single values
// (a glass transition, a softening point) and a table of numbers.
struct TArchiveResult {
    int64_t id = 0;
    QString command;
    int64_t createdMs = 0;
    QJsonObject params;   // name -> number, text or flag
    QJsonObject values;   // name -> number or text
    QStringList columns;  // the table's header
    std::vector<std::vector<double>> rows;  // each as wide as columns
};

// The filters of the archive window and of "varotem-eval archive list".
struct TArchiveFilter {
    QString text;  // every blank-separated word must occur in name, material, batch, operator or note (any case)
    std::optional<int64_t> fromMs, toMs;  // run date within [from, to)
    std::optional<double> tFrom, tTo;     // the run's temperature range meets [tFrom, tTo]
};

// What the table and the listing sort by.
enum class TSortKey { Id, Date, Name, Material, Batch, Operator, Count, TMin, TMax, Path };

// What the archive's table shows of a row.
struct TArchiveRow {
    int64_t id = 0;
    int64_t runDateMs = 0;
    bool recordedHere = false;  // the date is that of the recording
    TSampleDescription description;
    int32_t count = 0;
    std::optional<double> tMin, tMax;
    QString path;
    qint64 size = 0;
    QString sha256;
    TRunSource source = TRunSource::Saved;
};

} // namespace archive
