#include "app/qt/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QSpinBox>
#include <QTest>
#include <filesystem>

#include "app/qt/qt_text.h"
#include "core/ini_file.h"
#include "core/utf8_path.h"
#include "doc/start_up.h"
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

Coll Named(const char* name, int spheres = 1) {
  CollBuilder b(name);
  for (int i = 0; i < spheres; ++i)
    b.Sphere({0, 0, 0}, 1, MakeSurface(1));
  return b.Build();
}

class MainWindowTest : public ::testing::Test {
 protected:
  std::string WriteFile(const std::string& name, const std::vector<Coll>& colls) {
    return dir.Write(name, colgen::EncodeFile(colls));
  }
  std::unique_ptr<MainWindow> Start(std::vector<std::string> args) {
    auto window =
        std::make_unique<MainWindow>(testing::StartIn(dir, std::move(args)), ViewDrawing::None);
    window->show();
    return window;
  }
  QString Panel(MainWindow& window, int i) {
    return window.findChild<QLabel*>(QString("StatusPanel%1").arg(i))->text();
  }
  static QStringList Lines(QListView* list) {
    QStringList lines;
    for (int row = 0; row < list->model()->rowCount(); ++row) {
      lines << list->model()->index(row, 0).data().toString();
    }
    return lines;
  }
  static void ClickRow(QListView* list, int row) {
    const QRect rect = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
  }
  IniFile Settings() const {
    std::string error;
    return *IniFile::Load(settingsPath, &error);
  }

  TempDir dir;
  std::string settingsPath = (dir.Path() / "Vantorel.ini").string();
};

TEST_F(MainWindowTest, OpensTheFileOnTheCommandLineInDebugMode) {
  const std::string path = WriteFile("start.col", {Named("alpha"), Named("beta", 0)});
  auto window = Start({path, "Debug"});
  EXPECT_EQ(window->windowTitle(), "start.col - Vantorel 1.1 BETA - [debug mode]");
  auto* lbxColl = window->findChild<QListView*>("lbxColl");
  ASSERT_NE(lbxColl, nullptr);
  EXPECT_EQ(Lines(lbxColl), (QStringList{"alpha", "beta [-]"}));
  EXPECT_EQ(lbxColl->currentIndex().row(), 0);
  EXPECT_EQ(Panel(*window, 0), "001");
  EXPECT_EQ(Panel(*window, 1), "alpha");
  EXPECT_EQ(Panel(*window, 2), "Vertices: 0");
  EXPECT_EQ(Panel(*window, 4), "Size: 112 Byte");
  EXPECT_EQ(Lines(window->findChild<QListView*>("clbSpheres")),
            QStringList{"S000 - [01|00] Street"});
  EXPECT_EQ(
      window->findChild<QListView*>("clbSpheres")->model()->index(0, 0).data(Qt::CheckStateRole),
      Qt::Checked);
}

TEST_F(MainWindowTest, OfTwoFilesTheFirstIsOpenedAndMissingOnesAreIgnored) {
  const std::string first = WriteFile("first.col", {Named("one")});
  const std::string second = WriteFile("second.col", {Named("two")});
  auto window = Start({"nothing-here.col", first, second});
  EXPECT_EQ(window->windowTitle(), "first.col - Vantorel 1.1 BETA");

  auto bare = Start({"nothing-here.col"});
  EXPECT_EQ(bare->windowTitle(), "Vantorel 1.1 BETA");
  EXPECT_EQ(bare->findChild<QListView*>("lbxColl")->model()->rowCount(), 0);
}

TEST_F(MainWindowTest, ClickingCollsAsksTheApplyQuestionThroughARealMessageBox) {
  const std::string path = WriteFile("click.col", {Named("alpha"), Named("beta")});
  auto window = Start({path});
  auto* lbxColl = window->findChild<QListView*>("lbxColl");
  window->GetEditor().ChangeWorkingCopy([](Coll&, ElementLists&) {});

  ModalScript script;
  script.Press("Cancel");
  ClickRow(lbxColl, 1);
  ASSERT_EQ(script.texts.size(), 1);
  EXPECT_EQ(script.texts[0], "Apply Changes|Do you want to apply changes made to alpha?");
  EXPECT_EQ(script.defaults[0], "Yes");
  EXPECT_EQ(script.buttonLists[0].toStdString(), "Cancel,No,Yes");
  EXPECT_EQ(lbxColl->currentIndex().row(), 0);
  EXPECT_EQ(Panel(*window, 1), "alpha");

  script.Press("No");
  ClickRow(lbxColl, 1);
  EXPECT_EQ(lbxColl->currentIndex().row(), 1);
  EXPECT_EQ(Panel(*window, 0), "002");
  EXPECT_EQ(Panel(*window, 1), "beta");
  EXPECT_FALSE(window->GetEditor().FileChanged());
  EXPECT_TRUE(script.Done());
}

