#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The number texts the program shows and writes. Every one takes the decimal separator of the
// user's locale as an argument; none of them writes thousands separators.
namespace vantorel {

// Whether c may stand for the decimal point in the number texts: a printable ASCII character
// that is no digit, letter or sign, and none of the collision script's own marks (: ; | [ ] # =
// > " ( )), so that every number written with it reads back as the same number.
bool IsUsableDecimalSeparator(char c);
// The separator for a locale whose decimal point is the UTF-8 text point: that character when
// it is one usable byte, else ".".
char DecimalSeparatorFromLocale(std::string_view point);

// At least one digit on each side of the separator and at most maxDecimals after it, rounded
// half away from zero, trailing zeros after the first decimal dropped: 2 -> "2.0".
std::string FormatDecimal(double value, int maxDecimals, char separator);

// Coordinates in dialogs and reports, pattern "0.0####": 1.234567 -> "1.23457".
inline std::string FormatCoordinate(double value, char separator) {
  return FormatDecimal(value, 5, separator);
}
// Dimensions in the status bar, pattern "#0.0##": 1.23456 -> "1.235".
inline std::string FormatDimension(double value, char separator) {
  return FormatDecimal(value, 3, separator);
}

// A decimal integer zero-padded to at least digits digits, pattern "000": 7 -> "007".
std::string FormatPadded(std::int64_t value, int digits);
inline std::string FormatIndex(std::int64_t value) {
  return FormatPadded(value, 3);
}

// A real of the collision script: six significant digits (halves away from zero), fixed
// notation for 0.0001 <= |x| < 1000000, otherwise "1.23457E6" / "5E-5"; zero is "0".
std::string FormatScriptReal(double value, char separator);

// The same text for a float, written to out without allocating; out needs room for
// kScriptRealMaxLength characters. Returns the end of the text. The script export writes
// hundreds of thousands of these.
inline constexpr std::size_t kScriptRealMaxLength = 16;
char* WriteScriptReal(char* out, float value, char separator);

}  // namespace vantorel
