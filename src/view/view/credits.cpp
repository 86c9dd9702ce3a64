#include "view/credits.h"

#include <cmath>

namespace vantorel {

std::optional<int> CreditsLevel(double start, double duration, double now, bool hold) {
  if (hold) start = now;
  if (!(start + duration >= now) || !(duration > 0)) return std::nullopt;  // NaN times too
  const double fraction = (start + duration - now) / duration;
  if (!(fraction <= 1)) return 255;  // a clock that went back
  return static_cast<int>(std::nearbyint(fraction * 250)) + 5;
}

std::optional<int> CreditsFade::Level(double now) {
  if (Hold) Start = now;
  return CreditsLevel(Start, Duration, now, false);
}

}  // namespace vantorel
