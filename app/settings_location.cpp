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

bool WritableDirectory(const fs::path& dir) {
  std::error_code ec;
  if (dir.empty() || !fs::is_directory(dir, ec)) return false;
#if defined(_WIN32)
  // The access bits on Windows ignore the folder's ACL, so only an actual write tells.
  std::random_device random;
  const fs::path probe = dir / ("vantorel-probe-" + std::to_string(random()) + ".tmp");
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

}  // namespace

fs::path SettingsFilePath(const fs::path& programDir, const fs::path& userConfigDir) {
  if (WritableDirectory(programDir)) return programDir / kSettingsFileName;
  // A failure here shows up when the file is saved, with the reason; there is nothing better to
  // offer at this point.
  std::error_code ec;
  if (!userConfigDir.empty()) fs::create_directories(userConfigDir, ec);
  return userConfigDir / kSettingsFileName;
}

}  // namespace vantorel
