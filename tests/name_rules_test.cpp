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
