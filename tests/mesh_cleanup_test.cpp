#include "edit/mesh_cleanup.h"

#include <gtest/gtest.h>

#include "tools/colgen/coll_builder.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;

// Five faces over five vertices; face i has material i and corners i, i+1, i+2 (wrapped).
Coll FiveFaces() {
  CollBuilder b("five");
  for (int i = 0; i < 5; ++i)
    b.Vertex({static_cast<float>(i), 0, 0});
  for (int i = 0; i < 5; ++i)
    b.Face(i, (i + 1) % 5, (i + 2) % 5, MakeSurface(static_cast<std::uint8_t>(i)));
  return b.Build();
}

std::vector<int> Materials(const Coll& coll) {
  std::vector<int> materials;
  for (const CollFace& f : coll.Faces)
    materials.push_back(f.Surface.Material);
  return materials;
}

TEST(MeshCleanup, DeletingAFaceSelectsTheSameIndexOrTheLastLine) {
  Coll coll = FiveFaces();
  ElementList faces{std::vector<bool>(5, false), 4};
  ASSERT_TRUE(DeleteSelectedFace(coll, faces));
  EXPECT_EQ(faces.selected, 3);
  faces.selected = 1;
  faces.checked[2] = true;
  ASSERT_TRUE(DeleteSelectedFace(coll, faces));
  EXPECT_EQ(faces.selected, 1);
  EXPECT_EQ(Materials(coll), (std::vector<int>{0, 2, 3}));
  EXPECT_EQ(faces.checked, (std::vector<bool>{false, true, false}));
  EXPECT_EQ(coll.VertexCount(), 5);  // vertices stay
  EXPECT_EQ(coll.Header.Size + 8, RecordLength(coll));
}

TEST(MeshCleanup, DeletingAFaceNeedsASelectedLine) {
  Coll coll = FiveFaces();
  ElementList faces{std::vector<bool>(5, false), -1};
  EXPECT_FALSE(DeleteSelectedFace(coll, faces));
  faces.selected = 5;
  EXPECT_FALSE(DeleteSelectedFace(coll, faces));
  EXPECT_EQ(coll.FaceCount(), 5);
}

TEST(MeshCleanup, DeletingTheOnlyFaceLeavesItsVerticesForTheUnusedVertexCommand) {
  CollBuilder b("one");
  b.Vertex({0, 0, 0});
  b.Vertex({1, 0, 0});
  b.Vertex({0, 1, 0});
  b.Face(0, 1, 2, MakeSurface(0));
  Coll coll = b.Build();
  ElementList faces{{true}, 0};
  ASSERT_TRUE(DeleteSelectedFace(coll, faces));
  EXPECT_EQ(faces.selected, -1);
  EXPECT_EQ(coll.VertexCount(), 3);
  EXPECT_EQ(DeleteUnusedVertices(coll), 3u);
  EXPECT_EQ(coll.VertexCount(), 0);
  EXPECT_EQ(coll.Header.Size, kEmptyCollSize);
}

TEST(MeshCleanup, DeletingCheckedFacesKeepsTheRestInOrder) {
  Coll coll = FiveFaces();
  ElementList faces{{false, true, false, true, false}, 1};
  ASSERT_TRUE(DeleteCheckedFaces(coll, faces));
  EXPECT_EQ(Materials(coll), (std::vector<int>{0, 2, 4}));
  EXPECT_EQ(faces.checked, (std::vector<bool>{false, false, false}));
  EXPECT_EQ(faces.selected, 2);
  EXPECT_EQ(coll.Header.Size + 8, RecordLength(coll));
}

TEST(MeshCleanup, DeletingCheckedFacesRunsWithNoneCheckedButNotOnAnEmptyList) {
  Coll coll = FiveFaces();
  ElementList faces{std::vector<bool>(5, false), -1};
  EXPECT_TRUE(DeleteCheckedFaces(coll, faces));
  EXPECT_EQ(coll.FaceCount(), 5);
  EXPECT_EQ(faces.selected, 4);

  faces.checked.assign(5, true);
  EXPECT_TRUE(DeleteCheckedFaces(coll, faces));
  EXPECT_EQ(coll.FaceCount(), 0);
  EXPECT_EQ(faces.selected, -1);
  EXPECT_FALSE(DeleteCheckedFaces(coll, faces));
}

TEST(MeshCleanup, UnusedVerticesGoAndFacesKeepTheirPoints) {
  CollBuilder b("four");
  for (int i = 0; i < 4; ++i)
    b.Vertex({static_cast<float>(i), 0, 0});
  b.Face(0, 2, 3, MakeSurface(0));
  Coll coll = b.Build();
  EXPECT_EQ(DeleteUnusedVertices(coll), 1u);
  EXPECT_EQ(VerticesDeletedText(1), "1 vertices deleted.");
  ASSERT_EQ(coll.VertexCount(), 3);
  EXPECT_EQ(coll.Faces[0].A, 0);
  EXPECT_EQ(coll.Faces[0].B, 1);
  EXPECT_EQ(coll.Faces[0].C, 2);
  EXPECT_EQ(coll.Vertices[1].X, 2.0f);
  EXPECT_EQ(coll.Header.Size + 8, RecordLength(coll));
}

