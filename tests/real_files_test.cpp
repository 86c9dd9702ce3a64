// Checks against the two real game files kept beside the project (not part of it). Every test
// here skips, saying so, when they are not there.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>

#include "cli/cli_commands.h"
#include "cli/game_check.h"
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

TEST_P(RealFiles, TheGamesOwnFilesCheckWithoutErrors) {
  CollDirectoryEntries directory;
  ScanFile(image_, directory);
  for (const cli::Game game : {cli::Game::GtaIII, cli::Game::ViceCity}) {
    cli::GameCheckOptions options;
    options.game = game;
    const cli::GameCheckResult result = cli::CheckCollFile(path_, image_, options);
    EXPECT_EQ(result.colls, directory.size());
    EXPECT_EQ(result.errors, 0u) << cli::FindingLine(result.findings.at(0));
    for (const cli::GameCheckFinding& finding : result.findings) {
      EXPECT_EQ(finding.severity, cli::FindingSeverity::Warning) << cli::FindingLine(finding);
      ASSERT_LT(finding.coll - 1, directory.size());
      EXPECT_EQ(finding.name, directory[finding.coll - 1].Name);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(GameFiles, RealFiles, ::testing::Values("generic.col", "vehicles_vc.col"));

}  // namespace
}  // namespace vantorel
