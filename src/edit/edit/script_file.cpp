#include "edit/script_file.h"

#include <cstdint>
#include <span>

#include "core/file_io.h"

namespace vantorel {

std::string ScriptFileBytes(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size() + text.size() / 16 + 2);
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    bytes.append(text.substr(start, end - start));
    bytes += "\r\n";
    start = end + 1;
    if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++start;
  }
  return bytes;
}

std::optional<std::string> WriteScriptFile(const std::filesystem::path& path,
                                           std::string_view text) {
  const std::string bytes = ScriptFileBytes(text);
  return WriteFileReplacing(
      path, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

}  // namespace vantorel
