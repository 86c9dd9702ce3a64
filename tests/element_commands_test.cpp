#include "edit/element_commands.h"

#include <gtest/gtest.h>

#include "core/bounds.h"
#include "edit/element_values.h"
#include "tests/support/document_state.h"
#include "tests/support/editor_fixture.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;
using testing::CaptureDocument;
using testing::DocumentState;
using testing::EditorTest;
using testing::ExpectUndoAndRedo;

// Three spheres and two boxes with surface bytes beyond the material, and stored bounding values
// that a recalculation replaces.
Coll Shapes() {
  CollBuilder b("shapes");
  b.Sphere({0, 0, 0}, 1, MakeSurface(1, 2, 3, 4));
  b.Sphere({5, 0, 0}, 1, MakeSurface(40, 5));
  b.Sphere({0, 5, 0}, 1, MakeSurface(3));
  b.Box({-1, -1, -1}, {1, 1, 1}, MakeSurface(6, 7, 8, 9));
  b.Box({2, 2, 2}, {3, 3, 3}, MakeSurface(10));
  Coll coll = b.Build();
  coll.Header.BoundingRadius = 99;
  return coll;
}

ElementValues Sphere(Vector3 center, float radius, std::uint8_t material) {
  ElementValues v;
  v.Kind = ElementKind::Sphere;
  v.First = center;
  v.Radius = radius;
  v.Material = material;
  return v;
}

ElementValues Box(Vector3 min, Vector3 max, std::uint8_t material) {
  ElementValues v;
  v.Kind = ElementKind::Box;
  v.First = min;
  v.Second = max;
  v.Material = material;
  return v;
}

void ExpectVector(const Vector3& v, float x, float y, float z) {
  EXPECT_EQ(v.X, x);
  EXPECT_EQ(v.Y, y);
  EXPECT_EQ(v.Z, z);
}

class ElementCommandTest : public EditorTest {
 protected:
  void SetUp() override { OpenColls({Shapes()}); }
  const Coll& Working() const { return editor.WorkingCopy(); }
  // The header bounding values are those computed from the elements.
  void ExpectFreshBounds() {
    const BoundingObjects expected = ComputeBoundingObjects(Working());
    EXPECT_EQ(Working().Header.BoundingRadius, expected.Radius);
    ExpectVector(Working().Header.BoundingMax, expected.Max.X, expected.Max.Y, expected.Max.Z);
    ExpectVector(Working().Header.BoundingMin, expected.Min.X, expected.Min.Y, expected.Min.Z);
  }
};

TEST_F(ElementCommandTest, AddSphereAppendsACheckedLineAndRecalculatesAfterTheQuestion) {
  ASSERT_EQ(editor.LastMaterial, -1);
  const DocumentState before = CaptureDocument(editor);
  ui.valueResults = {Sphere({1, 2, 3}, 0.5f, 12)};
  ui.answers = {Answer::Yes};
  RunRow("AddSphere1");

  ASSERT_EQ(ui.log.size(), 2u);
  EXPECT_EQ(ui.log[0], "values Add Collision Sphere");
  EXPECT_EQ(ui.questions.at(0).Caption, "Bounding Objects");
  // The dialog opened on the defaults with material 0 for the LastMaterial never chosen.
  const ElementValues& shown = ui.valuesShown.at(0);
  EXPECT_EQ(shown.Kind, ElementKind::Sphere);
  ExpectVector(shown.First, 0, 0, 0);
  EXPECT_EQ(shown.Radius, 1.0f);
  EXPECT_EQ(shown.Material, 0);
  EXPECT_EQ(editor.LastMaterial, 0);  // corrected and kept

  ASSERT_EQ(Working().SphereCount(), 4);
  const CollSphere& added = Working().Spheres[3];
  ExpectVector(added.Center, 1, 2, 3);
  EXPECT_EQ(added.Radius, 0.5f);
  EXPECT_EQ(added.Surface.Material, 12);
  EXPECT_EQ(added.Surface.Parameter + added.Surface.Byte2 + added.Surface.Byte3, 0);
  EXPECT_EQ(editor.Lists().Spheres.checked, (std::vector<bool>{true, true, true, true}));
  EXPECT_EQ(Working().Header.Size, RecordLength(Working()) - 8);
  EXPECT_TRUE(editor.CollChanged());
  ExpectFreshBounds();
  // Spheres and boxes are drawn from the working copy each frame: the view keeps its camera.
  EXPECT_EQ(ViewRebuild(), CameraAfterEdit::Keep);
  EXPECT_EQ(editor.UndoName(), "Add Sphere");
  ExpectUndoAndRedo(editor, before);
}

