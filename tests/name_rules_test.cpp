#include "core/name_rules.h"

#include <gtest/gtest.h>

namespace vantorel {
namespace {

CollDirectoryEntries Names(std::initializer_list<const char*> names) {
  CollDirectoryEntries directory;
  for (const char* name : names)
    directory.push_back({name, 0, 92});
  return directory;
}

TEST(NameRules, ImportNamesAreTrimmedCutAndChecked) {
  EXPECT_EQ(ImportNameFromAnswer("  ab  "), "ab");
  EXPECT_EQ(ImportNameFromAnswer("\t\x01house_01\x7F\r\n"), "house_01");
  EXPECT_EQ(ImportNameFromAnswer(" abcdefghijklmnopqrstuvwxyz"), "abcdefghijklmnopqrst");
  EXPECT_EQ(ImportNameFromAnswer(""), "");

  EXPECT_TRUE(IsValidImportName("Box_01"));
  EXPECT_TRUE(IsValidImportName("abcd"));
  EXPECT_TRUE(IsValidImportName("abcdefghijklmnopqrst"));
  EXPECT_FALSE(IsValidImportName("abc"));
  EXPECT_FALSE(IsValidImportName("abcdefghijklmnopqrstu"));
  for (const char* refused : {"", "my coll", "ab-cd", "name.col", "h\xE4user", "tab\tbed"})
    EXPECT_FALSE(IsValidImportName(refused)) << refused;
  // What the prompt shows again is what was taken, so a long answer comes back cut.
  EXPECT_FALSE(IsValidImportName(ImportNameFromAnswer("  ab  ")));
  EXPECT_TRUE(IsValidImportName(ImportNameFromAnswer("  a_very_long_name_for_a_coll  ")));
}

TEST(NameRules, ComparesAsciiLettersWithoutCase) {
  EXPECT_TRUE(SameCollName("Wall", "WALL"));
  EXPECT_FALSE(SameCollName("Wall", "Wall2"));
  EXPECT_FALSE(SameCollName("\xC4pfel", "\xE4pfel"));  // only ASCII letters fold
}

TEST(NameRules, ReportsTheLowestCollWithATwinAndItsFirstTwin) {
  EXPECT_FALSE(FindDuplicateNames(Names({"a", "b", "c"})));
  EXPECT_EQ(FindDuplicateNames(Names({"Wall", "WALL"})),
            std::make_pair(std::size_t{0}, std::size_t{1}));
  // "b" repeats first (at 3), but "a" is the lower coll with a twin.
  EXPECT_EQ(FindDuplicateNames(Names({"a", "b", "x", "b", "A", "a"})),
            std::make_pair(std::size_t{0}, std::size_t{4}));
  EXPECT_EQ(FindDuplicateNames(Names({"q", "b", "c", "B"})),
            std::make_pair(std::size_t{1}, std::size_t{3}));
}

}  // namespace
}  // namespace vantorel
