#pragma once
// The library of reference materials for the subcommands that use it.
#include "materials/MaterialLibrary.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <optional>

// --materials DIR: the library's directory instead of the program's own.
QCommandLineOption MaterialsDirectoryOption();

// The library of --materials (or the program's), its unusable files named on
// standard error; nullopt, with the message printed, when it holds no
// material.
std::optional<materials::TMaterialLibrary> ReadMaterialLibrary(const QCommandLineParser &parser);
