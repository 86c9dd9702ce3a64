#include "cli/bounds_containment.h"

#include <algorithm>

namespace vantorel::cli {

namespace {
constexpr double kRelativeTolerance = 1e-4;
}

BoundsContainment::BoundsContainment(const std::uint8_t* header) {
  radius_ = le::LoadF32(header + 32);
  center_ = LoadPoint3(header + 36);
  min_ = LoadPoint3(header + 48);
  max_ = LoadPoint3(header + 60);
  usable_ =
      std::isfinite(radius_) && radius_ >= 0 && Finite(center_) && Finite(min_) && Finite(max_);
  double scale = std::max(1.0, radius_);
  for (const Point3& v : {center_, min_, max_})
    scale = std::max({scale, std::fabs(v.x), std::fabs(v.y), std::fabs(v.z)});
  tolerance_ = kRelativeTolerance * scale;
  const double reach = radius_ + tolerance_;
  reachSquared_ = reach * reach;
}

void BoundsContainment::Outside::Take(double excess, double tolerance, const char* elementKind,
                                      std::size_t element) {
  if (!(excess > tolerance)) return;
  ++count;
  if (excess > worst) {
    worst = excess;
    kind = elementKind;
    index = element;
  }
}

void BoundsContainment::Point(const char* kind, std::size_t index, const Point3& p, double r) {
  const double boxExcess = std::max({min_.x - (p.x - r), min_.y - (p.y - r), min_.z - (p.z - r),
                                     p.x + r - max_.x, p.y + r - max_.y, p.z + r - max_.z});
  box_.Take(boxExcess, tolerance_, kind, index);
  const Point3 d = Minus(p, center_);
  const double distanceSquared = Dot(d, d);
  // The square root is only taken for what may lie outside.
  const double room = radius_ + tolerance_ - r;
  if (room < 0 || distanceSquared > room * room) {
    sphere_.Take(std::sqrt(distanceSquared) + r - radius_, tolerance_, kind, index);
  }
}

void BoundsContainment::Box(std::size_t index, const Point3& lo, const Point3& hi) {
  const double boxExcess = std::max(
      {min_.x - lo.x, min_.y - lo.y, min_.z - lo.z, hi.x - max_.x, hi.y - max_.y, hi.z - max_.z});
  box_.Take(boxExcess, tolerance_, "box", index);
  // The corner farthest from the centre decides.
  const Point3 far{std::max(std::fabs(lo.x - center_.x), std::fabs(hi.x - center_.x)),
                   std::max(std::fabs(lo.y - center_.y), std::fabs(hi.y - center_.y)),
                   std::max(std::fabs(lo.z - center_.z), std::fabs(hi.z - center_.z))};
  const double distanceSquared = Dot(far, far);
  if (distanceSquared > reachSquared_) {
    sphere_.Take(std::sqrt(distanceSquared) - radius_, tolerance_, "box", index);
  }
}

}  // namespace vantorel::cli
