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
  if (source.Version() >= 2) {
    // Bytes 20 and 21 of a San Andreas name are Id[0] and Id[1]: they stay with the rest of
    // the name. The model ID is the source model's, not the companion's.
    header.Name = LodNameField(source.Name);
    header.SetModelId(0);
    Coll empty;
    empty.Header = header;
    RecalcCollSize(empty);
    return empty.Header;
  }
  header.Size = kEmptyCollSize;
  header.Id = kEditorId;
  SetNameField(header, LodNameField(source.Name));
  return header;
}

std::optional<Bytes> LodRecord(const Coll& source) {
  if (!source.IsLoaded()) return std::nullopt;
  Coll lod;
  lod.Header = LodHeader(source.Header);
  if (source.Version() >= 3) {
    lod.ShadowVertices = source.ShadowVertices;
    lod.ShadowFaces = source.ShadowFaces;
  }
  if (source.Version() == 4) lod.Col4Extra = source.Col4Extra;
  RecalcCollSize(lod);
  if (!FitsRecordFields(lod)) return std::nullopt;
  Bytes record(RecordLength(lod));
  EncodeColl(lod, record.data());
  return record;
}

std::optional<Bytes> LodRecord(const CollHeader& source) {
  Coll coll;
  coll.Header = source;
  return LodRecord(coll);
}

}  // namespace vantorel
