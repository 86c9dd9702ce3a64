#include "view/qt/gl_view.h"

#include <QMouseEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions_3_3_Core>
#include <QOpenGLVersionFunctionsFactory>
#include <QSurfaceFormat>
#include <algorithm>
#include <optional>

#include "view/qt/scene_renderer.h"

namespace vantorel {

namespace {

constexpr int kTickMilliseconds = 20;
constexpr double kStartPictureSeconds = 3.0;

std::string InitError(const std::string& detail) {
  return "ERROR while initialising OpenGL!\r\n\r\n(" + detail + ")";
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

GlView::GlView(ViewState& state, const GlViewSetup& setup, QWidget* parent)
    : QOpenGLWidget(parent), state_(state) {
  setObjectName("pnlScreen");
  SetSetup(setup);
  setFocusPolicy(Qt::ClickFocus);
  timer_.setInterval(kTickMilliseconds);
  connect(&timer_, &QTimer::timeout, this, &GlView::Tick);
  state_.SetFrameRequestHandler([this] { WakeUp(); });
}

GlView::~GlView() {
  // The context outlives this object by a moment; free the buffers while it can still be made
  // current, and do not hear of its end afterwards.
  if (context() != nullptr) disconnect(context(), nullptr, this, nullptr);
  state_.SetFrameRequestHandler({});
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

void GlView::SetSetup(const GlViewSetup& setup) {
  setFormat(ViewFormat(setup));
}

void GlView::SetFatalErrorHandler(std::function<void(const std::string&)> handler) {
  fatalError_ = std::move(handler);
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
  // The picture fades once per run, from the moment the view first works; a context made
  // again later (the widget moved to another window) does not show it again.
  if (!pictureStarted_) {
    state_.StartPicture(kStartPictureSeconds);
    pictureStarted_ = true;
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

void GlView::WakeUp() {
  if (ready_ && !timer_.isActive()) timer_.start();
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
  const FramePlan& plan = state_.PrepareFrame();
  std::string error;
  if (!renderer_->Upload(state_.Arrays(), error)) {
    Fail(error);
    return;
  }
  ++framesDrawn_;
  const qreal ratio = devicePixelRatioF();
  renderer_->Draw(plan, static_cast<int>(width() * ratio), static_cast<int>(height() * ratio));
}

void GlView::Tick() {
  const bool held = leftDown_ || pressSinceTick_;
  Navigate();
  const double now = state_.Now();
  if (state_.FrameWanted(now)) update();
  // Resting: woken again by a press on the view or by a change the state reports.
  if (!held && !state_.MovesByItself(now)) timer_.stop();
}

void GlView::Navigate() {
  // A press released again before the tick (a tap on a touchpad) is still seen down once.
  const bool down = leftDown_ || pressSinceTick_;
  pressSinceTick_ = false;
  state_.Navigate({.DX = movedX_,
                   .DY = movedY_,
                   .LeftDown = down,
                   .Cursor = cursor_,
                   .PanelWidth = width(),
                   .PanelHeight = height()});
  movedX_ = 0;
  movedY_ = 0;
}

void GlView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    leftDown_ = true;
    pressSinceTick_ = true;
    WakeUp();
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

}  // namespace vantorel
