#include "doc/recent_files.h"

#include <algorithm>
#include <system_error>

#include "core/utf8_path.h"
#include "doc/editor.h"

namespace vantorel {

namespace fs = std::filesystem;

namespace {

std::string GoneMessage(const fs::path& path, const std::string& reason) {
  std::string text(1, '"');
  text += PathToUtf8(path);
  text += "\" cannot be opened any more (" + reason + "); it was taken off the Reopen list.";
  return text;
}

}  // namespace

void RecentFiles::Add(const fs::path& path) {
  Remove(path);
  files_.insert(files_.begin(), path);
  if (files_.size() > kMaxFiles) files_.resize(kMaxFiles);
}

void RecentFiles::Remove(const fs::path& path) {
  std::erase(files_, path);
}

void RecentFiles::Read(const IniFile& ini) {
  files_.clear();
  for (std::size_t i = 1; i <= kMaxFiles; ++i) {
    const std::string value = ini.GetString(kRecentFilesSection, "File" + std::to_string(i), "");
    const fs::path path = PathFromUtf8(value);
    if (value.empty() || std::find(files_.begin(), files_.end(), path) != files_.end()) continue;
    files_.push_back(path);
  }
}

void RecentFiles::Write(IniFile& ini) const {
  for (std::size_t i = 0; i < files_.size(); ++i) {
    ini.Set(kRecentFilesSection, "File" + std::to_string(i + 1), PathToUtf8(files_[i]));
  }
}

std::optional<std::string> UnavailableBecause(const fs::path& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (!fs::exists(status)) return std::string("not found");
  if (!fs::is_regular_file(status)) return std::string("not a file");
  return std::nullopt;
}

void ReopenRecentFile(Editor& editor, std::size_t index) {
  if (index >= editor.Recent.Files().size()) return;
  const fs::path path = editor.Recent.Files()[index];
  if (const auto reason = UnavailableBecause(path)) {
    editor.Recent.Remove(path);
    editor.Ui().Message(GoneMessage(path, *reason));
    return;
  }
  editor.Run("Reopen", [&] { editor.OpenFile(path); });
}

}  // namespace vantorel
