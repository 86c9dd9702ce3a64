#include "ops/mesh_import.h"

#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/bounds.h"
#include "core/coll_surfaces.h"
#include "core/face_groups.h"
#include "core/model/coll_limits.h"
#include "core/model/mesh_simplify.h"
#include "core/model/primitive_meshes.h"
#include "core/model/vertex_merge.h"
#include "core/sa_surface_table.h"
#include "core/windows1252.h"

namespace vantorel {

namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr std::string_view kSpherePrefix = "col_sphere_";
constexpr std::string_view kBoxPrefix = "col_box_";

bool AllFinite(const std::vector<Vector3>& positions) {
  for (const Vector3& p : positions) {
    if (!std::isfinite(p.X) || !std::isfinite(p.Y) || !std::isfinite(p.Z)) return false;
  }
  return true;
}

// The model with its materials replaced by surfaces: material i of the result is surface i, so
// that the simplifier keeps the borders between surfaces.
Model WithSurfacesAsMaterials(Model model, const SurfaceMapping& mapping,
                              const SurfaceTypeTable& table) {
  std::vector<std::uint32_t> surfaceOf(model.Materials.size());
  for (std::size_t m = 0; m < model.Materials.size(); ++m)
    surfaceOf[m] = SurfaceFor(mapping, model.Materials[m], table);
  for (ModelTriangle& t : model.Triangles)
    t.Material = surfaceOf[t.Material];
  model.Materials.assign(kSurfaceTypeCount, {});
  return model;
}

// Leaves out the triangles of spheres and boxes written by Export Mesh; returns how many.
std::size_t LeaveOutPrimitives(Model& model) {
  std::vector<bool> primitive(model.Materials.size());
  for (std::size_t m = 0; m < model.Materials.size(); ++m)
    primitive[m] = IsPrimitiveMaterial(model.Materials[m].Name);
  const std::size_t before = model.Triangles.size();
  std::erase_if(model.Triangles, [&](const ModelTriangle& t) { return primitive[t.Material]; });
  return before - model.Triangles.size();
}

std::string FacesPerSurface(const std::vector<CollFace>& faces, MaterialTable which,
                            const SurfaceTypeTable& table) {
  std::array<std::size_t, 256> counts{};
  for (const CollFace& face : faces)
    ++counts[face.Surface.Material];
  std::string text = "Faces per surface:";
  for (int s = 0; s < 256; ++s) {
    if (counts[static_cast<std::size_t>(s)] == 0) continue;
    text += kLineEnd;
    text += "  " + std::to_string(s) + " " + std::string(MaterialName(which, s, table)) + ": " +
            std::to_string(counts[static_cast<std::size_t>(s)]);
  }
  return text;
}

// A surface outside the table is written by its number, which maps to the default. A San
// Andreas material goes out under the game's own name.
std::string MaterialNameOf(std::uint8_t surface, MaterialTable which,
                           const SurfaceTypeTable& table) {
  if (surface >= MaterialCount(which)) return "surface_" + std::to_string(surface);
  if (which == MaterialTable::SanAndreas) return std::string(MaterialName(which, surface, table));
  return SurfaceMaterialName(surface, table);
}

// Each sphere and box as an object of its own after the mesh, with a material of its own that
// names the object and its surface ("col_box_0_Beton"): import leaves such faces out.
void AppendPrimitiveObjects(const Coll& coll, const SurfaceTypeTable& table, Model& model) {
  const MaterialTable which = MaterialTableOf(coll.Version());
  if (coll.Spheres.empty() && coll.Boxes.empty()) return;
  model.Objects.push_back({Windows1252ToUtf8(HeaderName(coll.Header)), 0});
  const auto begin = [&](const std::string& name, const Surface& surface) {
    model.Objects.push_back({name, model.Triangles.size()});
    model.Materials.push_back({name + "_" + MaterialNameOf(surface.Material, which, table), {}});
    return static_cast<std::uint32_t>(model.Materials.size() - 1);
  };
  for (std::size_t i = 0; i < coll.Spheres.size(); ++i) {
    const CollSphere& sphere = coll.Spheres[i];
    const std::uint32_t material =
        begin(std::string(kSpherePrefix) + std::to_string(i), sphere.Surface);
    AppendSphereMesh(model, sphere.Center, sphere.Radius, material);
  }
  for (std::size_t i = 0; i < coll.Boxes.size(); ++i) {
    const CollBox& box = coll.Boxes[i];
    const std::uint32_t material = begin(std::string(kBoxPrefix) + std::to_string(i), box.Surface);
    AppendBoxMesh(model, box.Min, box.Max, material);
  }
}

}  // namespace

bool IsPrimitiveMaterial(std::string_view name) {
  const auto numbered = [name](std::string_view prefix) {
    return name.size() > prefix.size() && name.substr(0, prefix.size()) == prefix &&
           std::isdigit(static_cast<unsigned char>(name[prefix.size()]));
  };
  return numbered(kSpherePrefix) || numbered(kBoxPrefix);
}

