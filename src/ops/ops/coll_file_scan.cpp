#include "ops/coll_file_scan.h"

#include <algorithm>
#include <cstring>

#include "core/coll_records.h"
#include "core/little_endian.h"
#include "core/record_layout.h"

namespace vantorel {

namespace {

// Every kind's header is at least as long as the "COLL" one, so fewer bytes than that at a
// record boundary cannot be a header of any kind.
constexpr std::size_t kShortestHeader = kCollLayout.HeaderBytes;

// Whole record length from the header's Size field.
std::uint64_t StoredLength(const std::uint8_t* record) {
  return std::uint64_t{le::LoadU32(record + 4)} + 8;
}

std::string NameOf(const RecordLayout& layout, const std::uint8_t* record) {
  const char* name = reinterpret_cast<const char*>(record + kNameOffset);
  return std::string(name, strnlen(name, layout.NameBytes));
}

// The message for a record whose header and Size do not fit in left bytes, or empty when they do.
std::string_view RecordFault(const std::uint8_t* record, std::size_t left) {
  if (left < kShortestHeader) return kReadErrorText;
  const RecordLayout* layout = LayoutOfFourCC(record);
  if (!layout) return kNoCollisionDataText;
  if (left < layout->HeaderBytes || StoredLength(record) > left ||
      StoredLength(record) < layout->HeaderBytes)
    return kReadErrorText;
  return {};
}

}  // namespace

CollFileScan ScanCollFile(std::span<const std::uint8_t> bytes,
                          const std::function<void(std::size_t position)>& afterRecord) {
  CollFileScan scan;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t left = bytes.size() - pos;
    const std::uint8_t* record = bytes.data() + pos;
    scan.Message = RecordFault(record, left);
    if (!scan.Ok()) {
      scan.Entries.clear();
      return scan;
    }
    const std::uint64_t length = StoredLength(record);
    const RecordLayout& layout = *LayoutOfFourCC(record);
    scan.Entries.push_back({NameOf(layout, record), static_cast<std::int64_t>(pos),
                            static_cast<std::int64_t>(length), layout.Version});
    pos += static_cast<std::size_t>(length);
    if (afterRecord) afterRecord(pos);
  }
  return scan;
}

StoredRecord TakeStoredRecord(std::span<const std::uint8_t> bytes,
                              const CollDirectoryEntry& entry) {
  StoredRecord stored;
  const auto size = static_cast<std::uint64_t>(bytes.size());
  if (entry.Offset < 0 || entry.Size < 0) {
    stored.Message = kReadErrorText;
    return stored;
  }
  const auto offset = static_cast<std::uint64_t>(entry.Offset);
  const auto length = static_cast<std::uint64_t>(entry.Size);
  if (offset > size || size - offset < kShortestHeader) {
    stored.Message = kReadErrorText;
    return stored;
  }
  const std::uint8_t* record = bytes.data() + offset;
  const RecordLayout* layout = LayoutOfFourCC(record);
  if (!layout) {
    stored.Message = kNoCollisionDataText;
  } else if (size - offset < layout->HeaderBytes || StoredLength(record) != length ||
             length > size - offset) {
    stored.Message = kReadErrorText;
  } else {
    stored.Bytes =
        bytes.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(length));
  }
  return stored;
}

}  // namespace vantorel
