#include <gtest/gtest.h>

#include <cstring>

#include "core/little_endian.h"
#include "tests/support/editor_fixture.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;
using testing::EditorTest;

TEST_F(EditorTest, CancelOnTheApplyQuestionKeepsTheCurrentCollSelectedAndEdited) {
  OpenColls({Named("a"), Named("b")});
  EditCurrentColl();
  const float edited = editor.WorkingCopy().Header.BoundingRadius;
  ui.answers = {Answer::Cancel};
  editor.ClickCollLine(1);
  EXPECT_EQ(ui.log, std::vector<std::string>{
                        "ask Apply Changes|Do you want to apply changes made to a?|Yes"});
  EXPECT_EQ(editor.CurrentColl(), 0);
  EXPECT_EQ(editor.SelectedCollLine(), 0);
  EXPECT_TRUE(editor.CollChanged());
  EXPECT_EQ(editor.WorkingCopy().Header.BoundingRadius, edited);
  EXPECT_EQ(ViewRebuild(), std::nullopt);
}

TEST_F(EditorTest, NoDiscardsEditsAndRestoresTheDirectoryName) {
  OpenColls({Named("a"), Named("b")});
  Edit([](Coll& coll) { SetHeaderName(coll.Header, "renamed"); });
  EXPECT_EQ(Lines()[0], "renamed");  // an unapplied name shows at once
  ui.answers = {Answer::No};
  editor.ClickCollLine(1);
  EXPECT_EQ(Lines()[0], "a");
  EXPECT_EQ(editor.CurrentColl(), 1);
  EXPECT_FALSE(editor.CollChanged());
  EXPECT_FALSE(editor.FileChanged());
}

TEST_F(EditorTest, YesAppliesBeforeMovingOn) {
  OpenColls({Named("a"), Named("b")});
  Edit([](Coll& coll) { coll.Spheres.clear(); });
  ui.answers = {Answer::Yes};
  editor.ClickCollLine(1);
  EXPECT_TRUE(editor.FileChanged());
  EXPECT_EQ(Lines()[0], "a [-]");
  EXPECT_EQ(editor.CollDirectory()[1].Offset, 92);
}

TEST_F(EditorTest, WithAskApplyOffEditsAreAppliedSilently) {
  OpenColls({Named("a"), Named("b")});
  ChangeSettings([](Settings& settings) { settings.askApply = false; });
  Edit([](Coll& coll) { coll.Spheres.clear(); });
  editor.ClickCollLine(1);
  EXPECT_TRUE(ui.log.empty());
  EXPECT_TRUE(editor.FileChanged());
  EXPECT_EQ(editor.CollDirectory()[0].Size, 92);
}

TEST_F(EditorTest, RestoreRereadsTheCollAsLastApplied) {
  OpenColls({Named("a", 2)});
  Edit([](Coll& coll) { coll.Spheres.pop_back(); });
  ui.answers = {Answer::No};
  editor.RestoreCommand();
  EXPECT_EQ(editor.WorkingCopy().SphereCount(), 2);
  EXPECT_FALSE(editor.CollChanged());
}

TEST_F(EditorTest, SelectIgnoresIndexesOutsideTheList) {
  OpenColls({Named("a")});
  editor.SelectColl(-1);
  editor.SelectColl(1);
  EXPECT_TRUE(notices.empty());
  EXPECT_EQ(editor.CurrentColl(), 0);
}

TEST_F(EditorTest, UnknownSurfaceHintShowsOncePerColl) {
  CollBuilder b("odd");
  b.MeshBox({}, {1, 1, 1}, MakeSurface(31));
  OpenColls({Named("a"), b.Build()});
  editor.ClickCollLine(1);
  EXPECT_EQ(ui.Messages(),
            std::vector<std::string>{"HINT: \"odd\" includes unknown surface types!"});

  ui.ClearLog();
  ChangeSettings([](Settings& settings) { settings.UnkSurHint = false; });
  editor.ClickCollLine(1);
  EXPECT_TRUE(ui.log.empty());
}

TEST_F(EditorTest, HintFollowsTheLiveSurfaceTable) {
  CollBuilder b("seventeen");
  b.Sphere({}, 1, MakeSurface(17));
  OpenColls({Named("a"), b.Build()});
  ChangeSurfaceType(17, 0xFF000000, "Known");
  editor.ClickCollLine(1);
  EXPECT_TRUE(ui.log.empty());
  ChangeSurfaceType(1, kUnknownSurfaceColor, "Street");
  editor.ClickCollLine(0);
  EXPECT_EQ(ui.Messages().size(), 1u);
}

