// Import Mesh and Export Mesh: the fitting of a model to a coll, and the batch tool's
// import-mesh and export-mesh over generated files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_table.h"
#include "core/bounds.h"
#include "core/coll_codec.h"
#include "core/model/surface_mapping.h"
#include "doc/editor.h"
#include "ops/mesh_import.h"
#include "tests/support/cli_run.h"
#include "tests/support/fake_ui.h"
#include "tests/support/test_files.h"
#include "tools/colgen/coll_builder.h"
#include "tools/colgen/sa_colls.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;
using testing::ReadBytes;
using testing::RunCli;
using testing::StoredColl;

const SurfaceTypeTable& Table() {
  return SurfaceTypeTable::Defaults();
}

SurfaceMapping Mapping(std::string_view text) {
  Parsed<SurfaceMapping> mapping = ParseSurfaceMapping(text, Table());
  EXPECT_TRUE(mapping.Value) << mapping.Error;
  return mapping.Value.value_or(SurfaceMapping{});
}

// Two quads over one edge, each corner written once per triangle as the 3D tools export them,
// and a sliver whose corners merge into two.
Model TwoQuads() {
  Model model;
  model.Materials = {{"window_glass", {}}, {"", "road_tex"}};
  const auto triangle = [&](Vector3 a, Vector3 b, Vector3 c, std::uint32_t material) {
    const auto first = static_cast<std::uint32_t>(model.Positions.size());
    model.Positions.insert(model.Positions.end(), {a, b, c});
    model.Triangles.push_back({first, first + 1, first + 2, material});
  };
  triangle({0, 0, 0}, {1, 0, 0}, {1, 1, 0}, 0);
  triangle({0, 0, 0}, {1, 1, 0}, {0, 1, 0}, 0);
  triangle({1, 0, 0}, {2, 0, 0}, {2, 1, 3}, 1);
  triangle({1, 0, 0}, {2, 1, 3}, {1, 1, 0}, 1);
  triangle({2, 0, 0}, {2, 0, -0.0f}, {1, 1, 0}, 1);
  return model;
}

TEST(FitModelToColl, MergesDropsMapsSurfacesKeepsPrimitivesAndFitsBounds) {
  CollBuilder b("base");
  b.Sphere({0, 0, 9}, 1, MakeSurface(3));
  b.Box({-4, -4, -4}, {-3, -3, -3}, MakeSurface(4));
  const Coll base = b.Build();
  const MeshImport import = FitModelToColl(base, TwoQuads(),
                                           Mapping("*glass* = Glas\n"
                                                   "road* = 1\n"),
                                           Table(), {});
  ASSERT_TRUE(import.Result) << import.Report;
  const Coll& coll = *import.Result;
  EXPECT_EQ(import.Report,
            "Triangles read: 5\r\nVertices after merging: 6\r\nFaces dropped: 1\r\n"
            "Faces per surface:\r\n  1 Street: 2\r\n  7 Glas: 2");
  EXPECT_EQ(coll.VertexCount(), 6);
  ASSERT_EQ(coll.FaceCount(), 4);
  for (const CollFace& face : coll.Faces) {
    EXPECT_TRUE(face.A != face.B && face.B != face.C && face.A != face.C);
    EXPECT_LT(face.C, 6);
  }
  EXPECT_EQ(coll.Faces[0].Surface.Material, 7);
  EXPECT_EQ(coll.Faces[3].Surface.Material, 1);
  EXPECT_EQ(coll.SphereCount(), 1);
  EXPECT_EQ(coll.BoxCount(), 1);
  const BoundingObjects bounds = HeaderBoundingObjects(coll.Header);
  EXPECT_EQ(bounds.Min.X, -4);
  EXPECT_EQ(bounds.Max.Z, 10);
  EXPECT_EQ(bounds.Max.X, 2);

  // Simplified only when asked, and said so in the same message.
  Model grid;
  grid.Materials = {{}};
  constexpr std::uint32_t kSide = 21;
  for (std::uint32_t y = 0; y < kSide; ++y) {
    for (std::uint32_t x = 0; x < kSide; ++x)
      grid.Positions.push_back({static_cast<float>(x), static_cast<float>(y), 0});
  }
  for (std::uint32_t y = 0; y + 1 < kSide; ++y) {
    for (std::uint32_t x = 0; x + 1 < kSide; ++x) {
      const std::uint32_t v = y * kSide + x;
      grid.Triangles.push_back({v, v + 1, v + kSide + 1, 0});
      grid.Triangles.push_back({v, v + kSide + 1, v + kSide, 0});
    }
  }
  const MeshImport simplified = FitModelToColl(Coll{}, grid, {}, Table(), {200});
  ASSERT_TRUE(simplified.Result) << simplified.Report;
  EXPECT_LT(simplified.Result->FaceCount(), 800);
  EXPECT_NE(simplified.Report.find("Faces after simplifying to at most 200: "), std::string::npos)
      << simplified.Report;
  EXPECT_NE(simplified.Report.find("geometric error"), std::string::npos);
}

