#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/bounds.h"
#include "core/coll_codec.h"
#include "core/compressed_record.h"
#include "core/sa_surface_table.h"
#include "edit/collision_script.h"
#include "edit/script_reader.h"
#include "tests/support/cli_run.h"
#include "tests/support/editor_fixture.h"
#include "tools/colgen/sa_colls.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::EncodeFile;
using colgen::MakeSurface;
using colgen::SaColl;
using testing::EditorTest;

// A "COLL" coll off the 1/128 grid: 1 sphere, 1 box, 4 vertices (one no face uses), 2 faces
// whose surfaces use more than the material. far moves one vertex out to that x.
Coll Classic(const std::string& name, float far = 0.3f) {
  CollBuilder b(name);
  b.Sphere({1.1f, 2.2f, 3.3f}, 0.7f, MakeSurface(4));
  b.Box({-1.01f, -2.02f, 0}, {3.03f, 4.04f, 5.05f}, MakeSurface(12));
  const auto v0 = b.Vertex({0.013f, 0, 1});
  const auto v1 = b.Vertex({far, 0, 1});
  b.Vertex({9, 9, 9});
  const auto v3 = b.Vertex({0, 1.001f, 1});
  b.Face(v0, v1, v3, MakeSurface(6, 1));
  b.Face(v1, v0, v3, MakeSurface(19));
  return b.Build();
}

Coll Stored(const Editor& editor, int index) {
  Coll coll;
  EXPECT_EQ(
      ReadColl(editor.FileImage(), editor.CollDirectory()[static_cast<std::size_t>(index)], coll),
      ReadResult::Ok);
  return coll;
}

bool OnGrid(const std::vector<CollVertex>& vertices) {
  return std::all_of(vertices.begin(), vertices.end(), [](const CollVertex& v) {
    return v.X == RoundedToCompressed(v.X) && v.Y == RoundedToCompressed(v.Y) &&
           v.Z == RoundedToCompressed(v.Z);
  });
}

Bytes TextBytes(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

using SaOperationsTest = EditorTest;

// Merge across kinds: the result has the kind of the first coll (P); Q is converted to it.
TEST_F(SaOperationsTest, MergeKeepsTheKindMergedIntoAndListsWhatTheOtherLost) {
  struct Case {
    const char* what;
    Coll p;
    Coll q;
    int version;
    std::size_t shadowVertices, shadowFaces, faceGroups;
    std::string message;  // what the merge tells, "" for nothing
  };
  const Coll empty3 = CollBuilder("sa_empty").Version(3).Build();
  const Case cases[] = {
      {"COLL into COL3: mapped, rounded, P's groups dropped", SaColl("p3", 3), Classic("q1"), 3, 4,
       2, 0,
       "message coll \"p3\": face groups dropped\n"
       "coll \"q1\": the surface bytes after the material of 1 face, 1 vertex no face uses"},
      {"COL3 into COL3: shadow meshes joined", SaColl("p3", 3), SaColl("q3", 3), 3, 8, 4, 0,
       "message coll \"p3\": face groups dropped\ncoll \"q3\": face groups dropped"},
      {"COL3 into COLL: the shadow mesh is lost", Classic("p1"), SaColl("q3", 3), 1, 0, 0, 0,
       "message coll \"q3\": the shadow mesh (4 vertices, 2 faces), the light bytes of 11 faces, "
       "the model ID 1234, face groups dropped"},
      {"COL4 into COL2: the shadow mesh is lost", SaColl("p2", 2), SaColl("q4", 4), 2, 0, 0, 0,
       "message coll \"p2\": face groups dropped\ncoll \"q4\": the shadow mesh (4 vertices, 2 "
       "faces), the extra \"COL4\" field, face groups dropped"},
      {"COL2 into COL4", SaColl("p4", 4), SaColl("q2", 2), 4, 4, 2, 0,
       "message coll \"p4\": face groups dropped\ncoll \"q2\": face groups dropped"},
      {"a coll with itself is told once", SaColl("p3", 3), SaColl("p3", 3), 3, 8, 4, 0,
       "message coll \"p3\": face groups dropped"},
      {"nothing added: P keeps its groups", SaColl("p3", 3), empty3, 3, 4, 2, 2, ""},
      {"COLL into COLL as ever", Classic("p1"), Classic("q1"), 1, 0, 0, 0, ""},
  };
  // Selecting the result may add the hint on surfaces; only the merge's own message counts here.
  ChangeSettings([](Settings& settings) { settings.UnkSurHint = false; });
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OpenColls({c.p, c.q});
    const Bytes before = editor.FileImage();
    ui.mergeResults = {MergeChoice{0, 1, "merged"}};
    RunRow("Merge1");
    ASSERT_EQ(editor.CollCount(), 3);
    std::vector<std::string> told = ui.Messages();
    EXPECT_EQ(told.size(), c.message.empty() ? 0u : 1u);
    if (!told.empty()) {
      EXPECT_EQ("message " + told[0], c.message);
    }

    const Coll merged = Stored(editor, 2);
    EXPECT_EQ(merged.Version(), c.version);
    EXPECT_EQ(HeaderName(merged.Header), "merged");
    EXPECT_EQ(merged.SphereCount(), c.p.SphereCount() + c.q.SphereCount());
    EXPECT_EQ(merged.FaceCount(), c.p.FaceCount() + c.q.FaceCount());
    EXPECT_EQ(merged.ShadowVertices.size(), c.shadowVertices);
    EXPECT_EQ(merged.ShadowFaces.size(), c.shadowFaces);
    EXPECT_EQ(merged.FaceGroups.size(), c.faceGroups);
    if (c.version >= 2) {
      EXPECT_EQ(merged.Header.ModelId(), 0);
      EXPECT_TRUE(OnGrid(merged.Vertices));
      // Q's first face follows P's, pointing past P's vertices, with its material in the
      // result's table.
      if (!c.q.Faces.empty()) {
        const CollFace& qFace = merged.Faces[c.p.Faces.size()];
        EXPECT_GE(qFace.A, c.p.VertexCount());
        const int material = c.q.Faces[0].Surface.Material;
        EXPECT_EQ(qFace.Surface.Material,
                  c.q.Version() == 1 ? SaMaterialForClassic(material) : material);
      }
      if (c.shadowFaces > c.p.ShadowFaces.size()) {
        EXPECT_EQ(merged.ShadowFaces.back().C, c.q.ShadowFaces.back().C + 4);
      }
    } else {
      EXPECT_EQ(merged.Header.Id, kEditorId);
    }
    if (c.version == 4) {
      EXPECT_EQ(merged.Col4Extra, c.p.Col4Extra);
    }
    ExpectDirectoryMatchesImage();
    editor.Undo();
    EXPECT_EQ(editor.FileImage(), before);
    ui.ClearLog();
  }
}

