#include "view/scene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <tuple>

#include "tools/colgen/coll_builder.h"
#include "tools/colgen/sa_colls.h"
#include "view/picking.h"
#include "view/static_shapes.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;

std::vector<std::uint32_t> ToVector(std::span<const std::uint32_t> span) {
  return {span.begin(), span.end()};
}

Vec3 PositionOf(const ColorVertex& v) {
  return {v.X, v.Y, v.Z};
}

// A flat strip of triangles over four vertices, one face per material given.
Coll StripWithMaterials(const std::vector<std::uint8_t>& materials) {
  CollBuilder b("strip");
  for (int i = 0; i < 4; ++i)
    b.Vertex({static_cast<float>(i), static_cast<float>(i % 2), 0});
  for (std::size_t i = 0; i < materials.size(); ++i) {
    const auto first = static_cast<std::int32_t>(i % 2);
    b.Face(first, first + 1, first + 2, MakeSurface(materials[i]));
  }
  return b.Build();
}

Scene StaticScene(int sphereSegments, int boundingSegments, bool surfaceColors = true) {
  Scene scene;
  scene.RebuildStaticBuffers(SurfaceTypeTable::Defaults(), MainColors{}, sphereSegments,
                             boundingSegments, surfaceColors);
  return scene;
}

Scene BuiltScene(const Coll& coll, bool surfaceColors = true, std::vector<bool> checks = {}) {
  Scene scene = StaticScene(16, 48, surfaceColors);
  if (checks.empty()) checks.assign(coll.Faces.size(), false);
  scene.RebuildScene(coll, checks, SurfaceTypeTable::Defaults(), MainColors{}, surfaceColors);
  return scene;
}

TEST(UnitSphere, SixteenSegmentsGive114VerticesAnd224Triangles) {
  const Scene scene = StaticScene(16, 48);
  EXPECT_EQ(scene.SphereVertexCount(), 114u);
  EXPECT_EQ(scene.SphereTriangleCount(), 224u);
  EXPECT_EQ(scene.Vertices(VertexSource::WireframeSphere).size(), 114u);
  EXPECT_EQ(scene.Indices(IndexSource::SphereTriangles).size(), 3u * 224u);
  EXPECT_EQ(scene.Vertices(VertexSource::SurfaceSpheres).size(), 114u * kSurfaceSlotCount);
  for (std::uint32_t index : scene.Indices(IndexSource::SphereTriangles))
    EXPECT_LT(index, 114u);
  for (const ColorVertex& v : scene.Vertices(VertexSource::WireframeSphere)) {
    EXPECT_NEAR(v.X * v.X + v.Y * v.Y + v.Z * v.Z, 1.0f, 1e-5f);
  }
}

TEST(UnitSphere, FourSegmentsGiveAnOctahedronInRingOrder) {
  std::vector<ColorVertex> vertices;
  AppendUnitSphere(vertices, 4, 0xFF000000);
  ASSERT_EQ(vertices.size(), 6u);
  const std::vector<Vec3> expected{{0, 1, 0},  {1, 0, 0}, {0, 0, -1},
                                   {-1, 0, 0}, {0, 0, 1}, {0, -1, 0}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_NEAR(vertices[i].X, expected[i].X, 1e-6f) << i;
    EXPECT_NEAR(vertices[i].Y, expected[i].Y, 1e-6f) << i;
    EXPECT_NEAR(vertices[i].Z, expected[i].Z, 1e-6f) << i;
  }
  EXPECT_EQ(UnitSphereIndices(4), (std::vector<std::uint32_t>{0, 1, 2, 0, 2, 3, 0, 3, 4, 0, 4, 1,
                                                              2, 1, 5, 3, 2, 5, 4, 3, 5, 1, 4, 5}));
}

TEST(UnitSphere, BandsRunFromTheUpperRingToTheLowerOne) {
  const std::vector<std::uint32_t> indices = UnitSphereIndices(6);
  ASSERT_EQ(indices.size(), 3u * 24u);
  // First band, first segment of ring 2: (upper, current, next) and (next, upper-next, upper).
  EXPECT_EQ(std::vector<std::uint32_t>(indices.begin() + 18, indices.begin() + 24),
            (std::vector<std::uint32_t>{1, 7, 8, 8, 2, 1}));
  // The last segment of a ring wraps to its first vertex.
  EXPECT_EQ(std::vector<std::uint32_t>(indices.begin() + 15, indices.begin() + 18),
            (std::vector<std::uint32_t>{0, 6, 1}));
}

