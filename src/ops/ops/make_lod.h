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

// The header of the companion of a coll with header source: its kind and bounding values and
// the LOD name. A "COLL" companion gets "QKZV" as Id; a San Andreas one keeps the two name
// bytes its kind has beyond the twenty (bytes 3 on of the name stay) and gets model ID 0.
// Size is that of a coll without elements of the kind (a "COL3"/"COL4" companion's Size grows
// by its shadow mesh once LodRecord puts it in).
CollHeader LodHeader(const CollHeader& source);

// The whole record of the companion of source: LodHeader and no spheres, boxes or faces, so no
// face groups either. A "COL3"/"COL4" companion keeps source's shadow mesh as it is, since the
// low-detail model casts the same shadow, and a "COL4" one the kind's extra field. A "COLL"
// companion is the 92-byte record of LodHeader and five zero counts. nullopt when source is not
// a loaded coll: that record would not read as a coll, or when its shadow mesh cannot be
// written.
std::optional<Bytes> LodRecord(const Coll& source);
// The companion of a coll with that header and no shadow mesh.
std::optional<Bytes> LodRecord(const CollHeader& source);

}  // namespace vantorel
