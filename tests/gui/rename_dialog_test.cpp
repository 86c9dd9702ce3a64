#include "ops/qt/rename_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "tests/gui/modal_script.h"
#include "tests/gui/qt_printers.h"

namespace vantorel {
namespace {

using testing::ModalScript;

// Shows the dialog without a modal loop, so a test can type and click and then look.
class RenameDialogTest : public ::testing::Test {
 protected:
  void Show(const std::string& oldName) {
    dialog = std::make_unique<RenameDialog>("Rename Collision Object", oldName);
    dialog->setModal(false);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    newName = dialog->findChild<QLineEdit*>("Edit2");
    ASSERT_TRUE(newName);
  }
  // Types text into the new-name field and presses OK; returns whether the dialog closed.
  bool TypeAndOk(const QString& text) {
    newName->setText(text);
    newName->deselect();
    dialog->findChild<QPushButton*>("Button1")->click();
    return !dialog->isVisible();
  }

  std::unique_ptr<RenameDialog> dialog;
  QLineEdit* newName = nullptr;
};

TEST_F(RenameDialogTest, ShowsTheOldNameAndTheProposalSelected) {
  Show("house01");
  EXPECT_EQ(dialog->objectName(), "TForm6");
  EXPECT_EQ(dialog->windowTitle(), "Rename Collision Object");
  EXPECT_EQ(dialog->findChild<QLabel*>("Label1")->text(), "Old name:");
  EXPECT_EQ(dialog->findChild<QLabel*>("Label2")->text(), "New name:");
  auto* oldName = dialog->findChild<QLineEdit*>("Edit1");
  EXPECT_EQ(oldName->text(), "house01");
  EXPECT_TRUE(oldName->isReadOnly());
  EXPECT_EQ(oldName->maxLength(), 20);
  EXPECT_EQ(newName->text(), "house0_");
  EXPECT_EQ(newName->maxLength(), 20);
  EXPECT_TRUE(newName->hasFocus());
  EXPECT_EQ(newName->selectedText(), "house0_");
  auto* rules = dialog->findChild<QToolButton*>("SpeedButton1");
  EXPECT_EQ(rules->text(), "?");
  EXPECT_TRUE(rules->font().bold());
  EXPECT_EQ(dialog->findChild<QPushButton*>("Button1")->text(), "&OK");
  EXPECT_TRUE(dialog->findChild<QPushButton*>("Button1")->isDefault());
  EXPECT_EQ(dialog->findChild<QPushButton*>("Button2")->text(), "&Cancel");
  // Wide enough that the title bar shows the whole title.
  QFont titleFont = dialog->font();
  titleFont.setBold(true);
  EXPECT_GT(dialog->width(), QFontMetrics(titleFont).horizontalAdvance(dialog->windowTitle()));
}

TEST_F(RenameDialogTest, ABadCharacterSelectsTheFieldAndKeepsTheDialogOpen) {
  Show("house01");
  dialog->findChild<QLineEdit*>("Edit1")->setFocus();
  EXPECT_FALSE(TypeAndOk("my coll"));
  EXPECT_TRUE(newName->hasFocus());
  EXPECT_EQ(newName->selectedText(), "my coll");
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

TEST_F(RenameDialogTest, TheSameNameOrAShortNameDoesNothing) {
  Show("abcd");
  EXPECT_FALSE(TypeAndOk("ABCD"));
  EXPECT_EQ(newName->text(), "ABCD");
  EXPECT_FALSE(newName->hasSelectedText());
  EXPECT_FALSE(TypeAndOk("  ab  "));
  EXPECT_EQ(newName->text(), "  ab  ");
  EXPECT_FALSE(TypeAndOk("abc"));
}

TEST_F(RenameDialogTest, OkTakesTheTrimmedName) {
  Show("house01");
  EXPECT_TRUE(TypeAndOk("  Box_01 "));
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(newName->text(), "Box_01");
  EXPECT_EQ(dialog->NewName(), "Box_01");
}

TEST_F(RenameDialogTest, TheQuestionButtonExplainsTheRules) {
  Show("house01");
  ModalScript script;
  script.Press("OK");
  dialog->findChild<QToolButton*>("SpeedButton1")->click();
  EXPECT_EQ(script.texts,
            QStringList{"Vantorel|Allowed characters: a-z, A-Z, 0-9, _\nThe new name has to be "
                        "different from the old one\nand must be at least 4 characters long!"});
  EXPECT_TRUE(dialog->isVisible());
}

TEST_F(RenameDialogTest, ShowsNamesWithCharactersBeyondAscii) {
  Show("caf\xC3\xA9_\xE2\x82\xAC");  // UTF-8, as every text the window is given
  EXPECT_EQ(dialog->findChild<QLineEdit*>("Edit1")->text(), QString::fromUtf8("café_€"));
  EXPECT_EQ(newName->text(), QString::fromUtf8("café__"));
  EXPECT_FALSE(TypeAndOk(QString::fromUtf8("café")));  // é is no name character
  EXPECT_EQ(newName->selectedText(), QString::fromUtf8("café"));
}

TEST(RenameDialogAsk, ReturnsTheNameOrNothing) {
  {
    ModalScript script;
    script.Then([](QWidget* dialog) {
      EXPECT_EQ(dialog->objectName(), "TForm6");
      dialog->findChild<QLineEdit*>("Edit2")->setText("wall_02 ");
      testing::ClickButton(dialog, "OK");
    });
    EXPECT_EQ(RenameDialog::Ask(nullptr, "Copy Collision Object", "wall01"), "wall_02");
  }
  {
    ModalScript script;
    script.Press("Cancel");
    EXPECT_EQ(RenameDialog::Ask(nullptr, "Copy Collision Object", "wall01"), std::nullopt);
  }
  {
    ModalScript script;
    script.Then([](QWidget* dialog) { dialog->close(); });  // the close box
    EXPECT_EQ(RenameDialog::Ask(nullptr, "Copy Collision Object", "wall01"), std::nullopt);
  }
}

}  // namespace
}  // namespace vantorel
