#include "analysis/core/MaterialDirectory.h"

#include <QCoreApplication>
#include <QFile>

namespace analysis {

QString ProgramMaterialDirectory()
{
    return QString::fromStdString(
        materials::DefaultMaterialDirectory(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString()));
}

materials::TMaterialLibrary LoadMaterials(const QString &directory, QStringList &problems)
{
    materials::TMaterialLibrary library = materials::LoadMaterialLibrary(QFile::encodeName(directory).toStdString());
    for (const std::string &error : library.errors)
        problems << QString::fromStdString(error);
    return library;
}

QString EmptyLibraryMessage(const QString &directory, const QStringList &problems)
{
    QString message = QStringLiteral("Библиотека эталонных материалов пуста (каталог %1)!").arg(directory);
    for (const QString &problem : problems)
        message += u'\n' + problem;
    return message;
}

} // namespace analysis