// A one-sided ray from outside towards the centre hits every triangle of a closed unit shape:
// its front faces outwards, so culling keeps the outside and drops the inside.
void ExpectFrontFacesOutwards(const std::vector<ColorVertex>& vertices,
                              std::span<const std::uint32_t> indices, const Vec3& center) {
  for (std::size_t i = 0; i < indices.size(); i += 3) {
    const Vec3 a = PositionOf(vertices[indices[i]]);
    const Vec3 b = PositionOf(vertices[indices[i + 1]]);
    const Vec3 c = PositionOf(vertices[indices[i + 2]]);
    const Vec3 centroid = (a + b + c) * (1.0f / 3);
    const Vec3 outward = centroid - center;
    const Ray ray{centroid + outward * 2, outward * -1};
    EXPECT_TRUE(RayHitsTriangle(ray, a, b, c).Hit) << "triangle " << i / 3;
    EXPECT_FALSE(RayHitsTriangle({center, outward}, a, b, c).Hit) << "triangle " << i / 3;
  }
}

TEST(UnitShapes, TrianglesFaceOutwards) {
  std::vector<ColorVertex> sphere;
  AppendUnitSphere(sphere, 16, 0);
  ExpectFrontFacesOutwards(sphere, UnitSphereIndices(16), {0, 0, 0});
  std::vector<ColorVertex> cube;
  AppendUnitCube(cube, 0);
  ExpectFrontFacesOutwards(cube, kBoxTriangleIndices, {0.5f, 0.5f, 0.5f});
}

TEST(UnitShapes, SegmentCountsOutsideTheSettingsRangeAreBroughtIntoIt) {
  EXPECT_EQ(StaticScene(17, 3).SphereSegments(), 16);
  EXPECT_EQ(StaticScene(17, 3).BoundingSegments(), 4);
  EXPECT_EQ(StaticScene(-5, 1000).SphereSegments(), 4);
  EXPECT_EQ(StaticScene(-5, 1000).BoundingSegments(), 48);
}

TEST(BoundingCircles, ThreeClosedLoops) {
  const Scene scene = StaticScene(16, 8);
  const auto vertices = scene.Vertices(VertexSource::BoundingSphere);
  ASSERT_EQ(vertices.size(), 24u);
  const std::vector<std::uint32_t> indices =
      ToVector(scene.Indices(IndexSource::BoundingSphereLines));
  ASSERT_EQ(indices.size(), 48u);
  EXPECT_EQ(indices[14], 7u);  // the last pair of a circle closes it
  EXPECT_EQ(indices[15], 0u);
  EXPECT_EQ(indices[16], 8u);
  EXPECT_EQ(indices[47], 16u);
  // Vertex 2 of each circle lies at 90 degrees.
  EXPECT_NEAR(vertices[2].X, 1, 1e-6f);
  EXPECT_NEAR(vertices[2].Z, 0, 1e-6f);
  EXPECT_NEAR(vertices[8].Y, 1, 1e-6f);   // circle 2 starts at (0, 1, 0)
  EXPECT_NEAR(vertices[16].Z, 1, 1e-6f);  // circle 3 starts at (0, 0, 1)
  EXPECT_NEAR(vertices[18].Y, 1, 1e-6f);
  for (const ColorVertex& v : vertices)
    EXPECT_EQ(v.Color, MainColors{}.Boundings);
}

