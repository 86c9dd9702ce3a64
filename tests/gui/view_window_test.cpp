// The view's switches, tool bars and keys in the window, with the view not drawn (these run on
// the offscreen platform, which has no OpenGL); the drawn view is tested under Xvfb in tests/gl.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>

#include "app/qt/main_window.h"
#include "tests/gui/modal_script.h"
#include "tests/support/start_context.h"
#include "tests/support/test_files.h"
#include "tools/colgen/coll_builder.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;
using testing::ModalScript;
using testing::TempDir;

Coll ThreeFaces() {
  CollBuilder b("faces");
  for (int i = 0; i < 3; ++i) {
    const auto x = static_cast<float>(i);
    b.Face(b.Vertex({x, 0, 0}), b.Vertex({x + 1, 0, 0}), b.Vertex({x, 1, 0}), MakeSurface(1));
  }
  return b.Build();
}

class ViewWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string path = dir.Write("view.col", colgen::EncodeFile({ThreeFaces()}));
    window = std::make_unique<MainWindow>(testing::StartIn(dir, {path}), ViewDrawing::None);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    clbFaces = window->findChild<QListView*>("clbFaces");
    ASSERT_NE(clbFaces, nullptr);
  }

  QAction* Action(const char* name) { return window->findChild<QAction*>(name); }
  QToolButton* Button(const char* name) { return window->findChild<QToolButton*>(name); }
  ViewOptions Options() { return window->GetEditor().View().Options(); }
  const CameraState& Camera() { return window->View3D().Camera(); }

  static QStringList Names(const QMenu* menu) {
    QStringList names;
    for (const QAction* action : menu->actions())
      names << (action->isSeparator() ? "-" : action->objectName());
    return names;
  }

  TempDir dir;
  std::unique_ptr<MainWindow> window;
  QListView* clbFaces = nullptr;
};

TEST_F(ViewWindowTest, TheViewToolBarDropsDownTheSwitchesAsCheckItems) {
  EXPECT_EQ(window->OpenGlView(), nullptr);
  QToolButton* drawing = Button("ToolButton2");
  ASSERT_NE(drawing, nullptr);
  const QMenu* drawingMenu = drawing->defaultAction()->menu();
  ASSERT_NE(drawingMenu, nullptr);
  EXPECT_EQ(drawingMenu->objectName(), "PopupMenu1");
  EXPECT_EQ(drawing->popupMode(), QToolButton::InstantPopup);
  EXPECT_EQ(Names(drawingMenu),
            (QStringList{"Solid1", "Wireframe1", "-", "ShowMeshes1", "ShowSpheres1", "ShowBoxes1",
                         "-", "ShowShadowMesh1", "ShowFaceGroups1", "-", "Doublesided1"}));
  const QMenu* boundingsMenu = Button("ToolButton6")->defaultAction()->menu();
  ASSERT_NE(boundingsMenu, nullptr);
  EXPECT_EQ(Names(boundingsMenu), (QStringList{"BoundingBox1", "BoundingSphere1", "-",
                                               "RecalculateBoundingObjects1", "-", "ShowAxes1"}));
  for (const char* name : {"Solid1", "Wireframe1", "ShowMeshes1", "Doublesided1", "ShowAxes1"}) {
    EXPECT_TRUE(Action(name)->isCheckable()) << name;
    EXPECT_TRUE(Action(name)->isChecked()) << name;
    EXPECT_TRUE(Action(name)->isEnabled()) << name;
  }
  Action("Solid1")->trigger();
  EXPECT_FALSE(Options().Solid);
  EXPECT_FALSE(Action("Solid1")->isChecked());
  Action("Solid1")->trigger();
  EXPECT_TRUE(Options().Solid);
  EXPECT_TRUE(Action("Solid1")->isChecked());
}

TEST_F(ViewWindowTest, TheSurfaceColourButtonIsACheckButtonThatKeepsTheCamera) {
  QToolButton* surfaces = Button("ToolButton3");
  ASSERT_NE(surfaces, nullptr);
  EXPECT_TRUE(surfaces->isEnabled());
  EXPECT_TRUE(surfaces->isCheckable());
  EXPECT_TRUE(surfaces->isChecked());
  const CameraState camera = Camera();
  surfaces->click();
  EXPECT_FALSE(surfaces->isChecked());
  EXPECT_FALSE(Options().SurfaceColors);
  EXPECT_EQ(Camera(), camera);
  EXPECT_TRUE(window->View3D().GeometryPresent());
  EXPECT_EQ(window->View3D().Arrays().MeshGroups().size(), 1u);
}

