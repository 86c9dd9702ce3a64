#include "core/model/vertex_merge.h"

#include <bit>
#include <cstdint>
#include <vector>

namespace vantorel {

namespace {

constexpr std::uint32_t kUnset = UINT32_MAX;

std::uint32_t Bits(float value) {
  return value == 0.0f ? 0u : std::bit_cast<std::uint32_t>(value);
}

std::uint64_t Hash(const Vector3& v) {
  std::uint64_t h = Bits(v.X) * 0x9E3779B97F4A7C15ull;
  h ^= (h >> 29) + Bits(v.Y) * 0xC2B2AE3D27D4EB4Full;
  h ^= (h >> 31) + Bits(v.Z) * 0x165667B19E3779F9ull;
  return h ^ (h >> 32);
}

bool Same(const Vector3& a, const Vector3& b) {
  return Bits(a.X) == Bits(b.X) && Bits(a.Y) == Bits(b.Y) && Bits(a.Z) == Bits(b.Z);
}

// For each position, the first position with the same coordinates: an open-addressing table of
// position indices, twice the size of the positions, probed linearly.
std::vector<std::uint32_t> FirstEqual(const std::vector<Vector3>& positions) {
  std::size_t capacity = 16;
  while (capacity < positions.size() * 2)
    capacity *= 2;
  std::vector<std::uint32_t> table(capacity, kUnset);
  std::vector<std::uint32_t> first(positions.size());
  const std::size_t mask = capacity - 1;
  for (std::size_t i = 0; i < positions.size(); ++i) {
    std::size_t slot = static_cast<std::size_t>(Hash(positions[i])) & mask;
    while (table[slot] != kUnset && !Same(positions[table[slot]], positions[i])) {
      slot = (slot + 1) & mask;
    }
    if (table[slot] == kUnset) table[slot] = static_cast<std::uint32_t>(i);
    first[i] = table[slot];
  }
  return first;
}

}  // namespace

MergeReport MergeEqualVertices(Model& model) {
  MergeReport report;
  report.VerticesBefore = model.Positions.size();
  const std::vector<std::uint32_t> first = FirstEqual(model.Positions);

  std::size_t kept = 0;
  for (const ModelTriangle& t : model.Triangles) {
    const ModelTriangle merged{first[t.A], first[t.B], first[t.C], t.Material};
    if (merged.A == merged.B || merged.B == merged.C || merged.A == merged.C) continue;
    model.Triangles[kept++] = merged;
  }
  report.FacesDropped = model.Triangles.size() - kept;
  model.Triangles.resize(kept);

  std::vector<std::uint32_t> renumber(model.Positions.size(), kUnset);
  std::vector<Vector3> positions;
  positions.reserve(model.Positions.size());
  auto use = [&](std::uint32_t& index) {
    if (renumber[index] == kUnset) {
      renumber[index] = static_cast<std::uint32_t>(positions.size());
      positions.push_back(model.Positions[index]);
    }
    index = renumber[index];
  };
  for (ModelTriangle& t : model.Triangles) {
    use(t.A);
    use(t.B);
    use(t.C);
  }
  positions.shrink_to_fit();
  model.Positions = std::move(positions);
  report.VerticesAfter = model.Positions.size();
  return report;
}

}  // namespace vantorel
