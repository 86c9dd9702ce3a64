#pragma once

#include <optional>

#include "view/camera.h"

namespace vantorel {

// A point in the panel's client coordinates, y downwards.
struct PanelPoint {
  int X = 0;
  int Y = 0;

  bool operator==(const PanelPoint&) const = default;
};

// What the view remembers of the left button between ticks.
struct NavigationState {
  bool LeftNow = false;
  bool LeftBefore = false;
  PanelPoint PressPoint;  // cursor position at the last change of the left button
  bool PickDone = false;  // the pick of the current press has run
};

// What one tick sees.
struct TickInput {
  int DX = 0;  // relative mouse movement since the last tick, right and down positive
  int DY = 0;
  bool LeftDown = false;
  PanelPoint Cursor;
  int PanelWidth = 0;  // client size of the panel
  int PanelHeight = 0;
  int NavMode = 2;
  // Whether the view holds the mouse, i.e. the button went down on the view.
  bool MouseCaptured = false;
  int FaceCount = 0;
};

// What the tick asks of the view.
struct TickResult {
  std::optional<CameraMove> Move;
  std::optional<PanelPoint> Pick;  // pick the face under this point
};

// One timer tick of mouse navigation. A press that starts outside the view moves nothing while
// it is held; a press inside zooms, rotates or moves every tick by the movement of that tick,
// or picks once.
TickResult NavigationTick(NavigationState& state, const TickInput& input,
                          const CameraState& camera);

// The wheel zooms in every mode, towards the view's centre (the target stays): one notch
// (angleDelta 120, forward positive) is a zoom drag of kWheelNotchCounts device counts, forward
// like dragging upwards, so nearer. Finer wheels move in proportion.
inline constexpr int kWheelNotchCounts = 10;
CameraMove WheelZoom(int angleDelta);

// The keys the view listens to.
enum class NavKey { PageUp, PageDown, Left, Right, Up, Down };

struct KeyResult {
  std::optional<CameraMove> Move;
};

// Page and arrow keys move the camera only while key navigation is on. (The digit keys that
// choose the navigation mode are the shortcuts of the mode rows.)
KeyResult NavigationKey(NavKey key, bool keyNavigationEnabled);

}  // namespace vantorel
