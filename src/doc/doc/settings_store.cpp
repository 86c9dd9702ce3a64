#include "doc/settings_store.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <utility>
#include <variant>

#include "core/number_text.h"
#include "doc/settings_table.h"

namespace vantorel {

namespace {

template <class... Visitors>
struct Overloaded : Visitors... {
  using Visitors::operator()...;
};
template <class... Visitors>
Overloaded(Visitors...) -> Overloaded<Visitors...>;  // clang 14 does not deduce aggregates

std::string SurfaceKey(int id, char kind) {
  return "S" + FormatPadded(id, 2) + kind;
}

// The Windows builds keep colours in a signed 32-bit integer; the bits are the same.
int ColorToInt(std::uint32_t color) {
  return static_cast<std::int32_t>(color);
}
std::uint32_t IntToColor(int value) {
  return static_cast<std::uint32_t>(value);
}

}  // namespace

void ReadSettings(const IniFile& ini, const std::string& programDir, Settings& settings,
                  SurfaceTypeTable& surfaces) {
  // Read into fresh objects: programDir may well be the FilePath of the settings being replaced.
  Settings read;
  read.FilePath = programDir;
  for (const SettingKey& key : SettingKeys()) {
    const std::string_view section = key.Section;
    const std::string_view name = key.Name;
    std::visit(
        Overloaded{
            [&](std::string Settings::*field) {
              read.*field = ini.GetString(section, name, read.*field);
            },
            [&](int Settings::*field) { read.*field = ini.GetInt(section, name, read.*field); },
            [&](bool Settings::*field) {
              read.*field = ini.GetInt(section, name, read.*field ? 1 : 0) != 0;
            },
            [&](std::uint32_t MainColors::*field) {
              read.Colors.*field =
                  IntToColor(ini.GetInt(section, name, ColorToInt(read.Colors.*field)));
            },
        },
        key.Field);
  }
  ApplySettingRanges(read);

  const SurfaceTypeTable& defaults = SurfaceTypeTable::Defaults();
  SurfaceTypeTable table = defaults;
  for (int id = 0; id < kSurfaceTypeCount; ++id) {
    const std::uint32_t color = IntToColor(
        ini.GetInt(kSurfacesSection, SurfaceKey(id, 'C'), ColorToInt(defaults.Color(id))));
    table.Set(id, color, ini.GetString(kSurfacesSection, SurfaceKey(id, 'D'), defaults.Name(id)));
  }
  settings = std::move(read);
  surfaces = table;
}

IniFile WriteSettings(const Settings& settings, const SurfaceTypeTable& surfaces) {
  // A value out of range would only be corrected on the next start; write it corrected now.
  Settings ranged = settings;
  ApplySettingRanges(ranged);

  IniFile ini;
  for (const SettingKey& key : SettingKeys()) {
    const std::string_view section = key.Section;
    const std::string_view name = key.Name;
    std::visit(Overloaded{
                   [&](std::string Settings::*field) { ini.Set(section, name, ranged.*field); },
                   [&](int Settings::*field) { ini.SetInt(section, name, ranged.*field); },
                   [&](bool Settings::*field) { ini.SetInt(section, name, ranged.*field ? 1 : 0); },
                   [&](std::uint32_t MainColors::*field) {
                     ini.SetInt(section, name, ColorToInt(ranged.Colors.*field));
                   },
               },
               key.Field);
  }
  for (int id = 0; id < kSurfaceTypeCount; ++id) {
    ini.SetInt(kSurfacesSection, SurfaceKey(id, 'C'), ColorToInt(surfaces.Color(id)));
    ini.Set(kSurfacesSection, SurfaceKey(id, 'D'), surfaces.Name(id));
  }
  return ini;
}

}  // namespace vantorel
