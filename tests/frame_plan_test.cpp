#include "view/frame_plan.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <string>

#include "tools/colgen/coll_builder.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

const char* Name(VertexSource source) {
  switch (source) {
    case VertexSource::Axes:
      return "axes";
    case VertexSource::BoundingBox:
      return "bbox";
    case VertexSource::SurfaceBoxes:
      return "box";
    case VertexSource::WireframeBox:
      return "wbox";
    case VertexSource::SurfaceSpheres:
      return "sphere";
    case VertexSource::WireframeSphere:
      return "wsphere";
    case VertexSource::BoundingSphere:
      return "bsphere";
    case VertexSource::Mesh:
      return "mesh";
    case VertexSource::ShadowMesh:
      return "shadow";
    case VertexSource::FaceGroupBoxes:
      return "groups";
    default:
      return "?";
  }
}

const char* Name(IndexSource source) {
  switch (source) {
    case IndexSource::None:
      return "";
    case IndexSource::BoxLines:
      return "/lines";
    case IndexSource::BoxTriangles:
      return "/boxtri";
    case IndexSource::SphereTriangles:
      return "/spheretri";
    case IndexSource::BoundingSphereLines:
      return "/circles";
    case IndexSource::Mesh:
      return "/faces";
    case IndexSource::Selection:
      return "/selection";
    case IndexSource::ShadowMesh:
      return "/shadowtri";
    case IndexSource::FaceGroupLines:
      return "/edges";
    default:
      return "?";
  }
}

// One word per draw: source, indices, depth bias, and "w" for wireframe fill, "c" for culling,
// "t" for translucent.
std::string Describe(const FramePlan& plan) {
  std::ostringstream out;
  for (const DrawCommand& d : plan.Draws) {
    if (!out.str().empty()) out << ' ';
    if (d.Credits) {
      out << "credits" << (d.DepthTest ? "+z" : "");
      continue;
    }
    out << Name(d.Vertices) << Name(d.Indices) << ':' << d.DepthBias;
    if (d.Fill == FillMode::Wireframe) out << 'w';
    if (d.Cull) out << 'c';
    if (d.Translucent) out << 't';
  }
  return out.str();
}

// A mesh of two materials, two boxes and two spheres.
struct Fixture {
  Coll coll;
  Scene scene;
  ViewOptions options;
  CameraState camera;
  MainColors colors;
  std::vector<bool> sphereChecks{true, true};
  std::vector<bool> boxChecks{false, true};
  std::vector<bool> faceChecks{false, true, false};
  std::optional<int> credits = 200;
  FramePlan plan;

  Fixture() {
    CollBuilder b("plan");
    const auto a = b.Vertex({0, 0, 0});
    const auto c = b.Vertex({1, 0, 0});
    const auto d = b.Vertex({1, 1, 0});
    b.Face(a, c, d, MakeSurface(3));
    b.Face(a, d, c, MakeSurface(5));
    b.Face(c, d, a, MakeSurface(3));
    b.Box({0, 0, 0}, {1, 1, 1}, MakeSurface(9));
    b.Box({1, 2, 3}, {4, 6, 8}, MakeSurface(200));
    b.Sphere({1, 2, 3}, 0.5f, MakeSurface(19));
    b.Sphere({4, 5, 6}, 2, MakeSurface(2));
    coll = b.Build();
    Rebuild();
  }

  void Rebuild() {
    scene.RebuildStaticBuffers(SurfaceTypeTable::Defaults(), colors, 8, 16, true);
    scene.RebuildScene(coll, faceChecks, SurfaceTypeTable::Defaults(), colors,
                       options.SurfaceColors);
    plan.Draws.reserve(FramePlanCapacity(scene, coll));
  }

  std::string Build() {
    BuildFramePlan({scene, options, camera, coll, sphereChecks, boxChecks, colors, credits}, plan);
    return Describe(plan);
  }
};

TEST(FramePlan, DrawsEverythingInTheFrameOrder) {
  Fixture f;
  EXPECT_EQ(f.Build(),
            "axes:0 bbox/lines:1 bsphere/circles:1 "
            "mesh/faces:2 mesh/faces:2 box/boxtri:2 sphere/spheretri:2 sphere/spheretri:2 "
            "mesh/selection:3 "
            "wbox/boxtri:4w wsphere/spheretri:4w wsphere/spheretri:4w mesh/faces:4w credits");
}

