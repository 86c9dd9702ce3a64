#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/record_layout.h"

namespace vantorel {

struct Vector3 {
  float X = 0;
  float Y = 0;
  float Z = 0;  // height axis
};

// The four surface bytes every sphere, box and face carries.
struct Surface {
  std::uint8_t Material = 0;
  std::uint8_t Parameter = 0;  // car part
  std::uint8_t Byte2 = 0;      // not interpreted, kept as read
  std::uint8_t Byte3 = 0;
};

struct CollSphere {
  float Radius = 0;
  Vector3 Center;
  vantorel::Surface Surface;
};

// An axis-aligned box.
struct CollBox {
  Vector3 Min;
  Vector3 Max;
  vantorel::Surface Surface;
};

using CollVertex = Vector3;

// One mesh triangle; A, B and C are 0-based vertex indices.
struct CollFace {
  std::int32_t A = 0;
  std::int32_t B = 0;
  std::int32_t C = 0;
  // The San Andreas kinds store two bytes of it: Material, and the face's light in Byte2 (the
  // byte where spheres and boxes carry their lighting); see FaceLight.
  vantorel::Surface Surface;
};

// The light byte of a face of a San Andreas coll.
inline std::uint8_t FaceLight(const CollFace& face) {
  return face.Surface.Byte2;
}

// San Andreas kinds: a box around a run of faces, so the game can skip the faces of boxes a test
// misses. First and Last are face indices, Last included.
struct CollFaceGroup {
  Vector3 Min;
  Vector3 Max;
  std::uint16_t First = 0;
  std::uint16_t Last = 0;
};

inline constexpr std::array<char, 4> kCollFourCC = kCollLayout.FourCC;
inline constexpr std::array<std::uint8_t, 4> kEditorId{0x51, 0x4B, 0x5A, 0x56};  // "QKZV"

// The version of a record kind: 1 for "COLL", 2, 3, 4 for "COL2", "COL3", "COL4"; 0 for none.
int CollVersion(const std::array<char, 4>& fourCC);

// Bytes 8..31 are Name and Id for every kind. "COLL" has a 20-byte name and a 4-byte Id; the San
// Andreas kinds a 22-byte name, whose last two bytes are Id[0] and Id[1], and a 16-bit model ID
// in Id[2] and Id[3]. Keeping the 24 bytes as they are keeps a "COLL" record's bytes exactly.
struct CollHeader {
  std::array<char, 4> FourCC{};
  std::uint32_t Size = 0;  // record length minus 8
  std::array<char, 20> Name{};
  std::array<std::uint8_t, 4> Id{};
  float BoundingRadius = 0;
  Vector3 BoundingCenter;
  Vector3 BoundingMin;
  Vector3 BoundingMax;

  int Version() const { return CollVersion(FourCC); }
  // San Andreas kinds: the model ID (the game's hint for finding the model; it goes by name).
  std::uint16_t ModelId() const { return static_cast<std::uint16_t>(Id[2] | Id[3] << 8); }
  void SetModelId(std::uint16_t id) {
    Id[2] = static_cast<std::uint8_t>(id);
    Id[3] = static_cast<std::uint8_t>(id >> 8);
  }
};

// Byte sizes on disk, from the record's layout.
inline constexpr std::size_t kHeaderBytes = kCollLayout.HeaderBytes;
inline constexpr std::size_t kSphereBytes = ElementBytes(kCollLayout, Section::Spheres);
inline constexpr std::size_t kBoxBytes = ElementBytes(kCollLayout, Section::Boxes);
inline constexpr std::size_t kVertexBytes = ElementBytes(kCollLayout, Section::Vertices);
inline constexpr std::size_t kFaceBytes = ElementBytes(kCollLayout, Section::Faces);
inline constexpr std::size_t kEmptyRecordBytes = kCollEmptyRecordBytes;
// Header Size of a coll without elements: the 64 header bytes after Size plus five counts.
inline constexpr std::uint32_t kEmptyCollSize = kEmptyRecordBytes - 8;

// One decoded coll: the working copy the editor edits. Each element count is the length of its
// array, so the two can never disagree. Its version is its header's FourCC; what a "COLL" record
// cannot hold (face groups, the shadow mesh, light bytes) stays empty there.
struct Coll {
  CollHeader Header;
  std::vector<CollSphere> Spheres;
  std::vector<CollBox> Boxes;
  std::vector<CollVertex> Vertices;
  std::vector<CollFace> Faces;
  std::vector<CollFaceGroup> FaceGroups;   // San Andreas kinds
  std::vector<CollVertex> ShadowVertices;  // "COL3", "COL4": the mesh that casts shadows
  std::vector<CollFace> ShadowFaces;
  std::uint32_t Col4Extra = 0;  // "COL4": its extra header field, kept as read

  int Version() const { return Header.Version(); }

  std::int32_t SphereCount() const { return static_cast<std::int32_t>(Spheres.size()); }
  std::int32_t BoxCount() const { return static_cast<std::int32_t>(Boxes.size()); }
  std::int32_t VertexCount() const { return static_cast<std::int32_t>(Vertices.size()); }
  std::int32_t FaceCount() const { return static_cast<std::int32_t>(Faces.size()); }

  // A coll counts as loaded when its header carries one of the four kinds' markers.
  bool IsLoaded() const { return Version() != 0; }
  void Clear() { *this = Coll{}; }
};

// How many name bytes the header's kind has: 20 for "COLL", 22 for the San Andreas kinds.
std::size_t NameFieldBytes(const CollHeader& header);
// The header's name: the name bytes up to the first NUL, or all of them.
std::string HeaderName(const CollHeader& header);
// Whether the name bytes hold a NUL, i.e. whether the name ends inside its field.
bool NameFieldTerminated(const CollHeader& header);
// Stores name (cut to the name field) into the header, padding with NUL bytes.
void SetHeaderName(CollHeader& header, const std::string& name);

// The coll's element counts, as its record's sections hold them.
SectionCounts CollSectionCounts(const Coll& coll);
// The layout the coll is written in: its version's, "COLL" for a coll of none.
const RecordLayout& LayoutOf(const Coll& coll);
// Whole record length of the coll as it would be encoded.
std::size_t RecordLength(const Coll& coll);
// Sets Header.Size from the element counts.
void RecalcCollSize(Coll& coll);

}  // namespace vantorel
