#include "doc/zoom_distance.h"

#include <algorithm>
#include <cmath>

namespace vantorel {

int AutomaticZoomDistance(float boundingRadius, bool automaticZoom) {
  if (!automaticZoom || !std::isfinite(boundingRadius)) return kDefaultZoomDistance;
  const double rounded = std::nearbyint(2.0 * double{boundingRadius});  // ties to even
  return static_cast<int>(std::clamp(rounded, double{kMinDistance}, 1'000'000.0));
}

}  // namespace vantorel
