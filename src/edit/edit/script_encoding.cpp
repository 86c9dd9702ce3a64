#include "edit/script_encoding.h"

#include <algorithm>

#include "core/utf8.h"
#include "core/windows1252.h"

namespace vantorel {

namespace {

bool StartsWith(std::span<const std::uint8_t> bytes, std::initializer_list<std::uint8_t> mark) {
  return bytes.size() >= mark.size() && std::equal(mark.begin(), mark.end(), bytes.begin());
}

// UTF-16 after its mark as UTF-8; a lone surrogate or an odd last byte becomes U+FFFD.
std::string Utf16ToUtf8(std::span<const std::uint8_t> bytes, bool bigEndian) {
  const auto unit = [&](std::size_t i) -> char16_t {
    const std::uint8_t a = bytes[2 * i];
    const std::uint8_t b = bytes[2 * i + 1];
    return static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
  };
  const std::size_t units = bytes.size() / 2;
  std::string text;
  text.reserve(units);
  for (std::size_t i = 0; i < units; ++i) {
    const char16_t c = unit(i);
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units && unit(i + 1) >= 0xDC00 &&
        unit(i + 1) <= 0xDFFF) {
      const char16_t low = unit(++i);
      AppendUtf8(text, 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (low - 0xDC00));
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      AppendUtf8(text, 0xFFFD);
    } else {
      AppendUtf8(text, c);
    }
  }
  if (bytes.size() % 2 != 0) AppendUtf8(text, 0xFFFD);
  return text;
}

}  // namespace

ScriptFileText ScriptTextFromFile(std::span<const std::uint8_t> bytes) {
  ScriptFileText result;
  if (StartsWith(bytes, {0xEF, 0xBB, 0xBF})) {
    bytes = bytes.subspan(3);
    result.Text.assign(bytes.begin(), bytes.end());
  } else if (StartsWith(bytes, {0xFF, 0xFE}) || StartsWith(bytes, {0xFE, 0xFF})) {
    result.Text = Utf8ToWindows1252(Utf16ToUtf8(bytes.subspan(2), bytes[0] == 0xFE));
  } else {
    result.Text.assign(bytes.begin(), bytes.end());
  }
  if (result.Text.find('\0') != std::string::npos) {
    result.Text.clear();
    result.Refusal = kNotAScriptText;
  }
  return result;
}

}  // namespace vantorel
