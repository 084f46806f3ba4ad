#pragma once
// The library of reference materials: the "*.material" files of one
// directory. Installed, the directory is share/varotem/materials under the
// installation prefix; in a build tree, share/varotem/materials in the build
// directory (copied there from materials/data when the build is configured).
#include "materials/ReferenceMaterial.h"

#include <optional>
#include <string>
#include <vector>

namespace materials {

inline constexpr const char *kMaterialFileSuffix = ".material";

struct TMaterialLibrary {
    std::vector<TReferenceMaterial> materials;  // by id
    // One line per file that could not be used: "name.material: why".
    std::vector<std::string> errors;

    const TReferenceMaterial *Find(const std::string &id) const;
};

// Reads one material file. nullopt, with the reason in error, for a file that
// is missing, not a regular file, larger than 64 KiB or not a material.
std::optional<TReferenceMaterial> LoadMaterialFile(const std::string &path, std::string &error);

// Every "*.material" file of the directory, sorted by id. A file whose id is
// taken already, or differs from its file name, is refused.
TMaterialLibrary LoadMaterialLibrary(const std::string &directory);

// The library directory for a program or library in programDirectory: the
// first of ../share/varotem/materials (a build tree) and
// ../../share/varotem/materials (an installed tree, whose programs lie in
// lib/varotem) that exists; the installed one when neither does.
std::string DefaultMaterialDirectory(const std::string &programDirectory);

} // namespace materials
