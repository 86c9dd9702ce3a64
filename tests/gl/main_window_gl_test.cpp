// The real window with the OpenGL view over the shipped sample file.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>

#include "app/qt/main_window.h"
#include "core/ini_file.h"
#include "tests/gl/coll_points.h"
#include "tests/gui/modal_script.h"
#include "tests/support/start_context.h"
#include "tests/support/test_files.h"
#include "view/picking.h"
#include "view/qt/gl_view.h"

namespace vantorel {
namespace {

using testing::Centroid;
using testing::ModalScript;
using testing::TempDir;

constexpr double kLongAfterStart = 1.0e9;  // the start-up picture is long gone

class WindowViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = std::make_unique<MainWindow>(testing::StartIn(dir, {VANTOREL_SAMPLE_FILE}));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    view = window->OpenGlView();
    ASSERT_NE(view, nullptr);
    QTest::qWait(100);  // a few ticks of the frame timer
    ASSERT_TRUE(view->Ready());
    view->State().SetClock([] { return kLongAfterStart; });
    ASSERT_EQ(TheEditor().CurrentColl(), 0);
  }

  Editor& TheEditor() { return window->GetEditor(); }
  const Coll& Working() { return TheEditor().WorkingCopy(); }
  QAction* Action(const char* name) { return window->findChild<QAction*>(name); }
  void Switch(const char* name, bool on) {
    if (Action(name)->isChecked() != on) Action(name)->trigger();
    ASSERT_EQ(Action(name)->isChecked(), on) << name;
  }
  // Only the coll's own solid shapes: no lines cross the points looked at.
  void SolidOnly() {
    for (const char* name : {"ShowAxes1", "BoundingBox1", "BoundingSphere1", "Wireframe1"})
      Switch(name, false);
  }

  // Where a coll point shows in the view.
  QPoint Shown(const Vector3& point) const {
    float w = 0;
    const Vec3 clip =
        TransformPoint({point.X, point.Z, point.Y},
                       ViewMatrix(window->View3D().Camera()) * ProjectionMatrix(), &w);
    const auto width = static_cast<float>(view->width());
    const auto height = static_cast<float>(view->height());
    return {static_cast<int>((clip.X / w + 1) / 2 * width),
            static_cast<int>((1 - clip.Y / w) / 2 * height)};
  }
  Ray RayAt(QPoint at) const {
    return PickRay(static_cast<float>(at.x()), static_cast<float>(at.y()),
                   static_cast<float>(view->width()), static_cast<float>(view->height()),
                   ViewMatrix(window->View3D().Camera()), ProjectionMatrix());
  }
  // The faces whose centroid shows in the open part of the view with the face itself in front.
  std::vector<int> VisibleFaces() {
    const QRect open(QPoint(0, 40), QPoint(view->width() - 5, view->height() - 5));
    std::vector<int> faces;
    for (int i = 0; i < Working().FaceCount(); ++i) {
      const QPoint at = Shown(Centroid(Working(), i));
      if (open.contains(at) && PickFace(Working(), RayAt(at), true) == i) faces.push_back(i);
    }
    return faces;
  }
  bool RayHitsFace(QPoint at, int face) {
    const CollFace& f = Working().Faces[static_cast<std::size_t>(face)];
    auto corner = [&](std::int32_t index) {
      const Vector3& v = Working().Vertices[static_cast<std::size_t>(index)];
      return Vec3{v.X, v.Z, v.Y};
    };
    const Ray ray = RayAt(at);
    return RayHitsTriangle(ray, corner(f.A), corner(f.B), corner(f.C)).Hit ||
           RayHitsTriangle(ray, corner(f.C), corner(f.B), corner(f.A)).Hit;
  }
  std::uint32_t Pixel(QPoint at) { return view->grabFramebuffer().pixel(at) & 0xFFFFFF; }
  std::uint32_t Background() { return TheEditor().Settings().Colors.Background & 0xFFFFFF; }
  Qt::CheckState FaceLine(int face) {
    auto* list = window->findChild<QListView*>("clbFaces");
    return list->model()->index(face, 0).data(Qt::CheckStateRole).value<Qt::CheckState>();
  }

  TempDir dir;
  std::unique_ptr<MainWindow> window;
  GlView* view = nullptr;
};

TEST_F(WindowViewTest, AfterAFewFramesTheCollShowsAtItsBoundingSphereCentre) {
  EXPECT_EQ(view->objectName(), "pnlScreen");
  EXPECT_TRUE(window->View3D().GeometryPresent());
  SolidOnly();
  const QPoint centre = Shown(Working().Header.BoundingCenter);
  EXPECT_NE(Pixel(centre), Background());
  for (const char* name : {"ShowMeshes1", "ShowBoxes1", "ShowSpheres1"})
    Switch(name, false);
  EXPECT_EQ(Pixel(centre), Background());
}

