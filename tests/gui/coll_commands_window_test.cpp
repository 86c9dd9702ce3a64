// Commands on whole colls run through the real window: its actions, keys and tool buttons, with
// the real dialogs answered as a person would.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
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

using testing::ClickButton;
using testing::ModalScript;
using testing::TempDir;

Coll Named(const std::string& name, int spheres = 1) {
  colgen::CollBuilder b(name);
  for (int i = 0; i < spheres; ++i)
    b.Sphere({0, 0, 0}, 1, colgen::MakeSurface(1));
  return b.Build();
}

QStringList Lines(QListView* list) {
  QStringList lines;
  for (int row = 0; row < list->model()->rowCount(); ++row)
    lines << list->model()->index(row, 0).data().toString();
  return lines;
}

// Clicks OK in the dialog and says whether it closed.
bool PressOk(QWidget* dialog) {
  dialog->findChild<QPushButton*>("Button1")->click();
  return !dialog->isVisible();
}

class CollCommandsWindowTest : public ::testing::Test {
 protected:
  void Start(const std::vector<Coll>& colls) {
    const std::string path = dir.Write("window.col", colgen::EncodeFile(colls));
    window = std::make_unique<MainWindow>(testing::StartIn(dir, {path}), ViewDrawing::None);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    lbxColl = window->findChild<QListView*>("lbxColl");
    ASSERT_NE(lbxColl, nullptr);
  }
  Editor& GetEditor() { return window->GetEditor(); }

  TempDir dir;
  std::unique_ptr<MainWindow> window;
  QListView* lbxColl = nullptr;
};

TEST_F(CollCommandsWindowTest, F2RenamesThroughTheDialogThatKeepsTheNameRules) {
  Start({Named("house01"), Named("b")});
  ModalScript script;
  script.Then([](QWidget* dialog) {
    EXPECT_EQ(dialog->objectName(), "TForm6");
    EXPECT_EQ(dialog->windowTitle(), "Rename Collision Object");
    EXPECT_EQ(dialog->findChild<QLineEdit*>("Edit1")->text(), "house01");
    auto* name = dialog->findChild<QLineEdit*>("Edit2");
    EXPECT_EQ(name->text(), "house0_");
    for (const char* refused : {"HOUSE01", " ab ", "my coll"}) {
      name->setText(refused);
      EXPECT_FALSE(PressOk(dialog)) << refused;
    }
    EXPECT_EQ(name->selectedText(), "my coll");  // the bad character selects the field
    name->setText(" tower01 ");
    EXPECT_TRUE(PressOk(dialog));
  });
  lbxColl->setFocus();
  QTest::keyClick(lbxColl, Qt::Key_F2);
  EXPECT_TRUE(script.Done());
  EXPECT_EQ(Lines(lbxColl), (QStringList{"tower01", "b"}));
  EXPECT_TRUE(GetEditor().CollChanged());
  EXPECT_EQ(GetEditor().CollDirectory()[0].Name, "house01");
}

TEST_F(CollCommandsWindowTest, ImportPicksCollsInTheSelectionDialog) {
  std::vector<Coll> five;
  for (int i = 0; i < 5; ++i)
    five.push_back(Named("p" + std::to_string(i), i % 2));
  const std::string other = dir.Write("five.col", colgen::EncodeFile(five));
  Start({Named("a")});

  ModalScript script;
  script.Then([&other](QWidget* dialog) {
    auto* fileDialog = qobject_cast<QFileDialog*>(dialog);
    ASSERT_NE(fileDialog, nullptr);
    EXPECT_EQ(fileDialog->windowTitle(), "Open Collision File");
    fileDialog->selectFile(ToQt(other));
    QMetaObject::invokeMethod(fileDialog, "accept");
  });
  script.Then([](QWidget* dialog) {
    EXPECT_EQ(dialog->objectName(), "TForm7");
    EXPECT_EQ(dialog->windowTitle(), "Import Collision Object(s)");
    EXPECT_EQ(dialog->findChild<QLabel*>("Label1")->text(),
              "Select the collision object(s) you want to import from five.col:");
    auto* count = dialog->findChild<QLabel*>("Label2");
    EXPECT_EQ(count->text(), "0 of 5 colls selected");
    EXPECT_FALSE(PressOk(dialog));  // nothing selected: "&Import" does nothing
    auto* list = dialog->findChild<QListWidget*>("lbxImp");
    list->item(3)->setSelected(true);
    list->item(1)->setSelected(true);
    EXPECT_EQ(count->text(), "2 of 5 colls selected");
    EXPECT_TRUE(PressOk(dialog));
  });
  window->findChild<QToolButton*>("ToolButton11")->click();
  EXPECT_TRUE(script.Done());
  EXPECT_EQ(Lines(lbxColl), (QStringList{"a", "p1", "p3"}));
  EXPECT_EQ(lbxColl->currentIndex().row(), 2);
  EXPECT_TRUE(GetEditor().FileChanged());
}

