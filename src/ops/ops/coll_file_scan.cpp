#include "ops/coll_file_scan.h"

#include <algorithm>
#include <cstring>

#include "core/coll_records.h"
#include "core/little_endian.h"

namespace vantorel {

namespace {

constexpr std::size_t kNameBytes = 20;

bool StartsWithColl(const std::uint8_t* record) {
  return std::memcmp(record, kCollFourCC.data(), kCollFourCC.size()) == 0;
}

// Whole record length from the header's Size field.
std::uint64_t RecordBytes(const std::uint8_t* record) {
  return std::uint64_t{le::LoadU32(record + 4)} + 8;
}

std::string NameOf(const std::uint8_t* record) {
  const char* name = reinterpret_cast<const char*>(record + 8);
  return std::string(name, strnlen(name, kNameBytes));
}

}  // namespace

CollFileScan ScanCollFile(std::span<const std::uint8_t> bytes,
                          const std::function<void(std::size_t position)>& afterRecord) {
  CollFileScan scan;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t left = bytes.size() - pos;
    const std::uint8_t* record = bytes.data() + pos;
    if (left < kHeaderBytes) {
      scan.Message = kReadErrorText;
    } else if (!StartsWithColl(record)) {
      scan.Message = kNoCollisionDataText;
    } else if (RecordBytes(record) > left || RecordBytes(record) < kHeaderBytes) {
      scan.Message = kReadErrorText;
    }
    if (!scan.Ok()) {
      scan.Entries.clear();
      return scan;
    }
    const std::uint64_t length = RecordBytes(record);
    scan.Entries.push_back(
        {NameOf(record), static_cast<std::int64_t>(pos), static_cast<std::int64_t>(length)});
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
  if (offset > size || size - offset < kHeaderBytes) {
    stored.Message = kReadErrorText;
    return stored;
  }
  const std::uint8_t* record = bytes.data() + offset;
  if (!StartsWithColl(record)) {
    stored.Message = kNoCollisionDataText;
  } else if (RecordBytes(record) != length || length > size - offset) {
    stored.Message = kReadErrorText;
  } else {
    stored.Bytes =
        bytes.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(length));
  }
  return stored;
}

}  // namespace vantorel