MeshImport FitModelToColl(const Coll& base, Model model, const SurfaceMapping& mapping,
                          const SurfaceTypeTable& table, const MeshImportOptions& options) {
  const std::size_t trianglesRead = model.Triangles.size();
  if (trianglesRead == 0) return {std::nullopt, "The model has no triangles: nothing to import."};
  const std::size_t primitiveFaces = LeaveOutPrimitives(model);
  if (model.Triangles.empty()) {
    return {std::nullopt,
            "The model's triangles are all spheres and boxes written by Export Mesh: nothing to "
            "import."};
  }
  if (!AllFinite(model.Positions)) {
    return {std::nullopt, "The model has a coordinate that is no finite number: nothing imported."};
  }
  model = WithSurfacesAsMaterials(std::move(model), mapping, table);
  const MergeReport merged = MergeEqualVertices(model);
  std::string report = "Triangles read: " + std::to_string(trianglesRead) + kLineEnd +
                       "Vertices after merging: " + std::to_string(model.Positions.size()) +
                       kLineEnd + "Faces dropped: " + std::to_string(merged.FacesDropped);
  if (primitiveFaces > 0) {
    report += kLineEnd;
    report += "Faces of spheres and boxes left out: " + std::to_string(primitiveFaces);
  }
  if (options.MaxFaces) {
    const SimplifyReport simplified = SimplifyMesh(model, *options.MaxFaces);
    report += kLineEnd;
    report += "Faces after simplifying to at most " + std::to_string(*options.MaxFaces) + ": " +
              std::to_string(simplified.FacesAfter) + " (" +
              std::to_string(model.Positions.size()) + " vertices), geometric error " +
              std::to_string(simplified.Error) + " units";
  }
  if (model.Triangles.empty()) {
    return {std::nullopt, report + kLineEnd + "No face is left: nothing imported."};
  }

  Coll coll = base;
  // The new faces replace every old one, so no face group of the old mesh is left.
  const std::vector<int> oldFacesRemoved(coll.Faces.size(), kRemovedFace);
  coll.Vertices = model.Positions;
  coll.Faces.clear();
  coll.Faces.reserve(model.Triangles.size());
  for (const ModelTriangle& t : model.Triangles) {
    CollFace face;
    face.A = static_cast<std::int32_t>(t.A);
    face.B = static_cast<std::int32_t>(t.B);
    face.C = static_cast<std::int32_t>(t.C);
    face.Surface.Material = static_cast<std::uint8_t>(t.Material);
    coll.Faces.push_back(face);
  }
  // The mapping names III/VC surfaces; a San Andreas coll stores each as its own row for it.
  const MaterialTable which = MaterialTableOf(coll.Version());
  if (which == MaterialTable::SanAndreas) {
    for (CollFace& face : coll.Faces)
      face.Surface.Material =
          static_cast<std::uint8_t>(SaMaterialForClassic(face.Surface.Material));
  }
  report += kLineEnd + FacesPerSurface(coll.Faces, which, table);
  const std::string groups = FaceGroupsRebuildText(RemapFaceGroups(coll, oldFacesRemoved));
  if (!groups.empty()) report += kLineEnd + groups;

  const std::vector<std::string> breaks = CollLimitBreaks(coll.Spheres.size(), coll.Boxes.size(),
                                                          coll.Vertices.size(), coll.Faces.size());
  if (!breaks.empty()) {
    report += kLineEnd;
    report += "The mesh breaks the game's limits, nothing imported:";
    for (const std::string& limit : breaks)
      report += kLineEnd + ("  " + limit);
    return {std::nullopt, report};
  }
  StoreBoundingObjects(coll.Header, ComputeBoundingObjects(coll));
  return {std::move(coll), report};
}

Parsed<Model> CollMeshModel(const Coll& coll, const SurfaceTypeTable& table, bool withPrimitives) {
  Model model;
  const auto missing = [&](std::int32_t index) { return index < 0 || index >= coll.VertexCount(); };
  for (std::size_t f = 0; f < coll.Faces.size(); ++f) {
    const CollFace& face = coll.Faces[f];
    if (missing(face.A) || missing(face.B) || missing(face.C)) {
      return Parsed<Model>::Failure("Face " + std::to_string(f) +
                                    " names a vertex the coll does not have: nothing exported.");
    }
  }
  model.Positions = coll.Vertices;
  const MaterialTable which = MaterialTableOf(coll.Version());
  std::array<std::optional<std::uint32_t>, 256> materialOf{};
  for (const CollFace& face : coll.Faces) {
    std::optional<std::uint32_t>& material = materialOf[face.Surface.Material];
    if (!material) {
      material = static_cast<std::uint32_t>(model.Materials.size());
      const std::uint8_t surface = face.Surface.Material;
      model.Materials.push_back({MaterialNameOf(surface, which, table), {}});
    }
    model.Triangles.push_back({static_cast<std::uint32_t>(face.A),
                               static_cast<std::uint32_t>(face.B),
                               static_cast<std::uint32_t>(face.C), *material});
  }
  if (withPrimitives) AppendPrimitiveObjects(coll, table, model);
  return {std::move(model), {}};
}

}  // namespace vantorel
