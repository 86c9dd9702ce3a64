#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// How each kind of collision record lays out its bytes. The codec reads and writes a record from
// its layout and the batch tool's check walks records with the same one, so a record kind is
// described once. docs/col_formats.md gives the layouts and their sources.
namespace vantorel {

// The element arrays a record can hold.
enum class Section : std::uint8_t {
  Spheres,
  Unused,  // a count of an element kind the format never stores
  Boxes,
  Vertices,
  Faces,
  FaceGroups,  // San Andreas kinds: boxes over runs of faces, stored just before the faces
  ShadowVertices,
  ShadowFaces,
};
inline constexpr std::size_t kSectionKinds = 8;

struct SectionFormat {
  vantorel::Section Section;
  std::size_t ElementBytes;  // 0 for a count whose elements are never stored
  // Offset-table layouts only: where the header holds the section's count and its offset, and
  // how wide the count is. 0 where the record stores no such field (the count follows from other
  // sections, or the section is found from another one).
  std::size_t CountField = 0;
  std::size_t CountBytes = 0;
  std::size_t OffsetField = 0;
};

enum class SectionPlacement : std::uint8_t {
  // After the header, each section is a signed 32-bit count followed by that many elements.
  CountedInline,
  // The header holds 16- or 32-bit counts and the offset of each section, counted from byte 4 of
  // the record. Vertex counts are not stored: they are the highest index a face uses, plus 1.
  // Face groups, present when the flags say so, end with their 32-bit count just before the
  // faces.
  OffsetTable,
};

struct RecordLayout {
  std::array<char, 4> FourCC;
  int Version;  // 1 for "COLL", 2, 3, 4 for "COL2", "COL3", "COL4"
  std::size_t HeaderBytes;
  std::size_t NameBytes;  // the name field starts after the FourCC and Size; the Id follows it
  SectionPlacement Placement;
  std::span<const SectionFormat> Sections;  // in the order they are written

  constexpr std::size_t IdOffset() const;
};

inline constexpr std::size_t kCountBytes = 4;
inline constexpr std::size_t kNameOffset = 8;
// Every kind has its name and Id in the first 32 bytes, and its bounds in the next 40.
inline constexpr std::size_t kBoundsOffset = 32;

constexpr std::size_t RecordLayout::IdOffset() const {
  return kNameOffset + NameBytes;
}

inline constexpr std::array<SectionFormat, 5> kCollSections{{
    {Section::Spheres, 20},   // radius, centre, surface
    {Section::Unused, 0},     // a count only, written as 0
    {Section::Boxes, 28},     // minimum, maximum, surface
    {Section::Vertices, 12},  // x, y, z
    {Section::Faces, 16},     // three vertex indices, surface
}};
inline constexpr RecordLayout kCollLayout{
    {'C', 'O', 'L', 'L'}, 1, 72, 20, SectionPlacement::CountedInline, kCollSections};

// The header fields of the San Andreas kinds, from the record's first byte.
namespace sa_header {
inline constexpr std::size_t kSphereCount = 72;  // uint16
inline constexpr std::size_t kBoxCount = 74;     // uint16
inline constexpr std::size_t kFaceCount = 76;    // uint16
inline constexpr std::size_t kLineCount = 78;    // uint8, then a pad byte
inline constexpr std::size_t kFlags = 80;        // uint32
inline constexpr std::size_t kSphereOffset = 84;
inline constexpr std::size_t kBoxOffset = 88;
inline constexpr std::size_t kLineOffset = 92;
inline constexpr std::size_t kVertexOffset = 96;
inline constexpr std::size_t kFaceOffset = 100;
inline constexpr std::size_t kPlaneOffset = 104;      // the game builds the planes itself
inline constexpr std::size_t kShadowFaceCount = 108;  // COL3+, uint32
inline constexpr std::size_t kShadowVertexOffset = 112;
inline constexpr std::size_t kShadowFaceOffset = 116;
inline constexpr std::size_t kCol4Extra = 120;  // COL4: one more uint32 the game ignores
// Stored offsets count from the Size field, 4 bytes into the record; 0 stands for "none".
inline constexpr std::size_t kOffsetBase = 4;

inline constexpr std::uint32_t kFlagNotEmpty = 0x02;  // spheres, boxes or faces
inline constexpr std::uint32_t kFlagFaceGroups = 0x08;
inline constexpr std::uint32_t kFlagShadowMesh = 0x10;
}  // namespace sa_header

inline constexpr std::size_t kFaceGroupCountBytes = 4;

// Spheres: centre, radius, surface. Boxes: minimum, maximum, surface. Vertices: x, y, z as
// int16 * 1/128. Face groups: minimum, maximum, first and last face (uint16, the last included).
// Faces: a, b, c (uint16), material, light.
inline constexpr std::array<SectionFormat, 5> kCol2Sections{{
    {Section::Spheres, 20, sa_header::kSphereCount, 2, sa_header::kSphereOffset},
    {Section::Boxes, 28, sa_header::kBoxCount, 2, sa_header::kBoxOffset},
    {Section::Vertices, 6, 0, 0, sa_header::kVertexOffset},
    {Section::FaceGroups, 28},
    {Section::Faces, 8, sa_header::kFaceCount, 2, sa_header::kFaceOffset},
}};
inline constexpr std::array<SectionFormat, 7> kCol3Sections{{
    kCol2Sections[0],
    kCol2Sections[1],
    kCol2Sections[2],
    kCol2Sections[3],
    kCol2Sections[4],
    {Section::ShadowVertices, 6, 0, 0, sa_header::kShadowVertexOffset},
    {Section::ShadowFaces, 8, sa_header::kShadowFaceCount, 4, sa_header::kShadowFaceOffset},
}};
inline constexpr RecordLayout kCol2Layout{
    {'C', 'O', 'L', '2'}, 2, 108, 22, SectionPlacement::OffsetTable, kCol2Sections};
inline constexpr RecordLayout kCol3Layout{
    {'C', 'O', 'L', '3'}, 3, 120, 22, SectionPlacement::OffsetTable, kCol3Sections};
inline constexpr RecordLayout kCol4Layout{
    {'C', 'O', 'L', '4'}, 4, 124, 22, SectionPlacement::OffsetTable, kCol3Sections};

// The layout of a record starting with fourCC (at least 4 bytes), or nullptr for none of the
// four kinds.
const RecordLayout* LayoutOfFourCC(const std::uint8_t* fourCC);
// The layout of version 1..4, or nullptr.
const RecordLayout* LayoutOfVersion(int version);

// Element counts indexed by Section.
using SectionCounts = std::array<std::uint64_t, kSectionKinds>;

constexpr std::size_t ElementBytes(const RecordLayout& layout, Section section) {
  for (const SectionFormat& format : layout.Sections) {
    if (format.Section == section) return format.ElementBytes;
  }
  return 0;
}

// Where one section's elements lie in a record.
struct SectionSpan {
  std::size_t Offset = 0;  // of the first element, from the record's first byte
  std::size_t Count = 0;
  std::size_t ElementBytes = 0;
  std::int32_t StoredCount = 0;  // the count field as written, kept for sections without elements
};

struct RecordSections {
  std::array<SectionSpan, kSectionKinds> Spans{};  // by Section; absent sections stay empty
  std::size_t Length = 0;  // from the record's first byte to the end of its last section

