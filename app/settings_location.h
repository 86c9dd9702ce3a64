#pragma once

#include <filesystem>
#include <string_view>

namespace vantorel {

inline constexpr std::string_view kSettingsFileName = "Vantorel.ini";

// Where the settings file lives: beside the program when its folder is writable, which keeps a
// portable copy self-contained as on Windows; otherwise in the user's configuration folder, which
// is created when missing.
std::filesystem::path SettingsFilePath(const std::filesystem::path& programDir,
                                       const std::filesystem::path& userConfigDir);

}  // namespace vantorel
