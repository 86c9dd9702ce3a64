#pragma once

#include <cstdint>
#include <string>

#include "core/coll_records.h"

namespace vantorel {

// The brief information report of a coll: name, position, size, offset, Id bytes, bounding
// objects and element counts, with CR LF line ends. index is 0-based. A San Andreas coll adds its
// kind and model ID after the name, and its face groups and shadow mesh to the counts.
std::string BuildBriefInfo(const Coll& coll, int index, int collCount, std::int64_t offset,
                           char decimalSeparator);

}  // namespace vantorel