TEST(FitModelToColl, RefusesWhatTheGameCannotHoldOrNothingAtAll) {
  Model many;
  many.Materials = {{}};
  for (std::uint32_t i = 0; i < 23334; ++i) {
    const float x = static_cast<float>(i);
    many.Positions.insert(many.Positions.end(), {{x, 0, 0}, {x, 1, 0}, {x, 0, 1}});
    many.Triangles.push_back({3 * i, 3 * i + 1, 3 * i + 2, 0});
  }
  const MeshImport tooBig = FitModelToColl(Coll{}, many, {}, Table(), {});
  EXPECT_FALSE(tooBig.Result);
  EXPECT_NE(tooBig.Report.find("70002 vertices, 4467 above the game's 65535"), std::string::npos)
      << tooBig.Report;
  EXPECT_NE(tooBig.Report.find("above the game's 55000 per coll"), std::string::npos);

  Model flat = TwoQuads();
  flat.Triangles = {flat.Triangles.back()};  // the sliver alone
  EXPECT_FALSE(FitModelToColl(Coll{}, flat, {}, Table(), {}).Result);
  Model notANumber = TwoQuads();
  notANumber.Positions[1].Y = std::numeric_limits<float>::quiet_NaN();
  const MeshImport nan = FitModelToColl(Coll{}, notANumber, {}, Table(), {});
  EXPECT_FALSE(nan.Result);
  EXPECT_NE(nan.Report.find("no finite number"), std::string::npos);
}

