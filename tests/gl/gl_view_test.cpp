#include <QOpenGLContext>
#include <cmath>
#include <cstdlib>
#include <functional>

#include "tests/gl/coll_points.h"
#include "tests/gl/gl_view_fixture.h"
#include "tools/colgen/coll_builder.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;
using testing::Centroid;
using testing::GlViewFixture;

constexpr std::uint8_t kWater = 19;
constexpr std::uint8_t kStreet = 1;

// A sphere of water at the origin and, beside it, a square of two street faces in the plane
// y = 0 whose front looks towards negative coll y (towards the camera below).
Coll SphereAndSquare() {
  CollBuilder b("scene");
  b.Sphere({0, 0, 0}, 2, MakeSurface(kWater));
  const auto a = b.Vertex({4, 0, -2});
  const auto c = b.Vertex({8, 0, -2});
  const auto d = b.Vertex({8, 0, 2});
  const auto e = b.Vertex({4, 0, 2});
  b.Face(a, e, d, MakeSurface(kStreet));
  b.Face(d, c, a, MakeSurface(kStreet));
  return b.Build();
}

// The camera in front of both, on the negative coll y side, looking along +y.
CameraState FrontCamera() {
  CameraState camera;
  SetCamera(camera, 20, 0, 3 * std::numbers::pi_v<float> / 2, {4, 0, 0});
  return camera;
}

class GlViewTest : public GlViewFixture {
 protected:
  void SetUp() override {
    GlViewFixture::SetUp();
    ASSERT_TRUE(view->Ready()) << (errors.empty() ? "" : errors.front());
    Load(SphereAndSquare());
    state.SetCameraState(FrontCamera());
    // Lines would cross the points the tests look at.
    SetOptions([](ViewOptions& o) {
      o.ShowAxes = o.BoundingBox = o.BoundingSphere = false;
      o.Wireframe = false;
    });
  }

  std::uint32_t Background() const { return data.colors.Background & 0xFFFFFF; }
};

TEST_F(GlViewTest, DrawsTheBackgroundWhereThereIsNothing) {
  const QImage frame = Frame();
  EXPECT_EQ(frame.size(), QSize(400, 300));
  EXPECT_EQ(Rgb(frame, {5, 5}), Background());
  EXPECT_EQ(Rgb(frame, {395, 295}), Background());
}

TEST_F(GlViewTest, ShowsASphereInItsSurfaceColour) {
  const QPoint center = Shown({0, 0, 0});
  EXPECT_EQ(Rgb(Frame(), center), data.surfaces.Color(kWater) & 0xFFFFFF);
  SetOptions([](ViewOptions& o) { o.SurfaceColors = false; });
  EXPECT_EQ(state.Camera(), FrontCamera());  // recolouring keeps the camera
  EXPECT_EQ(Rgb(Frame(), center), data.colors.Object & 0xFFFFFF);
  SetOptions([](ViewOptions& o) { o.ShowSpheres = false; });
  EXPECT_EQ(Rgb(Frame(), center), Background());
}

TEST_F(GlViewTest, AnUncheckedSphereIsNotDrawn) {
  data.sphereChecks[0] = false;
  EXPECT_EQ(Rgb(Frame(), Shown({0, 0, 0})), Background());
}

TEST_F(GlViewTest, CheckedFacesShowInTheSelectionColour) {
  data.faceChecks = {true, false};
  state.RebuildSelection();
  const QPoint checked = Shown(Centroid(data.coll, 0));
  const QPoint unchecked = Shown(Centroid(data.coll, 1));
  QImage frame = Frame();
  EXPECT_EQ(Rgb(frame, checked), data.colors.Selection & 0xFFFFFF);  // over the solid mesh
  EXPECT_EQ(Rgb(frame, unchecked), data.surfaces.Color(kStreet) & 0xFFFFFF);
  SetOptions([](ViewOptions& o) { o.Solid = false; });
  frame = Frame();
  EXPECT_EQ(Rgb(frame, checked), data.colors.Selection & 0xFFFFFF);
  EXPECT_EQ(Rgb(frame, unchecked), Background());
}

