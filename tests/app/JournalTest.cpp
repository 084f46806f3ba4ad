// The sample journal: its checksum, its layout, reading back journals that
// were cut, torn or damaged, and the recovery offered at start.
#include "app/core/Crc32.h"
#include "app/core/Journal.h"
#include "app/core/JournalRecovery.h"
#include "tests/app/CoreTestUtil.h"
#include "tests/support/RecordingPrompt.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cstring>

#include <sys/file.h>

namespace {

constexpr int64_t kStartMs = 1767225600000;  // 2026-01-01 00:00 UTC

// Sample i of the journals below, independent of the writer.
double SampleT(int32_t i) { return 1000.0 + i; }
double SampleL(int32_t i) { return i / 8.0 - 3.0; }
double SampleTC(int32_t i) { return 2000.0 - 0.5 * i; }
int64_t SampleMs(int32_t i) { return kStartMs + 1000 * int64_t(i); }

TJournalHeader Header(const QString &autoSaveFile)
{
    TJournalHeader header;
    header.startMs = kStartMs;
    header.settings = DefaultSettings(QStringLiteral("/lab/"));
    header.settings.AutoSaveFile = autoSaveFile;
    header.settings.Chan3 = 2;
    header.settings.ErrorCode = -7;
    header.settings.LSplineKalibrFlag = true;
    header.settings.cL = 0.125;
    header.CalcPoints = 250;
    return header;
}

// A journal of count samples written as the ticks write it; its bytes.
QByteArray WriteJournal(const QString &path, int32_t count)
{
    TJournalWriter writer;
    auto empty = NewRun();
    QString notice;
    EXPECT_TRUE(writer.Begin(path, Header(QStringLiteral("/lab/auto.dat")), *empty, TRunTimes{}, notice).isEmpty());
    for (int32_t i = 1; i <= count; ++i)
        EXPECT_TRUE(writer.Write(i, SampleT(i), SampleL(i), SampleTC(i), SampleMs(i)).isEmpty());
    writer.Close();
    return ReadBytes(path);
}

// Whether the run holds exactly the samples numbered in order.
void ExpectSamples(const TRunData &run, const TRunTimes &times, const std::vector<int32_t> &numbers, const char *name)
{
    ASSERT_EQ(run.Count, int32_t(numbers.size())) << name;
    for (size_t k = 0; k < numbers.size(); ++k) {
        const int32_t i = numbers[k];
        ASSERT_EQ(double(run.T[k]), SampleT(i)) << name << " sample " << k + 1;
        ASSERT_EQ(double(run.L[k]), SampleL(i)) << name << " sample " << k + 1;
        ASSERT_EQ(double(run.TC[k]), SampleTC(i)) << name << " sample " << k + 1;
        ASSERT_EQ(times.sampleMs[k], SampleMs(i)) << name << " sample " << k + 1;
    }
}

std::vector<int32_t> Numbers(int32_t from, int32_t to, int32_t skip = 0)
{
    std::vector<int32_t> numbers;
    for (int32_t i = from; i <= to; ++i) {
        if (i != skip)
            numbers.push_back(i);
    }
    return numbers;
}

int64_t HeaderSize(const QByteArray &journal)
{
    uint32_t size = 0;
    std::memcpy(&size, journal.constData() + 12, 4);
    return size;
}

} // namespace

// Published check values of CRC-32 (the zlib/PNG polynomial).
TEST(Journal, Crc32OfKnownTexts)
{
    struct TRow {
        const char *text;
        uint32_t crc;
    };
    const TRow rows[] = {
        {"", 0x00000000u},
        {"a", 0xE8B7BE43u},
        {"123456789", 0xCBF43926u},
        {"The quick brown fox jumps over the lazy dog", 0x414FA339u},
    };
    for (const TRow &r : rows)
        EXPECT_EQ(Crc32(r.text, std::strlen(r.text)), r.crc) << r.text;
}

