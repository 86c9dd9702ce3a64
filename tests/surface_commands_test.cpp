#include "ops/surface_commands.h"

#include <gtest/gtest.h>

#include "app/command_table.h"
#include "core/sa_surface_table.h"
#include "tests/support/document_state.h"
#include "tests/support/editor_fixture.h"
#include "tools/colgen/sa_colls.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;
using testing::EditorTest;

// Three spheres, two boxes and sixteen faces with surfaces of their own.
Coll Mixed() {
  CollBuilder b("mixed");
  b.Sphere({0, 0, 0}, 1, MakeSurface(10, 17, 7, 8));
  b.Sphere({1, 0, 0}, 1, MakeSurface(11, 3));
  b.Sphere({2, 0, 0}, 1, MakeSurface(12, 14));
  b.Box({0, 0, 0}, {1, 1, 1}, MakeSurface(2, 5));
  b.Box({1, 1, 1}, {2, 2, 2}, MakeSurface(3, 6));
  b.Vertex({0, 0, 0});
  b.Vertex({1, 0, 0});
  b.Vertex({0, 1, 0});
  for (int i = 0; i < 16; ++i)
    b.Face(0, 1, 2, MakeSurface(static_cast<std::uint8_t>(i % 4), 0, 1, 2));
  return b.Build();
}

class SurfaceCommandsTest : public EditorTest {
 protected:
  void SetUp() override { OpenColls({Mixed()}); }
  void Check(ListKind kind, std::initializer_list<int> lines) {
    editor.SetChecks(kind, CheckCommand::UncheckAll);
    for (int line : lines)
      editor.ToggleCheck(kind, line);
    Forget();
  }
  const std::string& Name(int material) const { return editor.SurfaceTypes().Name(material); }
};

TEST_F(SurfaceCommandsTest, ChangeSurfaceStoresTheChoiceAndRemembersTheMaterial) {
  editor.SelectElement(ListKind::Faces, 12);
  ui.surfaceResults = {SurfaceChoice{5, 13}};
  RunRow("MenuItem16");
  EXPECT_EQ(ui.log, std::vector<std::string>{
                        "surface Here you can change the surface type and parameter of face "
                        "12.|0|0"});
  const Surface& surface = editor.WorkingCopy().Faces[12].Surface;
  EXPECT_EQ(surface.Material, 5);
  EXPECT_EQ(surface.Parameter, 17);
  EXPECT_EQ(surface.Byte2, 1);  // never changed here
  EXPECT_EQ(surface.Byte3, 2);
  EXPECT_EQ(editor.LastMaterial, 5);
  EXPECT_TRUE(editor.CollChanged());
  EXPECT_EQ(editor.ElementLineText(ListKind::Faces, 12), "F012 - [05|17] " + Name(5));
  // Face colours depend on the material; the view stays where it looks.
  EXPECT_EQ(ViewRebuild(), CameraAfterEdit::Keep);
}

TEST_F(SurfaceCommandsTest, AnEmptyFieldKeepsTheElementsValue) {
  editor.SelectElement(ListKind::Spheres, 0);
  ui.surfaceResults = {SurfaceChoice{std::nullopt, std::nullopt}};
  RunRow("ChangeSurfaceValue1");
  EXPECT_EQ(ui.log.back(),
            "surface Here you can change the surface type and parameter of "
            "sphere 0.|10|13");  // parameter 17: "[17] Windscreen"
  EXPECT_EQ(editor.WorkingCopy().Spheres[0].Surface.Material, 10);
  EXPECT_EQ(editor.WorkingCopy().Spheres[0].Surface.Parameter, 17);
  EXPECT_EQ(editor.LastMaterial, -1);  // no material chosen: none remembered

  // A parameter of 14 has no entry; it stays unless one is chosen.
  editor.SelectElement(ListKind::Spheres, 2);
  ui.surfaceResults = {SurfaceChoice{std::nullopt, std::nullopt}, SurfaceChoice{std::nullopt, 12}};
  RunRow("ChangeSurfaceValue1");
  EXPECT_EQ(ui.log.back(),
            "surface Here you can change the surface type and parameter of "
            "sphere 2.|12|-");
  EXPECT_EQ(editor.WorkingCopy().Spheres[2].Surface.Parameter, 14);
  RunRow("ChangeSurfaceValue1");
  EXPECT_EQ(editor.WorkingCopy().Spheres[2].Surface.Parameter, 12);
}

TEST_F(SurfaceCommandsTest, AMaterialBeyondTheTableOpensWithNothingSelectedAndStays) {
  Edit([](Coll& coll) { coll.Boxes[1].Surface.Material = 40; });
  editor.SelectElement(ListKind::Boxes, 1);
  editor.LastMaterial = 3;
  ui.surfaceResults = {SurfaceChoice{std::nullopt, 0}};
  RunRow("MenuItem8");
  EXPECT_EQ(ui.log.back(),
            "surface Here you can change the surface type and parameter of "
            "box 1.|-|6");
  EXPECT_EQ(editor.WorkingCopy().Boxes[1].Surface.Material, 40);
  EXPECT_EQ(editor.WorkingCopy().Boxes[1].Surface.Parameter, 0);
  EXPECT_EQ(editor.LastMaterial, 3);
}

