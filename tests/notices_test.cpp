#include <gtest/gtest.h>

#include <stdexcept>

#include "doc/change_notifier.h"
#include "tests/support/editor_fixture.h"

namespace vantorel {
namespace {

using testing::EditorTest;

constexpr auto kKeep = CameraAfterEdit::Keep;
constexpr auto kReset = CameraAfterEdit::Reset;

TEST(MergeNotice, ABatchSaysEachThingOnceAndTheWidestWins) {
  struct Case {
    const char* what;
    Notices heard;
    Notices batch;
  };
  const Case cases[] = {
      {"a line once, each line",
       {CollLineChanged{1}, CollLineChanged{1}, CollLineChanged{2}},
       {CollLineChanged{1}, CollLineChanged{2}}},
      {"a camera reset wins, wherever it comes",
       {WorkingCopyChanged{kKeep}, WorkingCopyChanged{kReset}, WorkingCopyChanged{kKeep}},
       {WorkingCopyChanged{kReset}}},
      {"the whole list stands for its lines",
       {CollLineChanged{0}, SelectionChanged{}, CollListChanged{}, CollLineChanged{3}},
       {SelectionChanged{}, CollListChanged{}}},
      {"the working copy stands for its marks",
       {ChecksChanged{ListKind::Faces}, WorkingCopyChanged{kKeep}, ChecksChanged{ListKind::Boxes}},
       {WorkingCopyChanged{kKeep}}},
      {"marks of each list once",
       {ChecksChanged{ListKind::Faces}, ChecksChanged{ListKind::Spheres},
        ChecksChanged{ListKind::Faces}},
       {ChecksChanged{ListKind::Faces}, ChecksChanged{ListKind::Spheres}}},
      {"in the order first heard",
       {ViewChanged{}, FileChanged{}, SettingsChanged{}, FileChanged{}, ViewChanged{}},
       {ViewChanged{}, FileChanged{}, SettingsChanged{}}},
  };
  for (const Case& c : cases) {
    Notices batch;
    for (const Notice& notice : c.heard)
      MergeNotice(batch, notice);
    EXPECT_EQ(batch, c.batch) << c.what;
  }
}

TEST_F(EditorTest, ACommandSendsOneMergedBatchOnceItsStepIsRecorded) {
  OpenColls({Named("a", 2), Named("b")});
  bool undoableWhenHeard = false;
  editor.Changes().Subscribe([&](const Notices&) { undoableWhenHeard = editor.CanUndo(); });
  editor.Run("Edit Twice", [&] {
    editor.ChangeWorkingCopy([](Coll& coll, ElementLists&) { coll.Spheres.pop_back(); });
    editor.ChangeWorkingCopy([](Coll& coll, ElementLists&) { coll.Header.BoundingRadius = 9; },
                             kReset);
    editor.SetChecks(ListKind::Spheres, CheckCommand::UncheckAll);
    EXPECT_EQ(batches, 0);  // nothing goes out while the command runs
  });
  EXPECT_EQ(batches, 1);
  EXPECT_EQ(notices, (Notices{WorkingCopyChanged{kReset}, CollLineChanged{0}}));
  // The window refreshes its commands with the undo step already there.
  EXPECT_TRUE(undoableWhenHeard);
}

TEST_F(EditorTest, WhatIsHeldGoesOutBeforeThePersonIsAsked) {
  OpenColls({Named("a"), Named("b")});
  ui.answers = {Answer::Yes};
  editor.Run("Edit Then Ask", [&] {
    editor.ChangeWorkingCopy([](Coll& coll, ElementLists&) { coll.Spheres.clear(); });
    editor.Ui().Ask({"Text?", "Caption"});
    EXPECT_EQ(batches, 1);
    EXPECT_EQ(notices, (Notices{WorkingCopyChanged{kKeep}, CollLineChanged{0}}));
    editor.ChangeFile([](CollFile& file) { file.RemoveRecords(1, 1); });
  });
  EXPECT_EQ(batches, 2);
  EXPECT_EQ(notices.back(), Notice{CollListChanged{}});
}

TEST_F(EditorTest, AFailedCommandSendsOneBatchThatShowsWhatWasPutBack) {
  OpenColls({Named("a"), Named("b")});
  editor.Run("Break", [&] {
    editor.ChangeWorkingCopy([](Coll& coll, ElementLists&) { coll.Spheres.clear(); }, kReset);
    Settings settings = editor.Settings();
    settings.askApply = false;
    editor.ChangeSettings(settings);
    throw std::runtime_error("broken");
  });
  EXPECT_EQ(batches, 1);
  // The settings are not put back, so the window hears of them as well; the camera reset the
  // command asked for is dropped with it: the view stays where it looked.
  EXPECT_EQ(notices, (Notices{SettingsChanged{}, FileChanged{}, CollListChanged{},
                              WorkingCopyChanged{kKeep}, SelectionChanged{}}));
  EXPECT_EQ(editor.WorkingCopy().SphereCount(), 1);
  ASSERT_EQ(ui.log.size(), 1u);
  EXPECT_EQ(ui.log[0].rfind("error ", 0), 0u);
}

}  // namespace
}  // namespace vantorel
