#include "app/core/SafeFile.h"

#include "app/core/Crc32.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString WriteFailed(const QString &fileName, const QString &reason)
{
    return QCoreApplication::translate("SafeFile", "Не удалось записать файл \"%1\" (%2)!").arg(fileName, reason);
}

// A safe write's temporary file is ".<target>.varotem-XXXXXX.tmp" beside its
// target: hidden, marked as the program's own, with a fixed ending, so that
// no name a user would give a file of their own is ever taken for one.
constexpr QStringView kWriteMarker = u".varotem-";
constexpr QStringView kWriteEnding = u".tmp";
constexpr qsizetype kWriteRandomLength = 6;

QString WriteFilePrefix(const QString &targetName)
{
    const int extra = int(1 + kWriteMarker.size() + kWriteRandomLength + kWriteEnding.size());
    return u'.' + FitFileName(targetName, extra) + kWriteMarker.toString();
}

bool IsWriteRandomPart(QStringView part)
{
    return part.size() == kWriteRandomLength && std::all_of(part.begin(), part.end(), [](QChar c) {
               return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
           });
}

// Creates a new temporary file for target in its directory, readable and
// writable as a new file of the user's (the umask applies). Returns its
// descriptor, or -1 with errno set.
int CreateWriteFile(const QFileInfo &target, QString &tempName)
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    const QString prefix = target.absoluteDir().filePath(WriteFilePrefix(target.fileName()));
    for (int attempt = 0; attempt < 100; ++attempt) {
        QString name = prefix;
        for (qsizetype i = 0; i < kWriteRandomLength; ++i)
            name += QLatin1Char(kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))]);
        name += kWriteEnding.toString();
        const int fd = ::open(QFile::encodeName(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            tempName = name;
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

bool WriteAll(int fd, const QByteArray &data)
{
    const char *p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        left -= n;
    }
    return true;
}

} // namespace

QString FitFileName(const QString &name, int extraBytes)
{
    const QByteArray bytes = QFile::encodeName(name);
    if (bytes.size() + extraBytes <= kMaxFileNameBytes)
        return name;
    constexpr int kMark = 9;  // "~" and eight hexadecimal digits
    qsizetype end = std::max<qsizetype>(0, kMaxFileNameBytes - extraBytes - kMark);
    while (end > 0 && (uchar(bytes[end]) & 0xC0) == 0x80)
        --end;
    return QFile::decodeName(bytes.left(end)) + u'~'
           + QStringLiteral("%1").arg(Crc32(bytes.constData(), size_t(bytes.size())), 8, 16, QLatin1Char('0'));
}

QString WriteTempNameFor(const QString &fileName)
{
    const QFileInfo target(fileName);
    return target.absoluteDir().filePath(WriteFilePrefix(target.fileName()) + QString(kWriteRandomLength, u'X')
                                         + kWriteEnding.toString());
}

void SyncDirectoryOf(const QString &fileName)
{
    const QByteArray dir = QFile::encodeName(QFileInfo(fileName).absolutePath());
    const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

QString WriteFileSafely(const QString &fileName, const QByteArray &data)
{
    // A symbolic link stays a link: the file it points to is replaced.
    QFileInfo target(fileName);
    if (target.isSymLink()) {
        const QString resolved = target.canonicalFilePath();  // empty for a dangling link
        target = QFileInfo(resolved.isEmpty() ? target.symLinkTarget() : resolved);
    }
    if (target.isDir())
        return WriteFailed(fileName, qt_error_string(EISDIR));
    QString tempName;
    const int fd = CreateWriteFile(target, tempName);
    if (fd < 0)
        return WriteFailed(fileName, qt_error_string(errno));
    // An existing file keeps its permissions.
    struct stat existing {};
    if (::stat(QFile::encodeName(target.absoluteFilePath()).constData(), &existing) == 0)
        ::fchmod(fd, existing.st_mode & 07777);
    // No fallback to writing the target in place: that would lose the old
    // file on a failure half-way. The data reach the disk before the rename,
    // so a power cut leaves the old file or the whole new one.
    const bool written = WriteAll(fd, data) && ::fdatasync(fd) == 0;
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    const QByteArray temp = QFile::encodeName(tempName);
    if (!written || !closed) {
        ::unlink(temp.constData());
        return WriteFailed(fileName, qt_error_string(written ? errno : writeError));
    }
    if (::rename(temp.constData(), QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
        const int renameError = errno;
        ::unlink(temp.constData());
        return WriteFailed(fileName, qt_error_string(renameError));
    }
    SyncDirectoryOf(target.absoluteFilePath());
    return {};
}

std::optional<QByteArray> ReadFileHead(const QString &fileName, qint64 maxBytes, QString &error,
                                       QCryptographicHash *wholeFile)
{
    // Only regular files: a directory cannot be read, and a pipe or a device
    // would block the program waiting for data or never end.
    const QFileInfo info(fileName);
    const bool special = info.exists() && !info.isFile();
    QFile file(fileName);
    if (special || !file.open(QIODevice::ReadOnly)) {
        const QString reason = info.isDir() ? QCoreApplication::translate("SafeFile", "это каталог")
                               : special    ? QCoreApplication::translate("SafeFile", "это не обычный файл")
                                            : file.errorString();
        error = QCoreApplication::translate("SafeFile", "Не удалось открыть файл \"%1\" (%2)!").arg(fileName, reason);
        return std::nullopt;
    }
    QByteArray data = file.read(maxBytes);
    if (wholeFile && file.error() == QFileDevice::NoError) {
        wholeFile->addData(data);
        wholeFile->addData(&file);
    }
    if (file.error() != QFileDevice::NoError) {
        error = QCoreApplication::translate("SafeFile", "Не удалось прочитать файл \"%1\" (%2)!").arg(fileName, file.errorString());
        return std::nullopt;
    }
    return data;
}

int RemoveOldOwnFiles(const QString &dir, const std::function<bool(QStringView)> &isOwnName,
                      const QDateTime &olderThan)
{
    const QDir folder(dir);
    int removed = 0;
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!isOwnName(name))
            continue;
        const QFileInfo info(folder.filePath(name));
        if (info.isSymLink() || !info.isFile() || info.lastModified() >= olderThan)
            continue;
        removed += QFile::remove(info.filePath()) ? 1 : 0;
    }
    return removed;
}

int RemoveStaleWriteFiles(const QString &fileName, const QDateTime &olderThan)
{
    const QFileInfo target(fileName);
    if (fileName.isEmpty() || target.fileName().isEmpty())
        return 0;
    const QString prefix = WriteFilePrefix(target.fileName());
    const auto isWriteFile = [&prefix](QStringView name) {
        return name.size() == prefix.size() + kWriteRandomLength + kWriteEnding.size() && name.startsWith(prefix)
               && name.endsWith(kWriteEnding) && IsWriteRandomPart(name.mid(prefix.size(), kWriteRandomLength));
    };
    return RemoveOldOwnFiles(target.absolutePath(), isWriteFile, olderThan);
}
