#include "tests/support/json_reader.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdlib>

#include "core/utf8.h"

namespace vantorel::testing {

namespace {

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  std::optional<JsonValue> Document(std::string& error) {
    JsonValue value;
    SkipSpace();
    if (!Value(value, 0)) {
      error = error_ + " at byte " + std::to_string(pos_);
      return std::nullopt;
    }
    SkipSpace();
    if (pos_ != text_.size()) {
      error = "text after the document at byte " + std::to_string(pos_);
      return std::nullopt;
    }
    return value;
  }

 private:
  bool Fail(const char* why) {
    error_ = why;
    return false;
  }
  void SkipSpace() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' ||
                                   text_[pos_] == '\n' || text_[pos_] == '\r'))
      ++pos_;
  }
  bool Literal(std::string_view word) {
    if (text_.substr(pos_, word.size()) != word) return Fail("unknown literal");
    pos_ += word.size();
    return true;
  }

  bool Value(JsonValue& value, int depth) {
    if (depth > 64) return Fail("nested too deeply");
    if (pos_ >= text_.size()) return Fail("unexpected end");
    switch (text_[pos_]) {
      case '{':
        return Object(value, depth);
      case '[':
        return Array(value, depth);
      case '"':
        value.type = JsonValue::Type::String;
        return String(value.string);
      case 't':
        value.type = JsonValue::Type::Bool;
        value.boolean = true;
        return Literal("true");
      case 'f':
        value.type = JsonValue::Type::Bool;
        return Literal("false");
      case 'n':
        return Literal("null");
      default:
        value.type = JsonValue::Type::Number;
        return Number(value.number);
    }
  }

  bool Object(JsonValue& value, int depth) {
    value.type = JsonValue::Type::Object;
    ++pos_;
    SkipSpace();
    if (pos_ < text_.size() && text_[pos_] == '}') {
      ++pos_;
      return true;
    }
    while (true) {
      SkipSpace();
      std::string key;
      if (pos_ >= text_.size() || text_[pos_] != '"') return Fail("key expected");
      if (!String(key)) return false;
      SkipSpace();
      if (pos_ >= text_.size() || text_[pos_] != ':') return Fail("':' expected");
      ++pos_;
      SkipSpace();
      JsonValue member;
      if (!Value(member, depth + 1)) return false;
      if (!value.object.emplace(key, std::move(member)).second) return Fail("duplicate key");
      SkipSpace();
      if (pos_ < text_.size() && text_[pos_] == ',') {
        ++pos_;
        continue;
      }
      if (pos_ < text_.size() && text_[pos_] == '}') {
        ++pos_;
        return true;
      }
      return Fail("',' or '}' expected");
    }
  }

  bool Array(JsonValue& value, int depth) {
    value.type = JsonValue::Type::Array;
    ++pos_;
    SkipSpace();
    if (pos_ < text_.size() && text_[pos_] == ']') {
      ++pos_;
      return true;
    }
    while (true) {
      SkipSpace();
      JsonValue element;
      if (!Value(element, depth + 1)) return false;
      value.array.push_back(std::move(element));
      SkipSpace();
      if (pos_ < text_.size() && text_[pos_] == ',') {
        ++pos_;
        continue;
      }
      if (pos_ < text_.size() && text_[pos_] == ']') {
        ++pos_;
        return true;
      }
      return Fail("',' or ']' expected");
    }
  }

  bool Number(double& number) {
    const std::size_t start = pos_;
    auto digits = [&] {
      const std::size_t from = pos_;
      while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9')
        ++pos_;
      return pos_ - from;
    };
    if (pos_ < text_.size() && text_[pos_] == '-') ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '0') {
      ++pos_;
    } else if (digits() == 0) {
      return Fail("bad number");
    }
    if (pos_ < text_.size() && text_[pos_] == '.') {
      ++pos_;
      if (digits() == 0) return Fail("bad fraction");
    }
    if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
      ++pos_;
      if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) ++pos_;
      if (digits() == 0) return Fail("bad exponent");
    }
    const std::string literal(text_.substr(start, pos_ - start));
    number = std::strtod(literal.c_str(), nullptr);
    return true;
  }

  bool Hex4(char32_t& value) {
    if (text_.size() - pos_ < 4) return Fail("short \\u escape");
    unsigned parsed = 0;
    const auto [ptr, ec] =
        std::from_chars(text_.data() + pos_, text_.data() + pos_ + 4, parsed, 16);
    if (ec != std::errc() || ptr != text_.data() + pos_ + 4) return Fail("bad \\u escape");
    pos_ += 4;
    value = parsed;
    return true;
  }

  // One raw UTF-8 sequence, checked.
  bool RawCharacter(std::string& out) {
    const auto lead = static_cast<unsigned char>(text_[pos_]);
    int length = lead < 0x80             ? 1
                 : (lead & 0xE0) == 0xC0 ? 2
                 : (lead & 0xF0) == 0xE0 ? 3
                 : (lead & 0xF8) == 0xF0 ? 4
                                         : 0;
    if (length == 0 || text_.size() - pos_ < static_cast<std::size_t>(length))
      return Fail("invalid UTF-8");
    char32_t c = length == 1   ? lead
                 : length == 2 ? (lead & 0x1Fu)
                 : length == 3 ? (lead & 0x0Fu)
                               : (lead & 0x07u);
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text_[pos_ + static_cast<std::size_t>(k)]);
      if ((next & 0xC0) != 0x80) return Fail("invalid UTF-8");
      c = (c << 6) | (next & 0x3Fu);
    }
    constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kMinimum[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
      return Fail("invalid UTF-8");
    out.append(text_.substr(pos_, static_cast<std::size_t>(length)));
    pos_ += static_cast<std::size_t>(length);
    return true;
  }

  bool String(std::string& out) {
    ++pos_;  // the opening quote
    while (true) {
      if (pos_ >= text_.size()) return Fail("unterminated string");
      const char c = text_[pos_];
      if (c == '"') {
        ++pos_;
        return true;
      }
      if (static_cast<unsigned char>(c) < 0x20) return Fail("raw control character in string");
      if (c != '\\') {
        if (!RawCharacter(out)) return false;
        continue;
      }
      ++pos_;
      if (pos_ >= text_.size()) return Fail("unterminated escape");
      const char e = text_[pos_++];
      switch (e) {
        case '"':
        case '\\':
        case '/':
          out += e;
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'u': {
          char32_t unit = 0;
          if (!Hex4(unit)) return false;
          if (unit >= 0xDC00 && unit <= 0xDFFF) return Fail("unpaired low surrogate");
          if (unit >= 0xD800 && unit <= 0xDBFF) {
            char32_t low = 0;
            if (text_.substr(pos_, 2) != "\\u") return Fail("unpaired high surrogate");
            pos_ += 2;
            if (!Hex4(low)) return false;
            if (low < 0xDC00 || low > 0xDFFF) return Fail("unpaired high surrogate");
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
          }
          AppendUtf8(out, unit);
          break;
        }
        default:
          return Fail("unknown escape");
      }
    }
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::string error_;
};

}  // namespace

const JsonValue& JsonValue::operator[](const std::string& key) const {
  static const JsonValue missing;
  const auto it = object.find(key);
  if (it == object.end()) {
    ADD_FAILURE() << "no member \"" << key << "\"";
    return missing;
  }
  return it->second;
}

const JsonValue& JsonValue::operator[](std::size_t index) const {
  static const JsonValue missing;
  if (index >= array.size()) {
    ADD_FAILURE() << "no element " << index << " (" << array.size() << " elements)";
    return missing;
  }
  return array[index];
}

std::optional<JsonValue> ReadJson(std::string_view text, std::string* error) {
  std::string why;
  auto value = Reader(text).Document(why);
  if (error) *error = why;
  return value;
}

}  // namespace vantorel::testing
