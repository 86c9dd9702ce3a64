#pragma once

#include <optional>

#include "core/coll_records.h"
#include "view/view_math.h"

namespace vantorel {

struct Ray {
  Vec3 Origin;
  Vec3 Direction;
};

// The ray from the eye through a point of the panel (client coordinates, y downwards) of the
// given size, for the view and projection matrices of the frame.
Ray PickRay(float x, float y, float panelWidth, float panelHeight, const Matrix4& view,
            const Matrix4& projection);

struct TriangleHit {
  bool Hit = false;
  float T = 0;  // distance along the ray, in units of its direction
  float U = 0;  // barycentric weights of T1 and T2
  float V = 0;
};

// One-sided ray/triangle test: a triangle seen from its back, or edge-on, is missed. The front
// is the side from which T0, T1, T2 run clockwise in the view's left-handed space.
TriangleHit RayHitsTriangle(const Ray& ray, const Vec3& t0, const Vec3& t1, const Vec3& t2);

// The nearest drawable face in front of the eye that the ray hits (its front side, or either
// side when doublesided), or nothing.
std::optional<int> PickFace(const Coll& coll, const Ray& ray, bool doublesided);

}  // namespace vantorel
