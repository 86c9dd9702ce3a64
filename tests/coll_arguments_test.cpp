#include "cli/coll_arguments.h"

#include <gtest/gtest.h>

namespace vantorel {
namespace {

using cli::FindColl;
using cli::ParseElementList;

CollDirectoryEntries Directory() {
  return {{"lamp", 0, 92}, {"Bench", 92, 92}, {"lamp", 184, 92}, {"#2", 276, 92}};
}

TEST(FindColl, ANameOnTheCommandLineIsUtf8AndTheStoredOneWindows1252) {
  const CollDirectoryEntries directory{{"M\xE4uer", 0, 92}, {"wall", 92, 92}};
  EXPECT_EQ(FindColl(directory, "M\xC3\xA4uer"), 0u);
  EXPECT_EQ(FindColl(directory, "M\xE4uer"), 0u);  // the stored bytes themselves
  EXPECT_EQ(FindColl(directory, "Mauer"), std::nullopt);
}

TEST(FindColl, NumberIsOneBasedAndOtherwiseTheFirstExactName) {
  const CollDirectoryEntries directory = Directory();
  EXPECT_EQ(FindColl(directory, "#1"), 0u);
  EXPECT_EQ(FindColl(directory, "#4"), 3u);
  EXPECT_EQ(FindColl(directory, "#004"), 3u);
  EXPECT_EQ(FindColl(directory, "lamp"), 0u);
  EXPECT_EQ(FindColl(directory, "Bench"), 1u);
  EXPECT_EQ(FindColl(directory, "bench"), std::nullopt);  // names match exactly
  EXPECT_EQ(FindColl(directory, "#2"), 1u);               // a number wins over a name
}

TEST(FindColl, RefusesNumbersThatNameNoColl) {
  const CollDirectoryEntries directory = Directory();
  for (const char* key :
       {"#0", "#5", "#-1", "#+1", "#x", "#1x", "# 1", "#99999999999999999999999", "", "lamp "}) {
    EXPECT_EQ(FindColl(directory, key), std::nullopt) << key;
  }
  EXPECT_EQ(FindColl({}, "#1"), std::nullopt);
}

std::vector<std::size_t> Indices(std::string_view text, std::size_t count) {
  const cli::ElementList list = ParseElementList(text, count);
  EXPECT_TRUE(list.Ok()) << text << ": " << list.error;
  return list.indices;
}

TEST(ParseElementList, IndicesAndRangesComeOutAscendingAndOnce) {
  EXPECT_EQ(Indices("0,3,5-9", 10), (std::vector<std::size_t>{0, 3, 5, 6, 7, 8, 9}));
  EXPECT_EQ(Indices("7", 8), (std::vector<std::size_t>{7}));
  EXPECT_EQ(Indices("4-4", 5), (std::vector<std::size_t>{4}));
  EXPECT_EQ(Indices("5-9,3,7,3,0-1,1-2", 10),
            (std::vector<std::size_t>{0, 1, 2, 3, 5, 6, 7, 8, 9}));
  EXPECT_EQ(Indices("007", 8), (std::vector<std::size_t>{7}));
  EXPECT_EQ(Indices("0-99999", 100000).size(), 100000u);
}

std::string Error(std::string_view text, std::size_t count) {
  const cli::ElementList list = ParseElementList(text, count);
  EXPECT_FALSE(list.Ok()) << text;
  EXPECT_TRUE(list.indices.empty()) << text;
  return list.error;
}

TEST(ParseElementList, RefusesGarbage) {
  EXPECT_EQ(Error("", 5), "the element list is empty");
  for (const char* text : {",", "1,", ",1", "1,,2"}) {
    EXPECT_EQ(Error(text, 5), "the element list has an empty item") << text;
  }
  for (const char* text :
       {"a", "1a", " 1", "1 ", "0x1", "1.0", "1-2-3", "1-", "2-x", "1;2", "#1"}) {
    EXPECT_NE(Error(text, 5).find("is not an index or a range"), std::string::npos) << text;
  }
}

TEST(ParseElementList, RefusesSignsReversedRangesAndOverflow) {
  EXPECT_EQ(Error("-1", 5), "\"-1\": indices are not signed");
  EXPECT_EQ(Error("-3-4", 5), "\"-3-4\": indices are not signed");
  EXPECT_EQ(Error("2--4", 5), "\"2--4\": indices are not signed");
  EXPECT_EQ(Error("+1", 5), "\"+1\": indices are not signed");
  EXPECT_EQ(Error("4-2", 5), "\"4-2\": the range runs backwards");
  EXPECT_EQ(Error("0,99999999999999999999999", 5), "\"99999999999999999999999\": number too large");
  EXPECT_EQ(Error("0-18446744073709551616", 5), "\"0-18446744073709551616\": number too large");
}

TEST(ParseElementList, RefusesIndicesBeyondTheElementCount) {
  EXPECT_EQ(Error("5", 5), "\"5\": there is no element 5 (the last is 4)");
  EXPECT_EQ(Error("0,3-5", 5), "\"3-5\": there is no element 5 (the last is 4)");
  EXPECT_EQ(Error("0", 0), "\"0\": there is no element 0 (there are no elements)");
  // A huge range is refused before anything is expanded.
  EXPECT_EQ(Error("0-18446744073709551615", 3),
            "\"0-18446744073709551615\": there is no element 18446744073709551615 (the last is 2)");
}

}  // namespace
}  // namespace vantorel
