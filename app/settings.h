#pragma once

#include <cstdint>
#include <string>

namespace vantorel {

// The six main colours of the view, ARGB.
struct MainColors {
  std::uint32_t Background = 0xFF153642;
  std::uint32_t Wireframe = 0xFF105972;
  std::uint32_t Object = 0xFF3484A6;
  std::uint32_t Selection = 0xFFD8DA8C;
  std::uint32_t Boundings = 0xFFD8DA8C;
  std::uint32_t WFBoxSphere = 0xFF117171;
};

// Program-wide settings with their defaults; read at start and written at close.
struct Settings {
  std::string FilePath;  // start directory of the file dialogs
  int WindowSize = 0;
  int BSphereDetail = 48;
  int CSphereDetail = 16;
  int FSAntialiasing = 0;
  bool UnkSurHint = true;
  bool askRecalc = true;
  bool askApply = true;
  bool askDelete = true;
  bool askSurface = true;
  MainColors Colors;
};

// The values the Main Settings dialog shows and returns.
struct MainSettingsValues {
  int WindowSize = 0;
  int CSphereDetail = 16;
  int BSphereDetail = 48;
  int FSAntialiasing = 0;
  bool askRecalc = true;
  bool askApply = true;
  bool askDelete = true;
  bool askSurface = true;
  bool UnkSurHint = true;

  bool operator==(const MainSettingsValues&) const = default;
};

MainSettingsValues MainSettingsFrom(const Settings& settings);
// Takes the dialog's values: segment counts are clamped to 4..48 and lowered to even numbers.
void TakeMainSettings(Settings& settings, const MainSettingsValues& values);

// Brings every value into its range: window sizes other than 0..5 become 0, segment counts are
// clamped to 4..48 and lowered to an even number, antialiasing is clamped to 0..2.
void ApplySettingRanges(Settings& settings);

// Sphere segment counts as the settings keep them: clamped to 4..48, odd values lowered by one.
int NormalizeSegments(int segments);

}  // namespace vantorel
