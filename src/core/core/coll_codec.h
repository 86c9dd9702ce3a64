#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

#include "core/byte_buffer.h"
#include "core/coll_directory.h"
#include "core/coll_records.h"

namespace vantorel {

void DecodeHeader(const std::uint8_t* bytes, CollHeader& header);
void EncodeHeader(const CollHeader& header, std::uint8_t* bytes);

// How a scan of a file image ended.
enum class ScanEnd {
  EndOfData,  // the records ran to the end of the image (the last one may run past it)
  NotColl,    // a record boundary held none of "COLL", "COL2", "COL3", "COL4": silently the end
  Damaged,    // a header cut short, or a Size that would not move past its own header
};

// Lists the collision records of image (all four kinds, in any order) from byte 0 onwards into
// directory (which it clears first). afterRecord runs once after each record with the position
// reached, so a caller can keep its window alive and show progress.
ScanEnd ScanFile(std::span<const std::uint8_t> image, CollDirectoryEntries& directory,
                 const std::function<void(std::size_t position)>& afterRecord = {});

enum class ReadResult {
  Ok,
  NoCollisionData,  // the entry does not point at a collision record
  Damaged,          // a header cut short, counts or offsets that do not fit the record
};

// Decodes the record of entry into coll. Every count is checked against the bytes that are there
// before anything is allocated; on failure coll is left cleared (zero header, no elements).
ReadResult ReadColl(std::span<const std::uint8_t> image, const CollDirectoryEntry& entry,
                    Coll& coll);

// Whether every count and the record length fit the format's 32-bit fields: counts are signed,
// the Size field (the length less 8) unsigned.
bool RecordFieldsFit(std::size_t spheres, std::size_t boxes, std::size_t vertices,
                     std::size_t faces);
// Whether coll can be written in its own kind: the counts and length fit their fields, and for
// the San Andreas kinds every coordinate and index fits too (CompressedRecordProblem says why
// not).
bool FitsRecordFields(const Coll& coll);

// Encodes coll exactly as it is, header included, into RecordLength(coll) bytes at out. The coll
// must fit the format (FitsRecordFields).
void EncodeColl(const Coll& coll, std::uint8_t* out);

// Stamps "QKZV" into the header's Id, except when the name runs on into the Id bytes (no NUL in
// its 20 bytes): the game reads up to 24 name bytes, so stamping would rename such a coll. A San
// Andreas header is left alone: its Id bytes hold the name's end and the model ID.
void StampEditorId(CollHeader& header);

}  // namespace vantorel
