#pragma once

#include <optional>

#include "core/byte_buffer.h"
#include "core/coll_records.h"
#include "ops/coll_name_field.h"

namespace vantorel {

// The name bytes of a coll's low-detail companion: the first three become "LOD", the others
// stay (house01 -> LODse01, building -> LODlding). A name shorter than three characters gives
// exactly "LOD" (ab -> LOD, "" -> LOD), whatever bytes lay behind its terminator.
NameField LodNameField(const NameField& name);

// The header of the companion of a coll with header source: its FourCC and bounding values,
// the LOD name, "QKZV" as Id and the Size of a coll without elements.
CollHeader LodHeader(const CollHeader& source);

// The whole 92-byte record of the companion: LodHeader and five zero counts. nullopt when source
// is not the header of a loaded coll (no "COLL"): that record would not read as a coll.
std::optional<Bytes> LodRecord(const CollHeader& source);

}  // namespace vantorel
