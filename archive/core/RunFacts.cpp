#include "archive/core/RunFacts.h"

#include "app/core/DataFiles.h"
#include "app/core/SafeFile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <cstddef>
#include <cstring>

namespace archive {
namespace {

// The context of this file's texts in the translation catalogue.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(archive::RunFacts)
};

} // namespace

QString SamplesDigest(const TRunData &run)
{
    QCryptographicHash hash(QCryptographicHash::Blake2b_256);
    const int32_t n = ValidCount(run);
    hash.addData(QByteArrayView(reinterpret_cast<const char *>(&n), sizeof n));
    // The samples of each channel lie one after another in the record (the
    // file's little-endian float64 image): hashed as bytes, not as doubles.
    const auto *record = reinterpret_cast<const char *>(&run);
    for (const size_t offset : {offsetof(TRunData, T), offsetof(TRunData, L), offsetof(TRunData, TC)})
        hash.addData(QByteArrayView(record + offset, qsizetype(n) * qsizetype(sizeof(double))));
    return QString::fromLatin1(hash.result().toHex());
}

bool SameSamples(const TRunData &a, const TRunData &b)
{
    const int32_t n = ValidCount(a);
    if (n != ValidCount(b))
        return false;
    const auto *ra = reinterpret_cast<const char *>(&a), *rb = reinterpret_cast<const char *>(&b);
    for (const size_t offset : {offsetof(TRunData, T), offsetof(TRunData, L), offsetof(TRunData, TC)})
        if (std::memcmp(ra + offset, rb + offset, size_t(n) * sizeof(double)) != 0)
            return false;
    return true;
}

std::optional<QString> FileDigest(const QString &fileName)
{
    QFile file(fileName);
    if (!QFileInfo(fileName).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return std::nullopt;
    return QString::fromLatin1(hash.result().toHex());
}

TRunFacts FactsOfRun(const TRunData &raw, const TRunSettings &settings)
{
    TRunFacts facts;
    const auto calibrated = CalibratedCopy(raw, settings.settings, settings.tTable, settings.lTable);
    facts.count = ValidCount(*calibrated);
    for (int32_t i = 0; i < facts.count; ++i) {
        const double t = calibrated->T[i];
        if (!std::isfinite(t))
            continue;
        facts.tMin = facts.tMin ? std::min(*facts.tMin, t) : t;
        facts.tMax = facts.tMax ? std::max(*facts.tMax, t) : t;
    }
    facts.calcPoints = raw.CalcPoints;
    facts.sampleLength = raw.SampleLength;
    facts.quartzLength = raw.QuartzLength;
    facts.quartzAlpha = raw.QuartzAlpha;
    facts.samplesDigest = SamplesDigest(raw);
    return facts;
}

std::optional<TRunFile> ReadRunFacts(const QString &fileName, const TRunSettings &settings, QString &error)
{
    // One reading gives the record and the hash, so that the hash stored is
    // that of the samples stored even when the file is being replaced.
    QCryptographicHash hash(QCryptographicHash::Sha256);
    const std::optional<QByteArray> head = ReadFileHead(fileName, kRunFileSize, error, &hash);
    if (!head)
        return std::nullopt;
    TRunFile file;
    file.run = std::make_unique<TRunData>();
    ClearRun(*file.run);
    error = RunImageFromBytes(*head, fileName, *file.run);
    if (!error.isEmpty())
        return std::nullopt;
    FilterErrors(*file.run, settings.settings.ErrorCode);
    const QFileInfo info(fileName);
    file.facts = FactsOfRun(*file.run, settings);
    file.facts.size = info.size();
    file.facts.sha256 = QString::fromLatin1(hash.result().toHex());
    file.facts.mtimeMs = info.lastModified().toMSecsSinceEpoch();
    return file;
}

namespace {

const char *FileStateSource(TFileState state)
{
    switch (state) {
    case TFileState::Present: return QT_TRANSLATE_NOOP("archive::RunFacts", "на месте");
    case TFileState::Missing: return QT_TRANSLATE_NOOP("archive::RunFacts", "нет файла");
    case TFileState::Changed: return QT_TRANSLATE_NOOP("archive::RunFacts", "изменен");
    }
    return "";
}

} // namespace

QString FileStateWord(TFileState state) { return QString::fromUtf8(FileStateSource(state)); }

QString FileStateCaption(TFileState state) { return Tr::tr(FileStateSource(state)); }

TFileState CheckRunFile(const QString &fileName, qint64 size, const QString &sha256)
{
    const QFileInfo info(fileName);
    if (!info.exists())
        return TFileState::Missing;
    if (!info.isFile() || info.size() != size)
        return TFileState::Changed;
    const std::optional<QString> digest = FileDigest(fileName);
    return digest && *digest == sha256 ? TFileState::Present : TFileState::Changed;
}

} // namespace archive