TEST_F(SurfaceCommandsTest, ChangeSurfaceCancelledOrWithoutASelectedLineChangesNothing) {
  RunRow("MenuItem16");  // no line selected: no dialog
  EXPECT_TRUE(ui.log.empty());
  editor.SelectElement(ListKind::Faces, 3);
  ui.surfaceResults = {std::nullopt};
  RunRow("MenuItem16");
  EXPECT_EQ(ui.log.size(), 1u);
  EXPECT_FALSE(editor.CollChanged());
  EXPECT_EQ(editor.LastMaterial, -1);
  EXPECT_TRUE(notices.empty());
}

TEST_F(SurfaceCommandsTest, TheMaterialListShowsSurfaceNamesAsUtf8) {
  ChangeSurfaceType(4, 0xFF102030, "Schl\xE4mm");  // Windows-1252 a umlaut
  editor.SelectElement(ListKind::Faces, 0);
  ui.surfaceResults = {std::nullopt};
  RunRow("MenuItem16");
  ASSERT_EQ(ui.surfaceShown.size(), 1u);
  EXPECT_EQ(ui.surfaceShown[0].Materials[4], "[04] Schl\xC3\xA4mm");
}

TEST_F(SurfaceCommandsTest, QuickChangeAsksWithSevenTagsToALine) {
  Check(ListKind::Faces, {0, 1, 2, 3, 4, 5, 6, 7});
  ui.answers = {Answer::Yes};
  RunRow("QuickChangeOfSelected1");
  EXPECT_EQ(ui.log,
            std::vector<std::string>{
                "ask Surface Quick Change|Would you like to assign the surface \"" + Name(0) +
                "\" (0)\r\nto the following checked faces?\r\n\r\n"
                "F000, F001, F002, F003, F004, F005, F006, \r\nF007|Yes"});
  EXPECT_EQ(ui.questions[0].Choices, Buttons::YesNo);
  EXPECT_EQ(editor.LastMaterial, 0);  // before any choice: material 0, from now on
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(editor.WorkingCopy().Faces[i].Surface.Material, i < 8 ? 0 : i % 4) << i;
    EXPECT_EQ(editor.WorkingCopy().Faces[i].Surface.Byte2, 1) << i;
  }
  EXPECT_TRUE(editor.CollChanged());
  EXPECT_EQ(ViewRebuild(), CameraAfterEdit::Keep);

  Check(ListKind::Faces, {0, 1, 2, 3, 4, 5, 6});
  ui.answers = {Answer::No};
  RunRow("QuickChangeOfSelected1");
  const std::string& text = ui.questions[0].Text;
  EXPECT_EQ(text.substr(text.size() - 10), "F005, F006");  // no separator, no line break
}

TEST_F(SurfaceCommandsTest, QuickChangeAnsweredNoOrWithNothingCheckedChangesNothing) {
  editor.LastMaterial = 99;
  Check(ListKind::Boxes, {});
  RunRow("QuickChangeAllChecked1");  // nothing checked: no question
  EXPECT_TRUE(ui.log.empty());
  EXPECT_EQ(editor.LastMaterial, 0);  // out of the table: 0 all the same

  Check(ListKind::Boxes, {1});
  ui.answers = {Answer::No};
  RunRow("QuickChangeAllChecked1");
  EXPECT_EQ(editor.WorkingCopy().Boxes[1].Surface.Material, 3);
  EXPECT_FALSE(editor.CollChanged());
  EXPECT_TRUE(notices.empty());
}

TEST_F(SurfaceCommandsTest, ASphereMaterialChosenOnceIsQuickChangedOntoBoxes) {
  ChangeSettings([](Settings& settings) { settings.askSurface = false; });
  editor.SelectElement(ListKind::Spheres, 1);
  ui.surfaceResults = {SurfaceChoice{10, std::nullopt}};
  RunRow("ChangeSurfaceValue1");
  Check(ListKind::Boxes, {0});
  RunRow("QuickChangeAllChecked1");
  EXPECT_TRUE(ui.log.empty());  // askSurface off: at once, without the question
  EXPECT_EQ(editor.WorkingCopy().Boxes[0].Surface.Material, 10);
  EXPECT_EQ(editor.WorkingCopy().Boxes[0].Surface.Parameter, 5);
  EXPECT_EQ(editor.WorkingCopy().Boxes[1].Surface.Material, 3);

  // On spheres only the checked ones change, and only their material.
  Check(ListKind::Spheres, {0, 2});
  editor.LastMaterial = 20;
  RunRow("QuickChangeAllChecked2");
  EXPECT_EQ(editor.WorkingCopy().Spheres[0].Surface.Material, 20);
  EXPECT_EQ(editor.WorkingCopy().Spheres[0].Surface.Parameter, 17);
  EXPECT_EQ(editor.WorkingCopy().Spheres[1].Surface.Material, 10);
  EXPECT_EQ(editor.WorkingCopy().Spheres[2].Surface.Parameter, 14);
}

