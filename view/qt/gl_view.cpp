#include "view/qt/gl_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions_3_3_Core>
#include <QOpenGLVersionFunctionsFactory>
#include <QSurfaceFormat>
#include <algorithm>
#include <chrono>
#include <optional>

#include "view/picking.h"
#include "view/qt/scene_renderer.h"

namespace vantorel {

namespace {

constexpr int kTickMilliseconds = 20;

std::string InitError(const std::string& detail) {
  return "ERROR while initialising OpenGL!\r\n\r\n(" + detail + ")";
}

double SteadySeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

std::optional<NavKey> NavKeyOf(int key) {
  switch (key) {
    case Qt::Key_PageUp:
      return NavKey::PageUp;
    case Qt::Key_PageDown:
      return NavKey::PageDown;
    case Qt::Key_Left:
      return NavKey::Left;
    case Qt::Key_Right:
      return NavKey::Right;
    case Qt::Key_Up:
      return NavKey::Up;
    case Qt::Key_Down:
      return NavKey::Down;
    case Qt::Key_1:
      return NavKey::Digit1;
    case Qt::Key_2:
      return NavKey::Digit2;
    case Qt::Key_3:
      return NavKey::Digit3;
    case Qt::Key_4:
      return NavKey::Digit4;
    default:
      return std::nullopt;
  }
}

QSurfaceFormat ViewFormat(const GlViewSetup& setup) {
  QSurfaceFormat format;
  format.setVersion(3, 3);
  format.setProfile(QSurfaceFormat::CoreProfile);
  format.setDepthBufferSize(24);
  const int level = std::clamp(setup.FSAntialiasing, 0, 2);
  format.setSamples(setup.DebugMode ? 0 : 2 * level);
  return format;
}

// What is missing in a current context, or nothing.
std::optional<std::string> ContextProblem(QOpenGLContext& context) {
  const QSurfaceFormat format = context.format();
  const std::string offered = std::to_string(format.majorVersion()) + "." +
                              std::to_string(format.minorVersion()) +
                              (context.isOpenGLES() ? " ES" : "");
  if (context.isOpenGLES() || format.version() < qMakePair(3, 3)) {
    return InitError("OpenGL 3.3 is not available; the system offers OpenGL " + offered);
  }
  auto* functions = QOpenGLVersionFunctionsFactory::get<QOpenGLFunctions_3_3_Core>(&context);
  if (functions == nullptr || !functions->initializeOpenGLFunctions()) {
    return InitError("the OpenGL 3.3 core functions are missing in OpenGL " + offered);
  }
  return std::nullopt;
}

const char* const kNoContext =
    "ERROR while creating the OpenGL context!\r\n\r\n(no OpenGL context could be made for the "
    "3D view)";

PanelPoint PanelPointOf(const QPointF& position) {
  return {static_cast<int>(position.x()), static_cast<int>(position.y())};
}

}  // namespace

GlView::GlView(ViewSource& source, const GlViewSetup& setup, QWidget* parent)
    : QOpenGLWidget(parent), source_(source), clock_(SteadySeconds) {
  setObjectName("pnlScreen");
  setFormat(ViewFormat(setup));
  setFocusPolicy(Qt::ClickFocus);

  timer_.setInterval(kTickMilliseconds);
  connect(&timer_, &QTimer::timeout, this, &GlView::Tick);
  camera_ = ResetCameraState(CollHeader{}, zoomDistance_);
  RebuildStaticBuffers();
}

GlView::~GlView() {
  // The context outlives this object by a moment; free the buffers while it can still be made
  // current, and do not hear of its end afterwards.
  if (context() != nullptr) disconnect(context(), nullptr, this, nullptr);
  FreeView();
}

std::optional<std::string> GlView::OpenGlProblem(const GlViewSetup& setup) {
  QOpenGLContext context;
  context.setFormat(ViewFormat(setup));
  if (!context.create()) return kNoContext;
  QOffscreenSurface surface;
  surface.setFormat(context.format());
  surface.create();
  if (!surface.isValid() || !context.makeCurrent(&surface)) return kNoContext;
  std::optional<std::string> problem = ContextProblem(context);
  context.doneCurrent();
  return problem;
}

void GlView::SetFatalErrorHandler(std::function<void(const std::string&)> handler) {
  fatalError_ = std::move(handler);
}

void GlView::SetClock(std::function<double()> clock) {
  clock_ = std::move(clock);
}

void GlView::initializeGL() {
  if (failed_) return;
  QOpenGLContext* ctx = context();
  if (const std::optional<std::string> problem = ContextProblem(*ctx)) {
    Fail(*problem);
    return;
  }
  gl_ = QOpenGLVersionFunctionsFactory::get<QOpenGLFunctions_3_3_Core>(ctx);
  connect(ctx, &QOpenGLContext::aboutToBeDestroyed, this, &GlView::FreeView, Qt::UniqueConnection);
  std::string error;
  renderer_ = SceneRenderer::Create(*gl_, QImage(":/CREDITS"), error);
  if (!renderer_) {
    Fail(InitError(error));
    return;
  }
  if (!creditsStarted_) {
    credits_.Start = clock_();
    credits_.Duration = 3.0;
    creditsStarted_ = true;
  }
  ready_ = true;
  timer_.start();
}

void GlView::FreeView() {
  timer_.stop();
  ready_ = false;
  if (!renderer_) return;
  makeCurrent();
  renderer_.reset();
  doneCurrent();
  gl_ = nullptr;
}

void GlView::Fail(const std::string& message) {
  if (failed_) return;
  failed_ = true;
  ready_ = false;
  timer_.stop();
  // Told after the current paint or set-up has returned, never from inside it.
  QMetaObject::invokeMethod(
      this,
      [this, message] {
        if (fatalError_) fatalError_(message);
      },
      Qt::QueuedConnection);
}

void GlView::showEvent(QShowEvent* event) {
  QOpenGLWidget::showEvent(event);
  // A context that could not be made leaves initializeGL uncalled; find that out once shown.
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (!ready_ && !failed_ && isVisible() && !size().isEmpty() && !isValid()) {
          Fail(kNoContext);
        }
      },
      Qt::QueuedConnection);
}