TEST(FramePlan, CountsColoursAndSlotsOfTheDraws) {
  Fixture f;
  f.Build();
  const std::vector<DrawCommand>& d = f.plan.Draws;
  ASSERT_EQ(d.size(), 14u);
  EXPECT_EQ(f.plan.ClearColor, f.colors.Background);
  EXPECT_EQ(d[0].Count, 12u);
  EXPECT_EQ(d[0].Shape, Primitive::Lines);
  EXPECT_EQ(d[0].World, Matrix4::Scaling(1000, 1000, 1000));
  EXPECT_EQ(d[1].Count, 24u);
  EXPECT_EQ(d[2].Count, 6u * 16u);
  // Material 3 first (faces 0 and 2), then material 5.
  EXPECT_EQ(d[3].Count, 6u);
  EXPECT_EQ(d[3].FirstIndex, 0u);
  EXPECT_EQ(d[3].DrawColor, SurfaceTypeTable::Defaults().Color(3));
  EXPECT_TRUE(d[3].UseDrawColor);
  EXPECT_EQ(d[4].Count, 3u);
  EXPECT_EQ(d[4].FirstIndex, 6u);
  EXPECT_EQ(d[4].Shape, Primitive::Triangles);
  // Only the second box is checked; material 200 uses the slot beyond the table.
  EXPECT_EQ(d[5].FirstVertex, f.scene.SurfaceBoxFirstVertex(35));
  EXPECT_EQ(d[5].Count, 36u);
  EXPECT_FALSE(d[5].UseDrawColor);
  EXPECT_EQ(d[6].FirstVertex, f.scene.SurfaceSphereFirstVertex(19));
  EXPECT_EQ(d[6].Count, 3u * 8u * 6u);
  EXPECT_EQ(d[7].FirstVertex, f.scene.SurfaceSphereFirstVertex(2));
  EXPECT_EQ(d[8].Count, 3u);
  EXPECT_EQ(d[8].DrawColor, f.colors.Selection);
  EXPECT_EQ(d[9].FirstVertex, 0u);
  EXPECT_EQ(d[12].Count, 9u);
  EXPECT_EQ(d[12].DrawColor, f.colors.Wireframe);
  EXPECT_EQ(d[13].CreditsLevel, 200);
  EXPECT_FALSE(d[13].DepthTest);
  EXPECT_TRUE(d[0].DepthTest);
}

// In a San Andreas coll the same material bytes name other materials, drawn from the slot of
// their closest III/VC surface type: FLOWERBED (19) as MUD_DRY, TARMAC_FUCKED (2) as TARMAC;
// 200 lies past the table.
TEST(FramePlan, ASanAndreasCollDrawsSpheresAndBoxesFromTheSlotsOfItsTable) {
  Fixture f;
  f.coll.Header.FourCC = {'C', 'O', 'L', '3'};
  f.Rebuild();
  f.Build();
  const std::vector<DrawCommand>& d = f.plan.Draws;
  ASSERT_EQ(d.size(), 14u);
  for (const auto& [draw, material] : {std::pair{5, 200}, {6, 19}, {7, 2}}) {
    const bool box = draw == 5;
    const std::uint32_t slot =
        box ? f.scene.SurfaceBoxFirstVertex(material, MaterialTable::SanAndreas)
            : f.scene.SurfaceSphereFirstVertex(material, MaterialTable::SanAndreas);
    EXPECT_EQ(d[static_cast<std::size_t>(draw)].FirstVertex, slot) << material;
    const auto vertices =
        f.scene.Vertices(box ? VertexSource::SurfaceBoxes : VertexSource::SurfaceSpheres);
    EXPECT_EQ(vertices[slot].Color,
              MaterialColor(MaterialTable::SanAndreas, material, SurfaceTypeTable::Defaults()))
        << material;
  }
  EXPECT_NE(d[6].FirstVertex, f.scene.SurfaceSphereFirstVertex(19));
}

TEST(FramePlan, PlacesBoxesAndSpheresInDisplaySpace) {
  Fixture f;
  f.Build();
  const std::vector<DrawCommand>& d = f.plan.Draws;
  // Box (1, 2, 3)..(4, 6, 8): extent (3, 4, 5) shown as (3, 5, 4), corner (1, 3, 2).
  EXPECT_EQ(d[5].World, Matrix4::ScaleThenTranslate({3, 5, 4}, {1, 3, 2}));
  EXPECT_EQ(d[9].World, d[5].World);
  EXPECT_EQ(d[7].World, Matrix4::ScaleThenTranslate({2, 2, 2}, {4, 6, 5}));
  const CollHeader& h = f.coll.Header;
  EXPECT_EQ(d[1].World, Matrix4::ScaleThenTranslate(
                            {h.BoundingMax.X - h.BoundingMin.X, h.BoundingMax.Z - h.BoundingMin.Z,
                             h.BoundingMax.Y - h.BoundingMin.Y},
                            {h.BoundingMin.X, h.BoundingMin.Z, h.BoundingMin.Y}));
  EXPECT_EQ(d[3].World, Matrix4::Identity());
  EXPECT_EQ(f.plan.View, ViewMatrix(f.camera));
  EXPECT_EQ(f.plan.Projection, ProjectionMatrix());
}