TEST_F(CollCommandsWindowTest, TheDeleteKeyAsksAndDeletesTheCurrentColl) {
  Start({Named("a"), Named("b"), Named("c")});
  GetEditor().SelectColl(2);
  ModalScript script;
  script.Press("No");
  script.Press("Yes");
  lbxColl->setFocus();
  QTest::keyClick(lbxColl, Qt::Key_Delete);
  EXPECT_EQ(Lines(lbxColl), (QStringList{"a", "b", "c"}));
  QTest::keyClick(lbxColl, Qt::Key_Delete);
  EXPECT_TRUE(script.Done());
  EXPECT_EQ(script.texts[0], "Delete Collision Object|Do you really want to delete c?");
  EXPECT_EQ(script.defaults[0], "No");
  EXPECT_EQ(script.buttonLists[0].toStdString(), "No,Yes");
  EXPECT_EQ(Lines(lbxColl), (QStringList{"a", "b"}));
  EXPECT_EQ(lbxColl->currentIndex().row(), 0);
}

// Dismissing a question, by Escape or by its close box, never picks the answer that destroys:
// at "Append Coll" No overwrites the target, so dismissal is Cancel and the target stays.
TEST_F(CollCommandsWindowTest, DismissingAQuestionNeverOverwritesOrDeletes) {
  const Bytes target = colgen::EncodeFile({Named("old1"), Named("old2", 3)});
  const std::string path = dir.Write("target.col", target);
  Start({Named("a"), Named("b")});
  const ModalScript::Step dismissals[] = {
      [](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); },
      [](QWidget* box) { box->close(); },
  };
  for (const ModalScript::Step& dismiss : dismissals) {
    ModalScript script;
    script.Then([&path](QWidget* dialog) {
      auto* fileDialog = qobject_cast<QFileDialog*>(dialog);
      ASSERT_NE(fileDialog, nullptr);
      fileDialog->selectFile(ToQt(path));
      QMetaObject::invokeMethod(fileDialog, "accept");
    });
    script.Then(dismiss);  // "Append Coll"
    script.Then(dismiss);  // "Delete Collision Object"
    window->findChild<QAction*>("Export1")->trigger();
    window->findChild<QAction*>("Delete1")->trigger();
    EXPECT_TRUE(script.Done());
    ASSERT_EQ(script.texts.size(), 2);
    EXPECT_TRUE(script.texts[0].startsWith("Append Coll|"));
    EXPECT_EQ(script.buttonLists[0].toStdString(), "Cancel,No,Yes");
    EXPECT_EQ(testing::ReadBytes(path), target);
    EXPECT_TRUE(script.texts[1].startsWith("Delete Collision Object|"));
    EXPECT_EQ(Lines(lbxColl), (QStringList{"a", "b"}));
  }
}

TEST_F(CollCommandsWindowTest, MergeAndFindThroughTheirDialogs) {
  Start({Named("wall01", 2), Named("roof01")});
  ModalScript script;
  script.Then([](QWidget* dialog) {
    EXPECT_EQ(dialog->objectName(), "TForm9");
    auto* second = dialog->findChild<QComboBox*>("cbx2");
    EXPECT_EQ(second->currentIndex(), 0);
    second->setCurrentIndex(1);
    dialog->findChild<QLineEdit*>("Edit1")->setText("house_all");
    EXPECT_TRUE(PressOk(dialog));
  });
  window->findChild<QAction*>("Merge1")->trigger();
  EXPECT_EQ(Lines(lbxColl), (QStringList{"wall01", "roof01", "house_all"}));
  EXPECT_EQ(GetEditor().WorkingCopy().SphereCount(), 3);

  script.Then([](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Search Coll");
    dialog->findChild<QLineEdit*>()->setText("roof");
    ClickButton(dialog, "OK");
  });
  window->findChild<QAction*>("Find1")->trigger();
  EXPECT_TRUE(script.Done());
  EXPECT_EQ(lbxColl->currentIndex().row(), 1);
}

}  // namespace
}  // namespace vantorel
