#include "core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace vantorel {
namespace {

TEST(NumberText, OnlyCharactersThatNoNumberOrScriptHoldsMarkTheDecimalPoint) {
  for (const char usable : {'.', ',', '\'', '/', '_'})
    EXPECT_TRUE(IsUsableDecimalSeparator(usable)) << usable;
  // With "0", 1.5 would be written "105"; with ";" a script could not be read back.
  for (const char refused : {'0', '9', 'e', 'E', 'x', '+', '-', ' ', '\t', '\0',   ':',    ';',
                             '|', '[', ']', '#', '=', '>', '"', '(', ')',  '\x7F', '\x80', '\xC3'})
    EXPECT_FALSE(IsUsableDecimalSeparator(refused)) << static_cast<int>(refused);

  EXPECT_EQ(DecimalSeparatorFromLocale(","), ',');
  EXPECT_EQ(DecimalSeparatorFromLocale("."), '.');
  // The Arabic decimal sign is two bytes in UTF-8: its first byte alone is no separator.
  EXPECT_EQ(DecimalSeparatorFromLocale("\xD9\xAB"), '.');
  EXPECT_EQ(DecimalSeparatorFromLocale(""), '.');
  EXPECT_EQ(DecimalSeparatorFromLocale("0"), '.');
}

TEST(NumberText, CoordinatesKeepOneToFiveDecimals) {
  EXPECT_EQ(FormatCoordinate(1, '.'), "1.0");
  EXPECT_EQ(FormatCoordinate(0.5, '.'), "0.5");
  EXPECT_EQ(FormatCoordinate(1.234567f, '.'), "1.23457");
  EXPECT_EQ(FormatCoordinate(-2.25, '.'), "-2.25");
  EXPECT_EQ(FormatCoordinate(-0.25, ','), "-0,25");
  EXPECT_EQ(FormatCoordinate(123456.0, '.'), "123456.0");
  EXPECT_EQ(FormatCoordinate(9.999996, '.'), "10.0");
}

TEST(NumberText, DimensionsKeepOneToThreeDecimals) {
  EXPECT_EQ(FormatDimension(2, '.'), "2.0");
  EXPECT_EQ(FormatDimension(1.23456, '.'), "1.235");
  EXPECT_EQ(FormatDimension(0, '.'), "0.0");
  EXPECT_EQ(FormatDimension(4, ','), "4,0");
}

TEST(NumberText, ExactHalvesRoundAwayFromZero) {
  // 2.0625 and 0.5 are exact in binary, so these are true ties.
  EXPECT_EQ(FormatDimension(2.0625, '.'), "2.063");
  EXPECT_EQ(FormatDimension(-2.0625, '.'), "-2.063");
  EXPECT_EQ(FormatScriptReal(1234565.0, '.'), "1.23457E6");
}

TEST(NumberText, ValuesRoundingToZeroLoseTheirSign) {
  EXPECT_EQ(FormatCoordinate(-0.000001, '.'), "0.0");
  EXPECT_EQ(FormatCoordinate(-0.0, '.'), "0.0");
  EXPECT_EQ(FormatScriptReal(-0.0, '.'), "0");
}

TEST(NumberText, NonFiniteValuesHaveWords) {
  EXPECT_EQ(FormatCoordinate(std::numeric_limits<double>::quiet_NaN(), '.'), "NAN");
  EXPECT_EQ(FormatCoordinate(-INFINITY, '.'), "-INF");
  EXPECT_EQ(FormatScriptReal(INFINITY, '.'), "INF");
}

TEST(NumberText, HugeAndTinyFloatsFormatWithoutOverflow) {
  EXPECT_EQ(FormatCoordinate(std::numeric_limits<float>::max(), '.'),
            "340282346638528859811704183484516925440.0");
  EXPECT_EQ(FormatCoordinate(std::numeric_limits<float>::denorm_min(), '.'), "0.0");
  EXPECT_EQ(FormatScriptReal(std::numeric_limits<float>::denorm_min(), '.'), "1.4013E-45");
  EXPECT_EQ(FormatScriptReal(std::numeric_limits<float>::max(), '.'), "3.40282E38");
}

TEST(NumberText, PaddedIndexes) {
  EXPECT_EQ(FormatIndex(7), "007");
  EXPECT_EQ(FormatIndex(0), "000");
  EXPECT_EQ(FormatIndex(1234), "1234");
  EXPECT_EQ(FormatIndex(-5), "-005");
  EXPECT_EQ(FormatPadded(5, 2), "05");
  EXPECT_EQ(FormatPadded(255, 2), "255");
}

TEST(NumberText, ScriptRealsUseSixSignificantDigits) {
  EXPECT_EQ(FormatScriptReal(0, '.'), "0");
  EXPECT_EQ(FormatScriptReal(0.5, '.'), "0.5");
  EXPECT_EQ(FormatScriptReal(2, '.'), "2");
  EXPECT_EQ(FormatScriptReal(-12.25, '.'), "-12.25");
  EXPECT_EQ(FormatScriptReal(0.000123, '.'), "0.000123");
  EXPECT_EQ(FormatScriptReal(1234567, '.'), "1.23457E6");
  EXPECT_EQ(FormatScriptReal(0.00001, '.'), "1E-5");
  EXPECT_EQ(FormatScriptReal(0.00005f, '.'), "5E-5");
  EXPECT_EQ(FormatScriptReal(0.0001f, '.'), "0.0001");
  EXPECT_EQ(FormatScriptReal(999999.0, '.'), "999999");
  EXPECT_EQ(FormatScriptReal(999999.5, '.'), "1E6");  // rounds up past the fixed range
  EXPECT_EQ(FormatScriptReal(1.1f, '.'), "1.1");
  EXPECT_EQ(FormatScriptReal(-0.1f, '.'), "-0.1");
  EXPECT_EQ(FormatScriptReal(0.5, ','), "0,5");
  EXPECT_EQ(FormatScriptReal(-1.5e-7, ','), "-1,5E-7");
  EXPECT_EQ(FormatScriptReal(100000.0, '.'), "100000");
}

std::string Written(float value, char separator) {
  char buffer[kScriptRealMaxLength];
  return std::string(buffer, WriteScriptReal(buffer, value, separator));
}

// The allocation-free writer must give the general formatter's text for every float.
TEST(NumberText, WrittenScriptRealsMatchTheFormattedOnes) {
  const auto check = [](float value, char separator) {
    ASSERT_EQ(Written(value, separator), FormatScriptReal(value, separator))
        << std::hexfloat << value;
  };
  // Exact ties at the seventh digit round away from zero.
  for (const float tie : {1234565.0f, 12345.25f, 1234.125f, 123.0625f, 12.03125f, 1.015625f,
                          0.1015625f, 999999.5f, 9999995.0f, 100000.5f, 8388612.5f}) {
    check(tie, '.');
    check(-tie, ',');
  }
  for (std::int32_t tie = 1000005; tie <= 9999995; tie += 370)
    check(static_cast<float>(tie), '.');
  // Zero, subnormals, the ends of the range, infinities and NaN.
  for (const float special :
       {0.0f, -0.0f, std::numeric_limits<float>::denorm_min(), std::numeric_limits<float>::min(),
        std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(), INFINITY, -INFINITY,
        NAN, 1e-13f, 1.1e-13f, 1e18f, 1.2e18f, 0.0001f, 0.00009999999f, 1e6f}) {
    check(special, '.');
  }
  // Every binary exponent, spread over the mantissas.
  for (std::uint64_t bits = 0; bits < (std::uint64_t{1} << 32); bits += 65521) {
    float value = 0;
    const auto word = static_cast<std::uint32_t>(bits);
    std::memcpy(&value, &word, sizeof value);
    check(value, bits % 2 ? ',' : '.');
  }
  // Dyadic fractions, among them many more ties.
  std::mt19937 random(42);
  for (int i = 0; i < 100000; ++i) {
    const auto numerator = static_cast<float>(random() % 20000000);
    check(std::ldexp(numerator, static_cast<int>(random() % 40) - 30), '.');
  }
}

}  // namespace
}  // namespace vantorel