TEST(FramePlan, WithoutGeometryOnlyAxesBoundsAndThePicture) {
  Fixture f;
  f.scene.ClearGeometryPresent();
  EXPECT_EQ(f.Build(), "axes:0 bbox/lines:1 bsphere/circles:1 credits+z");
  f.credits.reset();
  EXPECT_EQ(f.Build(), "axes:0 bbox/lines:1 bsphere/circles:1");
}

TEST(FramePlan, ZeroFilledHeaderStillDrawsItsBoundingObjects) {
  Fixture f;
  f.coll = Coll{};
  f.Rebuild();
  EXPECT_EQ(f.Build(), "axes:0 bbox/lines:1 bsphere/circles:1 credits+z");
  EXPECT_EQ(f.plan.Draws[1].World, Matrix4::ScaleThenTranslate({0, 0, 0}, {0, 0, 0}));
}

TEST(FramePlan, SelectionShowsWithSolidAndWireframeOff) {
  Fixture f;
  f.options.Solid = false;
  f.options.Wireframe = false;
  EXPECT_EQ(f.Build(), "axes:0 bbox/lines:1 bsphere/circles:1 mesh/selection:3 credits");
  f.options.ShowMeshes = false;
  EXPECT_EQ(f.Build(), "axes:0 bbox/lines:1 bsphere/circles:1 credits");
}

TEST(FramePlan, EachSwitchRemovesItsDraws) {
  Fixture f;
  f.credits.reset();
  f.options.ShowAxes = false;
  f.options.BoundingBox = false;
  f.options.BoundingSphere = false;
  f.options.ShowSpheres = false;
  EXPECT_EQ(f.Build(),
            "mesh/faces:2 mesh/faces:2 box/boxtri:2 mesh/selection:3 wbox/boxtri:4w mesh/faces:4w");
  f.options.ShowSpheres = true;
  f.options.ShowBoxes = false;
  f.options.ShowMeshes = false;
  EXPECT_EQ(f.Build(),
            "sphere/spheretri:2 sphere/spheretri:2 wsphere/spheretri:4w "
            "wsphere/spheretri:4w");
  f.options.Solid = false;
  EXPECT_EQ(f.Build(), "wsphere/spheretri:4w wsphere/spheretri:4w");
}

TEST(FramePlan, CullingFollowsDoublesided) {
  Fixture f;
  f.credits.reset();
  f.options.ShowAxes = f.options.BoundingBox = f.options.BoundingSphere = false;
  f.options.Doublesided = false;
  EXPECT_EQ(f.Build(),
            "mesh/faces:2c mesh/faces:2c box/boxtri:2c sphere/spheretri:2c sphere/spheretri:2c "
            "mesh/selection:3c wbox/boxtri:4wc wsphere/spheretri:4wc wsphere/spheretri:4wc "
            "mesh/faces:4wc");
}

TEST(FramePlan, OneColourDrawsOneGroup) {
  Fixture f;
  f.options.SurfaceColors = false;
  f.Rebuild();
  f.Build();
  EXPECT_EQ(f.plan.Draws[3].Count, 9u);
  EXPECT_EQ(f.plan.Draws[3].DrawColor, f.colors.Object);
  EXPECT_EQ(f.plan.Draws[4].Vertices, VertexSource::SurfaceBoxes);
}

TEST(FramePlan, ElementsWithoutACheckMarkOrAFinitePlaceAreLeftOut) {
  Fixture f;
  f.credits.reset();
  f.options.Wireframe = false;
  f.sphereChecks = {true};  // the list is shorter than the spheres while it is refilled
  EXPECT_EQ(f.Build(),
            "axes:0 bbox/lines:1 bsphere/circles:1 mesh/faces:2 mesh/faces:2 box/boxtri:2 "
            "sphere/spheretri:2 mesh/selection:3");
  f.sphereChecks = {true, true};
  f.coll.Spheres[0].Radius = kNaN;
  f.coll.Boxes[1].Max.Z = std::numeric_limits<float>::infinity();
  f.coll.Header.BoundingRadius = kNaN;
  f.coll.Header.BoundingMin.X = kNaN;
  EXPECT_EQ(f.Build(), "axes:0 mesh/faces:2 mesh/faces:2 sphere/spheretri:2 mesh/selection:3");
}

