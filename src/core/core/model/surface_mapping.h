#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/model.h"
#include "core/surface_types.h"

namespace vantorel {

struct SurfaceRule {
  std::string Pattern;  // matched against a material's name and its texture's name
  std::uint8_t Surface = 0;
};

// Which surface each material of a model gets. Kept as a text file a person edits, one rule a
// line, the first matching rule winning:
//
//   # comment
//   *glass* = Glas
//   road_?? = 1
//   default = Standard
//
// Left of "=" a pattern, matched without regard to case against the material name and then the
// texture name: "*" stands for any run of characters, "?" for any one. Right of it a surface:
// its name in the surface table (without regard to case, "_" for a space), its number 0 to 34,
// or a name followed by "#" and the number, which settles names the table holds twice.
// "default = SURFACE" names the surface of materials no rule matches; without it that is 0.
// A material named after a surface (as exported models are) gets that surface when no rule
// matches it.
struct SurfaceMapping {
  std::vector<SurfaceRule> Rules;
  std::uint8_t Default = 0;
};

Parsed<SurfaceMapping> ParseSurfaceMapping(std::string_view text, const SurfaceTypeTable& table);

// The surface for a material under the mapping.
std::uint8_t SurfaceFor(const SurfaceMapping& mapping, const ModelMaterial& material,
                        const SurfaceTypeTable& table);

// A surface named as the mapping's right side accepts it, or nothing.
std::optional<std::uint8_t> ParseSurfaceName(std::string_view text, const SurfaceTypeTable& table);
// The name an exported material gets for a surface: its table name with "_" for spaces, and
// "#" and the number when the table holds the name more than once, so it reads back as the same
// surface.
std::string SurfaceMaterialName(std::uint8_t surface, const SurfaceTypeTable& table);

// Whether text matches pattern ("*" any run, "?" any one character), ignoring ASCII case.
bool GlobMatch(std::string_view pattern, std::string_view text);

}  // namespace vantorel
