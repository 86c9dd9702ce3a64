#include "core/windows1252.h"

#include <array>
#include <cstdint>

#include "core/utf8.h"

namespace vantorel {

namespace {

// The characters of 0x80..0x9F; 0 marks the five codes Windows-1252 leaves undefined, which are
// taken as the C1 control characters of the same number.
constexpr std::array<char32_t, 32> kHighControls{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t FromWindows1252(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) {
    const char32_t mapped = kHighControls[byte - 0x80u];
    return mapped != 0 ? mapped : byte;
  }
  return byte;
}

char ToWindows1252(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == c || (kHighControls[i] == 0 && c == 0x80 + i)) {
      return static_cast<char>(0x80 + i);
    }
  }
  return '?';
}

// Decodes one UTF-8 sequence at text[i], moving i past it; a broken sequence gives U+FFFD.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i++]);
  if (lead < 0x80) return lead;
  int length = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
  if (length < 0 || lead >= 0xF8) return 0xFFFD;
  char32_t c = lead & (0x3Fu >> length);
  for (; length > 0; --length) {
    if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 0xFFFD;
    c = (c << 6) | (static_cast<unsigned char>(text[i++]) & 0x3Fu);
  }
  return c;
}

}  // namespace

std::string Windows1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text)
    AppendUtf8(out, FromWindows1252(static_cast<unsigned char>(c)));
  return out;
}

std::string Utf8ToWindows1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();)
    out.push_back(ToWindows1252(NextCodePoint(text, i)));
  return out;
}

}  // namespace vantorel