// The bytes at the documented offsets, and the header read back whole.
TEST(Journal, LayoutOfHeaderAndRecord)
{
    const TJournalHeader header = Header(QStringLiteral("/lab/проба.dat"));
    const QByteArray image = JournalHeaderImage(header);
    const QByteArray name = QStringLiteral("/lab/проба.dat").toUtf8();
    const QByteArray splineT = QByteArray("/lab/defaultT.spl");
    const QByteArray splineL = QByteArray("/lab/defaultL.spl");
    ASSERT_EQ(image.size(), 152 + 4 + name.size() + 4 + splineT.size() + 4 + splineL.size() + 4);
    const char *p = image.constData();
    const auto u32 = [&](int at) { uint32_t v; std::memcpy(&v, p + at, 4); return v; };
    EXPECT_EQ(QByteArray(p, 8), QByteArray("VRTMJRNL"));
    EXPECT_EQ(u32(8), 1u);
    EXPECT_EQ(u32(12), uint32_t(image.size()));
    EXPECT_EQ(u32(16), 40u);
    EXPECT_EQ(u32(20), 10000u);
    EXPECT_EQ(u32(48), 2u);                          // Chan3
    EXPECT_EQ(uint16_t(u32(52) & 0xFFFF), 0xFFF9u);  // ErrorCode -7
    EXPECT_EQ(u32(52) >> 16, 1u | 8u);               // AutoSaveFlag, LSplineKalibrFlag
    EXPECT_EQ(u32(60), 250u);
    EXPECT_EQ(u32(152), uint32_t(name.size()));
    EXPECT_EQ(image.mid(156, name.size()), name);
    EXPECT_EQ(u32(int(image.size()) - 4), Crc32(p, size_t(image.size() - 4)));

    const TJournalRecord record = JournalRecordImage(7, 1.5, -2.25, 3.0, kStartMs);
    const double values[] = {1.5, -2.25, 3.0};
    EXPECT_EQ(std::memcmp(record.data(), "\x07\0\0\0", 4), 0);
    EXPECT_EQ(std::memcmp(record.data() + 4, values, 24), 0);
    EXPECT_EQ(std::memcmp(record.data() + 28, &kStartMs, 8), 0);
    const uint32_t crc = Crc32(record.data(), 36);
    EXPECT_EQ(std::memcmp(record.data() + 36, &crc, 4), 0);

    QByteArray journal = image + QByteArray(record.data(), 40);
    auto run = NewRun();
    TRunTimes times;
    const TJournalContents contents = ReadJournal(journal, *run, times);
    ASSERT_EQ(contents.state, TJournalState::Readable);
    EXPECT_EQ(contents.header.settings, header.settings);
    EXPECT_EQ(contents.header.startMs, kStartMs);
    EXPECT_EQ(run->CalcPoints, 250);
    EXPECT_EQ(times.startMs, kStartMs);
    EXPECT_EQ(contents.recovered, 0) << "record 7 in slot 1 is not that slot's record";
    EXPECT_EQ(contents.dropped, 1);
}

// A new journal has all its slots: records are written over space the file
// already holds.
TEST(Journal, NewJournalIsWrittenWholeAndFilledInPlace)
{
    QTemporaryDir dir;
    const QString path = JournalPath(dir.filePath("auto.dat"));
    EXPECT_EQ(QFileInfo(path).fileName(), QStringLiteral(".auto.dat.varotem-journal"));
    const QByteArray empty = WriteJournal(path, 0);
    const QByteArray full = WriteJournal(path, 3);
    EXPECT_EQ(full.size(), empty.size());
    EXPECT_EQ(full.size(), HeaderSize(full) + 10000 * 40);
    EXPECT_FALSE(QFileInfo::exists(path + ".new"));
}

