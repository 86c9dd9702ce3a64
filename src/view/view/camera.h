#pragma once

#include "core/coll_records.h"
#include "doc/zoom_distance.h"
#include "view/view_math.h"

namespace vantorel {

// The orbiting camera: it looks at a target point from an azimuth, an elevation and a distance,
// all in display space.
struct CameraState {
  float TargetX = 0;
  float TargetY = 0;
  float TargetZ = 0;
  float Azimuth = 0;     // around the vertical axis, radians, kept in 0..2 pi
  float Elevation = 0;   // above the horizontal, radians, kept within +-kMaxElevation
  float Distance = 100;  // from target to eye, at least kMinDistance

  bool operator==(const CameraState&) const = default;
};

// Changes of the camera values, as the mouse and the keys ask for them.
struct CameraMove {
  float Distance = 0;
  float Elevation = 0;
  float Azimuth = 0;
  float TargetX = 0;
  float TargetY = 0;
  float TargetZ = 0;

  bool operator==(const CameraMove&) const = default;
};

inline constexpr float kMaxElevation = 1.5706963f;    // just short of straight up or down
inline constexpr float kStartElevation = 0.3926991f;  // pi / 8

// Sets the six values as given.
void SetCamera(CameraState& camera, float distance, float elevation, float azimuth,
               const Vec3& target);
// Adds the move, then keeps the elevation within +-kMaxElevation, wraps the azimuth into
// 0..2 pi and keeps the distance at kMinDistance or more. A value the move would make NaN or
// infinite keeps what it had.
void MoveCamera(CameraState& camera, const CameraMove& move);

// Where a reset puts the camera: on the bounding sphere's centre (a coordinate that is not
// finite counts as 0), azimuth 0, elevation pi / 8, at the zoom distance.
CameraState ResetCameraState(const CollHeader& header, int zoomDistance);

// The camera of the animation at a time in seconds: one radian of azimuth per second, the
// elevation swinging within +-pi / 5 and the distance within 0.4 .. 1.2 times the zoom distance.
CameraState AnimatedCamera(double seconds, int zoomDistance, const CollHeader& header);
// What every frame does to the camera before it builds the view matrix: the zoom distance and
// the camera distance are raised to 2, and the animation, when on, takes over.
void PrepareFrameCamera(CameraState& camera, int& zoomDistance, bool animate, double seconds,
                        const CollHeader& header);

Vec3 CameraTarget(const CameraState& camera);
Vec3 CameraEye(const CameraState& camera);
// Left-handed look-at matrix from the eye to the target with (0, 1, 0) up.
Matrix4 ViewMatrix(const CameraState& camera);
// The fixed projection: vertical field of view pi / 4, aspect 4:3 whatever the panel's own
// proportions, near plane 1, far plane 1000, depth 0..1.
Matrix4 ProjectionMatrix();

}  // namespace vantorel
