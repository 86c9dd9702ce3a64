#include "app/start_up.h"

#include <gtest/gtest.h>

#include <set>

#include "app/main_settings_command.h"
#include "tests/support/editor_fixture.h"

namespace vantorel {
namespace {

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
  int preset = 0;
  EXPECT_EQ(WindowSizeForPreset(preset, 1920, 1080).Width, 645);
  preset = 1;
  EXPECT_EQ(WindowSizeForPreset(preset, 1920, 1080).Height, 644);
  preset = 2;  // 50 % of 1365 is 682.5: the half goes to the even neighbour
  const WindowSize half = WindowSizeForPreset(preset, 1365, 767);
  EXPECT_EQ(half.Width, 682);
  EXPECT_EQ(half.Height, 384);
  preset = 4;
  EXPECT_EQ(WindowSizeForPreset(preset, 1000, 800).Width, 900);
  preset = 5;
  EXPECT_EQ(WindowSizeForPreset(preset, 1000, 800).Height, 800);
  for (int bad : {7, -1, 6}) {
    preset = bad;
    const WindowSize size = WindowSizeForPreset(preset, 1000, 800);
    EXPECT_EQ(size.Width, 645);
    EXPECT_EQ(size.Height, 484);
    EXPECT_EQ(preset, 0);
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
  MainSettingsValues chosen;
  chosen.CSphereDetail = 31;
  chosen.askApply = false;
  ui.settingsResults.push_back(chosen);
  ShowMainSettings(editor);
  EXPECT_EQ(ui.settingsShown.front(), MainSettingsFrom(Settings{}));
  EXPECT_EQ(editor.Settings.CSphereDetail, 30);
  EXPECT_FALSE(editor.Settings.askApply);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"static", "rebuild keeping camera"}));

  view.calls.clear();
  ui.settingsResults.push_back(std::nullopt);
  ShowMainSettings(editor);
  EXPECT_EQ(editor.Settings.CSphereDetail, 30);
  EXPECT_TRUE(view.calls.empty());
}

}  // namespace
}  // namespace vantorel
