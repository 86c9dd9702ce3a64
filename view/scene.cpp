#include "view/scene.h"

#include <array>
#include <cmath>

#include "view/static_shapes.h"

namespace vantorel {

namespace {

bool FiniteCorner(const CollVertex& v) {
  return std::isfinite(v.X) && std::isfinite(v.Y) && std::isfinite(v.Z);
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
  vertices_[Slot(VertexSource::Mesh)].clear();
  indices_[Slot(IndexSource::Mesh)].clear();
  indices_[Slot(IndexSource::Selection)].clear();
  groups_.clear();
  finiteVertex_.clear();
  allVerticesFinite_ = true;
  wireframeColor_ = colors.Wireframe;
  selectionColor_ = colors.Selection;
  ++selectionVersion_;

  const bool hasMesh = coll.VertexCount() > 0 && coll.FaceCount() > 0;
  if (!hasMesh && coll.SphereCount() == 0 && coll.BoxCount() == 0) return;

  BuildMeshVertices(coll);
  BuildMeshGroups(coll, surfaces, colors.Object, surfaceColors);
  RebuildSelection(coll, faceChecks);
  geometryPresent_ = true;
}

void Scene::BuildMeshVertices(const Coll& coll) {
  auto& out = vertices_[Slot(VertexSource::Mesh)];
  const std::size_t count = coll.Vertices.size();
  out.resize(count);
  bool allFinite = true;
  for (std::size_t i = 0; i < count; ++i) {
    const CollVertex& v = coll.Vertices[i];
    out[i] = {v.X, v.Z, v.Y, wireframeColor_};
    allFinite &= FiniteCorner(v);
  }
  allVerticesFinite_ = allFinite;
  if (!allFinite) {
    finiteVertex_.resize(count);
    for (std::size_t i = 0; i < count; ++i)
      finiteVertex_[i] = FiniteCorner(coll.Vertices[i]);
  }
}

bool Scene::Drawable(const CollFace& face, std::uint32_t vertexCount) const {
  const auto a = static_cast<std::uint32_t>(face.A);
  const auto b = static_cast<std::uint32_t>(face.B);
  const auto c = static_cast<std::uint32_t>(face.C);
  if (a >= vertexCount || b >= vertexCount || c >= vertexCount) return false;
  return allVerticesFinite_ || (finiteVertex_[a] && finiteVertex_[b] && finiteVertex_[c]);
}

void Scene::BuildMeshGroups(const Coll& coll, const SurfaceTypeTable& surfaces,
                            std::uint32_t object, bool surfaceColors) {
  const auto vertexCount = static_cast<std::uint32_t>(coll.VertexCount());
  // Faces per material, and the materials in the order they first occur.
  std::array<std::uint32_t, 256> perMaterial{};
  std::array<std::uint8_t, 256> order{};
  int groupCount = 0;
  std::uint32_t drawable = 0;
  for (const CollFace& face : coll.Faces) {
    if (!Drawable(face, vertexCount)) continue;
    const std::uint8_t material = face.Surface.Material;
    if (perMaterial[material]++ == 0) order[static_cast<std::size_t>(groupCount++)] = material;
    ++drawable;
  }

  if (!surfaceColors) {
    groups_.push_back({0, object, 0, drawable});
    auto& out = indices_[Slot(IndexSource::Mesh)];
    out.resize(std::size_t{drawable} * 3);
    std::uint32_t* cursor = out.data();
    for (const CollFace& face : coll.Faces) {
      if (!Drawable(face, vertexCount)) continue;
      cursor[0] = static_cast<std::uint32_t>(face.A);
      cursor[1] = static_cast<std::uint32_t>(face.B);
      cursor[2] = static_cast<std::uint32_t>(face.C);
      cursor += 3;
    }
    return;
  }

  // Each group takes the next range of the index array; faces keep their order inside it.
  std::array<std::uint32_t, 256> next{};
  std::uint32_t first = 0;
  groups_.reserve(static_cast<std::size_t>(groupCount));
  for (int g = 0; g < groupCount; ++g) {
    const std::uint8_t material = order[static_cast<std::size_t>(g)];
    groups_.push_back({material, surfaces.Color(material), first, perMaterial[material]});
    next[material] = first;
    first += perMaterial[material] * 3;
  }
  auto& out = indices_[Slot(IndexSource::Mesh)];
  out.resize(std::size_t{drawable} * 3);
  std::uint32_t* data = out.data();
  for (const CollFace& face : coll.Faces) {
    if (!Drawable(face, vertexCount)) continue;
    std::uint32_t* cursor = data + next[face.Surface.Material];
    cursor[0] = static_cast<std::uint32_t>(face.A);
    cursor[1] = static_cast<std::uint32_t>(face.B);
    cursor[2] = static_cast<std::uint32_t>(face.C);
    next[face.Surface.Material] += 3;
  }
}

void Scene::RebuildSelection(const Coll& coll, const std::vector<bool>& faceChecks) {
  if (faceChecks.size() != coll.Faces.size()) return;
  auto& out = indices_[Slot(IndexSource::Selection)];
  out.clear();
  for (std::size_t i = 0; i < faceChecks.size(); ++i) {
    if (!faceChecks[i]) continue;
    const CollFace& face = coll.Faces[i];
    if (!FaceDrawable(coll, face)) continue;
    out.insert(out.end(), {static_cast<std::uint32_t>(face.A), static_cast<std::uint32_t>(face.B),
                           static_cast<std::uint32_t>(face.C)});
  }
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