TEST_F(MainWindowTest, ClosingAsksToSaveAndWritesFileAndSettings) {
  const std::string path = WriteFile("close.col", {Named("alpha"), Named("beta")});
  auto window = Start({path});
  window->GetEditor().ChangeWorkingCopy([](Coll& coll, ElementLists&) { coll.Spheres.clear(); });

  ModalScript script;
  script.Press("Yes");  // apply
  script.Press("Yes");  // save
  EXPECT_TRUE(window->close());
  EXPECT_EQ(script.texts,
            (QStringList{"Apply Changes|Do you want to apply changes made to alpha?",
                         "Save File|Do you want to save changes made to close.col?"}));
  EXPECT_EQ(ReadBytes(path).size(), 92u + 112u);

  const IniFile ini = Settings();
  EXPECT_EQ(ini.GetString("SETTINGS", "FilePath", ""), DirectoryOf(path));
  EXPECT_EQ(ini.GetInt("MAINCOLORS", "Background", 0), -15387070);
  EXPECT_EQ(ini.GetString("SURFACETYPES", "S00D", ""), "Standard");
}

// Another program appended to the file after it was opened: the save asks, and Escape (as the
// default) keeps that program's file.
TEST_F(MainWindowTest, EscapeKeepsAFileThatChangedOnDisk) {
  const std::string path = WriteFile("shared.col", {Named("alpha"), Named("beta")});
  auto window = Start({path});
  window->GetEditor().ChangeWorkingCopy([](Coll& coll, ElementLists&) { coll.Spheres.clear(); });
  Bytes outside = ReadBytes(path);
  outside.insert(outside.end(), 8, 0);
  dir.Write("shared.col", outside);

  ModalScript script;
  script.Press("Yes");  // apply
  script.Press("Yes");  // save
  script.Then([](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); });
  EXPECT_FALSE(window->close());
  ASSERT_EQ(script.texts.size(), 3);
  EXPECT_EQ(script.texts[2], QString::fromStdString("Save File|The file " + path +
                                                    " was changed on disk since it was opened. "
                                                    "Do you want to overwrite it?"));
  EXPECT_EQ(script.defaults[2], "No");
  EXPECT_EQ(ReadBytes(path), outside);
  script.Press("No");  // do not save
  EXPECT_TRUE(window->close());
}

TEST_F(MainWindowTest, CancelOnTheSaveQuestionKeepsTheWindowOpen) {
  const std::string path = WriteFile("keep.col", {Named("alpha")});
  auto window = Start({path});
  window->GetEditor().ApplyChanges();
  ModalScript script;
  script.Press("Cancel");
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());
  script.Press("No");
  EXPECT_TRUE(window->close());
}

