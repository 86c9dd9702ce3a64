#pragma once

#include <cstddef>

#include "core/model/model.h"

namespace vantorel {

struct MergeReport {
  std::size_t VerticesBefore = 0;
  std::size_t VerticesAfter = 0;
  std::size_t FacesDropped = 0;  // faces that used one vertex twice once equal ones were merged
};

// Makes vertices with exactly equal coordinates one (0 and -0 are equal), drops the faces that
// then use a vertex twice, and keeps only the vertices the remaining faces use, in the order
// they are first used. Faces keep their order and materials.
MergeReport MergeEqualVertices(Model& model);

}  // namespace vantorel
