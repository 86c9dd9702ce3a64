#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace vantorel {

// San Andreas' own surface (material) table, used by COL2/COL3/COL4 records, and the mapping
// between it and the 35 surface types of GTA III / Vice City that COLL records use.
inline constexpr int kSaSurfaceCount = 179;

struct SaSurface {
  std::uint8_t Id;
  std::string_view Name;        // as the game's surfinfo.dat names it
  std::uint8_t ClosestClassic;  // the nearest of the 35 III/VC surface types
};

// Rows in id order: row i has Id i.
const std::array<SaSurface, kSaSurfaceCount>& SaSurfaces();

// The nearest San Andreas material for each III/VC surface type, indexed by the III/VC id.
const std::array<std::uint8_t, 35>& ClassicToSaSurfaces();

// Total mappings: ids outside a table map to that table's default surface (0).
int SaMaterialForClassic(int classicMaterial);
int ClassicMaterialForSa(int saMaterial);

// The surfinfo.dat name of an SA material, or "?" outside the table.
std::string_view SaSurfaceName(int saMaterial);

}  // namespace vantorel
