#include "archive/core/RunArchiver.h"

#include "archive/core/RunFacts.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

// Outside the namespace, where the catalogue tools find it from any member
// function of this file.
namespace {
// The context of this file's texts in the translation catalogue.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(archive::RunArchiver)
};
} // namespace

namespace archive {
namespace {

// Results kept waiting at most: a window that calculates again and again
// without saving keeps only the latest.
constexpr size_t kMaxPending = 32;

} // namespace

void SetRecordingTimes(const TRunTimes &times, int32_t count, TRunEntry &entry)
{
    if (count < 1 || count > kRunCapacity || times.startMs == 0 || times.sampleMs[size_t(count - 1)] == 0)
        return;
    entry.startedMs = times.startMs;
    entry.endedMs = times.sampleMs[size_t(count - 1)];
}

QString TRunArchiver::SetDescription(const TSampleDescription &description)
{
    description_ = description;
    if (!archive_)
        return {};
    for (int64_t id : rows_)
        if (QString error = archive_->UpdateDescription(id, description); !error.isEmpty())
            return error;
    return {};
}

QString TRunArchiver::RecordFile(const QString &fileName, TRunSource source, const TRunSettings &settings,
                                 const TRunTimes *times, const TRunData *held)
{
    if (!archive_)
        return {};
    QString error;
    const std::optional<TRunFile> file = ReadRunFacts(fileName, settings, error);
    if (!file)
        return Tr::tr("Архив: запуск не записан: %1").arg(error);
    if (held && !SameSamples(*held, *file->run))
        return Tr::tr("Архив: файл \"%1\" не содержит запуск, он не записан в архив.").arg(fileName);
    TRunEntry entry;
    entry.path = QFileInfo(fileName).absoluteFilePath();
    entry.source = source;
    entry.facts = file->facts;
    entry.settings = settings;
    const bool opened = source == TRunSource::Opened;
    if (!opened)
        entry.description = description_;
    if (times)
        SetRecordingTimes(*times, entry.facts.count, entry);
    if (QString failed = archive_->RecordRun(entry); !failed.isEmpty())
        return failed;
    if (opened) {
        const std::optional<TRunEntry> stored = archive_->Run(entry.id);
        description_ = stored ? stored->description : TSampleDescription();
    }
    if (std::find(rows_.begin(), rows_.end(), entry.id) == rows_.end())
        rows_.push_back(entry.id);

    for (auto it = pending_.begin(); it != pending_.end();) {
        if (it->samplesDigest != entry.facts.samplesDigest) {
            ++it;
            continue;
        }
        if (QString failed = archive_->StoreResult(entry.id, it->result); !failed.isEmpty())
            return failed;
        it = pending_.erase(it);
    }
    return {};
}

void TRunArchiver::RowDescribed(int64_t id, const TSampleDescription &description)
{
    if (std::find(rows_.begin(), rows_.end(), id) != rows_.end())
        description_ = description;
}

std::vector<TArchiveResult> TRunArchiver::ResultsOf(const TRunData &run) const
{
    std::vector<TArchiveResult> results;
    const QString digest = SamplesDigest(run);
    if (archive_) {
        const std::vector<int64_t> ids = archive_->RunsWithSamples(digest);
        if (!ids.empty())
            results = archive_->Results(ids.front());
    }
    for (const TPending &p : pending_)
        if (p.samplesDigest == digest)
            results.push_back(p.result);
    return results;
}

QString TRunArchiver::StoreResult(const TRunData &run, const TArchiveResult &result)
{
    if (!archive_)
        return {};
    const QString digest = SamplesDigest(run);
    TArchiveResult stamped = result;
    if (stamped.createdMs == 0)
        stamped.createdMs = archive_->Now();
    const std::vector<int64_t> ids = archive_->RunsWithSamples(digest);
    if (ids.empty()) {
        if (pending_.size() == kMaxPending)
            pending_.erase(pending_.begin());
        pending_.push_back({digest, stamped});
        return {};
    }
    for (int64_t id : ids) {
        TArchiveResult copy = stamped;
        if (QString error = archive_->StoreResult(id, copy); !error.isEmpty())
            return error;
    }
    return {};
}

} // namespace archive
