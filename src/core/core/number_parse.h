#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Reading the numbers people type and scripts carry. Both readers are independent of the C
// locale: the decimal separator is an argument. The Try forms store the number and return
// whether the text was one; the script reader calls them once per number, where building an
// optional for each costs measurably more.
namespace vantorel {

// A decimal real: an optional sign, digits with at most one decimal separator (digits may stand
// on either side or both), an optional exponent ("E" or "e", an optional sign, digits). Nothing
// else, not even blanks. The result is the nearest 32-bit float; a value too small for one reads
// as zero, a value too large for one is no number. separator is the locale's separator;
// alsoSeparator, when not NUL, is accepted in its place as well.
bool TryParseDecimalReal(std::string_view text, char separator, char alsoSeparator, float& value);
inline std::optional<float> ParseDecimalReal(std::string_view text, char separator,
                                             char alsoSeparator = '\0') {
  float value = 0;
  if (!TryParseDecimalReal(text, separator, alsoSeparator, value)) return std::nullopt;
  return value;
}

// A decimal integer: an optional sign and digits, within the range of 64 bits.
bool TryParseDecimalInteger(std::string_view text, std::int64_t& value);
inline std::optional<std::int64_t> ParseDecimalInteger(std::string_view text) {
  std::int64_t value = 0;
  if (!TryParseDecimalInteger(text, value)) return std::nullopt;
  return value;
}

}  // namespace vantorel
