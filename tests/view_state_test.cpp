#include "view/view_state.h"

#include <gtest/gtest.h>

#include <numbers>
#include <stdexcept>

#include "doc/editor.h"
#include "tests/support/fake_ui.h"
#include "tests/support/test_files.h"
#include "tools/colgen/coll_builder.h"
#include "view/editor_view_source.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;

constexpr int kWidth = 400;
constexpr int kHeight = 300;

// A square of two faces in the plane y = 0 whose front looks towards negative coll y.
Coll Square() {
  CollBuilder b("square");
  const auto a = b.Vertex({4, 0, -2});
  const auto c = b.Vertex({8, 0, -2});
  const auto d = b.Vertex({8, 0, 2});
  const auto e = b.Vertex({4, 0, 2});
  b.Face(a, e, d, MakeSurface(1));
  b.Face(d, c, a, MakeSurface(1));
  return b.Build();
}

// In front of the square, on the negative coll y side.
CameraState FrontCamera() {
  CameraState camera;
  SetCamera(camera, 20, 0, 3 * std::numbers::pi_v<float> / 2, {6, 0, 0});
  return camera;
}

// Where a coll point shows on a panel of kWidth x kHeight for the camera.
PanelPoint Shown(const CameraState& camera, const Vector3& point) {
  float w = 0;
  const Vec3 clip =
      TransformPoint({point.X, point.Z, point.Y}, ViewMatrix(camera) * ProjectionMatrix(), &w);
  return {static_cast<int>((clip.X / w + 1) / 2 * kWidth),
          static_cast<int>((1 - clip.Y / w) / 2 * kHeight)};
}

MouseInput Press(PanelPoint at, bool down = true) {
  MouseInput input;
  input.LeftDown = down;
  input.Cursor = at;
  input.PanelWidth = kWidth;
  input.PanelHeight = kHeight;
  return input;
}

// Centroids of the square's faces: face 0 lies towards x = 4, face 1 towards x = 8.
constexpr Vector3 kFace0{5.33f, 0, 0.67f};
constexpr Vector3 kFace1{6.67f, 0, -0.67f};

class ViewStateTest : public ::testing::Test {
 protected:
  ViewStateTest() {
    state.SetClock([this] { return now; });
    data.SetColl(Square());
    state.RebuildStaticBuffers();
    state.RebuildScene();
    state.SetCameraState(FrontCamera());
  }

  void SetNavMode(int mode) {
    ViewOptions options = state.Options();
    options.NavMode = mode;
    state.SetOptions(options);
  }

  ViewData data;
  ViewState state{data};
  double now = 1000;
};

TEST_F(ViewStateTest, APressInPickModeTogglesTheFaceUnderItOnce) {
  SetNavMode(kNavPick);
  const PanelPoint face1 = Shown(state.Camera(), kFace1);
  state.Navigate(Press(face1));
  state.Navigate(Press(face1));  // still held: no second pick
  EXPECT_EQ(data.faceChecks, (std::vector<bool>{false, true}));
  EXPECT_EQ(state.Arrays().SelectedFaceCount(), 1u);
  state.Navigate(Press(face1, false));
  state.Navigate(Press(Shown(state.Camera(), kFace0)));
  EXPECT_EQ(data.faceChecks, (std::vector<bool>{true, true}));
  EXPECT_EQ(state.Arrays().SelectedFaceCount(), 2u);
  // A press beside the square hits nothing and changes nothing.
  state.Navigate(Press({0, 0}, false));
  state.Navigate(Press({5, 5}));
  EXPECT_EQ(data.faceChecks, (std::vector<bool>{true, true}));
  EXPECT_EQ(state.Camera(), FrontCamera());
}

TEST_F(ViewStateTest, OtherModesMoveTheCameraAndPickNothing) {
  const PanelPoint face1 = Shown(state.Camera(), kFace1);
  state.Navigate(Press(face1));
  MouseInput drag = Press(face1);
  drag.DX = 100;
  state.Navigate(drag);
  EXPECT_EQ(data.faceChecks, (std::vector<bool>{false, false}));
  EXPECT_NEAR(state.Camera().Azimuth, FrontCamera().Azimuth - 1.0f, 1e-5f);
}