TEST_F(ViewWindowTest, ShowNavigationBarHidesAndShowsTheNavigationButtons) {
  auto* bar = window->findChild<QToolBar*>("ToolBar2");
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->parentWidget()->objectName(), "pnlScreen");
  EXPECT_TRUE(bar->isVisible());
  EXPECT_TRUE(Action("ShowNavigationMenu1")->isChecked());
  Action("ShowNavigationMenu1")->trigger();
  EXPECT_FALSE(bar->isVisible());
  EXPECT_FALSE(Action("ShowNavigationMenu1")->isChecked());
  Action("ShowNavigationMenu1")->trigger();
  EXPECT_TRUE(bar->isVisible());
}

// Over the view beside the navigation buttons, in step with their items of PopupMenu1, and
// not hidden with the navigation bar.
TEST_F(ViewWindowTest, TheSanAndreasSwitchesAreCheckButtonsOverTheView) {
  auto* navigation = window->findChild<QToolBar*>("ToolBar2");
  auto* saParts = window->findChild<QToolBar*>("ToolBar5");
  ASSERT_NE(saParts, nullptr);
  EXPECT_EQ(saParts->parentWidget(), navigation->parentWidget());
  EXPECT_FALSE(saParts->geometry().intersects(navigation->geometry()));
  EXPECT_TRUE(saParts->parentWidget()->rect().contains(saParts->geometry()));
  for (const auto& [buttonName, itemName] : {std::pair{"ToolButton16", "ShowShadowMesh1"},
                                             std::pair{"ToolButton17", "ShowFaceGroups1"}}) {
    SCOPED_TRACE(buttonName);
    QToolButton* button = Button(buttonName);
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->icon().isNull());
    EXPECT_FALSE(button->isChecked());
    button->click();
    EXPECT_TRUE(Action(itemName)->isChecked());
    Action(itemName)->trigger();
    EXPECT_FALSE(button->isChecked());
  }
  Action("ShowNavigationMenu1")->trigger();
  EXPECT_TRUE(saParts->isVisible());
}

TEST_F(ViewWindowTest, DigitKeysPressTheNavigationButtonsWhereverTheFocusIs) {
  EXPECT_TRUE(Button("btnNav3")->isChecked());
  clbFaces->setFocus();
  QTest::keyClick(clbFaces, Qt::Key_1);
  EXPECT_EQ(Options().NavMode, kNavPick);
  EXPECT_TRUE(Button("btnNav1")->isChecked());
  EXPECT_FALSE(Button("btnNav3")->isChecked());
  QTest::keyClick(window.get(), Qt::Key_4);
  EXPECT_EQ(Options().NavMode, kNavMove);
  EXPECT_TRUE(Button("btnNav4")->isChecked());
  EXPECT_FALSE(Button("btnNav1")->isChecked());
  // The buttons choose too, and a button that is down stays down when pressed again.
  Button("btnNav2")->click();
  Button("btnNav2")->click();
  EXPECT_EQ(Options().NavMode, kNavZoom);
  EXPECT_TRUE(Button("btnNav2")->isChecked());
  EXPECT_FALSE(Options().EnableKeyNavigation);
}

TEST_F(ViewWindowTest, ArrowKeysMoveTheCameraOnlyWithKeyNavigationAndStillReachTheList) {
  clbFaces->setFocus();
  clbFaces->setCurrentIndex(clbFaces->model()->index(0, 0));
  const CameraState start = Camera();
  QTest::keyClick(clbFaces, Qt::Key_Down);
  EXPECT_EQ(clbFaces->currentIndex().row(), 1);
  EXPECT_EQ(Camera(), start);

  Action("EnableKeyNavigation1")->trigger();
  ASSERT_TRUE(Options().EnableKeyNavigation);
  QTest::keyClick(clbFaces, Qt::Key_Down);
  EXPECT_EQ(clbFaces->currentIndex().row(), 2);  // the list has it as well
  // Once per press, though the press travels up through the list's parents.
  EXPECT_FLOAT_EQ(Camera().Elevation, start.Elevation + 0.17453292f);
  QTest::keyClick(window.get(), Qt::Key_PageDown);
  EXPECT_FLOAT_EQ(Camera().Distance, start.Distance + 0.5f);
  // The view takes no key itself, so its presses travel up to the window: heard once still.
  auto* panel = window->findChild<QWidget*>("pnlScreen");
  panel->setFocus();
  QTest::keyClick(panel, Qt::Key_PageDown);
  EXPECT_FLOAT_EQ(Camera().Distance, start.Distance + 1.0f);
  // Keys in a dialog belong to the dialog.
  ModalScript script;
  script.Then([](QWidget* dialog) {
    QTest::keyClick(dialog, Qt::Key_PageDown);
    QTest::keyClick(dialog, Qt::Key_Escape);
  });
  Action("ColorSettings1")->trigger();
  EXPECT_FLOAT_EQ(Camera().Distance, start.Distance + 1.0f);
}

