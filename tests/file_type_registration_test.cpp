#include "app/file_type_registration.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/test_files.h"

namespace vantorel {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

std::string ReadText(const fs::path& path) {
  const Bytes bytes = testing::ReadBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++count;
  return count;
}

// Sets an environment variable for the life of the object and puts the old value back after.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    Assign(value);
  }
  ~ScopedVariable() { Assign(old_); }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  void Assign(const std::optional<std::string>& value) {
    if (value) {
      setenv(name_, value->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  const char* name_;
  std::optional<std::string> old_;
};

// Runs a program found on PATH with exactly the given environment and returns what it printed,
// or nullopt when it could not be started.
std::optional<std::string> Capture(std::vector<std::string> arguments,
                                   std::vector<std::string> environment) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return std::nullopt;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  for (std::string& argument : arguments)
    argv.push_back(argument.data());
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (std::string& variable : environment)
    envp.push_back(variable.data());
  envp.push_back(nullptr);
  pid_t child = 0;
  const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[1]);
  std::string output;
  char buffer[256];
  for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
    output.append(buffer, static_cast<std::size_t>(got));
  }
  close(pipeEnds[0]);
  if (spawned != 0) return std::nullopt;
  int status = 0;
  waitpid(child, &status, 0);
  return output;
}

// A home of its own for each test, so the registration never touches the real desktop.
class FileTypeRegistration : public ::testing::Test {
 protected:
  fs::path Home() const { return dir_.Path() / "home"; }
  fs::path DataHome() const { return dir_.Path() / "data"; }
  fs::path ConfigHome() const { return dir_.Path() / "config"; }
  fs::path MimePackage() const { return DataHome() / "mime" / "packages" / "vantorel-col.xml"; }
  fs::path DesktopFile() const { return DataHome() / "applications" / "vantorel.desktop"; }
  fs::path MimeApps() const { return ConfigHome() / "mimeapps.list"; }

