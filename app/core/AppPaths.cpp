#include "app/core/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

QString WithSlash(const QString &dir) { return dir.endsWith(u'/') ? dir : dir + u'/'; }

// Tries what a safe write does: create a temporary file in the directory.
// Permission bits alone say nothing when running as root or on a read-only
// mount.
bool CanCreateFilesIn(const QString &dir)
{
    if (dir.isEmpty() || !QDir(dir).exists())
        return false;
    QTemporaryFile probe(WithSlash(dir) + QStringLiteral("varotem-probe-XXXXXX"));
    return probe.open();
}

bool IsInstalledCopy(const QString &programDir)
{
    return !programDir.isEmpty() && QFileInfo(WithSlash(programDir) + QLatin1String(kInstalledMarkerName)).isFile();
}

} // namespace

QString ChooseDataDir(const QString &programDir, const QString &userDir)
{
    if (!IsInstalledCopy(programDir) && CanCreateFilesIn(programDir))
        return WithSlash(programDir);
    QDir().mkpath(userDir);
    return WithSlash(userDir);
}

QString ProgramDataDir()
{
    return ChooseDataDir(QCoreApplication::applicationDirPath(),
                         QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

QString SettingsFilePath(const QString &dataDir) { return WithSlash(dataDir) + QStringLiteral("Varotem.ini"); }
