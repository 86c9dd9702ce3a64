#pragma once

#include <functional>

#include "doc/change_notifier.h"
#include "doc/scene_view.h"
#include "doc/view_options.h"
#include "view/camera.h"
#include "view/credits.h"
#include "view/frame_plan.h"
#include "view/navigation.h"
#include "view/scene.h"
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
// hears the editor's notices and rebuilds what each needs, answers the commands' requests and
// plans each frame; the OpenGL widget draws the plan. Where there is no OpenGL (the window tests
// on the offscreen platform) it is kept all the same.
class ViewState : public SceneView {
 public:
  // Only keeps the source, which need not be ready yet: nothing is built before the first
  // RebuildStaticBuffers.
  explicit ViewState(ViewSource& source);

  // Seconds of a steady clock; tests put in a clock of their own.
  void SetClock(std::function<double()> clock) { clock_ = std::move(clock); }
  double Now() const { return clock_(); }

  // Subscribes to the editor's notices (see Hear).
  void Follow(ChangeNotifier& changes);
  // One batch of notices, rebuilding each thing at most once: the shapes after the settings
  // changed, the arrays of a changed working copy (the zoom taken from a newly loaded coll's
  // bounding radius and the camera put on it when a notice asks so, otherwise kept), the
  // highlight after face marks changed. Whatever else changed shows at the next frame.
  void Hear(const Notices& notices);

  // Frames drawn until the next rebuild show no coll.
  void ClearGeometryPresent() {
    scene_.ClearGeometryPresent();
    Changed();
  }
  // Rebuilds every buffer of the working copy and puts the camera on its bounding sphere.
  void RebuildScene();
  // Rebuilds the shapes that do not depend on the coll (sphere meshes, outlines, axes).
  void RebuildStaticBuffers();
  // RebuildScene with the camera kept where it is.
  void RebuildSceneKeepingCamera();
  // Rebuilds the highlight of the checked faces.
  void RebuildSelection();
  // The distance of camera resets and of the animation.
  void SetZoomDistance(int distance) {
    zoomDistance_ = distance;
    Changed();
  }
  ViewOptions Options() const override { return options_; }
  void SetOptions(const ViewOptions& options) override;
  void ResetCamera() override;
  void HoldStartPicture(bool hold) override;

  const Scene& Arrays() const { return scene_; }
  bool GeometryPresent() const { return scene_.GeometryPresent(); }
  int ZoomDistance() const { return zoomDistance_; }
  const CameraState& Camera() const { return camera_; }
  void SetCameraState(const CameraState& camera) {
    camera_ = camera;
    Changed();
  }

  // Starts the fade of the start-up picture: full strength now, gone after duration seconds.
  void StartPicture(double duration);

  // One tick of the mouse: a press held on the panel zooms, rotates or moves the camera, or in
  // pick mode toggles the check mark of the face under it once. Allocates nothing.
  void Navigate(const MouseInput& mouse);
  // The page and arrow keys move the camera while key navigation is on.
  void MoveByKey(NavKey key);
  // The mouse wheel zooms in every mode (see WheelZoom).
  void ZoomByWheel(int angleDelta);

  // Whether the picture on screen may differ from the next frame's: something changed since the
  // last frame was planned, or the picture moves by itself (the camera animation, the start-up
  // picture's fade and the frame that takes it away). An idle view draws nothing.
  bool FrameWanted(double now) const { return changed_ || MovesByItself(now); }
  bool MovesByItself(double now) const;
  // Something the frame shows changed outside these calls (the check marks of spheres and
  // boxes, which each frame reads, or the colours).
  void RequestFrame() { Changed(); }
  // Told whenever a frame becomes wanted, so that a drawing view can wake up.
  void SetFrameRequestHandler(std::function<void()> handler) {
    frameRequested_ = std::move(handler);
  }
  // The camera of the frame (the animation, the least distances) and the frame's draws in
  // order. Allocates nothing once a rebuild has reserved room for the plan.
  const FramePlan& PrepareFrame();

 private:
  void Changed();

  ViewSource& source_;
  Scene scene_;
  FramePlan plan_;
  ViewOptions options_;
  CameraState camera_;
  int zoomDistance_ = kDefaultZoomDistance;
  NavigationState navigation_;
  CreditsFade credits_;
  std::function<double()> clock_;
  std::function<void()> frameRequested_;
  bool changed_ = true;
  bool pictureShown_ = false;  // the last frame planned held the start-up picture
};

}  // namespace vantorel
