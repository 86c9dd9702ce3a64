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
  NotColl,    // a record boundary held something other than "COLL": silently the end
  Damaged,    // a header cut short, or a Size that would not move past its own header
};

// Lists the "COLL" records of image from byte 0 onwards into directory (which it clears first).
// afterRecord runs once after each record with the position reached, so a caller can keep its
// window alive and show progress.
ScanEnd ScanFile(std::span<const std::uint8_t> image, CollDirectoryEntries& directory,
                 const std::function<void(std::size_t position)>& afterRecord = {});

enum class ReadResult {
  Ok,
  NoCollisionData,  // the entry does not point at a "COLL" record
  Damaged,          // counts negative or larger than the bytes of the record
};

// Decodes the record of entry into coll. The entry's Name and Size are refreshed from the header
// first. Every count is checked against the bytes that are there before anything is allocated;
// on failure coll is left cleared (zero header, no elements).
ReadResult ReadColl(std::span<const std::uint8_t> image, CollDirectoryEntry& entry, Coll& coll);

// Encodes coll exactly as it is, header included, into RecordLength(coll) bytes at out.
void EncodeColl(const Coll& coll, std::uint8_t* out);

// Writes coll back as record index of the image: recomputes its Size, stamps the editor's Id and
// splices the new record in place of the old one, moving the later records and their offsets.
// Bytes after the last record are dropped. Returns false when memory for the new image ran out;
// the image and directory are then as before apart from a dropped tail.
bool WriteColl(Bytes& image, CollDirectoryEntries& directory, std::size_t index, Coll& coll);

// Stamps "QKZV" into the header's Id, except when the name runs on into the Id bytes (no NUL in
// its 20 bytes): the game reads up to 24 name bytes, so stamping would rename such a coll.
void StampEditorId(CollHeader& header);

}  // namespace vantorel
