#include <gtest/gtest.h>

#include "core/name_rules.h"
#include "core/text_trim.h"

namespace vantorel {
namespace {

TEST(NewNameRules, TrimsBlanksAndControlCharactersAtBothEnds) {
  EXPECT_EQ(TrimBlanksAndControls("  ab  "), "ab");
  EXPECT_EQ(TrimBlanksAndControls("\t\r\n\x01house\x1F\x7F "), "house");
  EXPECT_EQ(TrimBlanksAndControls("my coll"), "my coll");  // inner blanks stay
  EXPECT_EQ(TrimBlanksAndControls(" \t \x7F"), "");
  EXPECT_EQ(TrimBlanksAndControls(""), "");
  // Bytes above 0x7F are characters, not controls, however char is signed.
  EXPECT_EQ(TrimBlanksAndControls("\xA0x\xE9"), "\xA0x\xE9");
}

TEST(NewNameRules, AcceptsAValidNameInItsTrimmedForm) {
  const NameCheck check = ValidateNewName("  Box_01 \t", "house01");
  EXPECT_EQ(check.Verdict, NameVerdict::Ok);
  EXPECT_EQ(check.Name, "Box_01");
  EXPECT_EQ(ValidateNewName("abcd", "house01").Verdict, NameVerdict::Ok);  // 4 is enough
  EXPECT_EQ(ValidateNewName("01234567890123456789", "house01").Verdict, NameVerdict::Ok);
}

TEST(NewNameRules, RefusesAChangeOfLetterCaseAlone) {
  EXPECT_EQ(ValidateNewName("ABCD", "abcd").Verdict, NameVerdict::SameAsOld);
  EXPECT_EQ(ValidateNewName(" house01 ", "HOUSE01").Verdict, NameVerdict::SameAsOld);
  EXPECT_EQ(ValidateNewName("house01", "house02").Verdict, NameVerdict::Ok);
}

TEST(NewNameRules, RefusesNamesShorterThanFourCharactersAfterTrimming) {
  EXPECT_EQ(ValidateNewName("abc", "house01").Verdict, NameVerdict::TooShort);
  EXPECT_EQ(ValidateNewName("  ab  ", "house01").Verdict, NameVerdict::TooShort);
  EXPECT_EQ(ValidateNewName("", "house01").Verdict, NameVerdict::TooShort);
  EXPECT_EQ(ValidateNewName("   ", "house01").Verdict, NameVerdict::TooShort);
}

TEST(NewNameRules, RefusesCharactersOutsideTheSetFirst) {
  EXPECT_EQ(ValidateNewName("my coll", "house01").Verdict, NameVerdict::BadCharacter);
  EXPECT_EQ(ValidateNewName("ab-cd", "house01").Verdict, NameVerdict::BadCharacter);
  EXPECT_EQ(ValidateNewName("h\xE4user", "house01").Verdict, NameVerdict::BadCharacter);
  EXPECT_EQ(ValidateNewName("ab\tcd", "house01").Verdict, NameVerdict::BadCharacter);
  // The character rule comes before the other two: "a b" is short and "A B" the old name.
  EXPECT_EQ(ValidateNewName("a b", "a b").Verdict, NameVerdict::BadCharacter);
  // The same name comes before the length: an old name of three characters.
  EXPECT_EQ(ValidateNewName("ABC", "abc").Verdict, NameVerdict::SameAsOld);
}

TEST(NewNameRules, CutsTextToTwentyCharactersAsTheFieldDoes) {
  const NameCheck check = ValidateNewName(" abcdefghijklmnopqrstuvwxyz", "house01");
  EXPECT_EQ(check.Verdict, NameVerdict::Ok);
  EXPECT_EQ(check.Name, "abcdefghijklmnopqrst");
  // A bad character past the twentieth is cut away before the check.
  EXPECT_EQ(ValidateNewName("abcdefghijklmnopqrst!", "house01").Verdict, NameVerdict::Ok);
}

TEST(NewNameRules, MergeNamesHaveNoOldNameRule) {
  EXPECT_EQ(ValidateMergeName("new_coll").Verdict, NameVerdict::Ok);
  EXPECT_EQ(ValidateMergeName("new_coll").Name, "new_coll");
  EXPECT_EQ(ValidateMergeName(" new coll ").Verdict, NameVerdict::BadCharacter);
  EXPECT_EQ(ValidateMergeName(" ab ").Verdict, NameVerdict::TooShort);
  EXPECT_EQ(ValidateMergeName("\x01wall\x02").Name, "wall");
}

TEST(NewNameRules, ProposesTheOldNameWithItsLastCharacterReplaced) {
  EXPECT_EQ(ProposeName("house01"), "house0_");
  EXPECT_EQ(ProposeName("a"), "_");
  EXPECT_EQ(ProposeName(""), "");
  const std::string full = "abcdefghijklmnopqrst";
  EXPECT_EQ(ProposeName(full), "abcdefghijklmnopqrs_");
  EXPECT_EQ(ProposeName(full).size(), 20u);
}

TEST(NewNameRules, TheProposalReplacesALastCharacterOfSeveralBytesWhole) {
  EXPECT_EQ(ProposeName("caf\xC3\xA9"), "caf_");        // e acute
  EXPECT_EQ(ProposeName("wall\xE2\x82\xAC"), "wall_");  // euro sign
  EXPECT_EQ(ProposeName("\xC3\xA9"), "_");
  EXPECT_EQ(ProposeName("ab\xA9"), "ab_");  // a stray continuation byte goes alone
}

}  // namespace
}  // namespace vantorel
