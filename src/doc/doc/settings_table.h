#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "doc/settings.h"

namespace vantorel {

inline constexpr std::string_view kSettingsSection = "SETTINGS";
inline constexpr std::string_view kColorsSection = "MAINCOLORS";
inline constexpr std::string_view kSurfacesSection = "SURFACETYPES";

using SettingField = std::variant<std::string Settings::*, int Settings::*, bool Settings::*,
                                  std::uint32_t MainColors::*>;

// What happens to a number outside its range when the settings are read or taken.
enum class OutOfRange {
  Clamp,      // it becomes the nearest end of the range
  ToDefault,  // it becomes the default
};

// One key of the settings file: where it lives, the value it fills, its default and its range.
// Reading, writing, correcting, the Main Settings dialog's limits and its Default button all
// work from this one table.
struct SettingKey {
  std::string_view Section;
  std::string_view Name;
  SettingField Field;
  std::int64_t Default = 0;  // numbers, flags (1/0) and colours (ARGB); text has none
  int Min = 0;
  int Max = 0;
  int Step = 1;  // 2: only even values, an odd one is lowered
  OutOfRange Outside = OutOfRange::Clamp;
};

// Every key of the SETTINGS and MAINCOLORS sections, in the order they are read and written.
std::span<const SettingKey> SettingKeys();
// The key that fills a field; every field has one.
const SettingKey& KeyOf(int Settings::*field);

// A number brought into the range of its key.
int CorrectSetting(const SettingKey& key, int value);
// Brings every number of the settings into its range.
void ApplySettingRanges(Settings& settings);

}  // namespace vantorel