TEST_F(MainWindowTest, TheWindowOpensAtItsPresetSizeAndGrowsWithItsPanels) {
  CollBuilder b("a_name_of_twenty_ch");
  for (int i = 0; i < 400; ++i) {
    const auto x = static_cast<float>(i);
    b.Face(b.Vertex({x, -123.25f, 0}), b.Vertex({x + 1, 7, 0}), b.Vertex({x, 0, 1.125f}),
           MakeSurface(1));
  }
  auto window = Start({WriteFile("wide.col", {b.Build()})});
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  QTest::qWait(300);  // the frame is fitted to the preset a moment after showing
  EXPECT_EQ(window->frameGeometry().size(), QSize(645, 484));
  EXPECT_LT(window->minimumSize().width(), window->maximumSize().width());
  const auto whole = [&](int i) {
    auto* panel = window->findChild<QLabel*>(QString("StatusPanel%1").arg(i));
    return panel->fontMetrics().horizontalAdvance(panel->text()) < panel->width() &&
           panel->toolTip().isEmpty();
  };
  ASSERT_EQ(Panel(*window, 4), "Size: 20892 Byte");
  ASSERT_TRUE(Panel(*window, 5).startsWith("Height: 1.125; Width: 400.0; Depth: 130.25"));
  for (int i = 0; i < 5; ++i)
    EXPECT_TRUE(whole(i)) << i;
  // The dimensions may not fit at the classic size; then the tool tip holds them.
  auto* dimensions = window->findChild<QLabel*>("StatusPanel5");
  EXPECT_TRUE(whole(5) || dimensions->toolTip() == dimensions->text());

  auto* list = window->findChild<QListView*>("lbxColl");
  auto* faces = window->findChild<QListView*>("clbFaces");
  auto* view = window->findChild<QWidget*>("pnlScreen");
  const QSize listBefore = list->size();
  const QSize facesBefore = faces->size();
  const QSize viewBefore = view->size();
  window->resize(1200, 860);
  QApplication::processEvents();
  for (int i = 0; i < 6; ++i)
    EXPECT_TRUE(whole(i)) << i;
  // All three share the room.
  EXPECT_GT(list->width(), listBefore.width());
  EXPECT_GT(list->height(), listBefore.height());
  EXPECT_GT(faces->width(), facesBefore.width());
  EXPECT_GT(faces->height(), facesBefore.height());
  EXPECT_GT(view->width(), viewBefore.width() + 300);
  EXPECT_GT(view->height(), viewBefore.height() + 200);
}

TEST_F(MainWindowTest, OutOfRangeWindowSizeOpensNormalAndIsWrittenBackAsZero) {
  IniFile ini;
  ini.Set("SETTINGS", "WindowSize", "7");
  ini.Set("SETTINGS", "BSphereDetail", "47");
  ASSERT_FALSE(ini.Save(settingsPath));
  auto window = Start({});
  EXPECT_EQ(window->PresetSize(), QSize(645, 484));
  EXPECT_TRUE(window->close());
  EXPECT_EQ(Settings().GetInt("SETTINGS", "WindowSize", -1), 0);
  EXPECT_EQ(Settings().GetInt("SETTINGS", "BSphereDetail", -1), 46);
}

TEST_F(MainWindowTest, MainSettingsDefaultThenCancelChangesNothing) {
  auto window = Start({});
  Editor& editor = window->GetEditor();
  vantorel::Settings changed = editor.Settings();
  changed.askApply = false;
  changed.CSphereDetail = 30;
  changed.UndoMemoryMB = 8;
  editor.ChangeSettings(changed);
  auto* settingsAction = window->findChild<QAction*>("MainSettings1");
  ASSERT_NE(settingsAction, nullptr);
  EXPECT_EQ(settingsAction->shortcut(), QKeySequence("Ctrl+O"));

  ModalScript script;
  script.Then([](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Main Settings");
    EXPECT_EQ(dialog->findChild<QSpinBox*>("udCSphere")->value(), 30);
    auto* undoMemory = dialog->findChild<QSpinBox*>("udUndoMemory");
    EXPECT_EQ(undoMemory->value(), 8);
    // The range is the settings file's.
    EXPECT_EQ(undoMemory->minimum(), 0);
    EXPECT_EQ(undoMemory->maximum(), 4096);
    testing::ClickButton(dialog, "Default");
    EXPECT_EQ(dialog->findChild<QSpinBox*>("udCSphere")->value(), 16);
    EXPECT_EQ(undoMemory->value(), 256);
    testing::ClickButton(dialog, "Cancel");
  });
  settingsAction->trigger();
  EXPECT_FALSE(editor.Settings().askApply);
  EXPECT_EQ(editor.Settings().CSphereDetail, 30);
  EXPECT_EQ(editor.Settings().UndoMemoryMB, 8);

  script.Then([](QWidget* dialog) {
    testing::ClickButton(dialog, "Default");
    testing::ClickButton(dialog, "Ok");
  });
  settingsAction->trigger();
  EXPECT_TRUE(editor.Settings().askApply);
  EXPECT_EQ(editor.Settings().CSphereDetail, 16);
  EXPECT_EQ(editor.Settings().UndoMemoryMB, 256);

  script.Then([](QWidget* dialog) {
    dialog->findChild<QSpinBox*>("udUndoMemory")->setValue(0);
    testing::ClickButton(dialog, "Ok");
  });
  settingsAction->trigger();
  EXPECT_EQ(editor.Settings().UndoMemoryMB, 0);
  EXPECT_TRUE(script.Done());
}

