#include "core/sa_surface_table.h"

namespace vantorel {

namespace {

// The 35 surface types of GTA III / Vice City, by id, as core/surface_types.cpp names them.
enum Classic : std::uint8_t {
  Standard = 0,
  Street = 1,
  Grass = 2,
  Soil = 3,
  Dirt = 4,
  Beton = 5,
  Aluminum = 6,
  Glas = 7,
  MetalPole = 8,
  Door = 9,
  MetalSheet = 10,
  Metal = 11,
  SmallMetalPost = 12,
  LargeMetalPost = 13,
  MediumMetalPost = 14,
  Steel = 15,
  Fence = 16,
  Unknown17 = 17,
  Sand = 18,
  Water = 19,
  WoodenBox = 20,
  WoodenLathes = 21,
  Wood = 22,
  MetalBox = 23,
  MetalBox2 = 24,
  Hedge = 25,
  Rock = 26,
  MetalContainer = 27,
  MetalBarrel = 28,
  Unknown29 = 29,
  MetalCardBox = 30,
  Unknown31 = 31,
  GateBars = 32,
  Sand2 = 33,
  Grass2 = 34,
};

// The San Andreas surfaces, ids 0..178, named as the game's surfinfo.dat names them.
//
// Sources: the Multi Theft Auto wiki page "Material IDs"
// (wiki.multitheftauto.com/wiki/Material_IDs, the list of ids that surfinfo.dat initialises,
// with readable names and groups) and the 3DAndreas wiki page "Surfaces"
// (github.com/imshooter/3DAndreas/wiki/Surfaces: 62 is PED and 63 CAR). Ids 0..48, 62, 63 and
// every id the MTA page lists from 80 to 178 agree with these rows. The names of 49..56 and
// 64..79 follow surfinfo.dat's order as remembered, between those fixed points; five names
// between EMPTY2 and PED were not found, so 57..61 are placeholders and the places of 50..61 are
// unconfirmed. Check them against the sources before they reach the user (docs/col_formats.md).
//
// The third column is the mapping to III/VC: each material goes to the III/VC surface of its
// group: tarmac to Street; pavement and concrete (docks, industrial, poolside, stairs) to Beton;
// grass of every kind to Grass; gravel, mud, dirt, rubble and junk piles to Dirt; soil-like
// ground (flower beds, woodland, waste ground, corn fields) to Soil; sand to Sand; rock and cliffs
// to Rock; water, river beds and underwater to Water; hedges and bushes to Hedge; wood by kind;
// glass to Glas; metal by shape; whatever has no III/VC counterpart (cars, peds, plastic, cloth,
// carpet, indoor floors) to Standard.
constexpr std::array<SaSurface, kSaSurfaceCount> kSaSurfaces{{
    {0, "DEFAULT", Standard},
    {1, "TARMAC", Street},
    {2, "TARMAC_FUCKED", Street},
    {3, "TARMAC_REALLYFUCKED", Street},
    {4, "PAVEMENT", Beton},
    {5, "PAVEMENT_FUCKED", Beton},
    {6, "GRAVEL", Dirt},
    {7, "FUCKED_CONCRETE", Beton},
    {8, "PAINTED_GROUND", Street},
    {9, "GRASS_SHORT_LUSH", Grass},
    {10, "GRASS_MEDIUM_LUSH", Grass},
    {11, "GRASS_LONG_LUSH", Grass},
    {12, "GRASS_SHORT_DRY", Grass},
    {13, "GRASS_MEDIUM_DRY", Grass},
    {14, "GRASS_LONG_DRY", Grass},
    {15, "GOLFGRASS_ROUGH", Grass},
    {16, "GOLFGRASS_SMOOTH", Grass},
    {17, "STEEP_SLIDYGRASS", Grass},
    {18, "STEEP_CLIFF", Rock},
    {19, "FLOWERBED", Soil},
    {20, "MEADOW", Grass},
    {21, "WASTEGROUND", Soil},
    {22, "WOODLANDGROUND", Soil},
    {23, "VEGETATION", Hedge},
    {24, "MUD_WET", Dirt},
    {25, "MUD_DRY", Dirt},
    {26, "DIRT", Dirt},
    {27, "DIRTTRACK", Dirt},
    {28, "SAND_DEEP", Sand},
    {29, "SAND_MEDIUM", Sand},
    {30, "SAND_COMPACT", Sand},
    {31, "SAND_ARID", Sand},
    {32, "SAND_MORE", Sand},
    {33, "SAND_BEACH", Sand},
    {34, "CONCRETE_BEACH", Beton},
    {35, "ROCK_DRY", Rock},
    {36, "ROCK_WET", Rock},
    {37, "ROCK_CLIFF", Rock},
    {38, "WATER_RIVERBED", Water},
    {39, "WATER_SHALLOW", Water},
    {40, "CORNFIELD", Soil},
    {41, "HEDGE", Hedge},
    {42, "WOOD_CRATES", WoodenBox},
    {43, "WOOD_SOLID", Wood},
    {44, "WOOD_THIN", WoodenLathes},
    {45, "GLASS", Glas},
    {46, "GLASS_WINDOWS_LARGE", Glas},
    {47, "GLASS_WINDOWS_SMALL", Glas},
    {48, "EMPTY1", Standard},
    {49, "EMPTY2", Standard},
    {50, "GARAGE_DOOR", Door},
    {51, "THICK_METAL_PLATE", Metal},
    {52, "SCAFFOLD_POLE", MetalPole},
    {53, "LAMP_POST", MetalPole},
    {54, "FIRE_HYDRANT", SmallMetalPost},
    {55, "GIRDER", Steel},
    {56, "METAL_CHAIN_FENCE", GateBars},
    {57, "UNCONFIRMED_57", Standard},
    {58, "UNCONFIRMED_58", Standard},
    {59, "UNCONFIRMED_59", Standard},
    {60, "UNCONFIRMED_60", Standard},
    {61, "UNCONFIRMED_61", Standard},
    {62, "PED", Standard},
    {63, "CAR", Standard},
    {64, "CAR_PANEL", Standard},
    {65, "CAR_MOVINGCOMPONENT", Standard},
    {66, "TRANSPARENT_CLOTH", Standard},
    {67, "RUBBER", Standard},
    {68, "PLASTIC", Standard},
    {69, "TRANSPARENT_STONE", Standard},
    {70, "WOOD_BENCH", Wood},
    {71, "CARPET", Standard},
    {72, "FLOORBOARD", Wood},
    {73, "STAIRSWOOD", Wood},
    {74, "P_SAND", Sand},
    {75, "P_SAND_DENSE", Sand},
    {76, "P_SAND_ARID", Sand},
    {77, "P_SAND_COMPACT", Sand},
    {78, "P_SAND_ROCKY", Sand},
    {79, "P_SANDBEACH", Sand},
    {80, "P_GRASS_SHORT", Grass},
    {81, "P_GRASS_MEADOW", Grass},
    {82, "P_GRASS_DRY", Grass},
    {83, "P_WOODLAND", Soil},
    {84, "P_WOODDENSE", Soil},
    {85, "P_ROADSIDE", Dirt},
    {86, "P_ROADSIDEDES", Dirt},
    {87, "P_FLOWERBED", Soil},
    {88, "P_WASTEGROUND", Soil},
    {89, "P_CONCRETE", Beton},
    {90, "P_OFFICEDESK", Wood},
    {91, "P_711SHELF1", Standard},
    {92, "P_711SHELF2", Standard},
    {93, "P_711SHELF3", Standard},
    {94, "P_RESTUARANTTABLE", Wood},
    {95, "P_BARTABLE", Wood},
    {96, "P_UNDERWATERLUSH", Water},
    {97, "P_UNDERWATERBARREN", Water},
    {98, "P_UNDERWATERCORAL", Water},
    {99, "P_UNDERWATERDEEP", Water},
    {100, "P_RIVERBED", Water},
    {101, "P_RUBBLE", Dirt},
    {102, "P_BEDROOMFLOOR", Standard},
    {103, "P_KIRCHENFLOOR", Standard},
    {104, "P_LIVINGRMFLOOR", Standard},
    {105, "P_CORRIDORFLOOR", Standard},
    {106, "P_711FLOOR", Standard},
    {107, "P_FASTFOODFLOOR", Standard},
    {108, "P_SKANKYFLOOR", Standard},
    {109, "P_MOUNTAIN", Rock},
    {110, "P_MARSH", Dirt},
    {111, "P_BUSHY", Hedge},
    {112, "P_BUSHYMIX", Hedge},
    {113, "P_BUSHYDRY", Hedge},
    {114, "P_BUSHYMID", Hedge},
    {115, "P_GRASSWEEFLOWERS", Grass},
    {116, "P_GRASSDRYTALL", Grass},
    {117, "P_GRASSLUSHTALL", Grass},
    {118, "P_GRASSGRNMIX", Grass},
    {119, "P_GRASSBRNMIX", Grass},
    {120, "P_GRASSLOW", Grass},
    {121, "P_GRASSROCKY", Grass},
    {122, "P_GRASSSMALLTREES", Grass},
    {123, "P_DIRTROCKY", Dirt},
    {124, "P_DIRTWEEDS", Dirt},
    {125, "P_GRASSWEEDS", Grass},
    {126, "P_RIVEREDGE", Soil},
    {127, "P_POOLSIDE", Beton},
    {128, "P_FORESTSTUMPS", Soil},
    {129, "P_FORESTSTICKS", Soil},
    {130, "P_FORRESTLEAVES", Soil},
    {131, "P_DESERTROCKS", Rock},
    {132, "P_FORRESTDRY", Soil},
    {133, "P_SPARSEFLOWERS", Grass},
    {134, "P_BUILDINGSITE", Dirt},
    {135, "P_DOCKLANDS", Beton},
    {136, "P_INDUSTRIAL", Beton},
    {137, "P_INDUSTJETTY", Beton},
    {138, "P_CONCRETELITTER", Beton},
    {139, "P_ALLEYRUBISH", Beton},
    {140, "P_JUNKYARDPILES", Dirt},
    {141, "P_JUNKYARDGRND", Dirt},
    {142, "P_DUMP", Dirt},
    {143, "P_CACTUSDENSE", Sand},
    {144, "P_AIRPORTGRND", Beton},
    {145, "P_CORNFIELD", Soil},
    {146, "P_GRASSLIGHT", Grass},
    {147, "P_GRASSLIGHTER", Grass},
    {148, "P_GRASSLIGHTER2", Grass},
    {149, "P_GRASSMID1", Grass},
    {150, "P_GRASSMID2", Grass},
    {151, "P_GRASSDARK", Grass},
    {152, "P_GRASSDARK2", Grass},
    {153, "P_GRASSDIRTMIX", Grass},
    {154, "P_RIVERBEDSTONE", Water},
    {155, "P_RIVERBEDSHALLOW", Water},
    {156, "P_RIVERBEDWEEDS", Water},
    {157, "P_SEAWEED", Water},
    {158, "DOOR", Door},
    {159, "PLASTICBARRIER", Standard},
    {160, "PARKGRASS", Grass},
    {161, "STAIRSSTONE", Beton},
    {162, "STAIRSMETAL", Metal},
    {163, "STAIRSCARPET", Standard},
    {164, "FLOORMETAL", Metal},
    {165, "FLOORCONCRETE", Beton},
    {166, "BIN_BAG", Standard},
    {167, "THIN_METAL_SHEET", MetalSheet},
    {168, "METAL_BARREL", MetalBarrel},
    {169, "PLASTIC_CONE", Standard},
    {170, "PLASTIC_DUMPSTER", Standard},
    {171, "METAL_DUMPSTER", MetalContainer},
    {172, "WOOD_PICKET_FENCE", Fence},
    {173, "WOOD_SLATTED_FENCE", Fence},
    {174, "WOOD_RANCH_FENCE", Fence},
    {175, "UNBREAKABLE_GLASS", Glas},
    {176, "HAY_BALE", Standard},
    {177, "GORE", Standard},
    {178, "RAILTRACK", Steel},
}};

// The nearest San Andreas material for each III/VC surface type, by the same groups. Where III/VC
// names a shape SA has no row for (posts, boxes, containers) the nearest SA metal is used; the
// "?" types go to DEFAULT.
constexpr std::array<std::uint8_t, 35> kClassicToSa{{
    0,    // Standard -> DEFAULT
    1,    // Street -> TARMAC
    9,    // Grass -> GRASS_SHORT_LUSH
    22,   // Soil -> WOODLANDGROUND
    27,   // Dirt -> DIRTTRACK
    4,    // Beton -> PAVEMENT
    167,  // Aluminum -> THIN_METAL_SHEET
    45,   // Glas -> GLASS
    53,   // Metal Pole -> LAMP_POST
    158,  // Door -> DOOR
    167,  // Metal Sheet -> THIN_METAL_SHEET
    51,   // Metal -> THICK_METAL_PLATE
    53,   // Small Metal Post -> LAMP_POST
    55,   // Large Metal Post -> GIRDER
    53,   // Medium Metal Post -> LAMP_POST
    55,   // Steel -> GIRDER
    56,   // Fence -> METAL_CHAIN_FENCE
    0,    // ? -> DEFAULT
    29,   // Sand -> SAND_MEDIUM
    39,   // Water -> WATER_SHALLOW
    42,   // Wooden Box -> WOOD_CRATES
    44,   // Wooden Lathes -> WOOD_THIN
    43,   // Wood -> WOOD_SOLID
    51,   // Metal Box -> THICK_METAL_PLATE
    51,   // Metal Box -> THICK_METAL_PLATE
    41,   // Hedge -> HEDGE
    35,   // Rock -> ROCK_DRY
    171,  // Metal Container -> METAL_DUMPSTER
    168,  // Metal Barrel -> METAL_BARREL
    0,    // ? -> DEFAULT
    167,  // Metal Card Box -> THIN_METAL_SHEET
    0,    // ? -> DEFAULT
    56,   // Gate/Bars -> METAL_CHAIN_FENCE
    33,   // Sand 2 (VC) -> SAND_BEACH
    10,   // Grass 2 (VC) -> GRASS_MEDIUM_LUSH
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
    return Standard;
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
