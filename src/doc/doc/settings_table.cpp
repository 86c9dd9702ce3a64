#include "doc/settings_table.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace vantorel {

namespace {

constexpr std::int64_t Argb(std::uint32_t color) {
  return color;
}

constexpr std::array<SettingKey, 17> kKeys{{
    {kSettingsSection, "FilePath", &Settings::FilePath},
    {kSettingsSection, "WindowSize", &Settings::WindowSize, 0, 0, 5, 1, OutOfRange::ToDefault},
    {kSettingsSection, "BSphereDetail", &Settings::BSphereDetail, 48, 4, 48, 2},
    {kSettingsSection, "CSphereDetail", &Settings::CSphereDetail, 16, 4, 48, 2},
    {kSettingsSection, "FSAntialiasing", &Settings::FSAntialiasing, 0, 0, 2},
    {kSettingsSection, "UnkSurHint", &Settings::UnkSurHint, 1},
    {kSettingsSection, "askRecalc", &Settings::askRecalc, 1},
    {kSettingsSection, "askApply", &Settings::askApply, 1},
    {kSettingsSection, "askDelete", &Settings::askDelete, 1},
    {kSettingsSection, "askSurface", &Settings::askSurface, 1},
    {kSettingsSection, "UndoMemoryMB", &Settings::UndoMemoryMB, 256, 0, 4096},
    {kColorsSection, "Background", &MainColors::Background, Argb(0xFF153642)},
    {kColorsSection, "Wireframe", &MainColors::Wireframe, Argb(0xFF105972)},
    {kColorsSection, "Object", &MainColors::Object, Argb(0xFF3484A6)},
    {kColorsSection, "Selection", &MainColors::Selection, Argb(0xFFD8DA8C)},
    {kColorsSection, "Boundings", &MainColors::Boundings, Argb(0xFFD8DA8C)},
    {kColorsSection, "WFBoxSphere", &MainColors::WFBoxSphere, Argb(0xFF117171)},
}};

}  // namespace

std::span<const SettingKey> SettingKeys() {
  return kKeys;
}

const SettingKey& KeyOf(int Settings::*field) {
  for (const SettingKey& key : kKeys) {
    if (const auto* held = std::get_if<int Settings::*>(&key.Field); held && *held == field)
      return key;
  }
  throw std::logic_error("a setting without a key");
}

int CorrectSetting(const SettingKey& key, int value) {
  if (value < key.Min || value > key.Max) {
    if (key.Outside == OutOfRange::ToDefault) return static_cast<int>(key.Default);
    value = std::clamp(value, key.Min, key.Max);
  }
  if (key.Step == 2 && value % 2 != 0) --value;
  return value;
}

void ApplySettingRanges(Settings& settings) {
  for (const SettingKey& key : kKeys) {
    if (const auto* field = std::get_if<int Settings::*>(&key.Field)) {
      settings.*(*field) = CorrectSetting(key, settings.*(*field));
    }
  }
}

MainColors::MainColors() {
  for (const SettingKey& key : kKeys) {
    if (const auto* field = std::get_if<std::uint32_t MainColors::*>(&key.Field)) {
      this->*(*field) = static_cast<std::uint32_t>(key.Default);
    }
  }
}

Settings::Settings() {
  for (const SettingKey& key : kKeys) {
    std::visit(
        [&](auto field) {
          using Field = decltype(field);
          if constexpr (std::is_same_v<Field, std::uint32_t MainColors::*>) {
            Colors.*field = static_cast<std::uint32_t>(key.Default);
          } else if constexpr (std::is_same_v<Field, bool Settings::*>) {
            this->*field = key.Default != 0;
          } else if constexpr (std::is_same_v<Field, int Settings::*>) {
            this->*field = static_cast<int>(key.Default);
          }
        },
        key.Field);
  }
}

}  // namespace vantorel