TEST_F(SaOperationsTest, AMergeWhoseCoordinateDoesNotFitIsRefusedAndChangesNothing) {
  OpenColls({SaColl("p3", 3), Classic("far", 300.5f)});
  const Bytes before = editor.FileImage();
  ui.mergeResults = {MergeChoice{0, 1, "merged"}};
  RunRow("Merge1");
  EXPECT_EQ(ui.Messages(),
            std::vector<std::string>{"coll \"far\": vertex 1 has the coordinate 300.5, outside the "
                                     "range a San Andreas record can store (-256 to 255.99)"});
  EXPECT_EQ(editor.CollCount(), 2);
  EXPECT_EQ(editor.FileImage(), before);
  EXPECT_FALSE(editor.FileChanged());
}

// Make LOD of each kind: the companion has its source's kind, bounds and shadow mesh, and no
// elements or face groups.
TEST_F(SaOperationsTest, MakeLodKeepsTheKindAndTheShadowMesh) {
  ChangeSettings([](Settings& settings) { settings.askRecalc = false; });
  for (const int version : {2, 3, 4}) {
    SCOPED_TRACE(version);
    const Coll source = SaColl("house_of_twentytwo_ch", version);
    OpenColls({source});
    const Bytes before = editor.FileImage();
    RunRow("MakeLOD1");
    EXPECT_TRUE(ui.Messages().empty());
    ASSERT_EQ(editor.CollCount(), 2);
    const Coll lod = Stored(editor, 1);
    EXPECT_EQ(lod.Version(), version);
    EXPECT_EQ(HeaderName(lod.Header), "LODse_of_twentytwo_ch");
    EXPECT_EQ(lod.Header.ModelId(), 0);
    EXPECT_EQ(lod.SphereCount() + lod.BoxCount() + lod.FaceCount(), 0);
    EXPECT_TRUE(lod.FaceGroups.empty());
    EXPECT_EQ(lod.ShadowFaces.size(), source.ShadowFaces.size());
    EXPECT_EQ(lod.ShadowVertices.size(), source.ShadowVertices.size());
    EXPECT_EQ(lod.Col4Extra, source.Col4Extra);
    EXPECT_EQ(lod.Header.BoundingRadius, ComputeBoundingObjects(source).Radius);
    ExpectDirectoryMatchesImage();
    editor.Undo();
    EXPECT_EQ(editor.FileImage(), before);
  }
}

