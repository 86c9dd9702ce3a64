#include "doc/start_up.h"

#include <gtest/gtest.h>

#include <set>

#include "app/main_settings_command.h"
#include "core/ini_file.h"
#include "core/utf8_path.h"
#include "tests/support/editor_fixture.h"

namespace vantorel {
namespace {

using testing::FakeUi;
using testing::FakeView;

CommandLine Read(std::vector<std::string> args) {
  const std::set<std::string> files{"a.col", "b.col", "debug"};
  return ReadCommandLine(args, [&](const std::string& p) { return files.count(p) > 0; });
}

TEST(StartUp, CommandLineIsReadFromTheLastArgumentBackwards) {
  EXPECT_EQ(Read({"a.col", "DEBUG"}).FileName, "a.col");
  EXPECT_TRUE(Read({"a.col", "DEBUG"}).DebugMode);
  EXPECT_TRUE(Read({"dEbUg"}).DebugMode);
  EXPECT_EQ(Read({"a.col", "b.col"}).FileName, "a.col");  // the first existing file wins
  EXPECT_EQ(Read({"missing.col", "b.col"}).FileName, "b.col");
  EXPECT_EQ(Read({"missing.col", "-x", ""}).FileName, "");
  EXPECT_FALSE(Read({"debugger"}).DebugMode);
  EXPECT_EQ(Read({"debug"}).FileName, "");  // the word, even where a file of that name exists
}

TEST(StartUp, WindowSizePresets) {
  EXPECT_EQ(WindowSizeForPreset(0, 1920, 1080).Width, 645);
  EXPECT_EQ(WindowSizeForPreset(1, 1920, 1080).Height, 644);
  // 50 % of 1365 is 682.5: the half goes to the even neighbour
  const WindowSize half = WindowSizeForPreset(2, 1365, 767);
  EXPECT_EQ(half.Width, 682);
  EXPECT_EQ(half.Height, 384);
  EXPECT_EQ(WindowSizeForPreset(4, 1000, 800).Width, 900);
  EXPECT_EQ(WindowSizeForPreset(5, 1000, 800).Height, 800);
  for (int bad : {7, -1, 6}) {
    const WindowSize size = WindowSizeForPreset(bad, 1000, 800);
    EXPECT_EQ(size.Width, 645);
    EXPECT_EQ(size.Height, 484);
  }
}

TEST(StartUp, RestartKeepsFileAndDebugMode) {
  EXPECT_EQ(RestartArguments(true, ""), (std::vector<std::string>{"debug", ""}));
  EXPECT_EQ(RestartArguments(false, "/x/y.col"), std::vector<std::string>{"/x/y.col"});
  // An empty argument names no file, so the new instance starts in debug mode with no file.
  EXPECT_EQ(Read({"debug", ""}).FileName, "");
}

TEST(StartUp, FilePathAtCloseIsTheFilesFolderOrTheDialogs) {
  EXPECT_EQ(FilePathAtClose("/data/maps/a.col", "/start/"), "/data/maps/");
  EXPECT_EQ(FilePathAtClose("", "/start/"), "/start/");
  EXPECT_EQ(FilePathAtClose("   ", "/start/"), "/start/");
}

using testing::EditorTest;

TEST_F(EditorTest, MainSettingsOkTakesNormalisedValuesAndKeepsTheCamera) {
  Settings chosen;
  chosen.CSphereDetail = 31;
  chosen.askApply = false;
  ui.settingsResults.push_back(chosen);
  ShowMainSettings(editor);
  EXPECT_EQ(ui.settingsShown.front(), Settings{});
  EXPECT_EQ(editor.Settings().CSphereDetail, 30);
  EXPECT_FALSE(editor.Settings().askApply);
  EXPECT_EQ(notices, Notices{SettingsChanged{}});  // the view rebuilds keeping its camera

  Forget();
  ui.settingsResults.push_back(std::nullopt);
  ShowMainSettings(editor);
  EXPECT_EQ(editor.Settings().CSphereDetail, 30);
  EXPECT_TRUE(notices.empty());
}

// Start-up without a window: settings, flags, command line and the first file.
TEST_F(EditorTest, StartUpReadsSettingsAndOpensTheFileOnTheCommandLine) {
  const std::string path = dir.Write("start.col", colgen::EncodeFile({Named("a"), Named("b")}));
  IniFile ini;
  ini.Set("SETTINGS", "CSphereDetail", "21");
  ini.Set("SETTINGS", "FilePath", "/somewhere/");
  const std::filesystem::path settingsPath = dir.Path() / "Vantorel.ini";
  ASSERT_FALSE(ini.Save(settingsPath.string()));

  StartContext context;
  context.Arguments = {"missing.col", path, "debug"};
  context.ProgramPath = dir.Path() / "vantorel";
  context.SettingsPath = settingsPath;
  editor.StartUp(context);
  EXPECT_EQ(editor.Settings().CSphereDetail, 20);
  // The view's shapes are built from the settings just read, before the first coll is shown.
  ASSERT_FALSE(notices.empty());
  EXPECT_EQ(notices.front(), Notice{SettingsChanged{}});
  EXPECT_EQ(ViewRebuild(), CameraAfterEdit::Reset);
  EXPECT_EQ(editor.Caption(), "start.col - Vantorel 1.1 BETA - [debug mode]");
  EXPECT_EQ(editor.CollCount(), 2);
  EXPECT_TRUE(editor.WorkingCopy().IsLoaded());
  EXPECT_EQ(editor.DialogDirectory, dir.Path());
  EXPECT_FALSE(editor.CollChanged());
  EXPECT_FALSE(editor.FileChanged());

  // At the end the open file's folder becomes the start directory of the next run.
  editor.ShutDown();
  const auto written = IniFile::Load(settingsPath.string(), nullptr);
  ASSERT_TRUE(written);
  EXPECT_EQ(written->GetString("SETTINGS", "FilePath", ""), DirectoryOf(path));
  EXPECT_EQ(written->GetInt("SETTINGS", "CSphereDetail", 0), 20);
}

TEST_F(EditorTest, StartUpWithoutAFileUsesTheStoredStartDirectory) {
  IniFile ini;
  ini.Set("SETTINGS", "FilePath", "/somewhere/");
  const std::filesystem::path settingsPath = dir.Path() / "Vantorel.ini";
  ASSERT_FALSE(ini.Save(settingsPath.string()));
  StartContext context;
  context.SettingsPath = settingsPath;
  context.ProgramPath = dir.Path() / "vantorel";
  editor.StartUp(context);
  EXPECT_EQ(editor.Caption(), "Vantorel 1.1 BETA");
  EXPECT_EQ(editor.DialogDirectory, std::filesystem::path("/somewhere/"));
  EXPECT_EQ(editor.CollCount(), 0);
  editor.ShutDown();
  EXPECT_EQ(IniFile::Load(settingsPath.string(), nullptr)->GetString("SETTINGS", "FilePath", ""),
            "/somewhere/");
}

// Paths are UTF-8 on this system: a folder and a file with umlauts open, save, are kept as the
// start directory and are there again at the next start.
TEST_F(EditorTest, NonAsciiPathsOpenSaveAndComeBackAfterARestart) {
  const std::filesystem::path folder =
      dir.Path() / std::filesystem::path(u8"Mods \u00e4\u00f6\u00fc");
  std::filesystem::create_directory(folder);
  const std::filesystem::path file = folder / std::filesystem::path(u8"Mauer \u00e4.col");
  ASSERT_TRUE(colgen::WriteBytes(file.string(), colgen::EncodeFile({Named("a"), Named("b")})));
  const std::filesystem::path settingsPath = folder / "Vantorel.ini";

  StartContext context;
  context.Arguments = {PathToUtf8(file)};
  context.SettingsPath = settingsPath;
  context.ProgramPath = folder / "vantorel";
  editor.StartUp(context);
  EXPECT_EQ(editor.Caption(), "Mauer \xC3\xA4.col - Vantorel 1.1 BETA");
  EXPECT_EQ(editor.CollCount(), 2);
  editor.ChangeWorkingCopy([](Coll& coll, ElementLists&) { coll.Spheres.clear(); });
  editor.ApplyChanges();
  EXPECT_TRUE(editor.SaveFile(false));
  EXPECT_EQ(testing::ReadBytes(file).size(), 92u + 112u);
  editor.ShutDown();

  FakeUi otherUi;
  FakeView otherView;
  Editor restarted(otherUi, otherView);
  StartContext again;
  again.SettingsPath = settingsPath;
  again.ProgramPath = folder / "vantorel";
  restarted.StartUp(again);
  EXPECT_EQ(restarted.DialogDirectory, PathFromUtf8(DirectoryOf(PathToUtf8(file))));
  EXPECT_TRUE(std::filesystem::is_directory(restarted.DialogDirectory));
}

}  // namespace
}  // namespace vantorel