TEST_F(EditorTest, CollCutShortLeavesAnEmptyWorkingCopyAndNothingToApply) {
  Bytes bytes = colgen::EncodeFile({Named("a"), Named("b")});
  bytes.resize(bytes.size() - 10);
  OpenPath(dir.Write("cut.col", bytes));
  editor.ClickCollLine(1);
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"ERROR while reading collision data!"});
  EXPECT_FALSE(editor.WorkingCopy().IsLoaded());
  EXPECT_EQ(editor.ElementCount(ListKind::Spheres), 0);
  EXPECT_EQ(editor.StatusTexts()[1], "");  // no panel goes on naming the coll left behind
  EXPECT_EQ(ViewRebuild(), CameraAfterEdit::Reset);
  // Nothing to apply: the damaged record must not be overwritten with a zeroed one.
  const Bytes image = editor.FileImage();
  editor.ApplyChanges();
  EXPECT_EQ(editor.FileImage(), image);
  EXPECT_FALSE(editor.FileChanged());
}

TEST_F(EditorTest, CollWithImpossibleCountsIsRefusedWithOneMessage) {
  Bytes bytes = colgen::EncodeFile({Named("a"), Named("b")});
  le::StoreI32(bytes.data() + 92 + 20 + 72, 1000000);  // b's sphere count
  OpenPath(dir.Write("counts.col", bytes));
  editor.ClickCollLine(1);
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"ERROR while reading collision data!"});
  EXPECT_FALSE(editor.WorkingCopy().IsLoaded());
  EXPECT_EQ(Lines()[1], "b");
}

TEST_F(EditorTest, ApplyOnAnUneditedCollStampsTheMarker) {
  OpenColls({Named("a"), Named("b")});
  editor.ApplyCommand();
  EXPECT_TRUE(editor.FileChanged());
  EXPECT_EQ(std::memcmp(editor.FileImage().data() + 28, "QKZV", 4), 0);
  EXPECT_EQ(std::memcmp(editor.FileImage().data() + 112 + 28, "GEN", 3), 0);
}

TEST_F(EditorTest, EditingRecomputesTheSizeForPanelAndLine) {
  OpenColls({Named("a", 0)});
  EXPECT_EQ(Lines()[0], "a [-]");
  editor.ChangeWorkingCopy([](Coll& coll, ElementLists&) {
    coll.Spheres.push_back({1, {}, MakeSurface(0)});
  });
  EXPECT_EQ(editor.StatusTexts()[4], "Size: 112 Byte");
  EXPECT_EQ(Lines()[0], "a");
  EXPECT_TRUE(editor.CollChanged());
  EXPECT_EQ(notices, (Notices{WorkingCopyChanged{CameraAfterEdit::Keep}, CollLineChanged{0}}));
}

TEST_F(EditorTest, FaceCheckChangesRebuildTheHighlight) {
  CollBuilder b("mesh");
  b.Vertex({});
  b.Vertex({1, 0, 0});
  b.Vertex({0, 1, 0});
  for (int i = 0; i < 3; ++i)
    b.Face(0, 1, 2, MakeSurface(0));
  OpenColls({b.Build()});
  editor.ToggleCheck(ListKind::Faces, 0);
  editor.SetChecks(ListKind::Faces, CheckCommand::Invert);
  EXPECT_EQ(editor.Lists().Faces.checked, (std::vector<bool>{false, true, true}));
  EXPECT_EQ(notices, (Notices{ChecksChanged{ListKind::Faces}, ChecksChanged{ListKind::Faces}}));
  editor.SetChecks(ListKind::Spheres, CheckCommand::UncheckAll);
  EXPECT_EQ(notices.back(), Notice{ChecksChanged{ListKind::Spheres}});
}

TEST_F(EditorTest, NewlySelectedCollStartsWithDefaultMarks) {
  OpenColls({Named("a", 2), Named("b", 2)});
  editor.SetChecks(ListKind::Spheres, CheckCommand::UncheckAll);
  editor.ClickCollLine(1);
  EXPECT_EQ(editor.Lists().Spheres.checked, (std::vector<bool>{true, true}));
}

}  // namespace
}  // namespace vantorel
