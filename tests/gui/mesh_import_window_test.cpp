// Import Mesh through the real window: its tool button, its dialog as a person fills it in, and
// the report.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "app/qt/main_window.h"
#include "app/qt/qt_text.h"
#include "tests/gui/modal_script.h"
#include "tests/gui/qt_printers.h"
#include "tests/support/start_context.h"
#include "tests/support/test_files.h"
#include "tools/colgen/coll_builder.h"

namespace vantorel {
namespace {

using testing::ModalScript;

bool PressOk(QWidget* dialog) {
  dialog->findChild<QPushButton*>("Button1")->click();
  return !dialog->isVisible();
}

TEST(MeshImportWindow, TheDialogAddsACollOrReplacesAMeshAndEscapeChangesNothing) {
  testing::TempDir dir;
  colgen::CollBuilder lamp("lamp");
  lamp.Sphere({0, 0, 4}, 0.5f, colgen::MakeSurface(1));
  const std::string path = dir.Write("city.col", colgen::EncodeFile({lamp.Build()}));
  const std::string text = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nusemtl glass\nf 1 2 3 4\n";
  const std::string model = dir.Write("kiosk.obj", Bytes(text.begin(), text.end()));
  const std::string mapText = "*glass* = Glas\n";
  const std::string mapping = dir.Write("map.txt", Bytes(mapText.begin(), mapText.end()));
  MainWindow window(testing::StartIn(dir, {path}), ViewDrawing::None);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  Editor& editor = window.GetEditor();
  auto* button = window.findChild<QToolButton*>("ToolButton15");
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->toolTip(), "Import Mesh");
  EXPECT_FALSE(button->icon().isNull());

  ModalScript script;
  script.Then([&](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Import Mesh");
    auto* replaced = dialog->findChild<QComboBox*>("replacedColl");
    EXPECT_EQ(replaced->count(), 1);
    EXPECT_FALSE(replaced->isEnabled());  // "new coll" is the first choice
    EXPECT_FALSE(PressOk(dialog));        // no model named yet
    dialog->findChild<QLineEdit*>("modelFile")->setText(ToQt(model));
    auto* name = dialog->findChild<QLineEdit*>("newName");
    name->setText("my kiosk");
    EXPECT_FALSE(PressOk(dialog));
    name->setText("kiosk");
    auto* faces = dialog->findChild<QLineEdit*>("maxFaces");
    faces->setText("0");
    EXPECT_FALSE(PressOk(dialog));
    faces->setText("1");
    dialog->findChild<QLineEdit*>("surfaceMap")->setText(ToQt(mapping));
    EXPECT_TRUE(PressOk(dialog));
  });
  script.Press("OK");  // the report
  button->click();
  ASSERT_TRUE(script.Done());
  ASSERT_EQ(script.texts.size(), 1);
  // The quad's open border is kept, so the budget cannot be met.
  EXPECT_TRUE(script.texts[0].contains("Faces after simplifying to at most 1: 2"))
      << script.texts[0].toStdString();
  EXPECT_TRUE(script.texts[0].contains("7 Glas: 2")) << script.texts[0].toStdString();
  ASSERT_EQ(editor.CollCount(), 2);
  EXPECT_EQ(editor.CurrentColl(), 1);
  EXPECT_EQ(editor.WorkingCopy().FaceCount(), 2);

  // Escape leaves the dialog, and the file, as they were.
  script.Then([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
  button->click();
  ASSERT_TRUE(script.Done());
  EXPECT_EQ(editor.CollCount(), 2);
  EXPECT_EQ(editor.CurrentColl(), 1);

  // Replacing the mesh of the first coll selects it and keeps its sphere.
  script.Then([&](QWidget* dialog) {
    dialog->findChild<QLineEdit*>("modelFile")->setText(ToQt(model));
    dialog->findChild<QRadioButton*>("asReplace")->setChecked(true);
    auto* replaced = dialog->findChild<QComboBox*>("replacedColl");
    EXPECT_TRUE(replaced->isEnabled());
    EXPECT_FALSE(dialog->findChild<QLineEdit*>("newName")->isEnabled());
    replaced->setCurrentIndex(0);
    EXPECT_TRUE(PressOk(dialog));
  });
  script.Press("OK");
  button->click();
  ASSERT_TRUE(script.Done());
  EXPECT_EQ(editor.CollCount(), 2);
  EXPECT_EQ(editor.CurrentColl(), 0);
  EXPECT_EQ(editor.WorkingCopy().FaceCount(), 2);
  EXPECT_EQ(editor.WorkingCopy().SphereCount(), 1);
  EXPECT_TRUE(editor.CollChanged());
}

}  // namespace
}  // namespace vantorel
