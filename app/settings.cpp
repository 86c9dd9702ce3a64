#include "app/settings.h"

#include <algorithm>

namespace vantorel {

int NormalizeSegments(int segments) {
  const int clamped = std::clamp(segments, 4, 48);
  return clamped - clamped % 2;
}

MainSettingsValues MainSettingsFrom(const Settings& s) {
  return {s.WindowSize, s.CSphereDetail, s.BSphereDetail, s.FSAntialiasing, s.askRecalc,
          s.askApply,   s.askDelete,     s.askSurface,    s.UnkSurHint};
}

void TakeMainSettings(Settings& s, const MainSettingsValues& v) {
  s.WindowSize = v.WindowSize;
  s.CSphereDetail = NormalizeSegments(v.CSphereDetail);
  s.BSphereDetail = NormalizeSegments(v.BSphereDetail);
  s.FSAntialiasing = v.FSAntialiasing;
  s.askRecalc = v.askRecalc;
  s.askApply = v.askApply;
  s.askDelete = v.askDelete;
  s.askSurface = v.askSurface;
  s.UnkSurHint = v.UnkSurHint;
}

void ApplySettingRanges(Settings& settings) {
  if (settings.WindowSize < 0 || settings.WindowSize > 5) settings.WindowSize = 0;
  settings.BSphereDetail = NormalizeSegments(settings.BSphereDetail);
  settings.CSphereDetail = NormalizeSegments(settings.CSphereDetail);
  settings.FSAntialiasing = std::clamp(settings.FSAntialiasing, 0, 2);
}

}  // namespace vantorel
