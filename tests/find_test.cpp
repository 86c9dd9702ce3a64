#include "ops/find.h"

#include <gtest/gtest.h>

namespace vantorel {

void PrintTo(const FindOutcome& outcome, std::ostream* out) {
  *out << "{result " << static_cast<int>(outcome.Result) << ", index " << outcome.Index << "}";
}

namespace {

CollDirectoryEntries Names(std::initializer_list<const char*> names) {
  CollDirectoryEntries directory;
  std::int64_t offset = 0;
  for (const char* name : names) {
    directory.push_back({name, offset, 92});
    offset += 92;
  }
  return directory;
}

class FindTest : public ::testing::Test {
 protected:
  FindOutcome Find(std::string text) {
    RestartSearch(search, std::move(text));
    return FindNext(directory, search);
  }
  FindOutcome Next() { return FindNext(directory, search); }

  CollDirectoryEntries directory = Names({"wall01", "wall02", "roof01"});
  CollSearch search;
};

FindOutcome FoundAt(int index) {
  return {FindResult::Found, index};
}
const FindOutcome kNotFound{FindResult::NotFound, -1};
const FindOutcome kIgnored{FindResult::Ignored, -1};

TEST_F(FindTest, FindNextGoesTowardsTheEndAndStartsAgainAfterAMiss) {
  EXPECT_EQ(Find("wall"), FoundAt(0));
  EXPECT_EQ(search.SearchPosition, 0);
  EXPECT_EQ(Next(), FoundAt(1));
  EXPECT_EQ(Next(), kNotFound);  // no wrap within one search
  EXPECT_EQ(search.SearchPosition, 3);
  EXPECT_EQ(Next(), FoundAt(0));
}

TEST_F(FindTest, ComparesExactlyAnywhereInTheName) {
  EXPECT_EQ(Find("WALL"), kNotFound);
  EXPECT_EQ(Find("all"), FoundAt(0));
  EXPECT_EQ(Find("01"), FoundAt(0));
  EXPECT_EQ(Next(), FoundAt(2));
  EXPECT_EQ(Find("roof01"), FoundAt(2));
  EXPECT_EQ(Find("roof01x"), kNotFound);
}

TEST_F(FindTest, ANewFindStartsAtTheFirstColl) {
  EXPECT_EQ(Find("wall"), FoundAt(0));
  EXPECT_EQ(Next(), FoundAt(1));
  EXPECT_EQ(Find("wall"), FoundAt(0));  // also when the text is the same (a cancelled box)
}

TEST_F(FindTest, BlanksOnlyOrNothingToSearchDoesNothing) {
  EXPECT_EQ(Next(), kIgnored);  // Find Next before any Find
  EXPECT_EQ(search.SearchPosition, -1);
  EXPECT_EQ(Find("   "), kIgnored);
  EXPECT_EQ(Find(" \t"), kIgnored);
  EXPECT_EQ(search.SearchPosition, -1);
  directory.clear();
  EXPECT_EQ(Find("wall"), kIgnored);
}

TEST_F(FindTest, KeepsBlanksInsideTheText) {
  directory = Names({"wall01", "my wall", "wall"});
  EXPECT_EQ(Find(" wall"), FoundAt(1));
  EXPECT_EQ(Find("wall "), kNotFound);
}

TEST_F(FindTest, SearchesWithTheFirst255CharactersOnly) {
  const std::string longText = "wall01" + std::string(249, 'x');
  directory = Names({"wall01"});
  directory[0].Name = longText;  // a name as long as the text compared
  EXPECT_EQ(Find(longText + "tail"), FoundAt(0));
  EXPECT_EQ(Find(longText.substr(0, 254) + "yz"), kNotFound);
}

TEST_F(FindTest, APositionLeftFromALongerDirectoryStartsAgain) {
  EXPECT_EQ(Find("roof"), FoundAt(2));
  directory.pop_back();  // a coll was deleted meanwhile
  directory.pop_back();
  EXPECT_EQ(Next(), kNotFound);
  EXPECT_EQ(Find("wall"), FoundAt(0));
  search.SearchPosition = -7;
  EXPECT_EQ(Next(), FoundAt(0));
}

}  // namespace
}  // namespace vantorel
