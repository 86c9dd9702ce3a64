#include <gtest/gtest.h>

#include "app/command_table.h"
#include "tests/support/editor_fixture.h"

namespace vantorel {
namespace {

using testing::EditorTest;

struct SwitchItem {
  const char* name;
  bool ViewOptions::*option;
  bool start;
};

// Every plain switch of the view's menus, with the option it stands for and its start value.
const SwitchItem kSwitches[] = {
    {"Solid1", &ViewOptions::Solid, true},
    {"Wireframe1", &ViewOptions::Wireframe, true},
    {"ShowMeshes1", &ViewOptions::ShowMeshes, true},
    {"ShowSpheres1", &ViewOptions::ShowSpheres, true},
    {"ShowBoxes1", &ViewOptions::ShowBoxes, true},
    {"Doublesided1", &ViewOptions::Doublesided, true},
    {"BoundingBox1", &ViewOptions::BoundingBox, true},
    {"BoundingSphere1", &ViewOptions::BoundingSphere, true},
    {"ShowAxes1", &ViewOptions::ShowAxes, true},
    {"CameraAnimation1", &ViewOptions::CameraAnimation, false},
    {"ShowNavigationMenu1", &ViewOptions::ShowNavigationBar, true},
    {"EnableKeyNavigation1", &ViewOptions::EnableKeyNavigation, false},
    {"ShowShadowMesh1", &ViewOptions::ShowShadowMesh, false},
    {"ShowFaceGroups1", &ViewOptions::ShowFaceGroups, false},
    {"ToolButton16", &ViewOptions::ShowShadowMesh, false},
    {"ToolButton17", &ViewOptions::ShowFaceGroups, false},
};

class ViewCommandsTest : public EditorTest {
 protected:
  void SetUp() override { OpenColls({Named("a", 2)}); }
  void Run(const char* name) {
    const CommandRow* row = FindCommand(name);
    ASSERT_NE(row, nullptr) << name;
    RunCommand(editor, *row);
  }
  bool Checked(const char* name) const { return FindCommand(name)->Checked(editor); }
  int ViewNotices() const {
    int count = 0;
    for (const Notice& notice : notices)
      count += std::holds_alternative<ViewChanged>(notice);
    return count;
  }
};

TEST_F(ViewCommandsTest, EachSwitchShowsAndTogglesItsOwnOptionOnly) {
  for (const SwitchItem& item : kSwitches) {
    SCOPED_TRACE(item.name);
    ASSERT_TRUE(FindCommand(item.name)->Checked);
    EXPECT_EQ(Checked(item.name), item.start);
    const ViewOptions before = view.options;
    Forget();
    Run(item.name);
    ViewOptions expected = before;
    expected.*item.option = !item.start;
    EXPECT_EQ(view.options, expected);
    EXPECT_EQ(Checked(item.name), !item.start);
    // Only the switch: nothing is rebuilt, the camera stays, the window hears of it.
    EXPECT_EQ(view.calls, std::vector<std::string>{"options"});
    EXPECT_EQ(ViewNotices(), 1);
    EXPECT_FALSE(editor.CollChanged());
    Run(item.name);
    EXPECT_EQ(view.options, before);
  }
  // None of the switches is a step of the undo history.
  EXPECT_FALSE(editor.CanUndo());
}

TEST_F(ViewCommandsTest, TheSurfaceColourButtonRecoloursKeepingTheCamera) {
  EXPECT_TRUE(Checked("ToolButton3"));
  Run("ToolButton3");
  EXPECT_FALSE(view.options.SurfaceColors);
  EXPECT_FALSE(Checked("ToolButton3"));
  // The view recolours by itself when it takes the switch (see ViewState's test of it).
  EXPECT_EQ(view.calls, (std::vector<std::string>{"options"}));
  EXPECT_EQ(ViewNotices(), 1);
  Forget();
  Run("ToolButton3");
  EXPECT_TRUE(view.options.SurfaceColors);
  EXPECT_EQ(ViewRebuild(), std::nullopt);
}

TEST_F(ViewCommandsTest, AutomaticZoomTogglesThenResetsTheCamera) {
  EXPECT_TRUE(Checked("AutomaticZoom1"));
  Run("AutomaticZoom1");
  EXPECT_FALSE(view.options.AutomaticZoom);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"options", "reset camera"}));
  Forget();
  Run("ResetCamera1");
  EXPECT_EQ(view.calls, std::vector<std::string>{"reset camera"});
  EXPECT_FALSE(FindCommand("ResetCamera1")->Checked);
  // A later coll takes its zoom without the automatic switch: see ViewState's zoom test.
}

TEST_F(ViewCommandsTest, TheNavigationButtonsChooseOneModeEach) {
  EXPECT_TRUE(Checked("btnNav3"));  // rotate at start
  const char* const buttons[] = {"btnNav1", "btnNav2", "btnNav3", "btnNav4"};
  for (int mode = 0; mode < 4; ++mode) {
    Run(buttons[mode]);
    EXPECT_EQ(view.options.NavMode, mode);
    for (int other = 0; other < 4; ++other)
      EXPECT_EQ(Checked(buttons[other]), other == mode);
  }
  // Choosing the mode that is on already changes nothing and tells nobody.
  Forget();
  Run("btnNav4");
  EXPECT_TRUE(view.calls.empty());
  EXPECT_EQ(ViewNotices(), 0);
}

