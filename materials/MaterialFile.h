#pragma once
// The text of one reference-material file (docs/materials.md): UTF-8 lines
// "key = value", '#' starting a comment line, format version 1.
#include "materials/ReferenceMaterial.h"

#include <optional>
#include <string>
#include <string_view>

namespace materials {

inline constexpr int kMaterialFormatVersion = 1;
// No material file is near this size; a larger one is not read.
inline constexpr size_t kMaxMaterialFileBytes = 64 * 1024;

struct TMaterialParse {
    std::optional<TReferenceMaterial> material;
    // Why the text is not a material: "line 7: ..." (English: read by the
    // person who edits the file, shown inside the program's own message).
    std::string error;
};

// Reads a material from the text of a file. Every key of the format must
// appear once (source may repeat, one line of the citation each); unknown
// keys, a second expansion formula, numbers that are not finite, a range
// that is empty, a rational formula whose denominator has no fixed sign over
// the range, or a table that is not strictly increasing are refused.
TMaterialParse ParseMaterial(std::string_view text);

} // namespace materials