// A journal cut at every byte of its last record, its last record torn in
// place (the rest of the slot still zero), a byte flipped in a record in the
// middle or in the header, and files that are no journal of this version.
TEST(Journal, DamagedJournalsAreReadUpToTheirGoodRecords)
{
    constexpr int32_t kCount = 100;
    QTemporaryDir dir;
    const QByteArray journal = WriteJournal(dir.filePath("j"), kCount);
    const qsizetype h = HeaderSize(journal);
    const int64_t lastRecord = h + 40 * (kCount - 1);

    struct TRow {
        std::string name;
        QByteArray bytes;
        TJournalState state;
        std::vector<int32_t> samples;
        int32_t dropped;
    };
    std::vector<TRow> rows;
    rows.push_back({"whole", journal, TJournalState::Readable, Numbers(1, kCount), 0});
    for (int b = 0; b <= 40; ++b) {
        const bool torn = b > 0 && b < 40;
        const std::vector<int32_t> kept = Numbers(1, b == 40 ? kCount : kCount - 1);
        rows.push_back({"cut " + std::to_string(b) + " bytes into the last record", journal.left(lastRecord + b),
                        TJournalState::Readable, kept, torn ? 1 : 0});
        QByteArray inPlace = journal;
        std::memset(inPlace.data() + lastRecord + b, 0, size_t(40 - b));
        rows.push_back({"last record torn in place after " + std::to_string(b) + " bytes", inPlace,
                        TJournalState::Readable, kept, torn ? 1 : 0});
    }
    for (int at : {0, 3, 4, 20, 35, 36, 39}) {
        QByteArray flipped = journal;
        flipped[h + 40 * 49 + at] = char(flipped[h + 40 * 49 + at] ^ 0x10);
        rows.push_back({"byte " + std::to_string(at) + " of record 50 flipped", flipped, TJournalState::Readable,
                        Numbers(1, kCount, 50), 1});
    }
    QByteArray hole = journal;
    std::memset(hole.data() + h + 40 * 9, 0, 40);
    rows.push_back({"record 10 never written", hole, TJournalState::Readable, Numbers(1, kCount, 10), 1});
    QByteArray garbage = journal;
    garbage[h + 40 * 5000] = 'x';
    rows.push_back({"garbage far beyond the last record", garbage, TJournalState::Readable, Numbers(1, kCount), 1});
    rows.push_back({"bytes beyond the 10000th slot", journal + QByteArray(100, 'x'), TJournalState::Readable,
                    Numbers(1, kCount), 0});
    QByteArray header = journal;
    header[30] = char(header[30] ^ 1);
    rows.push_back({"byte flipped in the header", header, TJournalState::Damaged, {}, 0});
    rows.push_back({"header cut short", journal.left(h - 1), TJournalState::Damaged, {}, 0});
    QByteArray longText = journal;
    longText[152] = char(0xFF);  // a text longer than the header
    rows.push_back({"text length beyond the header", longText, TJournalState::Damaged, {}, 0});
    QByteArray version = journal;
    version[8] = 2;
    rows.push_back({"format version 2", version, TJournalState::OtherFormat, {}, 0});
    rows.push_back({"a run file", QByteArray(240032, '\0'), TJournalState::OtherFormat, {}, 0});
    rows.push_back({"no byte", QByteArray(), TJournalState::Empty, {}, 0});

    for (const TRow &r : rows) {
        auto run = NewRun();
        FillTestRun(*run);
        const QByteArray before = Bytes(*run);
        TRunTimes times;
        const TJournalContents contents = ReadJournal(r.bytes, *run, times);
        ASSERT_EQ(contents.state, r.state) << r.name;
        EXPECT_EQ(contents.dropped, r.dropped) << r.name;
        if (r.state != TJournalState::Readable) {
            EXPECT_EQ(Bytes(*run), before) << r.name;
            continue;
        }
        EXPECT_EQ(contents.recovered, int32_t(r.samples.size())) << r.name;
        EXPECT_EQ(run->CalcPoints, 250) << r.name;
        ExpectSamples(*run, times, r.samples, r.name.c_str());
    }
}

namespace {

struct TRecoveryRig {
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    QString autosave = dir.filePath("auto.dat");
    QString journal = JournalPath(autosave);
    std::unique_ptr<TRunData> run = NewRun();
    TRunTimes times;

    TRecoveryResult Recover() { return RecoverInterruptedRun(autosave, *run, times); }
    QStringList Files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
};

} // namespace