TEST_F(ViewCommandsTest, TheToolBarsAndDropDownsStandInTheTable) {
  EXPECT_EQ(FindCommand("ToolButton2")->DropDown, "PopupMenu1");
  EXPECT_EQ(FindCommand("ToolButton6")->DropDown, "PopupMenu2");
  EXPECT_EQ(
      FindPlace("ToolBar1")->Items,
      (std::vector<std::string_view>{"ToolButton2", "ToolButton3", "ToolButton4", "ToolButton6"}));
  EXPECT_EQ(FindPlace("ToolBar5")->Items,
            (std::vector<std::string_view>{"ToolButton16", "ToolButton17"}));
  EXPECT_EQ(FindPlace("ToolBar2")->Items,
            (std::vector<std::string_view>{"btnNav1", "btnNav2", "btnNav3", "btnNav4"}));
  // The image-only buttons show a picture and a tip; the keys 1 to 4 press the navigation buttons
  // and reach the focused control as well.
  for (const char* bar : {"ToolBar1", "ToolBar2", "ToolBar5"}) {
    for (std::string_view item : FindPlace(bar)->Items) {
      const CommandRow* row = FindCommand(item);
      EXPECT_TRUE(row->Caption.empty()) << item;
      EXPECT_FALSE(row->Icon.empty()) << item;
      EXPECT_FALSE(row->ToolTip.empty()) << item;
    }
  }
  EXPECT_EQ(FindCommand("btnNav1")->Shortcut, "1");
  EXPECT_EQ(FindCommand("btnNav4")->Shortcut, "4");
  EXPECT_TRUE(FindCommand("btnNav4")->ShortcutPassesOn);
  // No view row is left waiting for the view.
  for (const char* place :
       {"PopupMenu1", "PopupMenu2", "PopupMenu3", "ToolBar1", "ToolBar2", "ToolBar5"}) {
    for (std::string_view item : FindPlace(place)->Items) {
      if (item == "-" || item == "RecalculateBoundingObjects1") continue;
      const CommandRow* row = FindCommand(item);
      EXPECT_FALSE(WhyNotNow(*row, editor)) << item;
    }
  }
}

ColorSettings Recoloured() {
  ColorSettings chosen{MainColors{}, SurfaceTypeTable{}};
  chosen.Colors.Background = 0xFF102030;
  chosen.Surfaces.Set(1, 0xFF00FF00, "Green street");
  return chosen;
}

TEST_F(ViewCommandsTest, ColourSettingsOkPutsColoursAndSurfacesInKeepingTheCamera) {
  ui.colorResults = {Recoloured()};
  Run("ColorSettings1");
  ASSERT_EQ(ui.colorsShown.size(), 1u);
  EXPECT_EQ(ui.colorsShown[0].Colors, MainColors{});
  EXPECT_EQ(ui.colorsShown[0].Surfaces.Name(1), SurfaceTypeTable{}.Name(1));
  EXPECT_EQ(editor.Settings().Colors.Background, 0xFF102030u);
  EXPECT_EQ(editor.SurfaceTypes().Color(1), 0xFF00FF00u);
  EXPECT_EQ(editor.SurfaceTypes().Name(1), "Green street");
  // The element lines name the new description.
  EXPECT_EQ(editor.ElementLineText(ListKind::Spheres, 0), "S000 - [01|00] Green street");
  EXPECT_TRUE(Notified<SettingsChanged>());
  // Rebuilt with the new colours, never moved: no camera reset, one batch for the view.
  EXPECT_EQ(ViewRebuild(), CameraAfterEdit::Keep);
  EXPECT_EQ(batches, 1);
  EXPECT_FALSE(editor.CollChanged());
  EXPECT_FALSE(editor.FileChanged());
}

TEST_F(ViewCommandsTest, TheColourButtonOpensTheSameDialog) {
  ui.colorResults = {Recoloured()};
  Run("ToolButton4");
  EXPECT_EQ(ui.log, std::vector<std::string>{"colors"});
  EXPECT_EQ(editor.Settings().Colors.Background, 0xFF102030u);
}

TEST_F(ViewCommandsTest, ColourSettingsCancelOrOkWithoutChangesLeaveAllAsItWas) {
  const Settings settings = editor.Settings();
  ui.colorResults = {std::nullopt, ColorSettings{settings.Colors, editor.SurfaceTypes()}};
  Run("ColorSettings1");
  Run("ColorSettings1");
  EXPECT_EQ(ui.log, (std::vector<std::string>{"colors", "colors"}));
  EXPECT_EQ(editor.Settings(), settings);
  EXPECT_EQ(editor.SurfaceTypes().Name(1), SurfaceTypeTable{}.Name(1));
  EXPECT_TRUE(view.calls.empty());
  EXPECT_TRUE(notices.empty());
}

TEST_F(ViewCommandsTest, AboutHoldsTheStartPictureWhileItsMessageIsOpen) {
  Run("About1");
  ASSERT_EQ(ui.log.size(), 1u);
  EXPECT_EQ(ui.log[0].rfind("about Vantorel\n", 0), 0u);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"hold picture", "release picture"}));
}

TEST_F(ViewCommandsTest, ViewSwitchesKeepTheDocumentAndTheHistoryAlone) {
  EditCurrentColl();
  const bool couldUndo = editor.CanUndo();
  const std::string undoName = editor.UndoName();
  Run("Wireframe1");
  Run("ToolButton3");
  Run("btnNav1");
  EXPECT_TRUE(editor.CollChanged());
  EXPECT_EQ(editor.CanUndo(), couldUndo);
  EXPECT_EQ(editor.UndoName(), undoName);
}

}  // namespace
}  // namespace vantorel
