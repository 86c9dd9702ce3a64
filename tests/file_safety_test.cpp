#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "tests/support/ordinary_user.h"
#include "tests/support/test_files.h"

namespace vantorel {
namespace {

namespace fs = std::filesystem;
using testing::AsOrdinaryUser;
using testing::ReadBytes;
using testing::TempDir;

std::size_t EntryCount(const fs::path& folder) {
  return static_cast<std::size_t>(
      std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(FileSafety, ReadingRefusesWhatIsNoRegularFileWithoutWaiting) {
  TempDir dir;
  const fs::path fifo = dir.Path() / "pipe.col";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  // Held open for writing, so that a reader that opened the pipe anyway would not hang the test.
  const int writer = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
  ASSERT_GE(writer, 0);
  fs::create_symlink(fifo, dir.Path() / "link.col");
  const struct {
    fs::path path;
    std::string reason;
  } cases[] = {
      {fifo, "It is a named pipe (FIFO), not a regular file."},
      {dir.Path() / "link.col", "It is a named pipe (FIFO), not a regular file."},
      {"/dev/null", "It is a character device, not a regular file."},
  };
  for (const auto& c : cases) {
    Bytes bytes{1};
    const auto error = ReadWholeFile(c.path, bytes);
    ASSERT_TRUE(error) << c.path;
    EXPECT_EQ(*error, "Cannot open file \"" + c.path.string() + "\". " + c.reason);
    EXPECT_TRUE(bytes.empty());
  }
  ::close(writer);
}

TEST(FileSafety, DevicesAndPipesAreWrittenIntoAndLinksFollowedNeverReplaced) {
  TempDir dir;
  const Bytes data{1, 2, 3};

  // A device of its own, so that a fault cannot break the system's /dev/null.
  const fs::path device = dir.Path() / "null";
  if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
    EXPECT_FALSE(WriteFileReplacing(device, data));
    EXPECT_TRUE(fs::is_character_file(device));
  } else {
    ADD_FAILURE() << "mknod is not allowed here: the device case did not run";
  }

  const fs::path fifo = dir.Path() / "pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  EXPECT_FALSE(WriteFileReplacing(fifo, data));
  Bytes got(8);
  const ssize_t size = ::read(reader, got.data(), got.size());
  ::close(reader);
  got.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
  EXPECT_EQ(got, data);
  EXPECT_TRUE(fs::is_fifo(fifo));

  // A pipe known only by a link into /proc, as /dev/stdout is in "vantorel-cli ... | cat".
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  EXPECT_FALSE(WriteFileReplacing("/proc/self/fd/" + std::to_string(ends[1]), data));
  ::close(ends[1]);
  Bytes piped(8);
  const ssize_t pipedSize = ::read(ends[0], piped.data(), piped.size());
  ::close(ends[0]);
  piped.resize(pipedSize > 0 ? static_cast<std::size_t>(pipedSize) : 0);
  EXPECT_EQ(piped, data);

  // A dangling link writes the file it names; a loop gives the system's error.
  fs::create_symlink("made.col", dir.Path() / "dangling.col");
  EXPECT_FALSE(WriteFileReplacing(dir.Path() / "dangling.col", data));
  EXPECT_TRUE(fs::is_symlink(dir.Path() / "dangling.col"));
  EXPECT_EQ(ReadBytes(dir.Path() / "made.col"), data);

  fs::create_symlink("b.col", dir.Path() / "a.col");
  fs::create_symlink("a.col", dir.Path() / "b.col");
  const auto loop = WriteFileReplacing(dir.Path() / "a.col", data);
  ASSERT_TRUE(loop);
  EXPECT_NE(loop->find("Too many levels of symbolic links."), std::string::npos) << *loop;
  EXPECT_TRUE(fs::is_symlink(dir.Path() / "a.col"));
  EXPECT_EQ(EntryCount(dir.Path()), 6u);  // nothing left behind
}

TEST(FileSafety, ASaveKeepsModeOwnerAndGroupAndTakesLongNames) {
  TempDir dir;
  const bool root = ::geteuid() == 0;
  const std::string longName = std::string(250, 'n') + ".col";
  for (const auto& [name, mode] : std::vector<std::pair<std::string, mode_t>>{
           {"private.col", 0600}, {"shared.col", 0754}, {longName, 0640}}) {
    const std::string path = dir.Write(name, Bytes{1});
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    // As root the file can belong to someone else, whose file it must stay.
    if (root) {
      ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    }
    struct stat before;
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    ASSERT_FALSE(WriteFileReplacing(path, Bytes{2, 2})) << name.size();
    struct stat after;
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, mode) << name;
    EXPECT_EQ(after.st_uid, before.st_uid) << name;
    EXPECT_EQ(after.st_gid, before.st_gid) << name;
    EXPECT_EQ(ReadBytes(path), (Bytes{2, 2}));
  }
  EXPECT_EQ(EntryCount(dir.Path()), 3u);
}

TEST(FileSafety, AFileTheUserMayNotWriteOrWithHardLinksIsRefusedAndKept) {
  TempDir dir;
  // The folder is open to everybody: only the file's own mode stands in the way.
  fs::permissions(dir.Path(), fs::perms::all);
  const std::string readOnly = dir.Write("read_only.col", Bytes{1, 2, 3});
  fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const std::string error = AsOrdinaryUser([&] {
    const auto failure = WriteFileReplacing(readOnly, Bytes{7});
    return failure ? *failure : std::string("saved");
  });
  EXPECT_EQ(error, "Cannot save file \"" + readOnly + "\". Permission denied.");
  EXPECT_EQ(ReadBytes(readOnly), (Bytes{1, 2, 3}));

  const std::string linked = dir.Write("linked.col", Bytes{4, 5});
  fs::create_hard_link(linked, dir.Path() / "other_name.col");
  const auto refused = WriteFileReplacing(linked, Bytes{7});
  ASSERT_TRUE(refused);
  EXPECT_EQ(*refused, "Cannot save file \"" + linked +
                          "\". It has 2 hard links, which a save would separate. Save it under "
                          "another name, or remove the other links first.");
  EXPECT_EQ(fs::hard_link_count(linked), 2u);
  EXPECT_EQ(ReadBytes(dir.Path() / "other_name.col"), (Bytes{4, 5}));
  EXPECT_EQ(EntryCount(dir.Path()), 3u);
}

TEST(FileSafety, ASaveRefusesAFileThatChangedSinceItWasRead) {
  TempDir dir;
  const std::string path = dir.Write("file.col", Bytes{1, 2});
  Bytes bytes;
  FileStamp read;
  ASSERT_FALSE(ReadWholeFile(path, bytes, &read));
  ASSERT_EQ(CurrentStamp(path), read);
  dir.Write("file.col", Bytes{1, 2, 3});  // another program appends
  ReplaceOptions options;
  options.unchangedSince = &read;
  EXPECT_EQ(WriteFileReplacing(path, Bytes{9}, options), ChangedOnDiskError(path));
  EXPECT_EQ(ReadBytes(path), (Bytes{1, 2, 3}));

  FileStamp written;
  const FileStamp now = *CurrentStamp(path);
  options = {&now, &written};
  ASSERT_FALSE(WriteFileReplacing(path, Bytes{9}, options));
  EXPECT_EQ(CurrentStamp(path), written);
  EXPECT_EQ(ReadBytes(path), (Bytes{9}));
}

}  // namespace
}  // namespace vantorel
