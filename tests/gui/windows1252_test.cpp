#include "ops/qt/windows1252.h"

#include <gtest/gtest.h>

#include "tests/gui/qt_printers.h"

namespace vantorel {
namespace {

TEST(Windows1252, EveryByteSurvivesTheWayThereAndBack) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte)
    all += static_cast<char>(byte);
  const QString text = FromWindows1252(all);
  EXPECT_EQ(text.size(), 256);
  EXPECT_EQ(ToWindows1252(text), all);
}

TEST(Windows1252, MapsTheCodePagesOwnCharacters) {
  EXPECT_EQ(FromWindows1252("\x80 \x8A \x9F \xE9"), QString::fromUtf8("€ Š Ÿ é"));
  EXPECT_EQ(ToWindows1252(QString::fromUtf8("€uro ‘q’ Ÿ")), "\x80uro \x91q\x92 \x9F");
}

TEST(Windows1252, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(ToWindows1252(QString::fromUtf8("жx")), "?x");
  EXPECT_EQ(ToWindows1252(QString::fromUtf8("a😀b")), "a?b");  // one mark per character
}

TEST(Windows1252, DisplayTextMakesLineBreaksPlain) {
  EXPECT_EQ(DisplayText("one\r\ntwo\r\n"), "one\ntwo\n");
}

}  // namespace
}  // namespace vantorel