TEST_F(ElementCommandTest, AddDialogsPreselectTheLastChosenSurface) {
  editor.LastMaterial = 7;
  ui.valueResults = {std::nullopt, std::nullopt};
  RunRow("AddSphere1");
  editor.LastMaterial = 35;
  RunRow("MenuItem5");
  EXPECT_EQ(ui.valuesShown.at(0).Material, 7);
  EXPECT_EQ(ui.valuesShown.at(1).Material, 0);
  EXPECT_EQ(editor.LastMaterial, 0);
  EXPECT_EQ(ui.log,
            (std::vector<std::string>{"values Add Collision Sphere", "values Add Collision Box"}));
}

TEST_F(ElementCommandTest, AddBoxOrdersTheCornersAndANoKeepsTheBoxButNotTheBounds) {
  const DocumentState before = CaptureDocument(editor);
  ui.valueResults = {Box({2, 0, 5}, {1, 3, 4}, 34)};
  ui.answers = {Answer::No};
  RunRow("MenuItem5");
  const ElementValues& shown = ui.valuesShown.at(0);
  EXPECT_EQ(shown.Kind, ElementKind::Box);
  ExpectVector(shown.First, -1, -1, -1);
  ExpectVector(shown.Second, 1, 1, 1);

  ASSERT_EQ(Working().BoxCount(), 3);
  ExpectVector(Working().Boxes[2].Min, 1, 0, 4);
  ExpectVector(Working().Boxes[2].Max, 2, 3, 5);
  EXPECT_EQ(Working().Boxes[2].Surface.Material, 34);
  EXPECT_EQ(editor.Lists().Boxes.checked.back(), true);
  EXPECT_EQ(Working().Header.BoundingRadius, 99.0f);  // the old bounding objects remain
  EXPECT_TRUE(editor.CollChanged());
  ExpectUndoAndRedo(editor, before);
}

TEST_F(ElementCommandTest, EditSphereShowsTheSelectedSphereAndKeepsItsOtherSurfaceBytes) {
  editor.SelectElement(ListKind::Spheres, 0);
  const DocumentState before = CaptureDocument(editor);
  ui.valueResults = {Sphere({-1, -2, -3}, 2.5f, 20)};
  ui.answers = {Answer::Yes};
  RunRow("EditSphere1");
  EXPECT_EQ(ui.log.at(0), "values Edit Collision Sphere");
  const ElementValues& shown = ui.valuesShown.at(0);
  ExpectVector(shown.First, 0, 0, 0);
  EXPECT_EQ(shown.Radius, 1.0f);
  EXPECT_EQ(shown.Material, 1);

  const CollSphere& edited = Working().Spheres[0];
  ExpectVector(edited.Center, -1, -2, -3);
  EXPECT_EQ(edited.Radius, 2.5f);
  EXPECT_EQ(edited.Surface.Material, 20);
  EXPECT_EQ(edited.Surface.Parameter, 2);
  EXPECT_EQ(edited.Surface.Byte2, 3);
  EXPECT_EQ(edited.Surface.Byte3, 4);
  EXPECT_EQ(Working().SphereCount(), 3);
  ExpectFreshBounds();
  EXPECT_EQ(editor.UndoName(), "Edit Sphere");
  ExpectUndoAndRedo(editor, before);
}

TEST_F(ElementCommandTest, AMaterialBeyondTheTableStaysWhenNoSurfaceIsChosen) {
  editor.SelectElement(ListKind::Spheres, 1);
  // The dialog hands back the material it was given when no entry was chosen.
  ui.valueResults = {Sphere({5, 0, 0}, 3, 40)};
  ui.answers = {Answer::Yes};
  RunRow("EditSphere1");
  EXPECT_EQ(ui.valuesShown.at(0).Material, 40);
  EXPECT_EQ(Working().Spheres[1].Surface.Material, 40);
  EXPECT_EQ(Working().Spheres[1].Surface.Parameter, 5);
  EXPECT_EQ(Working().Spheres[1].Radius, 3.0f);
}

TEST_F(ElementCommandTest, EditBoxOrdersTheCornersAndKeepsTheOtherSurfaceBytes) {
  editor.SelectElement(ListKind::Boxes, 0);
  const DocumentState before = CaptureDocument(editor);
  ui.valueResults = {Box({4, -4, 0}, {-4, 4, 0}, 11)};
  ChangeSettings([](Settings& s) { s.askRecalc = false; });
  RunRow("EditBox1");
  EXPECT_EQ(ui.log, std::vector<std::string>{"values Edit Collision Box"});
  ExpectVector(ui.valuesShown.at(0).First, -1, -1, -1);
  ExpectVector(ui.valuesShown.at(0).Second, 1, 1, 1);
  const CollBox& box = Working().Boxes[0];
  ExpectVector(box.Min, -4, -4, 0);
  ExpectVector(box.Max, 4, 4, 0);
  EXPECT_EQ(box.Surface.Material, 11);
  EXPECT_EQ(box.Surface.Parameter, 7);
  EXPECT_EQ(box.Surface.Byte3, 9);
  ExpectFreshBounds();  // askRecalc off: applied without a question
  ExpectUndoAndRedo(editor, before);
}

