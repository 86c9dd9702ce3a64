#include "edit/qt/script_viewer.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFileDialog>
#include <QFontInfo>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>

#include "app/qt/qt_text.h"
#include "tests/gui/modal_script.h"
#include "tests/gui/qt_printers.h"
#include "tests/support/test_files.h"

namespace vantorel {
namespace {

using testing::ModalScript;
using testing::ReadBytes;
using testing::TempDir;

// "\x80" is the euro sign and "\xE9" an e with an acute accent in the Windows code page.
const std::string kScript = "# \"caf\xE9\" (92 Byte)\r\n\r\n=> Face count: 0 \x80";

// Answers the save dialog with path, checking how it was preset.
ModalScript::Step SaveAs(const QString& path, const QString& folder) {
  return [path, folder](QWidget* dialog) {
    auto* fileDialog = qobject_cast<QFileDialog*>(dialog);
    ASSERT_NE(fileDialog, nullptr);
    EXPECT_EQ(fileDialog->windowTitle(), "Save Collision Script");
    EXPECT_EQ(fileDialog->nameFilters(),
              (QStringList{"Collision Script (*.cst)", "All Files (*.*)"}));
    EXPECT_EQ(fileDialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(fileDialog->directory().absolutePath(), folder);
    EXPECT_EQ(QFileInfo(fileDialog->selectedFiles().value(0)).fileName(), "caf\u00E9.cst");
    fileDialog->selectFile(path);
    // Queued, so that the overwrite question it may ask meets the script outside this step.
    QMetaObject::invokeMethod(fileDialog, "accept", Qt::QueuedConnection);
  };
}

TEST(ScriptViewer, ShowsTheScriptReadOnlyInAFixedFont) {
  ScriptViewer viewer(kScript, "caf\xE9", "/tmp");
  viewer.show();
  EXPECT_EQ(viewer.objectName(), "TForm8");
  EXPECT_EQ(viewer.windowTitle(), "Collision Script of \"caf\u00E9\"");
  // A short script keeps the classic size.
  EXPECT_EQ(viewer.size(), QSize(408, 335));
  auto* memo = viewer.findChild<QPlainTextEdit*>("Memo1");
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(memo->toPlainText(), "# \"caf\u00E9\" (92 Byte)\n\n=> Face count: 0 \u20AC");
  EXPECT_TRUE(memo->isReadOnly());
  EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_TRUE(QFontInfo(memo->font()).fixedPitch());
  EXPECT_EQ(memo->font().pixelSize(), 12);
  // What answers for Courier New is taken when it is fixed pitch, whatever its name: with
  // fonts-urw-base35 installed that is Nimbus Mono PS, without it often DejaVu Sans Mono.
  QFont courier("Courier New");
  courier.setPixelSize(12);
  if (QFontInfo(courier).fixedPitch()) {
    EXPECT_EQ(QFontInfo(memo->font()).family(), QFontInfo(courier).family());
  }

  auto* readOnly = viewer.findChild<QAction*>("Readonly1");
  ASSERT_NE(readOnly, nullptr);
  EXPECT_TRUE(readOnly->isChecked());
  readOnly->trigger();
  EXPECT_FALSE(readOnly->isChecked());
  EXPECT_FALSE(memo->isReadOnly());
  readOnly->trigger();
  EXPECT_TRUE(memo->isReadOnly());
  ASSERT_NE(viewer.findChild<QMenu*>("Text1"), nullptr);
  EXPECT_EQ(viewer.findChild<QMenu*>("Text1")->title(), "&CollScript");

  viewer.findChild<QAction*>("Close1")->trigger();
  EXPECT_FALSE(viewer.isVisible());
}

TEST(ScriptViewer, OpensWideEnoughForItsLongestLineWithinTheScreen) {
  const std::string wide = "# " + std::string(100, 'x') + "\r\nshort";
  ScriptViewer viewer(wide, "wide", "/tmp");
  viewer.show();
  auto* memo = viewer.findChild<QPlainTextEdit*>("Memo1");
  EXPECT_EQ(memo->horizontalScrollBar()->maximum(), 0) << viewer.width();

  const std::string endless = std::string(5000, 'x');
  ScriptViewer huge(endless, "huge", "/tmp");
  huge.show();
  EXPECT_LE(huge.width(), huge.screen()->availableGeometry().width());
}

TEST(ScriptViewer, SavesTheTextInTheWindowsCodePageWithCrLfAndAsksBeforeOverwriting) {
  TempDir dir;
  const QString folder = QString::fromStdString(dir.Path().string());
  const QString path = folder + "/saved.cst";
  ScriptViewer viewer(kScript, "caf\xE9", folder);
  viewer.show();
  ModalScript script;
  script.Then(SaveAs(path, folder));
  viewer.findChild<QAction*>("Save1")->trigger();
  const Bytes saved = ReadBytes(path.toStdString());
  EXPECT_EQ(std::string(saved.begin(), saved.end()), kScript + "\r\n");
  EXPECT_TRUE(viewer.isVisible());

  // An edited text is saved as it stands; the existing file is replaced after a question.
  auto* memo = viewer.findChild<QPlainTextEdit*>("Memo1");
  viewer.findChild<QAction*>("Readonly1")->trigger();
  memo->setPlainText("edited \u00E9\n\u4E2D");
  script.Then(SaveAs(path, folder));
  script.Press("Yes");
  viewer.findChild<QAction*>("Save1")->trigger();
  EXPECT_TRUE(script.Done());
  ASSERT_EQ(script.texts.size(), 1);
  EXPECT_TRUE(script.texts[0].contains("already exists")) << script.texts[0].toStdString();
  const Bytes edited = ReadBytes(path.toStdString());
  EXPECT_EQ(std::string(edited.begin(), edited.end()), "edited \xE9\r\n?\r\n");
}

TEST(ScriptViewer, AFailedSaveShowsTheReasonAndKeepsTheViewer) {
  TempDir dir;
  const QString folder = QString::fromStdString(dir.Path().string());
  ScriptViewer viewer(kScript, "caf\xE9", folder);
  viewer.show();
  ModalScript script;
  script.Then(SaveAs(folder + "/missing/saved.cst", folder));
  script.Press("OK");
  viewer.findChild<QAction*>("Save1")->trigger();
  ASSERT_EQ(script.texts.size(), 1);
  EXPECT_TRUE(script.texts[0].contains("No such file or directory"))
      << script.texts[0].toStdString();
  EXPECT_TRUE(viewer.isVisible());
  EXPECT_EQ(viewer.findChild<QPlainTextEdit*>("Memo1")->toPlainText().left(3), "# \"");
}

TEST(ScriptViewer, CancellingTheSaveDialogWritesNothing) {
  TempDir dir;
  const QString folder = QString::fromStdString(dir.Path().string());
  ScriptViewer viewer(kScript, "caf\xE9", folder);
  viewer.show();
  ModalScript script;
  script.Then([](QWidget* dialog) { qobject_cast<QDialog*>(dialog)->reject(); });
  viewer.findChild<QAction*>("Save1")->trigger();
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(Windows1252, ConvertsBothWays) {
  std::string all;
  for (int byte = 1; byte < 256; ++byte)
    all.push_back(static_cast<char>(byte));
  EXPECT_EQ(QtToWindows1252(Windows1252ToQt(all)), all);
  EXPECT_EQ(Windows1252ToQt("\x80\x81\x9F\xFF"), QString("\u20AC\u0081\u0178\u00FF"));
  EXPECT_EQ(QtToWindows1252(QString("\u20AC\u2122 \u4E2D \U0001F600")), "\x80\x99 ? ?");
}

}  // namespace
}  // namespace vantorel