TEST(StaticShapes, AxesAndCubesCarryTheirColours) {
  MainColors colors;
  colors.Boundings = 0xFF010203;
  colors.WFBoxSphere = 0xFF040506;
  Scene scene;
  scene.RebuildStaticBuffers(SurfaceTypeTable::Defaults(), colors, 16, 48, true);
  const auto axes = scene.Vertices(VertexSource::Axes);
  ASSERT_EQ(axes.size(), 12u);
  EXPECT_EQ(axes[5].Y, 1.0f);  // line 3 runs up the display y axis in blue
  EXPECT_EQ(axes[5].Color, 0xFF0000FFu);
  EXPECT_EQ(axes[6].Y, -1.0f);
  EXPECT_EQ(axes[6].Color, 0xFF000080u);
  EXPECT_EQ(scene.Vertices(VertexSource::BoundingBox)[6].Color, 0xFF010203u);
  EXPECT_EQ(scene.Vertices(VertexSource::WireframeBox)[6].Color, 0xFF040506u);
  EXPECT_EQ(scene.Vertices(VertexSource::WireframeSphere)[0].Color, 0xFF040506u);
  EXPECT_EQ(ToVector(scene.Indices(IndexSource::BoxTriangles)).size(), 36u);
  EXPECT_EQ(ToVector(scene.Indices(IndexSource::BoxLines)).size(), 24u);
}

TEST(StaticShapes, SurfaceSlotsFollowTheTableOrTheObjectColour) {
  SurfaceTypeTable table;
  table.Set(19, 0xFF123456, "Water");
  MainColors colors;
  Scene scene;
  scene.RebuildStaticBuffers(table, colors, 4, 8, true);
  const auto boxes = scene.Vertices(VertexSource::SurfaceBoxes);
  const auto spheres = scene.Vertices(VertexSource::SurfaceSpheres);
  EXPECT_EQ(boxes[scene.SurfaceBoxFirstVertex(19) + 7].Color, 0xFF123456u);
  EXPECT_EQ(spheres[scene.SurfaceSphereFirstVertex(19) + 5].Color, 0xFF123456u);
  EXPECT_EQ(spheres[scene.SurfaceSphereFirstVertex(2)].Color, table.Color(2));
  // Every material beyond the table shares the last slot, in the unknown-surface colour.
  EXPECT_EQ(scene.SurfaceSphereFirstVertex(35), scene.SurfaceSphereFirstVertex(255));
  EXPECT_EQ(spheres[scene.SurfaceSphereFirstVertex(200)].Color, kUnknownSurfaceColor);
  EXPECT_EQ(boxes[scene.SurfaceBoxFirstVertex(200)].Color, kUnknownSurfaceColor);

  scene.RebuildStaticBuffers(table, colors, 4, 8, false);
  for (const ColorVertex& v : scene.Vertices(VertexSource::SurfaceSpheres)) {
    ASSERT_EQ(v.Color, colors.Object);
  }
  for (const ColorVertex& v : scene.Vertices(VertexSource::SurfaceBoxes)) {
    ASSERT_EQ(v.Color, colors.Object);
  }
}

// A San Andreas material is drawn in the live colour of its closest III/VC surface type, in the
// mesh groups and in the sphere and box slots alike; past San Andreas' table it is unknown. The
// same ids in a "COLL" coll keep their own colours.
TEST(RebuildScene, SanAndreasMaterialsTakeTheColourOfTheirClosestSurfaceType) {
  SurfaceTypeTable table;
  table.Set(2, 0xFF010203, "Lawn");  // GRASS, the closest type of P_GRASSMID2 (150)
  table.Set(6, 0xFF040506, "Car");   // CAR (63)
  Scene scene;
  scene.RebuildStaticBuffers(table, MainColors{}, 4, 8, true);
  const auto spheres = scene.Vertices(VertexSource::SurfaceSpheres);
  const auto boxes = scene.Vertices(VertexSource::SurfaceBoxes);
  const struct {
    std::uint8_t material;
    std::uint32_t sa;
    std::uint32_t classic;
  } cases[] = {{150, 0xFF010203, kUnknownSurfaceColor},
               {63, 0xFF040506, kUnknownSurfaceColor},
               {19, table.Color(4), table.Color(19)},  // FLOWERBED: MUD_DRY
               {179, kUnknownSurfaceColor, kUnknownSurfaceColor},
               {2, table.Color(1), 0xFF010203}};  // TARMAC_FUCKED: TARMAC
  Coll sa = StripWithMaterials({150, 63, 19, 179, 2});
  sa.Header.FourCC = {'C', 'O', 'L', '3'};
  const Coll classic = StripWithMaterials({150, 63, 19, 179, 2});
  for (const Coll* coll : std::initializer_list<const Coll*>{&sa, &classic}) {
    scene.RebuildScene(*coll, std::vector<bool>(5, false), table, MainColors{}, true);
    ASSERT_EQ(scene.MeshGroups().size(), 5u);
    const MaterialTable which = MaterialTableOf(coll->Version());
    for (std::size_t i = 0; i < 5; ++i) {
      const auto& c = cases[i];
      const std::uint32_t expected = coll == &sa ? c.sa : c.classic;
      SCOPED_TRACE(std::to_string(c.material) + (coll == &sa ? " in COL3" : " in COLL"));
      EXPECT_EQ(scene.MeshGroups()[i].Material, c.material);
      EXPECT_EQ(scene.MeshGroups()[i].Color, expected);
      EXPECT_EQ(spheres[scene.SurfaceSphereFirstVertex(c.material, which)].Color, expected);
      EXPECT_EQ(boxes[scene.SurfaceBoxFirstVertex(c.material, which) + 3].Color, expected);
    }
  }
}

