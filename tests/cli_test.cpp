#include "cli/cli_commands.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/little_endian.h"
#include "tests/support/test_files.h"
#include "tools/colgen/coll_builder.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

CliRun RunCli(const std::vector<std::string>& args, char separator = '.') {
  std::ostringstream out;
  std::ostringstream err;
  cli::Environment environment{separator, "08.12.2026 10:00:00"};
  const int status = cli::Run(args, environment, out, err);
  return {status, out.str(), err.str()};
}

class CliTest : public ::testing::Test {
 protected:
  CliTest() {
    CollBuilder odd("odd");
    odd.Sphere({0, 0, 0}, 0.5f, MakeSurface(31));
    path = dir.Write("cli.col", colgen::EncodeFile({CollBuilder("first").Build(), odd.Build(),
                                                    CollBuilder("first").Build()}));
  }
  testing::TempDir dir;
  std::string path;
};

TEST_F(CliTest, ListPrintsOneLinePerColl) {
  const CliRun run = RunCli({"list", path});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "first [-]\nodd\nfirst [-]\n");
  EXPECT_EQ(run.err, "");
}

TEST_F(CliTest, InfoByPositionOrNameWithUnixLineEnds) {
  const CliRun byNumber = RunCli({"info", path, "#2"});
  EXPECT_EQ(byNumber.status, 0);
  EXPECT_EQ(byNumber.out.find('\r'), std::string::npos);
  EXPECT_NE(byNumber.out.find("Name: \t\todd\nNo.: \t\t2 / 3\n"), std::string::npos);
  EXPECT_NE(byNumber.out.find("Offset: \t\t92\n"), std::string::npos);
  EXPECT_EQ(byNumber.err, "HINT: \"odd\" includes unknown surface types!\n");

  const CliRun byName = RunCli({"info", path, "odd"});
  EXPECT_EQ(byName.out, byNumber.out);
  const CliRun firstMatch = RunCli({"info", path, "first"});
  EXPECT_NE(firstMatch.out.find("No.: \t\t1 / 3\n"), std::string::npos);
}

TEST_F(CliTest, ScriptUsesTheChosenDecimalSeparator) {
  const CliRun run = RunCli({"--decimal-separator", ",", "script", path, "#2"});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("# Exported on 08.12.2026 10:00:00\n"), std::string::npos);
  EXPECT_NE(run.out.find("\nS 000: 0,5  |  0; 0; 0  |  [31]\n"), std::string::npos);
  EXPECT_TRUE(run.out.ends_with("=> Face count: 0\n"));
}

TEST_F(CliTest, UnreadableFileOrCollExitsWithOne) {
  EXPECT_EQ(RunCli({"list", (dir.Path() / "none.col").string()}).status, 1);
  for (const char* key : {"#0", "#4", "#x", "missing", "#-1"}) {
    const CliRun run = RunCli({"info", path, key});
    EXPECT_EQ(run.status, 1) << key;
    EXPECT_EQ(run.err, std::string("No coll ") + key + " in " + path + "\n");
  }
  Bytes bytes = colgen::EncodeFile({CollBuilder("bad").Build()});
  le::StoreI32(bytes.data() + 72, -5);
  const std::string bad = dir.Write("bad.col", bytes);
  const CliRun run = RunCli({"script", bad, "#1"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "ERROR while reading collision data!\n");
  EXPECT_EQ(run.out, "");
}

TEST_F(CliTest, UsageErrorsExitWithTwo) {
  EXPECT_EQ(RunCli({}).status, 2);
  EXPECT_EQ(RunCli({"list"}).status, 2);
  EXPECT_EQ(RunCli({"frobnicate", path}).status, 2);
  EXPECT_EQ(RunCli({"info", path}).status, 2);
  EXPECT_EQ(RunCli({"--decimal-separator", "ab", "list", path}).status, 2);
  const CliRun help = RunCli({"--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* word :
       {"list FILE", "info FILE COLL", "script FILE COLL", "#N", "--decimal-separator"}) {
    EXPECT_NE(help.out.find(word), std::string::npos) << word;
  }
}

}  // namespace
}  // namespace vantorel
