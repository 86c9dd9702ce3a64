#include "edit/script_file.h"

#include <gtest/gtest.h>

#include "tests/support/test_files.h"

namespace vantorel {
namespace {

using testing::ReadBytes;
using testing::TempDir;

TEST(ScriptFile, EveryLineEndsWithCrLf) {
  EXPECT_EQ(ScriptFileBytes("a\r\nb"), "a\r\nb\r\n");
  EXPECT_EQ(ScriptFileBytes("a\nb\rc"), "a\r\nb\r\nc\r\n");
  EXPECT_EQ(ScriptFileBytes("a\r\n"), "a\r\n");
  EXPECT_EQ(ScriptFileBytes("a\n\n"), "a\r\n\r\n");
  EXPECT_EQ(ScriptFileBytes("\n"), "\r\n");
  EXPECT_EQ(ScriptFileBytes(""), "");
  EXPECT_EQ(ScriptFileBytes("\xE4\x80"), "\xE4\x80\r\n");  // bytes pass as they are
}

TEST(ScriptFile, WritesTheBytesAndReplacesAnOldFile) {
  TempDir dir;
  const std::string path = (dir.Path() / "out.cst").string();
  ASSERT_FALSE(WriteScriptFile(path, "old text that is longer"));
  ASSERT_FALSE(WriteScriptFile(path, "# x\r\n=> Face count: 0"));
  const Bytes bytes = ReadBytes(path);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "# x\r\n=> Face count: 0\r\n");
}

TEST(ScriptFile, AFailedWriteReportsTheReason) {
  TempDir dir;
  const auto error = WriteScriptFile((dir.Path() / "missing" / "out.cst").string(), "x");
  ASSERT_TRUE(error);
  EXPECT_NE(error->find("out.cst"), std::string::npos);
  EXPECT_NE(error->find("No such file or directory"), std::string::npos);
  const auto directory = WriteScriptFile(dir.Path().string(), "x");
  ASSERT_TRUE(directory);
  EXPECT_NE(directory->find("directory"), std::string::npos);
}

}  // namespace
}  // namespace vantorel
