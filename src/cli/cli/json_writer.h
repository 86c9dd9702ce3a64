#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantorel::cli {

// Writes one JSON document into a string, two spaces of indent per level. Commas, colons and
// indentation follow from the calls; the caller only says what comes next. Numbers that JSON
// cannot hold (NaN, infinities) are written as null.
class JsonWriter {
 public:
  JsonWriter() = default;

  // Inline containers are written on one line, with everything inside them; the others put
  // each member on a line of its own.
  enum class Layout { Indented, Inline };

  void BeginObject(Layout layout = Layout::Indented);
  void EndObject();
  void BeginArray(Layout layout = Layout::Indented);
  void EndArray();
  // The key of the next member of the enclosing object.
  void Key(std::string_view key);

  // Text that should be UTF-8; bytes that are not valid UTF-8 become U+FFFD.
  void String(std::string_view utf8);
  // Text stored in the game's files (coll names): Windows-1252 bytes.
  void Windows1252String(std::string_view bytes);
  void Integer(std::int64_t value);
  // The shortest text that reads back as the same single-precision value.
  void Float(float value);
  void Bool(bool value);
  void Null();

  // The document so far, with a final line end once the outermost value is closed.
  const std::string& Text() const { return text_; }

 private:
  struct Level {
    bool isObject;
    bool isInline;
    bool empty = true;
  };
  void BeforeValue();
  void Open(char bracket, bool isObject, Layout layout);
  void Close(char bracket);
  void Separate(const Level& level);
  bool Inline() const { return !levels_.empty() && levels_.back().isInline; }

  std::string text_;
  std::vector<Level> levels_;
  bool afterKey_ = false;
};

// text as a quoted JSON string: quote, backslash and control characters escaped, bytes that are
// not valid UTF-8 replaced by U+FFFD.
std::string JsonQuoted(std::string_view utf8);

}  // namespace vantorel::cli
