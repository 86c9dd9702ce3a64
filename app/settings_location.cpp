#include "app/settings_location.h"

#include <filesystem>
#include <system_error>

#if defined(_WIN32)
#include <fstream>
#include <random>
#else
#include <unistd.h>
#endif

namespace vantorel {

namespace {

namespace fs = std::filesystem;

bool WritableDirectory(const std::string& dir) {
  std::error_code ec;
  if (dir.empty() || !fs::is_directory(dir, ec)) return false;
#if defined(_WIN32)
  // The access bits on Windows ignore the folder's ACL, so only an actual write tells.
  std::random_device random;
  const fs::path probe = fs::path(dir) / ("vantorel-probe-" + std::to_string(random()) + ".tmp");
  bool created = false;
  {
    std::ofstream file(probe, std::ios::binary);
    created = file.is_open();
  }
  if (created) fs::remove(probe, ec);
  return created;
#else
  return access(dir.c_str(), W_OK) == 0;
#endif
}

std::string InDirectory(const std::string& dir, std::string_view name) {
  if (dir.empty()) return std::string(name);
  const char last = dir.back();
  const bool separated = last == '/' || (fs::path::preferred_separator == '\\' && last == '\\');
  return dir + (separated ? "" : "/") + std::string(name);
}

}  // namespace

std::string SettingsFilePath(const std::string& programDir, const std::string& userConfigDir) {
  if (WritableDirectory(programDir)) return InDirectory(programDir, kSettingsFileName);
  // A failure here shows up when the file is saved, with the reason; there is nothing better to
  // offer at this point.
  std::error_code ec;
  if (!userConfigDir.empty()) fs::create_directories(userConfigDir, ec);
  return InDirectory(userConfigDir, kSettingsFileName);
}

}  // namespace vantorel
