#pragma once
// The sample journal: while a run is recorded, every stored sample reaches the
// disk in the tick that took it, so a crash, a kill or a power cut loses at
// most the sample in flight. The journal lies beside the autosave file as
// ".<autosave name>.varotem-journal" (the temporary-file clean-up at start
// never matches it) and is removed once the finished run is on disk.
//
// File format, version 1. All numbers little-endian; float64 is IEEE 754.
// Header (H bytes):
//     0   8  magic "VRTMJRNL"
//     8   4  uint32 format version, 1
//    12   4  uint32 H, the header's length with its checksum; records start at H
//    16   4  uint32 record length, 40
//    20   4  uint32 record slots, 10000
//    24   8  int64 start of the recording, ms since 1970-01-01 00:00 UTC
//    32   4  int32 TimerWorkInterval (s)
//    36   4  int32 N
//    40   4  int32 Chan1          44  4  int32 Chan2        48  4  int32 Chan3
//    52   2  int16 ErrorCode
//    54   2  uint16 flags: 1 AutoSaveFlag, 2 LWeightDriver,
//                          4 TSplineKalibrFlag, 8 LSplineKalibrFlag
//    56   4  int32 AutoSaveTime
//    60   4  int32 CalcPoints
//    64  64  float64 aT, bT, cT, dT, aL, bL, cL, dL
//   128   8  float64 SampleLength  136  8  QuartzLength  144  8  QuartzAlpha
//   152      AutoSaveFile, SplineTFile, SplineLFile: each a uint32 byte count
//            (at most 4096) and that many bytes of UTF-8
//   H-4   4  uint32 CRC-32 of bytes 0 .. H-5
// Record of sample i (1..10000), at H + 40 (i - 1):
//     0   4  int32 i
//     4  24  float64 raw T, L, TC as stored in the run
//    28   8  int64 wall-clock time of the sample, ms since 1970-01-01 UTC
//    36   4  uint32 CRC-32 of bytes 0..35
// A new journal is written whole with its slots zero-filled, so a record is
// later written over space the file already has: flushing it then needs no
// change of the file's size or blocks. A slot that is all zero was never
// written; one that is neither zero nor a record with a good checksum and its
// own number was torn or damaged and is dropped on reading.
#include "app/core/RunData.h"
#include "app/core/RunTimes.h"
#include "app/core/Settings.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>

inline constexpr char kJournalMagic[8] = {'V', 'R', 'T', 'M', 'J', 'R', 'N', 'L'};
inline constexpr uint32_t kJournalVersion = 1;
inline constexpr int kJournalFixedHeader = 152;
inline constexpr int kJournalRecordSize = 40;
inline constexpr int kJournalMaxText = 4096;
inline constexpr int kJournalMaxHeader = kJournalFixedHeader + 3 * (4 + kJournalMaxText) + 4;

// What a journal's header keeps: the settings in force when the run started.
struct TJournalHeader {
    int64_t startMs = 0;
    TSettings settings;  // the fields of the layout above; the others keep their defaults
    int32_t CalcPoints = kDefaultCalcPoints;
    double SampleLength = kDefaultSampleLength;
    double QuartzLength = kDefaultQuartzLength;
    double QuartzAlpha = kDefaultQuartzAlpha;
};

// The settings a run was recorded with: the fields the header keeps, taken
// from it, over base for the others.
TSettings JournalSettings(const TJournalHeader &header, TSettings base);

// ".<name>.varotem-journal" beside the autosave file; empty when there is no
// autosave file name.
QString JournalPath(const QString &autoSaveFile);

// The header's bytes (H of them, checksum included).
QByteArray JournalHeaderImage(const TJournalHeader &header);

// The 40 bytes of the record of sample index.
using TJournalRecord = std::array<char, kJournalRecordSize>;
TJournalRecord JournalRecordImage(int32_t index, double t, double l, double tc, int64_t ms);

enum class TJournalState {
    Empty,        // no byte at all: the journal's creation was cut short
    Readable,
    OtherFormat,  // not a journal, or of another format version
    Damaged,      // a journal whose header fails its checks
};

