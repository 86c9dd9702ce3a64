#include <gtest/gtest.h>

#include "app/command_table.h"
#include "tests/support/editor_fixture.h"

namespace vantorel {
namespace {

using testing::EditorTest;

class UndoTest : public EditorTest {
 protected:
  // An edit as a command of the window makes it: inside the editor's boundary.
  void Command(const std::string& name, const std::function<void(Coll&)>& edit) {
    editor.Run(name,
               [&] { editor.ChangeWorkingCopy([&](Coll& coll, ElementLists&) { edit(coll); }); });
  }
  void Click(int line) {
    editor.Run({}, [&] { editor.ClickCollLine(line); });
  }
  void Apply() {
    editor.Run("Apply Changes", [&] { editor.ApplyCommand(); });
  }
  std::string Caption(const char* row) const { return FindCommand(row)->CaptionNow(editor); }
};

TEST_F(UndoTest, EditsOfTheWorkingCopyGoBackAndComeAgain) {
  OpenColls({Named("a", 3), Named("b")});
  EXPECT_FALSE(editor.CanUndo());
  EXPECT_EQ(Caption("Undo1"), "&Undo");
  Command("Delete Sphere", [](Coll& coll) { coll.Spheres.erase(coll.Spheres.begin() + 1); });
  Command("Edit Sphere", [](Coll& coll) { coll.Spheres[0].Radius = 9; });
  EXPECT_EQ(Caption("Undo1"), "&Undo Edit Sphere");

  editor.Undo();
  EXPECT_EQ(editor.WorkingCopy().Spheres[0].Radius, 1);
  EXPECT_EQ(editor.WorkingCopy().SphereCount(), 2);
  EXPECT_TRUE(editor.CollChanged());
  EXPECT_EQ(Caption("Redo1"), "&Redo Edit Sphere");
  editor.Undo();
  EXPECT_EQ(editor.WorkingCopy().SphereCount(), 3);
  EXPECT_FALSE(editor.CollChanged());
  EXPECT_FALSE(editor.CanUndo());
  EXPECT_EQ(ViewRebuild(), CameraAfterEdit::Keep);

  editor.Redo();
  editor.Redo();
  EXPECT_EQ(editor.WorkingCopy().SphereCount(), 2);
  EXPECT_EQ(editor.WorkingCopy().Spheres[0].Radius, 9);
  EXPECT_TRUE(editor.CollChanged());
  EXPECT_FALSE(editor.CanRedo());
}

TEST_F(UndoTest, ApplyThenUndoGivesBackTheBytesAndTheEdits) {
  OpenColls({Named("a", 2), Named("b")});
  const Bytes opened = editor.FileImage();
  Command("Delete Sphere", [](Coll& coll) { coll.Spheres.pop_back(); });
  Apply();
  EXPECT_TRUE(editor.FileChanged());
  EXPECT_EQ(Caption("Undo1"), "&Undo Apply Changes");

  editor.Undo();
  EXPECT_TRUE(editor.FileImage() == opened);
  EXPECT_EQ(editor.CollDirectory()[1].Offset, 132);
  EXPECT_FALSE(editor.FileChanged());  // back at the bytes that were opened
  EXPECT_TRUE(editor.CollChanged());   // and the edit waits to be applied again
  EXPECT_EQ(editor.WorkingCopy().SphereCount(), 1);

  editor.Redo();
  EXPECT_TRUE(editor.FileChanged());
  EXPECT_FALSE(editor.CollChanged());
  EXPECT_EQ(editor.CollDirectory()[1].Offset, 112);
}

TEST_F(UndoTest, NoOnTheApplyQuestionIsAStepThatBringsTheEditsBack) {
  OpenColls({Named("a", 2), Named("b")});
  Command("Edit Sphere", [](Coll& coll) { coll.Spheres[1].Radius = 5; });
  ui.answers = {Answer::No};
  Click(1);
  EXPECT_EQ(editor.CurrentColl(), 1);
  EXPECT_EQ(Caption("Undo1"), "&Undo Discard Changes");

  Forget();
  editor.Undo();
  EXPECT_EQ(editor.CurrentColl(), 0);
  EXPECT_EQ(editor.SelectedCollLine(), 0);
  EXPECT_TRUE(editor.CollChanged());
  EXPECT_EQ(editor.WorkingCopy().Spheres[1].Radius, 5);
  EXPECT_EQ(ViewRebuild(), CameraAfterEdit::Reset);  // another coll: the camera is reset

  // Restore answered No throws the edits away the same way.
  ui.answers = {Answer::No};
  RunCommand(editor, *FindCommand("Restore1"));
  EXPECT_EQ(editor.WorkingCopy().Spheres[1].Radius, 1);
  EXPECT_EQ(editor.UndoName(), "Discard Changes");
  editor.Undo();
  EXPECT_EQ(editor.WorkingCopy().Spheres[1].Radius, 5);
}

TEST_F(UndoTest, SelectingAnotherCleanCollIsNoStepAndUndoSelectsTheStepsColl) {
  OpenColls({Named("a", 2), Named("b"), Named("c")});
  Command("Edit Sphere", [](Coll& coll) { coll.Spheres[0].Radius = 4; });
  Apply();
  Click(2);  // nothing to apply: no step
  EXPECT_EQ(editor.UndoName(), "Apply Changes");
  editor.Undo();
  EXPECT_EQ(editor.CurrentColl(), 0);
  EXPECT_TRUE(editor.CollChanged());
  EXPECT_EQ(editor.WorkingCopy().Spheres[0].Radius, 4);
  editor.Undo();
  EXPECT_EQ(editor.WorkingCopy().Spheres[0].Radius, 1);
  EXPECT_FALSE(editor.CollChanged());
}

TEST_F(UndoTest, FileChangedTellsWhetherTheBytesAreThoseOnDisk) {
  const std::string path = OpenColls({Named("a", 3)});
  Command("Delete Sphere", [](Coll& coll) { coll.Spheres.pop_back(); });
  Apply();
  ASSERT_TRUE(editor.SaveFile(false));
  Command("Delete Sphere", [](Coll& coll) { coll.Spheres.pop_back(); });
  Apply();
  EXPECT_TRUE(editor.FileChanged());

  editor.Undo();  // the second apply
  EXPECT_FALSE(editor.FileChanged());
  editor.Undo();  // the second edit: the file stays as saved
  EXPECT_FALSE(editor.FileChanged());
  editor.Undo();  // past the save: the bytes differ from those on disk
  EXPECT_TRUE(editor.FileChanged());
  editor.Redo();
  EXPECT_FALSE(editor.FileChanged());
  // Saving keeps the history.
  EXPECT_TRUE(editor.CanUndo());
  EXPECT_TRUE(editor.CanRedo());

  // A new step after undoing past the save point can never reach it again.
  editor.Undo();
  Command("Edit Sphere", [](Coll& coll) { coll.Spheres[0].Radius = 2; });
  Apply();
  editor.Undo();
  EXPECT_TRUE(editor.FileChanged());
}

TEST_F(UndoTest, FileStepsGoBackToTheSameBytesAndDirectory) {
  OpenColls({Named("a"), Named("b"), Named("c")});
  const Bytes opened = editor.FileImage();
  const CollDirectoryEntries directory = editor.CollDirectory();
  editor.Run("Delete", [&] {
    editor.ChangeFile([](CollFile& file) { file.RemoveRecords(1, 1); });
    editor.DropWorkingCopy();
    editor.SelectFirstColl();
  });
  ASSERT_EQ(editor.CollCount(), 2);
  EXPECT_EQ(editor.UndoName(), "Delete");
  // The step holds the removed record, not the file.
  EXPECT_LT(editor.History().HeldBytes(), 2000u);

  editor.Undo();
  EXPECT_TRUE(editor.FileImage() == opened);
  ASSERT_EQ(editor.CollCount(), 3);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(editor.CollDirectory()[i].Offset, directory[i].Offset);
    EXPECT_EQ(editor.CollDirectory()[i].Name, directory[i].Name);
  }
  EXPECT_FALSE(editor.FileChanged());
  EXPECT_TRUE(Notified<CollListChanged>());
}

TEST_F(UndoTest, MarksStayWhereTheirElementStays) {
  colgen::CollBuilder b("a");
  for (int i = 1; i <= 4; ++i)
    b.Sphere({0, 0, 0}, static_cast<float>(i), colgen::MakeSurface(1));
  OpenColls({b.Build()});
  editor.SetChecks(ListKind::Spheres, CheckCommand::UncheckAll);
  editor.ToggleCheck(ListKind::Spheres, 3);
  editor.Run("Delete Sphere", [&] {
    editor.ChangeWorkingCopy([](Coll& coll, ElementLists& lists) {
      coll.Spheres.erase(coll.Spheres.begin() + 1);
      lists.Spheres.checked.erase(lists.Spheres.checked.begin() + 1);
    });
  });
  EXPECT_EQ(editor.Lists().Spheres.checked, (std::vector<bool>{false, false, true}));
  editor.ToggleCheck(ListKind::Spheres, 0);  // checking is no step
  EXPECT_EQ(editor.UndoName(), "Delete Sphere");
  editor.Undo();
  // The sphere that comes back gets the list's default mark; the others keep theirs.
  EXPECT_EQ(editor.Lists().Spheres.checked, (std::vector<bool>{true, true, false, true}));
}

TEST_F(UndoTest, NothingIsRecordedForACommandThatChangedNothingOrFailed) {
  OpenColls({Named("a")});
  editor.Run("Nothing", [] {});
  ui.answers = {Answer::Cancel};
  editor.Run("Save", [&] { editor.SaveWithOverwriteQuestion(Answer::No); });
  editor.Run("Fails", [&] {
    editor.ChangeWorkingCopy([](Coll& coll, ElementLists&) { coll.Spheres.clear(); });
    throw std::runtime_error("no");
  });
  EXPECT_FALSE(editor.CanUndo());
}

TEST_F(UndoTest, OpeningAFileStartsANewHistory) {
  const std::string path = OpenColls({Named("a", 2)});
  Command("Edit Sphere", [](Coll& coll) { coll.Spheres[0].Radius = 3; });
  ui.answers = {Answer::Yes, Answer::No};  // apply, then do not save
  editor.Run("Reload", [&] { editor.OpenFile(false); });
  EXPECT_FALSE(editor.CanUndo());
  EXPECT_FALSE(editor.CanRedo());
  EXPECT_EQ(editor.WorkingCopy().Spheres[0].Radius, 1);
}

TEST_F(UndoTest, TheOldestStepsGoWhenTheHistoryIsFullAndNoneAreKeptWhenItIsOff) {
  OpenColls({Named("a", 1)});
  ChangeSettings([](Settings& settings) { settings.UndoMemoryMB = 1; });
  // Each step adds and later removes about 100,000 vertices (1.2 MB each way): one step fits.
  for (int i = 0; i < 3; ++i) {
    Command("Add", [](Coll& coll) { coll.Vertices.resize(100'000, {1, 2, 3}); });
    Command("Remove", [](Coll& coll) { coll.Vertices.clear(); });
  }
  EXPECT_LE(editor.History().HeldBytes(), std::size_t{1} << 20);
  EXPECT_LT(editor.History().Count(), 6u);

  ChangeSettings([](Settings& settings) { settings.UndoMemoryMB = 0; });
  EXPECT_FALSE(editor.CanUndo());
  Command("Edit Sphere", [](Coll& coll) { coll.Spheres[0].Radius = 3; });
  EXPECT_FALSE(editor.CanUndo());
}

}  // namespace
}  // namespace vantorel
