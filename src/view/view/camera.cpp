#include "view/camera.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "view/color_vertex.h"

namespace vantorel {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

float FiniteOr(float value, float fallback) {
  return std::isfinite(value) ? value : fallback;
}

float WrappedAzimuth(float azimuth) {
  double a = azimuth;
  // Huge values would take the stepping below forever (or lose every step to rounding).
  if (std::fabs(a) > 64 * kTwoPi) a = std::fmod(a, kTwoPi);
  while (a < 0)
    a += kTwoPi;
  while (a > kTwoPi)
    a -= kTwoPi;
  return static_cast<float>(a);
}

Vec3 CenterOf(const CollHeader& header) {
  const Vec3 c = ToDisplay(header.BoundingCenter);
  return {FiniteOr(c.X, 0), FiniteOr(c.Y, 0), FiniteOr(c.Z, 0)};
}

}  // namespace

void SetCamera(CameraState& camera, float distance, float elevation, float azimuth,
               const Vec3& target) {
  camera = {target.X, target.Y, target.Z, azimuth, elevation, distance};
}

void MoveCamera(CameraState& camera, const CameraMove& move) {
  camera.TargetX = FiniteOr(camera.TargetX + move.TargetX, camera.TargetX);
  camera.TargetY = FiniteOr(camera.TargetY + move.TargetY, camera.TargetY);
  camera.TargetZ = FiniteOr(camera.TargetZ + move.TargetZ, camera.TargetZ);
  camera.Distance = FiniteOr(camera.Distance + move.Distance, camera.Distance);
  camera.Elevation = FiniteOr(camera.Elevation + move.Elevation, camera.Elevation);
  camera.Azimuth = FiniteOr(camera.Azimuth + move.Azimuth, camera.Azimuth);

  camera.Elevation = std::clamp(camera.Elevation, -kMaxElevation, kMaxElevation);
  camera.Azimuth = WrappedAzimuth(FiniteOr(camera.Azimuth, 0));
  if (!(camera.Distance >= kMinDistance)) camera.Distance = kMinDistance;  // NaN too
  if (!std::isfinite(camera.Elevation)) camera.Elevation = 0;
}

CameraState ResetCameraState(const CollHeader& header, int zoomDistance) {
  CameraState camera;
  SetCamera(camera, static_cast<float>(zoomDistance), kStartElevation, 0, CenterOf(header));
  return camera;
}

CameraState AnimatedCamera(double seconds, int zoomDistance, const CollHeader& header) {
  CameraState camera;
  const double azimuth = std::isfinite(seconds) ? seconds : 0;
  SetCamera(camera, static_cast<float>(zoomDistance * (0.4 * std::sin(azimuth / 3) + 0.8)),
            static_cast<float>(std::sin(azimuth / 2) * std::numbers::pi / 5),
            static_cast<float>(azimuth), CenterOf(header));
  return camera;
}

void PrepareFrameCamera(CameraState& camera, int& zoomDistance, bool animate, double seconds,
                        const CollHeader& header) {
  constexpr int kMinZoom = static_cast<int>(kMinDistance);
  if (zoomDistance < kMinZoom) zoomDistance = kMinZoom;
  if (animate) camera = AnimatedCamera(seconds, zoomDistance, header);
  if (!(camera.Distance >= kMinDistance)) camera.Distance = kMinDistance;
}

Vec3 CameraTarget(const CameraState& camera) {
  return {camera.TargetX, camera.TargetY, camera.TargetZ};
}

Vec3 CameraEye(const CameraState& camera) {
  const float cosElevation = std::cos(camera.Elevation);
  const Vec3 offset{cosElevation * std::cos(camera.Azimuth), std::sin(camera.Elevation),
                    cosElevation * std::sin(camera.Azimuth)};
  return CameraTarget(camera) + offset * camera.Distance;
}

Matrix4 ViewMatrix(const CameraState& camera) {
  return LookAtLH(CameraEye(camera), CameraTarget(camera), {0, 1, 0});
}

Matrix4 ProjectionMatrix() {
  return PerspectiveFovLH(static_cast<float>(std::numbers::pi / 4), 4.0f / 3.0f, 1.0f, 1000.0f);
}

}  // namespace vantorel
