#include "view/navigation.h"

#include <cmath>

#include "doc/view_options.h"

namespace vantorel {

namespace {

constexpr float kKeyStep = 0.17453292f;  // 10 degrees
constexpr float kKeyZoomStep = 0.5f;

bool Inside(const PanelPoint& point, int width, int height) {
  return point.X >= 0 && point.Y >= 0 && point.X < width && point.Y < height;
}

}  // namespace

TickResult NavigationTick(NavigationState& state, const TickInput& input,
                          const CameraState& camera) {
  state.LeftBefore = state.LeftNow;
  state.LeftNow = input.LeftDown;
  if (state.LeftNow != state.LeftBefore) {
    state.PressPoint = input.Cursor;
    state.PickDone = false;
  }
  TickResult result;
  if (!state.LeftNow || !Inside(state.PressPoint, input.PanelWidth, input.PanelHeight)) {
    return result;
  }
  const auto dx = static_cast<float>(input.DX);
  const auto dy = static_cast<float>(input.DY);
  switch (input.NavMode) {
    case kNavPick:
      if (!state.PickDone && input.FaceCount > 0 && input.MouseCaptured) {
        state.PickDone = true;
        result.Pick = state.PressPoint;
      }
      break;
    case kNavZoom:
      result.Move = CameraMove{.Distance = dy / 2};
      break;
    case kNavRotate:
      result.Move = CameraMove{.Elevation = dy / 100, .Azimuth = -dx / 100};
      break;
    case kNavMove: {
      const float sine = std::sin(camera.Azimuth);
      const float cosine = std::cos(camera.Azimuth);
      result.Move = CameraMove{.TargetX = (dx * sine - dy * cosine) / 10,
                               .TargetZ = -(dx * cosine + dy * sine) / 10};
      break;
    }
    default:
      break;
  }
  return result;
}

CameraMove WheelZoom(int angleDelta) {
  // A zoom drag changes the distance by half the vertical movement.
  const float counts = static_cast<float>(-angleDelta) * kWheelNotchCounts / 120;
  return CameraMove{.Distance = counts / 2};
}

KeyResult NavigationKey(NavKey key, bool keyNavigationEnabled) {
  KeyResult result;
  if (!keyNavigationEnabled) return result;
  switch (key) {
    case NavKey::PageUp:
      result.Move = CameraMove{.Distance = -kKeyZoomStep};
      break;
    case NavKey::PageDown:
      result.Move = CameraMove{.Distance = kKeyZoomStep};
      break;
    case NavKey::Left:
      result.Move = CameraMove{.Azimuth = kKeyStep};
      break;
    case NavKey::Right:
      result.Move = CameraMove{.Azimuth = -kKeyStep};
      break;
    case NavKey::Up:
      result.Move = CameraMove{.Elevation = -kKeyStep};
      break;
    case NavKey::Down:
      result.Move = CameraMove{.Elevation = kKeyStep};
      break;
    default:
      break;
  }
  return result;
}

}  // namespace vantorel
