#include "core/number_parse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace vantorel {
namespace {

TEST(NumberParse, RealsInTheirWrittenForms) {
  EXPECT_EQ(ParseDecimalReal("1.5", '.'), 1.5f);
  EXPECT_EQ(ParseDecimalReal("-2.25", '.'), -2.25f);
  EXPECT_EQ(ParseDecimalReal("+7", '.'), 7.0f);
  EXPECT_EQ(ParseDecimalReal(".5", '.'), 0.5f);
  EXPECT_EQ(ParseDecimalReal("5.", '.'), 5.0f);
  EXPECT_EQ(ParseDecimalReal("1.23457E6", '.'), 1234570.0f);
  EXPECT_EQ(ParseDecimalReal("5e-5", '.'), 0.00005f);
  EXPECT_EQ(ParseDecimalReal("1E+2", '.'), 100.0f);
  EXPECT_EQ(ParseDecimalReal("0.1", '.'), 0.1f);  // the nearest float
  EXPECT_EQ(ParseDecimalReal("000000000000000000000000000000000000000001", '.'), 1.0f);
}

TEST(NumberParse, TheSeparatorIsTheLocalesUnlessASecondIsAllowed) {
  EXPECT_EQ(ParseDecimalReal("1,5", ','), 1.5f);
  EXPECT_FALSE(ParseDecimalReal("1.5", ','));
  EXPECT_FALSE(ParseDecimalReal("1,5", '.'));
  EXPECT_EQ(ParseDecimalReal("1.5", ',', '.'), 1.5f);
  EXPECT_EQ(ParseDecimalReal("-1,5E-7", ',', '.'), -1.5e-7f);
  EXPECT_FALSE(ParseDecimalReal("1,5.5", ',', '.'));  // one separator at most
  // A long text with a comma goes through a copy of its own.
  const std::string longText = "1," + std::string(200, '5');
  EXPECT_EQ(ParseDecimalReal(longText, ','), ParseDecimalReal("1.5555555555555555", '.'));
}

TEST(NumberParse, TextThatIsNoRealIsRefused) {
  for (const char* text :
       {"",     " 1",   "1 ",  "+",    "-",   ".",    "e5", "1e",      "1e+", "+-1", "--1",
        "1..5", "1.5.", "inf", "-INF", "nan", "0x10", "1f", "1,000.5", "1_5", "\t2"}) {
    EXPECT_FALSE(ParseDecimalReal(text, '.', ',')) << text;
  }
}

TEST(NumberParse, RealsBeyondTheFloatRangeAreRefusedTinyOnesAreZero) {
  EXPECT_FALSE(ParseDecimalReal("1E39", '.'));
  EXPECT_FALSE(ParseDecimalReal("-1E39", '.'));
  EXPECT_FALSE(ParseDecimalReal("3.4028236E38", '.'));
  EXPECT_FALSE(ParseDecimalReal("1E99999999999999999999999", '.'));
  EXPECT_EQ(ParseDecimalReal("3.4028234E38", '.'), std::numeric_limits<float>::max());
  EXPECT_EQ(ParseDecimalReal("1E-50", '.'), 0.0f);
  EXPECT_EQ(ParseDecimalReal("0,0000000000000000000000000000000000000000000000001", ','), 0.0f);
  EXPECT_EQ(ParseDecimalReal("1E-99999999999999999999999", '.'), 0.0f);
  EXPECT_EQ(ParseDecimalReal("0E99999999999999999999999", '.'), 0.0f);
  const auto negativeTiny = ParseDecimalReal("-1E-50", '.');
  ASSERT_TRUE(negativeTiny);
  EXPECT_TRUE(*negativeTiny == 0 && std::signbit(*negativeTiny));
  EXPECT_EQ(ParseDecimalReal("1.4E-45", '.'), std::numeric_limits<float>::denorm_min());
}

TEST(NumberParse, Integers) {
  EXPECT_EQ(ParseDecimalInteger("0"), 0);
  EXPECT_EQ(ParseDecimalInteger("+12"), 12);
  EXPECT_EQ(ParseDecimalInteger("-1"), -1);
  EXPECT_EQ(ParseDecimalInteger("007"), 7);
  EXPECT_EQ(ParseDecimalInteger("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
  for (const char* text : {"", "+", "-", "+-5", "-+5", "--5", "1.0", "1e3", " 1", "1 ", "0x1F",
                           "$1F", "9223372036854775808", "12a"}) {
    EXPECT_FALSE(ParseDecimalInteger(text)) << text;
  }
}

}  // namespace
}  // namespace vantorel
