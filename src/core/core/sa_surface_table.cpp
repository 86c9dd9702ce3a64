#include "core/sa_surface_table.h"

namespace vantorel {

namespace {

// The 35 surface types of GTA III / Vice City by id, named as those games name them (the names
// Vantorel shows for them, core/surface_types.cpp, come from older tools and differ for some ids:
// 6, 8, 17, 27..32). Source: the games' own surface list, ids 0..34, as published with the
// reverse-engineered III/VC sources (enum eSurfaceType); docs/col_formats.md names the sources.
enum Classic : std::uint8_t {
  kDefault = 0,
  kTarmac = 1,
  kGrass = 2,
  kGravel = 3,
  kMudDry = 4,
  kPavement = 5,
  kCar = 6,
  kGlass = 7,
  kTransparentCloth = 8,
  kGarageDoor = 9,
  kCarPanel = 10,
  kThickMetalPlate = 11,
  kScaffoldPole = 12,
  kLampPost = 13,
  kFireHydrant = 14,
  kGirder = 15,
  kMetalChainFence = 16,
  kPed = 17,
  kSand = 18,
  kWater = 19,
  kWoodCrates = 20,
  kWoodBench = 21,
  kWoodSolid = 22,
  kRubber = 23,
  kPlastic = 24,
  kHedge = 25,
  kSteepCliff = 26,
  kContainer = 27,
  kNewsVendor = 28,
  kWheelbase = 29,
  kCardboardbox = 30,
  kTransparentStone = 31,
  kMetalGate = 32,
  kSandBeach = 33,
  kConcreteBeach = 34,
};

// The San Andreas surfaces, ids 0..178, named as the game's surfinfo.dat names them.
//
// Sources: the Multi Theft Auto wiki page "Material IDs"
// (wiki.multitheftauto.com/wiki/Material_IDs: ids, readable names and groups), the 3DAndreas wiki
// page "Surfaces" (62 is PED, 63 CAR), and the game's surface enum and its surfinfo.dat name list
// (SURFACE_DEFAULT = 0 .. SURFACE_RAILTRACK = 178) as published with the reverse-engineered San
// Andreas sources, which numbers every row, 50..61 included. docs/col_formats.md lists the sources.
//
// The third column is the mapping to III/VC. A material whose name III/VC also has goes to that
// surface (GARAGE_DOOR, CAR, PED, the metal shapes, ...). The rest goes to the III/VC surface of
// its group: tarmac to TARMAC; pavement, concrete, docks, poolside, stone stairs to PAVEMENT;
// grass of every kind, corn fields and sparse flowers to GRASS; gravel, rubble, junk piles and
// road sides to GRAVEL; mud, dirt, flower beds, woodland and waste ground to MUD_DRY; sand to SAND;
// rock, cliffs and mountains to STEEP_CLIFF; water and river beds to WATER; bushes to HEDGE; wood,
// wooden floors, tables and fences to WOOD_SOLID; glass to GLASS; metal floors, stairs and sheets
// to THICK_METAL_PLATE; barrels and dumpsters to CONTAINER; plastic things to PLASTIC; carpets,
// indoor floors, shelves and hay to DEFAULT.
constexpr std::array<SaSurface, kSaSurfaceCount> kSaSurfaces{{
    {0, "DEFAULT", kDefault},
    {1, "TARMAC", kTarmac},
    {2, "TARMAC_FUCKED", kTarmac},
    {3, "TARMAC_REALLYFUCKED", kTarmac},
    {4, "PAVEMENT", kPavement},
    {5, "PAVEMENT_FUCKED", kPavement},
    {6, "GRAVEL", kGravel},
    {7, "FUCKED_CONCRETE", kPavement},
    {8, "PAINTED_GROUND", kTarmac},
    {9, "GRASS_SHORT_LUSH", kGrass},
    {10, "GRASS_MEDIUM_LUSH", kGrass},
    {11, "GRASS_LONG_LUSH", kGrass},
    {12, "GRASS_SHORT_DRY", kGrass},
    {13, "GRASS_MEDIUM_DRY", kGrass},
    {14, "GRASS_LONG_DRY", kGrass},
    {15, "GOLFGRASS_ROUGH", kGrass},
    {16, "GOLFGRASS_SMOOTH", kGrass},
    {17, "STEEP_SLIDYGRASS", kGrass},
    {18, "STEEP_CLIFF", kSteepCliff},
    {19, "FLOWERBED", kMudDry},
    {20, "MEADOW", kGrass},
    {21, "WASTEGROUND", kMudDry},
    {22, "WOODLANDGROUND", kMudDry},
    {23, "VEGETATION", kHedge},
    {24, "MUD_WET", kMudDry},
    {25, "MUD_DRY", kMudDry},
    {26, "DIRT", kMudDry},
    {27, "DIRTTRACK", kMudDry},
    {28, "SAND_DEEP", kSand},
    {29, "SAND_MEDIUM", kSand},
    {30, "SAND_COMPACT", kSand},
    {31, "SAND_ARID", kSand},
    {32, "SAND_MORE", kSand},
    {33, "SAND_BEACH", kSandBeach},
    {34, "CONCRETE_BEACH", kConcreteBeach},
    {35, "ROCK_DRY", kSteepCliff},
    {36, "ROCK_WET", kSteepCliff},
    {37, "ROCK_CLIFF", kSteepCliff},
    {38, "WATER_RIVERBED", kWater},
    {39, "WATER_SHALLOW", kWater},
    {40, "CORNFIELD", kGrass},
    {41, "HEDGE", kHedge},
    {42, "WOOD_CRATES", kWoodCrates},
    {43, "WOOD_SOLID", kWoodSolid},
    {44, "WOOD_THIN", kWoodSolid},
    {45, "GLASS", kGlass},
    {46, "GLASS_WINDOWS_LARGE", kGlass},
    {47, "GLASS_WINDOWS_SMALL", kGlass},
    {48, "EMPTY1", kDefault},
    {49, "EMPTY2", kDefault},
    {50, "GARAGE_DOOR", kGarageDoor},
    {51, "THICK_METAL_PLATE", kThickMetalPlate},
    {52, "SCAFFOLD_POLE", kScaffoldPole},
    {53, "LAMP_POST", kLampPost},
    {54, "METAL_GATE", kMetalGate},
    {55, "METAL_CHAIN_FENCE", kMetalChainFence},
    {56, "GIRDER", kGirder},
    {57, "FIRE_HYDRANT", kFireHydrant},
    {58, "CONTAINER", kContainer},
    {59, "NEWS_VENDOR", kNewsVendor},
    {60, "WHEELBASE", kWheelbase},
    {61, "CARDBOARDBOX", kCardboardbox},
    {62, "PED", kPed},
    {63, "CAR", kCar},
    {64, "CAR_PANEL", kCarPanel},
    {65, "CAR_MOVINGCOMPONENT", kCarPanel},
    {66, "TRANSPARENT_CLOTH", kTransparentCloth},
    {67, "RUBBER", kRubber},
    {68, "PLASTIC", kPlastic},
    {69, "TRANSPARENT_STONE", kTransparentStone},
    {70, "WOOD_BENCH", kWoodBench},
    {71, "CARPET", kDefault},
    {72, "FLOORBOARD", kWoodSolid},
    {73, "STAIRSWOOD", kWoodSolid},
    {74, "P_SAND", kSand},
    {75, "P_SAND_DENSE", kSand},
    {76, "P_SAND_ARID", kSand},
    {77, "P_SAND_COMPACT", kSand},
    {78, "P_SAND_ROCKY", kSand},
    {79, "P_SANDBEACH", kSandBeach},
    {80, "P_GRASS_SHORT", kGrass},
    {81, "P_GRASS_MEADOW", kGrass},
    {82, "P_GRASS_DRY", kGrass},
    {83, "P_WOODLAND", kMudDry},
    {84, "P_WOODDENSE", kMudDry},
    {85, "P_ROADSIDE", kGravel},
    {86, "P_ROADSIDEDES", kGravel},
    {87, "P_FLOWERBED", kMudDry},
    {88, "P_WASTEGROUND", kMudDry},
    {89, "P_CONCRETE", kPavement},
    {90, "P_OFFICEDESK", kWoodSolid},
    {91, "P_711SHELF1", kDefault},
    {92, "P_711SHELF2", kDefault},
    {93, "P_711SHELF3", kDefault},
    {94, "P_RESTUARANTTABLE", kWoodSolid},
    {95, "P_BARTABLE", kWoodSolid},
    {96, "P_UNDERWATERLUSH", kWater},
    {97, "P_UNDERWATERBARREN", kWater},
    {98, "P_UNDERWATERCORAL", kWater},
    {99, "P_UNDERWATERDEEP", kWater},
    {100, "P_RIVERBED", kWater},
    {101, "P_RUBBLE", kGravel},
    {102, "P_BEDROOMFLOOR", kDefault},
    {103, "P_KIRCHENFLOOR", kDefault},
    {104, "P_LIVINGRMFLOOR", kDefault},
    {105, "P_CORRIDORFLOOR", kDefault},
    {106, "P_711FLOOR", kDefault},
    {107, "P_FASTFOODFLOOR", kDefault},
    {108, "P_SKANKYFLOOR", kDefault},
    {109, "P_MOUNTAIN", kSteepCliff},
    {110, "P_MARSH", kMudDry},
    {111, "P_BUSHY", kHedge},
    {112, "P_BUSHYMIX", kHedge},
    {113, "P_BUSHYDRY", kHedge},
    {114, "P_BUSHYMID", kHedge},
    {115, "P_GRASSWEEFLOWERS", kGrass},
    {116, "P_GRASSDRYTALL", kGrass},
    {117, "P_GRASSLUSHTALL", kGrass},
    {118, "P_GRASSGRNMIX", kGrass},
    {119, "P_GRASSBRNMIX", kGrass},
    {120, "P_GRASSLOW", kGrass},
    {121, "P_GRASSROCKY", kGrass},
    {122, "P_GRASSSMALLTREES", kGrass},
    {123, "P_DIRTROCKY", kMudDry},
    {124, "P_DIRTWEEDS", kMudDry},
    {125, "P_GRASSWEEDS", kGrass},
    {126, "P_RIVEREDGE", kMudDry},
    {127, "P_POOLSIDE", kPavement},
    {128, "P_FORESTSTUMPS", kMudDry},
    {129, "P_FORESTSTICKS", kMudDry},
    {130, "P_FORRESTLEAVES", kMudDry},
    {131, "P_DESERTROCKS", kSteepCliff},
    {132, "P_FORRESTDRY", kMudDry},
    {133, "P_SPARSEFLOWERS", kGrass},
    {134, "P_BUILDINGSITE", kGravel},
    {135, "P_DOCKLANDS", kPavement},
    {136, "P_INDUSTRIAL", kPavement},
    {137, "P_INDUSTJETTY", kPavement},
    {138, "P_CONCRETELITTER", kPavement},
    {139, "P_ALLEYRUBISH", kPavement},
    {140, "P_JUNKYARDPILES", kGravel},
    {141, "P_JUNKYARDGRND", kGravel},
    {142, "P_DUMP", kGravel},
    {143, "P_CACTUSDENSE", kSand},
    {144, "P_AIRPORTGRND", kPavement},
    {145, "P_CORNFIELD", kGrass},
    {146, "P_GRASSLIGHT", kGrass},
    {147, "P_GRASSLIGHTER", kGrass},
    {148, "P_GRASSLIGHTER2", kGrass},
    {149, "P_GRASSMID1", kGrass},
    {150, "P_GRASSMID2", kGrass},
    {151, "P_GRASSDARK", kGrass},
    {152, "P_GRASSDARK2", kGrass},
    {153, "P_GRASSDIRTMIX", kGrass},
    {154, "P_RIVERBEDSTONE", kWater},
    {155, "P_RIVERBEDSHALLOW", kWater},
    {156, "P_RIVERBEDWEEDS", kWater},
    {157, "P_SEAWEED", kWater},
    {158, "DOOR", kGarageDoor},
    {159, "PLASTICBARRIER", kPlastic},
    {160, "PARKGRASS", kGrass},
    {161, "STAIRSSTONE", kPavement},
    {162, "STAIRSMETAL", kThickMetalPlate},
    {163, "STAIRSCARPET", kDefault},
    {164, "FLOORMETAL", kThickMetalPlate},
    {165, "FLOORCONCRETE", kPavement},
    {166, "BIN_BAG", kPlastic},
    {167, "THIN_METAL_SHEET", kThickMetalPlate},
    {168, "METAL_BARREL", kContainer},
    {169, "PLASTIC_CONE", kPlastic},
    {170, "PLASTIC_DUMPSTER", kPlastic},
    {171, "METAL_DUMPSTER", kContainer},
    {172, "WOOD_PICKET_FENCE", kWoodSolid},
    {173, "WOOD_SLATTED_FENCE", kWoodSolid},
    {174, "WOOD_RANCH_FENCE", kWoodSolid},
    {175, "UNBREAKABLE_GLASS", kGlass},
    {176, "HAY_BALE", kDefault},
    {177, "GORE", kPed},
    {178, "RAILTRACK", kGirder},
}};

// The San Andreas material for each III/VC surface type: the row of the same name, or for GRASS,
// SAND and WATER (which SA splits by kind) the plainest row of that kind. Each maps back to where
// it came from, so COLL -> COL3 -> COLL keeps every surface.
constexpr std::array<std::uint8_t, 35> kClassicToSa{{
    0,   // DEFAULT -> DEFAULT
    1,   // TARMAC -> TARMAC
    9,   // GRASS -> GRASS_SHORT_LUSH
    6,   // GRAVEL -> GRAVEL
    25,  // MUD_DRY -> MUD_DRY
    4,   // PAVEMENT -> PAVEMENT
    63,  // CAR -> CAR
    45,  // GLASS -> GLASS
    66,  // TRANSPARENT_CLOTH -> TRANSPARENT_CLOTH
    50,  // GARAGE_DOOR -> GARAGE_DOOR
    64,  // CAR_PANEL -> CAR_PANEL
    51,  // THICK_METAL_PLATE -> THICK_METAL_PLATE
    52,  // SCAFFOLD_POLE -> SCAFFOLD_POLE
    53,  // LAMP_POST -> LAMP_POST
    57,  // FIRE_HYDRANT -> FIRE_HYDRANT
    56,  // GIRDER -> GIRDER
    55,  // METAL_CHAIN_FENCE -> METAL_CHAIN_FENCE
    62,  // PED -> PED
    29,  // SAND -> SAND_MEDIUM
    39,  // WATER -> WATER_SHALLOW
    42,  // WOOD_CRATES -> WOOD_CRATES
    70,  // WOOD_BENCH -> WOOD_BENCH
    43,  // WOOD_SOLID -> WOOD_SOLID
    67,  // RUBBER -> RUBBER
    68,  // PLASTIC -> PLASTIC
    41,  // HEDGE -> HEDGE
    18,  // STEEP_CLIFF -> STEEP_CLIFF
    58,  // CONTAINER -> CONTAINER
    59,  // NEWS_VENDOR -> NEWS_VENDOR
    60,  // WHEELBASE -> WHEELBASE
    61,  // CARDBOARDBOX -> CARDBOARDBOX
    69,  // TRANSPARENT_STONE -> TRANSPARENT_STONE
    54,  // METAL_GATE -> METAL_GATE
    33,  // SAND_BEACH -> SAND_BEACH
    34,  // CONCRETE_BEACH -> CONCRETE_BEACH
}};

constexpr bool RowsInIdOrder() {
  for (std::size_t i = 0; i < kSaSurfaces.size(); ++i) {
    if (std::size_t{kSaSurfaces[i].Id} != i ||
        std::size_t{kSaSurfaces[i].ClosestClassic} >= kClassicToSa.size()) {
      return false;
    }
  }
  for (std::uint8_t sa : kClassicToSa) {
    if (std::size_t{sa} >= kSaSurfaces.size()) {
      return false;
    }
  }
  return true;
}
static_assert(RowsInIdOrder(), "SA surface rows must be in id order and map inside both tables");

}  // namespace

const std::array<SaSurface, kSaSurfaceCount>& SaSurfaces() {
  return kSaSurfaces;
}

const std::array<std::uint8_t, 35>& ClassicToSaSurfaces() {
  return kClassicToSa;
}

int SaMaterialForClassic(int classicMaterial) {
  if (classicMaterial < 0 || classicMaterial >= static_cast<int>(kClassicToSa.size())) {
    return 0;
  }
  return kClassicToSa[static_cast<std::size_t>(classicMaterial)];
}

int ClassicMaterialForSa(int saMaterial) {
  if (saMaterial < 0 || saMaterial >= kSaSurfaceCount) {
    return kDefault;
  }
  return kSaSurfaces[static_cast<std::size_t>(saMaterial)].ClosestClassic;
}

std::string_view SaSurfaceName(int saMaterial) {
  if (saMaterial < 0 || saMaterial >= kSaSurfaceCount) {
    return "?";
  }
  return kSaSurfaces[static_cast<std::size_t>(saMaterial)].Name;
}

}  // namespace vantorel