// What the start does with each kind of journal, and with the answer.
TEST(JournalRecovery, AnswersAndDamagedJournals)
{
    const QString question = QStringLiteral("Прием информации был прерван. Восстановить запись (%1 точек)?");
    const QString aside = QStringLiteral("auto.dat.varotem-journal-20260101-120000");
    struct TRow {
        const char *name;
        int32_t records;      // written by the writer; -1: the bytes below instead
        QByteArray bytes;
        bool answer;
        bool asked;
        bool recovered;
        QStringList files;    // afterwards
        QString message;      // a part of the one message; empty: none
    };
    const TRow rows[] = {
        {"yes", 5, {}, true, true, true, {"auto.dat"}, {}},
        {"no", 5, {}, false, true, false, {aside}, "не восстановлена. Журнал сохранен как"},
        {"no sample recorded", 0, {}, true, false, false, {}, {}},
        {"an empty file", -1, QByteArray(), true, false, false, {}, {}},
        {"another format", -1, QByteArray("not a journal at all"), true, false, false, {aside},
         "это не журнал приема информации. Журнал сохранен как"},
    };
    for (const TRow &r : rows) {
        TRecoveryRig rig;
        if (r.records >= 0)
            WriteJournal(rig.journal, r.records);
        else
            WriteBytes(rig.journal, r.bytes);
        QFile file(rig.journal);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2026, 1, 1), QTime(12, 0)), QFileDevice::FileModificationTime));
        file.close();
        rig.prompt.yesNo = {r.answer};
        FillTestRun(*rig.run);

        const TRecoveryResult result = rig.Recover();
        EXPECT_EQ(rig.prompt.questions, r.asked ? QStringList{question.arg(r.records)} : QStringList()) << r.name;
        EXPECT_EQ(result.recovered, r.recovered) << r.name;
        EXPECT_EQ(rig.Files(), r.files) << r.name;
        EXPECT_EQ(result.messages.size(), r.message.isEmpty() ? 0 : 1) << r.name;
        if (!r.message.isEmpty() && !result.messages.isEmpty()) {
            EXPECT_TRUE(result.messages[0].contains(r.message)) << r.name << ": " << result.messages[0].toStdString();
        }
        if (r.recovered) {
            ExpectSamples(*rig.run, rig.times, Numbers(1, r.records), r.name);
            EXPECT_EQ(ReadBytes(rig.autosave), Bytes(*rig.run)) << r.name;
        } else {
            EXPECT_EQ(rig.run->Count, 600) << r.name;
        }
    }
}

// Recovered with damage: the message counts what was dropped; a second
// journal set aside on the same second gets a name of its own.
TEST(JournalRecovery, DroppedRecordsAreCountedAndNamesNotReused)
{
    TRecoveryRig rig;
    QByteArray bytes = WriteJournal(rig.journal, 30);
    const qsizetype h = HeaderSize(bytes);
    bytes[h + 40 * 3 + 10] = char(bytes[h + 40 * 3 + 10] ^ 4);
    bytes.truncate(h + 40 * 29 + 17);
    WriteBytes(rig.journal, bytes);
    rig.prompt.yesNo = {true};
    const TRecoveryResult result = rig.Recover();
    ASSERT_TRUE(result.recovered);
    EXPECT_EQ(rig.prompt.questions,
              QStringList{QStringLiteral("Прием информации был прерван. Восстановить запись (28 точек)?")});
    EXPECT_EQ(result.messages,
              QStringList{QStringLiteral("Восстановлено точек: 28. Поврежденные записи журнала пропущены: 2.")});
    std::vector<int32_t> kept = Numbers(1, 29, 4);
    ExpectSamples(*rig.run, rig.times, kept, "damaged");

    const QDateTime when(QDate(2026, 3, 4), QTime(5, 6, 7));
    const QString first = SetAsideName(rig.journal, when);
    EXPECT_EQ(QFileInfo(first).fileName(), QStringLiteral("auto.dat.varotem-journal-20260304-050607"));
    WriteBytes(first, "x");
    EXPECT_EQ(QFileInfo(SetAsideName(rig.journal, when)).fileName(),
              QStringLiteral("auto.dat.varotem-journal-20260304-050607-2"));
}

