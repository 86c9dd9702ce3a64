#include "core/file_io.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "tests/support/ordinary_user.h"
#include "tests/support/test_files.h"

namespace vantorel {
namespace {

using testing::ReadBytes;
using testing::TempDir;

TEST(FileIo, ReadsWholeFiles) {
  TempDir dir;
  const Bytes data{1, 2, 3, 4, 5};
  Bytes read;
  EXPECT_FALSE(ReadWholeFile(dir.Write("five.col", data), read));
  EXPECT_EQ(read, data);
  EXPECT_FALSE(ReadWholeFile(dir.Write("empty.col", {}), read));
  EXPECT_TRUE(read.empty());
}

TEST(FileIo, ReadFailuresNameTheFileAndTheReason) {
  TempDir dir;
  Bytes read{9};
  const auto missing = ReadWholeFile((dir.Path() / "missing.col").string(), read);
  ASSERT_TRUE(missing);
  EXPECT_NE(missing->find("missing.col"), std::string::npos);
  EXPECT_NE(missing->find("No such file"), std::string::npos);
  EXPECT_TRUE(read.empty());
  EXPECT_TRUE(ReadWholeFile(dir.Path().string(), read));
}

TEST(FileIo, ReplacesFilesWholeAndLeavesNoTemporaryBehind) {
  TempDir dir;
  const std::string path = dir.Write("file.col", Bytes{1, 2, 3});
  EXPECT_FALSE(WriteFileReplacing(path, Bytes{7, 8}));
  EXPECT_EQ(ReadBytes(path), (Bytes{7, 8}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(FileIo, FailedWriteKeepsTheOldFileAndSaysWhy) {
  TempDir dir;
  const std::string path = dir.Write("file.col", Bytes{1, 2, 3});
  // The file may be written, its folder not.
  std::filesystem::permissions(path, std::filesystem::perms::all);
  std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_read |
                                               std::filesystem::perms::owner_exec |
                                               std::filesystem::perms::others_exec);
  const std::string error = testing::AsOrdinaryUser([&] {
    const auto failure = WriteFileReplacing(path, Bytes{7, 8});
    return failure ? *failure : std::string("saved");
  });
  EXPECT_NE(error.find("file.col"), std::string::npos);
  EXPECT_NE(error.find("Permission denied"), std::string::npos);
  EXPECT_EQ(ReadBytes(path), (Bytes{1, 2, 3}));
}

TEST(FileIo, WritingOverADirectoryFails) {
  TempDir dir;
  std::filesystem::create_directory(dir.Path() / "folder.col");
  const auto error = WriteFileReplacing((dir.Path() / "folder.col").string(), Bytes{1});
  ASSERT_TRUE(error);
  EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "folder.col"));
}

TEST(FileIo, SavingThroughASymlinkReplacesItsTarget) {
  TempDir dir;
  const std::string target = dir.Write("real.col", Bytes{1});
  std::filesystem::create_symlink(target, dir.Path() / "link.col");
  EXPECT_FALSE(WriteFileReplacing((dir.Path() / "link.col").string(), Bytes{2, 2}));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.Path() / "link.col"));
  EXPECT_EQ(ReadBytes(target), (Bytes{2, 2}));
}

}  // namespace
}  // namespace vantorel

namespace vantorel {
namespace {

TEST(FileIo, WritingIntoAMissingFolderFailsWithTheReason) {
  testing::TempDir dir;
  const auto path = (dir.Path() / "gone" / "file.col").string();
  const auto error = WriteFileReplacing(path, Bytes{1});
  ASSERT_TRUE(error);
  EXPECT_NE(error->find(path), std::string::npos);
  EXPECT_NE(error->find("No such file or directory"), std::string::npos);
}

}  // namespace
}  // namespace vantorel