TEST(FramePlan, FacesThatAreNotDrawnLeaveEmptyGroupsOut) {
  Fixture f;
  f.credits.reset();
  f.options.ShowAxes = f.options.BoundingBox = f.options.BoundingSphere = false;
  f.options.ShowBoxes = f.options.ShowSpheres = false;
  for (CollFace& face : f.coll.Faces)
    face.A = 50;
  f.Rebuild();
  EXPECT_TRUE(f.scene.GeometryPresent());
  EXPECT_EQ(f.Build(), "");
}

TEST(FramePlan, BuildingAgainAllocatesNothingOnceReserved) {
  Fixture f;
  f.Build();
  const DrawCommand* data = f.plan.Draws.data();
  const std::size_t capacity = f.plan.Draws.capacity();
  EXPECT_GE(capacity, f.plan.Draws.size());
  for (int i = 0; i < 5; ++i)
    f.Build();
  EXPECT_EQ(f.plan.Draws.data(), data);
  EXPECT_EQ(f.plan.Draws.capacity(), capacity);
  EXPECT_EQ(f.plan.Draws.size(), 14u);
}

// A coll with a shadow mesh of one triangle and two face groups.
void AddSaParts(Fixture& f) {
  f.coll.ShadowVertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  f.coll.ShadowFaces = {{0, 1, 2, {}}};
  f.coll.FaceGroups = {{{0, 0, 0}, {1, 1, 0}, 0, 1}, {{0, 0, 0}, {1, 1, 0}, 2, 2}};
  f.options.ShowShadowMesh = f.options.ShowFaceGroups = true;
  f.scene.RebuildSaParts(f.coll, true, true);
  f.credits.reset();
  f.options.ShowAxes = f.options.BoundingBox = f.options.BoundingSphere = false;
  f.options.ShowSpheres = f.options.ShowBoxes = false;
}

TEST(FramePlan, TheSanAndreasPartsComeLastOverEverythingElse) {
  Fixture f;
  AddSaParts(f);
  // Shadow edges and group boxes above the wireframe, the boxes winning where they coincide;
  // the see-through fill after every opaque draw, at the selection's level so it shows on a
  // collision face it lies on.
  EXPECT_EQ(f.Build(),
            "mesh/faces:2 mesh/faces:2 mesh/selection:3 mesh/faces:4w "
            "shadow/shadowtri:5w groups/edges:5 shadow/shadowtri:3t");
  EXPECT_EQ(f.plan.Draws[4].Count, 3u);
  EXPECT_EQ(f.plan.Draws[4].DrawColor, kShadowEdgeColor);
  EXPECT_EQ(f.plan.Draws[5].Count, 48u);
  EXPECT_FALSE(f.plan.Draws[6].UseDrawColor);  // the fill's alpha comes with its vertices
  // They are switches of their own: Solid, Wireframe and Show Meshes leave them.
  f.options.Solid = f.options.Wireframe = f.options.ShowMeshes = false;
  EXPECT_EQ(f.Build(), "shadow/shadowtri:5w groups/edges:5 shadow/shadowtri:3t");
  f.options.ShowFaceGroups = false;
  EXPECT_EQ(f.Build(), "shadow/shadowtri:5w shadow/shadowtri:3t");
  f.options.ShowShadowMesh = false;
  EXPECT_EQ(f.Build(), "");
  f.options.ShowFaceGroups = true;
  EXPECT_EQ(f.Build(), "groups/edges:5");
  // Frames shown while the working copy is replaced draw none of them.
  f.options.ShowShadowMesh = f.options.ShowFaceGroups = true;
  f.scene.ClearGeometryPresent();
  EXPECT_EQ(f.Build(), "");
}

TEST(FramePlan, CapacityCoversTheLargestFrame) {
  Fixture f;
  f.boxChecks = {true, true};
  f.Build();
  EXPECT_LE(f.plan.Draws.size(), FramePlanCapacity(f.scene, f.coll));
  EXPECT_EQ(f.plan.Draws.size(), 16u);
  AddSaParts(f);
  f.options = ViewOptions{};
  f.options.ShowShadowMesh = f.options.ShowFaceGroups = true;
  f.credits = 1;
  f.Build();
  EXPECT_EQ(f.plan.Draws.size(), 19u);
  EXPECT_LE(f.plan.Draws.size(), FramePlanCapacity(f.scene, f.coll));
}

}  // namespace
}  // namespace vantorel
