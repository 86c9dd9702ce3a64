#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/editor_fixture.h"

namespace vantorel {
namespace {

using testing::EditorTest;

constexpr const char* kApplyA = "ask Apply Changes|Do you want to apply changes made to a?|Yes";

TEST_F(EditorTest, StartsWithTheBareCaption) {
  EXPECT_EQ(editor.Caption(), "Vantorel 1.1 BETA");
  editor.SetDebugMode(true);
  editor.OpenFile(std::filesystem::path(dir.Write("dbg.col", colgen::EncodeFile({Named("a")}))));
  EXPECT_EQ(editor.Caption(), "dbg.col - Vantorel 1.1 BETA - [debug mode]");
}

TEST_F(EditorTest, OpenListsCollsAndSelectsTheFirst) {
  editor.OpenFile(std::filesystem::path(
      dir.Write("three.col", colgen::EncodeFile({Named("a"), Named("b", 0), Named("c")}))));
  EXPECT_EQ(editor.Caption(), "three.col - Vantorel 1.1 BETA");
  EXPECT_EQ(Lines(), (std::vector<std::string>{"a", "b [-]", "c"}));
  EXPECT_EQ(editor.SelectedCollLine(), 0);
  EXPECT_EQ(editor.CurrentColl(), 0);
  EXPECT_TRUE(editor.WorkingCopy().IsLoaded());
  EXPECT_EQ(editor.StatusTexts()[1], "a");
  EXPECT_EQ(editor.Lists().Spheres.checked, std::vector<bool>{true});
  EXPECT_TRUE(ui.log.empty());
  EXPECT_EQ(ui.keepAliveCalls, 5);  // after loading, after each record, at the end
  EXPECT_EQ(ui.lastProgress.first, ui.lastProgress.second);
  // The view looks at the first coll anew (its zoom: see ViewState's tests).
  EXPECT_EQ(ViewRebuild(), CameraAfterEdit::Reset);
  // The window heard of the new file, its coll list, the coll and the selection.
  EXPECT_TRUE(Notified<FileChanged>());
  EXPECT_TRUE(Notified<CollListChanged>());
  EXPECT_TRUE(Notified<WorkingCopyChanged>());
  EXPECT_EQ(notices.back(), Notice{SelectionChanged{}});
}

TEST_F(EditorTest, OpenWithDialogUsesTheDocumentedDialog) {
  const std::string path = dir.Write("x.col", colgen::EncodeFile({Named("x")}));
  editor.DialogDirectory = "/start";
  ui.openResults.push_back(path);
  editor.OpenFile(true);
  ASSERT_EQ(ui.dialogs.size(), 1u);
  EXPECT_EQ(ui.log[0], "open Open Collision File|Collision files|*.col|All files|*.*|*.col");
  EXPECT_TRUE(ui.dialogs[0].MustExist);
  EXPECT_EQ(ui.dialogs[0].InitialDir, std::filesystem::path("/start"));
  EXPECT_EQ(editor.FileName(), path);
  EXPECT_EQ(Lines(), std::vector<std::string>{"x"});

  ui.openResults.push_back(std::nullopt);  // cancelled: nothing changes
  editor.OpenFile(true);
  EXPECT_EQ(editor.FileName(), path);
  EXPECT_EQ(Lines(), std::vector<std::string>{"x"});
}

TEST_F(EditorTest, EmptyFileOpensWithNoCollsAndNoMessage) {
  editor.OpenFile(std::filesystem::path(dir.Write("empty.col", {})));
  EXPECT_TRUE(Lines().empty());
  EXPECT_TRUE(editor.CollDirectory().empty());
  EXPECT_TRUE(ui.log.empty());
  EXPECT_FALSE(editor.WorkingCopy().IsLoaded());
  editor.ApplyCommand();  // nothing to apply into: no change, no crash
  EXPECT_FALSE(editor.FileChanged());
}

TEST_F(EditorTest, MissingFileShowsTheSystemErrorAndLeavesAnEmptyEditor) {
  OpenColls({Named("a")});
  const std::string missing = (dir.Path() / "missing.col").string();
  editor.OpenFile(std::filesystem::path(missing));
  ASSERT_EQ(ui.log.size(), 1u);
  EXPECT_EQ(ui.log[0], "error Cannot open file \"" + missing + "\". No such file or directory.");
  EXPECT_EQ(editor.Caption(), "missing.col - Vantorel 1.1 BETA");
  EXPECT_TRUE(editor.CollDirectory().empty());
  EXPECT_TRUE(Lines().empty());
  EXPECT_FALSE(editor.WorkingCopy().IsLoaded());
  for (const auto& panel : editor.StatusTexts())
    EXPECT_EQ(panel, "");
}

TEST_F(EditorTest, DamagedTailIsReportedAfterTheGoodColls) {
  Bytes bytes = colgen::EncodeFile({Named("a"), Named("b")});
  bytes.insert(bytes.end(), {'C', 'O', 'L', 'L', 1, 2, 3});
  OpenPath(dir.Write("cut.col", bytes));
  editor.OpenFile(false);
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"ERROR while reading collision data!"});
  EXPECT_EQ(Lines(), (std::vector<std::string>{"a", "b"}));
  EXPECT_TRUE(editor.WorkingCopy().IsLoaded());  // the first coll is selected regardless
}