struct TJournalContents {
    TJournalState state = TJournalState::Empty;
    QString problem;  // why not Readable, for the message
    TJournalHeader header;
    int32_t recovered = 0;  // records whose checksum holds
    int32_t dropped = 0;    // torn or damaged records, and empty slots between good records

    // Nothing was recorded in it: empty, or readable without a single record,
    // good or damaged. Such a journal can go without a word.
    bool NothingRecorded() const
    {
        return state == TJournalState::Empty || (state == TJournalState::Readable && recovered == 0 && dropped == 0);
    }
};

// The bytes of an open journal file from its position, at most a whole
// journal's worth and one more (ReadJournal ignores the rest); false on a
// read error, with errno set.
bool ReadJournalBytes(int fd, QByteArray &bytes);

// Rebuilds a run from a journal's bytes: the run is cleared, takes the
// header's calculation parameters and, in slot order, every good record
// (the samples close up over dropped ones); times gets their wall-clock times.
// Bytes beyond the 10000th slot are ignored. run and times are changed only
// for a Readable journal.
TJournalContents ReadJournal(const QByteArray &bytes, TRunData &run, TRunTimes &times);

// The name a journal is kept under when it is not recovered: beside it,
// "<autosave name>.varotem-journal-<yyyyMMdd-HHmmss>" of the journal's last
// change in local time, with "-2", "-3", ... when that name is taken.
QString SetAsideName(const QString &journalPath, const QDateTime &modified);

// Renames the journal to its SetAsideName. Returns the new name, or an empty
// string (with error set) when it could not be renamed.
QString SetAsideJournal(const QString &journalPath, QString &error);

// A journal is written under its name and ".new" first, then renamed into
// place. A ".new" found there was left by a crash before its rename (or is
// being written by another running copy). Before a journal is begun or
// recovered at journalPath: one that holds nothing recorded is removed; one
// that holds records, when intoPlace and no journal is at journalPath, is
// renamed to it (it is then the journal to recover), and otherwise is kept
// under its SetAsideName, and message names it. Returns an empty string, or
// why the ".new" was left where it is (held by another running copy, or not
// renamed), and then no journal may be written there.
QString ClearLeftNewJournal(const QString &journalPath, bool intoPlace, QString &message);

// One run's journal, open from Begin to Remove or Close. The file is locked
// (flock) while open, so another copy of the program neither writes to it
// nor takes it for the journal of an interrupted run.
class TJournalWriter {
public:
    TJournalWriter() = default;
    ~TJournalWriter();  // closes, leaving the file: a journal not ended is one to recover
    TJournalWriter(const TJournalWriter &) = delete;
    TJournalWriter &operator=(const TJournalWriter &) = delete;

    // Writes a new journal at path: the header, the records of samples
    // 1..Count of run with their times, the other slots zero, flushed to the
    // disk; then renames it over path, so a crash leaves the old journal or
    // the new one. Where the zero-filled slots do not fit (a full disk) the
    // journal holds only what was written and grows with each record. The
    // journal open before (of this writer) is closed. A journal at path of
    // another copy of the program that is still running is left alone and
    // the result is an error; one of no running program is kept under its
    // SetAsideName first, and notice names it. Returns an empty string or the
    // reason of the failure; on failure the journal open before stays open.
    // path is taken by value: a caller may pass Path() to write its own
    // journal anew, and that reference would be cleared with the old journal.
    QString Begin(QString path, const TJournalHeader &header, const TRunData &run, const TRunTimes &times,
                  QString &notice);

    // Writes the record of sample index (1..10000) in its slot and flushes
    // it to the disk. Returns an empty string or the reason of the failure.
    QString Write(int32_t index, double t, double l, double tc, int64_t ms);

    // The open journal is renamed to path, unless a file of that name exists
    // (it is never replaced). Returns whether it was moved.
    bool MoveTo(const QString &path);

    // The file is removed and closed.
    void Remove();
    // The file is closed and stays.
    void Close();

    bool IsOpen() const { return fd_ >= 0; }
    const QString &Path() const { return path_; }
    // The number of the last record written (or tried), 0 after Begin of an
    // empty run.
    int32_t LastIndex() const { return lastIndex_; }

private:
    int fd_ = -1;
    QString path_;
    int64_t headerSize_ = 0;
    int32_t lastIndex_ = 0;
};
