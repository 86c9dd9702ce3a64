#include "view/scene.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

#include "view/static_shapes.h"

namespace vantorel {

namespace {

bool FiniteCorner(const CollVertex& v) {
  return std::isfinite(v.X) && std::isfinite(v.Y) && std::isfinite(v.Z);
}

constexpr std::uint32_t kExponentMask = 0x7F800000u;

// Whether every coordinate is finite, in one pass over them as plain words that the compiler
// can run several at a time: an exponent field of all ones (infinite or NaN) carries into the
// top bit when one more is added to it.
bool AllFinite(const CollVertex* vertices, std::size_t count) {
  static_assert(sizeof(CollVertex) == 3 * sizeof(float), "coordinates lie side by side");
  const float* coordinates = &vertices->X;
  constexpr std::uint32_t kExponentOne = 0x00800000u;
  std::uint32_t carried = 0;
  for (std::size_t k = 0; k < 3 * count; ++k) {
    carried |= (std::bit_cast<std::uint32_t>(coordinates[k]) & kExponentMask) + kExponentOne;
  }
  return (carried & 0x80000000u) == 0;
}

// Calls visit with the index of every set mark. Most lists have few marks, so whole words of
// marks are skipped at once where the library lets us see them.
template <typename Visit>
void ForEachChecked(const std::vector<bool>& marks, Visit visit) {
#if defined(__GLIBCXX__)
  const std::size_t bits = sizeof(std::_Bit_type) * 8;
  const std::_Bit_type* words = marks.begin()._M_p;
  const std::size_t wordCount = (marks.size() + bits - 1) / bits;
  for (std::size_t w = 0; w < wordCount; ++w) {
    std::_Bit_type word = words[w];
    while (word != 0) {
      const std::size_t index = w * bits + static_cast<std::size_t>(std::countr_zero(word));
      if (index >= marks.size()) return;
      visit(index);
      word &= word - 1;
    }
  }
#else
  for (std::size_t i = 0; i < marks.size(); ++i) {
    if (marks[i]) visit(i);
  }
#endif
}

// The group a face goes to: its material (all 0 when the view shows one colour), or kLeftOut
// when the view does not draw it (an index not below the vertex count, negative ones wrapping to
// huge, or, when some vertex is not finite, a corner that is not). No branch: the faces of a
// large coll are sorted into groups at a few cycles each.
constexpr std::size_t kLeftOut = 256;
constexpr std::size_t kKeyCount = kLeftOut + 1;

template <bool kSomeNotFinite>
inline std::size_t GroupKey(const CollFace& face, std::uint32_t vertexCount,
                            const std::uint8_t* finite, std::uint8_t materialMask) {
  const auto a = static_cast<std::uint32_t>(face.A);
  const auto b = static_cast<std::uint32_t>(face.B);
  const auto c = static_cast<std::uint32_t>(face.C);
  std::uint32_t drawn = static_cast<std::uint32_t>(a < vertexCount) &
                        static_cast<std::uint32_t>(b < vertexCount) &
                        static_cast<std::uint32_t>(c < vertexCount);
  if constexpr (kSomeNotFinite) {
    // A face out of range looks at vertex 0 instead; it is left out all the same.
    drawn &= finite[a * drawn] & finite[b * drawn] & finite[c * drawn];
  }
  const std::size_t material = face.Surface.Material & materialMask;
  const std::size_t all = 0 - static_cast<std::size_t>(drawn);  // all ones when drawn
  return kLeftOut ^ ((material ^ kLeftOut) & all);
}

using KeyCounts = std::array<std::uint32_t, kKeyCount>;

// Faces per key. Four tables taken in turn keep the counts of neighbouring faces of one material
// from waiting on each other.
template <typename KeyOf>
KeyCounts CountKeys(const CollFace* faces, std::size_t count, KeyOf key) {
  std::array<KeyCounts, 4> counts{};
  std::size_t i = 0;
  for (; i + 4 <= count; i += 4) {
    ++counts[0][key(faces[i])];
    ++counts[1][key(faces[i + 1])];
    ++counts[2][key(faces[i + 2])];
    ++counts[3][key(faces[i + 3])];
  }
  for (; i < count; ++i)
    ++counts[0][key(faces[i])];
  KeyCounts total{};
  for (std::size_t k = 0; k < kKeyCount; ++k)
    total[k] = counts[0][k] + counts[1][k] + counts[2][k] + counts[3][k];
  return total;
}

inline std::uint32_t HighestCorner(const CollFace& face) {
  return std::max({static_cast<std::uint32_t>(face.A), static_cast<std::uint32_t>(face.B),
                   static_cast<std::uint32_t>(face.C)});
}

// Faces per material (under the mask), and the highest corner index any face names, negative
// ones counting as huge.
KeyCounts CountMaterials(const CollFace* faces, std::size_t count, std::uint8_t mask,
                         std::uint32_t& highest) {
  std::array<KeyCounts, 4> counts{};
  std::array<std::uint32_t, 4> high{};
  std::size_t i = 0;
  for (; i + 4 <= count; i += 4) {
    for (std::size_t lane = 0; lane < 4; ++lane) {
      const CollFace& face = faces[i + lane];
      ++counts[lane][face.Surface.Material & mask];
      high[lane] = std::max(high[lane], HighestCorner(face));
    }
  }
  for (; i < count; ++i) {
    ++counts[0][faces[i].Surface.Material & mask];
    high[0] = std::max(high[0], HighestCorner(faces[i]));
  }
  highest = std::max({high[0], high[1], high[2], high[3]});
  KeyCounts total{};
  for (std::size_t k = 0; k < kKeyCount; ++k)
    total[k] = counts[0][k] + counts[1][k] + counts[2][k] + counts[3][k];
  return total;
}

// Where the groups go.
struct GroupTarget {
  bool surfaceColors;
  MaterialTable table;  // the one the coll's materials index
  const SurfaceTypeTable& surfaces;
  std::uint32_t object;
  std::vector<MeshGroup>& groups;
  std::vector<std::uint32_t>& indices;
};

// One group per key in the order the keys first occur, each a range of the index array with its
// faces in face order; the faces left out go to a range past the end that is cut off after.
template <typename KeyOf>
void PlaceFaces(const CollFace* faces, std::size_t count, const KeyCounts& perKey,
                const GroupTarget& target, KeyOf key) {
  int present = 0;
  for (std::size_t k = 0; k < kLeftOut; ++k)
    present += perKey[k] > 0;
  // The keys usually all occur among the first faces.
  std::array<std::uint8_t, 256> order{};
  std::array<bool, kKeyCount> seen{};
  seen[kLeftOut] = true;
  int groupCount = 0;
  for (std::size_t f = 0; groupCount < present; ++f) {
    const std::size_t k = key(faces[f]);
    if (seen[k]) continue;
    seen[k] = true;
    order[static_cast<std::size_t>(groupCount++)] = static_cast<std::uint8_t>(k);
  }
  // With one colour every drawn face has key 0, and the one group stands even when empty.
  if (!target.surfaceColors) target.groups.push_back({0, target.object, 0, perKey[0]});

  KeyCounts next{};
  std::uint32_t total = 0;
  for (int g = 0; g < groupCount; ++g) {
    const std::uint8_t material = order[static_cast<std::size_t>(g)];
    if (target.surfaceColors) {
      target.groups.push_back({material, MaterialColor(target.table, material, target.surfaces),
                               total, perKey[material]});
    }
    next[material] = total;
    total += perKey[material] * 3;
  }
  next[kLeftOut] = total;
  target.indices.resize(total + std::size_t{perKey[kLeftOut]} * 3);
  std::uint32_t* data = target.indices.data();
  for (std::size_t f = 0; f < count; ++f) {
    const CollFace face = faces[f];
    const std::size_t k = key(face);
    const std::uint32_t cursor = next[k];
    next[k] = cursor + 3;
    data[cursor] = static_cast<std::uint32_t>(face.A);
    data[cursor + 1] = static_cast<std::uint32_t>(face.B);
    data[cursor + 2] = static_cast<std::uint32_t>(face.C);
  }
  target.indices.resize(total);
}

std::size_t Slot(VertexSource source) {
  return static_cast<std::size_t>(source);
}
std::size_t Slot(IndexSource source) {
  return static_cast<std::size_t>(source);
}

}  // namespace

bool FaceDrawable(const Coll& coll, const CollFace& face) {
  const auto count = static_cast<std::uint32_t>(coll.VertexCount());
  for (std::int32_t index : {face.A, face.B, face.C}) {
    if (static_cast<std::uint32_t>(index) >= count) return false;  // negative ones too
    if (!FiniteCorner(coll.Vertices[static_cast<std::size_t>(index)])) return false;
  }
  return true;
}

void Scene::RebuildStaticBuffers(const SurfaceTypeTable& surfaces, const MainColors& colors,
                                 int sphereSegments, int boundingSegments, bool surfaceColors) {
  sphereSegments_ = vantorel::SphereSegments(sphereSegments);
  boundingSegments_ = vantorel::SphereSegments(boundingSegments);
  // The static arrays come before the coll's own in VertexSource.
  for (std::size_t slot = 0; slot < Slot(VertexSource::Mesh); ++slot)
    vertices_[slot].clear();
  const auto slotColor = [&](int slot) {
    return surfaceColors ? surfaces.Color(slot) : colors.Object;
  };

  AppendAxes(vertices_[Slot(VertexSource::Axes)]);
  AppendUnitCube(vertices_[Slot(VertexSource::BoundingBox)], colors.Boundings);
  AppendUnitCube(vertices_[Slot(VertexSource::WireframeBox)], colors.WFBoxSphere);
  auto& boxes = vertices_[Slot(VertexSource::SurfaceBoxes)];
  boxes.reserve(kSurfaceSlotCount * kCubeVertexCount);
  for (int slot = 0; slot < kSurfaceSlotCount; ++slot)
    AppendUnitCube(boxes, slotColor(slot));

  auto& spheres = vertices_[Slot(VertexSource::SurfaceSpheres)];
  spheres.reserve(kSurfaceSlotCount * static_cast<std::size_t>(SphereVertexCount()));
  for (int slot = 0; slot < kSurfaceSlotCount; ++slot) {
    AppendUnitSphere(spheres, sphereSegments_, slotColor(slot));
  }
  AppendUnitSphere(vertices_[Slot(VertexSource::WireframeSphere)], sphereSegments_,
                   colors.WFBoxSphere);
  AppendBoundingCircles(vertices_[Slot(VertexSource::BoundingSphere)], boundingSegments_,
                        colors.Boundings);

  indices_[Slot(IndexSource::BoxLines)].assign(kBoxLineIndices.begin(), kBoxLineIndices.end());
  indices_[Slot(IndexSource::BoxTriangles)].assign(kBoxTriangleIndices.begin(),
                                                   kBoxTriangleIndices.end());
  indices_[Slot(IndexSource::SphereTriangles)] = UnitSphereIndices(sphereSegments_);
  indices_[Slot(IndexSource::BoundingSphereLines)] = BoundingCircleIndices(boundingSegments_);
  ++staticVersion_;
}

void Scene::RebuildScene(const Coll& coll, const std::vector<bool>& faceChecks,
                         const SurfaceTypeTable& surfaces, const MainColors& colors,
                         bool surfaceColors) {
  geometryPresent_ = false;
  ++meshVersion_;
  ++selectionVersion_;
  groups_.clear();
  indices_[Slot(IndexSource::Selection)].clear();
  finiteVertex_.clear();
  allVerticesFinite_ = true;
  wireframeColor_ = colors.Wireframe;
  selectionColor_ = colors.Selection;

  const bool hasMesh = coll.VertexCount() > 0 && coll.FaceCount() > 0;
  if (!hasMesh && coll.SphereCount() == 0 && coll.BoxCount() == 0) {
    vertices_[Slot(VertexSource::Mesh)].clear();
    indices_[Slot(IndexSource::Mesh)].clear();
    return;
  }
  // The arrays are resized, not emptied first: a rebuild of a coll of the same size (after a
  // surface change, say) then writes over them without clearing them first.
  BuildMeshVertices(coll);
  BuildMeshGroups(coll, surfaces, colors.Object, surfaceColors);
  RebuildSelection(coll, faceChecks);
  geometryPresent_ = true;
}

void Scene::BuildMeshVertices(const Coll& coll) {
  auto& out = vertices_[Slot(VertexSource::Mesh)];
  const std::size_t count = coll.Vertices.size();
  out.resize(count);
  const CollVertex* source = coll.Vertices.data();
  ColorVertex* target = out.data();
  const std::uint32_t color = wireframeColor_;
  for (std::size_t i = 0; i < count; ++i) {
    const CollVertex v = source[i];
    target[i] = {v.X, v.Z, v.Y, color};
  }
  // Checking every corner of every face is left to the rare coll that needs it.
  allVerticesFinite_ = count == 0 || AllFinite(source, count);
  if (!allVerticesFinite_) {
    finiteVertex_.resize(count);
    for (std::size_t i = 0; i < count; ++i)
      finiteVertex_[i] = FiniteCorner(source[i]);
  }
}

void Scene::BuildMeshGroups(const Coll& coll, const SurfaceTypeTable& surfaces,
                            std::uint32_t object, bool surfaceColors) {
  const auto vertexCount = static_cast<std::uint32_t>(coll.VertexCount());
  const CollFace* faces = coll.Faces.data();
  const std::size_t faceCount = coll.Faces.size();
  const std::uint8_t mask = surfaceColors ? 0xFF : 0x00;
  const GroupTarget target{surfaceColors, MaterialTableOf(coll.Version()),  surfaces, object,
                           groups_,       indices_[Slot(IndexSource::Mesh)]};
  // Counted by material first: when no face names a corner beyond the vertices and every vertex
  // is finite, as in any sound coll, every face is drawn and its material alone sorts it.
  std::uint32_t highest = 0;
  const KeyCounts perMaterial = CountMaterials(faces, faceCount, mask, highest);
  if (allVerticesFinite_ && highest < vertexCount) {
    PlaceFaces(faces, faceCount, perMaterial, target,
               [mask](const CollFace& face) { return std::size_t{face.Surface.Material} & mask; });
    return;
  }
  const std::uint8_t* finite = finiteVertex_.data();
  if (allVerticesFinite_) {
    const auto key = [=](const CollFace& face) {
      return GroupKey<false>(face, vertexCount, finite, mask);
    };
    PlaceFaces(faces, faceCount, CountKeys(faces, faceCount, key), target, key);
  } else {
    const auto key = [=](const CollFace& face) {
      return GroupKey<true>(face, vertexCount, finite, mask);
    };
    PlaceFaces(faces, faceCount, CountKeys(faces, faceCount, key), target, key);
  }
}

void Scene::RebuildSelection(const Coll& coll, const std::vector<bool>& faceChecks) {
  if (faceChecks.size() != coll.Faces.size()) return;
  auto& out = indices_[Slot(IndexSource::Selection)];
  out.clear();
  ForEachChecked(faceChecks, [&](std::size_t i) {
    const CollFace& face = coll.Faces[i];
    if (!FaceDrawable(coll, face)) return;
    out.insert(out.end(), {static_cast<std::uint32_t>(face.A), static_cast<std::uint32_t>(face.B),
                           static_cast<std::uint32_t>(face.C)});
  });
  ++selectionVersion_;
}

std::span<const ColorVertex> Scene::Vertices(VertexSource source) const {
  if (source == VertexSource::Count) return {};
  return vertices_[Slot(source)];
}

std::span<const std::uint32_t> Scene::Indices(IndexSource source) const {
  if (source == IndexSource::None || source == IndexSource::Count) return {};
  return indices_[Slot(source)];
}

std::uint32_t Scene::SphereVertexCount() const {
  return sphereSegments_ == 0
             ? 0
             : static_cast<std::uint32_t>(vantorel::SphereVertexCount(sphereSegments_));
}

std::uint32_t Scene::SphereTriangleCount() const {
  return sphereSegments_ == 0
             ? 0
             : static_cast<std::uint32_t>(vantorel::SphereTriangleCount(sphereSegments_));
}

std::uint32_t Scene::SurfaceBoxFirstVertex(int material, MaterialTable table) const {
  return static_cast<std::uint32_t>(SurfaceSlot(material, table) * kCubeVertexCount);
}

std::uint32_t Scene::SurfaceSphereFirstVertex(int material, MaterialTable table) const {
  return static_cast<std::uint32_t>(SurfaceSlot(material, table)) * SphereVertexCount();
}

std::uint32_t Scene::MeshTriangleCount() const {
  return static_cast<std::uint32_t>(indices_[Slot(IndexSource::Mesh)].size() / 3);
}

std::uint32_t Scene::SelectedFaceCount() const {
  return static_cast<std::uint32_t>(indices_[Slot(IndexSource::Selection)].size() / 3);
}

}  // namespace vantorel
