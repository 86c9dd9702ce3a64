#include "core/coll_surfaces.h"

#include "core/sa_surface_table.h"

namespace vantorel {

MaterialTable MaterialTableOf(int collVersion) {
  return collVersion >= 2 ? MaterialTable::SanAndreas : MaterialTable::Classic;
}

int MaterialCount(MaterialTable table) {
  return table == MaterialTable::SanAndreas ? kSaSurfaceCount : kSurfaceTypeCount;
}

std::string_view MaterialName(MaterialTable table, int material, const SurfaceTypeTable& surfaces) {
  if (table == MaterialTable::SanAndreas) return SaSurfaceName(material);
  return surfaces.Name(material);
}

int ColorSurfaceType(MaterialTable table, int material) {
  if (table == MaterialTable::Classic) return material;
  if (material < 0 || material >= kSaSurfaceCount) return -1;
  return SaSurfaces()[static_cast<std::size_t>(material)].ClosestClassic;
}

std::uint32_t MaterialColor(MaterialTable table, int material, const SurfaceTypeTable& surfaces) {
  return surfaces.Color(ColorSurfaceType(table, material));
}

int MaterialInTable(int material, MaterialTable from, MaterialTable to) {
  if (material < 0 || from == to) return material;
  return to == MaterialTable::SanAndreas ? SaMaterialForClassic(material)
                                         : ClassicMaterialForSa(material);
}

}  // namespace vantorel
