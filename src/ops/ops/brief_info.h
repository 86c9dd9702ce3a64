#pragma once

#include <cstdint>
#include <string>

#include "core/coll_records.h"

namespace vantorel {

// The brief information report of a coll: name, position, size, offset, Id bytes, bounding
// objects and element counts, with CR LF line ends. index is 0-based.
std::string BuildBriefInfo(const Coll& coll, int index, int collCount, std::int64_t offset,
                           char decimalSeparator);

}  // namespace vantorel
