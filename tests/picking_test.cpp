#include "view/picking.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tools/colgen/coll_builder.h"
#include "view/camera.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// Where a display-space point shows on a panel of the given size.
void Project(const Vec3& point, const CameraState& camera, float width, float height, float& x,
             float& y) {
  float w = 0;
  const Vec3 clip = TransformPoint(point, ViewMatrix(camera) * ProjectionMatrix(), &w);
  x = (clip.X / w + 1) / 2 * width;
  y = (1 - clip.Y / w) / 2 * height;
}

TEST(PickRay, ThroughThePanelCentreRunsFromTheEyeToTheTarget) {
  CameraState camera;
  SetCamera(camera, 30, 0.4f, 1.2f, {3, 4, 5});
  const Ray ray = PickRay(320, 240, 640, 480, ViewMatrix(camera), ProjectionMatrix());
  const Vec3 eye = CameraEye(camera);
  EXPECT_NEAR(ray.Origin.X, eye.X, 1e-4f);
  EXPECT_NEAR(ray.Origin.Y, eye.Y, 1e-4f);
  EXPECT_NEAR(ray.Origin.Z, eye.Z, 1e-4f);
  const Vec3 towards = Normalized(CameraTarget(camera) - eye);
  const Vec3 direction = Normalized(ray.Direction);
  EXPECT_NEAR(Dot(towards, direction), 1, 1e-5f);
}

TEST(PickRay, PassesThroughThePointShownUnderTheCursor) {
  CameraState camera;
  SetCamera(camera, 40, -0.2f, 4, {0, 0, 0});
  const Vec3 point{6, -3, 2};
  float x = 0;
  float y = 0;
  Project(point, camera, 500, 300, x, y);  // not 4:3: the picture is stretched, the ray too
  const Ray ray = PickRay(x, y, 500, 300, ViewMatrix(camera), ProjectionMatrix());
  const Vec3 toPoint = point - ray.Origin;
  const Vec3 along =
      ray.Direction * (Dot(toPoint, ray.Direction) / Dot(ray.Direction, ray.Direction));
  const Vec3 miss = toPoint - along;
  EXPECT_LT(std::sqrt(Dot(miss, miss)), 1e-3f);
}

TEST(RayHitsTriangle, HitsTheFrontWithDistanceAndWeights) {
  // Seen from the origin looking along +z, (0,0,5) (0,1,5) (1,0,5) runs clockwise.
  const Ray ray{{0.25f, 0.25f, 0}, {0, 0, 1}};
  const TriangleHit hit = RayHitsTriangle(ray, {0, 0, 5}, {0, 1, 5}, {1, 0, 5});
  ASSERT_TRUE(hit.Hit);
  EXPECT_FLOAT_EQ(hit.T, 5);
  EXPECT_FLOAT_EQ(hit.U, 0.25f);
  EXPECT_FLOAT_EQ(hit.V, 0.25f);
}

TEST(RayHitsTriangle, MissesTheBackTheEdgeAndTheOutside) {
  const Ray ray{{0.25f, 0.25f, 0}, {0, 0, 1}};
  EXPECT_FALSE(RayHitsTriangle(ray, {1, 0, 5}, {0, 1, 5}, {0, 0, 5}).Hit);  // back side
  EXPECT_FALSE(RayHitsTriangle(ray, {0, 0, 5}, {0, 1, 6}, {0, 0, 7}).Hit);  // edge-on
  EXPECT_FALSE(RayHitsTriangle({{2, 2, 0}, {0, 0, 1}}, {0, 0, 5}, {0, 1, 5}, {1, 0, 5}).Hit);
  EXPECT_FALSE(
      RayHitsTriangle({{0.25f, 0.25f, 0}, {kNaN, 0, 1}}, {0, 0, 5}, {0, 1, 5}, {1, 0, 5}).Hit);
}

// Two squares facing the camera at heights 0 and 5 (coll z), each of two faces, seen from above.
struct StackedFloors {
  Coll coll;
  CameraState camera;

  StackedFloors() {
    CollBuilder b("floors");
    for (float z : {0.0f, 5.0f}) {
      const auto a = b.Vertex({-1, -1, z});
      const auto c = b.Vertex({1, -1, z});
      const auto d = b.Vertex({1, 1, z});
      const auto e = b.Vertex({-1, 1, z});
      b.Face(a, e, d, MakeSurface(1));  // clockwise from above in display space
      b.Face(d, c, a, MakeSurface(1));
    }
    coll = b.Build();
    SetCamera(camera, 20, 1.5f, 0, {0, 0, 0});
  }

  Ray Through(float x, float y) const {
    return PickRay(x, y, 640, 480, ViewMatrix(camera), ProjectionMatrix());
  }
};

TEST(PickFace, TakesTheNearestFaceUnderTheCursor) {
  const StackedFloors floors;
  const std::optional<int> picked = PickFace(floors.coll, floors.Through(320, 240), false);
  ASSERT_TRUE(picked.has_value());
  EXPECT_TRUE(*picked == 2 || *picked == 3);  // the upper floor
  EXPECT_FALSE(PickFace(floors.coll, floors.Through(2, 2), true).has_value());
}

TEST(PickFace, BackSidesOnlyWhenDoublesided) {
  StackedFloors floors;
  SetCamera(floors.camera, 20, -1.5f, 0, {0, 0, 0});  // from below
  EXPECT_FALSE(PickFace(floors.coll, floors.Through(320, 240), false).has_value());
  const std::optional<int> picked = PickFace(floors.coll, floors.Through(320, 240), true);
  ASSERT_TRUE(picked.has_value());
  EXPECT_TRUE(*picked == 0 || *picked == 1);  // the lower floor is nearer from below
}

TEST(PickFace, FacesBehindTheEyeAreNotPicked) {
  StackedFloors floors;
  // The eye between the floors looking down: the upper floor is behind it.
  SetCamera(floors.camera, 2.5f, 1.5f, 0, {0, 2.4f, 0});
  const std::optional<int> picked = PickFace(floors.coll, floors.Through(320, 240), true);
  ASSERT_TRUE(picked.has_value());
  EXPECT_TRUE(*picked == 0 || *picked == 1);
}

TEST(PickFace, SkipsFacesThatAreNotDrawn) {
  StackedFloors floors;
  floors.coll.Faces[2].A = 99;
  floors.coll.Faces[3].B = -7;
  std::optional<int> picked = PickFace(floors.coll, floors.Through(320, 240), false);
  ASSERT_TRUE(picked.has_value());
  EXPECT_TRUE(*picked == 0 || *picked == 1);
  floors.coll.Vertices[0].X = kNaN;
  floors.coll.Vertices[2].Y = kNaN;
  EXPECT_FALSE(PickFace(floors.coll, floors.Through(320, 240), true).has_value());
}

}  // namespace
}  // namespace vantorel
