#pragma once

#include <cmath>
#include <cstdint>

#include "core/little_endian.h"

namespace vantorel::cli {

// A position read from a record's floats, in double so that differences and products of the
// stored values come out exact enough to judge them.
struct Point3 {
  double x;
  double y;
  double z;
};

inline Point3 LoadPoint3(const std::uint8_t* p) {
  return {le::LoadF32(p), le::LoadF32(p + 4), le::LoadF32(p + 8)};
}
inline bool Finite(const Point3& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}
inline double Dot(const Point3& a, const Point3& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Point3 Minus(const Point3& a, const Point3& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Point3 Cross(const Point3& a, const Point3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

}  // namespace vantorel::cli
