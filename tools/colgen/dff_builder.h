#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/byte_buffer.h"
#include "core/model/dff_reader.h"

// Writes small RenderWare models for tests and fuzz seeds: one clump with frames, geometries
// (optionally with prelit colours, texture coordinates and normals, which the reader must step
// over), atomics and an embedded collision.
namespace vantorel::colgen {

// One material's indices in a geometry's bin mesh extension.
struct DffBinMeshSpec {
  std::uint32_t Material = 0;
  std::vector<std::uint32_t> Indices;
};

struct DffGeometrySpec {
  std::vector<Vector3> Vertices;
  std::vector<DffTriangle> Triangles;
  std::vector<std::string> Textures;  // one material each; an empty name is untextured
  bool Prelit = false;
  std::uint32_t UvSets = 0;
  bool Normals = false;
  // Written in a bin mesh extension when not empty, as strips (and the geometry flagged so) or
  // as triangle lists.
  std::vector<DffBinMeshSpec> BinMeshes{};
  bool Strips = false;
};

struct DffFrameSpec {
  FrameMatrix Local;
  std::int32_t Parent = -1;
  std::string Name;
};

struct DffPlan {
  std::uint32_t Version = 0x36003;
  std::vector<DffFrameSpec> Frames;
  std::vector<DffGeometrySpec> Geometries;
  std::vector<DffAtomic> Atomics;
  std::vector<std::uint8_t> Collision;  // the embedded collision file; empty for none
};

// Where a chunk's header was written, and how deep it lies (the clump is 0).
struct DffChunkPlace {
  std::uint32_t Type = 0;
  std::size_t Offset = 0;
  int Depth = 0;
};

struct WrittenDff {
  Bytes Data;
  std::vector<DffChunkPlace> Chunks;  // in the order written
};

WrittenDff WriteDff(const DffPlan& plan);

// A unit cube (12 triangles) on one frame, two textured materials, Vice City's library version.
DffPlan OneAtomicDff();
// A root frame moved and turned, a child frame moved again, an atomic on each (San Andreas).
DffPlan TwoAtomicDff();
// One atomic and a coll of a box mesh and a sphere in the clump's extension.
DffPlan CollisionDff();
// One atomic whose triangles are only in strips, two materials, the strips joined by triangles
// that use a vertex twice. Every triangle faces up (+Z).
DffPlan StripDff();

}  // namespace vantorel::colgen
