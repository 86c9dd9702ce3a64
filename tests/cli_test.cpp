#include "cli/cli_commands.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/little_endian.h"
#include "tests/support/cli_run.h"
#include "tests/support/json_reader.h"
#include "tests/support/test_files.h"
#include "tools/colgen/coll_builder.h"

namespace vantorel {
namespace {

using testing::CliRun;
using testing::RunCli;

using colgen::CollBuilder;
using colgen::MakeSurface;

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

TEST_F(CliTest, UsageErrorsExitWithTwoAndSayWhy) {
  struct Case {
    std::vector<std::string> args;
    const char* reason;
  };
  const std::vector<Case> cases = {
      {{}, "no command given"},
      {{"list"}, "usage: vantorel-cli list FILE [--json]"},
      {{"list", path, path}, "usage: vantorel-cli list FILE [--json]"},
      {{"frobnicate", path}, "unknown command \"frobnicate\""},
      {{"info", path}, "usage: vantorel-cli info FILE COLL [--json]"},
      {{"check"}, "usage: vantorel-cli check FILE... [--game iii|vc|sa] [--json]"},
      {{"check", "--json"}, "usage: vantorel-cli check FILE... [--game iii|vc|sa] [--json]"},
      {{"--decimal-separator", "ab", "list", path}, "--decimal-separator needs one character"},
      {{"list", path, "--decimal-separator"}, "--decimal-separator needs one character"},
      {{"--decimal-separator", "0", "script", path, "#1"},
       "--decimal-separator 0 would be read as part of a number or of the script: give a "
       "character that is no digit, letter, sign, blank or one of : ; | [ ] # = > \" ( )"},
      {{"--decimal-separator", ";", "script", path, "#1"},
       "--decimal-separator ; would be read as part of a number or of the script: give a "
       "character that is no digit, letter, sign, blank or one of : ; | [ ] # = > \" ( )"},
      {{"check", path, "--game", "gta4"},
       "--game needs iii (GTA III), vc (Vice City) or sa (San Andreas)"},
      {{"check", path, "--game"}, "--game needs iii (GTA III), vc (Vice City) or sa (San Andreas)"},
      {{"list", path, "--game", "vc"},
       "--game does not apply to list; usage: vantorel-cli list FILE [--json]"},
      {{"script", path, "#1", "--json"},
       "--json does not apply to script; usage: vantorel-cli script FILE COLL [-o SCRIPT]"},
      {{"list", path, "--jsn"}, "unknown option --jsn"},
      {{"list", "-x"}, "unknown option -x"},
  };
  for (const Case& c : cases) {
    const CliRun run = RunCli(c.args);
    EXPECT_EQ(run.status, 2) << c.reason;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, std::string("vantorel-cli: ") + c.reason +
                           "\nRun 'vantorel-cli --help' for the commands and their options.\n");
  }
}

TEST_F(CliTest, OptionsMayStandAnywhereAndDoubleDashEndsThem) {
  const std::string dashed = dir.Write("-odd.col", colgen::EncodeFile({CollBuilder("x").Build()}));
  EXPECT_EQ(RunCli({"list", "--", dashed}).out, "x [-]\n");
  EXPECT_EQ(RunCli({"--json", "list", path}).out, RunCli({"list", path, "--json"}).out);
  EXPECT_EQ(RunCli({"check", "--game=iii", path}).out,
            RunCli({"check", path, "--game", "iii"}).out);
  EXPECT_EQ(RunCli({"--decimal-separator=,", "script", path, "#2"}).out,
            RunCli({"script", path, "#2", "--decimal-separator", ","}).out);
}

TEST_F(CliTest, HelpDescribesEveryCommandOptionAndJsonDocument) {
  const CliRun help = RunCli({"list", "--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.err, "");
  for (const char* word :
       {"list FILE [--json]",
        "info FILE COLL [--json]",
        "script FILE COLL [-o SCRIPT]",
        "check FILE... [--game iii|vc|sa] [--json]",
        "rename FILE COLL NEWNAME",
        "copy FILE COLL NEWNAME",
        "delete FILE COLL",
        "export FILE COLL TARGET [--append|--overwrite]",
        "import FILE SOURCE COLL...",
        "replace FILE COLL SOURCE SOURCECOLL",
        "merge FILE COLL1 COLL2 NEWNAME",
        "lod FILE COLL",
        "import-script FILE SCRIPT NEWNAME",
        "recalc-bounds FILE (COLL | --all)",
        "clean FILE (COLL | --all)",
        "surface FILE COLL (--spheres|--boxes|--faces) (LIST | --all) --material M [--parameter P]",
        "-o FILE",
        "--append",
        "--overwrite",
        "--material M",
        "--parameter P",
        "#N",
        "\"0,3,5-9\"",
        "--decimal-separator",
        "JSON documents:",
        "\"findings\"",
        "\"boundingSphere\"",
        "\"damaged\"",
        "55000",
        "65535",
        "0-32",
        "0-34",
        "At most 20 findings",
        "Exit status",
        "--version"}) {
    EXPECT_NE(help.out.find(word), std::string::npos) << word;
  }
  const CliRun version = RunCli({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "vantorel-cli 1.1 BETA\n");
}

// ---- check ----

class CliCheckTest : public CliTest {
 protected:
  CliCheckTest() {
    CollBuilder lamp("lamp");
    const auto v0 = lamp.Vertex({0, 0, 0});
    const auto v1 = lamp.Vertex({1, 0, 0});
    const auto v2 = lamp.Vertex({0, 1, 0});
    lamp.Vertex({0, 0, 1});  // used by no face
    lamp.Face(v0, v1, v2, MakeSurface(33));
    CollBuilder broken("broken");
    broken.Vertex({0, 0, 0});
    broken.Face(0, 0, 5, MakeSurface(0));
    clean = dir.Write("clean.col", colgen::EncodeFile({CollBuilder("a").Build()}));
    warned = dir.Write("warned.col", colgen::EncodeFile({lamp.Build()}));
    failed = dir.Write("failed.col", colgen::EncodeFile({lamp.Build(), broken.Build()}));
  }
  std::string clean, warned, failed;
};

TEST_F(CliCheckTest, PrintsOneLinePerFindingThenASummary) {
  const CliRun ok = RunCli({"check", clean});
  EXPECT_EQ(ok.status, 0);
  EXPECT_EQ(ok.out, "checked 1 file, 1 coll: 0 errors, 0 warnings\n");
  EXPECT_EQ(ok.err, "");

  const CliRun warnings = RunCli({"check", warned});
  EXPECT_EQ(warnings.status, 0);
  EXPECT_EQ(warnings.out, warned +
                              ":1:lamp: warning: vertex 3 is used by no face\n"
                              "checked 1 file, 1 coll: 0 errors, 1 warning\n");

  const CliRun iii = RunCli({"check", "--game", "iii", warned});
  EXPECT_EQ(iii.status, 0);
  EXPECT_EQ(iii.out, warned +
                         ":1:lamp: warning: face 0 uses material 33, which GTA III does not know "
                         "(0-32)\n" +
                         warned +
                         ":1:lamp: warning: vertex 3 is used by no face\n"
                         "checked 1 file, 1 coll: 0 errors, 2 warnings\n");
}

TEST_F(CliCheckTest, AnErrorInAnyFileGivesStatusOneAndOneSummaryOverAll) {
  const CliRun run = RunCli({"check", clean, failed, warned});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, failed + ":1:lamp: warning: vertex 3 is used by no face\n" + failed +
                         ":2:broken: error: face 0 names vertex 5, which does not exist (1 "
                         "vertex)\n" +
                         warned + ":1:lamp: warning: vertex 3 is used by no face\n" +
                         "checked 3 files, 4 colls: 1 error, 2 warnings\n");
}

TEST_F(CliCheckTest, AnUnreadableFileIsReportedAndTheOthersStillChecked) {
  const std::string missing = (dir.Path() / "missing.col").string();
  const CliRun run = RunCli({"check", missing, warned});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Cannot open file \"" + missing + "\". No such file or directory.\n");
  EXPECT_EQ(run.out, warned +
                         ":1:lamp: warning: vertex 3 is used by no face\n"
                         "checked 1 file, 1 coll: 0 errors, 1 warning; 1 file could not be "
                         "read\n");
}

TEST_F(CliCheckTest, DamagedFilesAndTheCapShowInTheSummary) {
  Bytes bytes = colgen::EncodeFile({CollBuilder("a").Build()});
  le::StoreI32(bytes.data() + 72, -1);
  const std::string damaged = dir.Write("damaged.col", bytes);
  const CliRun run = RunCli({"check", damaged});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, damaged +
                         ":1:a: error: the sphere count -1 is negative\n"
                         "checked 1 file, 1 coll: 1 error, 0 warnings\n");

  CollBuilder wide("wide");
  wide.Vertex({0, 0, 0});
  for (int i = 0; i < 25; ++i)
    wide.Face(0, 0, 0, MakeSurface(0));
  const std::string capped = dir.Write("capped.col", colgen::EncodeFile({wide.Build()}));
  const CliRun cappedRun = RunCli({"check", capped});
  EXPECT_EQ(cappedRun.status, 0);
  EXPECT_NE(cappedRun.out.find(capped + ":1:wide: note: 5 more findings in this coll not shown (0 "
                                        "errors, 5 warnings)\n"
                                        "checked 1 file, 1 coll: 0 errors, 25 warnings (5 not "
                                        "shown)\n"),
            std::string::npos);
}

// ---- JSON documents ----

testing::JsonValue ParsedJson(const std::string& text) {
  std::string error;
  const auto value = testing::ReadJson(text, &error);
  EXPECT_TRUE(value) << error << "\n" << text;
  EXPECT_TRUE(text.ends_with("}\n"));
  return value.value_or(testing::JsonValue{});
}

TEST_F(CliTest, ListJsonHasOneObjectPerColl) {
  const CliRun run = RunCli({"list", path, "--json"});
  EXPECT_EQ(run.status, 0);
  const testing::JsonValue doc = ParsedJson(run.out);
  EXPECT_EQ(doc["file"].string, path);
  EXPECT_FALSE(doc["damaged"].boolean);
  ASSERT_EQ(doc["colls"].array.size(), 3u);
  const testing::JsonValue& odd = doc["colls"][1];
  EXPECT_EQ(odd["number"].number, 2);
  EXPECT_EQ(odd["name"].string, "odd");
  EXPECT_EQ(odd["offset"].number, 92);
  EXPECT_EQ(odd["size"].number, 112);
  EXPECT_FALSE(odd["empty"].boolean);
  EXPECT_TRUE(doc["colls"][2]["empty"].boolean);
  EXPECT_EQ(run.out.substr(0, run.out.find("\n    {\"number\": 2")),
            "{\n  \"file\": \"" + path +
                "\",\n  \"damaged\": false,\n  \"colls\": [\n"
                "    {\"number\": 1, \"name\": \"first\", \"offset\": 0, \"size\": 92, "
                "\"empty\": true, \"version\": 1},");
}

TEST_F(CliTest, ListJsonConvertsWindows1252NamesAndMarksDamage) {
  Bytes bytes = colgen::EncodeFile({CollBuilder("caf\xE9\x80").Build(), CollBuilder("b").Build()});
  bytes.resize(bytes.size() - 30);  // the second header is cut
  const std::string file = dir.Write("names.col", bytes);
  const CliRun run = RunCli({"list", file, "--json"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "ERROR while reading collision data!\n");
  const testing::JsonValue doc = ParsedJson(run.out);
  EXPECT_TRUE(doc["damaged"].boolean);
  ASSERT_EQ(doc["colls"].array.size(), 1u);
  EXPECT_EQ(doc["colls"][0]["name"].string, "caf\xC3\xA9\xE2\x82\xAC");
}

TEST_F(CliTest, InfoJsonCarriesTheBriefInformation) {
  CollBuilder b("rock");
  b.Id({0x51, 0x4B, 0x5A, 0x56});
  b.Sphere({1, 2, 3}, 0.5f, MakeSurface(17));
  b.Box({0, 0, 0}, {1, 1, 1}, MakeSurface(0));
  b.MeshBox({-1, -1, -1}, {0.25f, 0.25f, 0.25f}, MakeSurface(0));
  const std::string file =
      dir.Write("rock.col", colgen::EncodeFile({CollBuilder("x").Build(), b.Build()}));
  const CliRun run = RunCli({"info", file, "rock", "--json"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "HINT: \"rock\" includes unknown surface types!\n");
  const testing::JsonValue doc = ParsedJson(run.out);
  EXPECT_EQ(doc["file"].string, file);
  EXPECT_EQ(doc["number"].number, 2);
  EXPECT_EQ(doc["collCount"].number, 2);
  EXPECT_EQ(doc["name"].string, "rock");
  EXPECT_EQ(doc["size"].number, 92 + 20 + 28 + 8 * 12 + 12 * 16);
  EXPECT_EQ(doc["offset"].number, 92);
  ASSERT_EQ(doc["id"].array.size(), 4u);
  EXPECT_EQ(doc["id"][0].number, 0x51);
  EXPECT_EQ(doc["id"][3].number, 0x56);
  EXPECT_EQ(doc["boundingBox"]["min"][0].number, -1);
  EXPECT_EQ(doc["boundingBox"]["max"][2].number, 3.5);
  EXPECT_EQ(doc["boundingSphere"]["center"][1].number, 0.5 * (-1 + 2.5));
  EXPECT_EQ(static_cast<float>(doc["boundingSphere"]["radius"].number),
            b.Build().Header.BoundingRadius);
  EXPECT_EQ(doc["spheres"].number, 1);
  EXPECT_EQ(doc["boxes"].number, 1);
  EXPECT_EQ(doc["vertices"].number, 8);
  EXPECT_EQ(doc["faces"].number, 12);
  EXPECT_TRUE(doc["unknownSurface"].boolean);
  EXPECT_NE(
      run.out.find("\n  \"boundingBox\": {\"min\": [-1, -1, -1], \"max\": [1.5, 2.5, 3.5]},\n"),
      std::string::npos);
}

TEST_F(CliCheckTest, CheckJsonHoldsFilesFindingsAndTotals) {
  const std::string missing = (dir.Path() / "missing.col").string();
  const CliRun run = RunCli({"check", "--json", "--game", "iii", failed, missing, clean});
  EXPECT_EQ(run.status, 1);
  const testing::JsonValue doc = ParsedJson(run.out);
  EXPECT_EQ(doc["game"].string, "iii");
  ASSERT_EQ(doc["files"].array.size(), 3u);
  EXPECT_EQ(doc["files"][0]["file"].string, failed);
  EXPECT_EQ(doc["files"][0]["colls"].number, 2);
  EXPECT_EQ(doc["files"][0]["errors"].number, 1);
  EXPECT_EQ(doc["files"][0]["warnings"].number, 2);
  EXPECT_EQ(doc["files"][0]["notShown"].number, 0);
  EXPECT_EQ(doc["files"][1]["readError"].string,
            "Cannot open file \"" + missing + "\". No such file or directory.");
  EXPECT_FALSE(doc["files"][1].Has("colls"));
  EXPECT_EQ(doc["files"][2]["colls"].number, 1);
  ASSERT_EQ(doc["findings"].array.size(), 3u);
  const testing::JsonValue& error = doc["findings"][2];
  EXPECT_EQ(error["file"].string, failed);
  EXPECT_EQ(error["coll"].number, 2);
  EXPECT_EQ(error["name"].string, "broken");
  EXPECT_EQ(error["severity"].string, "error");
  EXPECT_EQ(error["kind"].string, "face-index-out-of-range");
  EXPECT_EQ(error["text"].string, "face 0 names vertex 5, which does not exist (1 vertex)");
  EXPECT_EQ(doc["findings"][0]["kind"].string, "unknown-material");
  EXPECT_EQ(doc["colls"].number, 3);
  EXPECT_EQ(doc["errors"].number, 2);  // the unreadable file counts as one
  EXPECT_EQ(doc["warnings"].number, 2);
  EXPECT_EQ(doc["notShown"].number, 0);
  EXPECT_EQ(run.out.find("checked"), std::string::npos);  // no text summary mixed in
}

TEST_F(CliCheckTest, CheckJsonConvertsNamesAndKeepsTextsAscii) {
  CollBuilder b("\xE9\x22");
  b.Vertex({0, 0, 0});
  const std::string file = dir.Write("accent.col", colgen::EncodeFile({b.Build()}));
  const CliRun text = RunCli({"check", file});
  EXPECT_NE(text.out.find(file + ":1:\\xE9\\x22: warning: the name has a byte"), std::string::npos)
      << text.out;
  const testing::JsonValue doc = ParsedJson(RunCli({"check", file, "--json"}).out);
  ASSERT_EQ(doc["findings"].array.size(), 2u);
  EXPECT_EQ(doc["findings"][0]["name"].string, "\xC3\xA9\"");
  EXPECT_EQ(doc["findings"][0]["text"].string,
            "the name has a byte that is not printable ASCII (0xE9 at position 0)");
}

}  // namespace
}  // namespace vantorel
