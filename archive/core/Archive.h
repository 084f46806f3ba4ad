#pragma once
// The run archive: one SQLite database, "Varotem-archive.sqlite" in the
// per-user data directory, with a row for every run the program saved,
// autosaved at the end of a recording or opened, and the results computed on
// them. The archive never owns the data: rows name files, and a file that is
// missing or no longer holds what was archived is reported as such.
//
// The database runs in WAL mode; every write is one transaction, so a
// committed row survives a killed program. Commits are not flushed to the
// disk one by one (synchronous NORMAL: the write-ahead log is flushed at its
// checkpoints and when the program closes the archive), which keeps the
// write at the end of a run within a few milliseconds: a power cut may lose
// the rows of the last minutes, never the archive itself, and never a run
// file. Its schema version is PRAGMA user_version and grows by forward
// migrations (see docs/archive.md); application_id marks the file as the
// program's.
#include "archive/core/ArchiveTypes.h"
#include "archive/core/Sqlite.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace archive {

inline constexpr char kArchiveFileName[] = "Varotem-archive.sqlite";
inline constexpr int kArchiveSchemaVersion = 1;
inline constexpr int32_t kArchiveApplicationId = 0x5652544d;  // "VRTM"

// Milliseconds since 1970-01-01 UTC; the system clock unless a test sets one.
using TArchiveClock = std::function<int64_t()>;

class TArchive {
public:
    // Use OpenArchive.
    TArchive(std::unique_ptr<TDatabase> db, QString fileName, TArchiveClock clock);

    const QString &FileName() const { return fileName_; }
    int64_t Now() const;

    // Stores a run: a row with the same path and file digest is the same run,
    // whose row is brought up to date (its last-seen time; the description,
    // times and source when the entry has them); otherwise a new row. A new
    // row with an empty description takes the description and times of the
    // last row with the same file digest. entry.id receives the row's id.
    [[nodiscard]] QString RecordRun(TRunEntry &entry);

    [[nodiscard]] QString UpdateDescription(int64_t id, const TSampleDescription &description);
    // Removes the row and its results; never the file.
    [[nodiscard]] QString DeleteRun(int64_t id);

    std::optional<TRunEntry> Run(int64_t id);
    // Rows whose samples have this digest, newest first.
    std::vector<int64_t> RunsWithSamples(const QString &samplesDigest);

    // The one call through which a command stores its result with a run.
    // result.id receives the result's id.
    [[nodiscard]] QString StoreResult(int64_t runId, TArchiveResult &result);
    // A run's results, oldest first.
    std::vector<TArchiveResult> Results(int64_t runId);

    // Ids of the rows that pass the filter, in the order asked for; nullopt
    // with error set when the database cannot be read.
    std::optional<std::vector<int64_t>> Query(const TArchiveFilter &filter, TSortKey key, bool descending,
                                              QString &error);
    // What the table shows of these rows, in the order given (rows gone
    // meanwhile are left out).
    std::vector<TArchiveRow> Rows(const std::vector<int64_t> &ids);
    int64_t RowCount();

    TDatabase &Database() { return *db_; }

private:
    QString Failed(const QString &what);

    std::unique_ptr<TDatabase> db_;
    QString fileName_;
    TArchiveClock clock_;
};

struct TArchiveSetup {
    QString fileName;        // the database file
    QStringList runDirs;     // where run files are looked for when the archive is rebuilt
    TArchiveClock clock;     // empty: the system clock
    TRunSettings rebuildSettings;  // calibration for the facts of files found while rebuilding
    // A file that is damaged or not the program's archive is left as it is
    // and not used, rather than set aside and rebuilt: for a file a user
    // named, which may be anything of theirs.
    bool leaveForeign = false;
};

struct TOpenedArchive {
    std::unique_ptr<TArchive> archive;  // null when it cannot be used in this session
    QStringList messages;               // to show, in order
};

// Opens the archive, creating it when missing and migrating an older schema.
// A file that is damaged or not a database of the program's is renamed aside
// ("<name>.damaged-yyyyMMdd-HHmmss", with its -wal and -shm) with a message,
// and a new archive is built from the rows that can still be read from it
// and the run files in setup.runDirs. A database of a newer schema, or one
// that another program keeps locked, is left alone and not used this time;
// so is a damaged or foreign file with setup.leaveForeign.
TOpenedArchive OpenArchive(const TArchiveSetup &setup);

// The per-user data directory (~/.local/share/Varotem/) with a trailing '/'.
QString DefaultArchiveDir();

} // namespace archive
