#pragma once

#include <functional>

#include "app/scene_view.h"
#include "view/camera.h"
#include "view/credits.h"
#include "view/frame_plan.h"
#include "view/navigation.h"
#include "view/scene.h"
#include "view/view_options.h"
#include "view/view_source.h"

namespace vantorel {

// The mouse as one tick saw it, in the panel's client coordinates.
struct MouseInput {
  int DX = 0;  // movement since the last tick, right and down positive
  int DY = 0;
  bool LeftDown = false;  // only ever set by a press on the panel itself
  PanelPoint Cursor;
  int PanelWidth = 0;
  int PanelHeight = 0;
};

// Everything the 3D view keeps between frames: the arrays it draws, its switches, the camera
// and zoom distance, the state of the left button and the fade of the start-up picture. It
// answers the editor's calls and plans each frame; the OpenGL widget draws the plan. Where
// there is no OpenGL (the window tests on the offscreen platform) it is kept all the same.
class ViewState : public SceneView {
 public:
  // Only keeps the source, which need not be ready yet: nothing is built before the first
  // RebuildStaticBuffers.
  explicit ViewState(ViewSource& source);

  // Seconds of a steady clock; tests put in a clock of their own.
  void SetClock(std::function<double()> clock) { clock_ = std::move(clock); }
  double Now() const { return clock_(); }

  void ClearGeometryPresent() override { scene_.ClearGeometryPresent(); }
  void RebuildScene() override;
  void RebuildStaticBuffers() override;
  void RebuildSceneKeepingCamera() override;
  void RebuildSelection() override;
  void SetZoomDistance(int distance) override { zoomDistance_ = distance; }
  ViewOptions Options() const override { return options_; }
  void SetOptions(const ViewOptions& options) override { options_ = options; }
  void ResetCamera() override;
  void HoldStartPicture(bool hold) override;

  const Scene& Arrays() const { return scene_; }
  bool GeometryPresent() const { return scene_.GeometryPresent(); }
  int ZoomDistance() const { return zoomDistance_; }
  const CameraState& Camera() const { return camera_; }
  void SetCameraState(const CameraState& camera) { camera_ = camera; }

  // Starts the fade of the start-up picture: full strength now, gone after duration seconds.
  void StartPicture(double duration);

  // One tick of the mouse: a press held on the panel zooms, rotates or moves the camera, or in
  // pick mode toggles the check mark of the face under it once. Allocates nothing.
  void Navigate(const MouseInput& mouse);
  // The page and arrow keys move the camera while key navigation is on.
  void MoveByKey(NavKey key);
  // The camera of the frame (the animation, the least distances) and the frame's draws in
  // order. Allocates nothing once a rebuild has reserved room for the plan.
  const FramePlan& PrepareFrame();

 private:
  ViewSource& source_;
  Scene scene_;
  FramePlan plan_;
  ViewOptions options_;
  CameraState camera_;
  int zoomDistance_ = kDefaultZoomDistance;
  NavigationState navigation_;
  CreditsFade credits_;
  std::function<double()> clock_;
};

}  // namespace vantorel
