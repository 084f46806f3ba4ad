#include "eval/MaterialOption.h"

#include "analysis/core/MaterialDirectory.h"
#include "eval/EvalOutput.h"

QCommandLineOption MaterialsDirectoryOption()
{
    return QCommandLineOption(QStringLiteral("materials"),
                              QStringLiteral("каталог библиотеки эталонных материалов (по умолчанию: %1)")
                                  .arg(QStringLiteral("share/varotem/materials рядом с программой")),
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
