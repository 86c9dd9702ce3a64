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
  vantorel::Surface Surface;
};

inline constexpr std::array<char, 4> kCollFourCC = kCollLayout.FourCC;
inline constexpr std::array<std::uint8_t, 4> kEditorId{0x51, 0x4B, 0x5A, 0x56};  // "QKZV"

struct CollHeader {
  std::array<char, 4> FourCC{};
  std::uint32_t Size = 0;  // record length minus 8
  std::array<char, 20> Name{};
  std::array<std::uint8_t, 4> Id{};
  float BoundingRadius = 0;
  Vector3 BoundingCenter;
  Vector3 BoundingMin;
  Vector3 BoundingMax;
};

// Byte sizes on disk, from the record's layout.
inline constexpr std::size_t kHeaderBytes = kCollLayout.HeaderBytes;
inline constexpr std::size_t kSphereBytes = ElementBytes(kCollLayout, Section::Spheres);
inline constexpr std::size_t kBoxBytes = ElementBytes(kCollLayout, Section::Boxes);
inline constexpr std::size_t kVertexBytes = ElementBytes(kCollLayout, Section::Vertices);
inline constexpr std::size_t kFaceBytes = ElementBytes(kCollLayout, Section::Faces);
inline constexpr std::size_t kEmptyRecordBytes = RecordBytes(kCollLayout, {});
// Header Size of a coll without elements: the 64 header bytes after Size plus five counts.
inline constexpr std::uint32_t kEmptyCollSize = kEmptyRecordBytes - 8;

// One decoded coll: the working copy the editor edits. Each element count is the length of its
// array, so the two can never disagree.
struct Coll {
  CollHeader Header;
  std::vector<CollSphere> Spheres;
  std::vector<CollBox> Boxes;
  std::vector<CollVertex> Vertices;
  std::vector<CollFace> Faces;

  std::int32_t SphereCount() const { return static_cast<std::int32_t>(Spheres.size()); }
  std::int32_t BoxCount() const { return static_cast<std::int32_t>(Boxes.size()); }
  std::int32_t VertexCount() const { return static_cast<std::int32_t>(Vertices.size()); }
  std::int32_t FaceCount() const { return static_cast<std::int32_t>(Faces.size()); }

  // A coll counts as loaded when its header carries the "COLL" marker.
  bool IsLoaded() const { return Header.FourCC == kCollFourCC; }
  void Clear() { *this = Coll{}; }
};

// The header's name: the 20 name bytes up to the first NUL, or all of them.
std::string HeaderName(const CollHeader& header);
// Whether the 20 name bytes hold a NUL, i.e. whether the name ends inside its field.
bool NameFieldTerminated(const CollHeader& header);
// Stores name (cut to 20 bytes) into the header, padding with NUL bytes.
void SetHeaderName(CollHeader& header, const std::string& name);

// The coll's element counts, as its record's sections hold them.
SectionCounts CollSectionCounts(const Coll& coll);
// Whole record length of the coll as it would be encoded.
std::size_t RecordLength(const Coll& coll);
// Sets Header.Size from the element counts.
void RecalcCollSize(Coll& coll);

}  // namespace vantorel