// The journal of a run that another copy of the program is recording is
// neither offered nor moved, and a new run there is refused its journal.
TEST(JournalRecovery, JournalOfARunningCopyIsLeftAlone)
{
    TRecoveryRig rig;
    TJournalWriter other;
    auto empty = NewRun();
    QString notice;
    ASSERT_TRUE(other.Begin(rig.journal, Header(rig.autosave), *empty, TRunTimes{}, notice).isEmpty());
    ASSERT_TRUE(other.Write(1, 1, 2, 3, 4).isEmpty());
    rig.prompt.yesNo = {true};
    const TRecoveryResult result = rig.Recover();
    EXPECT_FALSE(result.recovered);
    EXPECT_TRUE(result.messages.isEmpty());
    EXPECT_TRUE(rig.prompt.questions.isEmpty());

    TJournalWriter mine;
    EXPECT_TRUE(mine.Begin(rig.journal, Header(rig.autosave), *empty, TRunTimes{}, notice).contains("другая копия"));
    EXPECT_FALSE(mine.IsOpen());
    EXPECT_EQ(rig.Files(), QStringList{".auto.dat.varotem-journal"});
}

// The autosave file cannot take the recovered run: it goes to a new dated
// file beside the journal, never over another file, and the message says
// where; when no file can be written, the journal is kept under its dated
// name, so a new run started there neither truncates nor reuses it.
TEST(JournalRecovery, RunGoesToADatedFileWhenTheAutosaveFileCannotBeWritten)
{
    // 2026-01-01 12:00 local time: the start of the journal's recording.
    const int64_t start = QDateTime(QDate(2026, 1, 1), QTime(12, 0)).toMSecsSinceEpoch();
    struct TRow {
        const char *name;
        bool taken;      // a file already has the dated name
        bool diskFull;   // no file at all can be written
        QString savedTo; // the file holding the run afterwards; empty: none
    };
    const TRow rows[] = {
        {"a directory in the autosave file's place", false, false, "auto-20260101-120000.dat"},
        {"the dated name taken", true, false, "auto-20260101-120000-2.dat"},
        {"the disk full", false, true, {}},
    };
    for (const TRow &r : rows) {
        TRecoveryRig rig;
        ASSERT_TRUE(QDir(rig.dir.path()).mkdir("auto.dat"));
        auto empty = NewRun();
        TJournalHeader header = Header(rig.autosave);
        header.startMs = start;
        TJournalWriter writer;
        QString notice;
        ASSERT_TRUE(writer.Begin(rig.journal, header, *empty, TRunTimes{}, notice).isEmpty());
        for (int32_t i = 1; i <= 5; ++i)
            ASSERT_TRUE(writer.Write(i, i, 2 * i, 3 * i, start + i).isEmpty());
        writer.Close();
        const QByteArray journalBytes = ReadBytes(rig.journal);
        if (r.taken)
            WriteBytes(rig.dir.filePath("auto-20260101-120000.dat"), "someone's file");
        rig.prompt.yesNo = {true};

        TRecoveryResult result;
        {
            std::optional<TFileSizeLimit> limit;
            if (r.diskFull)
                limit.emplace(1000);
            result = rig.Recover();
        }
        ASSERT_TRUE(result.recovered) << r.name;
        const QString all = result.messages.join('\n');
        EXPECT_EQ(QFileInfo(result.savedTo).fileName(), r.savedTo) << r.name;
        if (r.taken) {
            EXPECT_EQ(ReadBytes(rig.dir.filePath("auto-20260101-120000.dat")), "someone's file");
        }
        if (!r.savedTo.isEmpty()) {
            EXPECT_EQ(ReadBytes(result.savedTo), Bytes(*rig.run)) << r.name;
            EXPECT_TRUE(all.contains(result.savedTo)) << r.name << ": " << all.toStdString();
            EXPECT_FALSE(QFileInfo::exists(rig.journal)) << r.name;
            continue;
        }
        // Kept aside, whole; a new run's journal in its place leaves it be.
        EXPECT_FALSE(QFileInfo::exists(rig.journal)) << r.name;
        const QStringList kept = rig.Files().filter("auto.dat.varotem-journal-");
        ASSERT_EQ(kept.size(), 1) << r.name << ": " << rig.Files().join(' ').toStdString();
        EXPECT_TRUE(all.contains(kept[0])) << r.name << ": " << all.toStdString();
        EXPECT_EQ(ReadBytes(rig.dir.filePath(kept[0])), journalBytes) << r.name;
        TJournalWriter next;
        ASSERT_TRUE(next.Begin(rig.journal, header, *empty, TRunTimes{}, notice).isEmpty()) << r.name;
        EXPECT_TRUE(notice.isEmpty()) << r.name;
        EXPECT_EQ(ReadBytes(rig.dir.filePath(kept[0])), journalBytes) << r.name;
    }
}