TEST(RebuildScene, GroupsFollowTheFirstOccurrenceOfEachMaterial) {
  const Coll coll = StripWithMaterials({4, 1, 4, 9});
  const Scene scene = BuiltScene(coll);
  ASSERT_EQ(scene.MeshGroups().size(), 3u);
  const std::vector<std::uint8_t> materials{4, 1, 9};
  const std::vector<std::uint32_t> triangles{2, 1, 1};
  const std::vector<std::uint32_t> firsts{0, 6, 9};
  for (std::size_t g = 0; g < 3; ++g) {
    EXPECT_EQ(scene.MeshGroups()[g].Material, materials[g]);
    EXPECT_EQ(scene.MeshGroups()[g].TriangleCount, triangles[g]);
    EXPECT_EQ(scene.MeshGroups()[g].FirstIndex, firsts[g]);
    EXPECT_EQ(scene.MeshGroups()[g].Color, SurfaceTypeTable::Defaults().Color(materials[g]));
  }
  // Faces 0 and 2 (material 4), then face 1, then face 3.
  EXPECT_EQ(ToVector(scene.Indices(IndexSource::Mesh)),
            (std::vector<std::uint32_t>{0, 1, 2, 0, 1, 2, 1, 2, 3, 1, 2, 3}));
  EXPECT_EQ(scene.MeshTriangleCount(), 4u);
  EXPECT_TRUE(scene.GeometryPresent());
}

TEST(RebuildScene, OneColourMakesOneGroupInFaceOrder) {
  const Coll coll = StripWithMaterials({4, 1, 4, 9});
  const Scene scene = BuiltScene(coll, false);
  ASSERT_EQ(scene.MeshGroups().size(), 1u);
  EXPECT_EQ(scene.MeshGroups()[0].Color, MainColors{}.Object);
  EXPECT_EQ(scene.MeshGroups()[0].TriangleCount, 4u);
  EXPECT_EQ(ToVector(scene.Indices(IndexSource::Mesh)),
            (std::vector<std::uint32_t>{0, 1, 2, 1, 2, 3, 0, 1, 2, 1, 2, 3}));
}

TEST(RebuildScene, MeshVerticesAreStoredOnceInDisplaySpace) {
  CollBuilder b("swap");
  b.Vertex({1, 2, 3});
  b.Vertex({4, 5, 6});
  b.Vertex({7, 8, 9});
  b.Face(0, 1, 2, MakeSurface(1));
  b.Face(0, 2, 1, MakeSurface(2));
  const Scene scene = BuiltScene(b.Build());
  const auto vertices = scene.Vertices(VertexSource::Mesh);
  ASSERT_EQ(vertices.size(), 3u);
  EXPECT_EQ(PositionOf(vertices[0]), (Vec3{1, 3, 2}));
  EXPECT_EQ(PositionOf(vertices[2]), (Vec3{7, 9, 8}));
  EXPECT_EQ(scene.WireframeColor(), MainColors{}.Wireframe);
  EXPECT_EQ(scene.SelectionColor(), MainColors{}.Selection);
}