TEST_F(MainWindowTest, MenusCarryCaptionsShortcutsAndEnabledStates) {
  auto window = Start({});
  struct Item {
    const char* name;
    const char* caption;
    const char* shortcut;
    bool enabled;
  };
  for (const Item& item :
       {Item{"Load1", "&Load...", "Ctrl+L", true}, Item{"Save1", "&Save", "Ctrl+S", true},
        Item{"Exit1", "&Exit", "Ctrl+X", true}, Item{"Copy1", "Co&py...", "Ctrl+C", true},
        Item{"Rename1", "&Rename...", "F2", true},
        Item{"Showtextinfo1", "Show &Collision Script...", "Ctrl+T", true},
        Item{"FindNext1", "Find &Next", "F3", true}, Item{"MakeLOD1", "Make &LOD", "", true},
        Item{"Find1", "&Find...", "Ctrl+F", true},
        Item{"Showbriefinfo1", "Show Brief &Info...", "Ctrl+I", true},
        Item{"Help2", "&Help", "F1", false},
        Item{"RegisterFileType1", "&Register File Type...", "", true}}) {
    auto* action = window->findChild<QAction*>(item.name);
    ASSERT_NE(action, nullptr) << item.name;
    EXPECT_EQ(action->text(), item.caption);
    EXPECT_EQ(action->shortcut(), QKeySequence(item.shortcut)) << item.name;
    EXPECT_EQ(action->isEnabled(), item.enabled) << item.name;
  }
}

TEST_F(MainWindowTest, FaceChecksToggleThroughTheListAndItsMenu) {
  CollBuilder b("mesh");
  b.Vertex({});
  b.Vertex({1, 0, 0});
  b.Vertex({0, 1, 0});
  for (int i = 0; i < 3; ++i)
    b.Face(0, 1, 2, MakeSurface(31));
  const std::string path = WriteFile("faces.col", {b.Build()});
  ModalScript script;
  script.Press("OK");  // the unknown-surface hint
  auto window = Start({path});
  EXPECT_EQ(script.texts, QStringList{"Vantorel|HINT: \"mesh\" includes unknown surface types!"});

  auto* faces = window->findChild<QListView*>("clbFaces");
  EXPECT_EQ(Lines(faces),
            (QStringList{"F000 - [31|00] ?", "F001 - [31|00] ?", "F002 - [31|00] ?"}));
  faces->model()->setData(faces->model()->index(1, 0), Qt::Checked, Qt::CheckStateRole);
  window->findChild<QAction*>("InvertCheckingsFaces")->trigger();
  EXPECT_EQ(window->GetEditor().Lists().Faces.checked, (std::vector<bool>{true, false, true}));
  EXPECT_EQ(faces->model()->index(1, 0).data(Qt::CheckStateRole), Qt::Unchecked);
}

TEST_F(MainWindowTest, SettingsChosenInOneRunAreThereInTheNext) {
  {
    auto window = Start({});
    ModalScript script;
    script.Then([](QWidget* dialog) {
      dialog->findChild<QSpinBox*>("udCSphere")->setValue(30);
      dialog->findChild<QCheckBox*>("cbAskApply")->setChecked(false);
      testing::ClickButton(dialog, "Ok");
    });
    window->findChild<QAction*>("MainSettings1")->trigger();
    SurfaceTypeTable table = window->GetEditor().SurfaceTypes();
    table.Set(4, 0xFF010203, "Mud");
    window->GetEditor().ChangeSurfaceTypes(table);
    EXPECT_TRUE(window->close());
  }
  auto again = Start({});
  EXPECT_EQ(again->GetEditor().Settings().CSphereDetail, 30);
  EXPECT_FALSE(again->GetEditor().Settings().askApply);
  EXPECT_EQ(again->GetEditor().SurfaceTypes().Name(4), "Mud");
  EXPECT_EQ(again->GetEditor().SurfaceTypes().Color(4), 0xFF010203u);
}

