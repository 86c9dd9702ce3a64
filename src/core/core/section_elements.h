#pragma once

#include <cstdint>
#include <vector>

#include "core/record_layout.h"

namespace vantorel {

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