TEST(RebuildScene, MaterialsBeyondTheTableAreDrawnInTheUnknownColour) {
  const Scene scene = BuiltScene(StripWithMaterials({200, 35}));
  ASSERT_EQ(scene.MeshGroups().size(), 2u);
  EXPECT_EQ(scene.MeshGroups()[0].Color, 0xFFC64848u);
  EXPECT_EQ(scene.MeshGroups()[1].Color, 0xFFC64848u);
}

TEST(RebuildScene, SpheresOnlyIsGeometryWithoutMesh) {
  const Coll coll = CollBuilder("balls").Sphere({0, 0, 0}, 1, MakeSurface(3)).Build();
  const Scene colored = BuiltScene(coll);
  EXPECT_TRUE(colored.GeometryPresent());
  EXPECT_TRUE(colored.Vertices(VertexSource::Mesh).empty());
  EXPECT_TRUE(colored.Indices(IndexSource::Mesh).empty());
  EXPECT_TRUE(colored.MeshGroups().empty());

  const Scene plain = BuiltScene(coll, false);
  EXPECT_TRUE(plain.GeometryPresent());
  ASSERT_EQ(plain.MeshGroups().size(), 1u);
  EXPECT_EQ(plain.MeshGroups()[0].TriangleCount, 0u);
}

TEST(RebuildScene, ACollWithoutElementsOrWithoutFacesIsNoGeometry) {
  EXPECT_FALSE(BuiltScene(CollBuilder("empty").Build()).GeometryPresent());
  CollBuilder points("points");
  points.Vertex({1, 1, 1});
  const Scene scene = BuiltScene(points.Build());
  EXPECT_FALSE(scene.GeometryPresent());
  EXPECT_TRUE(scene.Vertices(VertexSource::Mesh).empty());
}

TEST(RebuildScene, ARebuildReplacesEverythingOfThePreviousColl) {
  Scene scene = BuiltScene(StripWithMaterials({1, 2, 3}), true, {true, true, true});
  EXPECT_EQ(scene.SelectedFaceCount(), 3u);
  const std::uint64_t meshVersion = scene.MeshVersion();
  const std::uint64_t staticVersion = scene.StaticVersion();
  scene.RebuildScene(CollBuilder("empty").Build(), {}, SurfaceTypeTable::Defaults(), MainColors{},
                     true);
  EXPECT_FALSE(scene.GeometryPresent());
  EXPECT_TRUE(scene.MeshGroups().empty());
  EXPECT_TRUE(scene.Indices(IndexSource::Mesh).empty());
  EXPECT_EQ(scene.SelectedFaceCount(), 0u);
  EXPECT_GT(scene.MeshVersion(), meshVersion);
  EXPECT_EQ(scene.StaticVersion(), staticVersion);
  EXPECT_FALSE(scene.Vertices(VertexSource::SurfaceSpheres).empty());
}

TEST(RebuildScene, FacesWithIndicesOutsideTheVerticesAreLeftOut) {
  Coll coll = StripWithMaterials({1, 2, 3, 4, 1});
  coll.Faces[1].B = 4;   // equal to the vertex count
  coll.Faces[2].C = -1;  // negative
  coll.Faces[3].A = std::numeric_limits<std::int32_t>::max();
  const Scene scene = BuiltScene(coll, true, {true, true, true, true, true});
  ASSERT_EQ(scene.MeshGroups().size(), 1u);  // materials 2, 3 and 4 have no drawable face
  EXPECT_EQ(scene.MeshGroups()[0].Material, 1);
  EXPECT_EQ(scene.MeshGroups()[0].TriangleCount, 2u);
  EXPECT_EQ(scene.MeshTriangleCount(), 2u);
  EXPECT_EQ(scene.SelectedFaceCount(), 2u);
  for (std::uint32_t index : scene.Indices(IndexSource::Selection))
    EXPECT_LT(index, 4u);
  for (std::uint32_t index : scene.Indices(IndexSource::Mesh))
    EXPECT_LT(index, 4u);
  EXPECT_FALSE(FaceDrawable(coll, coll.Faces[1]));
  EXPECT_FALSE(FaceDrawable(coll, coll.Faces[2]));
  EXPECT_TRUE(FaceDrawable(coll, coll.Faces[4]));
}