TEST_F(MainWindowTest, NonAsciiFileAndFolderNamesOpenSaveAndComeBack) {
  const std::filesystem::path folder =
      dir.Path() / std::filesystem::path(u8"Mods \u00e4\u00f6\u00fc");
  std::filesystem::create_directory(folder);
  const std::filesystem::path file = folder / std::filesystem::path(u8"Mauer \u00e4.col");
  ASSERT_TRUE(colgen::WriteBytes(file.string(), colgen::EncodeFile({Named("alpha")})));
  {
    auto window = Start({FromQt(PathToQt(file))});
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Mauer \xC3\xA4.col - Vantorel 1.1 BETA"));
    EXPECT_EQ(window->findChild<QListView*>("lbxColl")->model()->rowCount(), 1);
    window->GetEditor().ChangeWorkingCopy([](Coll& coll, ElementLists&) { coll.Spheres.clear(); });
    ModalScript script;
    script.Press("Yes");  // apply
    script.Press("Yes");  // save
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(script.Done());
  }
  EXPECT_EQ(ReadBytes(file).size(), 92u);
  EXPECT_EQ(Settings().GetString("SETTINGS", "FilePath", ""), DirectoryOf(PathToUtf8(file)));
  auto again = Start({});
  EXPECT_EQ(again->GetEditor().DialogDirectory, PathFromUtf8(DirectoryOf(PathToUtf8(file))));
}

TEST_F(MainWindowTest, ElementListRowsFollowTheWorkingCopyEvenBeforeTheListsRefit) {
  const std::string path = WriteFile("rows.col", {Named("alpha", 3)});
  auto window = Start({path});
  auto* spheres = window->findChild<QListView*>("clbSpheres");
  Editor& editor = window->GetEditor();
  // Read the list while the working copy has already shrunk and the marks have not yet been
  // refitted, as a repaint during the change would.
  int rowsSeen = -1;
  QStringList linesSeen;
  editor.ChangeWorkingCopy([&](Coll& coll, ElementLists&) {
    coll.Spheres.resize(1);
    rowsSeen = spheres->model()->rowCount();
    for (int row = 0; row < 3; ++row) {
      linesSeen << spheres->model()->index(row, 0).data().toString();
      spheres->model()->index(row, 0).data(Qt::CheckStateRole);
    }
  });
  EXPECT_EQ(rowsSeen, 1);
  EXPECT_EQ(linesSeen, (QStringList{"S000 - [01|00] Street", "", ""}));
  EXPECT_EQ(Lines(spheres), QStringList{"S000 - [01|00] Street"});
}

TEST_F(MainWindowTest, OpensARealFileThroughTheMenuAndWalksEveryColl) {
  const std::string path = testing::RealFile("generic.col").string();
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "real game file not present: " << path;
  auto window = Start({});
  vantorel::Settings quiet = window->GetEditor().Settings();
  quiet.UnkSurHint = false;
  window->GetEditor().ChangeSettings(quiet);
  ModalScript script;
  script.Then([&path](QWidget* dialog) {
    auto* fileDialog = qobject_cast<QFileDialog*>(dialog);
    ASSERT_NE(fileDialog, nullptr);
    EXPECT_EQ(fileDialog->windowTitle(), "Open Collision File");
    EXPECT_EQ(fileDialog->nameFilters(),
              (QStringList{"Collision files (*.col)", "All files (*.*)"}));
    fileDialog->selectFile(QString::fromStdString(path));
    QMetaObject::invokeMethod(fileDialog, "accept");
  });
  window->findChild<QAction*>("Load1")->trigger();
  EXPECT_EQ(window->windowTitle(), "generic.col - Vantorel 1.1 BETA");

  auto* lbxColl = window->findChild<QListView*>("lbxColl");
  ASSERT_EQ(lbxColl->model()->rowCount(), 330);
  lbxColl->setFocus();
  for (int row = 1; row < 330; ++row)
    QTest::keyClick(lbxColl, Qt::Key_Down);
  EXPECT_EQ(window->GetEditor().CurrentColl(), 329);
  EXPECT_EQ(Panel(*window, 0), "330");
  EXPECT_TRUE(window->GetEditor().WorkingCopy().IsLoaded());
}

}  // namespace
}  // namespace vantorel