Bytes Text(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

class MeshCommandsTest : public ::testing::Test {
 protected:
  MeshCommandsTest() {
    CollBuilder lamp("lamp");
    lamp.Sphere({0, 0, 4}, 0.5f, MakeSurface(1));
    lamp.Box({-1, -1, 0}, {1, 1, 0.5f}, MakeSurface(4));
    path = dir.Write("city.col", colgen::EncodeFile({lamp.Build()}));
    model =
        dir.Write("kiosk.obj", Text("mtllib kiosk.mtl\n"
                                    "v 0 0 0\nv 1.564586 0 0\nv 1.564586 1 0\nv 0 1 0.1\n"
                                    "v 0 0 2\n"
                                    "usemtl glass\nf 1 2 3 4\nusemtl wall\nf 1 2 5\nf 4 5 1\n"));
    dir.Write("kiosk.mtl", Text("newmtl glass\nmap_Kd glass_01.png\nnewmtl wall\n"));
    mapping = dir.Write("map.txt", Text("# kiosk\n*glass* = Glas\ndefault = Beton\n"));
  }

  void ExpectSameMesh(const Coll& a, const Coll& b) {
    ASSERT_EQ(a.VertexCount(), b.VertexCount());
    for (std::size_t i = 0; i < a.Vertices.size(); ++i) {
      EXPECT_EQ(a.Vertices[i].X, b.Vertices[i].X);
      EXPECT_EQ(a.Vertices[i].Y, b.Vertices[i].Y);
      EXPECT_EQ(a.Vertices[i].Z, b.Vertices[i].Z);
    }
    ASSERT_EQ(a.FaceCount(), b.FaceCount());
    for (std::size_t i = 0; i < a.Faces.size(); ++i) {
      EXPECT_EQ(a.Faces[i].A, b.Faces[i].A);
      EXPECT_EQ(a.Faces[i].B, b.Faces[i].B);
      EXPECT_EQ(a.Faces[i].C, b.Faces[i].C);
      EXPECT_EQ(a.Faces[i].Surface.Material, b.Faces[i].Surface.Material);
    }
  }

  testing::TempDir dir;
  std::string path;
  std::string model;
  std::string mapping;
};

TEST_F(MeshCommandsTest, ImportExportImportGivesTheSameMesh) {
  auto run = RunCli({"import-mesh", path, model, "kiosk", "--surfaces", mapping});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err,
            "Triangles read: 4\nVertices after merging: 5\nFaces dropped: 0\n"
            "Faces per surface:\n  5 Beton: 2\n  7 Glas: 2\n");
  const Coll kiosk = StoredColl(path, 1);
  EXPECT_EQ(HeaderName(kiosk.Header), "kiosk");
  EXPECT_EQ(kiosk.Vertices[1].X, 1.564586f);
  EXPECT_EQ(kiosk.Header.Id, kEditorId);

  const std::string out = dir.Path() / "out.obj";
  run = RunCli({"export-mesh", path, "kiosk", out});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  run = RunCli({"import-mesh", path, out, "kiosk_back"});
  ASSERT_EQ(run.status, 0) << run.err;
  ExpectSameMesh(kiosk, StoredColl(path, 2));

  // An existing OUT, or its MTL, is kept unless --overwrite says otherwise.
  const Bytes exported = ReadBytes(out);
  run = RunCli({"export-mesh", path, "lamp", out});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find(out + " exists: give --overwrite to replace it"), std::string::npos)
      << run.err;
  EXPECT_EQ(ReadBytes(out), exported);
  const std::string glb = dir.Path() / "out.glb";
  run = RunCli({"export-mesh", path, "kiosk", glb});
  ASSERT_EQ(run.status, 0) << run.err;
  const Bytes glbBytes = ReadBytes(glb);
  ASSERT_GE(glbBytes.size(), 4U);
  EXPECT_EQ(std::string(glbBytes.begin(), glbBytes.begin() + 4), "glTF");
  EXPECT_EQ(RunCli({"export-mesh", path, "kiosk", glb, "--overwrite"}).status, 0);
}

TEST_F(MeshCommandsTest, ReplaceKeepsTheSpheresAndBoxes) {
  const auto run = RunCli({"import-mesh", path, model, "--replace", "lamp", "--max-faces", "2"});
  ASSERT_EQ(run.status, 0) << run.err;
  const Coll lamp = StoredColl(path, 0);
  EXPECT_EQ(HeaderName(lamp.Header), "lamp");
  EXPECT_EQ(lamp.SphereCount(), 1);
  EXPECT_EQ(lamp.BoxCount(), 1);
  EXPECT_GT(lamp.FaceCount(), 0);
  EXPECT_EQ(HeaderBoundingObjects(lamp.Header).Max.Z, 4.5f);
}

