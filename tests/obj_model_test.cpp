#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <string>
#include <vector>

#include "core/little_endian.h"
#include "core/model/glb_writer.h"
#include "core/model/obj_reader.h"
#include "core/model/obj_writer.h"

namespace vantorel {
namespace {

MtlSource OneMtl(const std::string& name, const std::string& text) {
  return [=](const std::string& asked) -> std::optional<std::string> {
    if (asked == name) return text;
    return std::nullopt;
  };
}

TEST(ObjFiles, WriteThenReadGivesTheSameFloatsFacesAndMaterials) {
  Model model;
  model.Positions = {{1.564586f, -0.0f, 3.4e38f},
                     {0.1f, 1e-40f, -123456.789f},
                     {1.0f / 3.0f, 2.0f / 3.0f, 16777217.0f},
                     {-1e-30f, 7.0f, 0.3f}};
  model.Materials = {{"Metal_Box#24", ""}, {"Glas", "windows/glass01.png"}, {"", ""}};
  model.Triangles = {{0, 1, 2, 1}, {0, 2, 3, 0}, {3, 2, 1, 1}, {1, 0, 3, 2}};
  const ObjFiles files = WriteObj(model, "out.mtl");
  const Parsed<Model> read = ReadObj(files.Obj, OneMtl("out.mtl", files.Mtl));
  ASSERT_TRUE(read.Value) << read.Error;
  ASSERT_EQ(read.Value->Positions.size(), model.Positions.size());
  for (std::size_t i = 0; i < model.Positions.size(); ++i) {
    const Vector3& a = model.Positions[i];
    const Vector3& b = read.Value->Positions[i];
    EXPECT_EQ(std::bit_cast<std::uint32_t>(a.X), std::bit_cast<std::uint32_t>(b.X)) << i;
    EXPECT_EQ(std::bit_cast<std::uint32_t>(a.Y), std::bit_cast<std::uint32_t>(b.Y)) << i;
    EXPECT_EQ(std::bit_cast<std::uint32_t>(a.Z), std::bit_cast<std::uint32_t>(b.Z)) << i;
  }
  ASSERT_EQ(read.Value->Triangles.size(), model.Triangles.size());
  for (std::size_t i = 0; i < model.Triangles.size(); ++i) {
    const ModelTriangle& a = model.Triangles[i];
    const ModelTriangle& b = read.Value->Triangles[i];
    EXPECT_TRUE(a.A == b.A && a.B == b.B && a.C == b.C) << i;
    const ModelMaterial& ma = model.Materials[a.Material];
    const ModelMaterial& mb = read.Value->Materials[b.Material];
    EXPECT_EQ(ma.Name.empty() ? "default" : ma.Name, mb.Name);
    EXPECT_EQ(ma.Texture, mb.Texture);
  }
}

TEST(ObjFiles, FaceFormsAreFannedAndResolved) {
  struct Case {
    const char* name;
    const char* text;
    std::vector<ModelTriangle> triangles;
  };
  const char* square = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv 0 2 0\n";
  const Case cases[] = {
      {"quad", "f 1 2 3 4", {{0, 1, 2, 0}, {0, 2, 3, 0}}},
      {"pentagon", "f 1 2 3 4 5", {{0, 1, 2, 0}, {0, 2, 3, 0}, {0, 3, 4, 0}}},
      {"negative", "f -5 -4 -3", {{0, 1, 2, 0}}},
      {"v/vt/vn", "vt 0 0\nvn 0 0 1\nf 1/1/1 2/1/1 3/1/1", {{0, 1, 2, 0}}},
      {"v//vn and v/vt",
       "vt 0 0\nvn 0 0 1\nf 1//1 2//-1 3\nf 3/1 4/-1 5/1",
       {{0, 1, 2, 0}, {2, 3, 4, 0}}},
      {"materials, CRLF, comments and blanks",
       "# a\r\ng part\r\nusemtl a b\r\n\r\n  f 1 2 3  \r\nusemtl c\r\nf 2 3 4\r\nusemtl a b\r\nf 3 "
       "4 5",
       {{0, 1, 2, 0}, {1, 2, 3, 1}, {2, 3, 4, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Parsed<Model> read = ReadObj(std::string(square) + c.text);
    ASSERT_TRUE(read.Value) << read.Error;
    ASSERT_EQ(read.Value->Triangles.size(), c.triangles.size());
    for (std::size_t i = 0; i < c.triangles.size(); ++i) {
      const ModelTriangle& a = c.triangles[i];
      const ModelTriangle& b = read.Value->Triangles[i];
      EXPECT_TRUE(a.A == b.A && a.B == b.B && a.C == b.C && a.Material == b.Material) << i;
    }
  }
  const Parsed<Model> named =
      ReadObj("mtllib x.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl wall stone\nf 1 2 3\n",
              OneMtl("x.mtl", "newmtl wall stone\nKd 1 1 1\nmap_Kd -s 1 1 1 tex/Stone_Wall.PNG\n"));
  ASSERT_TRUE(named.Value) << named.Error;
  EXPECT_EQ(named.Value->Materials[0].Name, "wall stone");
  EXPECT_EQ(named.Value->Materials[0].Texture, "tex/Stone_Wall.PNG");
}

TEST(ObjFiles, DamagedLinesAreNamedWithTheirNumber) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"v 1 2 abc", "line 1: \"abc\" is not a number"},
      {"v 1 2", "line 1: a coordinate is missing"},
      {"v 1 2 1e99", "line 1: \"1e99\" is beyond the range of a float"},
      {"v nan 0 0", "line 1: \"nan\" is not a number"},
      {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 0 1 2", "line 4: vertex index 0 does not exist"},
      {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 9", "line 4: vertex 9 does not exist (3 read so far)"},
      {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf -4 1 2", "line 4: vertex -4 does not exist"},
      {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 99999999999999999999999",
       "line 4: vertex index \"99999999999999999999999\" is far too large"},
      {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2", "line 4: a face needs at least 3 corners"},
      {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 three", "line 4: vertex index \"three\" is not a whole"},
      {"v 0 0 0\nv 1 0 0\nv 0 1 0\n\nf 1/1 2/1 3/1",
       "line 5: texture coordinate 1 does not exist (0 read so far)"},
      {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1//x 2 3", "line 4: normal index \"x\" is not a whole"},
      {"usemtl", "line 1: usemtl names no material"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const Parsed<Model> read = ReadObj(c.text);
    ASSERT_FALSE(read.Value);
    EXPECT_NE(read.Error.find(c.message), std::string::npos) << read.Error;
  }
  const Parsed<Model> badMtl =
      ReadObj("mtllib m.mtl\nv 0 0 0", OneMtl("m.mtl", "\nmap_Kd a.png\n"));
  ASSERT_FALSE(badMtl.Value);
  EXPECT_EQ(badMtl.Error, "m.mtl, line 2: map_Kd stands before any newmtl");
  const Parsed<Model> missing = ReadObjFile("/nonexistent/folder/model.obj");
  ASSERT_FALSE(missing.Value);
  EXPECT_NE(missing.Error.find("model.obj"), std::string::npos) << missing.Error;
}

TEST(GlbWriter, WritesAValidContainer) {
  Model model;
  model.Positions = {{0, 0, 0}, {1, 0, -2}, {0, 3, 0}, {1, 1, 1}};
  model.Materials = {{"Glas", ""}, {"Street \"new\"", ""}, {"unused", ""}};
  model.Triangles = {{0, 1, 2, 1}, {1, 3, 2, 0}, {0, 3, 1, 1}};
  const std::vector<std::uint8_t> glb = WriteGlb(model, "crate");
  ASSERT_GE(glb.size(), 28u);
  EXPECT_EQ(le::LoadU32(glb.data()), 0x46546C67u);
  EXPECT_EQ(le::LoadU32(glb.data() + 4), 2u);
  EXPECT_EQ(le::LoadU32(glb.data() + 8), glb.size());
  const std::uint32_t jsonLength = le::LoadU32(glb.data() + 12);
  EXPECT_EQ(jsonLength % 4, 0u);
  const std::string json(reinterpret_cast<const char*>(glb.data() + 20), jsonLength);
  EXPECT_EQ(json.find_last_not_of(' '), json.rfind('}'));
  EXPECT_NE(json.find("\"min\":[0,0,-2],\"max\":[1,3,1]"), std::string::npos) << json;
  EXPECT_NE(json.find("\"name\":\"Street \\\"new\\\"\""), std::string::npos) << json;
  const std::size_t bin = 20 + jsonLength;
  ASSERT_EQ(le::LoadU32(glb.data() + bin + 4), 0x004E4942u);
  // 4 positions (48 bytes), then material 0's 3 indices and material 1's 6.
  EXPECT_EQ(le::LoadU32(glb.data() + bin), 48u + 12u + 24u);
  EXPECT_EQ(le::LoadU32(glb.data() + bin + 8 + 48), 1u);
  EXPECT_EQ(glb.size(), bin + 8 + 84);
}

}  // namespace
}  // namespace vantorel