TEST(RebuildScene, AGroupStartsAtItsFirstDrawnFaceAndLeftOutFacesLeaveNoTrace) {
  Coll coll = StripWithMaterials({5, 6, 5, 6, 7});
  coll.Faces[0].C = 4;   // the first face of material 5 is left out
  coll.Faces[4].A = -2;  // material 7 has no drawn face at all
  const Scene scene = BuiltScene(coll);
  ASSERT_EQ(scene.MeshGroups().size(), 2u);
  EXPECT_EQ(scene.MeshGroups()[0].Material, 6);
  EXPECT_EQ(scene.MeshGroups()[0].TriangleCount, 2u);
  EXPECT_EQ(scene.MeshGroups()[1].Material, 5);
  EXPECT_EQ(scene.MeshGroups()[1].FirstIndex, 6u);
  EXPECT_EQ(scene.MeshGroups()[1].TriangleCount, 1u);
  // Faces 1 and 3, then face 2; nothing after them.
  EXPECT_EQ(ToVector(scene.Indices(IndexSource::Mesh)),
            (std::vector<std::uint32_t>{1, 2, 3, 1, 2, 3, 0, 1, 2}));
  const Scene plain = BuiltScene(coll, false);
  ASSERT_EQ(plain.MeshGroups().size(), 1u);
  EXPECT_EQ(plain.MeshGroups()[0].TriangleCount, 3u);
  EXPECT_EQ(ToVector(plain.Indices(IndexSource::Mesh)),
            (std::vector<std::uint32_t>{1, 2, 3, 0, 1, 2, 1, 2, 3}));
  // The same coll made whole again draws every face.
  coll.Faces[0].C = 2;
  coll.Faces[4].A = 0;
  EXPECT_EQ(BuiltScene(coll).MeshGroups().size(), 3u);
}

TEST(RebuildScene, FacesOnCornersThatAreNotFiniteAreLeftOut) {
  Coll coll = StripWithMaterials({1, 1, 1});
  coll.Vertices[3].Y = std::numeric_limits<float>::quiet_NaN();  // used by face 1 only
  coll.Vertices[0].Z = std::numeric_limits<float>::infinity();   // used by faces 0 and 2
  const Scene scene = BuiltScene(coll);
  EXPECT_EQ(scene.MeshTriangleCount(), 0u);
  coll.Vertices[0].Z = 0;
  const Scene fixed = BuiltScene(coll, true, {true, true, true});
  EXPECT_EQ(fixed.MeshTriangleCount(), 2u);
  EXPECT_EQ(fixed.SelectedFaceCount(), 2u);
  EXPECT_TRUE(fixed.GeometryPresent());
}