// The script of a San Andreas coll names its kind and what it leaves out, and reads back into a
// coll of that kind with the same elements; without the kind line it is a "COLL" script.
TEST_F(SaOperationsTest, ScriptOfEachKindNamesItAndImportsAsThatKind) {
  struct Case {
    Coll coll;
    std::string kindLines;  // the lines after the name line
  };
  const Case cases[] = {
      {SaColl("sa_col2", 2), "# Kind: COL2\r\n# Not in this script: 2 face groups\r\n\r\n"},
      {SaColl("sa_col3", 3),
       "# Kind: COL3\r\n# Not in this script: 2 face groups, 4 shadow vertices, 2 shadow "
       "faces\r\n\r\n"},
      {SaColl("sa_col4", 4),
       "# Kind: COL4\r\n# Not in this script: 2 face groups, 4 shadow vertices, 2 shadow "
       "faces\r\n\r\n"},
      {CollBuilder("sa_empty").Version(3).Build(), "# Kind: COL3\r\n\r\n"},
      {Classic("classic"), "\r\n"},
  };
  for (const Case& c : cases) {
    const std::string name = HeaderName(c.coll.Header);
    SCOPED_TRACE(name);
    const std::string script = BuildCollisionScript(c.coll, "today", '.');
    const std::string nameLine = "\" (" + std::to_string(c.coll.Header.Size + 8) + " Byte)\r\n";
    const std::size_t after = script.find(nameLine);
    ASSERT_NE(after, std::string::npos);
    EXPECT_EQ(script.substr(after + nameLine.size(), c.kindLines.size()), c.kindLines);

    OpenColls({c.coll});
    const std::string path = dir.Write("in.cst", TextBytes(script));
    ui.openResults = {std::filesystem::path(path)};
    ui.inputResults = {"imported"};
    RunRow("ImportCollisionScript1");
    ASSERT_EQ(editor.CollCount(), 2) << ::testing::PrintToString(ui.log);
    const Coll read = Stored(editor, 1);
    editor.Undo();
    EXPECT_EQ(editor.FileImage(), EncodeFile({c.coll}));
    EXPECT_EQ(read.Version(), c.coll.Version());
    if (read.Version() >= 2) {
      EXPECT_EQ(read.Header.ModelId(), 0);
    }
    EXPECT_TRUE(read.FaceGroups.empty() && read.ShadowFaces.empty());
    ASSERT_EQ(read.VertexCount(), c.coll.VertexCount());
    ASSERT_EQ(read.FaceCount(), c.coll.FaceCount());
    // San Andreas materials above the 34 of III/VC come through; vertices on the grid exactly.
    const int highest = read.Version() >= 2 ? 178 : 34;
    for (std::size_t i = 0; i < read.Faces.size(); ++i) {
      EXPECT_EQ(read.Faces[i].Surface.Material,
                std::min<int>(c.coll.Faces[i].Surface.Material, highest));
    }
    for (std::size_t i = 0; i < read.Vertices.size(); ++i)
      EXPECT_EQ(read.Vertices[i].Y, c.coll.Vertices[i].Y) << "vertex " << i;
  }
}

// A coordinate the script's kind cannot hold refuses the import; a vertex after the last one a
// face uses is not kept (the kind stores no vertex count), so it refuses nothing.
TEST_F(SaOperationsTest, AScriptOfAKindWhoseCoordinateDoesNotFitIsRefused) {
  const std::string head = "# Kind: COL2\r\nV 000: 0; 0; 0\r\nV 001: 1; 0; 0\r\n";
  OpenColls({SaColl("sa_col3", 3)});
  const Bytes before = editor.FileImage();
  ui.openResults = {dir.Write("far.cst", TextBytes(head + "V 002: 0; -256.25; 0\r\n"
                                                          "F 000: 0; 1; 2  |  [178]\r\n")),
                    dir.Write("unused.cst", TextBytes(head + "F 000: 0; 1; 0  |  [178]\r\n"
                                                             "V 002: 999; 0; 0\r\n"))};
  ui.inputResults = {"far_away", "unused"};
  RunRow("ImportCollisionScript1");
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{
                               "coll \"far_away\": vertex 2 has the coordinate -256.25, outside "
                               "the range a San Andreas record can store (-256 to 255.99)"});
  EXPECT_EQ(editor.FileImage(), before);

  RunRow("ImportCollisionScript1");
  ASSERT_EQ(editor.CollCount(), 2);
  const Coll made = Stored(editor, 1);
  EXPECT_EQ(made.Version(), 2);
  EXPECT_EQ(made.VertexCount(), 2);
  EXPECT_EQ(made.Faces[0].Surface.Material, 178);
  EXPECT_EQ(made.Header.BoundingMax.X, 1.0f);
}

// The batch tool runs the same rows: a script of a COL3 coll reads back as COL3; a merge that
// does not fit fails and writes nothing.
TEST(CliSaOperations, ScriptImportScriptAndARefusedMerge) {
  testing::TempDir dir;
  const std::string file = dir.Write("sa.col", EncodeFile({SaColl("sa3", 3), Classic("far", 300)}));
  const std::string script = (dir.Path() / "sa3.cst").string();
  ASSERT_EQ(testing::RunCli({"script", file, "sa3", "-o", script}).status, 0);
  const std::string viaScript = (dir.Path() / "script.col").string();
  const testing::CliRun imported =
      testing::RunCli({"import-script", file, script, "from_script", "-o", viaScript});
  EXPECT_EQ(imported.status, 0) << imported.err;
  EXPECT_EQ(testing::StoredColl(viaScript, 2).Version(), 3);

  const std::string refused = (dir.Path() / "refused.col").string();
  const testing::CliRun far =
      testing::RunCli({"merge", file, "sa3", "far", "x_far", "-o", refused});
  EXPECT_NE(far.status, 0);
  EXPECT_NE(far.err.find("coll \"far\": vertex 1 has the coordinate 300"), std::string::npos)
      << far.err;
  EXPECT_FALSE(std::filesystem::exists(refused));
}

}  // namespace
}  // namespace vantorel