TEST_F(GlViewTest, WireframeLinesShowOverTheSolidMesh) {
  SetOptions([](ViewOptions& o) { o.Wireframe = true; });
  // The diagonal a-d shared by both faces runs through the middle of the square.
  const QImage frame = Frame();
  const QPoint middle = Shown({6, 0, 0});
  bool wire = false;
  for (int dx = -1; dx <= 1; ++dx) {
    for (int dy = -1; dy <= 1; ++dy) {
      wire |= Rgb(frame, middle + QPoint(dx, dy)) == (data.colors.Wireframe & 0xFFFFFF);
    }
  }
  EXPECT_TRUE(wire);
}

// Whether a pixel shows the shadow mesh's see-through fill laid over the colour under it.
bool ShowsShadowOver(std::uint32_t pixel, std::uint32_t under) {
  const double alpha = static_cast<double>(kShadowFillColor >> 24) / 255.0;
  for (int shift : {0, 8, 16}) {
    const double mixed =
        ((kShadowFillColor >> shift) & 0xFF) * alpha + ((under >> shift) & 0xFF) * (1 - alpha);
    if (std::abs(static_cast<double>((pixel >> shift) & 0xFF) - mixed) > 2.5) return false;
  }
  return true;
}

TEST_F(GlViewTest, TheShadowMeshAndFaceGroupBoxesShowOverTheMeshTheyLieOn) {
  // A San Andreas coll whose shadow mesh and one face group box lie on its square, as they
  // often do in the game's files.
  Coll coll = SphereAndSquare();
  coll.Header.FourCC = {'C', 'O', 'L', '3'};
  coll.ShadowVertices = coll.Vertices;
  coll.ShadowFaces = coll.Faces;
  coll.FaceGroups = {{{4, 0, -2}, {8, 0, 2}, 0, 1}};
  Load(coll);
  state.SetCameraState(FrontCamera());
  const QPoint inside = Shown(Centroid(data.coll, 1));
  const QPoint edge = Shown({4, 0, 0});
  const std::uint32_t street = data.surfaces.Color(kStreet) & 0xFFFFFF;
  const auto orangeNear = [&](const QImage& frame, QPoint at) {
    for (int dx = -1; dx <= 1; ++dx) {
      for (int dy = -1; dy <= 1; ++dy) {
        if (Rgb(frame, at + QPoint(dx, dy)) == (kFaceGroupColor & 0xFFFFFF)) return true;
      }
    }
    return false;
  };
  QImage frame = Frame();
  EXPECT_EQ(Rgb(frame, inside), street);
  EXPECT_FALSE(orangeNear(frame, edge));
  SetOptions([](ViewOptions& o) { o.ShowShadowMesh = o.ShowFaceGroups = true; });
  frame = Frame();
  EXPECT_TRUE(ShowsShadowOver(Rgb(frame, inside), street)) << std::hex << Rgb(frame, inside);
  EXPECT_EQ(qAlpha(frame.pixel(inside)), 255);  // the window shows nothing through it
  EXPECT_TRUE(orangeNear(frame, edge));
  // Off again, the frame is as before.
  SetOptions([](ViewOptions& o) { o.ShowShadowMesh = o.ShowFaceGroups = false; });
  frame = Frame();
  EXPECT_EQ(Rgb(frame, inside), street);
  EXPECT_FALSE(orangeNear(frame, edge));
}

