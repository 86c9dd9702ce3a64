#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/coll_records.h"
#include "core/model/model.h"
#include "core/model/surface_mapping.h"
#include "core/surface_types.h"

namespace vantorel {

struct MeshImportOptions {
  std::optional<std::size_t> MaxFaces;  // simplify to at most this many faces; none: as it is
};

// A coll with the model's mesh, or why there is none; Report is the one message either way.
struct MeshImport {
  std::optional<Coll> Result;
  std::string Report;
};

// Gives base (its header, spheres and boxes kept) the model's triangles as its vertices and
// faces: each material's surface from the mapping, equal vertices merged, faces that then use a
// vertex twice dropped, simplified when options ask for it, and the bounding sphere and box
// recomputed. The face groups of the old faces are dropped, which the report then says. The
// triangles of spheres and boxes that Export Mesh wrote as objects of their own
// (IsPrimitiveMaterial) are left out and counted in the report. Refused, with the limit and by how
// much, when the result breaks one of the game's limits, and when the model has no faces or a
// coordinate that is no finite number.
MeshImport FitModelToColl(const Coll& base, Model model, const SurfaceMapping& mapping,
                          const SurfaceTypeTable& table, const MeshImportOptions& options);

// The coll's mesh as a model: its vertices, and one material per surface its faces use, named
// with SurfaceMaterialName so that the mapping gives the faces back their surfaces. Refused
// when a face names a vertex the coll does not have. With withPrimitives, each sphere (a UV
// sphere) and box (12 triangles) follows the mesh as an object named "col_sphere_N" or
// "col_box_N" (N counted from 0, as the element lists count), with a material of its own named
// after the object and its surface; the mesh is then the object named after the coll.
Parsed<Model> CollMeshModel(const Coll& coll, const SurfaceTypeTable& table,
                            bool withPrimitives = false);

// Whether a material is one that CollMeshModel gives a sphere or a box: "col_sphere_" or
// "col_box_" and a digit.
bool IsPrimitiveMaterial(std::string_view name);

}  // namespace vantorel