TEST_F(SurfaceCommandsTest, EachPopUpMenuActsOnItsOwnList) {
  ChangeSettings([](Settings& settings) { settings.askSurface = false; });
  editor.LastMaterial = 9;
  for (ListKind kind : {ListKind::Spheres, ListKind::Boxes, ListKind::Faces})
    editor.SetChecks(kind, CheckCommand::CheckAll);
  RunCommand(editor, *FindCommand("QuickChangeAllChecked1"));  // boxes
  EXPECT_EQ(editor.WorkingCopy().Boxes[0].Surface.Material, 9);
  EXPECT_EQ(editor.WorkingCopy().Spheres[0].Surface.Material, 10);
  RunCommand(editor, *FindCommand("QuickChangeAllChecked2"));  // spheres
  EXPECT_EQ(editor.WorkingCopy().Spheres[0].Surface.Material, 9);
  EXPECT_EQ(editor.WorkingCopy().Faces[1].Surface.Material, 1);
  RunCommand(editor, *FindCommand("QuickChangeOfSelected1"));  // faces
  EXPECT_EQ(editor.WorkingCopy().Faces[1].Surface.Material, 9);

  editor.SelectElement(ListKind::Spheres, 0);
  editor.SelectElement(ListKind::Boxes, 1);
  editor.SelectElement(ListKind::Faces, 2);
  ui.surfaceResults = {std::nullopt, std::nullopt, std::nullopt};
  for (const char* row : {"ChangeSurfaceValue1", "MenuItem8", "MenuItem16"})
    RunCommand(editor, *FindCommand(row));
  ASSERT_EQ(ui.surfaceShown.size(), 3u);
  EXPECT_NE(ui.surfaceShown[0].Label.find("sphere 0."), std::string::npos);
  EXPECT_NE(ui.surfaceShown[1].Label.find("box 1."), std::string::npos);
  EXPECT_NE(ui.surfaceShown[2].Label.find("face 2."), std::string::npos);
}

// A San Andreas coll offers the game's own materials and stores the chosen id as it is; the
// material then carries over to a "COLL" coll through the mapping, never as a raw id.
TEST_F(SurfaceCommandsTest, ASanAndreasCollChoosesFromItsOwnTable) {
  OpenColls({colgen::SaColl("sa", 3), Mixed()});
  ASSERT_EQ(editor.WorkingCopy().Version(), 3);
  const testing::DocumentState before = testing::CaptureDocument(editor);
  editor.SelectElement(ListKind::Faces, 2);
  ui.surfaceResults = {SurfaceChoice{150, std::nullopt}};
  RunRow("MenuItem16");
  ASSERT_EQ(ui.surfaceShown.size(), 1u);
  EXPECT_EQ(ui.surfaceShown[0].Materials.size(), 179u);
  EXPECT_EQ(ui.surfaceShown[0].MaterialItem, 26);  // the fixture's face 2
  EXPECT_EQ(editor.WorkingCopy().Faces[2].Surface.Material, 150);
  EXPECT_EQ(editor.ElementLineText(ListKind::Faces, 2), "F002 - [150|00] P_GRASSMID2");
  EXPECT_EQ(editor.LastMaterial, 150);
  testing::ExpectUndoAndRedo(editor, before);

  // Quick Change in the same coll asks with the San Andreas name.
  Check(ListKind::Boxes, {0});
  ui.answers = {Answer::Yes};
  RunRow("QuickChangeAllChecked1");
  EXPECT_NE(ui.questions.at(0).Text.find("\"P_GRASSMID2\" (150)"), std::string::npos);
  EXPECT_EQ(editor.WorkingCopy().Boxes[0].Surface.Material, 150);

  // In a "COLL" coll the add dialog and Quick Change get the mapped III/VC surface.
  ChangeSettings([](Settings& settings) {
    settings.askSurface = false;
    settings.askApply = false;
  });
  editor.SelectColl(1);
  const int grass = ClassicMaterialForSa(150);
  ASSERT_EQ(grass, 2);
  ui.valueResults = {std::nullopt};
  RunRow("AddSphere1");
  EXPECT_EQ(ui.valuesShown.at(0).Material, grass);
  EXPECT_EQ(ui.valuesShown.at(0).Table, MaterialTable::Classic);
  Check(ListKind::Spheres, {1});
  RunRow("QuickChangeAllChecked2");
  EXPECT_EQ(editor.WorkingCopy().Spheres[1].Surface.Material, grass);
  EXPECT_EQ(editor.LastMaterial, grass);
  // and back in the San Andreas coll, the III/VC surface's own San Andreas row.
  editor.SelectColl(0);
  ui.valueResults = {std::nullopt};
  RunRow("MenuItem5");  // Add Box
  EXPECT_EQ(ui.valuesShown.back().Material, SaMaterialForClassic(grass));
  EXPECT_EQ(ui.valuesShown.back().Table, MaterialTable::SanAndreas);
}

}  // namespace
}  // namespace vantorel
