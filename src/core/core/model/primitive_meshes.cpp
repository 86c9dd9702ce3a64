#include "core/model/primitive_meshes.h"

#include <cmath>
#include <numbers>

namespace vantorel {

void AppendSphereMesh(Model& model, const Vector3& center, float radius, std::uint32_t material) {
  const auto base = static_cast<std::uint32_t>(model.Positions.size());
  const auto ring = [](int stack) {
    return static_cast<double>(stack) * std::numbers::pi / kSphereStacks;
  };
  model.Positions.push_back({center.X, center.Y, center.Z + radius});
  for (int stack = 1; stack < kSphereStacks; ++stack) {
    const double z = std::cos(ring(stack));
    const double r = std::sin(ring(stack));
    for (int slice = 0; slice < kSphereSlices; ++slice) {
      const double a = 2 * std::numbers::pi * slice / kSphereSlices;
      model.Positions.push_back({center.X + static_cast<float>(radius * r * std::cos(a)),
                                 center.Y + static_cast<float>(radius * r * std::sin(a)),
                                 center.Z + static_cast<float>(radius * z)});
    }
  }
  model.Positions.push_back({center.X, center.Y, center.Z - radius});
  const std::uint32_t south = static_cast<std::uint32_t>(model.Positions.size()) - 1;
  // Vertex of ring stack (1 .. stacks - 1) and slice, wrapping around the axis.
  const auto at = [base](int stack, int slice) {
    return base + 1 +
           static_cast<std::uint32_t>((stack - 1) * kSphereSlices + slice % kSphereSlices);
  };
  for (int slice = 0; slice < kSphereSlices; ++slice) {
    model.Triangles.push_back({base, at(1, slice), at(1, slice + 1), material});
    for (int stack = 1; stack + 1 < kSphereStacks; ++stack) {
      model.Triangles.push_back(
          {at(stack, slice), at(stack + 1, slice), at(stack + 1, slice + 1), material});
      model.Triangles.push_back(
          {at(stack, slice), at(stack + 1, slice + 1), at(stack, slice + 1), material});
    }
    model.Triangles.push_back(
        {at(kSphereStacks - 1, slice), south, at(kSphereStacks - 1, slice + 1), material});
  }
}

void AppendBoxMesh(Model& model, const Vector3& min, const Vector3& max, std::uint32_t material) {
  const auto base = static_cast<std::uint32_t>(model.Positions.size());
  // Corner i takes max on the axes whose bit is set: bit 0 X, bit 1 Y, bit 2 Z.
  for (std::uint32_t i = 0; i < 8; ++i) {
    model.Positions.push_back(
        {(i & 1) ? max.X : min.X, (i & 2) ? max.Y : min.Y, (i & 4) ? max.Z : min.Z});
  }
  // Each side as a quad, counter-clockwise seen from outside.
  constexpr std::uint32_t kSides[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                                          {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
  for (const auto& side : kSides) {
    model.Triangles.push_back({base + side[0], base + side[1], base + side[2], material});
    model.Triangles.push_back({base + side[0], base + side[2], base + side[3], material});
  }
}

}  // namespace vantorel
