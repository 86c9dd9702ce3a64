#include "cli/json_writer.h"

#include <array>
#include <charconv>
#include <cmath>

#include "core/utf8.h"
#include "core/windows1252.h"

namespace vantorel::cli {

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

// Decodes one UTF-8 sequence at text[i], moving i past it. Overlong forms, surrogates, values
// beyond U+10FFFF and cut sequences give U+FFFD for their first byte only, so the bytes after
// it are looked at again.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  if (lead < 0x80) {
    ++i;
    return lead;
  }
  int length = 0;
  char32_t c = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
    c = lead & 0x1F;
    minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    c = lead & 0x0F;
    minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    c = lead & 0x07;
    minimum = 0x10000;
  } else {
    ++i;
    return kReplacementCharacter;
  }
  if (text.size() - i < static_cast<std::size_t>(length)) {
    ++i;
    return kReplacementCharacter;
  }
  for (int k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
    if ((next & 0xC0) != 0x80) {
      ++i;
      return kReplacementCharacter;
    }
    c = (c << 6) | (next & 0x3F);
  }
  if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ++i;
    return kReplacementCharacter;
  }
  i += static_cast<std::size_t>(length);
  return c;
}

}  // namespace

std::string JsonQuoted(std::string_view utf8) {
  std::string out = "\"";
  out.reserve(utf8.size() + 2);
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t c = NextCodePoint(utf8, i);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\f':
        out += "\\f";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          constexpr char kHex[] = "0123456789abcdef";
          out += "\\u00";
          out += kHex[c >> 4];
          out += kHex[c & 0xF];
        } else {
          AppendUtf8(out, c);
        }
    }
  }
  out += '"';
  return out;
}

void JsonWriter::Separate(const Level& level) {
  if (!level.empty) text_ += level.isInline ? ", " : ",";
  if (!level.isInline) {
    text_ += '\n';
    text_.append(2 * levels_.size(), ' ');
  }
}

void JsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (levels_.empty()) return;
  Level& level = levels_.back();
  Separate(level);
  level.empty = false;
}

void JsonWriter::Open(char bracket, bool isObject, Layout layout) {
  BeforeValue();
  text_ += bracket;
  levels_.push_back({isObject, Inline() || layout == Layout::Inline});
}

void JsonWriter::Close(char bracket) {
  if (levels_.empty()) return;
  const Level level = levels_.back();
  levels_.pop_back();
  if (!level.empty && !level.isInline) {
    text_ += '\n';
    text_.append(2 * levels_.size(), ' ');
  }
  text_ += bracket;
  if (levels_.empty()) text_ += '\n';
}

void JsonWriter::BeginObject(Layout layout) {
  Open('{', true, layout);
}
void JsonWriter::EndObject() {
  Close('}');
}
void JsonWriter::BeginArray(Layout layout) {
  Open('[', false, layout);
}
void JsonWriter::EndArray() {
  Close(']');
}

void JsonWriter::Key(std::string_view key) {
  BeforeValue();
  text_ += JsonQuoted(key);
  text_ += ": ";
  afterKey_ = true;
}

void JsonWriter::String(std::string_view utf8) {
  BeforeValue();
  text_ += JsonQuoted(utf8);
}

void JsonWriter::Windows1252String(std::string_view bytes) {
  String(Windows1252ToUtf8(bytes));
}

void JsonWriter::Integer(std::int64_t value) {
  BeforeValue();
  text_ += std::to_string(value);
}

void JsonWriter::Float(float value) {
  if (!std::isfinite(value)) {
    Null();
    return;
  }
  BeforeValue();
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  text_.append(buffer, result.ptr);
}

void JsonWriter::Bool(bool value) {
  BeforeValue();
  text_ += value ? "true" : "false";
}

void JsonWriter::Null() {
  BeforeValue();
  text_ += "null";
}

}  // namespace vantorel::cli
