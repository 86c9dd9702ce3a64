#include "core/model/model.h"

namespace vantorel {

TrianglesByMaterial GroupByMaterial(const Model& model) {
  TrianglesByMaterial groups;
  groups.starts.assign(model.Materials.size() + 1, 0);
  for (const ModelTriangle& t : model.Triangles)
    ++groups.starts[t.Material + 1];
  for (std::size_t m = 1; m < groups.starts.size(); ++m) {
    groups.starts[m] += groups.starts[m - 1];
  }
  groups.order.resize(model.Triangles.size());
  std::vector<std::size_t> next(groups.starts.begin(), groups.starts.end() - 1);
  for (std::size_t i = 0; i < model.Triangles.size(); ++i) {
    groups.order[next[model.Triangles[i].Material]++] = static_cast<std::uint32_t>(i);
  }
  return groups;
}

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