TEST_F(WindowViewTest, AClickInPickModeTogglesTheFacesLineInTheFaceList) {
  QTest::keyClick(window.get(), Qt::Key_1);
  ASSERT_EQ(TheEditor().View().Options().NavMode, kNavPick);
  EXPECT_TRUE(window->findChild<QToolButton*>("btnNav1")->isChecked());
  const std::vector<int> faces = VisibleFaces();
  ASSERT_FALSE(faces.empty());
  const int face = faces.back();
  const QPoint at = Shown(Centroid(Working(), face));
  ASSERT_EQ(FaceLine(face), Qt::Unchecked);

  QTest::mousePress(view, Qt::LeftButton, {}, at);
  QTest::qWait(60);  // held over a few ticks, picked once
  QTest::mouseRelease(view, Qt::LeftButton, {}, at);
  EXPECT_EQ(FaceLine(face), Qt::Checked);
  EXPECT_TRUE(TheEditor().Lists().Faces.checked[static_cast<std::size_t>(face)]);
  EXPECT_EQ(window->View3D().Arrays().SelectedFaceCount(), 1u);
  EXPECT_FALSE(TheEditor().CollChanged());

  // A quick click, released before the next tick, picks as well.
  QTest::qWait(60);
  QTest::mouseClick(view, Qt::LeftButton, {}, at);
  QTest::qWait(60);
  EXPECT_EQ(FaceLine(face), Qt::Unchecked);
  EXPECT_EQ(window->View3D().Arrays().SelectedFaceCount(), 0u);
}

TEST_F(WindowViewTest, TheRightButtonOpensTheViewsMenu) {
  auto* menu = window->findChild<QMenu*>("PopupMenu3");
  ASSERT_NE(menu, nullptr);
  EXPECT_FALSE(menu->isVisible());
  QTest::mousePress(view, Qt::RightButton, {}, QPoint(view->width() / 2, view->height() / 2));
  EXPECT_TRUE(menu->isVisible());
  QStringList names;
  for (const QAction* action : menu->actions())
    if (!action->isSeparator()) names << action->objectName();
  EXPECT_EQ(names, (QStringList{"ResetCamera1", "CameraAnimation1", "AutomaticZoom1",
                                "ShowNavigationMenu1", "EnableKeyNavigation1"}));
  menu->hide();
}

TEST_F(WindowViewTest, CheckedFacesStillShowWithSolidAndWireframeOff) {
  SolidOnly();
  const std::vector<int> faces = VisibleFaces();
  ASSERT_GE(faces.size(), 2u);
  const int checked = faces.front();
  TheEditor().ToggleCheck(ListKind::Faces, checked);
  // Another visible face, whose centroid the checked face does not cover from behind.
  int other = -1;
  for (int face : faces) {
    if (face != checked && !RayHitsFace(Shown(Centroid(Working(), face)), checked)) other = face;
  }
  ASSERT_GE(other, 0);
  Switch("Solid1", false);
  Switch("Wireframe1", false);
  const QImage frame = view->grabFramebuffer();
  EXPECT_EQ(frame.pixel(Shown(Centroid(Working(), checked))) & 0xFFFFFF,
            TheEditor().Settings().Colors.Selection & 0xFFFFFF);
  EXPECT_EQ(frame.pixel(Shown(Centroid(Working(), other))) & 0xFFFFFF, Background());
}

TEST_F(WindowViewTest, TheSurfaceColourButtonRecoloursAtOnceWithoutMovingTheCamera) {
  SolidOnly();
  Switch("ShowBoxes1", false);
  const std::vector<int> faces = VisibleFaces();
  ASSERT_FALSE(faces.empty());
  const int face = faces.front();
  const QPoint at = Shown(Centroid(Working(), face));
  const int material = Working().Faces[static_cast<std::size_t>(face)].Surface.Material;
  EXPECT_EQ(Pixel(at), TheEditor().SurfaceTypes().Color(material) & 0xFFFFFF);
  const CameraState camera = window->View3D().Camera();
  window->findChild<QToolButton*>("ToolButton3")->click();
  EXPECT_EQ(window->View3D().Camera(), camera);
  EXPECT_EQ(Pixel(at), TheEditor().Settings().Colors.Object & 0xFFFFFF);
}

