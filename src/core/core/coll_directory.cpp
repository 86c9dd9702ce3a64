#include "core/coll_directory.h"

namespace vantorel {

namespace {
constexpr const char* kEmptyCollSuffix = " [-]";

// The length of a record of that version without elements.
std::uint64_t EmptyRecordBytes(int version) {
  const RecordLayout* layout = LayoutOfVersion(version);
  return layout && version >= 2 ? RecordBytes(*layout, {}) : kEmptyRecordBytes;
}

}  // namespace

bool HoldsNoElements(const CollDirectoryEntry& entry) {
  return entry.Size <= static_cast<std::int64_t>(EmptyRecordBytes(entry.Version));
}

std::string CollListLine(const CollDirectoryEntry& entry) {
  return HoldsNoElements(entry) ? entry.Name + kEmptyCollSuffix : entry.Name;
}

std::string CollListLine(const CollHeader& header) {
  const std::string name = HeaderName(header);
  return std::uint64_t{header.Size} + 8 <= EmptyRecordBytes(header.Version())
             ? name + kEmptyCollSuffix
             : name;
}

}  // namespace vantorel
