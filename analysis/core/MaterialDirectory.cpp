#include "analysis/core/MaterialDirectory.h"

#include <QCoreApplication>
#include <QFile>

namespace {
// The context of this file's texts in the translation catalogue.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(analysis::MaterialDirectory)
};

// The names in the files of the shipped materials (materials/data), so that
// the catalogue holds their translations; MaterialName looks them up.
[[maybe_unused]] constexpr const char *kShippedMaterialNames[] = {
    QT_TRANSLATE_NOOP("analysis::ReferenceMaterial", "Медь (Hahn, 1970)"),
    QT_TRANSLATE_NOOP("analysis::ReferenceMaterial", "Платина (Arblaster, 2006)"),
    QT_TRANSLATE_NOOP("analysis::ReferenceMaterial", "Кварцевое стекло (среднее значение)"),
    QT_TRANSLATE_NOOP("analysis::ReferenceMaterial", "Боросиликатное стекло NIST SRM 731"),
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

QString MaterialName(const materials::TReferenceMaterial &material)
{
    const QByteArray name = QByteArray::fromStdString(material.name);
    return QCoreApplication::translate("analysis::ReferenceMaterial", name.constData());
}

} // namespace analysis
