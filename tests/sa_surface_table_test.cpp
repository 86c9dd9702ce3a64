#include "core/sa_surface_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/surface_types.h"

namespace vantorel {
namespace {

// Rows the published list of San Andreas material ids names (ids and readable names there; the
// game's own names here).
TEST(SaSurfaceTable, RowsAgreeWithThePublishedIds) {
  const struct {
    int Id;
    std::string_view Name;
  } published[] = {
      {0, "DEFAULT"},       {1, "TARMAC"},          {9, "GRASS_SHORT_LUSH"},
      {33, "SAND_BEACH"},   {39, "WATER_SHALLOW"},  {45, "GLASS"},
      {48, "EMPTY1"},       {50, "GARAGE_DOOR"},    {54, "METAL_GATE"},
      {57, "FIRE_HYDRANT"}, {61, "CARDBOARDBOX"},   {62, "PED"},
      {63, "CAR"},          {80, "P_GRASS_SHORT"},  {89, "P_CONCRETE"},
      {101, "P_RUBBLE"},    {127, "P_POOLSIDE"},    {144, "P_AIRPORTGRND"},
      {160, "PARKGRASS"},   {165, "FLOORCONCRETE"}, {178, "RAILTRACK"},
  };
  for (const auto& row : published) {
    EXPECT_EQ(SaSurfaceName(row.Id), row.Name) << "id " << row.Id;
  }
  EXPECT_EQ(SaSurfaceName(-1), "?");
  EXPECT_EQ(SaSurfaceName(kSaSurfaceCount), "?");
}

TEST(SaSurfaceTable, IdsAreDenseAndNamesUnique) {
  std::set<std::string_view> names;
  for (std::size_t i = 0; i < SaSurfaces().size(); ++i) {
    EXPECT_EQ(SaSurfaces()[i].Id, i);
    EXPECT_FALSE(SaSurfaces()[i].Name.empty());
    EXPECT_TRUE(names.insert(SaSurfaces()[i].Name).second) << SaSurfaces()[i].Name;
  }
  EXPECT_EQ(names.size(), 179u);
}

TEST(SaSurfaceTable, BothMappingsAreTotalAndLandInRange) {
  for (int sa = -1; sa <= 255; ++sa) {
    int classic = ClassicMaterialForSa(sa);
    EXPECT_GE(classic, 0);
    EXPECT_LT(classic, kSurfaceTypeCount) << "SA " << sa;
  }
  for (int classic = -1; classic <= 255; ++classic) {
    int sa = SaMaterialForClassic(classic);
    EXPECT_GE(sa, 0);
    EXPECT_LT(sa, kSaSurfaceCount) << "III/VC " << classic;
  }
}

// Every III/VC surface has a San Andreas row of its own that maps back to it, so a COLL -> COL3
// -> COLL conversion keeps every surface.
TEST(SaSurfaceTable, EveryClassicSurfaceComesBackFromTheRoundTrip) {
  const SurfaceTypeTable& classic = SurfaceTypeTable::Defaults();
  for (int id = 0; id < kSurfaceTypeCount; ++id) {
    EXPECT_EQ(ClassicMaterialForSa(SaMaterialForClassic(id)), id)
        << classic.Name(id) << " -> " << SaSurfaceName(SaMaterialForClassic(id));
  }
}

}  // namespace
}  // namespace vantorel
