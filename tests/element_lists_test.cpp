#include "doc/element_lists.h"

#include <gtest/gtest.h>

#include <cstring>

#include "doc/status_bar.h"
#include "tools/colgen/coll_builder.h"
#include "tools/colgen/sa_colls.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;

Coll WithFaces(int faces, std::uint8_t material = 0) {
  CollBuilder b("faces");
  for (int i = 0; i < 3; ++i)
    b.Vertex({static_cast<float>(i), 0, 0});
  for (int i = 0; i < faces; ++i)
    b.Face(0, 1, 2, MakeSurface(material));
  return b.Build();
}

TEST(ElementLines, ShowIndexMaterialParameterAndName) {
  CollBuilder b("lines");
  for (int i = 0; i < 4; ++i)
    b.Sphere({}, 1, MakeSurface(19, 0));
  b.Box({}, {1, 1, 1}, MakeSurface(255, 17));
  const Coll coll = b.Build();
  const SurfaceTypeTable& table = SurfaceTypeTable::Defaults();
  EXPECT_EQ(ElementLine(ListKind::Spheres, 3, coll, table), "S003 - [19|00] Water");
  EXPECT_EQ(ElementLine(ListKind::Boxes, 0, coll, table), "B000 - [255|17] ?");

  // A San Andreas coll names its materials from the game's own table.
  Coll sa = coll;
  std::memcpy(sa.Header.FourCC.data(), "COL3", 4);
  EXPECT_EQ(ElementLine(ListKind::Spheres, 3, sa, table), "S003 - [19|00] FLOWERBED");
  EXPECT_EQ(ElementLine(ListKind::Boxes, 0, sa, table), "B000 - [255|17] ?");
}

TEST(ElementLines, IndexesPastThreeDigitsAreWrittenInFull) {
  const Coll coll = WithFaces(1001, 5);
  const SurfaceTypeTable& table = SurfaceTypeTable::Defaults();
  EXPECT_EQ(ElementLine(ListKind::Faces, 999, coll, table), "F999 - [05|00] Beton");
  EXPECT_EQ(ElementLine(ListKind::Faces, 1000, coll, table), "F1000 - [05|00] Beton");
}

TEST(ElementLists, NewListsTakeTheDefaultMarks) {
  CollBuilder b("marks");
  b.Sphere({}, 1, MakeSurface(0)).Box({}, {1, 1, 1}, MakeSurface(0));
  b.MeshBox({}, {1, 1, 1}, MakeSurface(0));
  ElementLists lists;
  FillElementLists(lists, b.Build());
  EXPECT_EQ(lists.Spheres.checked, std::vector<bool>{true});
  EXPECT_EQ(lists.Boxes.checked, std::vector<bool>{true});
  EXPECT_EQ(lists.Faces.checked, std::vector<bool>(12, false));
}

TEST(ElementLists, MarksSurviveWhenTheCountStaysAndResetWhenItChanges) {
  Coll coll = CollBuilder("s").Sphere({}, 1, MakeSurface(0)).Sphere({}, 1, MakeSurface(0)).Build();
  ElementLists lists;
  FillElementLists(lists, coll);
  lists.Spheres.checked[1] = false;
  lists.Spheres.selected = 1;
  coll.Spheres[0].Surface.Material = 7;  // a surface change keeps the count
  FillElementLists(lists, coll);
  EXPECT_EQ(lists.Spheres.checked, (std::vector<bool>{true, false}));
  EXPECT_EQ(lists.Spheres.selected, 1);

  coll.Spheres.pop_back();  // deleting resets the marks and drops a selection out of range
  FillElementLists(lists, coll);
  EXPECT_EQ(lists.Spheres.checked, std::vector<bool>{true});
  EXPECT_EQ(lists.Spheres.selected, -1);
}

TEST(ElementLists, CheckCommands) {
  ElementList list{{true, false, false}, -1};
  ApplyCheckCommand(list, CheckCommand::Invert);
  EXPECT_EQ(list.checked, (std::vector<bool>{false, true, true}));
  ApplyCheckCommand(list, CheckCommand::CheckAll);
  EXPECT_EQ(list.checked, (std::vector<bool>{true, true, true}));
  ApplyCheckCommand(list, CheckCommand::UncheckAll);
  EXPECT_EQ(list.checked, (std::vector<bool>{false, false, false}));
}

TEST(StatusPanels, ShowNumberNameCountsSizeAndDimensions) {
  CollBuilder b("panel_coll");
  b.Box({-1, -2, 0}, {1, 2, 3}, MakeSurface(0));
  b.MeshBox({0, 0, 0}, {1, 1, 1}, MakeSurface(0));
  const Coll coll = b.Build();
  const StatusPanels panels = StatusPanelTexts(coll, 6, '.');
  EXPECT_EQ(panels[0], "007");
  EXPECT_EQ(panels[1], "panel_coll");
  EXPECT_EQ(panels[2], "Vertices: 8");
  EXPECT_EQ(panels[3], "Faces: 12");
  EXPECT_EQ(panels[4], "Size: " + std::to_string(RecordLength(coll)) + " Byte");
  EXPECT_EQ(panels[5], "Height: 3.0; Width: 2.0; Depth: 4.0");
  EXPECT_EQ(StatusPanelTexts(coll, 0, ',')[5], "Height: 3,0; Width: 2,0; Depth: 4,0");
}

TEST(StatusPanels, ASanAndreasCollShowsItsKindAfterItsName) {
  const Coll coll = colgen::SaColl("name_of_22_characters_", 3);
  const StatusPanels panels = StatusPanelTexts(coll, 0, '.');
  EXPECT_EQ(panels[1], "name_of_22_characters_ (COL3)");
  EXPECT_EQ(panels[2], "Vertices: 8");
  EXPECT_EQ(panels[3], "Faces: 12");
  EXPECT_EQ(panels[4], "Size: " + std::to_string(RecordLength(coll)) + " Byte");
}

}  // namespace
}  // namespace vantorel
