// What the batch tool writes, and over what: outputs that would replace FILE or another file,
// devices and pipes, files it may not write, files changed or locked by others.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <sstream>
#include <thread>

#include "cli/batch_editor.h"
#include "core/coll_codec.h"
#include "edit/script_file.h"
#include "tests/support/cli_run.h"
#include "tests/support/ordinary_user.h"
#include "tests/support/test_files.h"
#include "tools/colgen/coll_builder.h"

namespace vantorel {
namespace {

namespace fs = std::filesystem;
using colgen::CollBuilder;
using testing::CliRun;
using testing::ReadBytes;
using testing::RunCli;

constexpr const char* kNothingWritten = "Nothing was written.\n";

Coll Ball(const std::string& name) {
  CollBuilder ball(name);
  ball.Sphere({0, 0, 0}, 1, colgen::MakeSurface(1));
  // A vertex no face uses, for clean to delete.
  ball.Vertex({5, 5, 5});
  return ball.Build();
}

class CliFileSafetyTest : public ::testing::Test {
 protected:
  CliFileSafetyTest() {
    path = dir.Write("city.col", colgen::EncodeFile({Ball("ball_a"), Ball("ball_b")}));
    original = ReadBytes(path);
  }

  std::vector<std::string> Names(const std::string& file) {
    const CliRun run = RunCli({"list", file});
    EXPECT_EQ(run.status, 0) << run.err;
    std::vector<std::string> names;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);)
      names.push_back(line);
    return names;
  }

  testing::TempDir dir;
  std::string path;
  Bytes original;
};

TEST_F(CliFileSafetyTest, AnOutputIsNeverFileItselfAndReplacesAFileOnlyWithOverwrite) {
  const std::string other = dir.Write("other.col", Bytes{1, 2, 3});
  fs::create_symlink(path, dir.Path() / "link.col");
  fs::create_hard_link(path, dir.Path() / "hard.col");
  const std::string link = (dir.Path() / "link.col").string();
  const std::string hard = (dir.Path() / "hard.col").string();
  const std::string spelled = (dir.Path() / "." / "city.col").string();
  const auto itself = [&](const std::string& out) {
    return out + " is the file " + path + " itself: give -o another file\n";
  };
  const std::string exists = other + " exists: give --overwrite to replace it\n";
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"script", path, "#1", "-o", path}, itself(path)},
      {{"script", path, "#1", "-o", link, "--overwrite"}, itself(link)},
      {{"lod", path, "#1", "-o", hard, "--overwrite"}, itself(hard)},
      {{"clean", path, "--all", "-o", spelled}, itself(spelled)},
      {{"script", path, "#1", "-o", other}, exists},
      {{"copy", path, "#1", "ball_c", "-o", other}, exists},
  };
  for (const auto& c : cases) {
    const CliRun run = RunCli(c.args);
    EXPECT_EQ(run.status, 1) << c.args[4];
    EXPECT_EQ(run.err, c.err + kNothingWritten);
    EXPECT_EQ(ReadBytes(path), original);
    EXPECT_EQ(ReadBytes(other), (Bytes{1, 2, 3}));
  }
  // Export keeps its own rule for an existing target, and never writes into FILE either.
  EXPECT_EQ(RunCli({"export", path, "#1", hard, "--overwrite"}).status, 1);
  EXPECT_EQ(ReadBytes(path), original);

  const CliRun script = RunCli({"script", path, "#1", "-o", other, "--overwrite"});
  EXPECT_EQ(script.status, 0) << script.err;
  EXPECT_EQ(ReadBytes(other).front(), '#');
  const CliRun lod = RunCli({"lod", path, "#1", "-o", other, "--overwrite"});
  EXPECT_EQ(lod.status, 0) << lod.err;
  EXPECT_EQ(Names(other), (std::vector<std::string>{"ball_a", "ball_b", "LODl_a [-]"}));
  EXPECT_EQ(RunCli({"lod", path, "#1", "--overwrite"}).status, 2);
}

