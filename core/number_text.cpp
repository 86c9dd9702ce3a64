#include "core/number_text.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace vantorel {

namespace {

// Digits printed beyond the ones kept. Rounding half away from zero only needs the first dropped
// digit, and for the single-precision values of a coll forty more digits are exact. to_chars is
// used because it ignores the C locale's decimal point.
constexpr int kGuardDigits = 40;

bool NonFinite(double value, std::string& text) {
  if (std::isnan(value)) {
    text = "NAN";
    return true;
  }
  if (std::isinf(value)) {
    text = value < 0 ? "-INF" : "INF";
    return true;
  }
  return false;
}

// Adds one unit in the last place of a string of decimal digits; returns true when it carried
// out of the first digit ("999" -> "000").
bool IncrementDigits(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return false;
    }
    *it = '0';
  }
  return true;
}

void TrimTrailingZeros(std::string& digits, std::size_t keep) {
  while (digits.size() > keep && digits.back() == '0')
    digits.pop_back();
}

bool AllZero(std::string_view digits) {
  return digits.find_first_not_of('0') == digits.npos;
}

}  // namespace

std::string FormatDecimal(double value, int maxDecimals, char separator) {
  std::string text;
  if (NonFinite(value, text)) return text;

  char buffer[512];
  const auto printedEnd = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                        std::chars_format::fixed, maxDecimals + kGuardDigits);
  const std::string_view printed(buffer, static_cast<std::size_t>(printedEnd.ptr - buffer));
  const std::size_t point = printed.find('.');
  std::string whole(printed.substr(0, point));
  std::string fraction(printed.substr(point + 1, static_cast<std::size_t>(maxDecimals)));
  if (printed[point + 1 + static_cast<std::size_t>(maxDecimals)] >= '5' &&
      IncrementDigits(fraction) && IncrementDigits(whole)) {
    whole.insert(whole.begin(), '1');
  }
  TrimTrailingZeros(fraction, 1);

  const bool negative = value < 0 && !(AllZero(whole) && AllZero(fraction));
  text.clear();
  if (negative) text.push_back('-');
  text += whole;
  text += separator;
  text += fraction;
  return text;
}

std::string FormatPadded(std::int64_t value, int digits) {
  std::string magnitude = std::to_string(value < 0 ? static_cast<std::uint64_t>(-(value + 1)) + 1
                                                   : static_cast<std::uint64_t>(value));
  if (magnitude.size() < static_cast<std::size_t>(digits)) {
    magnitude.insert(0, static_cast<std::size_t>(digits) - magnitude.size(), '0');
  }
  return value < 0 ? "-" + magnitude : magnitude;
}

std::string FormatScriptReal(double value, char separator) {
  std::string text;
  if (NonFinite(value, text)) return text;
  if (value == 0) return "0";

  constexpr int kSignificant = 6;
  char buffer[128];
  const auto printedEnd = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                        std::chars_format::scientific, kGuardDigits);
  // buffer reads "d.ddd...e+XX"
  const std::string_view printed(buffer, static_cast<std::size_t>(printedEnd.ptr - buffer));
  const std::size_t e = printed.find('e');
  std::string digits =
      std::string(1, printed[0]) + std::string(printed.substr(2, kSignificant - 1));
  int exponent = 0;
  const char* exponentText = printed.data() + e + 1;
  if (*exponentText == '+') ++exponentText;
  std::from_chars(exponentText, printed.data() + printed.size(), exponent);
  if (printed[2 + kSignificant - 1] >= '5' && IncrementDigits(digits)) {
    digits.insert(digits.begin(), '1');
    digits.pop_back();
    ++exponent;
  }

  text.clear();
  if (value < 0) text.push_back('-');
  if (exponent >= -4 && exponent < 6) {
    std::string whole;
    std::string fraction;
    if (exponent >= 0) {
      whole = digits.substr(0, static_cast<std::size_t>(exponent) + 1);
      fraction = digits.substr(static_cast<std::size_t>(exponent) + 1);
    } else {
      whole = "0";
      fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    TrimTrailingZeros(fraction, 0);
    text += whole;
    if (!fraction.empty()) text += separator + fraction;
    return text;
  }
  std::string rest = digits.substr(1);
  TrimTrailingZeros(rest, 0);
  text += digits[0];
  if (!rest.empty()) text += separator + rest;
  text += 'E';
  text += std::to_string(exponent);
  return text;
}

}  // namespace vantorel
