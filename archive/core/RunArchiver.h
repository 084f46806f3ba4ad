#pragma once
// The archive as the main window uses it: the run in memory, its
// description ("Описание образца") and the rows its files have in the
// archive. Every run file the window saves, autosaves at the end of a
// recording or opens gets its row here; results computed on the run go to
// the rows that hold its samples, or wait for one when none does yet.
// Windowless; without an archive (none could be opened) nothing is stored.
#include "archive/core/Archive.h"

#include "app/core/RunData.h"
#include "app/core/RunTimes.h"

#include <QString>
#include <vector>

namespace archive {

class TRunArchiver {
public:
    explicit TRunArchiver(TArchive *archive = nullptr) : archive_(archive) {}

    TArchive *Archive() const { return archive_; }

    // The description of the run in memory, or of the run to be recorded next.
    const TSampleDescription &Description() const { return description_; }
    // Sets it, and writes it into every row of the run in memory.
    [[nodiscard]] QString SetDescription(const TSampleDescription &description);

    // A run file the program has just written (Saved, Autosaved) or read
    // (Opened): read back from the disk and archived. A written file's row
    // gets the description of the run in memory and, when given, the times
    // of its recording; an opened file's row keeps its own description (a
    // new row takes that of a row with the same bytes), which becomes the
    // description of the run in memory. Results that wait for these samples
    // are stored with the row. held: the run the file must hold (a written
    // file that does not hold its samples, as after a failed write, is not
    // archived with them, and an error says so).
    [[nodiscard]] QString RecordFile(const QString &fileName, TRunSource source, const TRunSettings &settings,
                                     const TRunTimes *times = nullptr, const TRunData *held = nullptr);

    // The run in memory was replaced (a recording started, a file opened, the
    // test run): the rows belong to the run before. The description stays.
    void RunReplaced() { rows_.clear(); }

    // Stores a result computed on run with every row that holds the same
    // samples; when none does yet, it waits (in memory) for the next file
    // written with them. The one call through which every analysis command
    // files its result.
    [[nodiscard]] QString StoreResult(const TRunData &run, const TArchiveResult &result);

    // A row's description was changed elsewhere (the archive window): when
    // the row is one of the run in memory, its description follows.
    void RowDescribed(int64_t id, const TSampleDescription &description);

    // The results stored with the first row holding run's samples, then those
    // still waiting for one: what a report of the run in memory shows.
    std::vector<TArchiveResult> ResultsOf(const TRunData &run) const;

    // The rows of the run in memory, in the order they were recorded.
    const std::vector<int64_t> &Rows() const { return rows_; }
    // Results waiting for a row.
    size_t PendingResults() const { return pending_.size(); }

private:
    struct TPending {
        QString samplesDigest;
        TArchiveResult result;
    };

    TArchive *archive_;
    TSampleDescription description_;
    std::vector<int64_t> rows_;
    std::vector<TPending> pending_;
};

// The times of a run recorded here: its first sample's start and its last
// sample; none when the times are not known.
void SetRecordingTimes(const TRunTimes &times, int32_t count, TRunEntry &entry);

} // namespace archive