TEST(RebuildScene, IndicesKeepAllThirtyTwoBits) {
  CollBuilder b("large");
  for (int i = 0; i < 70'000; ++i) {
    b.Vertex({static_cast<float>(i % 300), static_cast<float>(i / 300), 0});
  }
  b.Face(69'999, 65'536, 1, MakeSurface(5));
  b.Face(0, 1, 2, MakeSurface(6));
  const Scene scene = BuiltScene(b.Build(), true, {true, false});
  EXPECT_EQ(scene.Vertices(VertexSource::Mesh).size(), 70'000u);
  EXPECT_EQ(ToVector(scene.Indices(IndexSource::Mesh)),
            (std::vector<std::uint32_t>{69'999, 65'536, 1, 0, 1, 2}));
  EXPECT_EQ(ToVector(scene.Indices(IndexSource::Selection)),
            (std::vector<std::uint32_t>{69'999, 65'536, 1}));
}

TEST(RebuildSelection, TakesTheCheckedFacesInListOrder) {
  const Coll coll = StripWithMaterials({7, 8, 7});
  Scene scene = BuiltScene(coll);
  EXPECT_EQ(scene.SelectedFaceCount(), 0u);
  const std::uint64_t version = scene.SelectionVersion();
  scene.RebuildSelection(coll, {false, true, true});
  EXPECT_EQ(scene.SelectedFaceCount(), 2u);
  EXPECT_EQ(ToVector(scene.Indices(IndexSource::Selection)),
            (std::vector<std::uint32_t>{1, 2, 3, 0, 1, 2}));
  EXPECT_GT(scene.SelectionVersion(), version);
  scene.RebuildSelection(coll, {false, false, false});
  EXPECT_EQ(scene.SelectedFaceCount(), 0u);
}

TEST(RebuildSelection, DoesNothingWhileTheMarksDoNotMatchTheFaces) {
  const Coll coll = StripWithMaterials({7, 8, 7});
  Scene scene = BuiltScene(coll, true, {true, false, false});
  const std::uint64_t version = scene.SelectionVersion();
  scene.RebuildSelection(coll, {true, true});
  scene.RebuildSelection(coll, {true, true, true, true});
  EXPECT_EQ(scene.SelectedFaceCount(), 1u);
  EXPECT_EQ(scene.SelectionVersion(), version);
  // A rebuild with marks of the wrong length leaves the selection empty, not stale.
  scene.RebuildScene(coll, {true}, SurfaceTypeTable::Defaults(), MainColors{}, true);
  EXPECT_EQ(scene.SelectedFaceCount(), 0u);
}

TEST(RebuildSelection, FindsMarksAnywhereInALongList) {
  CollBuilder b("long");
  for (int i = 0; i < 3; ++i)
    b.Vertex({static_cast<float>(i), 0, 0});
  for (int i = 0; i < 200; ++i)
    b.Face(i % 3, (i + 1) % 3, (i + 2) % 3, MakeSurface(1));
  const Coll coll = b.Build();
  std::vector<bool> checks(200, false);
  for (std::size_t i : {0, 63, 64, 127, 128, 199})
    checks[i] = true;
  const Scene scene = BuiltScene(coll, true, checks);
  ASSERT_EQ(scene.SelectedFaceCount(), 6u);
  const std::vector<std::uint32_t> selection = ToVector(scene.Indices(IndexSource::Selection));
  // Face i starts at vertex i % 3.
  const std::vector<std::uint32_t> firsts{0, 0, 1, 1, 2, 1};
  for (std::size_t k = 0; k < firsts.size(); ++k)
    EXPECT_EQ(selection[3 * k], firsts[k]) << k;
}

TEST(GeometryPresent, CanBeClearedWhileTheWorkingCopyIsReplaced) {
  Scene scene = BuiltScene(StripWithMaterials({1}));
  ASSERT_TRUE(scene.GeometryPresent());
  scene.ClearGeometryPresent();
  EXPECT_FALSE(scene.GeometryPresent());
}

// The San Andreas parts: built only while their switch is on, each from its own arrays, left
// alone by the other rebuilds, and with damaged entries left out.
TEST(RebuildSaParts, EachSwitchBuildsOnlyItsOwnPart) {
  Coll coll = colgen::SaColl("sa", 3);
  ASSERT_EQ(coll.ShadowFaces.size(), 2u);
  const std::size_t groups = coll.FaceGroups.size();
  ASSERT_GE(groups, 2u);
  struct Case {
    bool shadow, faceGroups;
  };
  for (const Case c :
       {Case{false, false}, Case{true, false}, Case{false, true}, Case{true, true}}) {
    SCOPED_TRACE(::testing::Message() << c.shadow << c.faceGroups);
    Scene scene = BuiltScene(coll);
    const std::uint64_t version = scene.SaPartsVersion();
    scene.RebuildSaParts(coll, c.shadow, c.faceGroups);
    // Nothing built and nothing held: nothing for the renderer to upload again.
    EXPECT_EQ(scene.SaPartsVersion() > version, c.shadow || c.faceGroups);
    EXPECT_EQ(scene.ShadowTriangleCount(), c.shadow ? 2u : 0u);
    EXPECT_EQ(scene.Vertices(VertexSource::ShadowMesh).size(), c.shadow ? 4u : 0u);
    EXPECT_EQ(scene.FaceGroupLineCount(), c.faceGroups ? 12 * groups : 0u);
    EXPECT_EQ(scene.Vertices(VertexSource::FaceGroupBoxes).size(), c.faceGroups ? 8 * groups : 0u);
    // A change of colours rebuilds the static shapes and must keep them.
    scene.RebuildStaticBuffers(SurfaceTypeTable::Defaults(), MainColors{}, 8, 16, true);
    EXPECT_EQ(scene.ShadowTriangleCount(), c.shadow ? 2u : 0u);
    EXPECT_EQ(scene.Vertices(VertexSource::FaceGroupBoxes).size(), c.faceGroups ? 8 * groups : 0u);
    // Both off again: everything goes, and the renderer hears of it.
    const std::uint64_t built = scene.SaPartsVersion();
    scene.RebuildSaParts(coll, false, false);
    EXPECT_EQ(scene.SaPartsVersion() > built, c.shadow || c.faceGroups);
    EXPECT_EQ(scene.ShadowTriangleCount() + scene.FaceGroupLineCount(), 0u);
    EXPECT_TRUE(scene.Vertices(VertexSource::ShadowMesh).empty());
    EXPECT_TRUE(scene.Vertices(VertexSource::FaceGroupBoxes).empty());
  }
  // A "COLL" coll has neither part, whatever the switches say.
  Scene scene = BuiltScene(StripWithMaterials({1, 2}));
  scene.RebuildSaParts(StripWithMaterials({1, 2}), true, true);
  EXPECT_EQ(scene.ShadowTriangleCount(), 0u);
  EXPECT_EQ(scene.FaceGroupLineCount(), 0u);
}

TEST(RebuildSaParts, BoxesRunAlongTheGroupsEdgesAndDamagedEntriesAreLeftOut) {
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
  Coll coll = colgen::SaColl("sa", 3);
  coll.FaceGroups = {{{1, 2, 3}, {4, 6, 8}, 0, 0}, {{kNaN, 0, 0}, {1, 1, 1}, 1, 1}};
  coll.ShadowVertices.push_back({kNaN, 0, 0});
  coll.ShadowFaces.push_back({0, 1, 9, {}});   // past the shadow vertices
  coll.ShadowFaces.push_back({0, -1, 2, {}});  // negative
  coll.ShadowFaces.push_back({0, 1, 4, {}});   // on the corner that is not finite
  coll.ShadowFaces.push_back({3, 2, 1, {}});
  Scene scene;
  scene.RebuildSaParts(coll, true, true);
  EXPECT_EQ(ToVector(scene.Indices(IndexSource::ShadowMesh)),
            (std::vector<std::uint32_t>{0, 1, 2, 0, 2, 3, 3, 2, 1}));
  const auto shadow = scene.Vertices(VertexSource::ShadowMesh);
  EXPECT_EQ(PositionOf(shadow[3]), (Vec3{-2, 0.5f, 2}));  // coll (x, y, z) shows at (x, z, y)
  ASSERT_EQ(scene.FaceGroupLineCount(), 12u);
  const auto corners = scene.Vertices(VertexSource::FaceGroupBoxes);
  const auto lines = scene.Indices(IndexSource::FaceGroupLines);
  // Twelve different edges, each joining two of eight different corners of the box (1..4, 3..8,
  // 2..6 in display order) that differ along exactly one axis: the box's twelve edges.
  std::set<std::tuple<float, float, float>> cornerSet;
  for (const ColorVertex& v : corners)
    cornerSet.insert({v.X, v.Y, v.Z});
  EXPECT_EQ(cornerSet.size(), 8u);
  std::set<std::pair<std::uint32_t, std::uint32_t>> edges;
  for (std::size_t i = 0; i < lines.size(); i += 2) {
    edges.insert(std::minmax(lines[i], lines[i + 1]));
    const Vec3 a = PositionOf(corners[lines[i]]);
    const Vec3 b = PositionOf(corners[lines[i + 1]]);
    for (const Vec3& p : {a, b}) {
      EXPECT_TRUE(p.X == 1 || p.X == 4) << i;
      EXPECT_TRUE(p.Y == 3 || p.Y == 8) << i;
      EXPECT_TRUE(p.Z == 2 || p.Z == 6) << i;
    }
    EXPECT_EQ((a.X != b.X) + (a.Y != b.Y) + (a.Z != b.Z), 1) << i;
    EXPECT_EQ(corners[lines[i]].Color, kFaceGroupColor);
  }
  EXPECT_EQ(edges.size(), 12u);
}

}  // namespace
}  // namespace vantorel
