#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/coll_records.h"

namespace vantorel {

// A coll converted to another record kind, or why it could not be.
struct CollConversion {
  std::optional<Coll> Converted;  // nothing when refused
  std::string Refusal;            // names the coll and the value at fault
  // What the target kind cannot keep, one item each ("the shadow mesh (4 vertices, 2 faces)",
  // "2 face groups", "the light bytes of 12 faces", "3 vertices no face uses", ...).
  std::vector<std::string> Lost;
};

// Converts coll to version 1 ("COLL"), 2 ("COL2") or 3 ("COL3"). Surfaces go through the mapping
// between the III/VC and the San Andreas tables (core/sa_surface_table.h); vertices going to a
// San Andreas kind are rounded to the nearest 1/128, and vertices no face uses are dropped, since
// those kinds store no vertex count. A coordinate outside the compressed range, or more than
// 65,535 vertices, refuses the conversion. Converting to the coll's own version changes nothing.
// A coll passed by std::move is converted in place, without a copy.
CollConversion ConvertColl(Coll coll, int toVersion);

// The one line a conversion's message gives a coll: its name and what was not kept; empty when
// everything was.
std::string LostLine(const Coll& coll, const std::vector<std::string>& lost);

}  // namespace vantorel
