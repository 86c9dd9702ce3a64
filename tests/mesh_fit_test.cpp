#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/model/coll_limits.h"
#include "core/model/mesh_simplify.h"
#include "core/model/surface_mapping.h"
#include "core/model/vertex_merge.h"

namespace vantorel {
namespace {

TEST(MergeEqualVertices, MergesDropsAndCounts) {
  Model model;
  // Two triangles as a soup sharing an edge, with 0 and -0 as the same coordinate; a triangle
  // whose corners 6 and 7 are equal; vertex 9 used by nothing.
  model.Positions = {{0, 0, 0},     {1, 0, 0}, {0, 1, 0}, {1, 0, 0}, {1, 1, 0},
                     {-0.0f, 1, 0}, {5, 5, 5}, {5, 5, 5}, {6, 5, 5}, {9, 9, 9}};
  model.Materials = {{"a", ""}, {"b", ""}};
  model.Triangles = {{0, 1, 2, 0}, {3, 4, 5, 1}, {6, 7, 8, 0}};
  const MergeReport report = MergeEqualVertices(model);
  EXPECT_EQ(report.VerticesBefore, 10u);
  EXPECT_EQ(report.VerticesAfter, 4u);
  EXPECT_EQ(report.FacesDropped, 1u);
  ASSERT_EQ(model.Triangles.size(), 2u);
  const ModelTriangle& second = model.Triangles[1];
  EXPECT_EQ(second.A, 1u);
  EXPECT_EQ(second.B, 3u);
  EXPECT_EQ(second.C, 2u);
  EXPECT_EQ(second.Material, 1u);
  EXPECT_TRUE(IndicesInRange(model));
}

TEST(SurfaceMapping, RulesThenSurfaceNamesThenTheDefault) {
  const SurfaceTypeTable& table = SurfaceTypeTable::Defaults();
  const Parsed<SurfaceMapping> mapping = ParseSurfaceMapping(
      "# windows first\r\n*glass* = Glas\n\n  road_?? = 1\nwood* = wooden_lathes\n"
      "*box* = Metal Box #24\ndefault = Beton\n",
      table);
  ASSERT_TRUE(mapping.Value) << mapping.Error;
  struct Case {
    ModelMaterial material;
    int surface;
  };
  const Case cases[] = {
      {{"WindowGLASS01", ""}, 7},                          // a rule on the name, in any case
      {{"", "veh_glass.png"}, 7},                          // a rule on the texture
      {{"road_01", ""}, 1},        {{"road_001", ""}, 5},  // "?" is one character: the default
      {{"woodplank", ""}, 21},      // "_" stands for a space in surface names
      {{"crate", "box_side"}, 24},  // "#" settles a name the table holds twice
      {{"Grass", ""}, 2},           // named after a surface, as exports are
      {{"Metal_Pole", ""}, 8},     {{"Sand_2_(VC)", ""}, 33}, {{"anything", "else"}, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.material.Name + "/" + c.material.Texture);
    EXPECT_EQ(SurfaceFor(*mapping.Value, c.material, table), c.surface);
  }
  for (int id = 0; id < kSurfaceTypeCount; ++id) {
    const auto id8 = static_cast<std::uint8_t>(id);
    EXPECT_EQ(SurfaceFor({}, {SurfaceMaterialName(id8, table), ""}, table), id)
        << SurfaceMaterialName(id8, table);
  }
}

TEST(SurfaceMapping, DamagedLinesAreNamedWithTheirNumber) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"*glass* Glas", "line 1: a rule is written PATTERN = SURFACE, and this line has no \"=\""},
      {"# c\n = Glas", "line 2: the pattern left of \"=\" is empty"},
      {"*glass* = glass", "line 1: \"glass\" is not a surface"},
      {"a = 35", "line 1: \"35\" is not a surface"},
      {"a = -1", "line 1: \"-1\" is not a surface"},
      {"a =", "line 1: \"\" is not a surface"},
      {"default = 1\nb = 2\ndefault = 3", "line 3: a second default surface"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const Parsed<SurfaceMapping> mapping =
        ParseSurfaceMapping(c.text, SurfaceTypeTable::Defaults());
    ASSERT_FALSE(mapping.Value);
    EXPECT_NE(mapping.Error.find(c.message), std::string::npos) << mapping.Error;
  }
}

