#include "core/number_parse.h"

#include <charconv>
#include <cstring>
#include <limits>
#include <string>
#include <system_error>

namespace vantorel {

namespace {

constexpr bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

constexpr bool IsSeparator(char c, char separator, char alsoSeparator) {
  return c == separator || (alsoSeparator != '\0' && c == alsoSeparator);
}

// The power of ten of the first significant digit of a valid real, saturated far beyond any
// float's range; false for a zero. Only used to tell an underflow from an overflow once the
// conversion has reported one of the two.
bool DecimalMagnitude(std::string_view text, char separator, char alsoSeparator,
                      std::int64_t& magnitude) {
  constexpr std::int64_t kSaturated = 1'000'000'000;
  std::int64_t exponent = 0;
  const std::size_t e = text.find_first_of("eE");
  if (e != std::string_view::npos) {
    std::size_t i = e + 1;
    const bool negative = text[i] == '-';
    if (text[i] == '-' || text[i] == '+') ++i;
    for (; i < text.size(); ++i) {
      if (exponent < kSaturated) exponent = exponent * 10 + (text[i] - '0');
    }
    if (negative) exponent = -exponent;
    text = text.substr(0, e);
  }
  std::int64_t position = 0;  // of the next digit, counted from the separator
  std::size_t wholeDigits = 0;
  for (const char c : text) {
    if (IsSeparator(c, separator, alsoSeparator)) break;
    if (IsDigit(c)) ++wholeDigits;
  }
  position = static_cast<std::int64_t>(wholeDigits) - 1;
  for (const char c : text) {
    if (!IsDigit(c)) continue;
    if (c != '0') {
      magnitude = exponent + position;
      return true;
    }
    --position;
  }
  return false;
}

}  // namespace

bool TryParseDecimalReal(std::string_view text, char separator, char alsoSeparator, float& parsed) {
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  const char* body = begin;
  bool negative = false;
  if (body != end && (*body == '+' || *body == '-')) {
    negative = *body == '-';
    ++body;
  }
  // from_chars reads the rest of the syntax as this reader does, but it also knows "inf" and
  // "nan", which a number here never starts with.
  if (body == end || !(IsDigit(*body) || IsSeparator(*body, separator, alsoSeparator))) {
    return false;
  }
  const bool pointAccepted = IsSeparator('.', separator, alsoSeparator);
  if (!pointAccepted && std::memchr(body, '.', static_cast<std::size_t>(end - body))) {
    return false;
  }
  const char* numberBegin = negative ? body - 1 : body;  // from_chars reads no plus sign
  float value = 0;
  std::from_chars_result result = std::from_chars(numberBegin, end, value);
  if (result.ptr != end) {
    // A separator other than the point is mapped to one in a copy of the text. A valid text has
    // at most one separator, so the first is the one.
    const char other = separator != '.' ? separator : alsoSeparator;
    const auto* mark = other == '\0' ? nullptr
                                     : static_cast<const char*>(std::memchr(
                                           body, other, static_cast<std::size_t>(end - body)));
    if (!mark) return false;
    char small[64];
    std::string large;
    const auto length = static_cast<std::size_t>(end - numberBegin);
    char* copy = small;
    if (length > sizeof small) {
      large.assign(numberBegin, length);
      copy = large.data();
    } else {
      std::memcpy(copy, numberBegin, length);
    }
    copy[mark - numberBegin] = '.';
    result = std::from_chars(copy, copy + length, value);
    if (result.ptr != copy + length) return false;
  }
  if (result.ec == std::errc::result_out_of_range) {
    std::int64_t magnitude = 0;
    if (!DecimalMagnitude(text, separator, alsoSeparator, magnitude) || magnitude < 0) {
      parsed = negative ? -0.0f : 0.0f;
      return true;
    }
    return false;
  }
  if (result.ec != std::errc()) return false;
  parsed = value;
  return true;
}

bool TryParseDecimalInteger(std::string_view text, std::int64_t& result) {
  const char* p = text.data();
  const char* const end = p + text.size();
  bool negative = false;
  if (p != end && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  if (p == end) return false;
  std::int64_t value = 0;
  if (end - p <= 18) {
    // Eighteen digits cannot leave the range.
    for (; p != end; ++p) {
      if (!IsDigit(*p)) return false;
      value = value * 10 + (*p - '0');
    }
    result = negative ? -value : value;
    return true;
  }
  // Accumulated as a negative number, whose range reaches one further than the positive one.
  constexpr std::int64_t kLowest = std::numeric_limits<std::int64_t>::min();
  for (; p != end; ++p) {
    if (!IsDigit(*p)) return false;
    const int digit = *p - '0';
    if (value < (kLowest + digit) / 10) return false;
    value = value * 10 - digit;
  }
  if (!negative) {
    if (value == kLowest) return false;
    value = -value;
  }
  result = value;
  return true;
}

}  // namespace vantorel