  // An executable standing in for the program, since desktop tools check that Exec exists.
  std::string Program(const std::string& folder) const {
    const fs::path program = dir_.Path() / folder / "vantorel";
    fs::create_directories(program.parent_path());
    WriteText(program, "#!/bin/sh\n");
    fs::permissions(program, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    return program.string();
  }

  TempDir dir_;
  ScopedVariable home_{"HOME", Home().string()};
  ScopedVariable data_{"XDG_DATA_HOME", DataHome().string()};
  ScopedVariable config_{"XDG_CONFIG_HOME", ConfigHome().string()};
};

TEST_F(FileTypeRegistration, WritesTypeEntryAndDefault) {
  const std::string program = Program("bin");
  ASSERT_EQ(RegisterFileType(program), std::nullopt);

  const std::string package = ReadText(MimePackage());
  EXPECT_EQ(package, CollisionMimePackage());
  EXPECT_TRUE(Contains(package, "<mime-type type=\"application/x-gta3-collision\">"));
  EXPECT_TRUE(Contains(package, "<comment>GTA3 Collision File</comment>"));
  EXPECT_TRUE(Contains(package, "<glob pattern=\"*.col\"/>"));

  const std::string entry = ReadText(DesktopFile());
  EXPECT_TRUE(entry.starts_with("[Desktop Entry]\n"));
  EXPECT_TRUE(Contains(entry, "\nExec=" + program + " %f\n"));
  EXPECT_TRUE(Contains(entry, "\nMimeType=application/x-gta3-collision;\n"));
  EXPECT_TRUE(Contains(entry, "\nType=Application\n"));

  EXPECT_EQ(ReadText(MimeApps()),
            "[Default Applications]\n"
            "application/x-gta3-collision=vantorel.desktop\n"
            "\n"
            "[Added Associations]\n"
            "application/x-gta3-collision=vantorel.desktop;\n");
}

TEST_F(FileTypeRegistration, KeepsTheOtherAssociationsOfAnExistingList) {
  fs::create_directories(ConfigHome());
  WriteText(MimeApps(),
            "# chosen by hand\n"
            "[Added Associations]\n"
            "text/plain=vim.desktop;\n"
            "\n"
            "[Default Applications]\n"
            "image/png=display-im6.q16.desktop\n"
            "\n"
            "[Removed Associations]\n"
            "application/x-gta3-collision=vantorel.desktop;other.desktop;\n");
  ASSERT_EQ(RegisterFileType(Program("bin")), std::nullopt);
  EXPECT_EQ(ReadText(MimeApps()),
            "# chosen by hand\n"
            "[Added Associations]\n"
            "text/plain=vim.desktop;\n"
            "application/x-gta3-collision=vantorel.desktop;\n"
            "\n"
            "[Default Applications]\n"
            "image/png=display-im6.q16.desktop\n"
            "application/x-gta3-collision=vantorel.desktop\n"
            "\n"
            "[Removed Associations]\n"
            "application/x-gta3-collision=other.desktop;\n");
}

TEST_F(FileTypeRegistration, RunningTwiceChangesNothing) {
  const std::string program = Program("bin");
  ASSERT_EQ(RegisterFileType(program), std::nullopt);
  const std::string list = ReadText(MimeApps());
  const std::string entry = ReadText(DesktopFile());
  ASSERT_EQ(RegisterFileType(program), std::nullopt);
  EXPECT_EQ(ReadText(MimeApps()), list);
  EXPECT_EQ(ReadText(DesktopFile()), entry);
  EXPECT_EQ(Count(list, "application/x-gta3-collision="), 2u);
}

TEST_F(FileTypeRegistration, PathWithABlankIsQuotedInExec) {
  const std::string program = Program("My Programs");
  ASSERT_EQ(RegisterFileType(program), std::nullopt);
  EXPECT_TRUE(Contains(ReadText(DesktopFile()), "\nExec=\"" + program + "\" %f\n"));
}

TEST_F(FileTypeRegistration, DataHomeThatIsAFileStopsBeforeTheDefaultIsSet) {
  WriteText(DataHome(), "not a folder");
  fs::create_directories(ConfigHome());
  WriteText(MimeApps(), "[Default Applications]\ntext/plain=vim.desktop\n");

  const auto error = RegisterFileType(Program("bin"));
  ASSERT_TRUE(error);
  EXPECT_TRUE(Contains(*error, (DataHome() / "mime" / "packages").string())) << *error;
  EXPECT_TRUE(Contains(*error, "Cannot create")) << *error;
  EXPECT_EQ(ReadText(MimeApps()), "[Default Applications]\ntext/plain=vim.desktop\n");
}

TEST_F(FileTypeRegistration, UnreadableListIsNotOverwritten) {
  fs::create_directories(MimeApps());
  const auto error = RegisterFileType(Program("bin"));
  ASSERT_TRUE(error);
  EXPECT_TRUE(Contains(*error, "mimeapps.list")) << *error;
  EXPECT_TRUE(fs::is_directory(MimeApps()));
  // The steps before it were done and stay.
  EXPECT_TRUE(fs::exists(DesktopFile()));
}

TEST_F(FileTypeRegistration, RelativeBaseFoldersAreIgnoredForTheHome) {
  ScopedVariable relativeData("XDG_DATA_HOME", "relative/data");
  ScopedVariable noConfig("XDG_CONFIG_HOME", std::nullopt);
  ASSERT_EQ(RegisterFileType(Program("bin")), std::nullopt);
  EXPECT_TRUE(fs::exists(Home() / ".local/share/applications/vantorel.desktop"));
  EXPECT_TRUE(fs::exists(Home() / ".config/mimeapps.list"));
}

TEST_F(FileTypeRegistration, NoHomeAtAllIsReported) {
  ScopedVariable noHome("HOME", std::nullopt);
  ScopedVariable noData("XDG_DATA_HOME", std::nullopt);
  const auto error = RegisterFileType(Program("bin"));
  ASSERT_TRUE(error);
  EXPECT_TRUE(Contains(*error, "HOME")) << *error;
  EXPECT_TRUE(Contains(RegisterFileType("").value_or(""), "path")) << "an empty path is refused";
}

TEST_F(FileTypeRegistration, XdgMimeReportsVantorelAsTheDefault) {
  ASSERT_EQ(RegisterFileType(Program("bin")), std::nullopt);
  const auto output = Capture(
      {"xdg-mime", "query", "default", "application/x-gta3-collision"},
      {"HOME=" + Home().string(), "XDG_DATA_HOME=" + DataHome().string(),
       "XDG_CONFIG_HOME=" + ConfigHome().string(), "PATH=" + std::string(std::getenv("PATH"))});
  if (!output) GTEST_SKIP() << "xdg-mime is not on PATH, so there is no one to ask";
  EXPECT_EQ(*output, "vantorel.desktop\n");
}

TEST(DesktopExec, PlainPathsStayBareOthersAreQuotedAndEscaped) {
  EXPECT_EQ(DesktopExecArgument("/usr/bin/vantorel"), "/usr/bin/vantorel");
  EXPECT_EQ(DesktopExecArgument("/opt/a b/vantorel"), "\"/opt/a b/vantorel\"");
  // Quoting escapes $ and \ with a backslash; the string escapes then double every backslash.
  EXPECT_EQ(DesktopExecArgument("/opt/$HOME\\x/vantorel"), "\"/opt/\\\\$HOME\\\\\\\\x/vantorel\"");
  EXPECT_EQ(DesktopExecArgument("/opt/say \"hi\"/`v`"), "\"/opt/say \\\\\"hi\\\\\"/\\\\`v\\\\`\"");
  EXPECT_EQ(DesktopExecArgument("/opt/100%/vantorel"), "/opt/100%%/vantorel");
  EXPECT_EQ(DesktopExecArgument("/opt/line\nbreak"), "\"/opt/line\\nbreak\"");
  EXPECT_EQ(DesktopExecArgument(""), "\"\"");
}

TEST(MimeAppsEdit, ReplacesAnOlderDefaultAndPutsItselfFirstInAddedAssociations) {
  const std::string edited = SetDefaultApplication(
      "[Default Applications]\r\n"
      "a/b = old.desktop;\r\n"
      "a/b=older.desktop\r\n"
      "[Added Associations]\n"
      "a/b=old.desktop;x.desktop;\n",
      "a/b", "x.desktop");
  EXPECT_EQ(edited,
            "[Default Applications]\r\n"
            "a/b=x.desktop\r\n"
            "[Added Associations]\n"
            "a/b=x.desktop;old.desktop;\n");
}

TEST(MimeAppsEdit, OtherTypesAndPrefixesOfTheTypeAreLeftAlone) {
  const std::string list =
      "[Default Applications]\n"
      "a/b-extra=other.desktop\n"
      "#a/b=commented.desktop\n"
      "a/bb=other.desktop\n";
  const std::string edited = SetDefaultApplication(list, "a/b", "x.desktop");
  EXPECT_TRUE(edited.starts_with(list)) << edited;
  EXPECT_TRUE(Contains(edited, "\na/b=x.desktop\n")) << edited;
}

TEST(MimeAppsEdit, HostileListsStillEndWithTheAssociation) {
  const std::vector<std::string> lists{
      "[Default Applications",   "[Default Applications]\na/b",
      "a/b=before.any.group\n",  std::string("\0\0[\0]\n=\n;;;\n", 12),
      std::string(1 << 20, '['), "[Added Associations]\na/b=;;;;\n",
  };
  for (const std::string& list : lists) {
    const std::string edited = SetDefaultApplication(list, "a/b", "x.desktop");
    EXPECT_TRUE(Contains(edited, "a/b=x.desktop\n")) << list.substr(0, 40);
    EXPECT_TRUE(Contains(edited, "a/b=x.desktop;\n")) << list.substr(0, 40);
    EXPECT_EQ(SetDefaultApplication(edited, "a/b", "x.desktop"), edited) << list.substr(0, 40);
  }
}

}  // namespace
}  // namespace vantorel
