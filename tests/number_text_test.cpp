#include "core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vantorel {
namespace {

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

}  // namespace
}  // namespace vantorel
