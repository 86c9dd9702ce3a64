#include "edit/element_values.h"

#include <gtest/gtest.h>

#include "tools/colgen/coll_builder.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;

TEST(ElementValues, FieldNumbersFollowTheLocaleAndAllowBlanksAround) {
  EXPECT_EQ(ParseFieldReal("1,5", ','), 1.5f);
  EXPECT_FALSE(ParseFieldReal("1,5", '.'));
  EXPECT_EQ(ParseFieldReal("1.5", '.'), 1.5f);
  EXPECT_FALSE(ParseFieldReal("1.5", ','));
  EXPECT_EQ(ParseFieldReal("  -1 ", '.'), -1.0f);
  EXPECT_EQ(ParseFieldReal("\t2e3\t", '.'), 2000.0f);
  for (const char* text : {"", "   ", "abc", "1 5", "1E39", "-1E39", "NAN", "INF", "1,5,", "0x1"})
    EXPECT_FALSE(ParseFieldReal(text, ',')) << text;
}

TEST(ElementValues, AddDialogsStartFromDefaultsAndACorrectedLastMaterial) {
  EXPECT_EQ(AddDialogMaterial(-1, MaterialTable::Classic), 0);
  EXPECT_EQ(AddDialogMaterial(35, MaterialTable::Classic), 0);
  EXPECT_EQ(AddDialogMaterial(34, MaterialTable::Classic), 34);
  const ElementValues sphere = NewSphereValues(-1, MaterialTable::Classic);
  EXPECT_EQ(sphere.Material, 0);
  EXPECT_EQ(FieldTexts(sphere, '.'), (ElementFieldTexts{"0.0", "0.0", "0.0", "", "", "", "1.0"}));
  const ElementValues box = NewBoxValues(12, MaterialTable::Classic);
  EXPECT_EQ(box.Material, 12);
  EXPECT_EQ(FieldTexts(box, ','),
            (ElementFieldTexts{"-1,0", "-1,0", "-1,0", "1,0", "1,0", "1,0", ""}));
}

TEST(ElementValues, EditingRewritesValuesThroughFiveDecimals) {
  CollSphere sphere{0.1234567f, {1, -2.5f, 1234.56789f}, MakeSurface(40, 3)};
  const ElementValues shown = ValuesOf(sphere);
  EXPECT_EQ(shown.Material, 40);
  const ElementFieldTexts texts = FieldTexts(shown, '.');
  EXPECT_EQ(texts[6], "0.12346");
  EXPECT_EQ(texts[1], "-2.5");
  const auto back = ParseFieldTexts(shown, texts, '.');
  ASSERT_TRUE(back);
  EXPECT_EQ(back->Radius, 0.12346f);
  EXPECT_EQ(back->Material, 40);
}

TEST(ElementValues, OnlyShownFieldsAreReadAndEachMustBeANumber) {
  const ElementValues sphere = NewSphereValues(0, MaterialTable::Classic);
  ElementFieldTexts texts{"1", "2", "3", "junk", "junk", "junk", "-1"};
  const auto read = ParseFieldTexts(sphere, texts, '.');
  ASSERT_TRUE(read);
  EXPECT_EQ(read->First.Z, 3.0f);
  EXPECT_EQ(read->Radius, -1.0f);  // no range checks
  texts[6] = "";
  EXPECT_FALSE(ParseFieldTexts(sphere, texts, '.'));

  const ElementValues box = NewBoxValues(0, MaterialTable::Classic);
  ElementFieldTexts boxTexts{"2", "0", "5", "1", "3", "4", "junk"};
  const auto corners = ParseFieldTexts(box, boxTexts, '.');
  ASSERT_TRUE(corners);
  EXPECT_EQ(corners->Second.Z, 4.0f);  // the order is put right when stored, not here
  boxTexts[4] = "3,0";
  EXPECT_FALSE(ParseFieldTexts(box, boxTexts, '.'));
}

TEST(ElementValues, BoxCornersAreOrderedPerAxis) {
  Vector3 min{2, 0, 5};
  Vector3 max{1, 3, 4};
  OrderBoxCorners(min, max);
  EXPECT_EQ(min.X, 1.0f);
  EXPECT_EQ(min.Y, 0.0f);
  EXPECT_EQ(min.Z, 4.0f);
  EXPECT_EQ(max.X, 2.0f);
  EXPECT_EQ(max.Y, 3.0f);
  EXPECT_EQ(max.Z, 5.0f);
}

