#include "core/coll_directory.h"

namespace vantorel {

namespace {
constexpr const char* kEmptyCollSuffix = " [-]";
}

std::string CollListLine(const CollDirectoryEntry& entry) {
  return entry.Size <= static_cast<std::int64_t>(kEmptyRecordBytes) ? entry.Name + kEmptyCollSuffix
                                                                    : entry.Name;
}

std::string CollListLine(const CollHeader& header) {
  const std::string name = HeaderName(header);
  return header.Size <= kEmptyCollSize ? name + kEmptyCollSuffix : name;
}

}  // namespace vantorel
