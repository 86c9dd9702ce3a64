#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/coll_records.h"

namespace vantorel {

// Where one coll lies in the file image.
struct CollDirectoryEntry {
  std::string Name;         // header name up to its first NUL
  std::int64_t Offset = 0;  // position of the record's marker ("COLL", "COL2", ...)
  std::int64_t Size = 0;    // whole record length: header Size + 8
  int Version = 1;          // of the record's kind: 1 "COLL", 2, 3, 4 "COL2", "COL3", "COL4"
};

using CollDirectoryEntries = std::vector<CollDirectoryEntry>;

// Whether the entry's record is no longer than a record of its kind without elements.
bool HoldsNoElements(const CollDirectoryEntry& entry);

// The coll list's line for an entry: the name, plus " [-]" for a coll without elements.
std::string CollListLine(const CollDirectoryEntry& entry);
// The same line built from a decoded header, as the working copy shows it.
std::string CollListLine(const CollHeader& header);

}  // namespace vantorel
