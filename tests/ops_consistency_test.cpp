// Every command on whole colls, run as the window runs it, leaves the file image and the
// directory in step: rescanning the image lists exactly the directory the file keeps.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/command_table.h"
#include "tests/support/editor_fixture.h"

namespace vantorel {
namespace {

using testing::EditorTest;

class OpsConsistencyTest : public EditorTest {
 protected:
  void Run(const char* row) {
    SCOPED_TRACE(row);
    const CommandRow* command = FindCommand(row);
    ASSERT_NE(command, nullptr);
    RunCommand(editor, *command);
    ExpectDirectoryMatchesImage();
    EXPECT_TRUE(ui.answers.empty() && ui.newNameResults.empty() && ui.selectResults.empty() &&
                ui.mergeResults.empty() && ui.openResults.empty() && ui.saveResults.empty() &&
                ui.inputResults.empty())
        << "an expected dialog was not shown";
    EXPECT_TRUE(ui.log.empty() || ui.log.back().rfind("error ", 0) != 0) << ui.log.back();
  }
};

TEST_F(OpsConsistencyTest, EveryCommandKeepsTheDirectoryInStepWithTheImage) {
  OpenColls({Named("wall01", 2), Named("wall02", 0), Named("roof01", 3), Named("door01")});
  std::vector<Coll> others;
  for (int i = 0; i < 5; ++i)
    others.push_back(Named("other" + std::to_string(i), i));
  const std::string other = dir.Write("other.col", colgen::EncodeFile(others));

  ui.newNameResults = {"wall01_copy"};
  Run("Copy1");
  editor.SelectColl(1);
  ui.answers = {Answer::Yes};
  Run("Delete1");
  ui.openResults = {std::filesystem::path(other)};
  ui.selectResults = {std::vector<int>{0, 2, 4}};
  Run("Import1");
  ui.saveResults = {dir.Path() / "export.col"};
  Run("Export1");
  ui.openResults = {std::filesystem::path(other)};
  ui.selectResults = {std::vector<int>{3}};
  Run("Replace1");
  ui.newNameResults = {"replaced"};
  Run("Rename1");
  ui.answers = {Answer::Yes};  // apply before merging
  ui.mergeResults = {MergeChoice{0, 5, "merged01"}};
  Run("Merge1");
  ui.answers = {Answer::Yes};  // the bounds question
  Run("MakeLOD1");
  ui.inputResults = {"roof"};
  Run("Find1");
  Run("Showbriefinfo1");
  // Deleting from the front moves every later record.
  for (int i = 0; i < 3; ++i) {
    ui.answers = {Answer::Yes};
    Run("ToolButton10");
  }
  EXPECT_EQ(editor.CollCount(), 6);
}

TEST_F(OpsConsistencyTest, ARealGameFileSurvivesImportCopyMergeAndDelete) {
  const std::filesystem::path real = testing::RealFile("generic.col");
  if (!std::filesystem::exists(real)) GTEST_SKIP() << "real game file not present: " << real;
  ChangeSettings([](Settings& settings) {
    settings.UnkSurHint = false;
    settings.askRecalc = false;
  });
  OpenColls({Named("start")});
  CollDirectoryEntries source;
  ScanFile(testing::ReadBytes(real), source);
  std::vector<int> all(source.size());
  for (std::size_t i = 0; i < all.size(); ++i)
    all[i] = static_cast<int>(i);
  ui.openResults = {real};
  ui.selectResults = {all};
  Run("Import1");
  ASSERT_EQ(editor.CollCount(), static_cast<int>(source.size()) + 1);

  editor.SelectColl(100);
  ui.newNameResults = {"copy_of_100"};
  Run("Copy1");
  ui.mergeResults = {MergeChoice{50, 150, "merged_real"}};
  Run("Merge1");
  editor.SelectColl(200);
  Run("MakeLOD1");
  editor.SelectColl(120);
  ui.answers = {Answer::Yes};
  Run("Delete1");
  EXPECT_EQ(editor.CollCount(), static_cast<int>(source.size()) + 3);
}

}  // namespace
}  // namespace vantorel
