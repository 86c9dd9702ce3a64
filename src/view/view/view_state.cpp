#include "view/view_state.h"

#include <chrono>

#include "doc/zoom_distance.h"

#include "view/picking.h"

namespace vantorel {

namespace {

// How long the start-up picture fades after the About message closes.
constexpr double kAboutPictureSeconds = 2.0;

double SteadySeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

ViewState::ViewState(ViewSource& source) : source_(source), clock_(SteadySeconds) {
  camera_ = ResetCameraState(CollHeader{}, zoomDistance_);
}

void ViewState::Changed() {
  changed_ = true;
  if (frameRequested_) frameRequested_();
}

bool ViewState::MovesByItself(double now) const {
  return options_.CameraAnimation || credits_.Hold || pictureShown_ ||
         now <= credits_.Start + credits_.Duration;
}

void ViewState::Follow(ChangeNotifier& changes) {
  changes.Subscribe([this](const Notices& notices) { Hear(notices); });
}

void ViewState::Hear(const Notices& notices) {
  bool shapes = false;
  bool scene = false;
  bool resetCamera = false;
  bool selection = false;
  for (const Notice& notice : notices) {
    if (std::holds_alternative<SettingsChanged>(notice)) {
      shapes = scene = true;
    } else if (const auto* changed = std::get_if<WorkingCopyChanged>(&notice)) {
      scene = true;
      resetCamera = resetCamera || changed->Camera == CameraAfterEdit::Reset;
    } else if (const auto* checks = std::get_if<ChecksChanged>(&notice)) {
      selection = selection || checks->Kind == ListKind::Faces;
    }
  }
  if (shapes) RebuildStaticBuffers();
  if (resetCamera) {
    // A coll that could not be read has no radius to zoom to: the distance stays.
    const Coll& coll = source_.WorkingCopy();
    if (coll.IsLoaded()) {
      zoomDistance_ = AutomaticZoomDistance(coll.Header.BoundingRadius, options_.AutomaticZoom);
    }
    RebuildScene();
  } else if (scene) {
    RebuildSceneKeepingCamera();
  } else if (selection) {
    RebuildSelection();
  }
  // Whatever changed may show (the check marks of spheres and boxes, which each frame reads).
  Changed();
}

void ViewState::SetOptions(const ViewOptions& options) {
  const bool recolour = options.SurfaceColors != options_.SurfaceColors;
  const bool saParts = options.ShowShadowMesh != options_.ShowShadowMesh ||
                       options.ShowFaceGroups != options_.ShowFaceGroups;
  options_ = options;
  // The per-surface shapes and the mesh groups are coloured anew; the view does not move.
  if (recolour) {
    RebuildStaticBuffers();
    RebuildSceneKeepingCamera();
  } else if (saParts) {
    scene_.RebuildSaParts(source_.WorkingCopy(), options_.ShowShadowMesh, options_.ShowFaceGroups);
  }
  Changed();
}

void ViewState::RebuildStaticBuffers() {
  scene_.RebuildStaticBuffers(source_.Surfaces(), source_.Colors(), source_.CSphereDetail(),
                              source_.BSphereDetail(), options_.SurfaceColors);
  Changed();
}

void ViewState::RebuildScene() {
  const Coll& coll = source_.WorkingCopy();
  scene_.RebuildScene(coll, source_.FaceChecks(), source_.Surfaces(), source_.Colors(),
                      options_.SurfaceColors);
  scene_.RebuildSaParts(coll, options_.ShowShadowMesh, options_.ShowFaceGroups);
  camera_ = ResetCameraState(coll.Header, zoomDistance_);
  plan_.Draws.reserve(FramePlanCapacity(scene_, coll));
  Changed();
}

void ViewState::RebuildSceneKeepingCamera() {
  const CameraState kept = camera_;
  RebuildScene();
  camera_ = kept;
}

void ViewState::RebuildSelection() {
  scene_.RebuildSelection(source_.WorkingCopy(), source_.FaceChecks());
  Changed();
}

void ViewState::ResetCamera() {
  const CollHeader& header = source_.WorkingCopy().Header;
  zoomDistance_ = AutomaticZoomDistance(header.BoundingRadius, options_.AutomaticZoom);
  camera_ = ResetCameraState(header, zoomDistance_);
  Changed();
}

void ViewState::HoldStartPicture(bool hold) {
  // Either way the fade starts now: held, every frame moves its start along.
  StartPicture(kAboutPictureSeconds);
  credits_.Hold = hold;
  Changed();
}

void ViewState::StartPicture(double duration) {
  credits_.Start = clock_();
  credits_.Duration = duration;
  Changed();
}

void ViewState::Navigate(const MouseInput& mouse) {
  const Coll& coll = source_.WorkingCopy();
  const TickInput input{.DX = mouse.DX,
                        .DY = mouse.DY,
                        .LeftDown = mouse.LeftDown,
                        .Cursor = mouse.Cursor,
                        .PanelWidth = mouse.PanelWidth,
                        .PanelHeight = mouse.PanelHeight,
                        .NavMode = options_.NavMode,
                        .MouseCaptured = mouse.LeftDown,
                        .FaceCount = coll.FaceCount()};
  const TickResult result = NavigationTick(navigation_, input, camera_);
  if (result.Move) {
    const CameraState before = camera_;
    MoveCamera(camera_, *result.Move);
    if (!(camera_ == before)) Changed();
  }
  if (!result.Pick) return;
  const Ray ray =
      PickRay(static_cast<float>(result.Pick->X), static_cast<float>(result.Pick->Y),
              static_cast<float>(mouse.PanelWidth), static_cast<float>(mouse.PanelHeight),
              ViewMatrix(camera_), ProjectionMatrix());
  if (const std::optional<int> face = PickFace(coll, ray, options_.Doublesided)) {
    // The editor's notice rebuilds the highlight as well; a source of its own tells nobody.
    source_.ToggleFaceCheck(*face);
    RebuildSelection();
  }
}

void ViewState::MoveByKey(NavKey key) {
  const KeyResult result = NavigationKey(key, options_.EnableKeyNavigation);
  if (!result.Move) return;
  MoveCamera(camera_, *result.Move);
  Changed();
}

void ViewState::ZoomByWheel(int angleDelta) {
  if (angleDelta == 0) return;
  MoveCamera(camera_, WheelZoom(angleDelta));
  Changed();
}

const FramePlan& ViewState::PrepareFrame() {
  const double now = clock_();
  const Coll& coll = source_.WorkingCopy();
  PrepareFrameCamera(camera_, zoomDistance_, options_.CameraAnimation, now, coll.Header);
  BuildFramePlan({scene_, options_, camera_, coll, source_.SphereChecks(), source_.BoxChecks(),
                  source_.Colors(), credits_.Level(now)},
                 plan_);
  changed_ = false;
  pictureShown_ = !plan_.Draws.empty() && plan_.Draws.back().Credits;
  return plan_;
}

}  // namespace vantorel
