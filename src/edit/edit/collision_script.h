#pragma once

#include <string>

#include "core/coll_records.h"

namespace vantorel {

// The collision script of a coll: comment lines, the coll's name and size, then spheres, boxes,
// vertices and faces, each under its count line. Lines are joined with CR LF and the text ends
// with the last element line. exportedOn is the local date and time as the locale writes it.
// Control characters in the name are written as \xHH, so the name stays on its comment line.
// A San Andreas coll's script carries its own material numbers and, right after the name line,
// "# Kind: COL3" (its FourCC) and, when it has any, a line naming what the script leaves out:
// "# Not in this script: 2 face groups, 4 shadow vertices, 2 shadow faces". Readers of the
// format skip comment lines; ours makes a coll of that kind from the kind line.
std::string BuildCollisionScript(const Coll& coll, const std::string& exportedOn,
                                 char decimalSeparator);

}  // namespace vantorel
