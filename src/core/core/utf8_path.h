#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Paths travel as std::filesystem::path; where one must become text (a message, the settings
// file, the command line) it is UTF-8 on every system.
namespace vantorel {

inline std::filesystem::path PathFromUtf8(std::string_view text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string PathToUtf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace vantorel
