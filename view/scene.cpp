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

std::uint32_t ExponentBits(float value) {
  return std::bit_cast<std::uint32_t>(value) & kExponentMask;
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

// Whether a face is drawn: indices below the vertex count (negative ones wrap to huge) and, when
// some vertex is not finite, finite corners.
inline bool Drawable(const CollFace& face, std::uint32_t vertexCount, const std::uint8_t* finite) {
  const auto a = static_cast<std::uint32_t>(face.A);
  const auto b = static_cast<std::uint32_t>(face.B);
  const auto c = static_cast<std::uint32_t>(face.C);
  const bool inside = (a < vertexCount) & (b < vertexCount) & (c < vertexCount);
  if (finite == nullptr || !inside) return inside;
  return finite[a] != 0 && finite[b] != 0 && finite[c] != 0;
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
  for (auto& vertices : vertices_) {
    if (&vertices != &vertices_[Slot(VertexSource::Mesh)]) vertices.clear();
  }
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
  // The highest exponent field seen: all ones only for an infinite or NaN coordinate.
  std::uint32_t exponent = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const CollVertex v = source[i];
    target[i] = {v.X, v.Z, v.Y, color};
    exponent = std::max({exponent, ExponentBits(v.X), ExponentBits(v.Y), ExponentBits(v.Z)});
  }
  const bool notFinite = exponent == kExponentMask;
  allVerticesFinite_ = !notFinite;
  if (notFinite) {
    finiteVertex_.resize(count);
    for (std::size_t i = 0; i < count; ++i)
      finiteVertex_[i] = FiniteCorner(source[i]);
  }
}

void Scene::BuildMeshGroups(const Coll& coll, const SurfaceTypeTable& surfaces,
                            std::uint32_t object, bool surfaceColors) {
  const auto vertexCount = static_cast<std::uint32_t>(coll.VertexCount());
  const std::uint8_t* finite = allVerticesFinite_ ? nullptr : finiteVertex_.data();
  const CollFace* faces = coll.Faces.data();
  const std::size_t faceCount = coll.Faces.size();
  // Faces per material, and the materials in the order they first occur. With one colour for
  // everything, every face counts as material 0.
  const std::uint8_t materialMask = surfaceColors ? 0xFF : 0x00;
  std::array<std::uint32_t, 256> perMaterial{};
  std::array<std::uint8_t, 256> order{};
  int groupCount = 0;
  for (std::size_t i = 0; i < faceCount; ++i) {
    if (!Drawable(faces[i], vertexCount, finite)) continue;
    const std::uint8_t material = faces[i].Surface.Material & materialMask;
    if (perMaterial[material]++ == 0) order[static_cast<std::size_t>(groupCount++)] = material;
  }
  if (!surfaceColors) {
    groups_.push_back({0, object, 0, perMaterial[0]});
  }

  // Each group takes the next range of the index array; faces keep their order inside it.
  std::array<std::uint32_t, 256> next{};
  std::uint32_t total = 0;
  for (int g = 0; g < groupCount; ++g) {
    const std::uint8_t material = order[static_cast<std::size_t>(g)];
    if (surfaceColors) {
      groups_.push_back({material, surfaces.Color(material), total, perMaterial[material]});
    }
    next[material] = total;
    total += perMaterial[material] * 3;
  }
  auto& out = indices_[Slot(IndexSource::Mesh)];
  out.resize(total);
  std::uint32_t* data = out.data();
  for (std::size_t i = 0; i < faceCount; ++i) {
    const CollFace face = faces[i];
    if (!Drawable(face, vertexCount, finite)) continue;
    const std::size_t material = face.Surface.Material & materialMask;
    const std::uint32_t cursor = next[material];
    next[material] = cursor + 3;
    data[cursor] = static_cast<std::uint32_t>(face.A);
    data[cursor + 1] = static_cast<std::uint32_t>(face.B);
    data[cursor + 2] = static_cast<std::uint32_t>(face.C);
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

std::uint32_t Scene::SurfaceBoxFirstVertex(int material) const {
  return static_cast<std::uint32_t>(SurfaceSlot(material) * kCubeVertexCount);
}

std::uint32_t Scene::SurfaceSphereFirstVertex(int material) const {
  return static_cast<std::uint32_t>(SurfaceSlot(material)) * SphereVertexCount();
}

std::uint32_t Scene::MeshTriangleCount() const {
  return static_cast<std::uint32_t>(indices_[Slot(IndexSource::Mesh)].size() / 3);
}

std::uint32_t Scene::SelectedFaceCount() const {
  return static_cast<std::uint32_t>(indices_[Slot(IndexSource::Selection)].size() / 3);
}

}  // namespace vantorel