TEST_F(ViewStateTest, KeysMoveTheCameraOnlyWithKeyNavigationOn) {
  state.MoveByKey(NavKey::Left);
  EXPECT_EQ(state.Camera(), FrontCamera());
  EXPECT_EQ(state.Options().NavMode, kNavRotate);
  ViewOptions options = state.Options();
  options.EnableKeyNavigation = true;
  state.SetOptions(options);
  state.MoveByKey(NavKey::PageDown);
  state.MoveByKey(NavKey::Down);
  EXPECT_FLOAT_EQ(state.Camera().Distance, FrontCamera().Distance + 0.5f);
  EXPECT_FLOAT_EQ(state.Camera().Elevation, 0.17453292f);
}

TEST_F(ViewStateTest, ResetCameraTakesTheZoomFromTheBoundingRadius) {
  Coll coll = Square();
  coll.Header.BoundingRadius = 12.4f;
  coll.Header.BoundingCenter = {1, 2, 3};
  data.SetColl(coll);
  state.ResetCamera();
  EXPECT_EQ(state.ZoomDistance(), 25);
  CameraState expected;
  SetCamera(expected, 25, kStartElevation, 0, {1, 3, 2});
  EXPECT_EQ(state.Camera(), expected);

  ViewOptions options = state.Options();
  options.AutomaticZoom = false;
  state.SetOptions(options);
  state.ResetCamera();
  EXPECT_EQ(state.ZoomDistance(), 100);
  EXPECT_FLOAT_EQ(state.Camera().Distance, 100);
}

TEST_F(ViewStateTest, ARebuildLooksAtTheCollUnlessTheCameraIsKept) {
  const std::uint64_t mesh = state.Arrays().MeshVersion();
  state.RebuildSceneKeepingCamera();
  EXPECT_EQ(state.Camera(), FrontCamera());
  EXPECT_NE(state.Arrays().MeshVersion(), mesh);
  state.SetZoomDistance(30);
  state.RebuildScene();
  EXPECT_EQ(state.Camera(), ResetCameraState(data.coll.Header, 30));
}

TEST_F(ViewStateTest, SwitchesActAtTheNextFrameWithoutRebuildingAnythingButTheColours) {
  const auto axesDrawn = [&] {
    for (const DrawCommand& draw : state.PrepareFrame().Draws) {
      if (!draw.Credits && draw.Vertices == VertexSource::Axes) return true;
    }
    return false;
  };
  EXPECT_TRUE(axesDrawn());
  const std::uint64_t mesh = state.Arrays().MeshVersion();
  const std::uint64_t shapes = state.Arrays().StaticVersion();
  ViewOptions options = state.Options();
  options.ShowAxes = false;
  state.SetOptions(options);
  EXPECT_FALSE(axesDrawn());
  EXPECT_EQ(state.Arrays().MeshVersion(), mesh);
  EXPECT_EQ(state.Arrays().StaticVersion(), shapes);
  // The surface colours colour the shapes and the mesh anew, where the camera looks.
  options.SurfaceColors = false;
  state.SetOptions(options);
  EXPECT_EQ(state.Arrays().MeshVersion(), mesh + 1);
  EXPECT_EQ(state.Arrays().StaticVersion(), shapes + 1);
  EXPECT_EQ(state.Camera(), FrontCamera());
}

