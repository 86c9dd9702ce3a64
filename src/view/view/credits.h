#pragma once

#include <optional>

namespace vantorel {

// The grey level (5..255) at which the start-up picture is blended over the view at time now,
// all in seconds: 255 at start, falling evenly to 5 after duration (rounded half to even), and
// nothing after that. While held, the picture stays at 255.
std::optional<int> CreditsLevel(double start, double duration, double now, bool hold);

// The fade of the start-up picture. While Hold is set, every frame moves Start to its own time,
// so the picture fades out only from the moment the hold ends.
struct CreditsFade {
  double Start = 0;
  double Duration = 3.0;
  bool Hold = false;

  std::optional<int> Level(double now);
};

}  // namespace vantorel
