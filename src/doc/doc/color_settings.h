#pragma once

#include "core/surface_types.h"
#include "doc/settings.h"

namespace vantorel {

// What the colour settings dialog returns when closed with OK: the six main colours and the
// whole surface table.
struct ColorSettings {
  MainColors Colors;
  SurfaceTypeTable Surfaces;
};

}  // namespace vantorel
