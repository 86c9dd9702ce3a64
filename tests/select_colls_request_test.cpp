#include "ops/select_colls_request.h"

#include <gtest/gtest.h>

namespace vantorel {
namespace {

CollDirectoryEntries Source() {
  return {{"alpha", 0, 112}, {"empty", 112, 92}, {"beta", 204, 132}};
}

TEST(SelectCollsRequest, ImportListsTheOtherFilesColls) {
  const SelectCollsRequest request = ImportRequest("props.col", Source());
  EXPECT_FALSE(request.Replace);
  EXPECT_EQ(request.Caption, "Import Collision Object(s)");
  EXPECT_EQ(request.Prompt, "Select the collision object(s) you want to import from props.col:");
  EXPECT_EQ(request.Lines, (std::vector<std::string>{"alpha", "empty [-]", "beta"}));
  EXPECT_TRUE(request.KeptName.empty());
}

TEST(SelectCollsRequest, ReplaceNamesTheCollThatKeepsItsName) {
  const SelectCollsRequest request = ReplaceRequest("house01", Source());
  EXPECT_TRUE(request.Replace);
  EXPECT_EQ(request.Caption, "Replace Collision Object");
  EXPECT_EQ(request.Prompt, "Select the collision object you want to use for replacing house01:");
  EXPECT_EQ(request.KeptName, "(the name will remain \"house01\")");
  EXPECT_EQ(request.Lines.size(), 3u);
}

TEST(SelectCollsRequest, CollNamesAreShownAsUtf8) {
  const CollDirectoryEntries source{{"M\xE4uer", 0, 92}, {"\x80uro", 92, 112}};
  EXPECT_EQ(ImportRequest("f\xC3\xBCnf.col", source).Lines,
            (std::vector<std::string>{"M\xC3\xA4uer [-]", "\xE2\x82\xACuro"}));
  EXPECT_EQ(ImportRequest("f\xC3\xBCnf.col", source).Prompt,
            "Select the collision object(s) you want to import from f\xC3\xBCnf.col:");
  const SelectCollsRequest replace = ReplaceRequest("T\xFCr", source);
  EXPECT_EQ(replace.KeptName, "(the name will remain \"T\xC3\xBCr\")");
  EXPECT_EQ(replace.Prompt,
            "Select the collision object you want to use for replacing T\xC3\xBCr:");
}

TEST(SelectCollsRequest, CountsTheSelection) {
  EXPECT_EQ(SelectionCountText(0, 5), "0 of 5 colls selected");
  EXPECT_EQ(SelectionCountText(2, 5), "2 of 5 colls selected");
  EXPECT_EQ(ImportRequest("x.col", {}).Lines.size(), 0u);
}

}  // namespace
}  // namespace vantorel
