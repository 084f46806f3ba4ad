#include "app/core/JournalRecovery.h"

#include "app/core/DataFiles.h"
#include "app/core/Journal.h"
#include "app/core/Prompt.h"
#include "app/core/SafeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <memory>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// Holds a descriptor, and with it the journal's lock, until the scope ends.
class TDescriptor {
public:
    explicit TDescriptor(int fd) : fd_(fd) {}
    ~TDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    TDescriptor(const TDescriptor &) = delete;
    TDescriptor &operator=(const TDescriptor &) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

void RemoveJournal(const QString &path)
{
    QFile::remove(path);
    SyncDirectoryOf(path);
}

// Keeps the journal under its dated name; the message says where it is.
QString KeepAside(const QString &path, const QString &why)
{
    QString error;
    const QString kept = SetAsideJournal(path, error);
    if (kept.isEmpty())
        return why + QCoreApplication::translate("JournalRecovery", " Журнал оставлен на месте: %1.").arg(error);
    return why + QCoreApplication::translate("JournalRecovery", " Журнал сохранен как \"%1\".").arg(kept);
}

// Writes run to a new file of RecoveredRunName, never over another file: the
// name is taken by creating it, then written through the safe write. Returns
// an empty string or the reason of the failure; name receives the file.
QString SaveToNewFile(const QString &autoSaveFile, const QDateTime &started, const TRunData &run, QString &name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = RecoveredRunName(autoSaveFile, started);
        const QByteArray encoded = QFile::encodeName(name);
        const int fd = ::open(encoded.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd < 0 && errno == EEXIST)
            continue;  // taken since the name was chosen
        if (fd < 0)
            return QCoreApplication::translate("JournalRecovery", "Не удалось записать файл \"%1\" (%2)!").arg(name, qt_error_string(errno));
        ::close(fd);
        const QString error = SaveData(name, run);
        if (!error.isEmpty())
            ::unlink(encoded.constData());
        return error;
    }
    return QCoreApplication::translate("JournalRecovery", "Не удалось записать файл \"%1\" (%2)!").arg(name, qt_error_string(EEXIST));
}

} // namespace

QString RecoveredRunName(const QString &autoSaveFile, const QDateTime &started)
{
    const QFileInfo info(autoSaveFile);
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    constexpr int kDated = 16 + 4;  // "-yyyyMMdd-HHmmss" and "-2", "-3", ...
    const QString stem = FitFileName(info.completeBaseName(), kDated + int(QFile::encodeName(suffix).size()))
                         + u'-' + started.toLocalTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QDir dir = info.absoluteDir();
    QString candidate = dir.filePath(stem + suffix);
    for (int k = 2; QFileInfo(candidate).exists() || QFileInfo(candidate).isSymLink(); ++k)
        candidate = dir.filePath(stem + u'-' + QString::number(k) + suffix);
    return candidate;
}

TRecoveryResult RecoverInterruptedRun(const QString &autoSaveFile, TRunData &run, TRunTimes &times)
{
    TRecoveryResult result;
    const QString path = JournalPath(autoSaveFile);
    if (path.isEmpty())
        return result;
    QString kept;
    if (!ClearLeftNewJournal(path, true, kept).isEmpty())
        return result;  // another copy is writing its journal there
    if (!kept.isEmpty())
        result.messages << kept;
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isFile())
        return result;
    const TDescriptor fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    if (fd.Get() < 0 || ::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0)
        return result;  // unreadable, or the journal of a run being recorded now
    QByteArray bytes;
    if (!ReadJournalBytes(fd.Get(), bytes)) {
        result.messages << QCoreApplication::translate("JournalRecovery", "Журнал прерванного приема информации \"%1\" не удалось прочитать (%2).")
                               .arg(path, qt_error_string(errno));
        return result;
    }
    auto rebuilt = std::make_unique<TRunData>();
    auto rebuiltTimes = std::make_unique<TRunTimes>();
    const TJournalContents contents = ReadJournal(bytes, *rebuilt, *rebuiltTimes);
    if (contents.NothingRecorded()) {
        RemoveJournal(path);
        return result;
    }
    if (contents.state != TJournalState::Readable || contents.recovered == 0) {
        const QString problem = contents.state == TJournalState::Readable
                                    ? QCoreApplication::translate("JournalRecovery", "в нем нет ни одной целой записи")
                                    : contents.problem;
        result.messages << KeepAside(
            path, QCoreApplication::translate("JournalRecovery", "Журнал прерванного приема информации \"%1\" не удалось прочитать: %2.").arg(path, problem));
        return result;
    }
    const QString question =
        QCoreApplication::translate("JournalRecovery", "Прием информации был прерван. Восстановить запись (%1 точек)?").arg(contents.recovered);
    if (!Prompt().AskYesNo(QStringLiteral("Varotem"), question)) {
        result.messages << KeepAside(path, QCoreApplication::translate("JournalRecovery", "Запись прерванного приема информации не восстановлена."));
        return result;
    }
    run = *rebuilt;
    times = *rebuiltTimes;
    result.recovered = true;
    result.header = contents.header;
    if (contents.dropped > 0) {
        result.messages << QCoreApplication::translate("JournalRecovery", "Восстановлено точек: %1. Поврежденные записи журнала пропущены: %2.")
                               .arg(contents.recovered)
                               .arg(contents.dropped);
    }
    const QString error = SaveData(autoSaveFile, run);
    if (error.isEmpty()) {
        result.savedTo = autoSaveFile;
        RemoveJournal(path);
        return result;
    }
    // A new file beside it rather than a lost run or another file replaced.
    const QDateTime started = times.startMs > 0 ? QDateTime::fromMSecsSinceEpoch(times.startMs)
                                                : QFileInfo(path).lastModified();
    QString dated;
    if (const QString datedError = SaveToNewFile(autoSaveFile, started, run, dated); !datedError.isEmpty()) {
        result.messages << KeepAside(path, error + u'\n' + datedError
                                               + QCoreApplication::translate("JournalRecovery", "\nВосстановленная запись не сохранена в файл."));
        return result;
    }
    result.savedTo = dated;
    result.messages << error + QCoreApplication::translate("JournalRecovery", "\nВосстановленная запись сохранена в файле \"%1\".").arg(dated);
    RemoveJournal(path);
    return result;
}
