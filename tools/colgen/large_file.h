#pragma once

#include <cstddef>
#include <cstdint>

#include "core/byte_buffer.h"
#include "core/coll_records.h"

namespace vantorel::colgen {

// A coll with the given numbers of elements, its mesh a strip of triangles; positions and
// materials come from seed, so equal arguments give equal colls.
Coll PatternColl(const char* name, int spheres, int boxes, int faces, std::uint32_t seed);

// A file of collCount colls that together take about targetBytes: the large inputs of the
// benchmarks. Every coll has its own name ("coll000001", ...). version chooses the record kind
// (1 "COLL", 2, 3, 4): the San Andreas kinds get more faces for the same bytes, their vertices
// on the 1/128 grid.
Bytes LargeFile(std::size_t collCount, std::size_t targetBytes, std::uint32_t seed = 1,
                int version = 1);

}  // namespace vantorel::colgen