// A ".new" left beside the journal by a crash between its writing and its
// rename: at start one holding records is offered when no journal is there,
// kept under its dated name beside a journal, and removed when it holds
// nothing; a new journal is never written over it.
TEST(JournalRecovery, LeftNewJournalIsNeitherLostNorWrittenOver)
{
    const QString question = QStringLiteral("Прием информации был прерван. Восстановить запись (%1 точек)?");
    struct TRow {
        const char *name;
        int32_t newRecords;   // in the ".new"; -1: an empty file
        int32_t journal;      // records of the journal beside it; -1: none
        int32_t offered;      // the points the question names; 0: not asked
        bool keptAside;       // the ".new" under its dated name, and a message names it
    };
    const TRow rows[] = {
        {"records, no journal", 7, -1, 7, false},
        {"records beside a journal", 7, 5, 5, true},
        {"header only beside a journal", 0, 5, 5, false},
        {"an empty file, no journal", -1, -1, 0, false},
    };
    for (const TRow &r : rows) {
        TRecoveryRig rig;
        const QString left = rig.journal + ".new";
        if (r.journal >= 0)
            WriteJournal(rig.journal, r.journal);
        if (r.newRecords >= 0)
            WriteJournal(left, r.newRecords);
        else
            WriteBytes(left, QByteArray());
        const QByteArray leftBytes = ReadBytes(left);
        rig.prompt.yesNo = {true};

        const TRecoveryResult result = rig.Recover();
        EXPECT_EQ(rig.prompt.questions, r.offered ? QStringList{question.arg(r.offered)} : QStringList()) << r.name;
        EXPECT_EQ(result.recovered, r.offered > 0) << r.name;
        if (r.offered > 0)
            ExpectSamples(*rig.run, rig.times, Numbers(1, r.offered), r.name);
        const QStringList kept = rig.Files().filter("auto.dat.varotem-journal.new-");
        EXPECT_FALSE(QFileInfo::exists(left)) << r.name;
        EXPECT_FALSE(QFileInfo::exists(rig.journal)) << r.name;
        ASSERT_EQ(kept.size(), r.keptAside ? 1 : 0) << r.name << ": " << rig.Files().join(' ').toStdString();
        if (r.keptAside) {
            EXPECT_EQ(ReadBytes(rig.dir.filePath(kept[0])), leftBytes) << r.name;
            EXPECT_TRUE(result.messages.join('\n').contains(kept[0])) << r.name << ": " << result.messages.join('\n').toStdString();
        } else {
            EXPECT_TRUE(result.messages.isEmpty()) << r.name << ": " << result.messages.join('\n').toStdString();
        }
    }
}