  const SectionSpan& operator[](Section section) const {
    return Spans[static_cast<std::size_t>(section)];
  }
};

// Where a writer puts the sections of a record with these counts, in the layout's order: counted
// sections back to back; offset-table sections back to back after the header, the vertex
// sections padded to 4 bytes, the face groups' count right before the faces. Counts of sections
// that store no elements add nothing. Length is the whole record's.
RecordSections PlanSections(const RecordLayout& layout, const SectionCounts& counts);

// The whole length of a record with these counts.
inline std::uint64_t RecordBytes(const RecordLayout& layout, const SectionCounts& counts) {
  return PlanSections(layout, counts).Length;
}
inline constexpr std::uint64_t kCollEmptyRecordBytes = 72 + 5 * kCountBytes;

// Why the sections of a record could not be found.
struct SectionProblem {
  enum class Fault {
    None,
    CountCutOff,    // the record ends before the count
    CountNegative,  // a signed count below 0
    CountTooLarge,  // more elements than the rest of the record holds
    HeaderCutOff,   // the record ends inside its header
    OffsetMissing,  // elements counted, but the offset is 0
    OffsetOutside,  // the offset points into the header or past the record's end
    Overlap,        // the section starts inside another one
  };
  Fault What = Fault::None;
  vantorel::Section Section = vantorel::Section::Spheres;  // whose count or offset is at fault
  std::int64_t Count = 0;  // the count, or for an offset fault the offset as stored
  std::size_t Room = 0;    // for CountTooLarge: how many elements the rest of the record holds

  explicit operator bool() const { return What != Fault::None; }
};

// Finds the sections of a record laid out as layout. record holds its bytes from the FourCC to
// where the record ends (its Size, or the end of the file if that comes first). Every count and
// offset is checked against the bytes there before it is used, and no byte outside record is
// read; on a problem the spans are not complete.
SectionProblem LocateSections(const RecordLayout& layout, std::span<const std::uint8_t> record,
                              RecordSections& sections);

}  // namespace vantorel
