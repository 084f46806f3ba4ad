#include "app/core/PrivateDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString Refused(const QString &dir, const QString &reason)
{
    return QCoreApplication::translate("PrivateDir", "Каталог \"%1\" не используется (%2)!").arg(dir, reason);
}

// The directory opened for checking, so that the checks and the change of
// permissions concern one and the same directory.
class TDirHandle {
public:
    explicit TDirHandle(const QString &dir)
        : fd_(::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
    }
    ~TDirHandle()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    TDirHandle(const TDirHandle &) = delete;
    TDirHandle &operator=(const TDirHandle &) = delete;

    int fd() const { return fd_; }

private:
    int fd_;
};

} // namespace

QString PreparePrivateDir(const QString &dir)
{
    if (dir.isEmpty())
        return QCoreApplication::translate("PrivateDir", "Не задан каталог для файлов пользователя!");
    const QFileInfo info(dir);
    if (!info.exists() && !info.isSymLink()) {
        QDir().mkpath(info.absolutePath());
        if (::mkdir(QFile::encodeName(info.absoluteFilePath()).constData(), 0700) != 0 && errno != EEXIST) {
            const int error = errno;
            return QCoreApplication::translate("PrivateDir", "Не удалось создать каталог \"%1\" (%2)!").arg(dir, qt_error_string(error));
        }
    }
    const TDirHandle handle(dir);
    struct stat st {};
    if (handle.fd() < 0 || ::fstat(handle.fd(), &st) != 0) {
        const int error = errno;
        return Refused(dir, qt_error_string(error));
    }
    if (st.st_uid != ::geteuid())
        return Refused(dir, QCoreApplication::translate("PrivateDir", "его владелец — другой пользователь"));
    if ((st.st_mode & 077) != 0 && ::fchmod(handle.fd(), st.st_mode & 0700) != 0) {
        const int error = errno;
        return Refused(dir, qt_error_string(error));
    }
    return {};
}

bool IsOwnDirectory(const QString &dir)
{
    struct stat st {};
    return !dir.isEmpty() && ::stat(QFile::encodeName(dir).constData(), &st) == 0 && S_ISDIR(st.st_mode)
           && st.st_uid == ::geteuid();
}
