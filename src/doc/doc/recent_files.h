#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/ini_file.h"

namespace vantorel {

class Editor;

inline constexpr std::string_view kRecentFilesSection = "RECENTFILES";

// The files opened last, newest first, at most eight, each once. Kept in the settings file in a
// section of its own ("File1" = newest), paths as UTF-8.
class RecentFiles {
 public:
  static constexpr std::size_t kMaxFiles = 8;

  const std::vector<std::filesystem::path>& Files() const { return files_; }
  // Puts path first, dropping an older mention of it and the ninth file.
  void Add(const std::filesystem::path& path);
  void Remove(const std::filesystem::path& path);

  // Takes the list from the file's section; empty, duplicate and surplus keys are skipped.
  void Read(const IniFile& ini);
  // Writes the section; an empty list writes none, so such a settings file stays as it was.
  void Write(IniFile& ini) const;

 private:
  std::vector<std::filesystem::path> files_;
};

// Why a listed file cannot be opened any more ("not found", "not a file"); nullopt when it can.
std::optional<std::string> UnavailableBecause(const std::filesystem::path& path);

// File > Reopen > the index-th file: opened as File > Load opens it, the apply and save
// questions first. A file that is gone is taken off the list, saying why, and nothing is asked.
void ReopenRecentFile(Editor& editor, std::size_t index);

}  // namespace vantorel
