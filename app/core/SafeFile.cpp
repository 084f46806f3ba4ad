#include "app/core/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

#include <fcntl.h>
#include <unistd.h>

namespace {

QString WriteFailed(const QString &fileName, const QString &reason)
{
    return QStringLiteral("Не удалось записать файл \"%1\" (%2)!").arg(fileName, reason);
}

// The six letters a temporary file of a safe write adds to its target's name.
bool IsWriteSuffix(QStringView suffix)
{
    constexpr qsizetype kSuffixLength = 6;
    if (suffix.size() != kSuffixLength)
        return false;
    return std::all_of(suffix.begin(), suffix.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
    });
}

// Makes the rename that put a new file in place survive a power cut: the
// file's data are already on disk (commit syncs them), its directory entry is
// not until the directory itself is synced. Best effort: the new file is in
// place either way.
void SyncDirectoryOf(const QString &fileName)
{
    const QByteArray dir = QFile::encodeName(QFileInfo(fileName).absolutePath());
    const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

QString WriteFileSafely(const QString &fileName, const QByteArray &data)
{
    QSaveFile file(fileName);
    // No fallback to writing the target in place: that would lose the old
    // file on a failure half-way.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return WriteFailed(fileName, file.errorString());
    // Data still in the buffer are written by flush(): its failure (a full
    // disk) must be caught here, because commit() does not report it and
    // would rename a cut-off file into place.
    if (file.write(data) != data.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return WriteFailed(fileName, reason);
    }
    if (!file.commit())
        return WriteFailed(fileName, file.errorString());
    SyncDirectoryOf(fileName);
    return {};
}

std::optional<QByteArray> ReadFileHead(const QString &fileName, qint64 maxBytes, QString &error)
{
    // Only regular files: a directory cannot be read, and a pipe or a device
    // would block the program waiting for data or never end.
    const QFileInfo info(fileName);
    const bool special = info.exists() && !info.isFile();
    QFile file(fileName);
    if (special || !file.open(QIODevice::ReadOnly)) {
        const QString reason = info.isDir() ? QStringLiteral("это каталог")
                               : special    ? QStringLiteral("это не обычный файл")
                                            : file.errorString();
        error = QStringLiteral("Не удалось открыть файл \"%1\" (%2)!").arg(fileName, reason);
        return std::nullopt;
    }
    QByteArray data = file.read(maxBytes);
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("Не удалось прочитать файл \"%1\" (%2)!").arg(fileName, file.errorString());
        return std::nullopt;
    }
    return data;
}

int RemoveStaleWriteFiles(const QString &fileName, const QDateTime &olderThan)
{
    const QFileInfo target(fileName);
    if (fileName.isEmpty() || target.fileName().isEmpty())
        return 0;
    const QString prefix = target.fileName() + u'.';
    const QDir dir = target.absoluteDir();
    int removed = 0;
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!name.startsWith(prefix) || !IsWriteSuffix(QStringView(name).mid(prefix.size())))
            continue;
        const QFileInfo info(dir.filePath(name));
        if (info.isSymLink() || !info.isFile() || info.lastModified() >= olderThan)
            continue;
        removed += QFile::remove(info.filePath()) ? 1 : 0;
    }
    return removed;
}
