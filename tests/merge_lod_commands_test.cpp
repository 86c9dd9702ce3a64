#include <gtest/gtest.h>

#include "core/bounds.h"
#include "core/coll_codec.h"
#include "ops/lod_command.h"
#include "ops/merge_command.h"
#include "tests/support/editor_fixture.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;
using testing::EditorTest;

constexpr std::array<std::uint8_t, 4> kQkzv{'Q', 'K', 'Z', 'V'};
constexpr std::array<std::uint8_t, 4> kZeroId{0, 0, 0, 0};

// 2 spheres, 8 vertices, 12 faces.
Coll SpheresAndMesh() {
  CollBuilder b("p_coll");
  b.Id({1, 2, 3, 4});
  b.Sphere({1, 2, 3}, 1.5f, MakeSurface(4));
  b.Sphere({-1, 0, 2}, 0.5f, MakeSurface(5));
  b.MeshBox({0, 0, 0}, {2, 3, 4}, MakeSurface(6));
  return b.Build();
}

// 1 box, 4 vertices, 2 faces, far from the first.
Coll BoxAndQuad() {
  CollBuilder b("q_coll");
  b.Box({-5, -5, 0}, {5, 5, 1}, MakeSurface(12));
  const auto v0 = b.Vertex({0, 0, 30});
  const auto v1 = b.Vertex({1, 0, 30});
  const auto v2 = b.Vertex({1, 1, 30});
  const auto v3 = b.Vertex({0, 1, 30});
  b.Quad(v0, v1, v2, v3, MakeSurface(19));
  return b.Build();
}

Coll StoredColl(const Editor& editor, int index) {
  Coll coll;
  EXPECT_EQ(
      ReadColl(editor.FileImage(), editor.CollDirectory()[static_cast<std::size_t>(index)], coll),
      ReadResult::Ok);
  return coll;
}

void ExpectBounds(const CollHeader& header, const BoundingObjects& expected) {
  EXPECT_FLOAT_EQ(header.BoundingRadius, expected.Radius);
  EXPECT_FLOAT_EQ(header.BoundingCenter.Z, expected.Center.Z);
  EXPECT_FLOAT_EQ(header.BoundingMin.X, expected.Min.X);
  EXPECT_FLOAT_EQ(header.BoundingMax.Z, expected.Max.Z);
}

// --- Merge ---

TEST_F(EditorTest, MergeAppendsBothCollsElementsWithReindexedFacesAndSelectsTheResult) {
  OpenColls({SpheresAndMesh(), BoxAndQuad()});
  const Bytes sources = editor.FileImage();
  ui.mergeResults = {MergeChoice{0, 1, "  merged01 "}};
  RunRow("Merge1");
  EXPECT_EQ(ui.log, std::vector<std::string>{"merge 0|p_coll,q_coll"});

  ASSERT_EQ(editor.CollCount(), 3);
  EXPECT_EQ(Lines()[2], "merged01");
  const CollDirectoryEntry& entry = editor.CollDirectory()[2];
  EXPECT_EQ(entry.Offset, static_cast<std::int64_t>(sources.size()));
  EXPECT_EQ(entry.Size, 528);
  // The sources keep their bytes and offsets.
  EXPECT_TRUE(std::equal(sources.begin(), sources.end(), editor.FileImage().begin()));

  const Coll merged = StoredColl(editor, 2);
  EXPECT_EQ(merged.SphereCount(), 2);
  EXPECT_EQ(merged.BoxCount(), 1);
  EXPECT_EQ(merged.VertexCount(), 12);
  EXPECT_EQ(merged.FaceCount(), 14);
  const Coll q = BoxAndQuad();
  EXPECT_EQ(merged.Faces[12].A, q.Faces[0].A + 8);
  EXPECT_EQ(merged.Faces[13].C, q.Faces[1].C + 8);
  EXPECT_EQ(merged.Header.Id, kQkzv);
  // Bounds fitted to the merged geometry, which reaches up to the quad.
  ExpectBounds(merged.Header, ComputeBoundingObjects(merged));
  EXPECT_FLOAT_EQ(merged.Header.BoundingMax.Z, 30);

  EXPECT_EQ(editor.CurrentColl(), 2);
  EXPECT_EQ(HeaderName(editor.WorkingCopy().Header), "merged01");
  EXPECT_TRUE(editor.FileChanged());
  EXPECT_FALSE(editor.CollChanged());
  ExpectDirectoryMatchesImage();
}

