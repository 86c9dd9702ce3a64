// Every editing command of the batch tool once on the real game files kept beside the project
// (not part of it), on copies in a temporary folder. Skips, saying so, when they are not there.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli_commands.h"
#include "core/coll_codec.h"
#include "core/coll_directory.h"
#include "tests/support/cli_run.h"
#include "tests/support/json_reader.h"
#include "tests/support/test_files.h"

namespace vantorel {
namespace {

using testing::CliRun;
using testing::RunCli;

namespace fs = std::filesystem;
using testing::ReadBytes;

class CliOnRealFiles : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    const fs::path real = testing::RealFile(GetParam());
    if (!fs::exists(real)) GTEST_SKIP() << "real game file not present: " << real;
    original = ReadBytes(real);
    path = dir.Write(GetParam(), original);
    ScanFile(original, directory);
    ASSERT_GE(directory.size(), 3u);
  }

  void ExpectDone(const std::vector<std::string>& args) {
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
  }

  // The game check's counts of the file, and the kinds of its findings.
  testing::JsonValue Check(const std::string& file) {
    const CliRun run = RunCli({"check", file, "--json"});
    std::string error;
    const auto doc = testing::ReadJson(run.out, &error);
    EXPECT_TRUE(doc) << error;
    return doc.value_or(testing::JsonValue{});
  }

  int Findings(const testing::JsonValue& doc, const std::string& kind) {
    int count = 0;
    for (const testing::JsonValue& finding : doc["findings"].array)
      count += finding["kind"].string == kind ? 1 : 0;
    return count;
  }

  std::string Out(const std::string& name) const { return (dir.Path() / name).string(); }

  testing::TempDir dir;
  std::string path;
  Bytes original;
  CollDirectoryEntries directory;
};

TEST_P(CliOnRealFiles, CopyAndDeleteOfTheCopyGiveTheFileBack) {
  ExpectDone({"copy", path, "#2", "vantorel_copy"});
  EXPECT_EQ(ReadBytes(path).size(), original.size() + directory[1].Size);
  ExpectDone({"delete", path, "vantorel_copy"});
  EXPECT_EQ(ReadBytes(path), original);
}

TEST_P(CliOnRealFiles, RenameExportImportReplaceAndMerge) {
  const std::string renamed = Out("renamed.col");
  ExpectDone({"rename", path, "#1", "vantorel_name", "-o", renamed});
  EXPECT_EQ(ReadBytes(path), original);
  const std::string exported = Out("exported.col");
  ExpectDone({"export", path, "#3", exported});
  const Bytes record(original.begin() + directory[2].Offset,
                     original.begin() + directory[2].Offset + directory[2].Size);
  EXPECT_EQ(ReadBytes(exported), record);
  ExpectDone({"rename", exported, "#1", "vantorel_export"});
  ExpectDone({"import", renamed, exported, "#1"});
  ExpectDone({"replace", renamed, "#2", exported, "vantorel_export"});
  ExpectDone({"merge", renamed, "#1", "#3", "vantorel_merged"});
  const testing::JsonValue check = Check(renamed);
  EXPECT_EQ(check["errors"].number, 0);
  EXPECT_EQ(check["colls"].number, static_cast<double>(directory.size() + 2));
  const CliRun list = RunCli({"list", renamed});
  EXPECT_EQ(list.out.rfind("vantorel_name", 0), 0u);
  EXPECT_NE(list.out.find("\nvantorel_export\nvantorel_merged\n"), std::string::npos);
}

TEST_P(CliOnRealFiles, LodAndScriptRoundTrip) {
  ExpectDone({"lod", path, "#1"});
  const std::string script = Out("first.cst");
  ExpectDone({"script", path, "#2", "-o", script});
  ExpectDone({"import-script", path, script, "vantorel_script"});
  const testing::JsonValue check = Check(path);
  EXPECT_EQ(check["errors"].number, 0);
  EXPECT_EQ(check["colls"].number, static_cast<double>(directory.size() + 2));
  const CliRun info = RunCli({"info", path, "vantorel_script", "--json"});
  std::string error;
  const auto doc = testing::ReadJson(info.out, &error);
  ASSERT_TRUE(doc) << error;
  const CliRun second = RunCli({"info", path, "#2", "--json"});
  const auto source = testing::ReadJson(second.out, &error);
  ASSERT_TRUE(source) << error;
  for (const char* count : {"spheres", "boxes", "vertices", "faces"})
    EXPECT_EQ((*doc)[count].number, (*source)[count].number) << count;
}

TEST_P(CliOnRealFiles, RecalcBoundsAndCleanOfEveryCollLeaveNothingToWarnAbout) {
  const testing::JsonValue before = Check(path);
  ExpectDone({"recalc-bounds", path, "--all"});
  const CliRun clean = RunCli({"clean", path, "--all"});
  EXPECT_EQ(clean.status, 0);
  const testing::JsonValue after = Check(path);
  EXPECT_EQ(after["errors"].number, 0);
  EXPECT_EQ(Findings(after, "bounds-too-small"), 0);
  EXPECT_EQ(Findings(after, "unused-vertices"), 0);
  EXPECT_EQ(after["colls"].number, before["colls"].number);
  EXPECT_LE(after["warnings"].number, before["warnings"].number);
}

TEST_P(CliOnRealFiles, SurfaceOfEveryFaceOfAColl) {
  std::size_t withFaces = directory.size();
  for (std::size_t i = 0; i < directory.size() && withFaces == directory.size(); ++i) {
    Coll coll;
    if (ReadColl(original, directory[i], coll) == ReadResult::Ok && coll.FaceCount() > 0)
      withFaces = i;
  }
  if (withFaces == directory.size()) GTEST_SKIP() << "no coll with faces in " << GetParam();
  const std::string coll = "#" + std::to_string(withFaces + 1);
  ExpectDone({"surface", path, coll, "--faces", "--all", "--material", "12"});
  const CliRun script = RunCli({"script", path, coll});
  std::istringstream lines(script.out);
  int faces = 0;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("F ", 0) != 0) continue;
    ++faces;
    EXPECT_TRUE(line.ends_with("[12]")) << line;
  }
  EXPECT_GT(faces, 0);
  EXPECT_EQ(Check(path)["errors"].number, 0);
}

INSTANTIATE_TEST_SUITE_P(GameFiles, CliOnRealFiles,
                         ::testing::Values("generic.col", "vehicles_vc.col"));

}  // namespace
}  // namespace vantorel
