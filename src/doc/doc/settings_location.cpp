#include "doc/settings_location.h"

#include <cstdlib>
#include <system_error>

#include "core/utf8_path.h"

namespace vantorel {

namespace fs = std::filesystem;

fs::path UserConfigDirectory(const char* xdgConfigHome, const char* home) {
  if (xdgConfigHome) {
    const fs::path configured = PathFromUtf8(xdgConfigHome);
    if (configured.is_absolute()) return configured;
  }
  return PathFromUtf8(home ? home : "") / ".config";
}

fs::path SettingsFilePath(const fs::path& programDir, const fs::path& userConfigDir) {
  const fs::path besideProgram = programDir / kSettingsFileName;
#if defined(_WIN32)
  (void)userConfigDir;
  return besideProgram;
#else
  std::error_code ec;
  if (!programDir.empty() && fs::is_regular_file(besideProgram, ec)) return besideProgram;
  return userConfigDir / kSettingsFolderName / kSettingsFileName;
#endif
}

fs::path SettingsFileForProgram(const fs::path& programDir) {
  return SettingsFilePath(programDir,
                          UserConfigDirectory(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")));
}

}  // namespace vantorel
