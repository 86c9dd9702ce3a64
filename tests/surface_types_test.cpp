#include "core/surface_types.h"

#include <gtest/gtest.h>

namespace vantorel {
namespace {

TEST(SurfaceTypes, DefaultsAreTheBuiltInTable) {
  const SurfaceTypeTable& table = SurfaceTypeTable::Defaults();
  EXPECT_EQ(table.Name(0), "Standard");
  EXPECT_EQ(table.Color(0), 0xFF3B3B3Bu);
  EXPECT_EQ(table.Name(8), "Metal Pole");
  EXPECT_EQ(table.Color(8), 0xFB37372Du);
  EXPECT_EQ(table.Name(23), table.Name(24));
  EXPECT_NE(table.Color(23), table.Color(24));
  EXPECT_EQ(table.Name(34), "Grass 2 (VC)");
}

TEST(SurfaceTypes, DefaultUnknownIdsAre17_29_31) {
  const SurfaceTypeTable& table = SurfaceTypeTable::Defaults();
  std::vector<int> unknown;
  for (int id = 0; id < kSurfaceTypeCount; ++id) {
    if (table.UnknownSurface(id)) unknown.push_back(id);
  }
  EXPECT_EQ(unknown, (std::vector<int>{17, 29, 31}));
}

TEST(SurfaceTypes, MaterialsBeyondTheTableAreUnknownQuestionMarks) {
  const SurfaceTypeTable& table = SurfaceTypeTable::Defaults();
  for (int material : {35, 200, 255}) {
    EXPECT_EQ(table.Name(material), "?");
    EXPECT_EQ(table.Color(material), kUnknownSurfaceColor);
    EXPECT_TRUE(table.UnknownSurface(material));
  }
}

TEST(SurfaceTypes, UnknownRuleReadsTheLiveTable) {
  SurfaceTypeTable table;
  table.Set(17, 0xFF112233, "Known now");
  EXPECT_FALSE(table.UnknownSurface(17));
  table.Set(1, kUnknownSurfaceColor, "Street");
  EXPECT_TRUE(table.UnknownSurface(1));
  table.Set(2, 0xFF000000, "?Grass");
  EXPECT_TRUE(table.UnknownSurface(2));
}

TEST(SurfaceTypes, NamesAreCutToTwentyCharacters) {
  SurfaceTypeTable table;
  table.Set(3, 1, "a description that is far too long");
  EXPECT_EQ(table.Name(3), "a description that i");
  table.Set(40, 1, "outside");  // ignored
  EXPECT_EQ(table.Name(40), "?");
}

TEST(SurfaceTypes, CarPartsListWindscreenAsSeventeen) {
  EXPECT_EQ(kCarPartParameters.size(), 14u);
  EXPECT_EQ(kCarPartParameters[13].Text, "[17] Windscreen");
  EXPECT_EQ(kCarPartParameters[13].Value, 17);
  EXPECT_EQ(kCarPartParameters[0].Text, "[00] Default / Chassis");
}

}  // namespace
}  // namespace vantorel
