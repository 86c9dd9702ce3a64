#pragma once

#include <QOpenGLWidget>
#include <QPoint>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "view/navigation.h"
#include "view/view_state.h"

class QOpenGLFunctions_3_3_Core;

namespace vantorel {

class SceneRenderer;

// Fixed for the life of the view: the multisampling is chosen when the context is made.
struct GlViewSetup {
  int FSAntialiasing = 0;  // 0 none, 1 two samples, 2 four samples
  bool DebugMode = false;  // no multisampling at all
};

// The live 3D preview of the working copy (pnlScreen). A 20 ms timer reads the mouse, moves the
// camera and draws a frame, also while the window is in the background; but only while there is
// something to do: a button held on the view, a change the state reports, the camera animation
// or the start-up picture's fade. An idle view stops its timer and draws nothing. What it draws,
// and from where it looks, is kept by the ViewState it is given; the widget turns mouse events
// into ticks and the state's frame plans into OpenGL draws.
class GlView : public QOpenGLWidget {
  Q_OBJECT

 public:
  GlView(ViewState& state, const GlViewSetup& setup, QWidget* parent = nullptr);
  ~GlView() override;

  // Whether OpenGL 3.3 can be had here: nothing when it can, else the one message to show. The
  // program asks before it makes the view: on a platform without any OpenGL, showing an OpenGL
  // widget brings the whole program down inside Qt.
  static std::optional<std::string> OpenGlProblem(const GlViewSetup& setup);

  // Takes another multisampling setup; only before the view is first shown.
  void SetSetup(const GlViewSetup& setup);
  // Told once when OpenGL 3.3 cannot be had or fails; the view draws nothing afterwards.
  void SetFatalErrorHandler(std::function<void(const std::string&)> handler);

  ViewState& State() { return state_; }

  // One timer tick: mouse navigation, then a repaint when the frame would differ. Public so
  // that tests can step it.
  void Tick();
  // Whether the timer runs, and how many frames were drawn: for tests of the idle view.
  bool Ticking() const { return timer_.isActive(); }
  long FramesDrawn() const { return framesDrawn_; }
  // The mouse part of a tick; allocates nothing.
  void Navigate();
  // Draws one frame into the current context; allocates nothing once the scene was uploaded.
  void RenderFrame();
  bool Ready() const { return ready_; }

 signals:
  // The right button went down on the view.
  void contextMenuRequested(QPoint globalPosition);

 protected:
  void initializeGL() override;
  void paintGL() override;
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void FreeView();
  void WakeUp();
  void Fail(const std::string& message);

  ViewState& state_;
  std::function<void(const std::string&)> fatalError_;
  std::unique_ptr<SceneRenderer> renderer_;
  QOpenGLFunctions_3_3_Core* gl_ = nullptr;
  QTimer timer_;
  bool ready_ = false;
  bool failed_ = false;
  bool pictureStarted_ = false;
  bool leftDown_ = false;
  bool pressSinceTick_ = false;
  PanelPoint cursor_;
  QPoint lastMouse_;
  int movedX_ = 0;
  int movedY_ = 0;
  long framesDrawn_ = 0;
};

}  // namespace vantorel
