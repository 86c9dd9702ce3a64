#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "core/coll_records.h"

namespace vantorel {

struct ScriptReadResult {
  // The spheres, boxes, vertices and faces of the script in the order of their lines; the header
  // is left as a fresh one for the caller to fill, but for the FourCC of a San Andreas kind that
  // a "# Kind: COL2" (COL3, COL4) comment line names. Empty when the script could not be parsed.
  std::optional<Coll> Elements;
  // Then the 1-based number of the line that stopped the reading.
  std::size_t ErrorLine = 0;
};

// Reads a collision script tolerantly: only element lines count (trimmed, at least 8 characters,
// S, B, V or F in either case, then a blank), and their fields are found by their separators in
// order, whatever the index, the spacing or the count lines say. Reals may be written with a
// point or with the locale's decimalSeparator. Materials keep their low byte, capped at 34 (at
// 178, the last San Andreas material, in a script of a San Andreas kind); a
// face index that is negative or names a vertex not yet read becomes the last vertex read so far.
// A field that is missing or no number, a face before any vertex and a real beyond the range of a
// float stop the reading with a parse error.
ScriptReadResult ReadCollisionScript(std::string_view text, char decimalSeparator);

}  // namespace vantorel