TEST(MeshCleanup, RenumberingMatchesRemovingFromTheTopDown) {
  // Vertices 0, 2, 3, 5 and 8 are unused; face indices 9 and 12 lie outside the list, -1 too.
  Coll coll = CollBuilder("gaps").Build();
  for (int i = 0; i < 9; ++i)
    coll.Vertices.push_back({static_cast<float>(i), 0, 0});
  coll.Faces = {{1, 4, 6, {}}, {7, 9, 12, {}}, {-1, 1, 7, {}}};
  EXPECT_EQ(DeleteUnusedVertices(coll), 5u);
  ASSERT_EQ(coll.VertexCount(), 4);
  EXPECT_EQ(coll.Vertices[2].X, 6.0f);
  EXPECT_EQ(coll.Faces[0].A, 0);
  EXPECT_EQ(coll.Faces[0].B, 1);
  EXPECT_EQ(coll.Faces[0].C, 2);
  EXPECT_EQ(coll.Faces[1].A, 3);
  EXPECT_EQ(coll.Faces[1].B, 4);  // 9 lowered by all five
  EXPECT_EQ(coll.Faces[1].C, 7);
  EXPECT_EQ(coll.Faces[2].A, -1);
}

TEST(MeshCleanup, NothingUnusedNothingDeleted) {
  Coll coll = FiveFaces();
  const Coll before = coll;
  EXPECT_EQ(DeleteUnusedVertices(coll), 0u);
  EXPECT_EQ(VerticesDeletedText(0), "0 vertices deleted.");
  EXPECT_EQ(coll.VertexCount(), 5);
  EXPECT_EQ(coll.Faces[4].C, before.Faces[4].C);
  Coll empty = CollBuilder("empty").Build();
  EXPECT_EQ(DeleteUnusedVertices(empty), 0u);
}

TEST(MeshCleanup, DeletingTheWholeMeshKeepsSpheresAndBounds) {
  Coll coll = CollBuilder("mesh")
                  .Sphere({0, 0, 0}, 2, MakeSurface(1))
                  .MeshBox({-1, -1, -1}, {1, 1, 1}, MakeSurface(2))
                  .Build();
  const float radius = coll.Header.BoundingRadius;
  ElementList faces{std::vector<bool>(12, true), 3};
  DeleteAllVerticesAndFaces(coll, faces);
  EXPECT_EQ(coll.FaceCount(), 0);
  EXPECT_EQ(coll.VertexCount(), 0);
  EXPECT_EQ(coll.SphereCount(), 1);
  EXPECT_EQ(faces.Count(), 0);
  EXPECT_EQ(faces.selected, -1);
  EXPECT_EQ(coll.Header.BoundingRadius, radius);
  EXPECT_EQ(coll.Header.Size + 8, RecordLength(coll));
}

TEST(MeshCleanup, FaceDetails) {
  CollBuilder b("details");
  for (int i = 0; i < 8; ++i)
    b.Vertex({static_cast<float>(i), 0.123456f, -2.5f});
  b.Face(0, 1, 2, MakeSurface(0));
  b.Face(0, 1, 2, MakeSurface(0));
  b.Face(5, 6, 7, MakeSurface(19));
  b.Face(7, -1, 8, MakeSurface(40));
  const Coll coll = b.Build();
  const SurfaceTypeTable& table = SurfaceTypeTable::Defaults();
  EXPECT_EQ(FaceDetailsText(coll, 2, table, '.'),
            "Face 2 uses vertices 5, 6 and 7:\r\n"
            "\r\n"
            "   5.0;   0.12346;   -2.5\r\n"
            "   6.0;   0.12346;   -2.5\r\n"
            "   7.0;   0.12346;   -2.5\r\n"
            "\r\n"
            "Surface type: " +
                table.Name(19));
  EXPECT_EQ(FaceDetailsText(coll, 3, table, ','),
            "Face 3 uses vertices 7, -1 and 8:\r\n"
            "\r\n"
            "   7,0;   0,12346;   -2,5\r\n"
            "   (none)\r\n"
            "   (none)\r\n"
            "\r\n"
            "Surface type: ?");
  EXPECT_EQ(FaceDetailsText(coll, 4, table, '.'), "");
  EXPECT_EQ(FaceDetailsText(coll, -1, table, '.'), "");
  // A San Andreas coll names the same bytes from the game's own table.
  Coll sa = coll;
  sa.Header.FourCC = {'C', 'O', 'L', '2'};
  const std::string text = FaceDetailsText(sa, 2, table, '.');
  EXPECT_EQ(text.substr(text.rfind("\r\n") + 2), "Surface type: FLOWERBED");
  const std::string beyond = FaceDetailsText(sa, 3, table, '.');
  EXPECT_EQ(beyond.substr(beyond.rfind("\r\n") + 2), "Surface type: CORNFIELD");
}

}  // namespace
}  // namespace vantorel
