#include "core/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
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

bool IsUsableDecimalSeparator(char c) {
  constexpr std::string_view kScriptMarks = ":;|[]#=>\"()";
  const bool letterOrDigit =
      (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
  return c > ' ' && c < 0x7F && !letterOrDigit && c != '+' && c != '-' &&
         kScriptMarks.find(c) == std::string_view::npos;
}

char DecimalSeparatorFromLocale(std::string_view point) {
  return point.size() == 1 && IsUsableDecimalSeparator(point[0]) ? point[0] : '.';
}

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

namespace {

__extension__ using UInt128 = unsigned __int128;

constexpr std::array<std::uint64_t, 19> kPowersOf10 = [] {
  std::array<std::uint64_t, 19> powers{};
  std::uint64_t power = 1;
  for (std::uint64_t& entry : powers) {
    entry = power;
    power *= 10;
  }
  return powers;
}();

// Binary exponents (of the leading bit) the exact integer path covers: about 1E-13 to 1E18,
// every coordinate a coll sensibly holds. Others take the general path.
constexpr int kFastMinBinaryExponent = -43;
constexpr int kFastMaxBinaryExponent = 60;

struct SixDigits {
  std::uint32_t digits;  // 100000..999999
  int exponent;          // of the first digit
};

// value = mantissa * 2^binaryShift exactly, mantissa < 2^24 with its top bit set. Rounds to six
// significant digits, halves away from zero, with integer arithmetic only.
SixDigits RoundToSixDigits(std::uint32_t mantissa, int binaryShift) {
  const int leadingBit = binaryShift + 23;
  // floor(leadingBit * log10(2)); the first digit's exponent is this or one more.
  int exponent = (leadingBit * 78913) >> 18;
  const int scale = 5 - exponent;  // value * 10^scale lies in [10^5, 2 * 10^6)
  std::uint64_t whole = 0;
  bool halfOrMore = false;
  if (scale >= 0) {
    // The value is below 2^20, so binaryShift is negative: a plain right shift.
    const UInt128 scaled = UInt128{mantissa} * kPowersOf10[static_cast<std::size_t>(scale)];
    const auto shift = static_cast<unsigned>(-binaryShift);
    whole = static_cast<std::uint64_t>(scaled >> shift);
    const UInt128 remainder = scaled - (UInt128{whole} << shift);
    halfOrMore = remainder >= (UInt128{1} << (shift - 1));
  } else {
    std::uint64_t numerator = mantissa;
    std::uint64_t denominator = kPowersOf10[static_cast<std::size_t>(-scale)];
    if (binaryShift >= 0) {
      numerator <<= binaryShift;
    } else {
      denominator <<= -binaryShift;
    }
    whole = numerator / denominator;
    const std::uint64_t remainder = numerator - whole * denominator;
    halfOrMore = remainder >= denominator - remainder;
  }
  if (whole >= 1000000) {
    halfOrMore = whole % 10 >= 5;
    whole /= 10;
    ++exponent;
  }
  if (halfOrMore && ++whole == 1000000) {
    whole = 100000;
    ++exponent;
  }
  return {static_cast<std::uint32_t>(whole), exponent};
}

char* WriteDigits(char* out, const char* digits, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i)
    *out++ = digits[i];
  return out;
}

char* WriteExponent(char* out, int exponent) {
  if (exponent < 0) {
    *out++ = '-';
    exponent = -exponent;
  }
  return std::to_chars(out, out + 4, exponent).ptr;
}

}  // namespace

char* WriteScriptReal(char* out, float value, char separator) {
  std::uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  const auto biasedExponent = static_cast<int>((bits >> 23) & 0xFF);
  const int binaryShift = biasedExponent - 150;
  const int leadingBit = binaryShift + 23;
  if (biasedExponent == 0 || leadingBit < kFastMinBinaryExponent ||
      leadingBit > kFastMaxBinaryExponent) {
    // Zero, subnormals, infinities, NaN and the far ends of the range.
    const std::string text = FormatScriptReal(value, separator);
    return WriteDigits(out, text.data(), text.size());
  }
  const SixDigits rounded = RoundToSixDigits((bits & 0x7FFFFF) | 0x800000, binaryShift);
  char digits[6];
  std::uint32_t rest = rounded.digits;
  for (int i = 5; i >= 0; --i) {
    digits[i] = static_cast<char>('0' + rest % 10);
    rest /= 10;
  }
  std::size_t significant = 6;
  while (digits[significant - 1] == '0')
    --significant;

  if (bits >> 31) *out++ = '-';
  const int exponent = rounded.exponent;
  if (exponent >= 6 || exponent < -4) {
    *out++ = digits[0];
    if (significant > 1) {
      *out++ = separator;
      out = WriteDigits(out, digits + 1, significant - 1);
    }
    *out++ = 'E';
    return WriteExponent(out, exponent);
  }
  if (exponent < 0) {
    *out++ = '0';
    *out++ = separator;
    for (int i = -1; i > exponent; --i)
      *out++ = '0';
    return WriteDigits(out, digits, significant);
  }
  const auto wholeDigits = static_cast<std::size_t>(exponent) + 1;
  out = WriteDigits(out, digits, wholeDigits);
  if (significant > wholeDigits) {
    *out++ = separator;
    out = WriteDigits(out, digits + wholeDigits, significant - wholeDigits);
  }
  return out;
}

}  // namespace vantorel
