#pragma once

#include <string>
#include <vector>

#include "core/coll_records.h"

namespace vantorel::colgen {

// A San Andreas coll of the given version (2, 3 or 4) holding every element its kind can: two
// spheres and a box whose surfaces use all four bytes, a meshed box whose faces carry materials
// and light bytes, two face groups over the mesh; from version 3 a shadow mesh of two faces; for
// version 4 an extra header field. Every coordinate lies on the 1/128 grid, so it is stored
// exactly.
Coll SaColl(const std::string& name, int version, std::uint16_t modelId = 1234);

// Fixtures of the San Andreas kinds: a COL2, a COL3, a COL4, a COL3 without elements and a COL3
// whose name fills all 22 bytes.
std::vector<Coll> SaSampleColls();

// The San Andreas fixtures with "COLL" colls before, between and after them.
std::vector<Coll> MixedKindColls();

}  // namespace vantorel::colgen
