#pragma once

#include <cstddef>

#include "core/model/model.h"

namespace vantorel {

struct SimplifyReport {
  std::size_t FacesBefore = 0;
  std::size_t FacesAfter = 0;  // more than asked when locked borders leave nothing to collapse
  float Error = 0;             // the largest deviation from the original, in model units
};

// Simplifies the mesh to at most maxFaces triangles where it can. Each material's triangles are
// simplified on their own with their open borders locked, so the borders between materials (give
// it a model whose materials are surfaces) and the mesh's own open edges stay where they are.
// The face budget is shared out by each material's share of the faces. Vertices no face uses
// any more are dropped. Expects equal vertices merged first (MergeEqualVertices): the simplifier
// sees only shared vertices as connected.
SimplifyReport SimplifyMesh(Model& model, std::size_t maxFaces);

}  // namespace vantorel
