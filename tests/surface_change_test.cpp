#include "ops/surface_change.h"

#include <gtest/gtest.h>

#include "tools/colgen/coll_builder.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;

std::vector<bool> Checked(int count, std::initializer_list<int> marked) {
  std::vector<bool> checked(static_cast<std::size_t>(count), false);
  for (int i : marked)
    checked[static_cast<std::size_t>(i)] = true;
  return checked;
}

TEST(ParameterItem, MapsStoredValuesToListEntriesBothWays) {
  for (int value = 0; value <= 12; ++value) {
    EXPECT_EQ(ParameterItem(static_cast<std::uint8_t>(value)), value);
    EXPECT_EQ(ParameterOfItem(value), value);
  }
  EXPECT_EQ(ParameterItem(17), 13);
  EXPECT_EQ(ParameterOfItem(13), 17);
  for (int value : {13, 14, 15, 16, 18, 99, 255})
    EXPECT_FALSE(ParameterItem(static_cast<std::uint8_t>(value))) << value;
  EXPECT_FALSE(ParameterOfItem(-1));
  EXPECT_FALSE(ParameterOfItem(14));
}

TEST(MaterialEntries, OneEntryPerSurfaceTypeWithTheNamesInForce) {
  SurfaceTypeTable table;
  table.Set(5, 0xFF000000, "Concrete");
  const std::vector<std::string> entries = MaterialEntries(MaterialTable::Classic, table);
  ASSERT_EQ(entries.size(), 35u);
  EXPECT_EQ(entries[0], "[00] Standard");
  EXPECT_EQ(entries[5], "[05] Concrete");
  EXPECT_EQ(entries[7], "[07] Glas");
  EXPECT_EQ(entries[34], "[34] Grass 2 (VC)");
}

TEST(ChangeSurfaceValues, LabelsTheElementAndPreselectsItsSurface) {
  const SurfaceTypeTable& table = SurfaceTypeTable::Defaults();
  SurfaceDialogValues v =
      ChangeSurfaceValues(ListKind::Faces, 12, MakeSurface(7, 17), MaterialTable::Classic, table);
  EXPECT_EQ(v.Label, "Here you can change the surface type and parameter of face 12.");
  EXPECT_EQ(v.Materials.size(), 35u);
  EXPECT_EQ(v.MaterialItem, 7);
  EXPECT_EQ(v.ParameterItem, 13);  // "[17] Windscreen"

  v = ChangeSurfaceValues(ListKind::Spheres, 0, MakeSurface(34, 14), MaterialTable::Classic, table);
  EXPECT_EQ(v.Label, "Here you can change the surface type and parameter of sphere 0.");
  EXPECT_EQ(v.MaterialItem, 34);
  EXPECT_FALSE(v.ParameterItem);

  v = ChangeSurfaceValues(ListKind::Boxes, 3, MakeSurface(35, 0), MaterialTable::Classic, table);
  EXPECT_EQ(v.Label, "Here you can change the surface type and parameter of box 3.");
  EXPECT_FALSE(v.MaterialItem);  // beyond the table: nothing preselected
  EXPECT_EQ(v.ParameterItem, 0);
}

TEST(ApplySurfaceChoice, StoresTheChosenEntriesAndKeepsTheRest) {
  Surface s = MakeSurface(3, 17, 0xAB, 0xCD);
  EXPECT_EQ(ApplySurfaceChoice(s, {10, 12}, -1, MaterialTable::Classic), 10);
  EXPECT_EQ(s.Material, 10);
  EXPECT_EQ(s.Parameter, 12);  // "[12] Right Rear Wing"
  EXPECT_EQ(s.Byte2, 0xAB);
  EXPECT_EQ(s.Byte3, 0xCD);

  s = MakeSurface(3, 17);
  EXPECT_EQ(ApplySurfaceChoice(s, {4, std::nullopt}, 10, MaterialTable::Classic), 4);
  EXPECT_EQ(s.Parameter, 17);  // no parameter entry chosen

  s = MakeSurface(3, 15);
  ApplySurfaceChoice(s, {3, 13}, 0, MaterialTable::Classic);
  EXPECT_EQ(s.Parameter, 17);  // the last entry stores 17, not 13
}

TEST(ApplySurfaceChoice, NoMaterialChosenKeepsTheElementsAndLastMaterial) {
  Surface s = MakeSurface(40, 2);
  EXPECT_EQ(ApplySurfaceChoice(s, {std::nullopt, 1}, -1, MaterialTable::Classic), -1);
  EXPECT_EQ(s.Material, 40);
  EXPECT_EQ(s.Parameter, 1);
  EXPECT_EQ(ApplySurfaceChoice(s, {}, 22, MaterialTable::Classic), 22);
  EXPECT_EQ(s.Material, 40);
}

