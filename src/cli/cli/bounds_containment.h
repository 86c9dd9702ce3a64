#pragma once

#include <cstddef>
#include <cstdint>

#include "cli/point3.h"

namespace vantorel::cli {

// How far the elements of one coll reach beyond its stored bounding box and sphere.
//
// An element counts as outside when some part of it lies more than the tolerance beyond the
// object: 1e-4 of the coll's scale, the largest magnitude among the stored bounding values and
// at least 1. Stored bounds are floats, written by many tools that round them, so a bound a few
// units in the last place short of a vertex is not worth a warning.
class BoundsContainment {
 public:
  // header: the 72 bytes of a record's header.
  explicit BoundsContainment(const std::uint8_t* header);

  // False when a stored value is not finite or the radius is negative; nothing is measured then.
  bool Usable() const { return usable_; }
  double Tolerance() const { return tolerance_; }

  // A vertex (radius 0) or a collision sphere.
  void Point(const char* kind, std::size_t index, const Point3& center, double radius);
  void Box(std::size_t index, const Point3& min, const Point3& max);

  struct Outside {
    std::size_t count = 0;  // elements outside
    double worst = 0;       // how far the farthest one reaches beyond
    const char* kind = "";  // "vertex", "sphere" or "box"
    std::size_t index = 0;

    void Take(double excess, double tolerance, const char* elementKind, std::size_t element);
  };
  const Outside& BoxOutside() const { return box_; }
  const Outside& SphereOutside() const { return sphere_; }

 private:
  double radius_;
  Point3 center_;
  Point3 min_;
  Point3 max_;
  bool usable_;
  double tolerance_;
  double reachSquared_;  // (radius + tolerance)^2
  Outside box_;
  Outside sphere_;
};

}  // namespace vantorel::cli
