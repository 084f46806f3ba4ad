#include "app/core/ManualPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString ManualLanguage(const QString &language)
{
    return language.startsWith(QLatin1String("en"), Qt::CaseInsensitive) ? QStringLiteral("en")
                                                                           : QStringLiteral("ru");
}

QString FindManualIndex(const QString &programDir, const QString &language)
{
    const QString page = QStringLiteral("share/varotem/manual/%1/index.md").arg(ManualLanguage(language));
    const QDir dir(programDir);
    for (const QString &up : {QStringLiteral("../"), QStringLiteral("../../")}) {
        const QFileInfo index(dir.filePath(up + page));
        if (index.isFile())
            return QDir::cleanPath(index.absoluteFilePath());
    }
    return {};
}

QString ManualPath(const QString &language)
{
    return FindManualIndex(QCoreApplication::applicationDirPath(), language);
}
