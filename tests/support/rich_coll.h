#pragma once

#include <string>

#include "core/coll_records.h"

namespace vantorel::testing {

// A coll with an id, a sphere, a box and a meshed box, whose surfaces use all four bytes: what a
// reader or writer drops or reorders shows up in it.
Coll RichColl(const std::string& name);

}  // namespace vantorel::testing
