#pragma once

#include <cstdint>
#include <string>

namespace vantorel {

// The six main colours of the view, ARGB. A new object holds the defaults, which stand in the
// settings table.
struct MainColors {
  MainColors();

  std::uint32_t Background = 0;
  std::uint32_t Wireframe = 0;
  std::uint32_t Object = 0;
  std::uint32_t Selection = 0;
  std::uint32_t Boundings = 0;
  std::uint32_t WFBoxSphere = 0;

  bool operator==(const MainColors&) const = default;
};

// Program-wide settings, read at start and written at close. A new object holds the defaults of
// the settings table (app/settings_table.h), which also gives every key and range.
struct Settings {
  Settings();

  std::string FilePath;  // start directory of the file dialogs
  int WindowSize;
  int BSphereDetail;
  int CSphereDetail;
  int FSAntialiasing;
  bool UnkSurHint;
  bool askRecalc;
  bool askApply;
  bool askDelete;
  bool askSurface;
  int UndoMemoryMB;  // the undo history's memory; 0 turns it off
  MainColors Colors;

  bool operator==(const Settings&) const = default;
};

}  // namespace vantorel