TEST(QuickChangeMaterial, FallsBackToTheFirstSurfaceType) {
  EXPECT_EQ(QuickChangeMaterial(-1, MaterialTable::Classic),
            0);  // before any Change Surface dialog
  EXPECT_EQ(QuickChangeMaterial(35, MaterialTable::Classic), 0);
  EXPECT_EQ(QuickChangeMaterial(0, MaterialTable::Classic), 0);
  EXPECT_EQ(QuickChangeMaterial(10, MaterialTable::Classic), 10);
  EXPECT_EQ(QuickChangeMaterial(34, MaterialTable::Classic), 34);
}

TEST(QuickChangeQuestion, ListsTheCheckedFaces) {
  const auto text = QuickChangeQuestion(ListKind::Faces, Checked(13, {0, 5, 12}), 0,
                                        MaterialTable::Classic, SurfaceTypeTable::Defaults());
  EXPECT_EQ(text,
            "Would you like to assign the surface \"Standard\" (0)\r\n"
            "to the following checked faces?\r\n\r\n"
            "F000, F005, F012");
}

TEST(QuickChangeQuestion, PutsSevenTagsOnALine) {
  const SurfaceTypeTable& table = SurfaceTypeTable::Defaults();
  const std::string head =
      "Would you like to assign the surface \"Water\" (19)\r\n"
      "to the following checked faces?\r\n\r\n";
  EXPECT_EQ(QuickChangeQuestion(ListKind::Faces, Checked(8, {0, 1, 2, 3, 4, 5, 6, 7}), 19,
                                MaterialTable::Classic, table),
            head + "F000, F001, F002, F003, F004, F005, F006, \r\nF007");
  EXPECT_EQ(QuickChangeQuestion(ListKind::Faces, Checked(8, {0, 1, 2, 3, 4, 5, 6}), 19,
                                MaterialTable::Classic, table),
            head + "F000, F001, F002, F003, F004, F005, F006");
  EXPECT_EQ(QuickChangeQuestion(ListKind::Faces, std::vector<bool>(14, true), 19,
                                MaterialTable::Classic, table),
            head +
                "F000, F001, F002, F003, F004, F005, F006, \r\n"
                "F007, F008, F009, F010, F011, F012, F013");
}

TEST(QuickChangeQuestion, NamesSpheresAndBoxesAndWidensLongIndices) {
  const SurfaceTypeTable& table = SurfaceTypeTable::Defaults();
  EXPECT_EQ(
      QuickChangeQuestion(ListKind::Spheres, Checked(3, {2}), 10, MaterialTable::Classic, table),
      "Would you like to assign the surface \"Metal Sheet\" (10)\r\n"
      "to the following checked spheres?\r\n\r\nS002");
  EXPECT_EQ(
      QuickChangeQuestion(ListKind::Boxes, Checked(2, {0, 1}), 34, MaterialTable::Classic, table),
      "Would you like to assign the surface \"Grass 2 (VC)\" (34)\r\n"
      "to the following checked boxes?\r\n\r\nB000, B001");
  const auto text = QuickChangeQuestion(ListKind::Faces, Checked(1235, {5, 1234}), 0,
                                        MaterialTable::Classic, table);
  ASSERT_TRUE(text);
  EXPECT_EQ(text->substr(text->size() - 11), "F005, F1234");
}

TEST(QuickChangeQuestion, NothingCheckedAsksNothing) {
  const SurfaceTypeTable& table = SurfaceTypeTable::Defaults();
  EXPECT_FALSE(
      QuickChangeQuestion(ListKind::Faces, Checked(5, {}), 0, MaterialTable::Classic, table));
  EXPECT_FALSE(QuickChangeQuestion(ListKind::Spheres, {}, 0, MaterialTable::Classic, table));
}

