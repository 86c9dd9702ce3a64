#include "ops/make_lod.h"

#include <algorithm>

#include "core/coll_codec.h"

namespace vantorel {

namespace {
constexpr NameField::size_type kPrefixLength = 3;
}

NameField LodNameField(const NameField& name) {
  const auto nameLength =
      static_cast<std::size_t>(std::find(name.begin(), name.end(), '\0') - name.begin());
  NameField lod = name;
  lod[0] = 'L';
  lod[1] = 'O';
  lod[2] = 'D';
  // A short name's terminator is overwritten by the prefix; without a new one, bytes that lay
  // hidden behind the old terminator would become part of the name.
  if (nameLength < kPrefixLength) lod[kPrefixLength] = '\0';
  return lod;
}

CollHeader LodHeader(const CollHeader& source) {
  CollHeader header = source;
  header.Size = kEmptyCollSize;
  header.Id = kEditorId;
  SetNameField(header, LodNameField(source.Name));
  return header;
}

std::optional<Bytes> LodRecord(const CollHeader& source) {
  if (source.FourCC != kCollFourCC) return std::nullopt;
  Coll lod;
  lod.Header = LodHeader(source);
  Bytes record(kEmptyRecordBytes);
  EncodeColl(lod, record.data());
  return record;
}

}  // namespace vantorel