TEST_F(EditorTest, MergeOfTwoEmptyCollsAndOfACollWithItself) {
  OpenColls({Named("empty1", 0), Named("empty2", 0), SpheresAndMesh()});
  ui.mergeResults = {MergeChoice{0, 1, "new_coll"}, MergeChoice{2, 2, "twice"}};
  RunRow("Merge1");
  EXPECT_EQ(Lines()[3], "new_coll [-]");
  EXPECT_EQ(editor.CollDirectory()[3].Size, 92);
  ExpectBounds(StoredColl(editor, 3).Header, ComputeBoundingObjects(Coll{}));

  RunRow("Merge1");
  EXPECT_EQ(ui.log[1], "merge 3|empty1 [-],empty2 [-],p_coll,new_coll [-]");
  const Coll twice = StoredColl(editor, 4);
  EXPECT_EQ(twice.SphereCount(), 4);
  EXPECT_EQ(twice.VertexCount(), 16);
  EXPECT_EQ(twice.FaceCount(), 24);
  EXPECT_EQ(twice.Faces[12].A, twice.Faces[0].A + 8);
  ExpectDirectoryMatchesImage();
}

TEST_F(EditorTest, MergeAsksToApplyFirstAndEachAnswerDoesItsPart) {
  OpenColls({Named("a", 2), Named("b")});
  const std::string apply = "ask Apply Changes|Do you want to apply changes made to a?|Yes";

  Edit([](Coll& coll) { coll.Spheres.clear(); });
  ui.answers = {Answer::Cancel};
  RunRow("Merge1");
  EXPECT_EQ(ui.log, std::vector<std::string>{apply});
  EXPECT_TRUE(editor.CollChanged());
  EXPECT_EQ(editor.CollCount(), 2);

  // No: the stored record is merged, the edits are gone.
  ui.answers = {Answer::No};
  ui.mergeResults = {MergeChoice{0, 1, "ab_merged"}};
  RunRow("Merge1");
  EXPECT_EQ(ui.log[2], "merge 0|a,b");  // the stored colls, not the edited one ("a [-]")
  EXPECT_EQ(StoredColl(editor, 2).SphereCount(), 3);
  EXPECT_EQ(editor.CollDirectory()[0].Size, 132);
  EXPECT_FALSE(editor.CollChanged());

  // Yes: applied first, so the merge sees the edit.
  editor.SelectColl(0);
  Edit([](Coll& coll) { coll.Spheres.clear(); });
  ui.answers = {Answer::Yes};
  ui.mergeResults = {MergeChoice{0, 1, "ab_merged2"}};
  RunRow("Merge1");
  EXPECT_EQ(editor.CollDirectory()[0].Size, 92);
  EXPECT_EQ(StoredColl(editor, 3).SphereCount(), 1);
  ExpectDirectoryMatchesImage();
}

TEST_F(EditorTest, MergeCancelledRefusedOrWithOneCollChangesNothing) {
  OpenColls({Named("a")});
  RunRow("Merge1");
  EXPECT_TRUE(ui.log.empty());

  OpenColls({Named("a"), Named("b")});
  const Bytes image = editor.FileImage();
  // Cancel, then answers no dialog would give: a bad name, a coll that is not there.
  ui.mergeResults = {std::nullopt, MergeChoice{0, 1, "my coll"}, MergeChoice{0, 1, "ab"},
                     MergeChoice{0, 2, "fine_name"}};
  for (int i = 0; i < 4; ++i)
    RunRow("Merge1");
  EXPECT_EQ(editor.FileImage(), image);
  EXPECT_FALSE(editor.FileChanged());
  EXPECT_EQ(editor.CurrentColl(), 0);
}

TEST_F(EditorTest, MergeUnderATwentyCharacterNameLeavesTheIdZero) {
  OpenColls({Named("a"), Named("b")});
  ui.mergeResults = {MergeChoice{0, 1, "abcdefghijklmnopqrst"}};
  RunRow("Merge1");
  EXPECT_EQ(editor.CollDirectory()[2].Name, "abcdefghijklmnopqrst");
  EXPECT_EQ(StoredColl(editor, 2).Header.Id, kZeroId);
}

TEST_F(EditorTest, MergeOfACollThatCannotBeReadSaysSoAndAppendsNothing) {
  Bytes bytes = colgen::EncodeFile({Named("a"), Named("b", 3)});
  bytes.resize(bytes.size() - 8);
  OpenPath(dir.Write("cut.col", bytes));
  const Bytes image = editor.FileImage();
  ui.mergeResults = {MergeChoice{0, 1, "merged"}};
  RunRow("Merge1");
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"ERROR while reading collision data!"});
  EXPECT_EQ(editor.FileImage(), image);
  EXPECT_EQ(editor.CollCount(), 2);
  EXPECT_FALSE(editor.FileChanged());
}

// --- Make LOD ---

// A coll whose stored bounds are not those its geometry gives.
Coll WithStaleBounds(const std::string& name) {
  CollBuilder b(name);
  b.Id({1, 2, 3, 4});
  b.MeshBox({0, 0, 0}, {4, 6, 8}, MakeSurface(1));
  Coll coll = b.Build();
  coll.Header.BoundingRadius = 99;
  coll.Header.BoundingMax = {50, 50, 50};
  return coll;
}

