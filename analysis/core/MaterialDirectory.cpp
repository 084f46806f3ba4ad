#include "analysis/core/MaterialDirectory.h"

#include <QCoreApplication>
#include <QFile>

namespace {
// The context of this file's texts in the translation catalogue.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(analysis::MaterialDirectory)
};
} // namespace

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
    QString message = Tr::tr("Библиотека эталонных материалов пуста (каталог %1)!").arg(directory);
    for (const QString &problem : problems)
        message += u'\n' + problem;
    return message;
}

} // namespace analysis
