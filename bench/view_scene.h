#pragma once

#include "core/coll_records.h"

namespace vantorel::bench {

// A large coll for the view's figures: 65,000 vertices on a wavy 260 x 250 grid and 100,000
// faces over them, their materials scattered over eight surface types.
Coll LargeViewColl();

}  // namespace vantorel::bench
