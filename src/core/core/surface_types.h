#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vantorel {

struct SurfaceTypeEntry {
  std::uint32_t Color = 0;  // ARGB
  std::string Name;         // at most kSurfaceNameLength characters
};

inline constexpr int kSurfaceTypeCount = 35;
inline constexpr std::size_t kSurfaceNameLength = 20;
// The colour that marks a surface type as unknown, and the look of materials beyond the table.
inline constexpr std::uint32_t kUnknownSurfaceColor = 0xFFC64848;
inline constexpr std::string_view kOutOfTableName = "?";

// Display name and colour per material id 0..34. Materials of 35 and above lie outside the table;
// they read as "?" in kUnknownSurfaceColor, so they count as unknown and nothing indexes past it.
class SurfaceTypeTable {
 public:
  SurfaceTypeTable();  // the built-in defaults

  static const SurfaceTypeTable& Defaults();

  const std::string& Name(int material) const;
  std::uint32_t Color(int material) const;
  // Material ids outside 0..34 are ignored. Names are cut to their first 20 characters.
  void Set(int material, std::uint32_t color, const std::string& name);

  // True for a name starting with "?" or the colour FFC64848, read from the live table.
  bool UnknownSurface(int material) const;

 private:
  std::array<SurfaceTypeEntry, kSurfaceTypeCount> entries_;
};

struct Coll;
// Whether any face, sphere or box of the coll uses a surface type that counts as unknown: in
// table for a "COLL" coll; for the San Andreas kinds a material past San Andreas' table (178).
bool HasUnknownSurface(const Coll& coll, const SurfaceTypeTable& table);

// The car-part parameters offered for the Parameter byte, in list order.
struct CarPartParameter {
  std::string_view Text;
  std::uint8_t Value;
};
inline constexpr std::array<CarPartParameter, 14> kCarPartParameters{{
    {"[00] Default / Chassis", 0},
    {"[01] Bonnet", 1},
    {"[02] Boot", 2},
    {"[03] Front Bumper", 3},
    {"[04] Rear Bumper", 4},
    {"[05] Left Front Door", 5},
    {"[06] Right Front Door", 6},
    {"[07] Left Rear Door", 7},
    {"[08] Right Rear Door", 8},
    {"[09] Left Front Wing", 9},
    {"[10] Right Front Wing", 10},
    {"[11] Left Rear Wing", 11},
    {"[12] Right Rear Wing", 12},
    {"[17] Windscreen", 17},
}};

}  // namespace vantorel
