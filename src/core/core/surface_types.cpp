#include "core/surface_types.h"

#include <algorithm>

#include "core/coll_records.h"
#include "core/sa_surface_table.h"

namespace vantorel {

namespace {

struct DefaultEntry {
  const char* name;
  std::uint32_t color;
};

constexpr std::array<DefaultEntry, kSurfaceTypeCount> kDefaults{{
    {"Standard", 0xFF3B3B3B},
    {"Street", 0xFF7B7B7B},
    {"Grass", 0xFF009000},
    {"Soil", 0xFF644A33},
    {"Dirt", 0xFF896938},
    {"Beton", 0xFFADADAD},
    {"Aluminum", 0xFFE0E0E0},
    {"Glas", 0xFF65A0B4},
    {"Metal Pole", 0xFB37372D},
    {"Door", 0xFF808000},
    {"Metal Sheet", 0xFFE0E0E0},
    {"Metal", 0xFFC8C8C8},
    {"Small Metal Post", 0xFF999999},
    {"Large Metal Post", 0xFF6C6C6C},
    {"Medium Metal Post", 0xFF858585},
    {"Steel", 0xFFBA9A9A},
    {"Fence", 0xFFE1E1E1},
    {"? X", 0xFFC64848},
    {"Sand", 0xFFFADF45},
    {"Water", 0xFF0048F0},
    {"Wooden Box", 0xFF974B00},
    {"Wooden Lathes", 0xFF773C00},
    {"Wood", 0xFF5C301D},
    {"Metal Box", 0xFFF4F4F4},
    {"Metal Box", 0xFFE5E5E5},
    {"Hedge", 0xFF006200},
    {"Rock", 0xFF909090},
    {"Metal Container", 0xFF9F9F9F},
    {"Metal Barrel", 0xFFBBBBBB},
    {"? X", 0xFFC64848},
    {"Metal Card Box", 0xFFCECECE},
    {"?", 0xFFC64848},
    {"Gate/Bars", 0xFF400040},
    {"Sand 2 (VC)", 0xFFFADF45},
    {"Grass 2 (VC)", 0xFF009000},
}};

bool InTable(int material) {
  return material >= 0 && material < kSurfaceTypeCount;
}

}  // namespace

SurfaceTypeTable::SurfaceTypeTable() {
  for (int id = 0; id < kSurfaceTypeCount; ++id) {
    entries_[static_cast<std::size_t>(id)] = {kDefaults[static_cast<std::size_t>(id)].color,
                                              kDefaults[static_cast<std::size_t>(id)].name};
  }
}

const SurfaceTypeTable& SurfaceTypeTable::Defaults() {
  static const SurfaceTypeTable defaults;
  return defaults;
}

const std::string& SurfaceTypeTable::Name(int material) const {
  static const std::string outOfTable(kOutOfTableName);
  return InTable(material) ? entries_[static_cast<std::size_t>(material)].Name : outOfTable;
}

std::uint32_t SurfaceTypeTable::Color(int material) const {
  return InTable(material) ? entries_[static_cast<std::size_t>(material)].Color
                           : kUnknownSurfaceColor;
}

void SurfaceTypeTable::Set(int material, std::uint32_t color, const std::string& name) {
  if (!InTable(material)) return;
  entries_[static_cast<std::size_t>(material)] = {color, name.substr(0, kSurfaceNameLength)};
}

bool SurfaceTypeTable::UnknownSurface(int material) const {
  const std::string& name = Name(material);
  return (!name.empty() && name.front() == '?') || Color(material) == kUnknownSurfaceColor;
}

bool HasUnknownSurface(const Coll& coll, const SurfaceTypeTable& table) {
  if (coll.Version() >= 2) {
    // The San Andreas kinds use San Andreas' own table, ids 0..178.
    auto unknown = [](const Surface& s) { return s.Material >= kSaSurfaceCount; };
    return std::any_of(coll.Faces.begin(), coll.Faces.end(),
                       [&](const CollFace& f) { return unknown(f.Surface); }) ||
           std::any_of(coll.ShadowFaces.begin(), coll.ShadowFaces.end(),
                       [&](const CollFace& f) { return unknown(f.Surface); }) ||
           std::any_of(coll.Spheres.begin(), coll.Spheres.end(),
                       [&](const CollSphere& x) { return unknown(x.Surface); }) ||
           std::any_of(coll.Boxes.begin(), coll.Boxes.end(),
                       [&](const CollBox& x) { return unknown(x.Surface); });
  }
  for (const CollFace& face : coll.Faces) {
    if (table.UnknownSurface(face.Surface.Material)) return true;
  }
  for (const CollSphere& sphere : coll.Spheres) {
    if (table.UnknownSurface(sphere.Surface.Material)) return true;
  }
  for (const CollBox& box : coll.Boxes) {
    if (table.UnknownSurface(box.Surface.Material)) return true;
  }
  return false;
}

}  // namespace vantorel
