#pragma once

#include <cstdint>

#include "core/coll_records.h"
#include "view/view_math.h"

namespace vantorel {

// One vertex of every line and triangle the view draws: a display-space position and an ARGB
// colour (0xAARRGGBB).
struct ColorVertex {
  float X = 0;
  float Y = 0;
  float Z = 0;
  std::uint32_t Color = 0;
};
static_assert(sizeof(ColorVertex) == 16, "the vertex arrays are uploaded as they are");

// The view is left-handed with the second coordinate up, so a coll point (x, y, z) is shown at
// (x, z, y).
inline Vec3 ToDisplay(const Vector3& point) {
  return {point.X, point.Z, point.Y};
}

inline ColorVertex DisplayVertex(const Vector3& point, std::uint32_t color) {
  return {point.X, point.Z, point.Y, color};
}

}  // namespace vantorel
