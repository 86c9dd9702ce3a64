#include "core/model/model.h"

#include <algorithm>

namespace vantorel {

TrianglesByMaterial GroupByMaterial(const Model& model, std::size_t first, std::size_t last) {
  last = std::min(last, model.Triangles.size());
  first = std::min(first, last);
  TrianglesByMaterial groups;
  groups.starts.assign(model.Materials.size() + 1, 0);
  for (std::size_t i = first; i < last; ++i)
    ++groups.starts[model.Triangles[i].Material + 1];
  for (std::size_t m = 1; m < groups.starts.size(); ++m) {
    groups.starts[m] += groups.starts[m - 1];
  }
  groups.order.resize(last - first);
  std::vector<std::size_t> next(groups.starts.begin(), groups.starts.end() - 1);
  for (std::size_t i = first; i < last; ++i) {
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
