#include "core/model/model.h"

namespace vantorel {

bool IndicesInRange(const Model& model) {
  const std::size_t vertices = model.Positions.size();
  const std::size_t materials = model.Materials.size();
  for (const ModelTriangle& t : model.Triangles) {
    if (t.A >= vertices || t.B >= vertices || t.C >= vertices || t.Material >= materials) {
      return false;
    }
  }
  return true;
}

}  // namespace vantorel
