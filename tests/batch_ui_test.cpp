#include "cli/batch_ui.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/command_table.h"
#include "doc/editor.h"
#include "doc/null_scene_view.h"
#include "tests/support/test_files.h"
#include "tools/colgen/coll_builder.h"

namespace vantorel {
namespace {

using cli::BatchRefusal;
using cli::BatchUi;
using cli::NameRefusal;

std::string Refusal(const std::function<void()>& call) {
  try {
    call();
  } catch (const BatchRefusal& refusal) {
    return refusal.what();
  }
  ADD_FAILURE() << "not refused";
  return {};
}

TEST(NameRefusal, SaysWhichRuleANameBreaks) {
  const std::string old = "barrel";
  EXPECT_EQ(NameRefusal("barrel_2", &old), "");
  EXPECT_EQ(NameRefusal("  barrel_2 ", &old), "");  // trimmed, as the dialog trims it
  EXPECT_EQ(NameRefusal("bar rel", &old),
            "the name \"bar rel\" has a character other than a-z, A-Z, 0-9 and _");
  EXPECT_EQ(NameRefusal("caf\xC3\xA9", &old),
            "the name \"caf\xC3\xA9\" has a character other than a-z, A-Z, 0-9 and _");
  EXPECT_EQ(NameRefusal("BARREL", &old),
            "the new name \"BARREL\" is the old name \"barrel\" (letter case alone makes no new "
            "name)");
  EXPECT_EQ(NameRefusal("abc", &old), "the name \"abc\" is shorter than 4 characters");
  EXPECT_EQ(NameRefusal("a234567890123456789012", &old),
            "the name \"a234567890123456789012\" is longer than 20 characters");
  EXPECT_EQ(NameRefusal("a2345678901234567890", &old), "");
  // Without an old name (merge, script import) only characters and length count.
  EXPECT_EQ(NameRefusal("barrel", nullptr), "");
  EXPECT_EQ(NameRefusal("ab", nullptr), "the name \"ab\" is shorter than 4 characters");
}

FileDialogRequest Dialog(const std::string& title) {
  FileDialogRequest request;
  request.Title = title;
  return request;
}

SelectCollsRequest Selection(const std::vector<std::string>& lines) {
  SelectCollsRequest request;
  request.Caption = "Import Collision Object(s)";
  request.Lines = lines;
  return request;
}

class BatchUiTest : public ::testing::Test {
 protected:
  std::ostringstream err;
  BatchUi ui{err, "08.12.2026 10:00:00"};
};

TEST_F(BatchUiTest, QuestionsAreAnsweredByCaptionOrRefused) {
  ui.AnswerQuestion("Delete Collision Object", Answer::Yes);
  EXPECT_EQ(ui.Ask({"Do you really want to delete a?", "Delete Collision Object"}), Answer::Yes);
  EXPECT_EQ(ui.Ask({"Do you really want to delete b?", "Delete Collision Object"}), Answer::Yes);
  EXPECT_EQ(Refusal([&] {
              ui.Ask({"The file already exists.\r\nAppend?\r\n\r\n(No!)", "Append Coll"});
            }),
            "the question \"Append Coll\" has no answer on the command line: The file already "
            "exists. Append? (No!)");
  ui.RefuseQuestion("Append Coll", "t.col exists: say what to do");
  EXPECT_EQ(Refusal([&] {
              ui.Ask({"The file already exists.", "Append Coll"});
            }),
            "t.col exists: say what to do");
  EXPECT_EQ(err.str(), "");
}

TEST_F(BatchUiTest, DialogsWithoutAnAnswerAreRefused) {
  EXPECT_EQ(Refusal([&] { ui.OpenFileDialog(Dialog("Open Collision File")); }),
            "no file given for the dialog \"Open Collision File\"");
  ui.AnswerSaveDialog("Export Collision File", "out.col");
  EXPECT_EQ(ui.SaveFileDialog(Dialog("Export Collision File")), std::filesystem::path("out.col"));
  EXPECT_EQ(Refusal([&] { ui.SaveFileDialog(Dialog("Save Collision File")); }),
            "no file given for the dialog \"Save Collision File\"");
  EXPECT_EQ(Refusal([&] { ui.AskNewName("Copy Collision Object", "lamp"); }),
            "no new name given for \"Copy Collision Object\"");
  EXPECT_EQ(Refusal([&] { ui.SelectColls(Selection({})); }),
            "no coll chosen for \"Import Collision Object(s)\"");
  EXPECT_EQ(Refusal([&] { ui.ChooseMerge({"a", "b"}, 0); }), "no colls chosen for the merge");
  EXPECT_EQ(Refusal([&] { ui.ChangeSurfaceDialog({}); }),
            "no surface chosen for the dialog \"Change Surface\"");
  EXPECT_EQ(Refusal([&] { ui.MainSettingsDialog(Settings(), {}); }),
            "the batch tool has no settings dialog");
  EXPECT_EQ(Refusal([&] { ui.EditElementValues("Edit Sphere", {}, SurfaceTypeTable(), '.'); }),
            "the batch tool gives no values for \"Edit Sphere\"");
  EXPECT_EQ(Refusal([&] { ui.InputBox("Search Coll", "Enter", ""); }),
            "no answer given for the input box \"Search Coll\"");
}

TEST_F(BatchUiTest, AnInputBoxTakesItsAnswerOnceAndRefusesToOpenAgain) {
  ui.AnswerInputBox("Import Collision Script", "ab", "the name \"ab\" is too short");
  EXPECT_EQ(ui.InputBox("Import Collision Script", "Name:", "proposal"), "ab");
  EXPECT_EQ(Refusal([&] { ui.InputBox("Import Collision Script", "Name:", "ab"); }),
            "the name \"ab\" is too short");
}

TEST_F(BatchUiTest, TheNameDialogsCheckTheirNamesAndReturnThemTrimmed) {
  ui.AnswerNewName(" lamp_2 ");
  EXPECT_EQ(ui.AskNewName("Rename Collision Object", "lamp"), "lamp_2");
  ui.AnswerNewName("LAMP");
  EXPECT_EQ(Refusal([&] { ui.AskNewName("Rename Collision Object", "lamp"); }),
            "the new name \"LAMP\" is the old name \"lamp\" (letter case alone makes no new "
            "name)");

  ui.AnswerMerge({0, 1, "  both "});
  const auto merge = ui.ChooseMerge({"a", "b"}, 0);
  ASSERT_TRUE(merge);
  EXPECT_EQ(merge->First, 0);
  EXPECT_EQ(merge->Second, 1);
  EXPECT_EQ(merge->Name, "both");
  ui.AnswerMerge({0, 2, "both"});
  EXPECT_EQ(Refusal([&] {
              ui.ChooseMerge({"a", "b"}, 0);
            }),
            "a coll chosen for the merge is not in the file");
  ui.AnswerMerge({1, 1, "b-c"});
  EXPECT_EQ(Refusal([&] {
              ui.ChooseMerge({"a", "b"}, 0);
            }),
            "the name \"b-c\" has a character other than a-z, A-Z, 0-9 and _");
}

TEST_F(BatchUiTest, TheSelectionDialogPicksOneLineOfItsList) {
  const SelectCollsRequest request = Selection({"a", "b [-]"});
  ui.AnswerSelection(1);
  EXPECT_EQ(ui.SelectColls(request), (std::vector<int>{1}));
  ui.AnswerSelection(2);
  EXPECT_EQ(Refusal([&] { ui.SelectColls(request); }),
            "the chosen coll #3 is not in the list of 2");
}

TEST_F(BatchUiTest, MessagesGoOutWithUnixLineEndsAndErrorsAreCounted) {
  ui.Message(
      "At least 2 colls have the same name:\r\n\"a\" (1 and 2)\r\nAll names must be unique!");
  ui.SetMessagePrefix("#2 b: ");
  ui.Message("0 vertices deleted.");
  ui.SetMessagePrefix({});
  ui.SilenceMessages(true);
  ui.Message("HINT: \"a\" includes unknown surface types!");
  ui.Error("Cannot open file \"x\". No such file or directory.");
  ui.SilenceMessages(false);
  EXPECT_EQ(err.str(),
            "At least 2 colls have the same name:\n\"a\" (1 and 2)\nAll names must be unique!\n"
            "#2 b: 0 vertices deleted.\n"
            "Cannot open file \"x\". No such file or directory.\n");
  EXPECT_EQ(ui.Messages(), 3);
  EXPECT_EQ(ui.Errors(), 1);
  EXPECT_EQ(ui.LocalDateTimeText(), "08.12.2026 10:00:00");
}

// The refusal travels through the editor's command boundary: the command is undone and the
// reason reported as the command's failure.
TEST_F(BatchUiTest, ARefusedQuestionPutsTheDocumentBackAndIsReported) {
  testing::TempDir dir;
  colgen::CollBuilder barrel("barrel");
  barrel.Sphere({0, 0, 0}, 1, colgen::MakeSurface(1));
  const std::string path = dir.Write(
      "two.col", colgen::EncodeFile({colgen::CollBuilder("lamp").Build(), barrel.Build()}));
  NullSceneView view;
  Editor editor(ui, view);
  editor.OpenFile(std::filesystem::path(path));
  editor.SelectColl(1);
  const Bytes image = editor.FileImage();
  err.str({});

  RunCommand(editor, *FindCommand("Delete1"));
  EXPECT_EQ(editor.FileImage(), image);
  EXPECT_EQ(editor.CollCount(), 2);
  EXPECT_EQ(editor.CurrentColl(), 1);
  EXPECT_FALSE(editor.FileChanged());
  EXPECT_EQ(ui.Errors(), 1);
  EXPECT_EQ(err.str(),
            "ERROR! \"Delete\" could not be completed (the question \"Delete Collision Object\" "
            "has no answer on the command line: Do you really want to delete barrel?). The file "
            "and the coll are as they were before it.\n");

  ui.AnswerQuestion("Delete Collision Object", Answer::Yes);
  RunCommand(editor, *FindCommand("Delete1"));
  EXPECT_EQ(editor.CollCount(), 1);
  EXPECT_EQ(ui.Errors(), 1);
}

}  // namespace
}  // namespace vantorel
