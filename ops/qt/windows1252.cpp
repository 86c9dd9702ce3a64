#include "ops/qt/windows1252.h"

#include <QList>
#include <array>

namespace vantorel {

namespace {

// The characters of bytes 0x80 to 0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char32_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char ByteFor(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
  }
  return '?';
}

}  // namespace

QString FromWindows1252(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    const char32_t code = byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80u] : byte;
    text += QChar(static_cast<char16_t>(code));  // every character lies in the basic plane
  }
  return text;
}

std::string ToWindows1252(const QString& text) {
  std::string bytes;
  const QList<uint> codes = text.toUcs4();
  bytes.reserve(static_cast<std::size_t>(codes.size()));
  for (const uint code : codes)
    bytes += ByteFor(code);
  return bytes;
}

QString DisplayText(std::string_view bytes) {
  return FromWindows1252(bytes).replace("\r\n", "\n");
}

}  // namespace vantorel