// Walks every wire of the sphere that faces the eye, away from its ends, and counts the points
// where neither the pixel on the wire nor its two neighbours across it has the wire colour.
int BrokenWirePoints(const QImage& frame, const Scene& scene, float radius, const Vec3& eye,
                     const std::function<QPoint(const Vector3&)>& shown, std::uint32_t color,
                     int& looked) {
  const auto vertices = scene.Vertices(VertexSource::WireframeSphere);
  const auto indices = scene.Indices(IndexSource::SphereTriangles);
  const auto facing = [&](const ColorVertex& v) {
    const Vec3 toEye{eye.X - v.X * radius, eye.Y - v.Y * radius, eye.Z - v.Z * radius};
    const float length = std::sqrt(toEye.X * toEye.X + toEye.Y * toEye.Y + toEye.Z * toEye.Z);
    return (v.X * toEye.X + v.Y * toEye.Y + v.Z * toEye.Z) / length > 0.4f;
  };
  int broken = 0;
  for (std::size_t t = 0; t + 2 < indices.size(); t += 3) {
    for (int e = 0; e < 3; ++e) {
      const ColorVertex& a = vertices[indices[t + e]];
      const ColorVertex& b = vertices[indices[t + (e + 1) % 3]];
      if (!facing(a) || !facing(b)) continue;
      // Coll points are display points with y and z exchanged.
      const QPoint p = shown({a.X * radius, a.Z * radius, a.Y * radius});
      const QPoint q = shown({b.X * radius, b.Z * radius, b.Y * radius});
      const int steps = std::max(std::abs(q.x() - p.x()), std::abs(q.y() - p.y()));
      if (steps < 8) continue;
      const QPoint across =
          std::abs(q.x() - p.x()) >= std::abs(q.y() - p.y()) ? QPoint(0, 1) : QPoint(1, 0);
      for (int i = steps / 4; i <= steps * 3 / 4; ++i) {
        const QPointF at = QPointF(p) + (QPointF(q) - QPointF(p)) * (double(i) / steps);
        const QPoint pixel = at.toPoint();
        ++looked;
        bool wire = false;
        for (const QPoint& near : {pixel - across, pixel, pixel + across})
          wire |= frame.valid(near) && (frame.pixel(near) & 0xFFFFFF) == color;
        broken += wire ? 0 : 1;
      }
    }
  }
  return broken;
}

TEST_F(GlViewTest, SphereWiresStayWholeOverTheSolidSphereAtEveryZoom) {
  SetOptions([](ViewOptions& o) { o.Wireframe = true; });
  // Radius and camera distance: close up, the usual views, and far towards the far plane.
  const std::pair<float, float> cases[] = {{1, 3}, {2, 8}, {10, 30}, {60, 200}, {250, 900}};
  for (const auto& [radius, distance] : cases) {
    Load(CollBuilder("sphere").Sphere({0, 0, 0}, radius, MakeSurface(kWater)).Build());
    CameraState camera;
    SetCamera(camera, distance, 0.3f, 1.0f, {0, 0, 0});
    state.SetCameraState(camera);
    const QImage frame = Frame();
    const Vec3 eye{distance * std::cos(0.3f) * std::cos(1.0f), distance * std::sin(0.3f),
                   distance * std::cos(0.3f) * std::sin(1.0f)};
    int looked = 0;
    const int broken = BrokenWirePoints(
        frame, state.Arrays(), radius, eye, [this](const Vector3& point) { return Shown(point); },
        data.colors.WFBoxSphere & 0xFFFFFF, looked);
    EXPECT_GT(looked, 300) << distance;
    EXPECT_EQ(broken, 0) << "radius " << radius << ", distance " << distance << ": " << broken
                         << " of " << looked << " points";
  }
}

TEST_F(GlViewTest, AnIdleViewRestsAndDrawsAgainAfterAChange) {
  const auto settle = [] { QTest::qWait(150); };
  settle();
  const long drawn = view->FramesDrawn();
  settle();
  EXPECT_EQ(view->FramesDrawn(), drawn);
  EXPECT_FALSE(view->Ticking());

  state.ZoomByWheel(120);
  settle();
  EXPECT_EQ(view->FramesDrawn(), drawn + 1);
  EXPECT_FALSE(view->Ticking());

  // The fade of the start-up picture draws until the picture is gone, then once more.
  state.StartPicture(3.0);
  settle();
  EXPECT_TRUE(view->Ticking());
  const long fading = view->FramesDrawn();
  EXPECT_GT(fading, drawn + 2);
  now += 4;
  settle();
  EXPECT_FALSE(view->Ticking());
  const long faded = view->FramesDrawn();
  settle();
  EXPECT_EQ(view->FramesDrawn(), faded);

  // The animation moves by itself.
  SetOptions([](ViewOptions& o) { o.CameraAnimation = true; });
  settle();
  EXPECT_GT(view->FramesDrawn(), faded + 2);
  SetOptions([](ViewOptions& o) { o.CameraAnimation = false; });
  settle();
  const long still = view->FramesDrawn();
  settle();
  EXPECT_EQ(view->FramesDrawn(), still);
}