TEST_F(MeshCommandsTest, AMeshASanAndreasCollCannotHoldIsRefusedWithTheReason) {
  const std::string sa = dir.Write("sa.col", colgen::EncodeFile({colgen::SaColl("sa", 3)}));
  const std::string far = dir.Write("far.obj", Text("v 300 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n"));
  const Bytes before = ReadBytes(sa);
  const auto run = RunCli({"import-mesh", sa, far, "--replace", "sa"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("coll \"sa\": vertex 0 has the coordinate 300.0, outside the range"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(ReadBytes(sa), before);
}

// The new mesh has none of the old faces: their groups go, the report says so, the shadow mesh
// stays, and the written record holds no group past its faces.
TEST_F(MeshCommandsTest, ReplacingTheMeshOfASanAndreasCollDropsItsFaceGroups) {
  const Coll before = colgen::SaColl("sa", 3);
  ASSERT_FALSE(before.FaceGroups.empty());
  const std::string sa = dir.Write("sa.col", colgen::EncodeFile({before}));
  const auto run = RunCli({"import-mesh", sa, model, "--replace", "sa"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("\nFace groups dropped: none of their faces is left.\n"),
            std::string::npos)
      << run.err;
  const Coll after = StoredColl(sa, 0);
  EXPECT_EQ(after.FaceCount(), 4);
  EXPECT_TRUE(after.FaceGroups.empty());
  EXPECT_EQ(after.ShadowFaces.size(), before.ShadowFaces.size());
  EXPECT_EQ(after.ShadowVertices.size(), before.ShadowVertices.size());
  const auto check = RunCli({"check", sa, "--game", "sa"});
  EXPECT_EQ(check.out.find("face group"), std::string::npos) << check.out;
}

// The mapping names III/VC surfaces: a San Andreas coll stores each as its own row for it, and
// its materials go out under the game's names.
TEST_F(MeshCommandsTest, ASanAndreasCollTakesAndGivesItsOwnMaterials) {
  const std::string sa = dir.Write("sa.col", colgen::EncodeFile({colgen::SaColl("sa", 3)}));
  const auto run = RunCli({"import-mesh", sa, model, "--replace", "sa", "--surfaces", mapping});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("Faces per surface:\n  4 PAVEMENT: 2\n  45 GLASS: 2\n"), std::string::npos)
      << run.err;
  const Coll stored = StoredColl(sa, 0);
  ASSERT_EQ(stored.Version(), 3);
  ASSERT_EQ(stored.FaceCount(), 4);
  const std::string obj = dir.Path() / "sa.obj";
  ASSERT_EQ(RunCli({"export-mesh", sa, "sa", obj}).status, 0);
  const Bytes bytes = ReadBytes(obj);
  const std::string written(bytes.begin(), bytes.end());
  EXPECT_NE(written.find("usemtl PAVEMENT\n"), std::string::npos) << written;
  EXPECT_NE(written.find("usemtl GLASS\n"), std::string::npos) << written;
}

// Spheres and boxes go out as named objects of their own and do not come back as mesh faces.
TEST_F(MeshCommandsTest, PrimitivesGoOutAsObjectsAndAreLeftOutOnImport) {
  const std::string obj = dir.Path() / "lamp.obj";
  const std::string glb = dir.Path() / "lamp.glb";
  ASSERT_EQ(RunCli({"export-mesh", path, "lamp", obj, "--with-primitives"}).status, 0);
  const Bytes text = ReadBytes(obj);
  const std::string written(text.begin(), text.end());
  for (const char* line :
       {"\no col_sphere_0\nusemtl col_sphere_0_", "\no col_box_0\nusemtl col_box_0_"}) {
    EXPECT_NE(written.find(line), std::string::npos) << line;
  }
  const Bytes before = ReadBytes(path);
  auto run = RunCli({"import-mesh", path, obj, "lamp_mesh"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("all spheres and boxes"), std::string::npos) << run.err;
  EXPECT_EQ(ReadBytes(path), before);

  ASSERT_EQ(RunCli({"import-mesh", path, model, "--replace", "lamp"}).status, 0);
  const Coll lamp = StoredColl(path, 0);
  ASSERT_EQ(RunCli({"export-mesh", path, "lamp", obj, "--with-primitives", "--overwrite"}).status,
            0);
  ASSERT_EQ(RunCli({"export-mesh", path, "lamp", glb, "--with-primitives"}).status, 0);
  run = RunCli({"import-mesh", path, obj, "lamp_obj"});
  ASSERT_EQ(run.status, 0) << run.err;
  // A UV sphere of 12 slices and 8 stacks has 12 * 2 * 7 triangles, a box 12.
  EXPECT_NE(run.err.find("Faces of spheres and boxes left out: 180\n"), std::string::npos)
      << run.err;
  ExpectSameMesh(lamp, StoredColl(path, 1));
  run = RunCli({"import-mesh", path, glb, "lamp_glb"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("Faces of spheres and boxes left out: 180\n"), std::string::npos)
      << run.err;
  EXPECT_EQ(StoredColl(path, 2).FaceCount(), lamp.FaceCount());
}

TEST_F(MeshCommandsTest, RefusalsWriteNothing) {
  const Bytes before = ReadBytes(path);
  const std::string damaged =
      dir.Write("damaged.obj", Text("v 0 0 0\nv 1 0 x\nv 0 1 0\nf 1 2 3\n"));
  const std::string badMap = dir.Write("bad.txt", Text("*glass* = marble\n"));
  struct Case {
    std::vector<std::string> args;
    std::string reason;
  };
  for (const Case& c : std::vector<Case>{
           {{"import-mesh", path, damaged, "kiosk"}, damaged + ": "},
           {{"import-mesh", path, dir.Path() / "missing.obj", "kiosk"}, "missing.obj"},
           {{"import-mesh", path, model, "kiosk", "--surfaces", badMap}, "bad.txt"},
           {{"import-mesh", path, model, "ab"}, "shorter than 4 characters"},
           {{"import-mesh", path, model, "--replace", "nothere"}, "No coll nothere"},
       }) {
    const auto run = RunCli(c.args);
    EXPECT_EQ(run.status, 1) << c.args[2];
    EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
    EXPECT_TRUE(run.err.ends_with("Nothing was written.\n")) << run.err;
    EXPECT_EQ(ReadBytes(path), before);
  }
}

TEST_F(MeshCommandsTest, TheWindowsImportIsOneUndoStepAndCancelAddsNothing) {
  testing::FakeUi ui;
  testing::FakeView view;
  Editor editor(ui, view);
  editor.OpenFile(std::filesystem::path(path));
  const auto run = [&](std::string_view name) { RunCommand(editor, *FindCommand(name)); };
  // A cancelled dialog, a refused name and a damaged mapping change nothing.
  MeshImportValues values{model, "kiosk", std::nullopt, {}, std::nullopt};
  MeshImportValues badName = values;
  badName.NewName = "a b";
  MeshImportValues badMap = values;
  badMap.SurfaceMap = dir.Write("bad.txt", Text("*glass* = marble\n"));
  ui.meshImportResults = {std::nullopt, badName, badMap};
  for (int i = 0; i < 3; ++i)
    run("ImportMesh1");
  EXPECT_EQ(editor.CollCount(), 1);
  EXPECT_FALSE(editor.FileChanged());
  EXPECT_NE(ui.log.back().find("bad.txt: "), std::string::npos) << ui.log.back();

  ui.meshImportResults = {values};
  run("ImportMesh1");
  ASSERT_EQ(editor.CollCount(), 2);
  EXPECT_EQ(editor.CurrentColl(), 1);
  EXPECT_EQ(editor.WorkingCopy().FaceCount(), 4);
  run("Undo1");
  EXPECT_EQ(editor.CollCount(), 1);

  // Cancel on the save dialog, or on the question whether the spheres and boxes go too.
  const std::string out = dir.Path() / "cancelled.obj";
  ui.saveResults = {std::nullopt, std::filesystem::path(out)};
  ui.answers = {Answer::Cancel};
  run("ExportMesh1");
  run("ExportMesh1");
  EXPECT_EQ(ui.questions.size(), 1U);
  EXPECT_FALSE(std::filesystem::exists(out));
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "cancelled.mtl"));
}

}  // namespace
}  // namespace vantorel
