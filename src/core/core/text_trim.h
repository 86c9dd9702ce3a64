#pragma once

#include <string_view>

namespace vantorel {

// Blanks and control characters: everything up to the space and DEL. Names, answers, script
// lines and typed numbers are all trimmed of these before they are looked at.
constexpr bool IsBlankOrControl(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte <= 0x20 || byte == 0x7F;
}

constexpr std::string_view TrimBlanksAndControls(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlankOrControl(text[begin]))
    ++begin;
  while (end > begin && IsBlankOrControl(text[end - 1]))
    --end;
  return text.substr(begin, end - begin);
}

}  // namespace vantorel
