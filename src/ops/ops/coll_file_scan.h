#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "core/coll_directory.h"

namespace vantorel {

inline constexpr std::string_view kReadErrorText = "ERROR while reading collision data!";
inline constexpr std::string_view kNoCollisionDataText = "No collision data found!";

// The colls of another collision file, for import and replace. A file is usable only whole:
// one bad record leaves Entries empty and names the failure in Message.
struct CollFileScan {
  CollDirectoryEntries Entries;
  std::string_view Message;  // empty when every record was read

  bool Ok() const { return Message.empty(); }
};

// Lists the records of bytes from byte 0 onwards, of any of the four kinds ("COLL", "COL2",
// "COL3", "COL4"). A header that cannot be read whole, or a record whose Size runs past the end
// of the bytes (or would end inside its own header), gives kReadErrorText; a record that starts
// with none of the four markers gives kNoCollisionDataText. So every
// entry that is returned has all its bytes in the file. afterRecord runs after each record with
// the position reached.
CollFileScan ScanCollFile(std::span<const std::uint8_t> bytes,
                          const std::function<void(std::size_t position)>& afterRecord = {});

// The bytes of one record that a directory entry points at, for copying or exporting it whole.
struct StoredRecord {
  std::span<const std::uint8_t> Bytes;  // the whole record; empty when Message is set
  std::string_view Message;

  bool Ok() const { return Message.empty(); }
};

// Checks the record of entry as the strict scan checks a record: a header or record that does
// not lie whole inside bytes, or a header Size that disagrees with the entry, gives
// kReadErrorText; a record with none of the four markers gives kNoCollisionDataText.
StoredRecord TakeStoredRecord(std::span<const std::uint8_t> bytes, const CollDirectoryEntry& entry);

}  // namespace vantorel
