#include "core/windows1252.h"

#include <gtest/gtest.h>

namespace vantorel {
namespace {

TEST(Windows1252, GameTextBecomesUtf8AndBack) {
  EXPECT_EQ(Windows1252ToUtf8("wall01"), "wall01");
  EXPECT_EQ(Windows1252ToUtf8("M\xE4"
                              "ds"),
            "M\xC3\xA4"
            "ds");                                                   // a with diaeresis
  EXPECT_EQ(Windows1252ToUtf8("\x80\x9F"), "\xE2\x82\xAC\xC5\xB8");  // euro sign, Y diaeresis
  EXPECT_EQ(Windows1252ToUtf8("\x81"), "\xC2\x81");                  // undefined: kept as C1
  for (int byte = 1; byte < 256; ++byte) {
    const std::string one(1, static_cast<char>(byte));
    EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(one)), one) << byte;
  }
}

TEST(Windows1252, TextItCannotHoldBecomesQuestionMarks) {
  EXPECT_EQ(Utf8ToWindows1252("\xE6\x97\xA5"), "?");  // a CJK character
  EXPECT_EQ(Utf8ToWindows1252("a\xC3"), "a?");        // cut short
  EXPECT_EQ(Utf8ToWindows1252("\xFF"
                              "b"),
            "?b");                                        // never a lead byte
  EXPECT_EQ(Utf8ToWindows1252("\xF0\x9F\x98\x80"), "?");  // beyond the basic plane
}

}  // namespace
}  // namespace vantorel
