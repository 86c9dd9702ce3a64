// Checks against the two real game files kept beside the project (not part of it). Every test
// here skips, saying so, when they are not there.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>

#include "cli/cli_commands.h"
#include "core/coll_codec.h"
#include "core/file_io.h"
#include "tests/support/test_files.h"

namespace vantorel {
namespace {

class RealFiles : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    path_ = testing::RealFile(GetParam()).string();
    if (!std::filesystem::exists(path_)) GTEST_SKIP() << "real game file not present: " << path_;
    ASSERT_FALSE(ReadWholeFile(path_, image_));
  }
  std::string path_;
  Bytes image_;
};

TEST_P(RealFiles, EveryCollRoundTripsExceptIdAndUnusedCount) {
  CollDirectoryEntries directory;
  ASSERT_EQ(ScanFile(image_, directory), ScanEnd::EndOfData);
  ASSERT_FALSE(directory.empty());
  const Bytes original = image_;
  for (std::size_t i = 0; i < directory.size(); ++i) {
    CollDirectoryEntries scratchDirectory = directory;
    Bytes scratch = original;
    Coll coll;
    ASSERT_EQ(ReadColl(scratch, scratchDirectory[i], coll), ReadResult::Ok) << i;
    ASSERT_TRUE(WriteColl(scratch, scratchDirectory, i, coll));
    ASSERT_EQ(scratch.size(), original.size()) << i;

    const auto offset = static_cast<std::size_t>(directory[i].Offset);
    Bytes expected = original;
    std::memcpy(expected.data() + offset + 28, "QKZV", 4);
    const std::size_t unusedAt = offset + 76 + 20 * coll.Spheres.size();
    std::memset(expected.data() + unusedAt, 0, 4);
    ASSERT_TRUE(scratch == expected) << "coll " << i << " " << directory[i].Name;
  }
}

TEST_P(RealFiles, CliListsEveryColl) {
  std::ostringstream out;
  std::ostringstream err;
  ASSERT_EQ(cli::Run({"list", path_}, {}, out, err), 0);
  CollDirectoryEntries directory;
  ScanFile(image_, directory);
  const std::string text = out.str();
  EXPECT_EQ(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')), directory.size());
  EXPECT_EQ(err.str(), "");
}

INSTANTIATE_TEST_SUITE_P(GameFiles, RealFiles, ::testing::Values("generic.col", "vehicles_vc.col"));

}  // namespace
}  // namespace vantorel
