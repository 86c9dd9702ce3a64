#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Reading the numbers people type and scripts carry. Both readers are independent of the C
// locale: the decimal separator is an argument.
namespace vantorel {

// A decimal real: an optional sign, digits with at most one decimal separator (digits may stand
// on either side or both), an optional exponent ("E" or "e", an optional sign, digits). Nothing
// else, not even blanks. The result is the nearest 32-bit float; a value too small for one reads
// as zero, a value too large for one is no number. separator is the locale's separator;
// alsoSeparator, when not NUL, is accepted in its place as well.
std::optional<float> ParseDecimalReal(std::string_view text, char separator,
                                      char alsoSeparator = '\0');

// A decimal integer: an optional sign and digits, within the range of 64 bits.
std::optional<std::int64_t> ParseDecimalInteger(std::string_view text);

}  // namespace vantorel