TEST_F(GlViewTest, VerticesBeyond65536DrawTheRightTriangle) {
  CollBuilder b("large");
  // 70,000 vertices far off to the side; the face uses three of the last ones. Vertex k and
  // vertex k + 65,536 differ only above the low 16 bits of their index.
  for (int i = 0; i < 70'000; ++i)
    b.Vertex({500, 500, static_cast<float>(i % 100)});
  b.Face(69'000, 69'001, 69'002, MakeSurface(kStreet));
  Coll coll = b.Build();
  coll.Vertices[69'000] = {4, 0, -2};
  coll.Vertices[69'001] = {4, 0, 2};
  coll.Vertices[69'002] = {8, 0, 2};
  coll.Vertices[69'000 - 65'536] = {-8, 0, -2};
  coll.Vertices[69'001 - 65'536] = {-8, 0, 2};
  coll.Vertices[69'002 - 65'536] = {-4, 0, 2};
  Load(coll);
  state.SetCameraState(FrontCamera());
  const QImage frame = Frame();
  EXPECT_EQ(Rgb(frame, Shown(Centroid(data.coll, 0))), data.surfaces.Color(kStreet) & 0xFFFFFF);
  EXPECT_EQ(Rgb(frame, Shown({-6.67f, 0, 0.67f})), Background());
}

TEST_F(GlViewTest, NoCollWhileGeometryIsNotPresent) {
  state.ClearGeometryPresent();
  const QImage frame = Frame();
  EXPECT_EQ(Rgb(frame, Shown({0, 0, 0})), Background());
  EXPECT_EQ(Rgb(frame, Shown(Centroid(data.coll, 0))), Background());
}

TEST_F(GlViewTest, BackFacesAreCulledOnlyWhenNotDoublesided) {
  CameraState behind = FrontCamera();
  behind.Azimuth = std::numbers::pi_v<float> / 2;  // from positive coll y
  state.SetCameraState(behind);
  const QPoint face = Shown(Centroid(data.coll, 0));
  EXPECT_EQ(Rgb(Frame(), face), data.surfaces.Color(kStreet) & 0xFFFFFF);
  SetOptions([](ViewOptions& o) { o.Doublesided = false; });
  EXPECT_EQ(Rgb(Frame(), face), Background());
  state.SetCameraState(FrontCamera());
  EXPECT_EQ(Rgb(Frame(), Shown(Centroid(data.coll, 0))), data.surfaces.Color(kStreet) & 0xFFFFFF);
  // Spheres keep their outside.
  EXPECT_EQ(Rgb(Frame(), Shown({0, 0, 0})), data.surfaces.Color(kWater) & 0xFFFFFF);
}

TEST_F(GlViewTest, APressInPickModeTogglesTheFaceUnderIt) {
  SetOptions([](ViewOptions& o) { o.NavMode = kNavPick; });
  const QPoint face = Shown(Centroid(data.coll, 1));
  QTest::mousePress(view.get(), Qt::LeftButton, {}, face);
  view->Navigate();
  view->Navigate();  // held: one pick per press
  EXPECT_EQ(data.faceChecks, (std::vector<bool>{false, true}));
  EXPECT_EQ(Rgb(Frame(), face), data.colors.Selection & 0xFFFFFF);
  QTest::mouseRelease(view.get(), Qt::LeftButton, {}, face);
  view->Navigate();
  QTest::mousePress(view.get(), Qt::LeftButton, {}, face);
  view->Navigate();
  EXPECT_EQ(data.faceChecks, (std::vector<bool>{false, false}));
  QTest::mouseRelease(view.get(), Qt::LeftButton, {}, face);
  view->Navigate();
  // Beside the square nothing changes.
  QTest::mousePress(view.get(), Qt::LeftButton, {}, QPoint(5, 5));
  view->Navigate();
  EXPECT_EQ(data.faceChecks, (std::vector<bool>{false, false}));
}

TEST_F(GlViewTest, BackFacesArePickedOnlyWhenDoublesided) {
  SetOptions([](ViewOptions& o) {
    o.NavMode = kNavPick;
    o.Doublesided = false;
  });
  CameraState behind = FrontCamera();
  behind.Azimuth = std::numbers::pi_v<float> / 2;
  state.SetCameraState(behind);
  const QPoint face = Shown(Centroid(data.coll, 0));
  QTest::mousePress(view.get(), Qt::LeftButton, {}, face);
  view->Navigate();
  QTest::mouseRelease(view.get(), Qt::LeftButton, {}, face);
  view->Navigate();
  EXPECT_EQ(data.faceChecks, (std::vector<bool>{false, false}));
  SetOptions([](ViewOptions& o) { o.Doublesided = true; });
  QTest::mousePress(view.get(), Qt::LeftButton, {}, face);
  view->Navigate();
  EXPECT_EQ(data.faceChecks, (std::vector<bool>{true, false}));
}

TEST_F(GlViewTest, DraggingRotatesTheCamera) {
  const QPoint start(200, 150);
  QTest::mousePress(view.get(), Qt::LeftButton, {}, start);
  view->Navigate();
  QTest::mouseMove(view.get(), start + QPoint(50, 0));
  QTest::mouseMove(view.get(), start + QPoint(100, 0));
  const float before = state.Camera().Azimuth;
  view->Navigate();
  EXPECT_NEAR(state.Camera().Azimuth, before - 1.0f, 1e-5f);
  QTest::mouseRelease(view.get(), Qt::LeftButton, {}, start + QPoint(100, 0));
}

TEST_F(GlViewTest, TheRightButtonAsksForTheContextMenu) {
  std::vector<QPoint> asked;
  QObject::connect(view.get(), &GlView::contextMenuRequested,
                   [&](QPoint global) { asked.push_back(global); });
  QTest::mousePress(view.get(), Qt::RightButton, {}, QPoint(30, 40));
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], view->mapToGlobal(QPoint(30, 40)));
}

TEST_F(GlViewTest, KeepsDrawingAfterTheContextIsReplaced) {
  Frame();
  bool contextEnded = false;
  QObject::connect(view->context(), &QOpenGLContext::aboutToBeDestroyed,
                   [&] { contextEnded = true; });
  QWidget other;
  other.resize(400, 300);
  view->setParent(&other);
  other.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
  view->show();
  QApplication::processEvents();
  EXPECT_TRUE(contextEnded);
  EXPECT_TRUE(view->Ready());
  EXPECT_EQ(Rgb(Frame(), Shown({0, 0, 0})), data.surfaces.Color(kWater) & 0xFFFFFF);
  EXPECT_TRUE(errors.empty());
  view->setParent(nullptr);
}

// The start-up picture, blended by its own brightness over a black background.
class CreditsTest : public GlViewFixture {
 protected:
  void SetUp() override {
    data.colors.Background = 0xFF000000;
    now = 1000;
    Start(GlViewSetup{});
    ASSERT_TRUE(view->Ready());
    picture = QImage(":/CREDITS").convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(picture.size(), QSize(400, 300));
    // The brightest point of the picture shows the level best.
    int best = -1;
    for (int y = 0; y < 300; ++y) {
      for (int x = 0; x < 400; ++x) {
        const int green = qGreen(picture.pixel(x, y));
        if (green > best) {
          best = green;
          bright = {x, y};
        }
      }
    }
  }

  // Source times source colour, plus nothing from the black below.
  int Expected(int level) const {
    const double source = qGreen(picture.pixel(bright)) / 255.0 * level / 255.0;
    return static_cast<int>(std::lround(source * source * 255));
  }

  int Bright(double seconds) {
    now = 1000 + seconds;
    return qGreen(Frame().pixel(bright));
  }

  QImage picture;
  QPoint bright;
};

TEST_F(CreditsTest, FadesOutOverThreeSeconds) {
  EXPECT_NEAR(Bright(0), Expected(255), 3);
  EXPECT_NEAR(Bright(1.5), Expected(130), 3);
  EXPECT_NEAR(Bright(3), Expected(5), 1);
  EXPECT_EQ(Bright(3.01), 0);
  EXPECT_GT(Expected(255), 150);
}

TEST_F(CreditsTest, HeldWhileAboutIsOpen) {
  state.HoldStartPicture(true);
  EXPECT_NEAR(Bright(50), Expected(255), 3);
  state.HoldStartPicture(false);
  EXPECT_NEAR(Bright(51), Expected(130), 3);
  EXPECT_EQ(Bright(52.5), 0);
}

// Run by its own ctest entry with a Mesa that offers less than OpenGL 3.3.
TEST(GlFailure, ReportsMissingOpenGlOnceAndDrawsNothing) {
  if (std::getenv("MESA_GL_VERSION_OVERRIDE") == nullptr) {
    GTEST_SKIP() << "needs MESA_GL_VERSION_OVERRIDE below 3.3 (its own ctest entry)";
  }
  ViewData data;
  ViewState state(data);
  GlView view(state, GlViewSetup{});
  std::vector<std::string> errors;
  view.SetFatalErrorHandler([&](const std::string& message) { errors.push_back(message); });
  view.resize(200, 100);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  for (int i = 0; i < 5; ++i)
    QApplication::processEvents();
  view.grabFramebuffer();
  QApplication::processEvents();
  ASSERT_EQ(errors.size(), 1u);
  RecordProperty("message", errors[0]);
  EXPECT_NE(errors[0].find("OpenGL"), std::string::npos) << errors[0];
  EXPECT_NE(errors[0].find("3.3"), std::string::npos) << errors[0];
  EXPECT_FALSE(view.Ready());
}

TEST(GlFailure, TheProbeNamesTheMissingVersion) {
  if (std::getenv("MESA_GL_VERSION_OVERRIDE") == nullptr) {
    GTEST_SKIP() << "needs MESA_GL_VERSION_OVERRIDE below 3.3 (its own ctest entry)";
  }
  const std::optional<std::string> problem = GlView::OpenGlProblem(GlViewSetup{});
  ASSERT_TRUE(problem.has_value());
  EXPECT_NE(problem->find("3.3"), std::string::npos) << *problem;
}

// Run by its own ctest entry with Qt's OpenGL support for X switched off.
TEST(GlNoContext, TheProbeFindsNoContext) {
  if (std::getenv("QT_XCB_GL_INTEGRATION") == nullptr) {
    GTEST_SKIP() << "needs QT_XCB_GL_INTEGRATION=none (its own ctest entry)";
  }
  const std::optional<std::string> problem =
      GlView::OpenGlProblem(GlViewSetup{.FSAntialiasing = 2});
  ASSERT_TRUE(problem.has_value());
  EXPECT_EQ(problem->rfind("ERROR while creating the OpenGL context!", 0), 0u) << *problem;
}

TEST(GlViewSetup, MultisamplingFollowsTheSettingExceptInDebugMode) {
  ViewData data;
  ViewState state(data);
  EXPECT_EQ(GlView(state, {.FSAntialiasing = 0}).format().samples(), 0);
  EXPECT_EQ(GlView(state, {.FSAntialiasing = 1}).format().samples(), 2);
  EXPECT_EQ(GlView(state, {.FSAntialiasing = 2}).format().samples(), 4);
  EXPECT_EQ(GlView(state, {.FSAntialiasing = 2, .DebugMode = true}).format().samples(), 0);
  EXPECT_EQ(GlView(state, {.FSAntialiasing = 9}).format().samples(), 4);
  EXPECT_EQ(GlView(state, {.FSAntialiasing = -3}).format().samples(), 0);
  const GlView view(state, {});
  EXPECT_EQ(view.objectName(), "pnlScreen");
  EXPECT_EQ(view.format().majorVersion(), 3);
  EXPECT_EQ(view.format().minorVersion(), 3);
  EXPECT_EQ(view.format().profile(), QSurfaceFormat::CoreProfile);
}

TEST_F(GlViewTest, FourSamplesStillDrawTheSphere) {
  Start({.FSAntialiasing = 2});
  ASSERT_TRUE(view->Ready());
  now = 100;
  Load(SphereAndSquare());
  state.SetCameraState(FrontCamera());
  SetOptions(
      [](ViewOptions& o) { o.ShowAxes = o.Wireframe = o.BoundingBox = o.BoundingSphere = false; });
  EXPECT_EQ(Rgb(Frame(), Shown({0, 0, 0})), data.surfaces.Color(kWater) & 0xFFFFFF);
}

TEST_F(GlViewTest, TheProbeFindsOpenGlHere) {
  EXPECT_EQ(GlView::OpenGlProblem(GlViewSetup{.FSAntialiasing = 2}), std::nullopt);
}

}  // namespace
}  // namespace vantorel
