// The edits inside a coll driven through the real window: its menu actions, the value dialog,
// the script viewer and the locale the window hands to the editor.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/qt/locale_texts.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_text.h"
#include "core/program_identity.h"
#include "edit/script_reader.h"
#include "tests/gui/modal_script.h"
#include "tests/gui/qt_printers.h"
#include "tests/support/start_context.h"
#include "tests/support/test_files.h"
#include "tools/colgen/coll_builder.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;
using testing::ModalScript;
using testing::ReadBytes;
using testing::TempDir;

class EditCommandsWindowTest : public ::testing::Test {
 protected:
  std::unique_ptr<MainWindow> Start(const std::vector<Coll>& colls) {
    const std::string path = dir.Write("edits.col", colgen::EncodeFile(colls));
    auto window = std::make_unique<MainWindow>(testing::StartIn(dir, {path}), ViewDrawing::None);
    window->show();
    return window;
  }
  static void Type(QWidget* dialog, const char* field, const QString& text) {
    auto* edit = dialog->findChild<QLineEdit*>(field);
    ASSERT_NE(edit, nullptr) << field;
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
  static void ClickOk(QWidget* dialog) {
    QTest::mouseClick(dialog->findChild<QPushButton*>("Button1"), Qt::LeftButton);
  }

  TempDir dir;
};

TEST_F(EditCommandsWindowTest, AddBoxRefusesInvalidInputThenStoresTheCornersInOrder) {
  auto window = Start({colgen::CollBuilder("boxes").Sphere({0, 0, 0}, 1, MakeSurface(1)).Build()});
  Editor& editor = window->GetEditor();
  QAction* addBox = window->findChild<QAction*>("MenuItem5");
  ASSERT_NE(addBox, nullptr);
  ASSERT_TRUE(addBox->isEnabled());

  // A step must not wait for a dialog of its own: the script's timer does not fire again until
  // the step returns. What comes after a dialog is queued.
  QPointer<QWidget> valueDialog;
  ModalScript script;
  script.Then([&](QWidget* dialog) {
    valueDialog = dialog;
    EXPECT_EQ(dialog->objectName(), "TForm5");
    EXPECT_EQ(dialog->windowTitle(), "Add Collision Box");
    EXPECT_EQ(dialog->findChild<QLineEdit*>("Edit4")->text(), "1.0");
    Type(dialog, "Edit5", "1E39");  // a number, but beyond a float
    QTimer::singleShot(0, dialog, [dialog] { ClickOk(dialog); });
  });
  script.Then([&](QWidget* box) {
    testing::ClickButton(box, "OK");
    QTimer::singleShot(0, valueDialog, [&] {
      // The dialog stayed open with the text as typed.
      ASSERT_TRUE(valueDialog->isVisible());
      EXPECT_EQ(valueDialog->findChild<QLineEdit*>("Edit5")->text(), "1E39");
      const char* typed[6] = {"2", "0", " 5 ", "1", "3", "4"};
      for (int i = 0; i < 6; ++i)
        Type(valueDialog, QString("Edit%1").arg(i + 1).toLatin1().constData(), typed[i]);
      valueDialog->findChild<QComboBox*>("cbx")->setCurrentIndex(12);
      ClickOk(valueDialog);
    });
  });
  script.Press("Yes");  // the new bounding objects
  addBox->trigger();
  EXPECT_TRUE(script.Done());
  ASSERT_EQ(script.texts.size(), 2);
  EXPECT_EQ(script.texts[0], "Vantorel|Invalid input!");
  EXPECT_TRUE(script.texts[1].startsWith("Bounding Objects|OLD BOUNDING OBJECTS"));

  ASSERT_EQ(editor.WorkingCopy().BoxCount(), 1);
  const CollBox& box = editor.WorkingCopy().Boxes[0];
  EXPECT_EQ(box.Min.X, 1.0f);
  EXPECT_EQ(box.Min.Y, 0.0f);
  EXPECT_EQ(box.Min.Z, 4.0f);
  EXPECT_EQ(box.Max.X, 2.0f);
  EXPECT_EQ(box.Max.Y, 3.0f);
  EXPECT_EQ(box.Max.Z, 5.0f);
  EXPECT_EQ(box.Surface.Material, 12);
  EXPECT_EQ(editor.WorkingCopy().Header.BoundingMax.Z, 5.0f);
  EXPECT_TRUE(editor.CollChanged());
  auto* boxes = window->findChild<QListView*>("clbBoxes");
  ASSERT_EQ(boxes->model()->rowCount(), 1);
  EXPECT_TRUE(boxes->model()->index(0, 0).data().toString().startsWith("B000 - [12|00] "));
  EXPECT_EQ(boxes->model()->index(0, 0).data(Qt::CheckStateRole), Qt::Checked);
  // The menu offers the step at once, and taking it back empties the list again.
  QAction* undo = window->findChild<QAction*>("Undo1");
  EXPECT_TRUE(undo->isEnabled());
  EXPECT_EQ(undo->text(), "&Undo Add Box");
  undo->trigger();
  EXPECT_EQ(editor.WorkingCopy().BoxCount(), 0);
  EXPECT_EQ(boxes->model()->rowCount(), 0);
  EXPECT_EQ(window->findChild<QAction*>("Redo1")->text(), "&Redo Add Box");
}

TEST_F(EditCommandsWindowTest, AnAmpersandInAStepsNameShowsInTheEditMenu) {
  CollBuilder b("mesh");
  b.Face(b.Vertex({0, 0, 0}), b.Vertex({1, 0, 0}), b.Vertex({0, 1, 0}), MakeSurface(1));
  auto window = Start({b.Build()});
  window->findChild<QAction*>("DeleteAllVerticesFaces1")->trigger();
  ASSERT_EQ(window->GetEditor().WorkingCopy().FaceCount(), 0);
  QAction* undo = window->findChild<QAction*>("Undo1");
  EXPECT_EQ(undo->text(), "&Undo Delete All Vertices && Faces");
  undo->trigger();
  EXPECT_EQ(window->findChild<QAction*>("Redo1")->text(), "&Redo Delete All Vertices && Faces");
}

TEST_F(EditCommandsWindowTest, CtrlTShowsTheScriptWhoseViewerSavesIt) {
  CollBuilder b("scripted");
  b.Sphere({0, -2.25f, 10}, 1.5f, MakeSurface(12));
  b.Vertex({1, 2, 3});
  auto window = Start({b.Build()});
  QAction* show = window->findChild<QAction*>("Showtextinfo1");
  ASSERT_NE(show, nullptr);
  EXPECT_EQ(show->shortcut(), QKeySequence("Ctrl+T"));
  const QString folder = QString::fromStdString(dir.Path().string());
  const QString path = folder + "/saved.cst";

  ModalScript script;
  script.Then([&](QWidget* viewer) {
    EXPECT_EQ(viewer->objectName(), "TForm8");
    EXPECT_EQ(viewer->windowTitle(), "Collision Script of \"scripted\"");
    auto* memo = viewer->findChild<QPlainTextEdit*>("Memo1");
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(memo->toPlainText().contains("\nS 000: 1.5  |  0; -2.25; 10  |  [12]\n"));
    QTimer::singleShot(0, viewer, [viewer] {
      viewer->findChild<QAction*>("Save1")->trigger();
      EXPECT_TRUE(viewer->isVisible());  // saving leaves the viewer open
      viewer->findChild<QAction*>("Close1")->trigger();
    });
  });
  script.Then([&](QWidget* dialog) {
    auto* fileDialog = qobject_cast<QFileDialog*>(dialog);
    ASSERT_NE(fileDialog, nullptr);
    EXPECT_EQ(fileDialog->windowTitle(), "Save Collision Script");
    EXPECT_EQ(fileDialog->directory().absolutePath(), folder);
    EXPECT_EQ(QFileInfo(fileDialog->selectedFiles().value(0)).fileName(), "scripted.cst");
    fileDialog->selectFile(path);
    QMetaObject::invokeMethod(fileDialog, "accept", Qt::QueuedConnection);
  });
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QTest::keyClick(window.get(), Qt::Key_T, Qt::ControlModifier);
  EXPECT_TRUE(script.Done());

  const Bytes bytes = ReadBytes(path.toStdString());
  const std::string text(bytes.begin(), bytes.end());
  ASSERT_GE(text.size(), 2u);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  const QStringList lines = QString::fromLatin1(text).split("\r\n");
  ASSERT_GE(lines.size(), 6);
  EXPECT_EQ(lines[0],
            "# GTA3 Collision Script created with Vantorel 1.1 BETA by the Vantorel developers");
  // The second line names the project's addresses only in a build that was given them.
  const int shift = kProjectContact.Homepage.empty() && kProjectContact.Mail.empty() ? 0 : 1;
  EXPECT_TRUE(lines[1 + shift].startsWith(
      "# Exported on " + QLocale().toString(QDate::currentDate(), QLocale::ShortFormat)))
      << lines[1 + shift].toStdString();
  EXPECT_EQ(lines[3 + shift], "# \"scripted\" (124 Byte)");
  const ScriptReadResult read = ReadCollisionScript(text, '.');
  ASSERT_TRUE(read.Elements);
  EXPECT_EQ(read.Elements->SphereCount(), 1);
  EXPECT_EQ(read.Elements->Spheres[0].Radius, 1.5f);
  EXPECT_EQ(read.Elements->VertexCount(), 1);
  EXPECT_FALSE(window->GetEditor().CollChanged());
  EXPECT_FALSE(window->GetEditor().CanUndo());
}

// A key pressed while the list has the focus: the list receives it.
void PressKey(QWidget* list, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(list, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers);
  QApplication::sendEvent(list, &release);
}

TEST_F(EditCommandsWindowTest, TheDeleteKeyDeletesInItsListWhateverModifiersAreHeld) {
  CollBuilder b("faces");
  b.Vertex({0, 0, 0});
  b.Vertex({1, 0, 0});
  b.Vertex({0, 1, 0});
  for (std::uint8_t material = 0; material < 3; ++material)
    b.Face(0, 1, 2, MakeSurface(material));
  b.Sphere({0, 0, 0}, 1, MakeSurface(1));
  b.Sphere({9, 0, 0}, 1, MakeSurface(2));
  auto window = Start({b.Build()});
  const Coll& coll = window->GetEditor().WorkingCopy();

  auto* faces = window->findChild<QListView*>("clbFaces");
  faces->setCurrentIndex(faces->model()->index(1, 0));
  PressKey(faces, Qt::Key_Delete, Qt::ShiftModifier | Qt::ControlModifier);
  ASSERT_EQ(coll.FaceCount(), 2);
  EXPECT_EQ(coll.Faces[1].Surface.Material, 2);
  EXPECT_EQ(faces->model()->rowCount(), 2);
  EXPECT_EQ(faces->currentIndex().row(), 1);

  auto* spheres = window->findChild<QListView*>("clbSpheres");
  spheres->setCurrentIndex(spheres->model()->index(0, 0));
  ModalScript script;
  script.Press("No");  // keep the old bounding objects
  PressKey(spheres, Qt::Key_Delete, Qt::NoModifier);
  EXPECT_TRUE(script.Done());
  ASSERT_EQ(coll.SphereCount(), 1);
  EXPECT_EQ(coll.Spheres[0].Center.X, 9.0f);
  EXPECT_EQ(spheres->model()->rowCount(), 1);
}

TEST_F(EditCommandsWindowTest, TheWindowGivesTheEditorTheLocalesSeparator) {
  const QLocale previous;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  auto window =
      Start({colgen::CollBuilder("comma").Sphere({0, 0, 0}, 1.5f, MakeSurface(1)).Build()});
  QLocale::setDefault(previous);
  EXPECT_EQ(window->GetEditor().DecimalSeparator, ',');
}

TEST(LocaleTexts, TheSeparatorIsOneAsciiCharacter) {
  EXPECT_EQ(LocaleDecimalSeparator(QLocale::c()), '.');
  EXPECT_EQ(LocaleDecimalSeparator(QLocale(QLocale::German, QLocale::Germany)), ',');
  EXPECT_EQ(LocaleDecimalSeparator(QLocale(QLocale::English, QLocale::UnitedStates)), '.');
  // Arabic writes its own decimal sign, which the program's number texts cannot hold.
  EXPECT_EQ(LocaleDecimalSeparator(QLocale(QLocale::Arabic, QLocale::Egypt)), '.');
}

TEST(LocaleTexts, ShortDateAndLongTimeWithoutZoneOnlyTheDateAtMidnight) {
  const QLocale german(QLocale::German, QLocale::Germany);
  const QDate day(2026, 12, 8);
  EXPECT_EQ(LocaleDateTimeText(german, QDateTime(day, QTime(14, 30, 5))), "08.12.26 14:30:05");
  EXPECT_EQ(LocaleDateTimeText(german, QDateTime(day, QTime(0, 0))), "08.12.26");
  EXPECT_EQ(LocaleDateTimeText(german, QDateTime(day, QTime(0, 0, 0, 1))), "08.12.26 00:00:00");
  const QLocale us(QLocale::English, QLocale::UnitedStates);
  EXPECT_EQ(LocaleDateTimeText(us, QDateTime(day, QTime(14, 30, 5))), "12/8/26 2:30:05 PM");
}

}  // namespace
}  // namespace vantorel