TEST_F(ElementCommandTest, CancelledDialogsChangeNothingAndLeaveNoStep) {
  editor.SelectElement(ListKind::Spheres, 2);
  editor.SelectElement(ListKind::Boxes, 1);
  const DocumentState before = CaptureDocument(editor);
  ui.valueResults = {std::nullopt, std::nullopt, std::nullopt, std::nullopt};
  for (const char* row : {"AddSphere1", "EditSphere1", "MenuItem5", "EditBox1"})
    RunRow(row);
  EXPECT_EQ(ui.log.size(), 4u);  // four dialogs, no bounding question
  EXPECT_TRUE(CaptureDocument(editor) == before);
  EXPECT_FALSE(editor.CanUndo());
  EXPECT_FALSE(Notified<WorkingCopyChanged>());
}

TEST_F(ElementCommandTest, EditAndDeleteWithoutASelectedLineDoNothing) {
  const DocumentState before = CaptureDocument(editor);
  for (const char* row : {"EditSphere1", "DeleteSphere1", "EditBox1", "MenuItem6"})
    RunRow(row);
  // A selection beyond the list counts as none.
  editor.SelectElement(ListKind::Spheres, 3);
  RunRow("DeleteSphere1");
  EXPECT_TRUE(ui.log.empty());
  EXPECT_TRUE(CaptureDocument(editor) == before);
  EXPECT_FALSE(editor.CanUndo());
}

TEST_F(ElementCommandTest, DeletingSelectsTheSameIndexOrTheNewLastLine) {
  editor.SelectElement(ListKind::Spheres, 2);
  const DocumentState before = CaptureDocument(editor);
  ui.answers = {Answer::Yes};
  RunRow("DeleteSphere1");
  ASSERT_EQ(Working().SphereCount(), 2);
  EXPECT_EQ(editor.Lists().Spheres.selected, 1);
  EXPECT_EQ(ui.questions.size(), 1u);  // only the bounding question
  ExpectFreshBounds();
  EXPECT_EQ(editor.UndoName(), "Delete Sphere");
  ExpectUndoAndRedo(editor, before);

  editor.SelectElement(ListKind::Spheres, 0);
  ui.answers = {Answer::No};
  RunRow("DeleteSphere1");
  ASSERT_EQ(Working().SphereCount(), 1);
  EXPECT_EQ(editor.Lists().Spheres.selected, 0);
  ExpectVector(Working().Spheres[0].Center, 5, 0, 0);
  ui.answers = {Answer::No};
  RunRow("DeleteSphere1");
  EXPECT_EQ(Working().SphereCount(), 0);
  EXPECT_EQ(editor.Lists().Spheres.selected, -1);  // nothing left to select
  EXPECT_TRUE(editor.CollChanged());
}

TEST_F(ElementCommandTest, DeleteBoxRemovesTheSelectedBox) {
  editor.SelectElement(ListKind::Boxes, 0);
  const DocumentState before = CaptureDocument(editor);
  ui.answers = {Answer::Yes};
  RunRow("MenuItem6");
  ASSERT_EQ(Working().BoxCount(), 1);
  ExpectVector(Working().Boxes[0].Min, 2, 2, 2);
  EXPECT_EQ(editor.Lists().Boxes.selected, 0);
  EXPECT_EQ(Working().Header.Size, RecordLength(Working()) - 8);
  EXPECT_EQ(editor.UndoName(), "Delete Box");
  ExpectUndoAndRedo(editor, before);
}

TEST_F(ElementCommandTest, TheRecalculationRowAsksAndIsOneStep) {
  const DocumentState before = CaptureDocument(editor);
  ui.answers = {Answer::No};
  RunRow("RecalculateBoundingObjects1");
  EXPECT_EQ(ui.questions.at(0).Caption, "Bounding Objects");
  EXPECT_TRUE(CaptureDocument(editor) == before);
  EXPECT_FALSE(editor.CanUndo());

  ui.answers = {Answer::Yes};
  RunRow("RecalculateBoundingObjects1");
  ExpectFreshBounds();
  EXPECT_EQ(editor.UndoName(), "Recalculate Bounding Objects");
  ExpectUndoAndRedo(editor, before);
}

TEST_F(EditorTest, ElementCommandsWithoutALoadedCollDoNothing) {
  for (const char* row : {"AddSphere1", "MenuItem5", "EditSphere1", "DeleteSphere1"})
    RunRow(row);
  EXPECT_TRUE(ui.log.empty());
  EXPECT_FALSE(editor.CollChanged());
  EXPECT_FALSE(editor.CanUndo());
}

TEST_F(EditorTest, TheValueDialogReadsNumbersWithTheEditorsSeparator) {
  OpenColls({Named("comma")});
  editor.DecimalSeparator = ',';
  ui.valueResults = {std::nullopt};
  RunRow("AddSphere1");
  EXPECT_EQ(ui.separatorsShown, std::vector<char>{','});
}

}  // namespace
}  // namespace vantorel
