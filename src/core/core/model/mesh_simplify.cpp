#include "core/model/mesh_simplify.h"

#include <meshoptimizer.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vantorel {

namespace {

constexpr std::uint32_t kUnset = UINT32_MAX;

// The triangles of one material over a compact vertex array of their own.
struct Group {
  std::vector<float> positions;        // x, y, z per local vertex
  std::vector<std::uint32_t> global;   // model vertex of each local vertex
  std::vector<std::uint32_t> indices;  // local, three per triangle
  std::vector<std::uint32_t> simplified;
  float error = 0;
};

std::vector<Group> SplitByMaterial(const Model& model) {
  std::vector<Group> groups(model.Materials.size());
  const TrianglesByMaterial byMaterial = GroupByMaterial(model);
  std::vector<std::uint32_t> local(model.Positions.size(), kUnset);
  for (std::size_t m = 0; m < groups.size(); ++m) {
    Group& g = groups[m];
    for (std::size_t k = byMaterial.starts[m]; k < byMaterial.starts[m + 1]; ++k) {
      const ModelTriangle& t = model.Triangles[byMaterial.order[k]];
      for (const std::uint32_t v : {t.A, t.B, t.C}) {
        if (local[v] == kUnset) {
          local[v] = static_cast<std::uint32_t>(g.global.size());
          g.global.push_back(v);
          const Vector3& p = model.Positions[v];
          g.positions.insert(g.positions.end(), {p.X, p.Y, p.Z});
        }
        g.indices.push_back(local[v]);
      }
    }
    for (const std::uint32_t v : g.global)
      local[v] = kUnset;
  }
  return groups;
}

std::size_t Simplify(Group& g, std::size_t targetFaces) {
  g.simplified.resize(g.indices.size());
  const std::size_t vertices = g.global.size();
  float relative = 0;
  const std::size_t count = meshopt_simplify(
      g.simplified.data(), g.indices.data(), g.indices.size(), g.positions.data(), vertices,
      3 * sizeof(float), targetFaces * 3, 1.0f, meshopt_SimplifyLockBorder, &relative);
  g.simplified.resize(count);
  g.error = relative * meshopt_simplifyScale(g.positions.data(), vertices, 3 * sizeof(float));
  return count / 3;
}

}  // namespace

SimplifyReport SimplifyMesh(Model& model, std::size_t maxFaces) {
  SimplifyReport report;
  report.FacesBefore = model.Triangles.size();
  report.FacesAfter = report.FacesBefore;
  if (report.FacesBefore <= maxFaces) return report;

  std::vector<Group> groups = SplitByMaterial(model);
  std::vector<std::size_t> targets(groups.size());
  for (std::size_t m = 0; m < groups.size(); ++m) {
    const std::size_t faces = groups[m].indices.size() / 3;
    targets[m] =
        static_cast<std::size_t>(static_cast<double>(maxFaces) * static_cast<double>(faces) /
                                 static_cast<double>(report.FacesBefore));
  }
  // Groups whose locked borders stop them short of their share push the others below theirs;
  // a few rounds settle it.
  std::vector<std::size_t> reached(groups.size());
  for (int round = 0; round < 4; ++round) {
    std::size_t total = 0;
    for (std::size_t m = 0; m < groups.size(); ++m) {
      reached[m] = groups[m].indices.empty() ? 0 : Simplify(groups[m], targets[m]);
      total += reached[m];
    }
    if (total <= maxFaces) break;
    std::size_t shrinkable = 0;
    for (std::size_t m = 0; m < groups.size(); ++m) {
      if (reached[m] <= targets[m]) shrinkable += reached[m];
    }
    if (shrinkable == 0) break;
    const double keep = std::max(
        0.0, 1.0 - static_cast<double>(total - maxFaces) / static_cast<double>(shrinkable));
    for (std::size_t m = 0; m < groups.size(); ++m) {
      if (reached[m] <= targets[m]) {
        targets[m] = static_cast<std::size_t>(static_cast<double>(reached[m]) * keep);
      }
    }
  }

  std::vector<ModelTriangle> triangles;
  for (std::uint32_t m = 0; m < groups.size(); ++m) {
    const Group& g = groups[m];
    report.Error = std::max(report.Error, g.error);
    for (std::size_t i = 0; i + 2 < g.simplified.size(); i += 3) {
      triangles.push_back({g.global[g.simplified[i]], g.global[g.simplified[i + 1]],
                           g.global[g.simplified[i + 2]], m});
    }
  }
  // Drop the vertices no face uses any more.
  std::vector<std::uint32_t> renumber(model.Positions.size(), kUnset);
  std::vector<Vector3> positions;
  for (ModelTriangle& t : triangles) {
    for (std::uint32_t* v : {&t.A, &t.B, &t.C}) {
      if (renumber[*v] == kUnset) {
        renumber[*v] = static_cast<std::uint32_t>(positions.size());
        positions.push_back(model.Positions[*v]);
      }
      *v = renumber[*v];
    }
  }
  model.Positions = std::move(positions);
  model.Triangles = std::move(triangles);
  report.FacesAfter = model.Triangles.size();
  return report;
}

}  // namespace vantorel