TEST_F(EditorTest, LoadingWithUnappliedEditsAsksApplyThenSave) {
  OpenColls({Named("a"), Named("b")});
  EditCurrentColl();
  ui.answers = {Answer::Yes, Answer::No};
  const std::string other = dir.Write("other.col", colgen::EncodeFile({Named("z")}));
  ui.openResults.push_back(other);
  editor.OpenFile(true);
  ASSERT_EQ(ui.log.size(), 3u);
  EXPECT_EQ(ui.log[0], kApplyA);
  EXPECT_EQ(ui.log[1], "ask Save File|Do you want to save changes made to test.col?|Yes");
  EXPECT_EQ(ui.log[2].rfind("open ", 0), 0u);
  EXPECT_EQ(Lines(), std::vector<std::string>{"z"});
  EXPECT_FALSE(editor.FileChanged());
  EXPECT_FALSE(editor.CollChanged());
}

TEST_F(EditorTest, CancelOnTheSaveQuestionKeepsTheFileOpen) {
  const std::string path = OpenColls({Named("a"), Named("b")});
  editor.ClickCollLine(1);
  EditCurrentColl();
  ui.answers = {Answer::Yes, Answer::Cancel};
  editor.OpenFile(true);  // no dialog may open
  EXPECT_EQ(editor.FileName(), path);
  EXPECT_TRUE(editor.FileChanged());
  EXPECT_EQ(editor.SelectedCollLine(), 1);
}

TEST_F(EditorTest, ReloadAnsweredNoDiscardsAppliedEdits) {
  const std::string path = OpenColls({Named("a"), Named("b")});
  const Bytes onDisk = testing::ReadBytes(path);
  Edit([](Coll& coll) { coll.Spheres.clear(); });
  editor.ApplyChanges();
  ASSERT_TRUE(editor.FileChanged());
  EXPECT_EQ(Lines()[0], "a [-]");
  ui.answers = {Answer::No};
  editor.OpenFile(false);
  EXPECT_EQ(ui.log, std::vector<std::string>{
                        "ask Save File|Do you want to save changes made to test.col?|Yes"});
  EXPECT_FALSE(editor.FileChanged());
  EXPECT_EQ(Lines()[0], "a");
  EXPECT_TRUE(std::equal(editor.FileImage().begin(), editor.FileImage().end(), onDisk.begin(),
                         onDisk.end()));
}

TEST_F(EditorTest, SaveQuestionYesSavesBeforeLoading) {
  const std::string path = OpenColls({Named("a")});
  Edit([](Coll& coll) { coll.Spheres.clear(); });
  editor.ApplyChanges();
  ui.answers = {Answer::Yes};
  editor.OpenFile(false);  // reload: saves first, then reads what was saved
  EXPECT_EQ(Lines()[0], "a [-]");
  EXPECT_EQ(testing::ReadBytes(path).size(), 92u);
}

TEST_F(EditorTest, OpenFileStopsWhenTheSaveBeforeItFails) {
  const std::string path = OpenColls({Named("a")});
  Edit([](Coll& coll) { coll.Spheres.clear(); });
  editor.ApplyChanges();
  std::filesystem::remove(path);
  std::filesystem::create_directory(path);  // the old file's name now cannot be written
  ui.answers = {Answer::Yes};
  editor.OpenFile(true);  // no open dialog may follow
  ASSERT_EQ(ui.log.size(), 2u);
  EXPECT_EQ(ui.log[1].rfind("error Cannot save file", 0), 0u);
  EXPECT_TRUE(editor.FileChanged());
  EXPECT_EQ(Lines()[0], "a [-]");
}

}  // namespace
}  // namespace vantorel
