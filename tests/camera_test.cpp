#include "view/camera.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace vantorel {
namespace {

constexpr float kTwoPi = 2 * std::numbers::pi_v<float>;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

CameraState At(float azimuth, float elevation = 0, float distance = 10) {
  CameraState camera;
  SetCamera(camera, distance, elevation, azimuth, {0, 0, 0});
  return camera;
}

TEST(MoveCamera, AzimuthWrapsIntoOneTurn) {
  CameraState camera = At(0);
  MoveCamera(camera, {.Azimuth = -1});  // a rotation by 100 counts to the right
  EXPECT_NEAR(camera.Azimuth, kTwoPi - 1, 1e-6f);
  camera = At(-0.5f);
  MoveCamera(camera, {});
  EXPECT_NEAR(camera.Azimuth, kTwoPi - 0.5f, 1e-6f);
  camera = At(6);
  MoveCamera(camera, {.Azimuth = 1});
  EXPECT_NEAR(camera.Azimuth, 7 - kTwoPi, 1e-5f);
  camera = At(0);
  MoveCamera(camera, {.Azimuth = -5 * kTwoPi - 0.25f});
  EXPECT_NEAR(camera.Azimuth, kTwoPi - 0.25f, 1e-4f);
}

TEST(MoveCamera, ElevationStopsShortOfStraightUpOrDown) {
  CameraState camera = At(0, 1.5f);
  MoveCamera(camera, {.Elevation = 0.5f});
  EXPECT_EQ(camera.Elevation, kMaxElevation);
  MoveCamera(camera, {.Elevation = -10});
  EXPECT_EQ(camera.Elevation, -kMaxElevation);
  MoveCamera(camera, {.Elevation = 0.5f});
  EXPECT_NEAR(camera.Elevation, 0.5f - kMaxElevation, 1e-6f);
}

TEST(MoveCamera, DistanceStopsAtTwo) {
  CameraState camera = At(0, 0, 10);
  MoveCamera(camera, {.Distance = -50});  // dragging upwards in zoom mode
  EXPECT_EQ(camera.Distance, 2.0f);
  MoveCamera(camera, {.Distance = 3});
  EXPECT_EQ(camera.Distance, 5.0f);
}

TEST(MoveCamera, TargetMovesByTheDeltas) {
  CameraState camera = At(1);
  MoveCamera(camera, {.TargetX = 1, .TargetY = -2, .TargetZ = 3.5f});
  EXPECT_EQ(CameraTarget(camera), (Vec3{1, -2, 3.5f}));
}

TEST(MoveCamera, NanAndInfiniteMovesLeaveTheCameraUsable) {
  CameraState camera = At(1, 0.5f, 10);
  MoveCamera(camera, {kNaN, kNaN, kNaN, kNaN, kNaN, kNaN});
  EXPECT_EQ(camera, At(1, 0.5f, 10));
  MoveCamera(camera, {kInf, -kInf, kInf, kInf, -kInf, kInf});
  EXPECT_EQ(camera, At(1, 0.5f, 10));
  // A camera set to NaN by hand comes back into range with the next move.
  SetCamera(camera, kNaN, kNaN, kNaN, {0, 0, 0});
  MoveCamera(camera, {});
  EXPECT_EQ(camera.Distance, 2.0f);
  EXPECT_EQ(camera.Elevation, 0.0f);
  EXPECT_EQ(camera.Azimuth, 0.0f);
}

TEST(MoveCamera, HugeAzimuthsWrapWithoutSteppingForever) {
  for (float huge : {1e30f, -1e30f, 3e38f, 1e7f, -123456.7f}) {
    CameraState camera = At(0);
    MoveCamera(camera, {.Azimuth = huge});
    EXPECT_GE(camera.Azimuth, 0.0f) << huge;
    EXPECT_LE(camera.Azimuth, kTwoPi) << huge;
  }
}

TEST(AutomaticZoom, TwiceTheRadiusRoundedHalfToEven) {
  EXPECT_EQ(AutomaticZoomDistance(12.4f, true), 25);
  EXPECT_EQ(AutomaticZoomDistance(12.4f, false), 100);
  EXPECT_EQ(AutomaticZoomDistance(1.25f, true), 2);  // 2.5 goes to 2
  EXPECT_EQ(AutomaticZoomDistance(1.75f, true), 4);  // 3.5 goes to 4
  EXPECT_EQ(AutomaticZoomDistance(10.25f, true), 20);
}

TEST(AutomaticZoom, OddRadiiGiveASaneDistance) {
  EXPECT_EQ(AutomaticZoomDistance(kNaN, true), 100);
  EXPECT_EQ(AutomaticZoomDistance(kInf, true), 100);
  EXPECT_EQ(AutomaticZoomDistance(-kInf, true), 100);
  EXPECT_EQ(AutomaticZoomDistance(1e30f, true), 1'000'000);
  EXPECT_EQ(AutomaticZoomDistance(-5, true), 2);
  EXPECT_EQ(AutomaticZoomDistance(0, true), 2);
}

TEST(ResetCamera, LooksAtTheBoundingCentreInDisplaySpace) {
  CollHeader header;
  header.BoundingCenter = {1, 2, 3};
  const CameraState camera = ResetCameraState(header, 25);
  EXPECT_EQ(CameraTarget(camera), (Vec3{1, 3, 2}));
  EXPECT_EQ(camera.Azimuth, 0.0f);
  EXPECT_EQ(camera.Elevation, kStartElevation);
  EXPECT_EQ(camera.Distance, 25.0f);
  header.BoundingCenter = {kNaN, 2, kInf};
  EXPECT_EQ(CameraTarget(ResetCameraState(header, 25)), (Vec3{0, 0, 2}));
}

TEST(CameraAnimation, FollowsTheClock) {
  CollHeader header;
  header.BoundingCenter = {5, 6, 7};
  const CameraState start = AnimatedCamera(0, 50, header);
  EXPECT_EQ(start.Azimuth, 0.0f);
  EXPECT_EQ(start.Elevation, 0.0f);
  EXPECT_FLOAT_EQ(start.Distance, 40.0f);
  EXPECT_EQ(CameraTarget(start), (Vec3{5, 7, 6}));
  const double t = std::numbers::pi;
  const CameraState later = AnimatedCamera(t, 50, header);
  EXPECT_FLOAT_EQ(later.Azimuth, static_cast<float>(t));
  EXPECT_FLOAT_EQ(later.Elevation, std::numbers::pi_v<float> / 5);
  EXPECT_FLOAT_EQ(later.Distance, static_cast<float>(50 * (0.4 * std::sin(t / 3) + 0.8)));
}

TEST(FrameCamera, RaisesZoomAndDistanceToTwoAndLetsTheAnimationTakeOver) {
  CollHeader header;
  CameraState camera = At(1, 0, 0.5f);
  int zoom = 0;
  PrepareFrameCamera(camera, zoom, false, 10, header);
  EXPECT_EQ(zoom, 2);
  EXPECT_EQ(camera.Distance, 2.0f);
  EXPECT_EQ(camera.Azimuth, 1.0f);
  zoom = 100;
  PrepareFrameCamera(camera, zoom, true, 2, header);
  EXPECT_EQ(camera, AnimatedCamera(2, 100, header));
  // A tiny zoom distance would bring the animated eye nearer than 2.
  zoom = 2;
  PrepareFrameCamera(camera, zoom, true, -4.71, header);
  EXPECT_GE(camera.Distance, 2.0f);
}

TEST(CameraEye, OrbitsTheTarget) {
  CameraState camera;
  SetCamera(camera, 10, 0, 0, {1, 2, 3});
  const Vec3 eye = CameraEye(camera);
  EXPECT_NEAR(eye.X, 11, 1e-5f);
  EXPECT_NEAR(eye.Y, 2, 1e-5f);
  EXPECT_NEAR(eye.Z, 3, 1e-5f);
  SetCamera(camera, 10, std::numbers::pi_v<float> / 2, 0, {0, 0, 0});
  EXPECT_NEAR(CameraEye(camera).Y, 10, 1e-5f);
  SetCamera(camera, 10, 0, std::numbers::pi_v<float> / 2, {0, 0, 0});
  EXPECT_NEAR(CameraEye(camera).Z, 10, 1e-5f);
}

TEST(ViewMatrix, PutsTheEyeAtTheOriginAndTheTargetStraightAhead) {
  CameraState camera;
  SetCamera(camera, 20, 0.3f, 2, {4, 5, 6});
  const Matrix4 view = ViewMatrix(camera);
  const Vec3 eye = TransformPoint(CameraEye(camera), view);
  const Vec3 target = TransformPoint(CameraTarget(camera), view);
  EXPECT_NEAR(eye.X, 0, 1e-4f);
  EXPECT_NEAR(eye.Y, 0, 1e-4f);
  EXPECT_NEAR(eye.Z, 0, 1e-4f);
  EXPECT_NEAR(target.X, 0, 1e-4f);
  EXPECT_NEAR(target.Y, 0, 1e-4f);
  EXPECT_NEAR(target.Z, 20, 1e-4f);
  // Left-handed: looking along +x from the origin, +z (display) lies to the left.
  SetCamera(camera, 10, 0, std::numbers::pi_v<float>, {0, 0, 0});
  const Vec3 side = TransformPoint({0, 0, 1}, ViewMatrix(camera));
  EXPECT_LT(side.X, 0);
  const Vec3 up = TransformPoint({0, 1, 0}, ViewMatrix(camera));
  EXPECT_GT(up.Y, 0);
}

TEST(Projection, FixedFieldOfViewAspectAndDepthRange) {
  const Matrix4 p = ProjectionMatrix();
  EXPECT_NEAR(p(1, 1), 1 / std::tan(std::numbers::pi / 8), 1e-5);
  EXPECT_NEAR(p(0, 0), p(1, 1) * 3 / 4, 1e-5);
  float w = 0;
  EXPECT_NEAR(TransformPoint({0, 0, 1}, p, &w).Z / w, 0, 1e-6);
  EXPECT_NEAR(TransformPoint({0, 0, 1000}, p, &w).Z / w, 1, 1e-6);
  const Matrix4 gl = ToOpenGlDepthRange(p);
  EXPECT_NEAR(TransformPoint({0, 0, 1}, gl, &w).Z / w, -1, 1e-6);
  EXPECT_NEAR(TransformPoint({3, 2, 1000}, gl, &w).Z / w, 1, 1e-6);
  EXPECT_NEAR(TransformPoint({3, 2, 1000}, gl, &w).X / w, 3 * p(0, 0) / 1000, 1e-6);
}

TEST(Matrices, InverseUndoesTheViewAndSingularGivesZero) {
  CameraState camera;
  SetCamera(camera, 7, -0.4f, 5, {10, -3, 8});
  const Matrix4 view = ViewMatrix(camera);
  const Matrix4 product = view * Inverse(view);
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c)
      EXPECT_NEAR(product(r, c), r == c ? 1 : 0, 1e-5f);
  }
  EXPECT_EQ(Inverse(Matrix4::Scaling(1, 0, 1)), Matrix4{});
  Matrix4 broken = Matrix4::Identity();
  broken(2, 1) = kNaN;
  EXPECT_EQ(Inverse(broken), Matrix4{});
  EXPECT_FALSE(IsFinite(broken));
}

TEST(Matrices, ScaleThenTranslatePlacesAUnitShape) {
  const Matrix4 world = Matrix4::ScaleThenTranslate({2, 3, 4}, {10, 20, 30});
  EXPECT_EQ(TransformPoint({1, 1, 1}, world), (Vec3{12, 23, 34}));
  EXPECT_EQ(TransformPoint({0, 0, 0}, world), (Vec3{10, 20, 30}));
  EXPECT_EQ(TransformPoint({1, 0, 0}, world * Matrix4::Translation(1, 0, 0)), (Vec3{13, 20, 30}));
}

}  // namespace
}  // namespace vantorel
