#pragma once

#include <string>

#include "core/coll_records.h"

namespace vantorel {

// A coll's bounding sphere and box as its header holds them.
struct BoundingObjects {
  float Radius = 0;
  Vector3 Center;
  Vector3 Min;
  Vector3 Max;
};

// The box around every vertex, box corner and sphere of the coll and the origin, and the sphere
// around that box (centre in the box's middle, radius half its diagonal). Faces count through
// their vertices only.
BoundingObjects ComputeBoundingObjects(const Coll& coll);

BoundingObjects HeaderBoundingObjects(const CollHeader& header);
void StoreBoundingObjects(CollHeader& header, const BoundingObjects& values);

// The old and new values side by side, ending with the question whether to apply the new ones.
// Lines end with CR LF; numbers are coordinates ("0.0####") with the given separator.
std::string BoundingReport(const BoundingObjects& old, const BoundingObjects& computed,
                           char decimalSeparator);

}  // namespace vantorel