void GlView::paintGL() {
  RenderFrame();
}

void GlView::RenderFrame() {
  if (!ready_ || !renderer_) return;
  const double now = clock_();
  const Coll& coll = source_.WorkingCopy();
  PrepareFrameCamera(camera_, zoomDistance_, options_.CameraAnimation, now, coll.Header);
  std::string error;
  if (!renderer_->Upload(scene_, error)) {
    Fail(error);
    return;
  }
  BuildFramePlan({scene_, options_, camera_, coll, source_.SphereChecks(), source_.BoxChecks(),
                  source_.Colors(), credits_.Level(now)},
                 plan_);
  const qreal ratio = devicePixelRatioF();
  renderer_->Draw(plan_, static_cast<int>(width() * ratio), static_cast<int>(height() * ratio));
}

void GlView::RebuildStaticBuffers() {
  scene_.RebuildStaticBuffers(source_.Surfaces(), source_.Colors(), source_.CSphereDetail(),
                              source_.BSphereDetail(), options_.SurfaceColors);
}

void GlView::RebuildScene() {
  const Coll& coll = source_.WorkingCopy();
  scene_.RebuildScene(coll, source_.FaceChecks(), source_.Surfaces(), source_.Colors(),
                      options_.SurfaceColors);
  camera_ = ResetCameraState(coll.Header, zoomDistance_);
  ReserveFrame();
}

void GlView::RebuildSceneKeepingCamera() {
  const CameraState kept = camera_;
  RebuildScene();
  camera_ = kept;
}

void GlView::RebuildSelection() {
  scene_.RebuildSelection(source_.WorkingCopy(), source_.FaceChecks());
}

void GlView::ReserveFrame() {
  plan_.Draws.reserve(FramePlanCapacity(scene_, source_.WorkingCopy()));
}

void GlView::ResetCamera() {
  const CollHeader& header = source_.WorkingCopy().Header;
  zoomDistance_ = AutomaticZoomDistance(header.BoundingRadius, options_.AutomaticZoom);
  camera_ = ResetCameraState(header, zoomDistance_);
}

void GlView::SetOptions(const ViewOptions& options) {
  const ViewOptions old = options_;
  options_ = options;
  if (old.SurfaceColors != options.SurfaceColors) {
    scene_.ClearGeometryPresent();
    RebuildStaticBuffers();
    RebuildSceneKeepingCamera();
  }
  if (old.AutomaticZoom != options.AutomaticZoom) ResetCamera();
}

void GlView::HandleKey(NavKey key) {
  const KeyResult result = NavigationKey(key, options_.EnableKeyNavigation);
  if (result.Move) MoveCamera(camera_, *result.Move);
  if (result.NavMode && *result.NavMode != options_.NavMode) {
    options_.NavMode = *result.NavMode;
    emit navModeChanged(options_.NavMode);
  }
}

void GlView::RestartCredits(double duration) {
  credits_.Start = clock_();
  credits_.Duration = duration;
}

void GlView::Tick() {
  Navigate();
  update();
}

void GlView::Navigate() {
  const Coll& coll = source_.WorkingCopy();
  const TickInput input{.DX = movedX_,
                        .DY = movedY_,
                        .LeftDown = leftDown_,
                        .Cursor = cursor_,
                        .PanelWidth = width(),
                        .PanelHeight = height(),
                        .NavMode = options_.NavMode,
                        .MouseCaptured = leftDown_,
                        .FaceCount = coll.FaceCount()};
  movedX_ = 0;
  movedY_ = 0;
  const TickResult result = NavigationTick(navigation_, input, camera_);
  if (result.Move) MoveCamera(camera_, *result.Move);
  if (!result.Pick) return;
  const Ray ray = PickRay(static_cast<float>(result.Pick->X), static_cast<float>(result.Pick->Y),
                          static_cast<float>(width()), static_cast<float>(height()),
                          ViewMatrix(camera_), ProjectionMatrix());
  if (const std::optional<int> face = PickFace(coll, ray, options_.Doublesided)) {
    source_.ToggleFaceCheck(*face);
    RebuildSelection();
  }
}

void GlView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    leftDown_ = true;
    lastMouse_ = event->position().toPoint();
    cursor_ = PanelPointOf(event->position());
  }
  if (event->buttons() & Qt::RightButton) {
    emit contextMenuRequested(event->globalPosition().toPoint());
  }
}

void GlView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint position = event->position().toPoint();
  movedX_ += position.x() - lastMouse_.x();
  movedY_ += position.y() - lastMouse_.y();
  lastMouse_ = position;
  cursor_ = PanelPointOf(event->position());
}

void GlView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    leftDown_ = false;
    cursor_ = PanelPointOf(event->position());
  }
}

void GlView::keyPressEvent(QKeyEvent* event) {
  if (const std::optional<NavKey> key = NavKeyOf(event->key())) HandleKey(*key);
  QOpenGLWidget::keyPressEvent(event);  // not consumed: the focused control sees it as well
}

}  // namespace vantorel
