#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/coll_records.h"
#include "core/model/model.h"

namespace vantorel {

// A frame's placement: a point p lands at p.X * Right + p.Y * Up + p.Z * At + Position.
struct FrameMatrix {
  Vector3 Right{1, 0, 0};
  Vector3 Up{0, 1, 0};
  Vector3 At{0, 0, 1};
  Vector3 Position;
};
Vector3 Apply(const FrameMatrix& m, const Vector3& p);
// The placement of local inside outer: Apply(Compose(outer, local), p) ==
// Apply(outer, Apply(local, p)).
FrameMatrix Compose(const FrameMatrix& outer, const FrameMatrix& local);

struct DffFrame {
  FrameMatrix Local;         // relative to the parent
  FrameMatrix World;         // composed along the hierarchy
  std::int32_t Parent = -1;  // an earlier frame, or -1 for a root
  std::string Name;          // from the frame's name extension; may be empty
};

struct DffTriangle {
  std::uint16_t A = 0;
  std::uint16_t B = 0;
  std::uint16_t C = 0;
  std::uint16_t Material = 0;  // into DffGeometry::Materials
};

struct DffGeometry {
  std::uint32_t Flags = 0;
  std::vector<Vector3> Vertices;  // of the first morph target
  std::vector<DffTriangle> Triangles;
  std::vector<ModelMaterial> Materials;  // Name left empty: the format names textures only
};

struct DffAtomic {
  std::uint32_t Frame = 0;
  std::uint32_t Geometry = 0;
};

// The collision a model carries in its clump's extension: the bytes of one collision file.
struct DffCollision {
  std::string FourCC;  // "COLL", "COL2", "COL3" or "COL4"
  std::vector<std::uint8_t> Bytes;
  std::vector<Coll> Colls;  // decoded for "COLL" only; other versions keep only their bytes
};

struct DffClump {
  std::uint32_t Version = 0;  // library version, 0x31000 to 0x36FFF
  std::vector<DffFrame> Frames;
  std::vector<DffGeometry> Geometries;
  std::vector<DffAtomic> Atomics;  // every index checked against Frames and Geometries
  std::vector<DffCollision> Collisions;
};

// Reads the first clump of a RenderWare model (GTA III, Vice City, San Andreas: library versions
// 3.1 to 3.6). Every chunk's size is checked against its parent, and every count against the
// bytes that hold its elements before anything is allocated; a damaged file gives a message that
// names the chunk and what is wrong with it.
Parsed<DffClump> ReadDff(std::span<const std::uint8_t> bytes);

// All atomics of the clump as one model, each geometry placed by its frame's world matrix.
// Materials are the geometries' own, one per geometry and material index, named by their texture.
Model DffToModel(const DffClump& clump);

}  // namespace vantorel
