#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantorel::testing {

// A strict reader of JSON text (RFC 8259) for checking the documents the program writes: it
// refuses anything outside the grammar, invalid UTF-8, unpaired surrogates, duplicate keys and
// trailing text.
struct JsonValue {
  enum class Type { Null, Bool, Number, String, Array, Object };
  Type type = Type::Null;
  bool boolean = false;
  double number = 0;
  std::string string;  // UTF-8, escapes resolved
  std::vector<JsonValue> array;
  std::map<std::string, JsonValue> object;

  // The member key of an object; fails the running test when there is none.
  const JsonValue& operator[](const std::string& key) const;
  const JsonValue& operator[](std::size_t index) const;
  bool Has(const std::string& key) const { return object.count(key) > 0; }
};

// The value the text holds, or nothing with error set when the text is not one JSON document.
std::optional<JsonValue> ReadJson(std::string_view text, std::string* error = nullptr);

}  // namespace vantorel::testing