TEST(GlobMatch, StarsQuestionMarksAndCase) {
  struct Case {
    const char* pattern;
    const char* text;
    bool match;
  };
  const Case cases[] = {
      {"*glass*", "GLASS", true},
      {"*glass*", "windowglass2", true},
      {"*glass*", "glas", false},
      {"a*b*c", "aXbYbZc", true},
      {"a*b*c", "aXbYbZ", false},
      {"?", "", false},
      {"*", "", true},
      {"r??d", "Road", true},
      {"r??d", "roads", false},
      {"**x", "abx", true},
      {"", "", true},
      {"", "a", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GlobMatch(c.pattern, c.text), c.match) << c.pattern << " / " << c.text;
  }
}

// A bumpy grid of n x n squares, the left half of material 0 and the right half of material 1.
Model BumpyGrid(int n) {
  Model model;
  model.Materials = {{"left", ""}, {"right", ""}};
  for (int y = 0; y <= n; ++y) {
    for (int x = 0; x <= n; ++x) {
      const float z =
          0.02f * static_cast<float>((x * 7 + y * 13) % 5) + std::sin(static_cast<float>(x) * 0.1f);
      model.Positions.push_back({static_cast<float>(x), static_cast<float>(y), z});
    }
  }
  auto at = [n](int x, int y) { return static_cast<std::uint32_t>(y * (n + 1) + x); };
  for (int y = 0; y < n; ++y) {
    for (int x = 0; x < n; ++x) {
      const std::uint32_t m = x < n / 2 ? 0 : 1;
      model.Triangles.push_back({at(x, y), at(x + 1, y), at(x + 1, y + 1), m});
      model.Triangles.push_back({at(x, y), at(x + 1, y + 1), at(x, y + 1), m});
    }
  }
  return model;
}

TEST(SimplifyMesh, MeetsTheBudgetAndKeepsSurfaceAndOpenBorders) {
  const int n = 100;
  Model model = BumpyGrid(n);
  const SimplifyReport report = SimplifyMesh(model, 2000);
  EXPECT_EQ(report.FacesBefore, 20000u);
  EXPECT_LE(report.FacesAfter, 2000u);
  EXPECT_GT(report.FacesAfter, 500u);
  EXPECT_GT(report.Error, 0.0f);
  EXPECT_LT(report.Error, 1.0f);
  EXPECT_EQ(report.FacesAfter, model.Triangles.size());
  EXPECT_TRUE(IndicesInRange(model));
  // Every grid point on the line between the halves and on the outer edge is still a vertex.
  const Model original = BumpyGrid(n);
  for (const Vector3& p : original.Positions) {
    const bool border = p.X == n / 2 || p.X == 0 || p.X == n || p.Y == 0 || p.Y == n;
    if (!border) continue;
    const bool kept = std::any_of(model.Positions.begin(), model.Positions.end(),
                                  [&](const Vector3& q) { return q.X == p.X && q.Y == p.Y; });
    ASSERT_TRUE(kept) << p.X << " " << p.Y;
  }
  // No face straddles the two halves.
  for (const ModelTriangle& t : model.Triangles) {
    for (const std::uint32_t v : {t.A, t.B, t.C}) {
      const float x = model.Positions[v].X;
      EXPECT_TRUE(t.Material == 0 ? x <= n / 2 : x >= n / 2);
    }
  }
}

TEST(CollLimits, SaysWhichLimitAndByHowMuch) {
  struct Case {
    std::size_t spheres, boxes, vertices, faces;
    std::vector<std::string> breaks;
  };
  const Case cases[] = {
      {0, 0, 8, 12, {}},
      {0, 0, 4575, 1, {}},  // 84 + 12 x 4575 + 16 = 55000 exactly
      {0,
       0,
       4576,
       1,
       {"the record's Size would be 55012 bytes, 12 above the game's 55000 per coll"}},
      {10,
       10,
       100,
       3400,
       {"the record's Size would be 56164 bytes, 1164 above the game's 55000 per coll"}},
      {0,
       0,
       70000,
       0,
       {"the record's Size would be 840084 bytes, 785084 above the game's 55000 per coll",
        "70000 vertices, 4465 above the game's 65535"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CollLimitBreaks(c.spheres, c.boxes, c.vertices, c.faces), c.breaks);
  }
}

}  // namespace
}  // namespace vantorel
