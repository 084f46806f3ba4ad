#include "materials/MaterialLibrary.h"

#include "materials/MaterialFile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace materials {
namespace fs = std::filesystem;

const TReferenceMaterial *TMaterialLibrary::Find(const std::string &id) const
{
    for (const TReferenceMaterial &m : materials) {
        if (m.id == id)
            return &m;
    }
    return nullptr;
}

std::optional<TReferenceMaterial> LoadMaterialFile(const std::string &path, std::string &error)
{
    std::error_code ec;
    // A pipe or a device is not read: reading it could wait for ever.
    if (!fs::is_regular_file(path, ec)) {
        error = "no such file";
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    std::string text(kMaxMaterialFileBytes + 1, '\0');
    in.read(text.data(), std::streamsize(text.size()));
    if (in.bad()) {
        error = "cannot be read";
        return std::nullopt;
    }
    text.resize(size_t(std::max<std::streamsize>(in.gcount(), 0)));
    TMaterialParse parsed = ParseMaterial(text);
    error = parsed.error;
    return std::move(parsed.material);
}

TMaterialLibrary LoadMaterialLibrary(const std::string &directory)
{
    TMaterialLibrary library;
    std::error_code ec;
    std::vector<fs::path> files;
    for (fs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->path().extension() == kMaterialFileSuffix)
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    for (const fs::path &file : files) {
        std::string error;
        auto material = LoadMaterialFile(file.string(), error);
        const std::string name = file.filename().string();
        if (!material) {
            library.errors.push_back(name + ": " + error);
        } else if (material->id + kMaterialFileSuffix != name) {
            library.errors.push_back(name + ": the id \"" + material->id + "\" differs from the file's name");
        } else {
            library.materials.push_back(std::move(*material));
        }
    }
    return library;
}

std::string DefaultMaterialDirectory(const std::string &programDirectory)
{
    const fs::path program(programDirectory);
    const fs::path build = program / ".." / "share" / "varotem" / "materials";
    const fs::path installed = program / ".." / ".." / "share" / "varotem" / "materials";
    std::error_code ec;
    if (fs::is_directory(build, ec))
        return build.lexically_normal().string();
    return installed.lexically_normal().string();
}

} // namespace materials
