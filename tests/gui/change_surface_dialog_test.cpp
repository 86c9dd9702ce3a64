#include "ops/qt/change_surface_dialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "tests/gui/modal_script.h"
#include "tests/gui/qt_printers.h"
#include "tools/colgen/coll_builder.h"

namespace vantorel {
namespace {

using colgen::MakeSurface;

SurfaceDialogValues ValuesFor(Surface surface) {
  return ChangeSurfaceValues(ListKind::Faces, 12, surface, MaterialTable::Classic,
                             SurfaceTypeTable::Defaults());
}

QComboBox* Box(QWidget& dialog, const char* name) {
  return dialog.findChild<QComboBox*>(name);
}

TEST(ChangeSurfaceDialog, ShowsTheListsWithTheElementsSurfacePreselected) {
  ChangeSurfaceDialog dialog(ValuesFor(MakeSurface(19, 17)));
  EXPECT_EQ(dialog.objectName(), "TForm4");
  EXPECT_EQ(dialog.windowTitle(), "Change Surface");
  EXPECT_EQ(dialog.findChild<QLabel*>("Label1")->text(),
            "Here you can change the surface type and parameter of face 12.");
  EXPECT_EQ(dialog.findChild<QLabel*>("Label2")->text(), "Surface type (material):");
  EXPECT_EQ(dialog.findChild<QLabel*>("Label3")->text(), "Parameter (for cars):");
  EXPECT_EQ(Box(dialog, "cbx")->count(), 35);
  EXPECT_EQ(Box(dialog, "cbx")->currentText(), "[19] Water");
  EXPECT_EQ(Box(dialog, "cbx2")->count(), 14);
  EXPECT_EQ(Box(dialog, "cbx2")->currentText(), "[17] Windscreen");
  EXPECT_EQ(dialog.findChild<QPushButton*>("Button1")->text(), "&Ok");
  EXPECT_EQ(dialog.findChild<QPushButton*>("Button2")->text(), "&Cancel");

  Box(dialog, "cbx2")->setCurrentIndex(12);
  const SurfaceChoice choice = dialog.Choice();
  EXPECT_EQ(choice.MaterialItem, 19);
  EXPECT_EQ(choice.ParameterItem, 12);
}

TEST(ChangeSurfaceDialog, ValuesWithoutAnEntryLeaveTheListsEmpty) {
  ChangeSurfaceDialog dialog(ValuesFor(MakeSurface(40, 15)));
  EXPECT_EQ(Box(dialog, "cbx")->currentIndex(), -1);
  EXPECT_EQ(Box(dialog, "cbx2")->currentIndex(), -1);
  const SurfaceChoice choice = dialog.Choice();
  EXPECT_FALSE(choice.MaterialItem);
  EXPECT_FALSE(choice.ParameterItem);
}

TEST(ChangeSurfaceDialogAsk, ReturnsTheChoiceOrNothing) {
  {
    testing::ModalScript script;
    script.Then([](QWidget* dialog) {
      dialog->findChild<QComboBox*>("cbx")->setCurrentIndex(10);
      testing::ClickButton(dialog, "Ok");
    });
    const auto choice = ChangeSurfaceDialog::Ask(nullptr, ValuesFor(MakeSurface(3, 20)));
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->MaterialItem, 10);
    EXPECT_FALSE(choice->ParameterItem);
  }
  {
    testing::ModalScript script;
    script.Press("Cancel");
    EXPECT_FALSE(ChangeSurfaceDialog::Ask(nullptr, ValuesFor(MakeSurface(3, 0))));
  }
}

}  // namespace
}  // namespace vantorel