// A new journal where a ".new" was left: one holding records is kept under
// its dated name and the notice says so, an empty one goes; one that another
// running copy is writing stops the new journal and stays as it is.
TEST(Journal, NewJournalLeavesALeftNewJournalWhole)
{
    struct TRow {
        const char *name;
        int32_t records;  // in the ".new"; -1: an empty file
        bool locked;      // held by another running copy
        bool begun;
        bool keptAside;
    };
    const TRow rows[] = {
        {"records", 4, false, true, true},
        {"an empty file", -1, false, true, false},
        {"another copy writing it", 4, true, false, false},
    };
    for (const TRow &r : rows) {
        QTemporaryDir dir;
        const QString path = JournalPath(dir.filePath("auto.dat"));
        const QString left = path + ".new";
        if (r.records >= 0)
            WriteJournal(left, r.records);
        else
            WriteBytes(left, QByteArray());
        const QByteArray leftBytes = ReadBytes(left);
        QFile holder(left);
        if (r.locked) {
            ASSERT_TRUE(holder.open(QIODevice::ReadOnly));
            ASSERT_EQ(::flock(holder.handle(), LOCK_EX | LOCK_NB), 0);
        }
        TJournalWriter writer;
        auto empty = NewRun();
        QString notice;
        const QString error = writer.Begin(path, Header(dir.filePath("auto.dat")), *empty, TRunTimes{}, notice);
        EXPECT_EQ(error.isEmpty(), r.begun) << r.name << ": " << error.toStdString();
        EXPECT_EQ(writer.IsOpen(), r.begun) << r.name;
        const QStringList kept =
            QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter("auto.dat.varotem-journal.new-");
        ASSERT_EQ(kept.size(), r.keptAside ? 1 : 0) << r.name;
        if (r.keptAside) {
            EXPECT_EQ(ReadBytes(dir.filePath(kept[0])), leftBytes) << r.name;
            EXPECT_TRUE(notice.contains(kept[0])) << r.name << ": " << notice.toStdString();
        } else if (r.begun) {
            EXPECT_TRUE(notice.isEmpty()) << r.name << ": " << notice.toStdString();
        }
        if (r.locked)
            EXPECT_EQ(ReadBytes(left), leftBytes) << r.name;
        else
            EXPECT_FALSE(QFileInfo::exists(left)) << r.name;
    }
}

// A recovered run is described with the settings its journal recorded: every
// field the header keeps comes from the header read back, the others from the
// settings now in force.
TEST(Journal, SettingsOfARecoveredRunComeFromItsHeader)
{
    TJournalHeader written = Header(QStringLiteral("/lab/then.dat"));
    TSettings &then = written.settings;
    then.TimerWorkInterval = 7;
    then.N = 1234;
    then.Chan1 = 5;
    then.Chan2 = 6;
    then.AutoSaveTime = 9;
    then.LWeightDriver = true;
    then.aT = 1.5;
    then.dL = -2.25;
    then.SplineTFile = QChar(0xFEFF) + QStringLiteral("/lab/t-then.txt");  // a name may start with U+FEFF
    TSettings now = DefaultSettings(QStringLiteral("/lab/"));
    now.ManageFlag = !then.ManageFlag;
    now.Chan1 = 1;
    now.aT = 100;
    now.dL = 200;
    auto run = NewRun();
    TRunTimes times;
    const TJournalContents read = ReadJournal(JournalHeaderImage(written), *run, times);
    ASSERT_EQ(read.state, TJournalState::Readable);
    const TSettings got = JournalSettings(read.header, now);

    EXPECT_EQ(got.ManageFlag, now.ManageFlag);  // not in the header
    struct TRow {
        const char *name;
        double got, expected;
    };
    const TRow rows[] = {
        {"period", double(got.TimerWorkInterval), 7},  {"N", double(got.N), 1234},
        {"Chan1", double(got.Chan1), 5},               {"Chan2", double(got.Chan2), 6},
        {"Chan3", double(got.Chan3), 2},               {"error code", double(got.ErrorCode), -7},
        {"autosave every", double(got.AutoSaveTime), 9}, {"weigher", double(got.LWeightDriver), 1},
        {"L by points", double(got.LSplineKalibrFlag), 1}, {"aT", got.aT, 1.5},
        {"cL", got.cL, 0.125},                         {"dL", got.dL, -2.25},
    };
    for (const TRow &r : rows)
        EXPECT_EQ(r.got, r.expected) << r.name;
    EXPECT_EQ(got.AutoSaveFile, QStringLiteral("/lab/then.dat"));
    EXPECT_EQ(got.SplineTFile, then.SplineTFile);
}
