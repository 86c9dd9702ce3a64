#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "core/model/model.h"

namespace vantorel {

// Material name -> texture (map_Kd) of an MTL file.
using MtlTextures = std::map<std::string, std::string>;

// Reads an MTL file's newmtl and map_Kd lines; other lines are ignored. A damaged line gives a
// message with its 1-based number.
Parsed<MtlTextures> ReadMtl(std::string_view text);

// The text of an MTL file named on an mtllib line, or nothing when it cannot be read.
using MtlSource = std::function<std::optional<std::string>(const std::string& name)>;

// Reads a Wavefront OBJ model: v lines, f lines of three or more corners (fanned into
// triangles) in the forms v, v/vt, v//vn and v/vt/vn with indices counted from 1 or, when
// negative, back from the last one read, usemtl and mtllib. Numbers go through from_chars, so a
// coordinate reads back to exactly the float that was written. Faces before any usemtl get the
// material with the empty name. Textures come from the MTL files that mtls supplies; an MTL file
// it cannot supply is skipped, a damaged one refused. A damaged line gives a message with its
// 1-based number.
Parsed<Model> ReadObj(std::string_view text, const MtlSource& mtls = {});

// Reads the OBJ file at path and the MTL files it names, looked for beside it.
Parsed<Model> ReadObjFile(const std::filesystem::path& path);

}  // namespace vantorel
