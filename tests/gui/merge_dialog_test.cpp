#include "ops/qt/merge_dialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "tests/gui/modal_script.h"
#include "tests/gui/qt_printers.h"

namespace vantorel {
namespace {

const std::vector<std::string> kLines{"wall01", "roof01", "empty [-]"};

class MergeDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog = std::make_unique<MergeDialog>(kLines, 1);
    dialog->setModal(false);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    name = dialog->findChild<QLineEdit*>("Edit1");
  }
  bool TypeAndOk(const QString& text) {
    name->setText(text);
    name->deselect();
    dialog->findChild<QPushButton*>("Button1")->click();
    return !dialog->isVisible();
  }
  QComboBox* Box(const char* objectName) { return dialog->findChild<QComboBox*>(objectName); }

  std::unique_ptr<MergeDialog> dialog;
  QLineEdit* name = nullptr;
};

TEST_F(MergeDialogTest, OffersEveryCollWithTheCurrentOnePreselected) {
  EXPECT_EQ(dialog->objectName(), "TForm9");
  EXPECT_EQ(dialog->windowTitle(), "Merge Colls");
  EXPECT_EQ(dialog->findChild<QLabel*>("Label1")->text(),
            "Choose the two collision objects you want to merge:");
  EXPECT_EQ(dialog->findChild<QLabel*>("Label2")->text(), "Name of the new coll:");
  for (const char* box : {"cbx1", "cbx2"}) {
    EXPECT_EQ(Box(box)->count(), 3) << box;
    EXPECT_EQ(Box(box)->itemText(2), "empty [-]") << box;
    EXPECT_EQ(Box(box)->currentIndex(), 1) << box;
    EXPECT_FALSE(Box(box)->isEditable()) << box;
  }
  EXPECT_EQ(name->text(), "new_coll");
  EXPECT_EQ(name->maxLength(), 20);
}

TEST_F(MergeDialogTest, TheDefaultNameIsAcceptedWithTheChosenColls) {
  Box("cbx2")->setCurrentIndex(2);
  dialog->findChild<QPushButton*>("Button1")->click();
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  const MergeChoice choice = dialog->Choice();
  EXPECT_EQ(choice.First, 1);
  EXPECT_EQ(choice.Second, 2);
  EXPECT_EQ(choice.Name, "new_coll");
}

TEST_F(MergeDialogTest, RefusesBadCharactersAndShortNames) {
  EXPECT_FALSE(TypeAndOk("new coll"));
  EXPECT_TRUE(name->hasFocus());
  EXPECT_EQ(name->selectedText(), "new coll");
  EXPECT_FALSE(TypeAndOk("  ab "));
  EXPECT_FALSE(name->hasSelectedText());
  EXPECT_TRUE(TypeAndOk(" wall01 "));  // an existing name is no obstacle
  EXPECT_EQ(dialog->Choice().Name, "wall01");
}

TEST(MergeDialogAsk, CancelReturnsNothing) {
  testing::ModalScript script;
  script.Press("Cancel");
  EXPECT_FALSE(MergeDialog::Ask(nullptr, kLines, 0));
}

}  // namespace
}  // namespace vantorel