TEST_F(ViewStateTest, TheSanAndreasSwitchesRebuildOnlyTheirOwnPartAndFollowTheColl) {
  Coll coll = Square();
  coll.FaceGroups = {{{4, 0, -2}, {8, 0, 2}, 0, 1}};
  coll.ShadowVertices = coll.Vertices;
  coll.ShadowFaces = coll.Faces;
  data.SetColl(coll);
  state.RebuildSceneKeepingCamera();
  EXPECT_EQ(state.Arrays().ShadowTriangleCount() + state.Arrays().FaceGroupLineCount(), 0u);
  const std::uint64_t mesh = state.Arrays().MeshVersion();
  ViewOptions options = state.Options();
  options.ShowShadowMesh = options.ShowFaceGroups = true;
  state.SetOptions(options);
  EXPECT_EQ(state.Arrays().ShadowTriangleCount(), 2u);
  EXPECT_EQ(state.Arrays().FaceGroupLineCount(), 12u);
  EXPECT_EQ(state.Arrays().MeshVersion(), mesh);
  EXPECT_EQ(state.Camera(), FrontCamera());
  // A coll without them while the switches are on, then the San Andreas one again.
  data.SetColl(Square());
  state.RebuildScene();
  EXPECT_EQ(state.Arrays().ShadowTriangleCount() + state.Arrays().FaceGroupLineCount(), 0u);
  data.SetColl(coll);
  state.RebuildScene();
  EXPECT_EQ(state.Arrays().FaceGroupLineCount(), 12u);
}

std::optional<int> PictureLevel(ViewState& state) {
  const FramePlan& plan = state.PrepareFrame();
  if (plan.Draws.empty() || !plan.Draws.back().Credits) return std::nullopt;
  return plan.Draws.back().CreditsLevel;
}

TEST_F(ViewStateTest, TheStartPictureIsHeldWhileAboutIsOpenAndFadesAfter) {
  EXPECT_EQ(PictureLevel(state), std::nullopt);  // never started
  state.StartPicture(3.0);
  EXPECT_EQ(PictureLevel(state), 255);
  now += 1.5;
  EXPECT_EQ(PictureLevel(state), 130);
  now += 10;
  EXPECT_EQ(PictureLevel(state), std::nullopt);

  state.HoldStartPicture(true);
  now += 100;
  EXPECT_EQ(PictureLevel(state), 255);
  state.HoldStartPicture(false);
  now += 1;  // half of the two seconds after About
  EXPECT_EQ(PictureLevel(state), 130);
  now += 1.01;
  EXPECT_EQ(PictureLevel(state), std::nullopt);
}

// The editor, its view and the view's source over it, as the window holds them.
struct EditorWithView {
  EditorWithView() { state.Follow(editor.Changes()); }
  testing::FakeUi ui;
  EditorViewSource source{&editor};
  ViewState state{source};
  Editor editor{ui, state};
};

TEST(EditorViewSource, ANewCollTakesItsZoomFromTheBoundingRadiusWhenAutomatic) {
  testing::TempDir dir;
  EditorWithView rig;
  CollBuilder b("r12");
  b.Sphere({0, 0, 0}, 1, MakeSurface(0));
  Coll coll = b.Build();
  coll.Header.BoundingRadius = 12.4f;
  Coll half = coll;
  SetHeaderName(half.Header, "half");
  half.Header.BoundingRadius = 1.25f;  // 2.5 goes to the even neighbour, 2
  rig.editor.OpenFile(dir.Write("zoom.col", colgen::EncodeFile({coll, half})));
  const auto click = [&](int line) { rig.editor.Run({}, [&] { rig.editor.ClickCollLine(line); }); };
  EXPECT_EQ(rig.state.ZoomDistance(), 25);
  EXPECT_EQ(rig.state.Camera(), ResetCameraState(coll.Header, 25));
  click(1);
  EXPECT_EQ(rig.state.ZoomDistance(), 2);
  rig.editor.ChangeViewOptions([](ViewOptions& options) { options.AutomaticZoom = false; });
  click(0);
  EXPECT_EQ(rig.state.ZoomDistance(), 100);
}

int MeshTriangles(const Scene& scene) {
  int triangles = 0;
  for (const MeshGroup& group : scene.MeshGroups())
    triangles += static_cast<int>(group.TriangleCount);
  return triangles;
}

