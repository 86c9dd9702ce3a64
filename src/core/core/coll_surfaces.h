#pragma once

#include <cstdint>
#include <string_view>

#include "core/surface_types.h"

namespace vantorel {

// Which table a coll's Material bytes index follows from its version: a "COLL" coll names the 35
// III/VC surface types of the editable SurfaceTypeTable, the San Andreas kinds (COL2, COL3, COL4)
// the game's own 179 materials (core/sa_surface_table.h).
enum class MaterialTable : std::uint8_t { Classic, SanAndreas };

MaterialTable MaterialTableOf(int collVersion);
// How many materials have a row in the table: 35 or 179.
int MaterialCount(MaterialTable table);

// The name a material is shown with: the live table's for a "COLL" coll, the game's own for the
// San Andreas kinds; "?" past either table.
std::string_view MaterialName(MaterialTable table, int material, const SurfaceTypeTable& surfaces);

// The III/VC surface type whose colour in the live table a material is drawn in: the material
// itself for a "COLL" coll, the closest III/VC type of a San Andreas material, so that the colour
// settings serve both tables. A San Andreas id past its table gives -1, which like every id past
// the III/VC table draws in kUnknownSurfaceColor.
int ColorSurfaceType(MaterialTable table, int material);
std::uint32_t MaterialColor(MaterialTable table, int material, const SurfaceTypeTable& surfaces);

// A material of one table as the other names it, through the mapping between the tables; the
// same within one table. A negative value (nothing chosen yet) stays as it is.
int MaterialInTable(int material, MaterialTable from, MaterialTable to);

}  // namespace vantorel
