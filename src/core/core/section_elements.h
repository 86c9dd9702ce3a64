#pragma once

#include <cstdint>
#include <vector>

#include "core/coll_records.h"
#include "core/little_endian.h"
#include "core/record_layout.h"

namespace vantorel {

// The pieces every record kind stores alike: 32-bit float vectors, the 4-byte surface and boxes.
inline Vector3 LoadVector(const std::uint8_t* p) {
  return {le::LoadF32(p), le::LoadF32(p + 4), le::LoadF32(p + 8)};
}
inline void StoreVector(std::uint8_t* p, const Vector3& v) {
  le::StoreF32(p, v.X);
  le::StoreF32(p + 4, v.Y);
  le::StoreF32(p + 8, v.Z);
}
inline Surface LoadSurface(const std::uint8_t* p) {
  return {p[0], p[1], p[2], p[3]};
}
inline void StoreSurface(std::uint8_t* p, const Surface& s) {
  p[0] = s.Material;
  p[1] = s.Parameter;
  p[2] = s.Byte2;
  p[3] = s.Byte3;
}
inline CollBox LoadBox(const std::uint8_t* p) {
  return {LoadVector(p), LoadVector(p + 12), LoadSurface(p + 24)};
}
inline void StoreBox(std::uint8_t* p, const CollBox& b) {
  StoreVector(p, b.Min);
  StoreVector(p + 12, b.Max);
  StoreSurface(p + 24, b.Surface);
}

// Decodes the elements of a section whose count has been checked against the record into out,
// overwriting what it held. Only elements beyond its former size are zeroed first: reading every
// coll of a large file into one working copy is bound by these stores.
template <class T, class Load>
void LoadSection(const std::uint8_t* record, const SectionSpan& span, std::vector<T>& out,
                 Load load) {
  out.resize(span.Count);
  const std::uint8_t* p = record + span.Offset;
  for (T& element : out) {
    element = load(p);
    p += span.ElementBytes;
  }
}

}  // namespace vantorel
