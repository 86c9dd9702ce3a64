// The batch tool's reading commands on files with San Andreas records.
#include <gtest/gtest.h>

#include "core/little_endian.h"
#include "tests/support/cli_run.h"
#include "tests/support/json_reader.h"
#include "tests/support/rich_coll.h"
#include "tests/support/test_files.h"
#include "tools/colgen/coll_builder.h"
#include "tools/colgen/sa_colls.h"

namespace vantorel {
namespace {

using testing::RunCli;

class CliSaRecordsTest : public ::testing::Test {
 protected:
  CliSaRecordsTest() {
    mixed = dir.Write(
        "mixed.col", colgen::EncodeFile({testing::RichColl("classic"), colgen::SaColl("sa2", 2, 11),
                                         colgen::SaColl("sa3", 3, 12)}));
  }
  testing::TempDir dir;
  std::string mixed;
};

TEST_F(CliSaRecordsTest, ListAndInfoGiveTheVersionAndTheSanAndreasParts) {
  const auto list = testing::ReadJson(RunCli({"list", mixed, "--json"}).out);
  ASSERT_TRUE(list);
  ASSERT_EQ((*list)["colls"].array.size(), 3u);
  EXPECT_EQ((*list)["colls"][0]["version"].number, 1);
  EXPECT_EQ((*list)["colls"][1]["version"].number, 2);
  EXPECT_EQ((*list)["colls"][2]["version"].number, 3);
  EXPECT_EQ(RunCli({"list", mixed}).out, "classic\nsa2\nsa3\n");

  const testing::CliRun infoRun = RunCli({"info", mixed, "sa3", "--json"});
  EXPECT_EQ(infoRun.err, "");  // materials up to 178 are known to San Andreas
  const auto info = testing::ReadJson(infoRun.out);
  ASSERT_TRUE(info);
  EXPECT_FALSE((*info)["unknownSurface"].boolean);
  EXPECT_EQ((*info)["version"].number, 3);
  EXPECT_EQ((*info)["modelId"].number, 12);
  EXPECT_EQ((*info)["faceGroups"].number, 2);
  EXPECT_EQ((*info)["vertices"].number, 8);
  EXPECT_EQ((*info)["shadowVertices"].number, 4);
  EXPECT_EQ((*info)["shadowFaces"].number, 2);
  Coll odd = colgen::SaColl("odd", 3);
  odd.Faces[4].Surface.Material = 179;
  const std::string oddFile = dir.Write("odd.col", colgen::EncodeFile({odd}));
  EXPECT_EQ(RunCli({"info", oddFile, "odd"}).err,
            "HINT: \"odd\" includes unknown surface types!\n");
  const auto classic = testing::ReadJson(RunCli({"info", mixed, "classic", "--json"}).out);
  ASSERT_TRUE(classic);
  EXPECT_EQ((*classic)["version"].number, 1);
  EXPECT_EQ((*classic)["modelId"].type, testing::JsonValue::Type::Null);
  EXPECT_EQ((*classic)["faceGroups"].number, 0);
}

TEST_F(CliSaRecordsTest, CheckReadsTheKindsTheGameReads) {
  const testing::CliRun vc = RunCli({"check", mixed});
  EXPECT_EQ(vc.status, 1);
  EXPECT_NE(vc.out.find(":2:sa2: error: a \"COL2\" record: Vice City reads only \"COLL\" "
                        "records (check it with --game sa)\n"),
            std::string::npos)
      << vc.out;
  EXPECT_NE(vc.out.find("checked 1 file, 3 colls: 2 errors"), std::string::npos) << vc.out;

  const testing::CliRun sa = RunCli({"check", "--game", "sa", mixed});
  EXPECT_EQ(sa.status, 0) << sa.out;

  // Damage the San Andreas kinds can have: an offset outside the record, a face group past the
  // faces, a "COLL" vertex San Andreas cannot store.
  Bytes bytes = colgen::EncodeFile({colgen::SaColl("offsets", 3), colgen::SaColl("groups", 3)});
  le::StoreU32(bytes.data() + 88, 0x10000);  // the first coll's boxes
  const std::size_t second = 432;
  bytes[second + 236 + 28 + 26] = 40;  // the last face of group 1, which starts at face 7
  colgen::CollBuilder far("far");
  far.Vertex({300, 0, 0});
  far.Vertex({0, 1, 0});
  far.Vertex({0, 0, 1});
  far.Face(0, 1, 2, colgen::MakeSurface(0));
  const Bytes classic = colgen::EncodeFile({far.Build()});
  bytes.insert(bytes.end(), classic.begin(), classic.end());
  const std::string damaged = dir.Write("damaged.col", bytes);
  const testing::CliRun found = RunCli({"check", "--game", "sa", damaged});
  EXPECT_EQ(found.status, 1);
  EXPECT_NE(found.out.find(":1:offsets: error: the box offset 65536 points outside the record"),
            std::string::npos)
      << found.out;
  EXPECT_NE(found.out.find(":2:groups: error: face group 1 covers faces 7 to 40, outside the 12 "
                           "faces"),
            std::string::npos)
      << found.out;
  EXPECT_NE(found.out.find(":3:far: error: vertex 0 (300.0; 0.0; 0.0) lies outside -256 to "
                           "255.99"),
            std::string::npos)
      << found.out;
}

// San Andreas materials past the III/VC table are judged by San Andreas' own table; a game that
// cannot read the record says so once for the coll, never once per element.
TEST_F(CliSaRecordsTest, CheckJudgesSanAndreasMaterialsByTheirOwnTable) {
  Coll coll = colgen::SaColl("grassy", 3);
  for (CollFace& face : coll.Faces)
    face.Surface.Material = 150;
  const std::string file = dir.Write("grassy.col", colgen::EncodeFile({coll}));
  const testing::CliRun sa = RunCli({"check", "--game", "sa", file});
  EXPECT_EQ(sa.status, 0) << sa.out;
  EXPECT_EQ(sa.out.find("material"), std::string::npos) << sa.out;
  for (const char* game : {"iii", "vc"}) {
    const testing::CliRun run = RunCli({"check", "--game", game, file});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out.find("material"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(":1:grassy: error: a \"COL3\" record: "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("checked 1 file, 1 coll: 1 error, 0 warnings"), std::string::npos)
        << run.out;
  }
}

// surface stores the number given as the San Andreas coll's own material, by the quick road
// (material only) and by the dialog's (with a parameter) alike.
TEST_F(CliSaRecordsTest, SurfaceStoresTheGivenIdInASanAndreasColl) {
  const std::vector<std::vector<std::string>> extras = {{}, {"--parameter", "17"}};
  for (const std::vector<std::string>& extra : extras) {
    std::vector<std::string> args = {"surface", mixed, "sa3", "--faces", "0-1", "--material", "20"};
    args.insert(args.end(), extra.begin(), extra.end());
    const testing::CliRun run = RunCli(args);
    ASSERT_EQ(run.status, 0) << run.err;
    const Coll stored = testing::StoredColl(mixed, 2);
    EXPECT_EQ(stored.Faces[0].Surface.Material, 20);  // WOODLANDGROUND, not Wooden Box's row
    EXPECT_EQ(stored.Faces[1].Surface.Material, 20);
    EXPECT_EQ(stored.Faces[2].Surface.Material, 26);  // untouched
  }
}

TEST_F(CliSaRecordsTest, ListSaysSoWhenNoRecordCanBeRead) {
  for (const std::string& bytes : {std::string("not a collision file"), std::string()}) {
    const std::string file = dir.Write("none.col", Bytes(bytes.begin(), bytes.end()));
    const testing::CliRun run = RunCli({"list", file});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "No collision data found!\n");
  }
}

}  // namespace
}  // namespace vantorel
