#pragma once

#include <QOpenGLWidget>
#include <QPoint>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "view/camera.h"
#include "view/credits.h"
#include "view/frame_plan.h"
#include "view/navigation.h"
#include "view/scene.h"
#include "view/view_options.h"
#include "view/view_source.h"

class QOpenGLFunctions_3_3_Core;

namespace vantorel {

class SceneRenderer;

// Fixed for the life of the view: the multisampling is chosen when the context is made.
struct GlViewSetup {
  int FSAntialiasing = 0;  // 0 none, 1 two samples, 2 four samples
  bool DebugMode = false;  // no multisampling at all
};

// The live 3D preview of the working copy (pnlScreen). A 20 ms timer reads the mouse, moves the
// camera and draws a frame, also while the window is in the background. The view reads the coll,
// check marks, colours and segment counts from its ViewSource when it rebuilds and draws.
class GlView : public QOpenGLWidget {
  Q_OBJECT

 public:
  GlView(ViewSource& source, const GlViewSetup& setup, QWidget* parent = nullptr);
  ~GlView() override;

  // Whether OpenGL 3.3 can be had here: nothing when it can, else the one message to show. The
  // window asks before it makes the view: on a platform without any OpenGL, showing an OpenGL
  // widget can bring the whole program down inside Qt.
  static std::optional<std::string> OpenGlProblem(const GlViewSetup& setup);

  // Told once when OpenGL 3.3 cannot be had or fails; the view draws nothing afterwards.
  void SetFatalErrorHandler(std::function<void(const std::string&)> handler);
  // Seconds of a steady clock; tests put in a clock of their own.
  void SetClock(std::function<double()> clock);

  // The editor's calls.
  void ClearGeometryPresent() { scene_.ClearGeometryPresent(); }
  bool GeometryPresent() const { return scene_.GeometryPresent(); }
  void RebuildStaticBuffers();
  // Rebuilds the coll's arrays and puts the camera on its bounding sphere at the zoom distance.
  void RebuildScene();
  void RebuildSceneKeepingCamera();
  void RebuildSelection();
  void SetZoomDistance(int distance) { zoomDistance_ = distance; }
  int ZoomDistance() const { return zoomDistance_; }
  bool AutomaticZoom() const { return options_.AutomaticZoom; }
  // "Reset Camera Position": zoom distance from the bounding radius, camera on the centre.
  void ResetCamera();
  const CameraState& Camera() const { return camera_; }
  void SetCameraState(const CameraState& camera) { camera_ = camera; }

  const ViewOptions& Options() const { return options_; }
  // Takes every switch; a change of SurfaceColors recolours the buffers with the camera kept,
  // a change of AutomaticZoom resets the camera.
  void SetOptions(const ViewOptions& options);
  void HandleKey(NavKey key);

  // The start-up picture: the About command restarts it for a duration and holds it while open.
  void RestartCredits(double duration);
  void SetCreditsHold(bool hold) { credits_.Hold = hold; }

  // One timer tick: mouse navigation, then a repaint. Public so that tests can step it.
  void Tick();
  // The mouse part of a tick; allocates nothing.
  void Navigate();
  // Draws one frame into the current context; allocates nothing once the scene was uploaded.
  void RenderFrame();
  bool Ready() const { return ready_; }

 signals:
  void contextMenuRequested(QPoint globalPosition);
  void navModeChanged(int mode);

 protected:
  void initializeGL() override;
  void paintGL() override;
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void FreeView();
  void Fail(const std::string& message);
  void ReserveFrame();

  ViewSource& source_;
  Scene scene_;
  FramePlan plan_;
  ViewOptions options_;
  CameraState camera_;
  int zoomDistance_ = kDefaultZoomDistance;
  NavigationState navigation_;
  CreditsFade credits_;
  std::function<double()> clock_;
  std::function<void(const std::string&)> fatalError_;
  std::unique_ptr<SceneRenderer> renderer_;
  QOpenGLFunctions_3_3_Core* gl_ = nullptr;
  QTimer timer_;
  bool ready_ = false;
  bool failed_ = false;
  bool creditsStarted_ = false;
  bool leftDown_ = false;
  PanelPoint cursor_;
  QPoint lastMouse_;
  int movedX_ = 0;
  int movedY_ = 0;
};

}  // namespace vantorel
