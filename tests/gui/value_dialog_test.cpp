#include "edit/qt/value_dialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "tests/gui/modal_script.h"
#include "tests/gui/qt_printers.h"
#include "tools/colgen/coll_builder.h"

namespace vantorel {
namespace {

using testing::ModalScript;

QLineEdit* Field(ValueDialog& dialog, int number) {
  return dialog.findChild<QLineEdit*>(QString("Edit%1").arg(number));
}

void Type(ValueDialog& dialog, int number, const QString& text) {
  QLineEdit* edit = Field(dialog, number);
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

void ClickOk(ValueDialog& dialog) {
  QTest::mouseClick(dialog.findChild<QPushButton*>("Button1"), Qt::LeftButton);
}

TEST(ValueDialog, AddBoxShowsItsDefaultsAndTheSurfaceList) {
  const SurfaceTypeTable& table = SurfaceTypeTable::Defaults();
  ValueDialog dialog("Add Collision Box", NewBoxValues(-1, MaterialTable::Classic), table, '.');
  dialog.show();
  EXPECT_EQ(dialog.objectName(), "TForm5");
  EXPECT_EQ(dialog.windowTitle(), "Add Collision Box");
  EXPECT_EQ(dialog.size(), QSize(186, 157));
  EXPECT_EQ(dialog.findChild<QLabel*>("Label1")->text(), "Min x:");
  EXPECT_EQ(dialog.findChild<QLabel*>("Label3")->text(), "Min z:");
  EXPECT_TRUE(dialog.findChild<QWidget*>("pnlMax")->isVisible());
  EXPECT_FALSE(dialog.findChild<QWidget*>("pnlRadius")->isVisible());
  EXPECT_EQ(Field(dialog, 1)->text(), "-1.0");
  EXPECT_EQ(Field(dialog, 6)->text(), "1.0");
  auto* cbx = dialog.findChild<QComboBox*>("cbx");
  ASSERT_EQ(cbx->count(), 35);
  EXPECT_EQ(cbx->currentIndex(), 0);
  EXPECT_EQ(cbx->itemText(0), "[00] " + QString::fromStdString(table.Name(0)));
  EXPECT_EQ(cbx->itemText(34), "[34] " + QString::fromStdString(table.Name(34)));
  EXPECT_EQ(dialog.findChild<QPushButton*>("Button1")->text(), "&Ok");
  EXPECT_EQ(dialog.findChild<QPushButton*>("Button2")->text(), "&Cancel");
}

// The surface list of a San Andreas coll's element offers the game's own 179 materials; the
// chosen entry is the material stored.
TEST(ValueDialog, ASanAndreasElementChoosesFromItsOwnTable) {
  ValueDialog dialog("Add Collision Sphere", NewSphereValues(150, MaterialTable::SanAndreas),
                     SurfaceTypeTable::Defaults(), '.');
  dialog.show();
  auto* cbx = dialog.findChild<QComboBox*>("cbx");
  ASSERT_EQ(cbx->count(), 179);
  EXPECT_EQ(cbx->currentIndex(), 150);
  EXPECT_EQ(cbx->itemText(150), "[150] P_GRASSMID2");
  EXPECT_EQ(cbx->itemText(178), "[178] RAILTRACK");
  cbx->setCurrentIndex(178);
  ClickOk(dialog);
  ASSERT_TRUE(dialog.Result());
  EXPECT_EQ(dialog.Result()->Material, 178);
}

TEST(ValueDialog, InvalidInputKeepsTheDialogOpenThenCornersAreOrderedWhenStored) {
  ValueDialog dialog("Add Collision Box", NewBoxValues(3, MaterialTable::Classic),
                     SurfaceTypeTable::Defaults(), '.');
  dialog.show();
  Type(dialog, 5, "abc");
  ModalScript script;
  script.Press("OK");
  ClickOk(dialog);
  EXPECT_EQ(script.texts, QStringList{"Vantorel|Invalid input!"});
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_FALSE(dialog.Result());
  EXPECT_EQ(Field(dialog, 5)->text(), "abc");  // the user's text stays

  const char* typed[6] = {"2", "0", " 5 ", "1", "3", "4"};
  for (int i = 0; i < 6; ++i)
    Type(dialog, i + 1, typed[i]);
  dialog.findChild<QComboBox*>("cbx")->setCurrentIndex(12);
  ClickOk(dialog);
  EXPECT_FALSE(dialog.isVisible());
  ASSERT_TRUE(dialog.Result());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Result()->Material, 12);

  Coll coll = colgen::CollBuilder("boxes").Build();
  ElementList boxes;
  AddBox(coll, boxes, *dialog.Result());
  ASSERT_EQ(coll.BoxCount(), 1);
  const CollBox& box = coll.Boxes[0];
  EXPECT_EQ(box.Min.X, 1.0f);
  EXPECT_EQ(box.Min.Y, 0.0f);
  EXPECT_EQ(box.Min.Z, 4.0f);
  EXPECT_EQ(box.Max.X, 2.0f);
  EXPECT_EQ(box.Max.Y, 3.0f);
  EXPECT_EQ(box.Max.Z, 5.0f);
  EXPECT_EQ(box.Surface.Material, 12);
}

TEST(ValueDialog, TheLocalesSeparatorDecides) {
  ValueDialog dialog("Add Collision Sphere", NewSphereValues(0, MaterialTable::Classic),
                     SurfaceTypeTable::Defaults(), ',');
  dialog.show();
  EXPECT_EQ(Field(dialog, 7)->text(), "1,0");
  Type(dialog, 7, "1.5");
  ModalScript script;
  script.Press("OK");
  ClickOk(dialog);
  EXPECT_EQ(script.texts.size(), 1);
  EXPECT_TRUE(dialog.isVisible());
  Type(dialog, 7, "-1,5");  // a negative radius passes
  ClickOk(dialog);
  ASSERT_TRUE(dialog.Result());
  EXPECT_EQ(dialog.Result()->Radius, -1.5f);
  EXPECT_FALSE(dialog.findChild<QWidget*>("pnlMax")->isVisible());
  EXPECT_EQ(dialog.findChild<QLabel*>("Label2")->text(), "Center y:");
}

TEST(ValueDialog, EnterAcceptsUnchangedValuesThroughTheirText) {
  CollSphere sphere{0.1234567f, {1, 2, 3}, colgen::MakeSurface(40)};
  ValueDialog dialog("Edit Collision Sphere", ValuesOf(sphere), SurfaceTypeTable::Defaults(), '.');
  dialog.show();
  EXPECT_EQ(dialog.findChild<QComboBox*>("cbx")->currentIndex(), -1);
  EXPECT_EQ(Field(dialog, 7)->text(), "0.12346");
  QTest::keyClick(Field(dialog, 1), Qt::Key_Return);
  ASSERT_TRUE(dialog.Result());
  EXPECT_EQ(dialog.Result()->Radius, 0.12346f);
  EXPECT_EQ(dialog.Result()->Material, 40);  // no entry chosen: the material stays
}

TEST(ValueDialog, EscapeCancels) {
  ValueDialog dialog("Add Collision Sphere", NewSphereValues(5, MaterialTable::Classic),
                     SurfaceTypeTable::Defaults(), '.');
  dialog.show();
  EXPECT_EQ(dialog.findChild<QComboBox*>("cbx")->currentIndex(), 5);
  QTest::keyClick(Field(dialog, 2), Qt::Key_Escape);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_FALSE(dialog.Result());
}

}  // namespace
}  // namespace vantorel
