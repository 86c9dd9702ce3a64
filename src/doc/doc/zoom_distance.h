#pragma once

namespace vantorel {

// The camera never comes closer to its target than this.
inline constexpr float kMinDistance = 2.0f;
// The zoom distance without automatic zoom.
inline constexpr int kDefaultZoomDistance = 100;

// The zoom distance of a camera reset: twice the bounding radius rounded half to even with
// automatic zoom on, else 100. A radius that is not finite gives 100; the result lies within
// kMinDistance..1,000,000.
int AutomaticZoomDistance(float boundingRadius, bool automaticZoom);

}  // namespace vantorel
