#include "doc/settings_location.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/utf8_path.h"
#include "doc/editor.h"
#include "tests/support/editor_fixture.h"
#include "tests/support/test_files.h"

namespace vantorel {
namespace {

namespace fs = std::filesystem;
using testing::EditorTest;
using testing::TempDir;

TEST(SettingsLocation, UserConfigDirectoryFollowsTheXdgRules) {
  struct Case {
    const char* xdg;
    const char* home;
    const char* expected;
  };
  const Case cases[] = {
      {"/etc/xdg conf", "/home/a", "/etc/xdg conf"},
      {"/home/\xC3\xA4/cfg", "/home/a", "/home/\xC3\xA4/cfg"},
      {nullptr, "/home/a b", "/home/a b/.config"},
      {"", "/home/a", "/home/a/.config"},
      {"relative/cfg", "/home/a", "/home/a/.config"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UserConfigDirectory(c.xdg, c.home), fs::path(c.expected))
        << (c.xdg ? c.xdg : "(unset)");
  }
}

TEST(SettingsLocation, TheFileGoesIntoTheUserFolderUnlessAPortableCopyIsBesideTheProgram) {
  TempDir dir;
  const fs::path program = dir.Path() / PathFromUtf8("Program Files \xC3\xBC");
  const fs::path user = dir.Path() / PathFromUtf8("my config \xC3\xA9");
  fs::create_directory(program);

  // A writable program folder alone makes no portable copy: an installed copy run as root
  // must not write into bin/.
  const fs::path inUser = user / "Vantorel" / "Vantorel.ini";
  EXPECT_EQ(SettingsFilePath(program, user), inUser);
  EXPECT_FALSE(fs::exists(user));
  EXPECT_FALSE(fs::exists(program / "Vantorel.ini"));

  std::ofstream(program / "Vantorel.ini").put('x');
  EXPECT_EQ(SettingsFilePath(program, user), program / "Vantorel.ini");
  // A folder of that name is no settings file.
  const fs::path other = dir.Path() / "other";
  fs::create_directories(other / "Vantorel.ini");
  EXPECT_EQ(SettingsFilePath(other, user), inUser);
}

// $XDG_CONFIG_HOME naming a file: the folder cannot be made, not even by root. The close then
// tells why once, writes nothing and goes on.
TEST_F(EditorTest, SettingsThatCannotBeWrittenAtCloseAreReportedOnce) {
  const std::string blocker = dir.Write("not a folder \xC3\xB6", {'x'});
  const fs::path settings =
      SettingsFilePath(dir.Path() / "bin", UserConfigDirectory(blocker.c_str(), "/nowhere"));
  EXPECT_EQ(settings, PathFromUtf8(blocker) / "Vantorel" / "Vantorel.ini");

  StartContext context;
  context.ProgramPath = dir.Path() / "bin" / "vantorel";
  context.SettingsPath = settings;
  editor.StartUp(context);
  EXPECT_TRUE(ui.log.empty()) << ui.log.front();
  editor.ShutDown();
  ASSERT_EQ(ui.log.size(), 1u);
  EXPECT_EQ(ui.log[0].rfind("error ", 0), 0u) << ui.log[0];
  EXPECT_NE(ui.log[0].find("Vantorel.ini"), std::string::npos) << ui.log[0];
  EXPECT_EQ(testing::ReadBytes(PathFromUtf8(blocker)), Bytes{'x'});
}

}  // namespace
}  // namespace vantorel
