#include "view/qt/color_settings_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "tests/gui/qt_printers.h"
#include "view/dialog_colors.h"
#include "view/qt/color_swatch.h"

namespace vantorel {
namespace {

MainColors SomeColors() {
  MainColors colors;
  colors.Background = 0xFF102030;
  colors.Object = 0xFFAABBCC;
  return colors;
}

struct DialogTest : ::testing::Test {
  SurfaceTypeTable surfaces;
  ColorSettingsDialog dialog{SomeColors(), surfaces};
  std::vector<QColor> offered;  // what the colour chooser was preset to

  DialogTest() {
    dialog.SetColorChooser([this](const QColor& initial) -> std::optional<QColor> {
      offered.push_back(initial);
      return QColor(0x11, 0x22, 0x33);
    });
  }

  template <typename T>
  T* Find(const char* name) {
    T* widget = dialog.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  void Click(const char* name) { QTest::mouseClick(Find<QPushButton>(name), Qt::LeftButton); }
  void ClickSwatch(const char* name) { QTest::mouseClick(Find<ColorSwatch>(name), Qt::LeftButton); }
  QComboBox* List() { return Find<QComboBox>("cbx"); }
  QLineEdit* Edit() { return Find<QLineEdit>("edt"); }
};

TEST(DialogColors, SwapRedAndBlueAndDropOrRestoreAlpha) {
  EXPECT_EQ(ViewToDialogColor(0xFF153642), 0x00423615u);
  EXPECT_EQ(ViewToDialogColor(0x7F010203), 0x00030201u);
  EXPECT_EQ(DialogToViewColor(0x00423615), 0xFF153642u);
  EXPECT_EQ(DialogToViewColor(0xEE030201), 0xFF010203u);
}

TEST_F(DialogTest, ShowsTheNamesAndCurrentValues) {
  EXPECT_EQ(dialog.objectName(), "TForm2");
  EXPECT_EQ(dialog.windowTitle(), "Color Settings");
  EXPECT_EQ(List()->count(), 35);
  EXPECT_EQ(List()->currentIndex(), 0);
  EXPECT_EQ(Edit()->text(), "Standard");
  EXPECT_EQ(Edit()->maxLength(), 20);
  EXPECT_EQ(Find<ColorSwatch>("pnl1")->Color(), ViewToDialogColor(0xFF102030));
  EXPECT_EQ(Find<ColorSwatch>("pnl3")->Color(), ViewToDialogColor(0xFFAABBCC));
  EXPECT_EQ(Find<ColorSwatch>("pnlSfce")->Color(), ViewToDialogColor(surfaces.Color(0)));
  EXPECT_EQ(ColorSettingsDialog::SurfaceLine(17, surfaces.Name(17)), "[17] ? X");
  EXPECT_EQ(ColorSettingsDialog::SurfaceLine(3, "Soil"), "[03] Soil");
  EXPECT_TRUE(Find<QPushButton>("Button1")->isDefault());
  for (const char* name :
       {"pnl2", "pnl4", "pnl5", "pnl6", "Button2", "Button3", "Button4", "Button5"}) {
    EXPECT_NE(dialog.findChild<QWidget*>(name), nullptr) << name;
  }
}

TEST_F(DialogTest, ChoosingAMainColourTakesItOpaque) {
  ClickSwatch("pnl6");
  ASSERT_EQ(offered.size(), 1u);
  EXPECT_EQ(offered[0], QColor::fromRgb(MainColors{}.Wireframe & 0xFFFFFF));
  const ColorSettings values = dialog.Values();
  EXPECT_EQ(values.Colors.Wireframe, 0xFF112233u);
  EXPECT_EQ(values.Colors.Background, 0xFF102030u);
}

TEST_F(DialogTest, ACancelledChooserChangesNothing) {
  dialog.SetColorChooser([](const QColor&) { return std::optional<QColor>(); });
  ClickSwatch("pnl1");
  EXPECT_EQ(dialog.Values().Colors.Background, 0xFF102030u);
}

TEST_F(DialogTest, ApplyChangesStoresTheSwatchAndTheTrimmedName) {
  List()->setCurrentIndex(5);
  EXPECT_EQ(Edit()->text(), "Beton");
  ClickSwatch("pnlSfce");
  Edit()->setText("  Concrete  ");
  Click("Button5");
  EXPECT_EQ(Edit()->text(), "Concrete");
  EXPECT_EQ(List()->itemText(5), "[05] Concrete");
  const ColorSettings values = dialog.Values();
  EXPECT_EQ(values.Surfaces.Name(5), "Concrete");
  EXPECT_EQ(values.Surfaces.Color(5), 0xFF112233u);
  EXPECT_EQ(values.Surfaces.Name(4), surfaces.Name(4));
}

// Surface names are kept in the Windows code page, as the element lists and the settings file
// read them: "ä" is the one byte E4, shown again as "ä".
TEST_F(DialogTest, NamesAreTakenAndShownInTheWindowsCodePage) {
  List()->setCurrentIndex(6);
  Edit()->setText(QString::fromUtf8("Gr\u00E4ser \u20AC"));
  Click("Button5");
  EXPECT_EQ(dialog.Values().Surfaces.Name(6), "Gr\xE4ser \x80");
  EXPECT_EQ(List()->itemText(6), QString::fromUtf8("[06] Gr\u00E4ser \u20AC"));
  List()->setCurrentIndex(7);
  List()->setCurrentIndex(6);
  EXPECT_EQ(Edit()->text(), QString::fromUtf8("Gr\u00E4ser \u20AC"));
  EXPECT_EQ(ColorSettingsDialog::SurfaceLine(3, "M\xFCll"), QString::fromUtf8("[03] M\u00FCll"));
}

TEST_F(DialogTest, AnEmptyDescriptionIsStoredEmptyAndLongOnesCannotBeTyped) {
  List()->setCurrentIndex(2);
  Edit()->clear();
  QTest::keyClicks(Edit(), "   ");
  Click("Button5");
  EXPECT_EQ(dialog.Values().Surfaces.Name(2), "");
  Edit()->clear();
  QTest::keyClicks(Edit(), "abcdefghijklmnopqrstuvwxyz");
  EXPECT_EQ(Edit()->text(), "abcdefghijklmnopqrst");
}

TEST_F(DialogTest, ChoosingAnotherLineDiscardsUnappliedEdits) {
  List()->setCurrentIndex(7);
  Edit()->setText("Glass");
  ClickSwatch("pnlSfce");
  List()->setCurrentIndex(8);
  List()->setCurrentIndex(7);
  EXPECT_EQ(Edit()->text(), "Glas");
  const ColorSettings values = dialog.Values();
  EXPECT_EQ(values.Surfaces.Name(7), "Glas");
  EXPECT_EQ(values.Surfaces.Color(7), surfaces.Color(7));
}

TEST_F(DialogTest, UnknownSurfaceIsStoredOnlyByApply) {
  List()->setCurrentIndex(10);
  Click("Button4");
  EXPECT_EQ(Edit()->text(), "?");
  EXPECT_EQ(Find<ColorSwatch>("pnlSfce")->Color(), ViewToDialogColor(0xFFC64848));
  EXPECT_EQ(dialog.Values().Surfaces.Name(10), surfaces.Name(10));
  Click("Button5");
  EXPECT_EQ(dialog.Values().Surfaces.Name(10), "?");
  EXPECT_EQ(dialog.Values().Surfaces.Color(10), 0xFFC64848u);
  EXPECT_TRUE(dialog.Values().Surfaces.UnknownSurface(10));
}

TEST_F(DialogTest, DefaultPutsBackTheBuiltInValues) {
  List()->setCurrentIndex(5);
  Edit()->setText("Concrete");
  Click("Button5");
  Click("Button3");
  EXPECT_EQ(List()->currentIndex(), 0);
  const ColorSettings values = dialog.Values();
  EXPECT_EQ(values.Colors.Background, MainColors{}.Background);
  EXPECT_EQ(values.Colors.Object, MainColors{}.Object);
  EXPECT_EQ(values.Surfaces.Name(5), "Beton");
}

TEST(ColorSettingsDialogRun, CancelReturnsNothingAndOkReturnsTheValues) {
  SurfaceTypeTable surfaces;
  surfaces.Set(3, 0xFF000001, "Mud");
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<ColorSettingsDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    QTest::mouseClick(dialog->findChild<QPushButton*>("Button3"), Qt::LeftButton);
    QTest::mouseClick(dialog->findChild<QPushButton*>("Button2"), Qt::LeftButton);
  });
  EXPECT_FALSE(ColorSettingsDialog::Edit(SomeColors(), surfaces).has_value());

  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<ColorSettingsDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    QTest::mouseClick(dialog->findChild<QPushButton*>("Button1"), Qt::LeftButton);
  });
  const std::optional<ColorSettings> result = ColorSettingsDialog::Edit(SomeColors(), surfaces);
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->Colors.Background, 0xFF102030u);
  EXPECT_EQ(result->Surfaces.Name(3), "Mud");
  EXPECT_EQ(result->Surfaces.Color(3), 0xFF000001u);
}

TEST(ColorSettingsDialogRun, EscapeCancels) {
  QTimer::singleShot(0, [] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    QTest::keyClick(dialog, Qt::Key_Escape);
  });
  EXPECT_FALSE(ColorSettingsDialog::Edit(SomeColors(), SurfaceTypeTable{}).has_value());
}

}  // namespace
}  // namespace vantorel
