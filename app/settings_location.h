#pragma once

#include <string>
#include <string_view>

namespace vantorel {

inline constexpr std::string_view kSettingsFileName = "Vantorel.ini";

// Where the settings file lives: beside the program when its folder is writable, which keeps a
// portable copy self-contained as on Windows; otherwise in the user's configuration folder, which
// is created when missing.
std::string SettingsFilePath(const std::string& programDir, const std::string& userConfigDir);

}  // namespace vantorel
