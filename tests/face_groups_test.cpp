#include "core/face_groups.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "cli/game_check.h"
#include "core/coll_codec.h"
#include "tests/support/document_state.h"
#include "tests/support/editor_fixture.h"
#include "tools/colgen/sa_colls.h"

namespace vantorel {
namespace {

using testing::CaptureDocument;
using testing::DocumentState;
using testing::EditorTest;
using testing::EncodedColl;
using Ranges = std::vector<std::pair<int, int>>;

Ranges RangesOf(const Coll& coll) {
  Ranges ranges;
  for (const CollFaceGroup& g : coll.FaceGroups)
    ranges.emplace_back(g.First, g.Last);
  return ranges;
}

// Each group's box is the tight box around the corners of its own faces.
void ExpectTightBoxes(const Coll& coll) {
  for (const CollFaceGroup& g : coll.FaceGroups) {
    ASSERT_LT(g.Last, coll.Faces.size());
    Vector3 lo = coll.Vertices[static_cast<std::size_t>(coll.Faces[g.First].A)];
    Vector3 hi = lo;
    for (std::size_t f = g.First; f <= g.Last; ++f) {
      for (const std::int32_t c : {coll.Faces[f].A, coll.Faces[f].B, coll.Faces[f].C}) {
        const Vector3& v = coll.Vertices[static_cast<std::size_t>(c)];
        lo = {std::min(lo.X, v.X), std::min(lo.Y, v.Y), std::min(lo.Z, v.Z)};
        hi = {std::max(hi.X, v.X), std::max(hi.Y, v.Y), std::max(hi.Z, v.Z)};
      }
    }
    const auto same = [](const Vector3& a, const Vector3& b) {
      return a.X == b.X && a.Y == b.Y && a.Z == b.Z;
    };
    EXPECT_TRUE(same(g.Min, lo) && same(g.Max, hi)) << "group " << g.First << ".." << g.Last;
  }
}

bool SameShadowMesh(const Coll& a, const Coll& b) {
  return a.ShadowVertices.size() == b.ShadowVertices.size() &&
         a.ShadowFaces.size() == b.ShadowFaces.size() &&
         std::memcmp(a.ShadowVertices.data(), b.ShadowVertices.data(),
                     a.ShadowVertices.size() * sizeof(CollVertex)) == 0 &&
         std::memcmp(a.ShadowFaces.data(), b.ShadowFaces.data(),
                     a.ShadowFaces.size() * sizeof(CollFace)) == 0;
}

// The fixture's COL3 coll: 12 faces of a box over 8 vertices, grouped 0..6 and 7..11, and a
// shadow mesh; a COLL coll follows it.
class FaceGroupsCommandTest : public EditorTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(RangesOf(sa), (Ranges{{0, 6}, {7, 11}}));
    ASSERT_FALSE(sa.ShadowFaces.empty());
    OpenColls({sa, Named("classic")});
  }
  const Coll& Working() const { return editor.WorkingCopy(); }
  void CheckFaces(const std::vector<int>& faces) {
    for (const int face : faces)
      editor.ToggleCheck(ListKind::Faces, face);
  }

  const Coll sa = colgen::SaColl("sa_col3", 3);
};

struct FaceDeletion {
  const char* what;
  const char* row;
  std::vector<int> faces;  // the selected face for Delete Face, else the checked ones
  Ranges groups;
  const char* message;
};

TEST_F(FaceGroupsCommandTest, DeletingFacesRebuildsOrDropsTheGroupsAndUndoGivesThemBack) {
  const FaceDeletion cases[] = {
      {"start of the first group",
       "MenuItem14",
       {0},
       {{0, 5}, {6, 10}},
       "Face groups rebuilt: 2 kept, 0 dropped."},
      {"middle of the first group",
       "DeleteCheckedFaces1",
       {3},
       {{0, 5}, {6, 10}},
       "Face groups rebuilt: 2 kept, 0 dropped."},
      {"end of one and start of the next",
       "DeleteCheckedFaces1",
       {6, 7},
       {{0, 5}, {6, 9}},
       "Face groups rebuilt: 2 kept, 0 dropped."},
      {"all but the bottom face of a group",
       "DeleteCheckedFaces1",
       {1, 2, 3, 4, 5, 6},
       {{0, 0}, {1, 5}},
       "Face groups rebuilt: 2 kept, 0 dropped."},
      {"a whole group",
       "DeleteCheckedFaces1",
       {7, 8, 9, 10, 11},
       {{0, 6}},
       "Face groups rebuilt: 1 kept, 1 dropped."},
      {"last face",
       "MenuItem14",
       {11},
       {{0, 6}, {7, 10}},
       "Face groups rebuilt: 2 kept, 0 dropped."},
      {"every face",
       "DeleteAllVerticesFaces1",
       {},
       {},
       "Face groups dropped: none of their faces is left."},
  };
  const Bytes fileBefore = editor.FileImage();
  for (const FaceDeletion& c : cases) {
    SCOPED_TRACE(c.what);
    OpenColls({sa, Named("classic")});
    if (std::string(c.row) == "MenuItem14") {
      editor.SelectElement(ListKind::Faces, c.faces.front());
    } else {
      CheckFaces(c.faces);
    }
    Forget();
    const DocumentState before = CaptureDocument(editor);
    RunRow(c.row);
    // The groups still stand for the faces they stood for: the surviving faces of a kept run,
    // with a box tight around them.
    EXPECT_EQ(RangesOf(Working()), c.groups);
    ExpectTightBoxes(Working());
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{c.message});
    EXPECT_TRUE(SameShadowMesh(Working(), sa));
    testing::ExpectUndoAndRedo(editor, before);

    // Written and read back, the record holds the same groups and passes the game's check.
    RunRow("ApplyChanges1");
    Coll stored;
    ASSERT_EQ(ReadColl(editor.FileImage(), editor.CollDirectory()[0], stored), ReadResult::Ok);
    EXPECT_EQ(RangesOf(stored), c.groups);
    EXPECT_EQ(EncodedColl(stored), EncodedColl(Working()));
    cli::GameCheckOptions options;
    options.game = cli::Game::SanAndreas;
    const cli::GameCheckResult check = cli::CheckCollFile("t.col", editor.FileImage(), options);
    for (const cli::GameCheckFinding& finding : check.findings)
      EXPECT_NE(finding.kind, cli::FindingKind::FaceGroupOutOfRange) << finding.text;

    while (editor.CanUndo())
      editor.Undo();
    ASSERT_EQ(editor.FileImage(), fileBefore);
    ASSERT_EQ(EncodedColl(Working()), EncodedColl(sa));
  }
}

