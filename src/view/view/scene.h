#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/coll_records.h"
#include "core/coll_surfaces.h"
#include "core/surface_types.h"
#include "doc/settings.h"
#include "view/color_vertex.h"

namespace vantorel {

// The vertex and index arrays the view draws from, named so that a draw can say which one it
// uses and the renderer can keep one GPU buffer per name.
enum class VertexSource : std::uint8_t {
  Axes,             // 12 vertices, 6 lines
  BoundingBox,      // the unit cube in Boundings
  SurfaceBoxes,     // one unit cube per surface slot
  WireframeBox,     // the unit cube in WFBoxSphere
  SurfaceSpheres,   // one unit sphere per surface slot
  WireframeSphere,  // the unit sphere in WFBoxSphere
  BoundingSphere,   // three unit circles in Boundings
  Mesh,             // the coll's vertices in display space
  ShadowMesh,       // San Andreas: the shadow mesh's vertices, while its switch is on
  FaceGroupBoxes,   // San Andreas: 8 corners per face group box, while its switch is on
  Count
};

enum class IndexSource : std::uint8_t {
  None,                 // a draw straight from the vertices
  BoxLines,             // 24
  BoxTriangles,         // 36
  SphereTriangles,      // 3 per sphere triangle
  BoundingSphereLines,  // 2 per circle segment
  Mesh,                 // the drawable faces, grouped by material
  Selection,            // the checked drawable faces
  ShadowMesh,           // the drawable shadow faces
  FaceGroupLines,       // 24 per face group box: its 12 edges
  Count
};

// Per-surface copies of the unit shapes: slots 0..34 follow the surface table, the last slot
// serves every material beyond the table. A San Andreas material takes the slot of the III/VC
// surface type it is drawn as (ColorSurfaceType).
inline constexpr int kSurfaceSlotCount = kSurfaceTypeCount + 1;
inline int SurfaceSlot(int material, MaterialTable table = MaterialTable::Classic) {
  const int type = ColorSurfaceType(table, material);
  return type >= 0 && type < kSurfaceTypeCount ? type : kSurfaceTypeCount;
}

// The faces of one material (or all faces when the view shows one colour): a range of the mesh
// index array and the colour it is drawn in.
struct MeshGroup {
  std::uint8_t Material = 0;
  std::uint32_t Color = 0;
  std::uint32_t FirstIndex = 0;
  std::uint32_t TriangleCount = 0;
};

// The San Andreas parts draw in colours of their own, apart from the settings colours and the
// surface colours, so they never pass for collision: the shadow mesh as a see-through violet
// fill under violet edges, the face group boxes as orange lines.
inline constexpr std::uint32_t kShadowFillColor = 0x60B040E0;  // alpha: how much shows
inline constexpr std::uint32_t kShadowEdgeColor = 0xFFE070FF;
inline constexpr std::uint32_t kFaceGroupColor = 0xFFFF9020;

// Whether the view draws a face: its three indices lie below the vertex count and its corners
// are finite. Other faces are left out of every array and of picking.
bool FaceDrawable(const Coll& coll, const CollFace& face);

// Everything the view draws, built on the CPU as plain arrays ready to upload. The coll's
// vertices are stored once; the mesh groups, the selection and the wireframe are drawn from
// them with a colour of their own per draw.
class Scene {
 public:
  // The shapes that do not depend on the coll; after a change of colours, segment counts or the
  // surface-colour switch.
  void RebuildStaticBuffers(const SurfaceTypeTable& surfaces, const MainColors& colors,
                            int sphereSegments, int boundingSegments, bool surfaceColors);
  // The coll's arrays and groups, then the selection. GeometryPresent is true afterwards unless
  // the coll has no mesh, no sphere and no box.
  void RebuildScene(const Coll& coll, const std::vector<bool>& faceChecks,
                    const SurfaceTypeTable& surfaces, const MainColors& colors, bool surfaceColors);
  // The shadow mesh and the face group boxes of a San Andreas coll, each only while its switch
  // is on; otherwise, and for a coll without them, their arrays are emptied. Separate from
  // RebuildScene so that a switch rebuilds only its own part.
  void RebuildSaParts(const Coll& coll, bool shadowMesh, bool faceGroups);
  // The checked drawable faces in list order. Does nothing while the number of marks differs
  // from the coll's face count (the face list is being refilled).
  void RebuildSelection(const Coll& coll, const std::vector<bool>& faceChecks);

  bool GeometryPresent() const { return geometryPresent_; }
  void ClearGeometryPresent() { geometryPresent_ = false; }

  std::span<const ColorVertex> Vertices(VertexSource source) const;
  std::span<const std::uint32_t> Indices(IndexSource source) const;

  int SphereSegments() const { return sphereSegments_; }
  int BoundingSegments() const { return boundingSegments_; }
  std::uint32_t SphereVertexCount() const;
  std::uint32_t SphereTriangleCount() const;
  // First vertex of a material's unit cube in SurfaceBoxes and unit sphere in SurfaceSpheres;
  // table is the one the coll's materials index.
  std::uint32_t SurfaceBoxFirstVertex(int material,
                                      MaterialTable table = MaterialTable::Classic) const;
  std::uint32_t SurfaceSphereFirstVertex(int material,
                                         MaterialTable table = MaterialTable::Classic) const;

  const std::vector<MeshGroup>& MeshGroups() const { return groups_; }
  std::uint32_t MeshTriangleCount() const;
  std::uint32_t SelectedFaceCount() const;
  std::uint32_t ShadowTriangleCount() const;
  std::uint32_t FaceGroupLineCount() const;
  std::uint32_t WireframeColor() const { return wireframeColor_; }
  std::uint32_t SelectionColor() const { return selectionColor_; }

  // Counters that change with every rebuild of their arrays, so the renderer knows what to
  // upload again.
  std::uint64_t StaticVersion() const { return staticVersion_; }
  std::uint64_t MeshVersion() const { return meshVersion_; }
  std::uint64_t SelectionVersion() const { return selectionVersion_; }
  std::uint64_t SaPartsVersion() const { return saPartsVersion_; }

 private:
  void BuildMeshVertices(const Coll& coll);
  void BuildShadowMesh(const Coll& coll);
  void BuildFaceGroupBoxes(const Coll& coll);
  void BuildMeshGroups(const Coll& coll, const SurfaceTypeTable& surfaces, std::uint32_t object,
                       bool surfaceColors);

  std::vector<ColorVertex> vertices_[static_cast<int>(VertexSource::Count)];
  std::vector<std::uint32_t> indices_[static_cast<int>(IndexSource::Count)];
  std::vector<MeshGroup> groups_;
  std::vector<std::uint8_t> finiteVertex_;  // filled only when some vertex is not finite
  bool allVerticesFinite_ = true;
  int sphereSegments_ = 0;
  int boundingSegments_ = 0;
  std::uint32_t wireframeColor_ = 0;
  std::uint32_t selectionColor_ = 0;
  bool geometryPresent_ = false;
  std::uint64_t staticVersion_ = 0;
  std::uint64_t meshVersion_ = 0;
  std::uint64_t selectionVersion_ = 0;
  std::uint64_t saPartsVersion_ = 0;
};

}  // namespace vantorel
