#include "app/core/Journal.h"

#include "app/core/Crc32.h"
#include "app/core/SafeFile.h"
#include "app/core/Utf8Text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

static_assert(std::endian::native == std::endian::little, "the journal is written in the machine's byte order");

namespace {

constexpr qint64 kSlotsBytes = qint64(kRunCapacity) * kJournalRecordSize;

// A journal being created is written under its name and this ending first.
constexpr QStringView kNewEnding = u".new";
// The bytes a kept journal's name adds: "-yyyyMMdd-HHmmss" and "-2", "-3", ...
constexpr int kDatedEnding = 16 + 4;

enum THeaderFlag : uint16_t {
    kAutoSave = 1,
    kWeigher = 2,
    kTSpline = 4,
    kLSpline = 8,
};

template <typename T>
void Put(QByteArray &bytes, qsizetype offset, T value)
{
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

template <typename T>
T Get(const char *bytes, qsizetype offset)
{
    T value;
    std::memcpy(&value, bytes + offset, sizeof value);
    return value;
}

// text as UTF-8, cut to kJournalMaxText bytes at a character boundary.
QByteArray JournalText(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    if (bytes.size() > kJournalMaxText) {
        qsizetype end = kJournalMaxText;
        while (end > 0 && (uchar(bytes[end]) & 0xC0) == 0x80)
            --end;
        bytes.truncate(end);
    }
    return bytes;
}

QString JournalError(const QString &path, int error)
{
    return QStringLiteral("\"%1\" (%2)").arg(path, qt_error_string(error));
}

bool WriteAllAt(int fd, const char *data, qint64 size, qint64 offset)
{
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, data, size_t(size), off_t(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        data += n;
        size -= n;
        offset += n;
    }
    return true;
}

bool AllZero(const char *bytes, qsizetype size)
{
    return std::all_of(bytes, bytes + size, [](char c) { return c == 0; });
}

// The header's fields after the magic and version checks; false when they do
// not hold together (lengths, checksum, texts).
bool ParseHeader(const QByteArray &bytes, TJournalHeader &header, qsizetype &headerSize)
{
    const char *p = bytes.constData();
    if (bytes.size() < kJournalFixedHeader)
        return false;
    const uint32_t size = Get<uint32_t>(p, 12);
    if (size < uint32_t(kJournalFixedHeader + 3 * 4 + 4) || size > uint32_t(kJournalMaxHeader)
        || size > uint64_t(bytes.size()) || Get<uint32_t>(p, 16) != uint32_t(kJournalRecordSize)
        || Get<uint32_t>(p, 20) != uint32_t(kRunCapacity) || Get<uint32_t>(p, size - 4) != Crc32(p, size - 4))
        return false;
    qsizetype at = kJournalFixedHeader;
    QString texts[3];
    for (QString &text : texts) {
        if (at + 4 > qsizetype(size) - 4)
            return false;
        const uint32_t length = Get<uint32_t>(p, at);
        at += 4;
        if (length > uint32_t(kJournalMaxText) || at + qsizetype(length) > qsizetype(size) - 4)
            return false;
        text = Utf8Text(QByteArrayView(p + at, qsizetype(length)));
        at += length;
    }
    if (at != qsizetype(size) - 4)
        return false;

    TSettings &s = header.settings;
    header.startMs = Get<int64_t>(p, 24);
    s.TimerWorkInterval = Get<int32_t>(p, 32);
    s.N = Get<int32_t>(p, 36);
    s.Chan1 = Get<int32_t>(p, 40);
    s.Chan2 = Get<int32_t>(p, 44);
    s.Chan3 = Get<int32_t>(p, 48);
    s.ErrorCode = Get<int16_t>(p, 52);
    const uint16_t flags = Get<uint16_t>(p, 54);
    s.AutoSaveFlag = flags & kAutoSave;
    s.LWeightDriver = flags & kWeigher;
    s.TSplineKalibrFlag = flags & kTSpline;
    s.LSplineKalibrFlag = flags & kLSpline;
    s.AutoSaveTime = Get<int32_t>(p, 56);
    header.CalcPoints = Get<int32_t>(p, 60);
    double *coefficients[] = {&s.aT, &s.bT, &s.cT, &s.dT, &s.aL, &s.bL, &s.cL, &s.dL};
    for (int k = 0; k < 8; ++k)
        *coefficients[k] = Get<double>(p, 64 + 8 * k);
    header.SampleLength = Get<double>(p, 128);
    header.QuartzLength = Get<double>(p, 136);
    header.QuartzAlpha = Get<double>(p, 144);
    s.AutoSaveFile = texts[0];
    s.SplineTFile = texts[1];
    s.SplineLFile = texts[2];
    headerSize = size;
    return true;
}

// A good record of sample slot: its checksum holds and it carries its own number.
bool GoodRecord(const char *record, int32_t slot)
{
    return Get<uint32_t>(record, 36) == Crc32(record, 36) && Get<int32_t>(record, 0) == slot;
}

} // namespace

bool ReadJournalBytes(int fd, QByteArray &bytes)
{
    constexpr qint64 kMost = kJournalMaxHeader + kSlotsBytes + 1;
    bytes.resize(kMost);
    qint64 got = 0;
    while (got < kMost) {
        const ssize_t n = ::read(fd, bytes.data() + got, size_t(kMost - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            bytes.clear();
            return false;
        }
        if (n == 0)
            break;
        got += n;
    }
    bytes.truncate(got);
    return true;
}

TSettings JournalSettings(const TJournalHeader &header, TSettings base)
{
    const TSettings &h = header.settings;
    base.TimerWorkInterval = h.TimerWorkInterval;
    base.N = h.N;
    base.Chan1 = h.Chan1;
    base.Chan2 = h.Chan2;
    base.Chan3 = h.Chan3;
    base.ErrorCode = h.ErrorCode;
    base.AutoSaveFlag = h.AutoSaveFlag;
    base.LWeightDriver = h.LWeightDriver;
    base.TSplineKalibrFlag = h.TSplineKalibrFlag;
    base.LSplineKalibrFlag = h.LSplineKalibrFlag;
    base.AutoSaveTime = h.AutoSaveTime;
    base.aT = h.aT;
    base.bT = h.bT;
    base.cT = h.cT;
    base.dT = h.dT;
    base.aL = h.aL;
    base.bL = h.bL;
    base.cL = h.cL;
    base.dL = h.dL;
    base.AutoSaveFile = h.AutoSaveFile;
    base.SplineTFile = h.SplineTFile;
    base.SplineLFile = h.SplineLFile;
    return base;
}

QString JournalPath(const QString &autoSaveFile)
{
    const QFileInfo info(autoSaveFile);
    if (autoSaveFile.isEmpty() || info.fileName().isEmpty())
        return {};
    // Room for the leading dot, the ending and the ".new" of a journal being created.
    const QString ending = QStringLiteral(".varotem-journal");
    const int extra = int(1 + ending.size() + kNewEnding.size());
    return info.absoluteDir().filePath(u'.' + FitFileName(info.fileName(), extra) + ending);
}

QByteArray JournalHeaderImage(const TJournalHeader &header)
{
    const TSettings &s = header.settings;
    const QByteArray texts[] = {JournalText(s.AutoSaveFile), JournalText(s.SplineTFile), JournalText(s.SplineLFile)};
    qsizetype size = kJournalFixedHeader + 4;
    for (const QByteArray &text : texts)
        size += 4 + text.size();
    QByteArray bytes(size, '\0');
    std::memcpy(bytes.data(), kJournalMagic, sizeof kJournalMagic);
    Put<uint32_t>(bytes, 8, kJournalVersion);
    Put<uint32_t>(bytes, 12, uint32_t(size));
    Put<uint32_t>(bytes, 16, kJournalRecordSize);
    Put<uint32_t>(bytes, 20, kRunCapacity);
    Put<int64_t>(bytes, 24, header.startMs);
    Put<int32_t>(bytes, 32, s.TimerWorkInterval);
    Put<int32_t>(bytes, 36, s.N);
    Put<int32_t>(bytes, 40, s.Chan1);
    Put<int32_t>(bytes, 44, s.Chan2);
    Put<int32_t>(bytes, 48, s.Chan3);
    Put<int16_t>(bytes, 52, s.ErrorCode);
    const uint16_t flags = (s.AutoSaveFlag ? kAutoSave : 0) | (s.LWeightDriver ? kWeigher : 0)
                           | (s.TSplineKalibrFlag ? kTSpline : 0) | (s.LSplineKalibrFlag ? kLSpline : 0);
    Put<uint16_t>(bytes, 54, flags);
    Put<int32_t>(bytes, 56, s.AutoSaveTime);
    Put<int32_t>(bytes, 60, header.CalcPoints);
    const double coefficients[] = {s.aT, s.bT, s.cT, s.dT, s.aL, s.bL, s.cL, s.dL};
    for (int k = 0; k < 8; ++k)
        Put<double>(bytes, 64 + 8 * k, coefficients[k]);
    Put<double>(bytes, 128, header.SampleLength);
    Put<double>(bytes, 136, header.QuartzLength);
    Put<double>(bytes, 144, header.QuartzAlpha);
    qsizetype at = kJournalFixedHeader;
    for (const QByteArray &text : texts) {
        Put<uint32_t>(bytes, at, uint32_t(text.size()));
        std::memcpy(bytes.data() + at + 4, text.constData(), size_t(text.size()));
        at += 4 + text.size();
    }
    Put<uint32_t>(bytes, at, Crc32(bytes.constData(), size_t(at)));
    return bytes;
}

TJournalRecord JournalRecordImage(int32_t index, double t, double l, double tc, int64_t ms)
{
    TJournalRecord r{};
    std::memcpy(r.data(), &index, 4);
    std::memcpy(r.data() + 4, &t, 8);
    std::memcpy(r.data() + 12, &l, 8);
    std::memcpy(r.data() + 20, &tc, 8);
    std::memcpy(r.data() + 28, &ms, 8);
    const uint32_t crc = Crc32(r.data(), 36);
    std::memcpy(r.data() + 36, &crc, 4);
    return r;
}

TJournalContents ReadJournal(const QByteArray &bytes, TRunData &run, TRunTimes &times)
{
    TJournalContents result;
    if (bytes.isEmpty())
        return result;
    if (bytes.size() < qsizetype(sizeof kJournalMagic) || std::memcmp(bytes.constData(), kJournalMagic, sizeof kJournalMagic) != 0) {
        result.state = TJournalState::OtherFormat;
        result.problem = QCoreApplication::translate("Journal", "это не журнал приема информации");
        return result;
    }
    if (bytes.size() >= 12 && Get<uint32_t>(bytes.constData(), 8) != kJournalVersion) {
        result.state = TJournalState::OtherFormat;
        result.problem = QCoreApplication::translate("Journal", "журнал другой версии формата (%1)").arg(Get<uint32_t>(bytes.constData(), 8));
        return result;
    }
    qsizetype headerSize = 0;
    if (!ParseHeader(bytes, result.header, headerSize)) {
        result.state = TJournalState::Damaged;
        result.problem = QCoreApplication::translate("Journal", "заголовок журнала поврежден");
        return result;
    }
    result.state = TJournalState::Readable;

    // Slots as far as the file reaches, the last one possibly cut short.
    const qint64 slotBytes = std::min<qint64>(bytes.size() - headerSize, kSlotsBytes);
    const int32_t slotCount = int32_t((slotBytes + kJournalRecordSize - 1) / kJournalRecordSize);
    const char *first = bytes.constData() + headerSize;
    const auto slotSize = [&](int32_t slot) {
        return qsizetype(std::min<qint64>(kJournalRecordSize, slotBytes - qint64(slot - 1) * kJournalRecordSize));
    };
    int32_t lastWritten = 0;
    for (int32_t slot = slotCount; slot >= 1 && lastWritten == 0; --slot) {
        if (!AllZero(first + qsizetype(slot - 1) * kJournalRecordSize, slotSize(slot)))
            lastWritten = slot;
    }

    ClearRun(run);
    run.CalcPoints = result.header.CalcPoints;
    run.SampleLength = result.header.SampleLength;
    run.QuartzLength = result.header.QuartzLength;
    run.QuartzAlpha = result.header.QuartzAlpha;
    times = TRunTimes{};
    times.startMs = result.header.startMs;
    int32_t n = 0;
    int32_t emptyBefore = 0;  // empty slots since the last good record
    for (int32_t slot = 1; slot <= lastWritten; ++slot) {
        const char *record = first + qsizetype(slot - 1) * kJournalRecordSize;
        if (slotSize(slot) < kJournalRecordSize || !GoodRecord(record, slot)) {
            if (AllZero(record, slotSize(slot)))
                ++emptyBefore;
            else
                ++result.dropped;
            continue;
        }
        result.dropped += std::exchange(emptyBefore, 0);
        run.T[n] = Get<double>(record, 4);
        run.L[n] = Get<double>(record, 12);
        run.TC[n] = Get<double>(record, 20);
        times.sampleMs[size_t(n)] = Get<int64_t>(record, 28);
        ++n;
    }
    run.Count = n;
    result.recovered = n;
    return result;
}

QString SetAsideName(const QString &journalPath, const QDateTime &modified)
{
    const QFileInfo info(journalPath);
    QString name = info.fileName();
    if (name.startsWith(u'.'))
        name.remove(0, 1);
    name = FitFileName(name, kDatedEnding);
    const QString base = info.absoluteDir().filePath(
        name + u'-' + modified.toLocalTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    QString candidate = base;
    for (int k = 2; QFileInfo(candidate).exists() || QFileInfo(candidate).isSymLink(); ++k)
        candidate = base + u'-' + QString::number(k);
    return candidate;
}

QString SetAsideJournal(const QString &journalPath, QString &error)
{
    const QString name = SetAsideName(journalPath, QFileInfo(journalPath).lastModified());
    // rename(2) would replace a file that appeared meanwhile; QFile::rename does not.
    QFile file(journalPath);
    if (!file.rename(name)) {
        error = QCoreApplication::translate("Journal", "\"%1\" не удалось переименовать в \"%2\" (%3)").arg(journalPath, name, file.errorString());
        return {};
    }
    SyncDirectoryOf(name);
    return name;
}

QString ClearLeftNewJournal(const QString &journalPath, bool intoPlace, QString &message)
{
    message.clear();
    const QString left = journalPath + kNewEnding.toString();
    const QByteArray encoded = QFile::encodeName(left);
    const QFileInfo info(left);
    if (!info.exists() && !info.isSymLink())
        return {};
    // Held open, and with it the lock, until the ".new" is dealt with.
    const int fd = ::open(encoded.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return QCoreApplication::translate("Journal", "\"%1\": его ведет другая копия программы").arg(left);
    }
    QByteArray bytes;
    if (fd >= 0 && info.isFile() && !ReadJournalBytes(fd, bytes))
        bytes = "?";  // unreadable: kept, never taken for an empty one
    auto run = std::make_unique<TRunData>();
    TRunTimes times;
    const TJournalContents contents = ReadJournal(bytes, *run, times);
    const bool nothing = fd >= 0 && info.isFile() && contents.NothingRecorded();
    QString error;
    if (nothing) {
        ::unlink(encoded.constData());
        SyncDirectoryOf(left);
    } else if (intoPlace && contents.state == TJournalState::Readable && contents.recovered > 0
               && ::renameat2(AT_FDCWD, encoded.constData(), AT_FDCWD, QFile::encodeName(journalPath).constData(),
                              RENAME_NOREPLACE)
                      == 0) {
        SyncDirectoryOf(journalPath);
    } else if (const QString kept = SetAsideJournal(left, error); !kept.isEmpty()) {
        message = QCoreApplication::translate("Journal", "Найден незавершенный журнал приема информации; он сохранен как \"%1\".").arg(kept);
    }
    if (fd >= 0)
        ::close(fd);
    return error;
}

TJournalWriter::~TJournalWriter() { Close(); }

QString TJournalWriter::Begin(QString path, const TJournalHeader &header, const TRunData &run,
                              const TRunTimes &times, QString &notice)
{
    notice.clear();
    const bool replacingOwn = fd_ >= 0 && path_ == path;
    if (path.isEmpty())
        return QCoreApplication::translate("Journal", "нет имени файла автосохранения");
    const QFileInfo existing(path);
    if (!replacingOwn && (existing.exists() || existing.isSymLink())) {
        const int probe = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        const bool busy = probe >= 0 && ::flock(probe, LOCK_EX | LOCK_NB) != 0;
        if (probe >= 0)
            ::close(probe);
        if (busy)
            return QCoreApplication::translate("Journal", "\"%1\": его ведет другая копия программы").arg(path);
        QString error;
        const QString kept = SetAsideJournal(path, error);
        if (kept.isEmpty())
            return error;
        notice = QCoreApplication::translate("Journal", "Найден журнал прерванного приема информации; он сохранен как \"%1\".").arg(kept);
    }

    const QString tempPath = path + kNewEnding.toString();
    const QByteArray temp = QFile::encodeName(tempPath);
    // Created here, never opened over a ".new" left by a crash, which may
    // hold the only copy of a run's records.
    constexpr int kCreate = O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW;
    int fd = ::open(temp.constData(), kCreate, 0666);
    if (fd < 0 && errno == EEXIST) {
        QString kept;
        if (const QString error = ClearLeftNewJournal(path, false, kept); !error.isEmpty())
            return error;
        if (!kept.isEmpty())
            notice += (notice.isEmpty() ? QString() : QStringLiteral("\n")) + kept;
        fd = ::open(temp.constData(), kCreate, 0666);
    }
    if (fd < 0)
        return JournalError(tempPath, errno);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return QCoreApplication::translate("Journal", "\"%1\": его ведет другая копия программы").arg(tempPath);
    }
    QByteArray image = JournalHeaderImage(header);
    const qint64 headerSize = image.size();
    const int32_t count = ValidCount(run);
    image.reserve(headerSize + kSlotsBytes);
    for (int32_t i = 1; i <= count; ++i) {
        const TJournalRecord r = JournalRecordImage(i, run.T[i - 1], run.L[i - 1], run.TC[i - 1], times.sampleMs[size_t(i - 1)]);
        image.append(r.data(), r.size());
    }
    const qsizetype used = image.size();
    image.resize(headerSize + kSlotsBytes, '\0');
    bool written = ::ftruncate(fd, 0) == 0 && WriteAllAt(fd, image.constData(), image.size(), 0);
    if (!written)  // no room for the empty slots: the records only, and the file grows
        written = ::ftruncate(fd, 0) == 0 && WriteAllAt(fd, image.constData(), used, 0);
    written = written && ::fdatasync(fd) == 0;
    if (!written || ::rename(temp.constData(), QFile::encodeName(path).constData()) != 0) {
        const int error = errno;
        ::unlink(temp.constData());
        ::close(fd);
        return JournalError(path, error);
    }
    SyncDirectoryOf(path);
    Close();
    fd_ = fd;
    path_ = std::move(path);
    headerSize_ = headerSize;
    lastIndex_ = count;
    return {};
}

QString TJournalWriter::Write(int32_t index, double t, double l, double tc, int64_t ms)
{
    if (fd_ < 0)
        return QCoreApplication::translate("Journal", "журнал не открыт");
    lastIndex_ = index;
    if (index < 1 || index > kRunCapacity)
        return QCoreApplication::translate("Journal", "точка %1 вне журнала").arg(index);
    const TJournalRecord r = JournalRecordImage(index, t, l, tc, ms);
    const qint64 offset = headerSize_ + qint64(index - 1) * kJournalRecordSize;
    if (!WriteAllAt(fd_, r.data(), r.size(), offset) || ::fdatasync(fd_) != 0)
        return JournalError(path_, errno);
    return {};
}

bool TJournalWriter::MoveTo(const QString &path)
{
    if (fd_ < 0 || path.isEmpty())
        return false;
    if (::renameat2(AT_FDCWD, QFile::encodeName(path_).constData(), AT_FDCWD, QFile::encodeName(path).constData(),
                    RENAME_NOREPLACE)
        != 0)
        return false;
    SyncDirectoryOf(path);
    SyncDirectoryOf(path_);
    path_ = path;
    return true;
}

void TJournalWriter::Remove()
{
    if (fd_ < 0)
        return;
    ::unlink(QFile::encodeName(path_).constData());
    SyncDirectoryOf(path_);
    Close();
}

void TJournalWriter::Close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    path_.clear();
    headerSize_ = 0;
    lastIndex_ = 0;
}