TEST_F(CliFileSafetyTest, DevicesAndPipesAreWrittenIntoAndNeverReadFrom) {
  const fs::path fifo = dir.Path() / "pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  const CliRun run = RunCli({"script", path, "#1", "-o", fifo.string()});
  EXPECT_EQ(run.status, 0) << run.err;
  std::string got(4096, '\0');
  const ssize_t size = ::read(reader, got.data(), got.size());
  got.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
  EXPECT_EQ(got.rfind("# ", 0), 0u) << got;
  EXPECT_TRUE(fs::is_fifo(fifo));

  // A device of its own, so that a fault cannot break the system's /dev/null.
  const fs::path device = dir.Path() / "null";
  if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
    EXPECT_EQ(RunCli({"lod", path, "#1", "-o", device.string()}).status, 0);
    EXPECT_TRUE(fs::is_character_file(device));
  } else {
    ADD_FAILURE() << "mknod is not allowed here: the device case did not run";
  }

  // Read as FILE, the pipe (which has a writer: this end) is refused at once.
  for (const char* command : {"list", "rename"}) {
    std::vector<std::string> args{command, fifo.string()};
    if (std::string(command) == "rename") args.insert(args.end(), {"#1", "ball_c"});
    const CliRun read = RunCli(args);
    EXPECT_EQ(read.status, 1);
    EXPECT_EQ(read.err.rfind("Cannot open file \"" + fifo.string() +
                                 "\". It is a named pipe (FIFO), not a regular file.\n",
                             0),
              0u)
        << read.err;
  }
  ::close(reader);
}

// A command that fails says why, and never first what it did to the colls it went through.
TEST_F(CliFileSafetyTest, AFailedSavePrintsNoSuccessMessagesAndKeepsTheFile) {
  fs::permissions(dir.Path(), fs::perms::all);  // the ordinary user may write the folder
  const std::string readOnly = dir.Write("read_only.col", original);
  fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const std::string asUser = testing::AsOrdinaryUser([&] {
    const CliRun run = RunCli({"clean", readOnly, "--all"});
    return std::to_string(run.status) + " " + run.err;
  });
  EXPECT_EQ(asUser,
            "1 Cannot save file \"" + readOnly + "\". Permission denied.\n" + kNothingWritten);
  EXPECT_EQ(ReadBytes(readOnly), original);

  fs::create_hard_link(path, dir.Path() / "second_name.col");
  const CliRun linked = RunCli({"clean", path, "--all"});
  EXPECT_EQ(linked.status, 1);
  EXPECT_EQ(linked.err, "Cannot save file \"" + path +
                            "\". It has 2 hard links, which a save would separate. Save it "
                            "under another name, or remove the other links first.\n" +
                            kNothingWritten);
  EXPECT_EQ(ReadBytes(dir.Path() / "second_name.col"), original);
  // Written elsewhere, it goes through and says what it did.
  const CliRun elsewhere =
      RunCli({"clean", path, "--all", "-o", (dir.Path() / "clean.col").string()});
  EXPECT_EQ(elsewhere.err, "#1 ball_a: 1 vertices deleted.\n#2 ball_b: 1 vertices deleted.\n");
}

TEST_F(CliFileSafetyTest, ASaveRefusesAFileAnotherProgramChangedMeanwhile) {
  std::ostringstream err;
  cli::BatchEditor session(cli::Environment{'.', "08.12.2026 10:00:00"}, err);
  ASSERT_TRUE(session.Open(path));
  ASSERT_TRUE(session.Select(0));
  session.Ui().AnswerNewName("ball_c");
  ASSERT_TRUE(session.RunRow("Copy1"));
  // Another program, which takes no lock, appends a coll.
  const Bytes changed = colgen::EncodeFile({Ball("ball_a"), Ball("ball_b"), Ball("ball_d")});
  dir.Write("city.col", changed);
  EXPECT_FALSE(session.Save(std::nullopt));
  EXPECT_NE(err.str().find(path + " was changed on disk since it was read; it was not overwritten"),
            std::string::npos)
      << err.str();
  EXPECT_EQ(ReadBytes(path), changed);
}

// Two commands on one file at once: the second waits for the first, then works on its result.
TEST_F(CliFileSafetyTest, CommandsOnOneFileRunOneAfterTheOther) {
  // This test holds the lock as a running command would, and saves a new file under the name.
  const int held = ::open(path.c_str(), O_RDONLY);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  std::vector<pid_t> children;
  for (const char* name : {"copy_one", "copy_two"}) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(held);  // the lock is this process's, not the command's
      ::_exit(RunCli({"copy", path, "#1", name}).status);
    }
    children.push_back(child);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  for (const pid_t child : children)
    EXPECT_EQ(::waitpid(child, nullptr, WNOHANG), 0) << "a command did not wait for the lock";
  const std::string saved =
      dir.Write("saved.col", colgen::EncodeFile({Ball("ball_a"), Ball("new")}));
  fs::rename(saved, path);
  ::close(held);
  for (const pid_t child : children) {
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }
  std::vector<std::string> names = Names(path);
  ASSERT_EQ(names.size(), 4u);
  EXPECT_EQ(names[0], "ball_a");
  EXPECT_EQ(names[1], "new");
  std::sort(names.begin() + 2, names.end());
  EXPECT_EQ(names[2], "copy_one");
  EXPECT_EQ(names[3], "copy_two");
}

}  // namespace
}  // namespace vantorel
