#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// How each kind of collision record lays out its bytes. The codec reads and writes a record from
// its layout and the batch tool's check walks records with the same one, so a record kind is
// described once.
namespace vantorel {

// The element arrays a record can hold.
enum class Section : std::uint8_t {
  Spheres,
  Unused,  // a count of an element kind the format never stores
  Boxes,
  Vertices,
  Faces,
};
inline constexpr std::size_t kSectionKinds = 5;

struct SectionFormat {
  vantorel::Section Section;
  std::size_t ElementBytes;  // 0 for a count whose elements are never stored
};

// A record is a fixed header, then its sections in the order listed, each a signed 32-bit count
// followed by that many elements.
struct RecordLayout {
  std::array<char, 4> FourCC;
  std::size_t HeaderBytes;
  std::size_t NameBytes;  // the name field starts after the FourCC and Size; the Id follows it
  std::span<const SectionFormat> Sections;

  constexpr std::size_t IdOffset() const;
};

inline constexpr std::size_t kCountBytes = 4;
inline constexpr std::size_t kNameOffset = 8;

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
inline constexpr RecordLayout kCollLayout{{'C', 'O', 'L', 'L'}, 72, 20, kCollSections};

// Element counts indexed by Section.
using SectionCounts = std::array<std::uint64_t, kSectionKinds>;

constexpr std::size_t ElementBytes(const RecordLayout& layout, Section section) {
  for (const SectionFormat& format : layout.Sections) {
    if (format.Section == section) return format.ElementBytes;
  }
  return 0;
}

// The whole length of a record with these counts. Counts of sections that store no elements
// add nothing.
constexpr std::uint64_t RecordBytes(const RecordLayout& layout, const SectionCounts& counts) {
  std::uint64_t length = layout.HeaderBytes;
  for (const SectionFormat& format : layout.Sections) {
    length += kCountBytes + format.ElementBytes * counts[static_cast<std::size_t>(format.Section)];
  }
  return length;
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

// Why the sections of a record could not be found.
struct SectionProblem {
  enum class Fault { None, CountCutOff, CountNegative, CountTooLarge };
  Fault What = Fault::None;
  vantorel::Section Section = vantorel::Section::Spheres;  // whose count is at fault
  std::int32_t Count = 0;
  std::size_t Room = 0;  // for CountTooLarge: how many elements the rest of the record holds

  explicit operator bool() const { return What != Fault::None; }
};

// Finds the sections of a record laid out as layout. record holds its bytes from the FourCC to
// where the record ends (its Size, or the end of the file if that comes first). Every count is
// checked against the bytes left before it is used; on a problem the spans are not complete.
SectionProblem LocateSections(const RecordLayout& layout, std::span<const std::uint8_t> record,
                              RecordSections& sections);

}  // namespace vantorel
