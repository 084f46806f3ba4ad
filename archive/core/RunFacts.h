#pragma once
// Facts of a run file and of a run in memory, and whether a file still holds
// what the archive says it held.
#include "archive/core/ArchiveTypes.h"

#include "app/core/RunData.h"

#include <QString>
#include <memory>
#include <optional>

namespace archive {

// BLAKE2b-256 (lower-case hex) of the samples as the program holds them:
// Count as a little-endian int32, then T, L and TC of samples 1..Count as
// float64. Slots above Count and the calculation parameters do not count, so
// the same samples give the same digest whatever a file holds beyond them.
// (BLAKE2b: a tenth of SHA-256's work here; only the file keeps SHA-256.)
QString SamplesDigest(const TRunData &run);

// Whether two runs hold the same samples (count, and T, L, TC bit for bit).
bool SameSamples(const TRunData &a, const TRunData &b);

// SHA-256 of a file's bytes, read in pieces; nullopt when it cannot be read.
std::optional<QString> FileDigest(const QString &fileName);

// Facts of a run held in memory (size, digest of the file and its time
// are left for the caller): count, temperature range calibrated with
// settings, the four calculation parameters, the samples' digest.
TRunFacts FactsOfRun(const TRunData &raw, const TRunSettings &settings);

// A run file read as "Открыть" reads it (with settings' error code) and its
// facts; nullptr with error set when it cannot be read or is not a run file.
struct TRunFile {
    std::unique_ptr<TRunData> run;
    TRunFacts facts;
};
std::optional<TRunFile> ReadRunFacts(const QString &fileName, const TRunSettings &settings, QString &error);

enum class TFileState {
    Present,  // the file holds what was archived
    Missing,  // no file of that name
    Changed,  // its bytes differ (size or SHA-256)
};
// "на месте", "нет файла", "изменен": the word that machine-read output
// (varotem-eval's tables and JSON) keeps in every language.
QString FileStateWord(TFileState state);
// The same word in the user's language, for windows, messages and reports.
QString FileStateCaption(TFileState state);

// Compares the file with its archived size and digest.
TFileState CheckRunFile(const QString &fileName, qint64 size, const QString &sha256);

} // namespace archive
