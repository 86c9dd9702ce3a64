#include "ops/merge.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/coll_codec.h"
#include "core/coll_directory.h"
#include "tools/colgen/coll_builder.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;

// 2 spheres, 8 vertices, 12 faces.
Coll SpheresAndMesh() {
  CollBuilder b("p_coll");
  b.Id({1, 2, 3, 4});
  b.Sphere({1, 2, 3}, 1.5f, MakeSurface(4, 1, 9, 8));
  b.Sphere({-1, 0, 2}, 0.5f, MakeSurface(5));
  b.MeshBox({0, 0, 0}, {2, 3, 4}, MakeSurface(6, 0, 7, 7));
  return b.Build();
}

// 1 box, 4 vertices, 2 faces.
Coll BoxAndQuad() {
  CollBuilder b("q_coll");
  b.Id({0xAA, 0xBB, 0xCC, 0xDD});
  b.Box({-5, -5, 0}, {5, 5, 1}, MakeSurface(12, 17, 1, 2));
  const auto v0 = b.Vertex({0, 0, 10});
  const auto v1 = b.Vertex({1, 0, 10});
  const auto v2 = b.Vertex({1, 1, 10});
  const auto v3 = b.Vertex({0, 1, 10});
  b.Quad(v0, v1, v2, v3, MakeSurface(19, 3));
  return b.Build();
}

TEST(MergeColls, AppendsQsElementsAfterPsAndShiftsQsFaces) {
  const Coll p = SpheresAndMesh();
  const Coll q = BoxAndQuad();
  ASSERT_EQ(p.VertexCount(), 8);
  ASSERT_EQ(p.FaceCount(), 12);
  ASSERT_EQ(q.FaceCount(), 2);
  const std::optional<Coll> merged = MergeColls(p, q, "merged01");
  ASSERT_TRUE(merged);
  EXPECT_EQ(merged->SphereCount(), 2);
  EXPECT_EQ(merged->BoxCount(), 1);
  EXPECT_EQ(merged->VertexCount(), 12);
  EXPECT_EQ(merged->FaceCount(), 14);
  EXPECT_EQ(merged->Header.Size, 520u);  // 84 + 40 + 28 + 144 + 224
  EXPECT_EQ(RecordLength(*merged), 528u);

  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(merged->Faces[i].A, p.Faces[i].A);
    EXPECT_EQ(merged->Faces[i].C, p.Faces[i].C);
  }
  for (int i = 0; i < 2; ++i) {
    const CollFace& face = merged->Faces[12 + i];
    EXPECT_EQ(face.A, q.Faces[i].A + 8);
    EXPECT_EQ(face.B, q.Faces[i].B + 8);
    EXPECT_EQ(face.C, q.Faces[i].C + 8);
    EXPECT_EQ(face.Surface.Material, 19);
    EXPECT_EQ(face.Surface.Parameter, 3);
  }
  // Every coordinate and surface byte travels unchanged.
  EXPECT_EQ(merged->Vertices[8].Z, 10.0f);
  EXPECT_EQ(merged->Vertices[7].X, p.Vertices[7].X);
  EXPECT_EQ(merged->Spheres[0].Surface.Byte2, 9);
  EXPECT_EQ(merged->Spheres[0].Surface.Byte3, 8);
  EXPECT_EQ(merged->Boxes[0].Surface.Parameter, 17);
  EXPECT_EQ(merged->Boxes[0].Surface.Byte3, 2);
  EXPECT_EQ(merged->Boxes[0].Min.X, -5.0f);
}

TEST(MergeColls, BuildsAFreshHeaderWhateverTheSourcesHeld) {
  const std::optional<Coll> merged = MergeColls(SpheresAndMesh(), BoxAndQuad(), "merged01");
  ASSERT_TRUE(merged);
  const CollHeader& h = merged->Header;
  EXPECT_EQ(h.FourCC, kCollFourCC);
  EXPECT_EQ(HeaderName(h), "merged01");
  EXPECT_EQ(h.Id, kEditorId);
  // The bounds are the caller's to fit; nothing of the sources' bounds is carried over.
  EXPECT_EQ(h.BoundingRadius, 0.0f);
  EXPECT_EQ(h.BoundingCenter.X, 0.0f);
  EXPECT_EQ(h.BoundingMin.Z, 0.0f);
  EXPECT_EQ(h.BoundingMax.Y, 0.0f);
}

TEST(MergeColls, TheSameCollTwiceDoublesEveryElement) {
  const Coll p = SpheresAndMesh();
  const std::optional<Coll> merged = MergeColls(p, p, "twice");
  ASSERT_TRUE(merged);
  EXPECT_EQ(merged->SphereCount(), 4);
  EXPECT_EQ(merged->VertexCount(), 16);
  EXPECT_EQ(merged->FaceCount(), 24);
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(merged->Faces[12 + i].A, p.Faces[i].A + 8);
    EXPECT_EQ(merged->Faces[12 + i].B, p.Faces[i].B + 8);
  }
  EXPECT_EQ(merged->Vertices[8 + 3].Y, p.Vertices[3].Y);
}

TEST(MergeColls, TwoEmptyCollsGiveAnEmptyRecord) {
  const Coll empty = CollBuilder("none").Build();
  const std::optional<Coll> merged = MergeColls(empty, empty, "nothing");
  ASSERT_TRUE(merged);
  EXPECT_EQ(merged->Header.Size, 84u);
  EXPECT_EQ(CollListLine(merged->Header), "nothing [-]");
}

TEST(MergeColls, ATwentyCharacterNameLeavesTheIdZero) {
  const std::optional<Coll> merged =
      MergeColls(SpheresAndMesh(), BoxAndQuad(), "abcdefghijklmnopqrst");
  ASSERT_TRUE(merged);
  EXPECT_EQ(HeaderName(merged->Header), "abcdefghijklmnopqrst");
  EXPECT_EQ(merged->Header.Id, (std::array<std::uint8_t, 4>{0, 0, 0, 0}));
}

TEST(MergeColls, DamagedFaceIndicesAreShiftedWithoutOverflow) {
  Coll q = BoxAndQuad();
  q.Faces[0].A = std::numeric_limits<std::int32_t>::max();
  q.Faces[0].B = -8;
  const std::optional<Coll> merged = MergeColls(SpheresAndMesh(), q, "damaged");
  ASSERT_TRUE(merged);
  EXPECT_EQ(merged->Faces[12].A, std::numeric_limits<std::int32_t>::min() + 7);
  EXPECT_EQ(merged->Faces[12].B, 0);
}

TEST(MergeColls, TheEncodedRecordReadsBackWhole) {
  const std::optional<Coll> merged = MergeColls(SpheresAndMesh(), BoxAndQuad(), "merged01");
  ASSERT_TRUE(merged);
  Bytes image(RecordLength(*merged));
  EncodeColl(*merged, image.data());
  CollDirectoryEntries directory;
  ASSERT_EQ(ScanFile(image, directory), ScanEnd::EndOfData);
  ASSERT_EQ(directory.size(), 1u);
  EXPECT_EQ(directory[0].Size, 528);
  Coll read;
  ASSERT_EQ(ReadColl(image, directory[0], read), ReadResult::Ok);
  EXPECT_EQ(read.FaceCount(), 14);
  EXPECT_EQ(read.Faces[13].C, merged->Faces[13].C);
  EXPECT_EQ(read.Header.Id, kEditorId);
}

}  // namespace
}  // namespace vantorel