TEST(EditorViewSource, OneCommandRebuildsTheViewOnceAndAFailedOneShowsWhatWasPutBack) {
  testing::TempDir dir;
  EditorWithView rig;
  rig.editor.OpenFile(dir.Write("square.col", colgen::EncodeFile({Square()})));
  rig.state.SetCameraState(FrontCamera());
  const Scene& arrays = rig.state.Arrays();
  const std::uint64_t mesh = arrays.MeshVersion();
  const std::uint64_t shapes = arrays.StaticVersion();
  rig.editor.Run("Several", [&] {
    rig.editor.ChangeWorkingCopy([](Coll& c, ElementLists&) { c.Header.BoundingRadius += 1; });
    rig.editor.ChangeWorkingCopy([](Coll& c, ElementLists&) { c.Faces.pop_back(); });
    rig.editor.ToggleCheck(ListKind::Faces, 0);
    rig.editor.ChangeSettings(rig.editor.Settings());
  });
  EXPECT_EQ(arrays.MeshVersion(), mesh + 1);
  EXPECT_EQ(arrays.StaticVersion(), shapes + 1);
  EXPECT_EQ(MeshTriangles(arrays), 1);
  EXPECT_EQ(arrays.SelectedFaceCount(), 1u);
  EXPECT_EQ(rig.state.Camera(), FrontCamera());

  // Sphere marks change no array: every frame reads them.
  const std::uint64_t selection = arrays.SelectionVersion();
  rig.editor.Run({}, [&] { rig.editor.ToggleCheck(ListKind::Spheres, 0); });
  EXPECT_EQ(arrays.SelectionVersion(), selection);

  rig.editor.Run("Fails", [&] {
    rig.editor.ChangeWorkingCopy([](Coll& c, ElementLists&) { c.Faces.clear(); });
    throw std::runtime_error("no room");
  });
  EXPECT_EQ(arrays.MeshVersion(), mesh + 2);
  EXPECT_EQ(MeshTriangles(arrays), 1);
  EXPECT_EQ(rig.state.Camera(), FrontCamera());
}

TEST(EditorViewSource, APickTogglesTheFacesMarkThroughTheEditor) {
  testing::TempDir dir;
  EditorWithView rig;
  Notices notices;
  rig.editor.Changes().Subscribe(
      [&](const Notices& batch) { notices.insert(notices.end(), batch.begin(), batch.end()); });
  rig.editor.OpenFile(dir.Write("square.col", colgen::EncodeFile({Square()})));
  ASSERT_EQ(rig.editor.WorkingCopy().FaceCount(), 2);
  EXPECT_TRUE(rig.state.GeometryPresent());
  rig.editor.ChangeViewOptions([](ViewOptions& options) { options.NavMode = kNavPick; });
  rig.state.SetCameraState(FrontCamera());
  notices.clear();

  rig.state.Navigate(Press(Shown(rig.state.Camera(), kFace1)));
  EXPECT_EQ(rig.editor.Lists().Faces.checked, (std::vector<bool>{false, true}));
  EXPECT_EQ(notices, Notices{ChecksChanged{ListKind::Faces}});
  EXPECT_EQ(rig.state.Arrays().SelectedFaceCount(), 1u);
  // A check mark is no edit of the coll and no step of the history.
  EXPECT_FALSE(rig.editor.CollChanged());
  EXPECT_FALSE(rig.editor.CanUndo());
  EXPECT_TRUE(rig.ui.log.empty());

  // The view reads what the editor holds: colours, surface table and segment counts.
  Settings settings = rig.editor.Settings();
  settings.CSphereDetail = 30;
  rig.editor.ChangeSettings(settings);
  EXPECT_EQ(rig.state.Arrays().SphereSegments(), 30);
  EXPECT_EQ(rig.state.Camera(), FrontCamera());
}

TEST(EditorViewSource, FaceNumbersOutsideTheListChangeNothing) {
  EditorWithView rig;
  rig.source.ToggleFaceCheck(0);
  rig.source.ToggleFaceCheck(-1);
  EXPECT_TRUE(rig.editor.Lists().Faces.checked.empty());
  EXPECT_TRUE(rig.ui.log.empty());
}

}  // namespace
}  // namespace vantorel
