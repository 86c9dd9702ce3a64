#include "ops/qt/select_colls_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "tests/gui/modal_script.h"
#include "tests/gui/qt_printers.h"

namespace vantorel {
namespace {

using testing::ModalScript;

CollDirectoryEntries FiveColls() {
  return {{"alpha", 0, 112},
          {"beta", 112, 92},
          {"gamma", 204, 112},
          {"delta", 316, 112},
          {"epsilon", 428, 112}};
}

class SelectCollsDialogTest : public ::testing::Test {
 protected:
  void Show(const SelectCollsRequest& request) {
    dialog = std::make_unique<SelectCollsDialog>(request);
    dialog->setModal(false);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    list = dialog->findChild<QListWidget*>("lbxImp");
    ASSERT_TRUE(list);
  }
  void Click(int row, Qt::KeyboardModifiers modifiers = {}) {
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, rect.center());
  }
  QString Label(const char* name) { return dialog->findChild<QLabel*>(name)->text(); }
  bool Shown(const char* name) { return dialog->findChild<QLabel*>(name)->isVisible(); }
  // Presses the accept button; returns whether the dialog closed.
  bool Accept() {
    dialog->findChild<QPushButton*>("Button1")->click();
    return !dialog->isVisible();
  }

  std::unique_ptr<SelectCollsDialog> dialog;
  QListWidget* list = nullptr;
};

TEST_F(SelectCollsDialogTest, ImportCountsTheSelectedColls) {
  Show(ImportRequest("props.col", FiveColls()));
  EXPECT_EQ(dialog->objectName(), "TForm7");
  EXPECT_EQ(dialog->windowTitle(), "Import Collision Object(s)");
  EXPECT_EQ(Label("Label1"), "Select the collision object(s) you want to import from props.col:");
  EXPECT_TRUE(dialog->findChild<QLabel*>("Label1")->wordWrap());
  EXPECT_EQ(list->count(), 5);
  EXPECT_EQ(list->item(1)->text(), "beta [-]");
  EXPECT_EQ(Label("Label2"), "0 of 5 colls selected");
  EXPECT_TRUE(Shown("Label2"));
  EXPECT_FALSE(Shown("Label3"));
  EXPECT_EQ(dialog->findChild<QPushButton*>("Button1")->text(), "&Import");
  EXPECT_EQ(dialog->findChild<QPushButton*>("Button2")->text(), "&Cancel");

  EXPECT_FALSE(Accept());  // nothing selected yet
  Click(3);
  EXPECT_EQ(Label("Label2"), "1 of 5 colls selected");
  Click(1, Qt::ControlModifier);
  EXPECT_EQ(Label("Label2"), "2 of 5 colls selected");
  EXPECT_TRUE(Accept());
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(dialog->Selected(), (std::vector<int>{1, 3}));  // list order, not click order
}

TEST_F(SelectCollsDialogTest, ImportTakesARangeWithShift) {
  Show(ImportRequest("props.col", FiveColls()));
  Click(1);
  Click(3, Qt::ShiftModifier);
  EXPECT_EQ(Label("Label2"), "3 of 5 colls selected");
  Click(2, Qt::ControlModifier);  // deselects
  EXPECT_EQ(Label("Label2"), "2 of 5 colls selected");
  EXPECT_EQ(dialog->Selected(), (std::vector<int>{1, 3}));
}

TEST_F(SelectCollsDialogTest, ReplaceTakesExactlyOneAndNamesTheKeptName) {
  Show(ReplaceRequest("house01", FiveColls()));
  EXPECT_EQ(dialog->windowTitle(), "Replace Collision Object");
  EXPECT_EQ(dialog->findChild<QPushButton*>("Button1")->text(), "&Replace");
  EXPECT_EQ(Label("Label1"), "Select the collision object you want to use for replacing house01:");
  EXPECT_FALSE(Shown("Label2"));
  EXPECT_TRUE(Shown("Label3"));
  EXPECT_EQ(Label("Label3"), "(the name will remain \"house01\")");
  EXPECT_FALSE(Accept());
  Click(1);
  Click(4, Qt::ControlModifier);
  EXPECT_EQ(dialog->Selected(), (std::vector<int>{4}));
  EXPECT_TRUE(Accept());
  EXPECT_EQ(dialog->Selected(), (std::vector<int>{4}));
}

TEST_F(SelectCollsDialogTest, AFileWithoutCollsCanOnlyBeCancelled) {
  Show(ImportRequest("empty.col", {}));
  EXPECT_EQ(Label("Label2"), "0 of 0 colls selected");
  EXPECT_FALSE(Accept());
  dialog->findChild<QPushButton*>("Button2")->click();
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_FALSE(dialog->isVisible());
}

TEST(SelectCollsDialogAsk, ReturnsTheSelectionOrNothing) {
  {
    ModalScript script;
    script.Then([](QWidget* dialog) {
      auto* list = dialog->findChild<QListWidget*>("lbxImp");
      list->item(4)->setSelected(true);
      list->item(0)->setSelected(true);
      EXPECT_EQ(dialog->findChild<QLabel*>("Label2")->text(), "2 of 5 colls selected");
      testing::ClickButton(dialog, "Import");
    });
    EXPECT_EQ(SelectCollsDialog::Ask(nullptr, ImportRequest("a.col", FiveColls())),
              (std::vector<int>{0, 4}));
  }
  {
    ModalScript script;
    script.Press("Cancel");
    EXPECT_EQ(SelectCollsDialog::Ask(nullptr, ReplaceRequest("x", FiveColls())), std::nullopt);
  }
}

}  // namespace
}  // namespace vantorel