TEST(ElementValues, AddingAppendsACheckedLineAndKeepsTheSelection) {
  Coll coll = CollBuilder("add").Sphere({0, 0, 0}, 1, MakeSurface(1)).Build();
  ElementList spheres{{false}, 0};
  ElementValues values = NewSphereValues(7, MaterialTable::Classic);
  values.First = {1, 2, 3};
  values.Radius = 4;
  AddSphere(coll, spheres, values);
  ASSERT_EQ(coll.SphereCount(), 2);
  EXPECT_EQ(coll.Spheres[1].Radius, 4.0f);
  EXPECT_EQ(coll.Spheres[1].Center.Y, 2.0f);
  EXPECT_EQ(coll.Spheres[1].Surface.Material, 7);
  EXPECT_EQ(spheres.checked, (std::vector<bool>{false, true}));
  EXPECT_EQ(spheres.selected, 0);
  EXPECT_EQ(coll.Header.Size + 8, RecordLength(coll));

  ElementList boxes;
  ElementValues box = NewBoxValues(3, MaterialTable::Classic);
  box.First = {2, 0, 5};
  box.Second = {1, 3, 4};
  AddBox(coll, boxes, box);
  ASSERT_EQ(coll.BoxCount(), 1);
  EXPECT_EQ(coll.Boxes[0].Min.X, 1.0f);
  EXPECT_EQ(coll.Boxes[0].Min.Z, 4.0f);
  EXPECT_EQ(coll.Boxes[0].Max.X, 2.0f);
  EXPECT_EQ(coll.Boxes[0].Max.Z, 5.0f);
  EXPECT_EQ(boxes.checked, (std::vector<bool>{true}));
  EXPECT_EQ(coll.Header.Size + 8, RecordLength(coll));
}

TEST(ElementValues, EditingKeepsTheOtherSurfaceBytesAndOrdersCorners) {
  Coll coll = CollBuilder("edit")
                  .Sphere({0, 0, 0}, 1, MakeSurface(1, 2, 3, 4))
                  .Box({0, 0, 0}, {1, 1, 1}, MakeSurface(50, 6, 7, 8))
                  .Build();
  ElementValues sphere = ValuesOf(coll.Spheres[0]);
  sphere.Material = 9;
  sphere.Radius = 2;
  ASSERT_TRUE(EditSphere(coll, 0, sphere));
  EXPECT_EQ(coll.Spheres[0].Radius, 2.0f);
  EXPECT_EQ(coll.Spheres[0].Surface.Material, 9);
  EXPECT_EQ(coll.Spheres[0].Surface.Parameter, 2);
  EXPECT_EQ(coll.Spheres[0].Surface.Byte3, 4);

  // A material beyond the surface list that nobody changed stays as it was.
  ElementValues box = ValuesOf(coll.Boxes[0]);
  box.First = {2, 0, 5};
  box.Second = {1, 3, 4};
  ASSERT_TRUE(EditBox(coll, 0, box));
  EXPECT_EQ(coll.Boxes[0].Surface.Material, 50);
  EXPECT_EQ(coll.Boxes[0].Surface.Parameter, 6);
  EXPECT_EQ(coll.Boxes[0].Min.X, 1.0f);
  EXPECT_EQ(coll.Boxes[0].Max.Z, 5.0f);

  EXPECT_FALSE(EditSphere(coll, 1, sphere));
  EXPECT_FALSE(EditBox(coll, -1, box));
}

Coll ThreeSpheres() {
  CollBuilder b("three");
  for (int i = 0; i < 3; ++i)
    b.Sphere({static_cast<float>(i), 0, 0}, 1, MakeSurface(0));
  return b.Build();
}

TEST(ElementValues, DeletingSelectsTheSameIndexOrTheNewLastLine) {
  Coll coll = ThreeSpheres();
  ElementList list{{true, false, true}, 2};
  ASSERT_TRUE(DeleteSelectedSphere(coll, list));
  EXPECT_EQ(coll.SphereCount(), 2);
  EXPECT_EQ(list.selected, 1);
  EXPECT_EQ(list.checked, (std::vector<bool>{true, false}));
  EXPECT_EQ(coll.Header.Size + 8, RecordLength(coll));

  coll = ThreeSpheres();
  list = {{true, false, true}, 0};
  ASSERT_TRUE(DeleteSelectedSphere(coll, list));
  EXPECT_EQ(list.selected, 0);
  EXPECT_EQ(coll.Spheres[0].Center.X, 1.0f);
  EXPECT_EQ(list.checked, (std::vector<bool>{false, true}));

  list = {{false, true}, 1};
  ASSERT_TRUE(DeleteSelectedSphere(coll, list));
  list.selected = 0;
  ASSERT_TRUE(DeleteSelectedSphere(coll, list));
  EXPECT_EQ(list.selected, -1);
  EXPECT_EQ(coll.SphereCount(), 0);
}

TEST(ElementValues, DeletingWithoutASelectedLineDoesNothing) {
  Coll coll = ThreeSpheres();
  ElementList list{{true, true, true}, -1};
  EXPECT_FALSE(DeleteSelectedSphere(coll, list));
  list.selected = 3;
  EXPECT_FALSE(DeleteSelectedSphere(coll, list));
  EXPECT_EQ(coll.SphereCount(), 3);
  ElementList empty;
  empty.selected = 0;
  EXPECT_FALSE(DeleteSelectedBox(coll, empty));

  Coll boxes = CollBuilder("boxes").Box({0, 0, 0}, {1, 1, 1}, MakeSurface(0)).Build();
  ElementList boxList{{true}, 0};
  ASSERT_TRUE(DeleteSelectedBox(boxes, boxList));
  EXPECT_EQ(boxes.BoxCount(), 0);
  EXPECT_EQ(boxList.selected, -1);
  EXPECT_EQ(boxes.Header.Size, kEmptyCollSize);
}

}  // namespace
}  // namespace vantorel
