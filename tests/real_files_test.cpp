// Checks against the two real game files kept beside the project (not part of it). Every test
// here skips, saying so, when they are not there.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>

#include "cli/cli_commands.h"
#include "cli/game_check.h"
#include "core/coll_codec.h"
#include "core/coll_file.h"
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
  CollFile file;
  ASSERT_EQ(file.Load(image_), ScanEnd::EndOfData);
  ASSERT_FALSE(file.Empty());
  file.SetRecording(true);
  for (std::size_t i = 0; i < file.Count(); ++i) {
    const CollDirectoryEntry entry = file.Entry(i);
    Coll coll;
    ASSERT_EQ(ReadColl(file.Image(), entry, coll), ReadResult::Ok) << i;
    ASSERT_EQ(WriteColl(file, i, coll), WriteResult::Ok);
    ASSERT_EQ(file.Image().size(), image_.size()) << i;

    const auto offset = static_cast<std::size_t>(entry.Offset);
    Bytes expected(image_.begin() + static_cast<std::ptrdiff_t>(offset),
                   image_.begin() + static_cast<std::ptrdiff_t>(offset + entry.Size));
    std::memcpy(expected.data() + 28, "QKZV", 4);
    std::memset(expected.data() + 76 + 20 * coll.Spheres.size(), 0, 4);
    const auto record = file.RecordBytes(i);
    ASSERT_TRUE(std::equal(record.begin(), record.end(), expected.begin(), expected.end()))
        << "coll " << i << " " << entry.Name;

    // Taking the write back gives the file as it was.
    for (const FileSplice& splice : file.TakeRecorded())
      file.Revert(splice);
    file.TakeRecorded();  // taking back is recorded too
    ASSERT_TRUE(file.Image() == image_) << i;
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
