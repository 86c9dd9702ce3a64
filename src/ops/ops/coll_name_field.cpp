#include "ops/coll_name_field.h"

#include <algorithm>
#include <cstring>

#include "core/coll_codec.h"

namespace vantorel {

void SetNameField(CollHeader& header, const NameField& name) {
  header.Name = name;
  if (NameFieldTerminated(header)) return;
  // A San Andreas name runs on into two of the Id bytes only; the other two are the model ID,
  // which a rename keeps.
  header.Id[0] = 0;
  header.Id[1] = 0;
  if (header.Version() < 2) header.Id = {0, 0, 0, 0};
}

void WriteCollName(CollHeader& header, std::string_view name) {
  NameField field{};
  std::copy_n(name.begin(), std::min(name.size(), field.size()), field.begin());
  SetNameField(header, field);
}

std::optional<Bytes> RenamedRecordCopy(std::span<const std::uint8_t> record,
                                       std::string_view name) {
  if (record.size() < kHeaderBytes) return std::nullopt;
  Bytes copy(record.begin(), record.end());
  CollHeader header;
  DecodeHeader(copy.data(), header);
  WriteCollName(header, name);
  // Only the name and Id bytes are put back, so every other byte stays exactly as stored.
  std::memcpy(copy.data() + kNameOffset, header.Name.data(), header.Name.size());
  std::memcpy(copy.data() + kCollLayout.IdOffset(), header.Id.data(), header.Id.size());
  return copy;
}

}  // namespace vantorel
