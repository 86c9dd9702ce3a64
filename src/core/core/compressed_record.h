#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/coll_records.h"
#include "core/record_layout.h"

// The elements of the San Andreas kinds ("COL2", "COL3", "COL4"): vertices compressed to three
// 16-bit numbers, 8-byte faces, face groups and the shadow mesh, placed through the header's
// offset table.
namespace vantorel {

// A coordinate is stored as round(value * 128) in 16 bits: these are the values that fit.
inline constexpr double kCompressedUnit = 1.0 / 128;
inline constexpr double kLowestCompressed = -32768.5 / 128;  // rounds to -32768
inline constexpr double kHighestCompressed = 32767.5 / 128;  // rounds to 32768: excluded
bool FitsCompressed(float coordinate);
// The coordinate as it reads back once stored: the nearest 1/128.
float RoundedToCompressed(float coordinate);

// Decodes the elements of an offset-table record whose sections LocateSections found.
void LoadCompressedSections(const std::uint8_t* record, const RecordSections& sections, Coll& coll);

// Decodes the San Andreas fields of the header: the bounds in their order (minimum, maximum,
// centre, radius) and, for "COL4", the extra field. The common 32 bytes are decoded as for every
// kind.
void DecodeCompressedBounds(const std::uint8_t* record, CollHeader& header);
void EncodeCompressedBounds(const CollHeader& header, std::uint8_t* record);

// Why coll cannot be written in its San Andreas kind, naming the coll and the value, or nothing
// when it can: a coordinate outside the compressed range, more than 65,535 vertices, more than
// 65,535 spheres, boxes or faces, a face naming a vertex past the last.
std::optional<std::string> CompressedRecordProblem(const Coll& coll);

// Encodes coll, which must pass CompressedRecordProblem, in its own San Andreas kind into
// RecordLength(coll) bytes at out: header, counts, offsets and flags made to match the elements.
void EncodeCompressedColl(const Coll& coll, std::uint8_t* out);

}  // namespace vantorel
