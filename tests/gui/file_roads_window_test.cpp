// The window's roads to files besides File > Load: files dropped on it, File > Reopen, and the
// settings file written at close.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <filesystem>

#include "app/qt/main_window.h"
#include "app/qt/qt_text.h"
#include "core/utf8_path.h"
#include "tests/gui/modal_script.h"
#include "tests/gui/qt_printers.h"
#include "tests/support/start_context.h"
#include "tests/support/test_files.h"
#include "tools/colgen/coll_builder.h"

namespace vantorel {
namespace {

namespace fs = std::filesystem;
using testing::ModalScript;
using testing::TempDir;

Coll Named(const char* name) {
  colgen::CollBuilder b(name);
  b.Sphere({0, 0, 0}, 1, colgen::MakeSurface(1));
  return b.Build();
}

class FileRoadsWindowTest : public ::testing::Test {
 protected:
  std::unique_ptr<MainWindow> Start(std::vector<std::string> args = {}) {
    auto window =
        std::make_unique<MainWindow>(testing::StartIn(dir, std::move(args)), ViewDrawing::None);
    window->show();
    return window;
  }
  // Drops the data on the window as a drag from another program would; whether the window
  // welcomed it.
  static bool Drop(MainWindow& window, QMimeData* data) {
    const QPoint centre = window.rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(centre), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    QApplication::processEvents();
    return true;
  }
  static QMimeData* Files(const QList<fs::path>& paths) {
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const fs::path& path : paths)
      urls << QUrl::fromLocalFile(PathToQt(path));
    data->setUrls(urls);
    return data;
  }
  static QMenu* ReopenMenu(MainWindow& window) {
    auto* menu = window.findChild<QMenu*>("Reopen1");
    emit menu->aboutToShow();
    return menu;
  }

  TempDir dir;
};

TEST_F(FileRoadsWindowTest, ADroppedColFileOpensAfterTheQuestionsAndOtherThingsAreRefused) {
  const std::string first = dir.Write("first.col", colgen::EncodeFile({Named("alpha")}));
  const fs::path folder = dir.Path() / PathFromUtf8("Mods \xC3\xA4");
  fs::create_directory(folder);
  const fs::path dropped = folder / PathFromUtf8("wall \xC3\xB6.col");
  ASSERT_TRUE(colgen::WriteBytes(dropped.string(), colgen::EncodeFile({Named("beta")})));
  auto window = Start({first});

  ModalScript script;
  script.Press("OK");
  std::unique_ptr<QMimeData> text(new QMimeData);
  text->setText("hello");
  EXPECT_TRUE(Drop(*window, text.get()));
  script.Press("OK");
  std::unique_ptr<QMimeData> notes(Files({dir.Path() / "notes.txt"}));
  EXPECT_TRUE(Drop(*window, notes.get()));
  EXPECT_EQ(
      script.texts,
      (QStringList{"Vantorel|Only collision files (.col) on this computer can be dropped here.",
                   "Vantorel|\"notes.txt\" is not a collision file (.col); only .col files can be "
                   "dropped here."}));
  EXPECT_EQ(window->windowTitle(), "first.col - Vantorel 1.1 BETA");

  window->GetEditor().ChangeWorkingCopy([](Coll& coll, ElementLists&) { coll.Spheres.clear(); });
  script.texts.clear();
  script.Press("Cancel");
  std::unique_ptr<QMimeData> col(Files({dropped}));
  EXPECT_TRUE(Drop(*window, col.get()));
  ASSERT_EQ(script.texts.size(), 1);
  EXPECT_TRUE(script.texts[0].startsWith("Apply Changes|")) << script.texts[0].toStdString();
  EXPECT_EQ(window->windowTitle(), "first.col - Vantorel 1.1 BETA");

  script.Press("No");
  EXPECT_TRUE(Drop(*window, col.get()));
  EXPECT_TRUE(script.Done());
  EXPECT_EQ(window->windowTitle(), "wall \xC3\xB6.col - Vantorel 1.1 BETA");
}

TEST_F(FileRoadsWindowTest, ReopenListsTheFilesOpenedLastAndGreysTheOnesThatAreGone) {
  const std::string a = dir.Write("a \xC3\xA4.col", colgen::EncodeFile({Named("alpha")}));
  const std::string b = dir.Write("b.col", colgen::EncodeFile({Named("beta")}));
  {
    auto window = Start({a});
    window->GetEditor().OpenFile(fs::path(b));
    EXPECT_TRUE(window->close());
  }
  fs::remove(a);
  auto window = Start();
  QMenu* menu = ReopenMenu(*window);
  const QList<QAction*> items = menu->actions();
  ASSERT_EQ(items.size(), 2);
  EXPECT_EQ(items[0]->text(), "&1 " + PathToQt(fs::path(b)));
  EXPECT_EQ(items[1]->text(), "&2 " + PathToQt(PathFromUtf8(a)) + " (not found)");
  EXPECT_TRUE(items[1]->property("vantorelFileGone").toBool());
  EXPECT_FALSE(items[0]->property("vantorelFileGone").toBool());

  ModalScript script;
  script.Press("OK");
  items[1]->trigger();
  ASSERT_EQ(script.texts.size(), 1);
  EXPECT_TRUE(script.texts[0].contains("taken off the Reopen list"))
      << script.texts[0].toStdString();
  ASSERT_EQ(ReopenMenu(*window)->actions().size(), 1);

  ReopenMenu(*window)->actions()[0]->trigger();
  EXPECT_EQ(window->windowTitle(), "b.col - Vantorel 1.1 BETA");
}

// The settings folder cannot be made (its parent is a file, which stops even root): the close
// says so once and the window closes all the same.
TEST_F(FileRoadsWindowTest, SettingsThatCannotBeWrittenAtCloseAreReportedAndTheWindowCloses) {
  const std::string blocker = dir.Write("config \xC3\xA4", {'x'});
  StartContext context = testing::StartIn(dir, {});
  context.SettingsPath = PathFromUtf8(blocker) / "Vantorel" / "Vantorel.ini";
  MainWindow window(context, ViewDrawing::None);
  window.show();
  ModalScript script;
  script.Press("OK");
  EXPECT_TRUE(window.close());
  ASSERT_EQ(script.texts.size(), 1);
  EXPECT_TRUE(script.texts[0].contains("Vantorel.ini")) << script.texts[0].toStdString();
  EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace vantorel
