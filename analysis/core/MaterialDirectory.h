#pragma once
// Where the program finds its reference materials: share/varotem/materials
// beside its own directory (materials/MaterialLibrary.h says which).
#include "materials/MaterialLibrary.h"

#include <QString>
#include <QStringList>

namespace analysis {

QString ProgramMaterialDirectory();

// The library in directory; each file it could not use is one line of
// problems ("name.material: why").
materials::TMaterialLibrary LoadMaterials(const QString &directory, QStringList &problems);

// "Библиотека эталонных материалов пуста (каталог ...)!" and the files'
// problems: why there is nothing to choose from.
QString EmptyLibraryMessage(const QString &directory, const QStringList &problems);

// A material's name as the user reads it: the name in its file, in the
// user's language where the catalogue has it (the materials shipped with the
// program); a material of the user's own keeps its name as written.
QString MaterialName(const materials::TReferenceMaterial &material);

} // namespace analysis
