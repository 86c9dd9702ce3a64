#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/coll_records.h"

namespace vantorel {

// A material of a model as the 3D tools name it; either name may be empty.
struct ModelMaterial {
  std::string Name;
  std::string Texture;
};

// A triangle over Model::Positions with the index of its material in Model::Materials.
struct ModelTriangle {
  std::uint32_t A = 0;
  std::uint32_t B = 0;
  std::uint32_t C = 0;
  std::uint32_t Material = 0;
};

// A named part of a model: the triangles from FirstTriangle up to the next object's first.
struct ModelObject {
  std::string Name;
  std::size_t FirstTriangle = 0;
};

// What every model reader returns: an indexed triangle mesh with one material per triangle, placed
// in the model's own coordinates (frames and node transforms already applied). The readers
// guarantee that every index is in range.
struct Model {
  std::vector<Vector3> Positions;
  std::vector<ModelTriangle> Triangles;
  std::vector<ModelMaterial> Materials;
  // Ascending FirstTriangle, the first at 0; empty: the model is one unnamed object. Readers
  // leave it empty; writers give each object a name of its own.
  std::vector<ModelObject> Objects;
};

// The value of a reader, or why there is none.
template <class T>
struct Parsed {
  std::optional<T> Value;
  std::string Error;  // set when Value is empty

  static Parsed Failure(std::string error) { return {std::nullopt, std::move(error)}; }
};

// The model's triangle indices grouped by material, in their order within each material: the
// triangles of material m are order[starts[m]] up to order[starts[m + 1]]. One pass, whatever
// the number of materials. Only the triangles from first up to last are grouped.
struct TrianglesByMaterial {
  std::vector<std::uint32_t> order;
  std::vector<std::size_t> starts;  // one more than there are materials
};
TrianglesByMaterial GroupByMaterial(const Model& model, std::size_t first = 0,
                                    std::size_t last = SIZE_MAX);

// Whether every triangle's vertex and material indices lie inside the model's arrays.
bool IndicesInRange(const Model& model);

}  // namespace vantorel
