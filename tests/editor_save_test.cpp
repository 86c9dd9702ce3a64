#include <gtest/gtest.h>

#include "tests/support/editor_fixture.h"
#include "tools/colgen/sa_colls.h"

namespace vantorel {
namespace {

using testing::EditorTest;
using testing::ReadBytes;

constexpr const char* kSaveQuestion =
    "ask Save File|Do you want to save changes made to test.col?|Yes";

TEST_F(EditorTest, SaveWritesTheImageAndClearsFileChanged) {
  const std::string path = OpenColls({Named("a"), Named("b")});
  Edit([](Coll& coll) { coll.Spheres.clear(); });
  editor.ApplyChanges();
  EXPECT_TRUE(editor.SaveFile(false));
  EXPECT_FALSE(editor.FileChanged());
  const Bytes saved = ReadBytes(path);
  EXPECT_TRUE(
      std::equal(saved.begin(), saved.end(), editor.FileImage().begin(), editor.FileImage().end()));
  EXPECT_EQ(saved.size(), 92u + 112u);
}

TEST_F(EditorTest, SaveWithNoFileDoesNothing) {
  EXPECT_FALSE(editor.SaveFile(false));
  editor.SaveWithOverwriteQuestion(Answer::No);
  EXPECT_TRUE(ui.log.empty());
}

TEST_F(EditorTest, DuplicateNamesBlockSaving) {
  const std::string path = OpenColls({Named("Wall"), Named("WALL"), Named("x")});
  const Bytes before = ReadBytes(path);
  editor.ApplyChanges();
  EXPECT_FALSE(editor.SaveFile(false));
  EXPECT_EQ(ui.Messages(),
            std::vector<std::string>{"At least 2 colls have the same name:\r\n\"Wall\" (1 and 2)"
                                     "\r\nAll names must be unique!"});
  EXPECT_TRUE(editor.FileChanged());
  EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(EditorTest, OverwriteQuestionChoosesBetweenSaveAndSaveAs) {
  const std::string path = OpenColls({Named("a")});
  editor.ApplyChanges();
  ui.answers = {Answer::Cancel};
  editor.SaveWithOverwriteQuestion(Answer::No);
  EXPECT_EQ(ui.log,
            std::vector<std::string>{"ask Save File|Do you really want to overwrite test.col?|No"});
  EXPECT_TRUE(editor.FileChanged());

  ui.ClearLog();
  ui.answers = {Answer::Yes};
  editor.SaveWithOverwriteQuestion(Answer::Yes);
  EXPECT_EQ(ui.questions[0].Default, Answer::Yes);
  EXPECT_FALSE(editor.FileChanged());

  ui.ClearLog();
  const std::string copy = (dir.Path() / "copy.col").string();
  ui.answers = {Answer::No};
  ui.saveResults.push_back(copy);
  editor.SaveWithOverwriteQuestion(Answer::No);
  ASSERT_EQ(ui.dialogs.size(), 1u);
  EXPECT_EQ(ui.log[1], "save Save Collision File|Collision files|*.col|All files|*.*|*.col");
  EXPECT_TRUE(ui.dialogs[0].AskOverwrite);
  EXPECT_EQ(editor.FileName(), copy);
  EXPECT_EQ(editor.Caption(), "copy.col - Vantorel 1.1 BETA");
  EXPECT_EQ(ReadBytes(copy), ReadBytes(path));
}

TEST_F(EditorTest, SaveAsCancelledChangesNothing) {
  const std::string path = OpenColls({Named("a")});
  editor.ApplyChanges();
  ui.saveResults.push_back(std::nullopt);
  EXPECT_FALSE(editor.SaveFile(true));
  EXPECT_EQ(editor.FileName(), path);
  EXPECT_TRUE(editor.FileChanged());
}

TEST_F(EditorTest, SaveAsksToApplyFirstAndNoKeepsTheEdits) {
  OpenColls({Named("a")});
  EditCurrentColl();
  ui.answers = {Answer::No};
  EXPECT_TRUE(editor.SaveFile(false));
  EXPECT_EQ(ui.log[0], "ask Apply Changes|Do you want to apply changes made to a?|Yes");
  EXPECT_TRUE(editor.CollChanged());

  ui.answers = {Answer::Cancel};
  EXPECT_FALSE(editor.SaveFile(false));
}

TEST_F(EditorTest, FailedSaveReportsTheFileAndKeepsFileChanged) {
  const std::string path = OpenColls({Named("a")});
  editor.ApplyChanges();
  const std::string unwritable = (dir.Path() / "no-such-folder" / "x.col").string();
  ui.saveResults.push_back(unwritable);
  EXPECT_FALSE(editor.SaveFile(true));
  ASSERT_EQ(ui.log.size(), 2u);
  EXPECT_EQ(ui.log[1], "error Cannot save file \"" + unwritable + "\". No such file or directory.");
  EXPECT_TRUE(editor.FileChanged());
  EXPECT_EQ(editor.FileName(), path);  // still pointing at the file that holds the data
  EXPECT_EQ(editor.Caption(), "test.col - Vantorel 1.1 BETA");
}

TEST_F(EditorTest, CloseAsksApplyThenSave) {
  const std::string path = OpenColls({Named("a")});
  EditCurrentColl();
  ui.answers = {Answer::Yes, Answer::Yes};
  EXPECT_TRUE(editor.QueryClose());
  EXPECT_EQ(ui.log,
            (std::vector<std::string>{
                "ask Apply Changes|Do you want to apply changes made to a?|Yes", kSaveQuestion}));
  EXPECT_FALSE(editor.FileChanged());
  EXPECT_EQ(ReadBytes(path).size(), 112u);
}

TEST_F(EditorTest, CloseCancelledStaysOpen) {
  OpenColls({Named("a")});
  editor.ApplyChanges();
  ui.answers = {Answer::Cancel};
  EXPECT_FALSE(editor.QueryClose());
  ui.answers = {Answer::No};
  EXPECT_TRUE(editor.QueryClose());
  EXPECT_TRUE(editor.FileChanged());
}

TEST_F(EditorTest, CloseStaysOpenWhenTheSaveIsRefusedOrFails) {
  const std::string path = OpenColls({Named("same"), Named("SAME")});
  editor.ApplyChanges();
  ui.answers = {Answer::Yes};
  EXPECT_FALSE(editor.QueryClose());  // duplicate names: nothing saved, so nothing may close
  EXPECT_EQ(ui.Messages().size(), 1u);

  ui.ClearLog();
  editor.ClickCollLine(1);
  Edit([](Coll& coll) { SetHeaderName(coll.Header, "other"); });
  editor.ApplyChanges();
  std::filesystem::remove(path);
  std::filesystem::create_directory(path);
  ui.answers = {Answer::Yes};
  EXPECT_FALSE(editor.QueryClose());
  EXPECT_EQ(ui.log[1].rfind("error Cannot save file", 0), 0u);
  EXPECT_TRUE(editor.FileChanged());
}

TEST_F(EditorTest, CloseWithNothingChangedAsksNothing) {
  OpenColls({Named("a")});
  EXPECT_TRUE(editor.QueryClose());
  EXPECT_TRUE(ui.log.empty());
}

TEST_F(EditorTest, SaveAfterAFailedOpenWritesNothing) {
  // A file the editor could not read: saving must not replace it with the empty image.
  const std::string path = dir.Write("unreadable.col", colgen::EncodeFile({Named("a")}));
  const Bytes onDisk = ReadBytes(path);
  std::filesystem::permissions(path, std::filesystem::perms::none);
  std::filesystem::path target = path;
  if (std::FILE* probe = std::fopen(path.c_str(), "rb")) {
    // Running as root reads anything; a folder in the file's place cannot be read either.
    std::fclose(probe);
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    target = dir.Path() / "folder.col";
    std::filesystem::create_directory(target);
  }
  editor.OpenFile(target);
  ASSERT_FALSE(editor.FileRead());
  EXPECT_EQ(editor.Caption(), target.filename().string() + " - Vantorel 1.1 BETA");
  ui.ClearLog();

  ui.answers = {Answer::Yes};
  editor.SaveWithOverwriteQuestion(Answer::No);
  ASSERT_EQ(ui.log.size(), 2u);
  EXPECT_EQ(ui.log[1].rfind("error Cannot save file \"" + target.string() + "\".", 0), 0u);
  EXPECT_FALSE(editor.SaveFile(true));  // Save As has nothing to write either
  std::filesystem::permissions(path, std::filesystem::perms::owner_all);
  EXPECT_EQ(ReadBytes(path), onDisk);
  EXPECT_TRUE(std::filesystem::is_directory(target) || ReadBytes(target) == onDisk);
}

// A file changed on disk since it was opened (here: another program appended to it) is
// overwritten only after a question whose default, and Escape, keep it.
TEST_F(EditorTest, ASaveOverAFileChangedOnDiskAsksFirst) {
  const std::string path = OpenColls({Named("a"), Named("b")});
  Edit([](Coll& coll) { coll.Spheres.clear(); });
  editor.ApplyChanges();
  Bytes outside = ReadBytes(path);
  outside.insert(outside.end(), 16, 0);
  dir.Write("test.col", outside);

  ui.answers = {Answer::No};
  EXPECT_FALSE(editor.SaveFile(false));
  EXPECT_EQ(ui.log, std::vector<std::string>{"ask Save File|The file " + path +
                                             " was changed on disk since it was opened. Do "
                                             "you want to overwrite it?|No"});
  EXPECT_EQ(ui.questions.back().Choices, Buttons::YesNo);
  EXPECT_EQ(ReadBytes(path), outside);
  EXPECT_TRUE(editor.FileChanged());

  ui.answers = {Answer::Yes};
  EXPECT_TRUE(editor.SaveFile(false));
  EXPECT_EQ(ReadBytes(path).size(), editor.FileImage().size());
  // What was saved is what is on disk now: the next save asks nothing.
  ui.ClearLog();
  Edit([](Coll& coll) { coll.Spheres.clear(); });
  editor.ApplyChanges();
  EXPECT_TRUE(editor.SaveFile(false));
  EXPECT_TRUE(ui.log.empty());
}

TEST_F(EditorTest, ApplyOfACollItsKindCannotHoldSaysWhyAndChangesNothing) {
  const std::string path = OpenColls({Named("a"), colgen::SaColl("sa", 3), Named("c")});
  const Bytes onDisk = ReadBytes(path);
  editor.SelectColl(1);
  Edit([](Coll& coll) { coll.Vertices[0].X = 300; });
  const Bytes image = editor.FileImage();

  editor.ApplyChanges();
  const std::string expected = "coll \"sa\": vertex 0 has the coordinate 300.0, outside the range";
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0].substr(0, expected.size()), expected);
  EXPECT_EQ(editor.FileImage(), image);
  EXPECT_FALSE(editor.FileChanged());
  EXPECT_TRUE(editor.CollChanged());
  EXPECT_EQ(editor.WorkingCopy().Vertices[0].X, 300);
  EXPECT_EQ(ReadBytes(path), onDisk);
}

}  // namespace
}  // namespace vantorel
