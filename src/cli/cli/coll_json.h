#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/coll_directory.h"
#include "core/coll_records.h"

namespace vantorel::cli {

// The list command's JSON document: the file, whether its scan ended in a damaged record, and
// one object per coll (number from 1, name in UTF-8, offset, whole record size, empty).
std::string CollListJson(const std::string& path, const CollDirectoryEntries& directory,
                         bool damaged);

// The info command's JSON document: the brief information of coll index (0-based) with the
// stored bounding values as single-precision numbers.
std::string CollInfoJson(const std::string& path, const Coll& coll, std::size_t index,
                         std::size_t collCount, std::int64_t offset, bool unknownSurface);

}  // namespace vantorel::cli
