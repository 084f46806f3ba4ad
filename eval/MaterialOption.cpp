#include "eval/MaterialOption.h"

#include <QCoreApplication>

#include "analysis/core/MaterialDirectory.h"
#include "eval/EvalOutput.h"

QCommandLineOption MaterialsDirectoryOption()
{
    return QCommandLineOption(QStringLiteral("materials"),
                              QT_TRANSLATE_NOOP("eval::Help", "каталог библиотеки эталонных материалов (по умолчанию: "
                                                              "share/varotem/materials рядом с программой)"),
                              QStringLiteral("DIR"));
}

std::optional<materials::TMaterialLibrary> ReadMaterialLibrary(const QCommandLineParser &parser)
{
    const QString directory = parser.isSet(QStringLiteral("materials")) ? parser.value(QStringLiteral("materials"))
                                                                        : analysis::ProgramMaterialDirectory();
    QStringList problems;
    materials::TMaterialLibrary library = analysis::LoadMaterials(directory, problems);
    if (library.materials.empty()) {
        PrintError(analysis::EmptyLibraryMessage(directory, problems));
        return std::nullopt;
    }
    for (const QString &problem : problems)
        PrintError(problem);
    return library;
}