TEST(AssignMaterialToChecked, ChangesOnlyTheMaterialOfCheckedElementsOfOneList) {
  CollBuilder b("target");
  b.Sphere({0, 0, 0}, 1, MakeSurface(1, 5, 6, 7));
  b.Sphere({0, 0, 0}, 1, MakeSurface(2, 5));
  b.Box({0, 0, 0}, {1, 1, 1}, MakeSurface(3, 4));
  b.MeshBox({0, 0, 0}, {1, 1, 1}, MakeSurface(8, 1));
  Coll coll = b.Build();

  EXPECT_EQ(AssignMaterialToChecked(coll, ListKind::Spheres, {true, false}, 10), 1);
  EXPECT_EQ(coll.Spheres[0].Surface.Material, 10);
  EXPECT_EQ(coll.Spheres[0].Surface.Parameter, 5);
  EXPECT_EQ(coll.Spheres[0].Surface.Byte2, 6);
  EXPECT_EQ(coll.Spheres[0].Surface.Byte3, 7);
  EXPECT_EQ(coll.Spheres[1].Surface.Material, 2);
  EXPECT_EQ(coll.Boxes[0].Surface.Material, 3);
  EXPECT_EQ(coll.Faces[0].Surface.Material, 8);

  // Marks and elements may disagree in number; only elements with a mark change.
  EXPECT_EQ(AssignMaterialToChecked(coll, ListKind::Boxes, {true, true, true}, 10), 1);
  EXPECT_EQ(coll.Boxes[0].Surface.Material, 10);
  EXPECT_EQ(coll.Boxes[0].Surface.Parameter, 4);
  EXPECT_EQ(AssignMaterialToChecked(coll, ListKind::Faces, {false, true}, 0), 1);
  EXPECT_EQ(coll.Faces[1].Surface.Material, 0);
  EXPECT_EQ(coll.Faces[2].Surface.Material, 8);
}

TEST(SurfaceChange, TheMaterialChosenForASphereGoesToTheCheckedBoxes) {
  CollBuilder b("mixed");
  b.Sphere({0, 0, 0}, 1, MakeSurface(1));
  b.Box({0, 0, 0}, {1, 1, 1}, MakeSurface(3));
  b.Box({0, 0, 0}, {1, 1, 1}, MakeSurface(4));
  Coll coll = b.Build();
  int lastMaterial = -1;
  lastMaterial = ApplySurfaceChoice(coll.Spheres[0].Surface, {10, std::nullopt}, lastMaterial,
                                    MaterialTable::Classic);
  lastMaterial = QuickChangeMaterial(lastMaterial, MaterialTable::Classic);
  AssignMaterialToChecked(coll, ListKind::Boxes, {true, true},
                          static_cast<std::uint8_t>(lastMaterial));
  EXPECT_EQ(coll.Boxes[0].Surface.Material, 10);
  EXPECT_EQ(coll.Boxes[1].Surface.Material, 10);
}

// The coll's table bounds every step: the entries, the preselection, the accepted choice and the
// material Quick Change falls back from.
TEST(SurfaceChange, EachStepFollowsTheTableOfTheColl) {
  const SurfaceTypeTable& names = SurfaceTypeTable::Defaults();
  const struct {
    MaterialTable table;
    int count;
    std::string lastEntry;
  } cases[] = {{MaterialTable::Classic, 35, "[34] Grass 2 (VC)"},
               {MaterialTable::SanAndreas, 179, "[178] RAILTRACK"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.count);
    const std::vector<std::string> entries = MaterialEntries(c.table, names);
    ASSERT_EQ(entries.size(), static_cast<std::size_t>(c.count));
    EXPECT_EQ(entries.back(), c.lastEntry);
    const auto last = static_cast<std::uint8_t>(c.count - 1);
    const auto past = static_cast<std::uint8_t>(c.count);
    const SurfaceDialogValues values =
        ChangeSurfaceValues(ListKind::Faces, 0, MakeSurface(last), c.table, names);
    EXPECT_EQ(values.Materials.size(), entries.size());
    EXPECT_EQ(values.MaterialItem, c.count - 1);
    EXPECT_FALSE(
        ChangeSurfaceValues(ListKind::Faces, 0, MakeSurface(past), c.table, names).MaterialItem);

    Surface s = MakeSurface(7, 1, 2, 3);
    EXPECT_EQ(ApplySurfaceChoice(s, {c.count, std::nullopt}, 5, c.table), 5);  // refused
    EXPECT_EQ(s.Material, 7);
    EXPECT_EQ(ApplySurfaceChoice(s, {c.count - 1, std::nullopt}, 5, c.table), c.count - 1);
    EXPECT_EQ(s.Material, last);
    EXPECT_EQ(QuickChangeMaterial(c.count - 1, c.table), c.count - 1);
    EXPECT_EQ(QuickChangeMaterial(c.count, c.table), 0);
  }
  EXPECT_EQ(MaterialEntries(MaterialTable::SanAndreas, names)[150], "[150] P_GRASSMID2");
  EXPECT_EQ(
      QuickChangeQuestion(ListKind::Boxes, Checked(2, {1}), 150, MaterialTable::SanAndreas, names),
      "Would you like to assign the surface \"P_GRASSMID2\" (150)\r\n"
      "to the following checked boxes?\r\n\r\nB001");
}

}  // namespace
}  // namespace vantorel
