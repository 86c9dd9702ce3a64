// The San Andreas parts of the scene: the shadow mesh and the face group boxes, built only while
// their switches are on.
#include <cmath>

#include "view/scene.h"
#include "view/static_shapes.h"

namespace vantorel {

namespace {

bool Finite(const Vector3& v) {
  return std::isfinite(v.X) && std::isfinite(v.Y) && std::isfinite(v.Z);
}

// A shadow face is drawn when its corners name shadow vertices (negative indices wrap to huge)
// that are finite, by the same rule as the collision faces.
bool ShadowFaceDrawable(const Coll& coll, const CollFace& face) {
  const auto count = static_cast<std::uint32_t>(coll.ShadowVertices.size());
  for (std::int32_t index : {face.A, face.B, face.C}) {
    if (static_cast<std::uint32_t>(index) >= count) return false;
    if (!Finite(coll.ShadowVertices[static_cast<std::size_t>(index)])) return false;
  }
  return true;
}

}  // namespace

void Scene::RebuildSaParts(const Coll& coll, bool shadowMesh, bool faceGroups) {
  // With both switches off, as at every start, a rebuild of the coll leaves nothing to upload.
  const bool held = !vertices_[static_cast<int>(VertexSource::ShadowMesh)].empty() ||
                    !vertices_[static_cast<int>(VertexSource::FaceGroupBoxes)].empty();
  if (!held && !shadowMesh && !faceGroups) return;
  vertices_[static_cast<int>(VertexSource::ShadowMesh)].clear();
  indices_[static_cast<int>(IndexSource::ShadowMesh)].clear();
  vertices_[static_cast<int>(VertexSource::FaceGroupBoxes)].clear();
  indices_[static_cast<int>(IndexSource::FaceGroupLines)].clear();
  if (shadowMesh) BuildShadowMesh(coll);
  if (faceGroups) BuildFaceGroupBoxes(coll);
  ++saPartsVersion_;
}

void Scene::BuildShadowMesh(const Coll& coll) {
  auto& vertices = vertices_[static_cast<int>(VertexSource::ShadowMesh)];
  auto& indices = indices_[static_cast<int>(IndexSource::ShadowMesh)];
  vertices.reserve(coll.ShadowVertices.size());
  for (const CollVertex& v : coll.ShadowVertices)
    vertices.push_back({v.X, v.Z, v.Y, kShadowFillColor});
  indices.reserve(coll.ShadowFaces.size() * 3);
  for (const CollFace& face : coll.ShadowFaces) {
    if (!ShadowFaceDrawable(coll, face)) continue;
    indices.insert(indices.end(),
                   {static_cast<std::uint32_t>(face.A), static_cast<std::uint32_t>(face.B),
                    static_cast<std::uint32_t>(face.C)});
  }
}

void Scene::BuildFaceGroupBoxes(const Coll& coll) {
  auto& vertices = vertices_[static_cast<int>(VertexSource::FaceGroupBoxes)];
  auto& indices = indices_[static_cast<int>(IndexSource::FaceGroupLines)];
  vertices.reserve(coll.FaceGroups.size() * kCubeVertexCount);
  indices.reserve(coll.FaceGroups.size() * kBoxLineIndices.size());
  for (const CollFaceGroup& group : coll.FaceGroups) {
    if (!Finite(group.Min) || !Finite(group.Max)) continue;
    const auto first = static_cast<std::uint32_t>(vertices.size());
    // Corners in the unit cube's order (see kBoxLineIndices), in display space.
    const float xs[2] = {group.Min.X, group.Max.X};
    const float ys[2] = {group.Min.Z, group.Max.Z};
    const float zs[2] = {group.Min.Y, group.Max.Y};
    for (int z = 0; z < 2; ++z) {
      vertices.push_back({xs[0], ys[0], zs[z], kFaceGroupColor});
      vertices.push_back({xs[1], ys[0], zs[z], kFaceGroupColor});
      vertices.push_back({xs[1], ys[1], zs[z], kFaceGroupColor});
      vertices.push_back({xs[0], ys[1], zs[z], kFaceGroupColor});
    }
    for (std::uint32_t corner : kBoxLineIndices)
      indices.push_back(first + corner);
  }
}

std::uint32_t Scene::ShadowTriangleCount() const {
  return static_cast<std::uint32_t>(indices_[static_cast<int>(IndexSource::ShadowMesh)].size() / 3);
}

std::uint32_t Scene::FaceGroupLineCount() const {
  return static_cast<std::uint32_t>(indices_[static_cast<int>(IndexSource::FaceGroupLines)].size() /
                                    2);
}

}  // namespace vantorel