TEST_F(FaceGroupsCommandTest, UnusedVertexCleanUpKeepsTheGroupsOverTheSamePoints) {
  // Only the top is left (faces 2 and 3, over the upper four corners 4..7), in the first group.
  CheckFaces({0, 1, 4, 5, 6, 7, 8, 9, 10, 11});
  RunRow("DeleteCheckedFaces1");
  ASSERT_EQ(RangesOf(Working()), (Ranges{{0, 1}}));
  const Coll thinned = Working();
  Forget();
  const DocumentState before = CaptureDocument(editor);
  RunRow("DeleteIsolatedVertices1");
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"4 vertices deleted."});
  EXPECT_EQ(Working().Faces.front().A, thinned.Faces.front().A - 4);
  EXPECT_EQ(RangesOf(Working()), (Ranges{{0, 1}}));
  ExpectTightBoxes(Working());
  EXPECT_EQ(std::memcmp(&Working().FaceGroups[0], &thinned.FaceGroups[0], sizeof(CollFaceGroup)),
            0);
  EXPECT_TRUE(SameShadowMesh(Working(), sa));
  testing::ExpectUndoAndRedo(editor, before);
}

// The shadow mesh, the face groups and a COL4's extra field come back with undo even when the
// command replaced the whole coll (a conversion), and a coll without face groups hears nothing
// new when its faces go.
TEST_F(FaceGroupsCommandTest, UndoGivesBackEveryPartOfASanAndreasColl) {
  const DocumentState col3 = CaptureDocument(editor);
  RunRow("ConvertCollToCOLL1");
  ASSERT_TRUE(Working().FaceGroups.empty());
  testing::ExpectUndoAndRedo(editor, col3);
  editor.Undo();

  OpenColls({colgen::SaColl("sa_col4", 4)});
  const DocumentState col4 = CaptureDocument(editor);
  RunRow("ConvertCollToCOL31");
  ASSERT_EQ(Working().Col4Extra, 0u);
  testing::ExpectUndoAndRedo(editor, col4);
  editor.Undo();

  OpenColls({Named("classic"), colgen::SaColl("sa_col2", 2)});
  editor.SelectColl(1);
  Forget();
  editor.SelectElement(ListKind::Faces, 0);
  RunRow("MenuItem14");
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Face groups rebuilt: 2 kept, 0 dropped."});
}

TEST(RemapFaceGroups, DropsEveryGroupWhenTheFacesChangeOrderAndDamagedRunsAlways) {
  Coll coll = colgen::SaColl("sa", 3);
  coll.FaceGroups.push_back({{}, {}, 9, 3});    // first after last
  coll.FaceGroups.push_back({{}, {}, 10, 40});  // past the faces
  const Coll before = coll;
  std::vector<int> kept(12);
  for (int i = 0; i < 12; ++i)
    kept[static_cast<std::size_t>(i)] = i;
  const FaceGroupsRebuild same = RemapFaceGroups(coll, kept);
  EXPECT_EQ(RangesOf(coll), (Ranges{{0, 6}, {7, 11}}));
  EXPECT_EQ(FaceGroupsRebuildText(same), "Face groups rebuilt: 2 kept, 2 dropped.");

  coll = before;
  std::swap(coll.Faces[2], coll.Faces[9]);
  std::swap(kept[2], kept[9]);
  const FaceGroupsRebuild swapped = RemapFaceGroups(coll, kept);
  EXPECT_TRUE(coll.FaceGroups.empty());
  EXPECT_EQ(FaceGroupsRebuildText(swapped), "Face groups dropped: the faces were reordered.");
  EXPECT_EQ(coll.ShadowFaces.size(), before.ShadowFaces.size());

  Coll classic = colgen::SaColl("none", 2);
  classic.FaceGroups.clear();
  EXPECT_EQ(FaceGroupsRebuildText(RemapFaceGroups(classic, {kRemovedFace})), "");
}

}  // namespace
}  // namespace vantorel
