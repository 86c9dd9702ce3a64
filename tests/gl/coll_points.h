#pragma once

#include <cstddef>

#include "core/coll_records.h"

namespace vantorel::testing {

// The centre of a face of the coll, in the coll's own coordinates.
inline Vector3 Centroid(const Coll& coll, int face) {
  const CollFace& f = coll.Faces[static_cast<std::size_t>(face)];
  const Vector3& a = coll.Vertices[static_cast<std::size_t>(f.A)];
  const Vector3& b = coll.Vertices[static_cast<std::size_t>(f.B)];
  const Vector3& c = coll.Vertices[static_cast<std::size_t>(f.C)];
  return {(a.X + b.X + c.X) / 3, (a.Y + b.Y + c.Y) / 3, (a.Z + b.Z + c.Z) / 3};
}

}  // namespace vantorel::testing
