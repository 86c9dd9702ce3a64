#include "edit/bounding_objects_command.h"

#include <gtest/gtest.h>

#include "tests/support/editor_fixture.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;
using testing::EditorTest;

Coll OneVertexAt234() {
  CollBuilder b("vertex");
  b.Vertex({2, 3, 4});
  Coll coll = b.Build();
  coll.Header.BoundingRadius = 7;  // stored values that the recalculation replaces
  coll.Header.BoundingMin = {-9, -9, -9};
  return coll;
}

TEST_F(EditorTest, RecalculationShowsOldAndNewValuesAndStoresThemOnYes) {
  OpenColls({OneVertexAt234()});
  ui.answers = {Answer::Yes};
  RecalcBoundingObjects(editor, true);
  ASSERT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(ui.questions[0].Caption, "Bounding Objects");
  EXPECT_EQ(ui.questions[0].Choices, Buttons::YesNo);
  EXPECT_EQ(ui.questions[0].Text,
            "OLD BOUNDING OBJECTS\r\n\r\nBounding Sphere\r\n   Radius: \t7.0\r\n"
            "   Center: \t2.0; 3.0; 4.0\r\nBounding Box\r\n   Minimum: \t-9.0; -9.0; -9.0\r\n"
            "   Maximum: \t2.0; 3.0; 4.0\r\n\r\nNEW BOUNDING OBJECTS\r\n\r\nBounding Sphere\r\n"
            "   Radius: \t2.69258\r\n   Center: \t1.0; 1.5; 2.0\r\nBounding Box\r\n"
            "   Minimum: \t0.0; 0.0; 0.0\r\n   Maximum: \t2.0; 3.0; 4.0\r\n\r\n"
            "Would you like to apply the calculated bounding objects?");
  const CollHeader& header = editor.WorkingCopy().Header;
  EXPECT_FLOAT_EQ(header.BoundingRadius, 2.6925824f);
  EXPECT_FLOAT_EQ(header.BoundingCenter.Y, 1.5f);
  EXPECT_FLOAT_EQ(header.BoundingMax.Z, 4.0f);
  EXPECT_TRUE(editor.CollChanged());
  EXPECT_TRUE(Notified<WorkingCopyChanged>());
}

TEST_F(EditorTest, RecalculationAnsweredNoChangesNothing) {
  OpenColls({OneVertexAt234()});
  ui.answers = {Answer::No};
  RecalcBoundingObjects(editor, true);
  EXPECT_EQ(editor.WorkingCopy().Header.BoundingRadius, 7.0f);
  EXPECT_FALSE(editor.CollChanged());
  EXPECT_TRUE(notices.empty());
}

TEST_F(EditorTest, RecalculationAsksOnlyWhenAskedAndTheSettingIsOn) {
  OpenColls({OneVertexAt234()});
  RecalcBoundingObjects(editor, false);  // no question: the fake would fail on one
  EXPECT_FLOAT_EQ(editor.WorkingCopy().Header.BoundingMax.Y, 3.0f);

  ChangeSettings([](Settings& settings) { settings.askRecalc = false; });
  Edit([](Coll& coll) { coll.Vertices.push_back({10, 0, 0}); });
  RecalcBoundingObjects(editor, true);
  EXPECT_TRUE(ui.log.empty());
  EXPECT_FLOAT_EQ(editor.WorkingCopy().Header.BoundingMax.X, 10.0f);
}

TEST_F(EditorTest, RecalculationWithoutALoadedCollDoesNothing) {
  RecalcBoundingObjects(editor, true);
  Bytes cut = colgen::EncodeFile({OneVertexAt234()});
  cut.resize(cut.size() - 4);
  OpenPath(dir.Write("cut.col", cut));
  RecalcBoundingObjects(editor, true);
  EXPECT_TRUE(ui.log.empty());
  EXPECT_FALSE(editor.CollChanged());
}

}  // namespace
}  // namespace vantorel
