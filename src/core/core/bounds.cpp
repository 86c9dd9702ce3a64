#include "core/bounds.h"

#include <cmath>

#include "core/number_text.h"

namespace vantorel {

namespace {

// The extremes are kept as floats while they are gathered, as the header stores them.
struct Extremes {
  float Min[3] = {0, 0, 0};
  float Max[3] = {0, 0, 0};

  void Take(int axis, double low, double high) {
    if (high > Max[axis]) Max[axis] = static_cast<float>(high);
    if (low < Min[axis]) Min[axis] = static_cast<float>(low);
  }
  void Take(const Vector3& v) {
    Take(0, v.X, v.X);
    Take(1, v.Y, v.Y);
    Take(2, v.Z, v.Z);
  }
};

std::string Vector(const Vector3& v, char separator) {
  return FormatCoordinate(v.X, separator) + "; " + FormatCoordinate(v.Y, separator) + "; " +
         FormatCoordinate(v.Z, separator);
}

std::string Objects(const BoundingObjects& b, char separator) {
  return "Bounding Sphere\r\n"
         "   Radius: \t" +
         FormatCoordinate(b.Radius, separator) +
         "\r\n"
         "   Center: \t" +
         Vector(b.Center, separator) +
         "\r\n"
         "Bounding Box\r\n"
         "   Minimum: \t" +
         Vector(b.Min, separator) +
         "\r\n"
         "   Maximum: \t" +
         Vector(b.Max, separator) + "\r\n";
}

}  // namespace

BoundingObjects ComputeBoundingObjects(const Coll& coll) {
  Extremes e;
  for (const CollVertex& v : coll.Vertices)
    e.Take(v);
  for (const CollBox& b : coll.Boxes) {
    e.Take(b.Min);
    e.Take(b.Max);
  }
  for (const CollSphere& s : coll.Spheres) {
    const double r = s.Radius;
    e.Take(0, s.Center.X - r, s.Center.X + r);
    e.Take(1, s.Center.Y - r, s.Center.Y + r);
    e.Take(2, s.Center.Z - r, s.Center.Z + r);
  }

  BoundingObjects result;
  result.Min = {e.Min[0], e.Min[1], e.Min[2]};
  result.Max = {e.Max[0], e.Max[1], e.Max[2]};
  double squares = 0;
  float* center[3] = {&result.Center.X, &result.Center.Y, &result.Center.Z};
  for (int axis = 0; axis < 3; ++axis) {
    const double low = e.Min[axis];
    const double high = e.Max[axis];
    *center[axis] = static_cast<float>((low + high) * 0.5);
    squares += (high - low) * (high - low);
  }
  result.Radius = static_cast<float>(0.5 * std::sqrt(squares));
  return result;
}

BoundingObjects HeaderBoundingObjects(const CollHeader& header) {
  return {header.BoundingRadius, header.BoundingCenter, header.BoundingMin, header.BoundingMax};
}

void StoreBoundingObjects(CollHeader& header, const BoundingObjects& values) {
  header.BoundingRadius = values.Radius;
  header.BoundingCenter = values.Center;
  header.BoundingMin = values.Min;
  header.BoundingMax = values.Max;
}

std::string BoundingReport(const BoundingObjects& old, const BoundingObjects& computed,
                           char decimalSeparator) {
  return "OLD BOUNDING OBJECTS\r\n\r\n" + Objects(old, decimalSeparator) +
         "\r\nNEW BOUNDING OBJECTS\r\n\r\n" + Objects(computed, decimalSeparator) +
         "\r\nWould you like to apply the calculated bounding objects?";
}

}  // namespace vantorel
