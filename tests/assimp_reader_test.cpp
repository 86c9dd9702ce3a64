#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "core/model/assimp_reader.h"
#include "core/model/glb_writer.h"

namespace vantorel {
namespace {

namespace fs = std::filesystem;

fs::path TempPath(const std::string& name) {
  return fs::temp_directory_path() /
         ("vantorel-assimp-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
          "-" + name);
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Each triangle as its three corners and material name, sorted, to compare models whose vertex
// order a reader may change.
using Corner = std::tuple<float, float, float>;
std::vector<std::tuple<Corner, Corner, Corner, std::string>> Triangles(const Model& model) {
  std::vector<std::tuple<Corner, Corner, Corner, std::string>> out;
  auto corner = [&](std::uint32_t v) {
    const Vector3& p = model.Positions[v];
    return Corner{p.X, p.Y, p.Z};
  };
  for (const ModelTriangle& t : model.Triangles) {
    out.emplace_back(corner(t.A), corner(t.B), corner(t.C), model.Materials[t.Material].Name);
  }
  std::sort(out.begin(), out.end());
  return out;
}

TEST(AssimpReader, ReadsBackTheGlbWritersTriangles) {
  Model model;
  model.Positions = {{0, 0, 0}, {1.5f, 0, -2}, {0, 3.25f, 0}, {1, 1, 1}, {-4, 2, 0.125f}};
  model.Materials = {{"Glas", ""}, {"Metal_Box#24", ""}};
  model.Triangles = {{0, 1, 2, 1}, {1, 3, 2, 0}, {0, 3, 1, 1}, {2, 3, 4, 0}};
  const std::vector<std::uint8_t> glb = WriteGlb(model, "crate");
  const fs::path path = TempPath("crate.glb");
  WriteFile(path, std::string(glb.begin(), glb.end()));
  const Parsed<Model> read = ReadModelThroughAssimp(path);
  fs::remove(path);
  ASSERT_TRUE(read.Value) << read.Error;
  EXPECT_EQ(Triangles(*read.Value), Triangles(model));
}

TEST(AssimpReader, DamagedFilesGiveTheReason) {
  const std::vector<std::uint8_t> glb =
      WriteGlb({{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2, 0}}, {{"a", ""}}, {}}, "cut");
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"cut.glb",
       std::string(glb.begin(), glb.begin() + static_cast<std::ptrdiff_t>(glb.size() / 2))},
      {"text.ply",
       "ply\nformat ascii 1.0\nelement vertex 99999999\nproperty float x\nend_header\n1 2"},
      {"empty.stl", ""},
      {"noise.fbx", std::string(300, '\x7f')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path path = TempPath(c.name);
    WriteFile(path, c.bytes);
    const Parsed<Model> read = ReadModelThroughAssimp(path);
    fs::remove(path);
    ASSERT_FALSE(read.Value);
    EXPECT_NE(read.Error.find(c.name), std::string::npos) << read.Error;
    EXPECT_GT(read.Error.size(), std::string(c.name).size() + 4) << read.Error;
  }
  EXPECT_TRUE(ReadsThroughAssimp("a/B.GLB"));
  EXPECT_TRUE(ReadsThroughAssimp("x.dae"));
  EXPECT_FALSE(ReadsThroughAssimp("x.obj"));
  EXPECT_FALSE(ReadsThroughAssimp("x.dff"));
}

}  // namespace
}  // namespace vantorel