TEST_F(ViewWindowTest, AHeldKeyMovesOneStepPerRepeatAndAsksForAFrameEachTime) {
  Action("EnableKeyNavigation1")->trigger();
  auto* panel = window->findChild<QWidget*>("pnlScreen");
  panel->setFocus();
  const CameraState start = Camera();
  auto& view = const_cast<ViewState&>(window->View3D());
  view.PrepareFrame();
  ASSERT_FALSE(view.FrameWanted(view.Now()));
  // A held key arrives as a press, then as repeated release and press pairs.
  for (int i = 0; i < 6; ++i) {
    const bool repeat = i > 0;
    if (repeat) {
      QKeyEvent release(QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier, QString(), true);
      QApplication::sendEvent(panel, &release);
    }
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier, QString(), repeat);
    QApplication::sendEvent(panel, &press);
    EXPECT_TRUE(view.FrameWanted(view.Now())) << i;
    view.PrepareFrame();
  }
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier);
  QApplication::sendEvent(panel, &release);
  EXPECT_NEAR(Camera().Azimuth, start.Azimuth + 6 * 0.17453292f, 1e-5);
}

TEST_F(ViewWindowTest, TheWheelZoomsInEveryModeByDragStepsWithinTheLimits) {
  auto* panel = window->findChild<QWidget*>("pnlScreen");
  const auto wheel = [&](int delta) {
    const QPointF at(panel->width() / 2.0, panel->height() / 2.0);
    QWheelEvent event(at, panel->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(panel, &event);
  };
  const float reset = Camera().Distance;
  wheel(-1200);  // ten notches back: fifty units farther
  EXPECT_FLOAT_EQ(Camera().Distance, reset + 50);
  for (const char* mode : {"btnNav1", "btnNav2", "btnNav3", "btnNav4"}) {
    Button(mode)->click();
    const CameraState start = Camera();
    // One notch forward is a zoom drag of ten counts upwards: five units nearer.
    wheel(120);
    EXPECT_FLOAT_EQ(Camera().Distance, start.Distance - 5) << mode;
    wheel(-240);
    EXPECT_FLOAT_EQ(Camera().Distance, start.Distance + 5) << mode;
    // Towards the view's centre: the target and the angles stay.
    EXPECT_EQ(Camera().Azimuth, start.Azimuth);
    EXPECT_EQ(Camera().Elevation, start.Elevation);
    EXPECT_EQ(Camera().TargetX, start.TargetX);
    wheel(-120);
  }
  for (int i = 0; i < 100; ++i)
    wheel(120);
  EXPECT_EQ(Camera().Distance, 2.0f);
}

TEST_F(ViewWindowTest, ColourSettingsOkPutsTheColoursInThroughTheRealDialog) {
  Editor& editor = window->GetEditor();
  Settings dark = editor.Settings();
  dark.Colors.Background = 0xFF000000;
  editor.ChangeSettings(dark);
  auto* panel = window->findChild<QWidget*>("pnlScreen");
  EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(0, 0, 0));
  const CameraState camera = Camera();

  ModalScript script;
  script.Then([](QWidget* dialog) {
    EXPECT_EQ(dialog->objectName(), "TForm2");
    dialog->findChild<QPushButton*>("Button3")->click();  // Default
    dialog->findChild<QPushButton*>("Button1")->click();  // OK
  });
  Button("ToolButton4")->click();
  EXPECT_TRUE(script.Done());
  EXPECT_EQ(editor.Settings().Colors, MainColors{});
  EXPECT_EQ(panel->palette().color(QPalette::Window), QColor::fromRgb(MainColors{}.Background));
  EXPECT_EQ(Camera(), camera);
}

}  // namespace
}  // namespace vantorel
