#include "app/settings_location.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "tests/support/ordinary_user.h"
#include "tests/support/test_files.h"

namespace vantorel {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

TEST(SettingsLocation, WritableProgramFolderKeepsTheFileBesideTheProgram) {
  TempDir dir;
  const std::string program = dir.Path().string();
  const std::string user = (dir.Path() / "user").string();
  EXPECT_EQ(SettingsFilePath(program, user), program + "/Vantorel.ini");
  EXPECT_EQ(SettingsFilePath(program + "/", user), program + "/Vantorel.ini");
  EXPECT_FALSE(fs::exists(user));
}

TEST(SettingsLocation, ProgramFolderThatIsNoFolderFallsBackToTheUserFolder) {
  TempDir dir;
  const std::string user = (dir.Path() / "config" / "vantorel").string();
  EXPECT_EQ(SettingsFilePath((dir.Path() / "missing").string(), user), user + "/Vantorel.ini");
  EXPECT_TRUE(fs::is_directory(user));

  const std::string file = dir.Write("program", {});
  EXPECT_EQ(SettingsFilePath(file, user), user + "/Vantorel.ini");
  EXPECT_EQ(SettingsFilePath("", user), user + "/Vantorel.ini");
}

TEST(SettingsLocation, ReadOnlyProgramFolderFallsBackToTheUserFolder) {
  TempDir dir;
  fs::permissions(dir.Path(), fs::perms::all);
  const fs::path program = dir.Path() / "program";
  fs::create_directory(program);
  fs::permissions(program, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                               fs::perms::others_exec);
  const std::string user = (dir.Path() / "user").string();
  EXPECT_EQ(testing::AsOrdinaryUser([&] { return SettingsFilePath(program.string(), user); }),
            user + "/Vantorel.ini");
}

}  // namespace
}  // namespace vantorel
