#include "ops/find_commands.h"

#include <gtest/gtest.h>

#include "ops/brief_info.h"
#include "ops/lod_command.h"
#include "tests/support/editor_fixture.h"

namespace vantorel {
namespace {

using testing::EditorTest;

const std::string kInput = "input Search Coll|Enter the name of the object you are looking for:|";
const std::string kNotFound = "message Object not found!";

class FindCommandsTest : public EditorTest {
 protected:
  void SetUp() override { OpenColls({Named("wall01"), Named("wall02"), Named("roof01")}); }
};

TEST_F(FindCommandsTest, FindAndFindNextWalkTowardsTheEndAndStartAgainAfterAMiss) {
  editor.SelectColl(2);
  Forget();
  ui.inputResults = {"wall"};
  FindColl(editor);
  EXPECT_EQ(ui.log, std::vector<std::string>{kInput});
  EXPECT_EQ(editor.CurrentColl(), 0);
  FindNextColl(editor);
  EXPECT_EQ(editor.CurrentColl(), 1);
  FindNextColl(editor);
  EXPECT_EQ(ui.log.back(), kNotFound);
  EXPECT_EQ(editor.CurrentColl(), 1);
  FindNextColl(editor);
  EXPECT_EQ(editor.CurrentColl(), 0);
  EXPECT_EQ(ui.log.size(), 2u);
  EXPECT_EQ(editor.SearchText, "wall");
}

TEST_F(FindCommandsTest, TheSearchIsCaseSensitiveAndFindsPartsOfNames) {
  editor.SelectColl(2);
  ui.inputResults = {"WALL", "all"};
  FindColl(editor);
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Object not found!"});
  EXPECT_EQ(editor.CurrentColl(), 2);
  FindColl(editor);
  EXPECT_EQ(ui.log[2], kInput + "WALL");  // the box opens with the last text
  EXPECT_EQ(editor.CurrentColl(), 0);
}

TEST_F(FindCommandsTest, NothingToSearchForDoesNothing) {
  editor.SelectColl(2);
  Forget();
  FindNextColl(editor);  // before any Find
  ui.inputResults = {"   "};
  FindColl(editor);
  EXPECT_EQ(ui.log, std::vector<std::string>{kInput});
  EXPECT_EQ(editor.CurrentColl(), 2);
  EXPECT_TRUE(notices.empty());
}

TEST_F(FindCommandsTest, CancelRepeatsTheLastSearchFromTheFirstColl) {
  ui.inputResults = {"wall", std::nullopt};
  FindColl(editor);
  FindNextColl(editor);
  EXPECT_EQ(editor.CurrentColl(), 1);
  FindColl(editor);
  EXPECT_EQ(ui.log.back(), kInput + "wall");
  EXPECT_EQ(editor.CurrentColl(), 0);
  EXPECT_EQ(editor.SearchText, "wall");
}

TEST_F(FindCommandsTest, TheFirstCollAsTheOnlyMatchIsSelectedAtOnce) {
  editor.SelectColl(1);
  ui.inputResults = {"l01"};
  FindColl(editor);
  EXPECT_EQ(editor.CurrentColl(), 0);
  FindNextColl(editor);
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Object not found!"});
}

TEST_F(FindCommandsTest, AFoundCollIsSelectedWithTheApplyQuestion) {
  // An unapplied rename is not searched: the search reads the stored names.
  Edit([](Coll& coll) { SetHeaderName(coll.Header, "tower"); });
  ui.inputResults = {"tower", "roof"};
  FindColl(editor);
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Object not found!"});
  ui.answers = {Answer::Cancel};
  FindColl(editor);
  EXPECT_EQ(ui.log.back(), "ask Apply Changes|Do you want to apply changes made to wall01?|Yes");
  EXPECT_EQ(editor.CurrentColl(), 0);
  EXPECT_TRUE(editor.CollChanged());
}

TEST_F(EditorTest, FindComparesTheFilesBytesWithTheTextTyped) {
  OpenColls({Named("wall01"), Named("M\xE4uer")});
  ui.inputResults = {"M\xC3\xA4"};  // UTF-8 a umlaut
  FindColl(editor);
  EXPECT_EQ(editor.CurrentColl(), 1);
  EXPECT_EQ(editor.SearchText, "M\xE4");
  ui.inputResults = {std::nullopt};
  FindColl(editor);
  EXPECT_EQ(ui.log.back(),
            "input Search Coll|Enter the name of the object you are looking for:|M\xC3\xA4");
}

TEST_F(EditorTest, BriefInfoReportsTheWorkingCopyAndItsPlaceInTheFile) {
  OpenColls({Named("a"), Named("box_01", 0)});
  editor.SelectColl(1);
  Forget();
  RunRow("Showbriefinfo1");
  ASSERT_EQ(ui.Messages().size(), 1u);
  const std::string text = ui.Messages()[0];
  EXPECT_EQ(text, BuildBriefInfo(editor.WorkingCopy(), 1, 2, 112, '.'));
  EXPECT_NE(text.find("No.: \t\t2 / 2\r\n"), std::string::npos);
  EXPECT_NE(text.find("Size: \t\t92 Byte\r\n"), std::string::npos);
  EXPECT_NE(text.find("Offset: \t\t112\r\n"), std::string::npos);
  EXPECT_NE(text.find("   Spheres: \t0\r\n   Boxes: \t0\r\n   Vertices: \t0\r\n   Faces: \t0"),
            std::string::npos);

  // A LOD coll carries the editor's marker.
  ChangeSettings([](Settings& settings) { settings.askRecalc = false; });
  RunRow("MakeLOD1");
  RunRow("Showbriefinfo1");
  EXPECT_NE(ui.Messages().back().find("ID: \t\t51 4B 5A 56 \r\n"), std::string::npos);
  EXPECT_NE(ui.Messages().back().find("Name: \t\tLOD_01\r\n"), std::string::npos);
}

TEST_F(EditorTest, BriefInfoSaysNothingWithoutALoadedColl) {
  RunRow("Showbriefinfo1");
  Bytes bytes = colgen::EncodeFile({Named("a"), Named("b", 2)});
  bytes.resize(bytes.size() - 3);
  OpenPath(dir.Write("cut.col", bytes));
  editor.SelectColl(1);
  Forget();
  RunRow("Showbriefinfo1");
  EXPECT_TRUE(ui.log.empty());
}

}  // namespace
}  // namespace vantorel
