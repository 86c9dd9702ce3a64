#include "core/number_parse.h"

#include <charconv>
#include <string>
#include <system_error>

namespace vantorel {

namespace {

constexpr bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

const char* SkipDigits(const char* p, const char* end) {
  while (p != end && IsDigit(*p))
    ++p;
  return p;
}

// The parts of a syntactically valid real, as pointers into its text.
struct RealParts {
  const char* intBegin;
  const char* intEnd;
  const char* fracBegin;  // == fracEnd when there is no fraction
  const char* fracEnd;
  const char* decimalMark;     // nullptr without a separator
  const char* exponentDigits;  // nullptr without an exponent
  const char* end;
};

// The power of ten of the first significant digit, saturated far beyond any float's range. Only
// used to tell an underflow from an overflow once the conversion has reported one of them.
std::int64_t DecimalMagnitude(const RealParts& parts, bool& zero) {
  constexpr std::int64_t kSaturated = 1'000'000'000;
  std::int64_t exponent = 0;
  bool negativeExponent = false;
  if (parts.exponentDigits) {
    const char* p = parts.exponentDigits;
    negativeExponent = p[-1] == '-';
    for (; p != parts.end; ++p) {
      if (exponent < kSaturated) exponent = exponent * 10 + (*p - '0');
    }
    if (negativeExponent) exponent = -exponent;
  }
  zero = false;
  for (const char* p = parts.intBegin; p != parts.intEnd; ++p) {
    if (*p != '0') return exponent + (parts.intEnd - p - 1);
  }
  for (const char* p = parts.fracBegin; p != parts.fracEnd; ++p) {
    if (*p != '0') return exponent - (p - parts.fracBegin + 1);
  }
  zero = true;
  return 0;
}

}  // namespace

std::optional<float> ParseDecimalReal(std::string_view text, char separator, char alsoSeparator) {
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  const char* p = begin;
  bool negative = false;
  if (p != end && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  RealParts parts{};
  parts.end = end;
  parts.intBegin = p;
  p = SkipDigits(p, end);
  parts.intEnd = p;
  parts.fracBegin = parts.fracEnd = p;
  if (p != end && (*p == separator || (alsoSeparator != '\0' && *p == alsoSeparator))) {
    parts.decimalMark = p;
    parts.fracBegin = ++p;
    p = SkipDigits(p, end);
    parts.fracEnd = p;
  }
  if (parts.intBegin == parts.intEnd && parts.fracBegin == parts.fracEnd) return std::nullopt;
  if (p != end && (*p == 'e' || *p == 'E')) {
    ++p;
    if (p != end && (*p == '+' || *p == '-')) ++p;
    parts.exponentDigits = p;
    p = SkipDigits(p, end);
    if (p == parts.exponentDigits) return std::nullopt;
  }
  if (p != end) return std::nullopt;

  // from_chars reads a point and a leading minus but no plus; other separators are mapped to a
  // point in a copy of the text.
  const char* numberBegin = negative ? parts.intBegin - 1 : parts.intBegin;
  float value = 0;
  std::from_chars_result result{};
  if (parts.decimalMark == nullptr || *parts.decimalMark == '.') {
    result = std::from_chars(numberBegin, end, value);
  } else {
    char small[64];
    std::string large;
    const auto length = static_cast<std::size_t>(end - numberBegin);
    char* copy = small;
    if (length > sizeof small) {
      large.assign(numberBegin, length);
      copy = large.data();
    } else {
      std::char_traits<char>::copy(copy, numberBegin, length);
    }
    copy[parts.decimalMark - numberBegin] = '.';
    result = std::from_chars(copy, copy + length, value);
    result.ptr = numberBegin + (result.ptr - copy);
  }
  if (result.ec == std::errc::result_out_of_range) {
    bool zero = false;
    const std::int64_t magnitude = DecimalMagnitude(parts, zero);
    if (zero || magnitude < 0) return negative ? -0.0f : 0.0f;
    return std::nullopt;
  }
  if (result.ec != std::errc() || result.ptr != end) return std::nullopt;
  return value;
}

std::optional<std::int64_t> ParseDecimalInteger(std::string_view text) {
  const char* begin = text.data();
  const char* const end = begin + text.size();
  if (begin != end && *begin == '+') ++begin;
  // from_chars would take a second sign after a plus ("+-5"); only digits may follow one.
  if (begin != text.data() && (begin == end || !IsDigit(*begin))) return std::nullopt;
  std::int64_t value = 0;
  const auto [ptr, ec] = std::from_chars(begin, end, value);
  if (ec != std::errc() || ptr != end || begin == end) return std::nullopt;
  return value;
}

}  // namespace vantorel
