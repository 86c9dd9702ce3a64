#pragma once

#include <filesystem>
#include <string_view>

namespace vantorel {

inline constexpr std::string_view kSettingsFileName = "Vantorel.ini";
inline constexpr std::string_view kSettingsFolderName = "Vantorel";

// The user's configuration folder by the XDG Base Directory rules: $XDG_CONFIG_HOME when it
// holds an absolute path (an empty or relative value counts as unset), else $HOME/.config.
// Either argument may be null, as getenv gives it.
std::filesystem::path UserConfigDirectory(const char* xdgConfigHome, const char* home);

// Where the settings file lives. A "Vantorel.ini" already beside the program makes a portable
// copy, which keeps using it; on Windows the file always lives beside the program, as it always
// has. Otherwise it is "Vantorel/Vantorel.ini" in userConfigDir; the folders are made when the
// file is first written, so asking (as --help does) leaves no trace.
std::filesystem::path SettingsFilePath(const std::filesystem::path& programDir,
                                       const std::filesystem::path& userConfigDir);

// The settings file of this run, from the program's folder and the environment.
std::filesystem::path SettingsFileForProgram(const std::filesystem::path& programDir);

}  // namespace vantorel
