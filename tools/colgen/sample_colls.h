#pragma once

#include <vector>

#include "core/coll_records.h"

namespace vantorel::colgen {

// The colls of the sample file that ships with the program: a meshed building with a ramp, a
// fence of boxes, a lamp post of spheres, a car-like body with car-part parameters, a coll
// without elements and a floor of tiles in every material 0-34 and one beyond the table.
std::vector<Coll> SampleColls();

}  // namespace vantorel::colgen
