#include "app/settings.h"

#include <algorithm>

namespace vantorel {

int NormalizeSegments(int segments) {
  const int clamped = std::clamp(segments, 4, 48);
  return clamped - clamped % 2;
}

void ApplySettingRanges(Settings& settings) {
  if (settings.WindowSize < 0 || settings.WindowSize > 5) settings.WindowSize = 0;
  settings.BSphereDetail = NormalizeSegments(settings.BSphereDetail);
  settings.CSphereDetail = NormalizeSegments(settings.CSphereDetail);
  settings.FSAntialiasing = std::clamp(settings.FSAntialiasing, 0, 2);
}

}  // namespace vantorel