TEST_F(WindowViewTest, MainSettingsRedrawSpheresAtOnceWithoutMovingTheCamera) {
  TheEditor().SelectColl(2);  // the lamp post, all spheres
  ASSERT_GT(Working().SphereCount(), 0);
  CameraState nearer = window->View3D().Camera();
  nearer.Distance = 4;
  nearer.Azimuth = 0.5f;
  view->State().SetCameraState(nearer);
  const QImage before = view->grabFramebuffer();
  ASSERT_EQ(window->View3D().Arrays().SphereSegments(), TheEditor().Settings().CSphereDetail);
  ASSERT_NE(TheEditor().Settings().CSphereDetail, 30);

  ModalScript script;
  script.Then([](QWidget* dialog) {
    EXPECT_EQ(dialog->objectName(), "TForm3");
    dialog->findChild<QSpinBox*>("udCSphere")->setValue(30);
    dialog->findChild<QPushButton*>("btnOk")->click();
  });
  Action("MainSettings1")->trigger();
  EXPECT_TRUE(script.Done());
  EXPECT_EQ(TheEditor().Settings().CSphereDetail, 30);
  EXPECT_EQ(window->View3D().Arrays().SphereSegments(), 30);
  EXPECT_EQ(window->View3D().Camera(), nearer);
  EXPECT_NE(view->grabFramebuffer(), before);
}

TEST(WindowViewSetup, TheSettingsChooseTheMultisamplingExceptInDebugMode) {
  TempDir dir;
  IniFile ini;
  ini.Set("SETTINGS", "FSAntialiasing", "2");
  ASSERT_FALSE(ini.Save((dir.Path() / "Vantorel.ini").string()));
  StartContext context = testing::StartIn(dir, {VANTOREL_SAMPLE_FILE});
  {
    MainWindow window(context);
    ASSERT_NE(window.OpenGlView(), nullptr);
    EXPECT_EQ(window.OpenGlView()->format().samples(), 4);
  }
  context.Arguments.push_back("debug");
  MainWindow debug(context);
  EXPECT_TRUE(debug.GetEditor().DebugMode());
  EXPECT_EQ(debug.OpenGlView()->format().samples(), 0);
  debug.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&debug));
  QTest::qWait(60);
  EXPECT_TRUE(debug.OpenGlView()->Ready());
  EXPECT_FALSE(debug.ViewFailed());
}

// Run by the ctest entries that take OpenGL away (see tests/CMakeLists.txt).
void ExpectStartRefused(const char* missing) {
  TempDir dir;
  ModalScript script;
  script.Press("OK");
  EXPECT_NE(RunMainWindow(testing::StartIn(dir, {VANTOREL_SAMPLE_FILE})), 0);
  ASSERT_EQ(script.texts.size(), 1);
  EXPECT_TRUE(script.texts[0].startsWith("Vantorel|ERROR while ")) << script.texts[0].toStdString();
  EXPECT_TRUE(script.texts[0].contains(missing)) << script.texts[0].toStdString();
  // Nothing was opened or written.
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "Vantorel.ini"));
  EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty() ||
              !QApplication::topLevelWidgets().front()->isVisible());
}

TEST(GlNoContext, TheProgramSaysThereIsNoOpenGlAndEndsWithAFailure) {
  if (std::getenv("QT_XCB_GL_INTEGRATION") == nullptr) {
    GTEST_SKIP() << "needs QT_XCB_GL_INTEGRATION=none (its own ctest entry)";
  }
  ExpectStartRefused("OpenGL context");
}

TEST(GlFailure, TheProgramSaysOpenGl33IsMissingAndEndsWithAFailure) {
  if (std::getenv("MESA_GL_VERSION_OVERRIDE") == nullptr) {
    GTEST_SKIP() << "needs MESA_GL_VERSION_OVERRIDE below 3.3 (its own ctest entry)";
  }
  ExpectStartRefused("3.3");
}

TEST(GlFailure, AViewThatFailsInTheWindowSaysSoAndClosesTheWindow) {
  if (std::getenv("MESA_GL_VERSION_OVERRIDE") == nullptr) {
    GTEST_SKIP() << "needs MESA_GL_VERSION_OVERRIDE below 3.3 (its own ctest entry)";
  }
  TempDir dir;
  ModalScript script;
  script.Press("OK");
  MainWindow window(testing::StartIn(dir, {VANTOREL_SAMPLE_FILE}));
  window.show();
  for (int i = 0; i < 250 && (!window.ViewFailed() || window.isVisible()); ++i)
    QTest::qWait(20);
  EXPECT_TRUE(window.ViewFailed());
  ASSERT_EQ(script.texts.size(), 1);
  EXPECT_TRUE(script.texts[0].contains("3.3")) << script.texts[0].toStdString();
  EXPECT_FALSE(window.isVisible());
  // It closed by the usual road, which writes the settings.
  EXPECT_TRUE(std::filesystem::exists(dir.Path() / "Vantorel.ini"));
}

}  // namespace
}  // namespace vantorel