TEST_F(EditorTest, MakeLodAppendsAnEmptyCompanionWithRefittedBounds) {
  OpenColls({WithStaleBounds("house01"), Named("b")});
  const Bytes image = editor.FileImage();
  const BoundingObjects fitted = ComputeBoundingObjects(editor.WorkingCopy());
  ui.answers = {Answer::Yes};
  RunRow("MakeLOD1");
  ASSERT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(ui.questions[0].Caption, "Bounding Objects");

  ASSERT_EQ(editor.CollCount(), 3);
  EXPECT_EQ(Lines()[2], "LODse01 [-]");
  EXPECT_EQ(editor.CollDirectory()[2].Offset, static_cast<std::int64_t>(image.size()));
  EXPECT_EQ(editor.CollDirectory()[2].Size, 92);
  const Coll lod = StoredColl(editor, 2);
  EXPECT_EQ(lod.Header.Id, kQkzv);
  EXPECT_EQ(lod.FaceCount() + lod.VertexCount() + lod.SphereCount() + lod.BoxCount(), 0);
  ExpectBounds(lod.Header, fitted);
  // The source keeps its stored record, stale bounds and all.
  EXPECT_TRUE(std::equal(image.begin(), image.end(), editor.FileImage().begin()));
  EXPECT_EQ(editor.CurrentColl(), 2);
  EXPECT_TRUE(editor.FileChanged());
  EXPECT_FALSE(editor.CollChanged());
  ExpectDirectoryMatchesImage();
}

TEST_F(EditorTest, MakeLodKeepsTheBoundsWhenTheRecalculationIsDeclined) {
  OpenColls({WithStaleBounds("house01")});
  ui.answers = {Answer::No};
  RunRow("MakeLOD1");
  EXPECT_FLOAT_EQ(StoredColl(editor, 1).Header.BoundingRadius, 99);

  // Without the question the bounds are refitted at once.
  ChangeSettings([](Settings& settings) { settings.askRecalc = false; });
  editor.SelectColl(0);
  Forget();
  RunRow("MakeLOD1");
  EXPECT_TRUE(ui.log.empty());
  EXPECT_FLOAT_EQ(StoredColl(editor, 2).Header.BoundingMax.Z, 8);
  // Twice on one coll: two companions of the same name.
  EXPECT_EQ(editor.CollDirectory()[1].Name, editor.CollDirectory()[2].Name);
}

TEST_F(EditorTest, MakeLodWithUnappliedEditsNoGivesThemToTheCompanionOnly) {
  OpenColls({Named("house01")});
  ChangeSettings([](Settings& settings) { settings.askRecalc = false; });
  const Bytes image = editor.FileImage();
  Edit([](Coll& coll) { SetHeaderName(coll.Header, "tower01"); });
  ui.answers = {Answer::No};
  RunRow("MakeLOD1");
  EXPECT_EQ(ui.log, std::vector<std::string>{
                        "ask Apply Changes|Do you want to apply changes made to house01?|Yes"});
  EXPECT_EQ(Lines(), (std::vector<std::string>{"house01", "LODer01 [-]"}));
  EXPECT_TRUE(std::equal(image.begin(), image.end(), editor.FileImage().begin()));

  // Cancel stops before anything.
  editor.SelectColl(0);
  Edit([](Coll& coll) { SetHeaderName(coll.Header, "tower01"); });
  ui.answers = {Answer::Cancel};
  RunRow("MakeLOD1");
  EXPECT_EQ(editor.CollCount(), 2);
  EXPECT_TRUE(editor.CollChanged());
}

TEST_F(EditorTest, MakeLodIsRefusedWhileNoCollIsLoaded) {
  RunRow("MakeLOD1");
  EXPECT_TRUE(ui.log.empty());

  Bytes bytes = colgen::EncodeFile({Named("a"), Named("b", 3)});
  bytes.resize(bytes.size() - 8);
  OpenPath(dir.Write("cut.col", bytes));
  editor.SelectColl(1);
  Forget();
  const Bytes image = editor.FileImage();
  RunRow("MakeLOD1");
  EXPECT_EQ(ui.log, std::vector<std::string>{"message No collision data found!"});
  EXPECT_EQ(editor.FileImage(), image);
  EXPECT_FALSE(editor.FileChanged());
}

TEST_F(EditorTest, MakeLodOfATwentyCharacterNameLeavesTheIdZero) {
  CollBuilder b("x");
  std::array<char, 20> name{};
  std::copy_n("abcdefghijklmnopqrst", 20, name.begin());
  b.RawName(name);
  OpenColls({b.Build()});
  ChangeSettings([](Settings& settings) { settings.askRecalc = false; });
  RunRow("MakeLOD1");
  EXPECT_EQ(editor.CollDirectory()[1].Name, "LODdefghijklmnopqrst");
  EXPECT_EQ(StoredColl(editor, 1).Header.Id, kZeroId);
}

}  // namespace
}  // namespace vantorel
