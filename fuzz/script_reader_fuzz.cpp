// Any bytes as a collision script, read with a point, a comma and a field character as the
// decimal separator. Each reading ends in elements or a parse error naming a line; what it reads
// is in range. Writing it out and reading it back keeps every element (the reals rounded to six
// digits once), and doing that a second time changes nothing more.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <utility>

#include "edit/collision_script.h"
#include "edit/script_reader.h"

namespace {

using namespace vantorel;

void Require(bool condition) {
  if (!condition) std::abort();
}

bool Finite(const Vector3& v) {
  return std::isfinite(v.X) && std::isfinite(v.Y) && std::isfinite(v.Z);
}

bool NewSurface(const Surface& s) {
  return s.Material <= 34 && s.Parameter == 0 && s.Byte2 == 0 && s.Byte3 == 0;
}

bool SameVector(const Vector3& a, const Vector3& b) {
  return a.X == b.X && a.Y == b.Y && a.Z == b.Z;
}

void CheckElements(const Coll& coll) {
  Require(!coll.IsLoaded());
  for (const CollSphere& s : coll.Spheres)
    Require(std::isfinite(s.Radius) && Finite(s.Center) && NewSurface(s.Surface));
  for (const CollBox& b : coll.Boxes)
    Require(Finite(b.Min) && Finite(b.Max) && NewSurface(b.Surface));
  for (const CollVertex& v : coll.Vertices)
    Require(Finite(v));
  for (const CollFace& f : coll.Faces) {
    Require(NewSurface(f.Surface));
    for (const std::int32_t index : {f.A, f.B, f.C})
      Require(index >= 0 && index < coll.VertexCount());
  }
}

// The counts, materials and face indices, which survive every export.
void CheckSameShape(const Coll& a, const Coll& b) {
  Require(a.SphereCount() == b.SphereCount() && a.BoxCount() == b.BoxCount() &&
          a.VertexCount() == b.VertexCount() && a.FaceCount() == b.FaceCount());
  for (std::size_t i = 0; i < a.Faces.size(); ++i) {
    const CollFace& f = a.Faces[i];
    const CollFace& g = b.Faces[i];
    Require(f.A == g.A && f.B == g.B && f.C == g.C && f.Surface.Material == g.Surface.Material);
  }
}

Coll ExportedAndRead(const Coll& coll, char separator) {
  ScriptReadResult result =
      ReadCollisionScript(BuildCollisionScript(coll, "now", separator), separator);
  Require(result.Elements.has_value());
  return std::move(*result.Elements);
}

void CheckSame(const Coll& a, const Coll& b) {
  Require(a.SphereCount() == b.SphereCount() && a.BoxCount() == b.BoxCount() &&
          a.VertexCount() == b.VertexCount() && a.FaceCount() == b.FaceCount());
  for (std::size_t i = 0; i < a.Spheres.size(); ++i) {
    Require(a.Spheres[i].Radius == b.Spheres[i].Radius);
    Require(SameVector(a.Spheres[i].Center, b.Spheres[i].Center));
    Require(a.Spheres[i].Surface.Material == b.Spheres[i].Surface.Material);
  }
  for (std::size_t i = 0; i < a.Boxes.size(); ++i) {
    Require(SameVector(a.Boxes[i].Min, b.Boxes[i].Min));
    Require(SameVector(a.Boxes[i].Max, b.Boxes[i].Max));
    Require(a.Boxes[i].Surface.Material == b.Boxes[i].Surface.Material);
  }
  for (std::size_t i = 0; i < a.Vertices.size(); ++i)
    Require(SameVector(a.Vertices[i], b.Vertices[i]));
  for (std::size_t i = 0; i < a.Faces.size(); ++i) {
    const CollFace& f = a.Faces[i];
    const CollFace& g = b.Faces[i];
    Require(f.A == g.A && f.B == g.B && f.C == g.C && f.Surface.Material == g.Surface.Material);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const char separator : {'.', ',', ';'}) {
    const ScriptReadResult result = ReadCollisionScript(text, separator);
    if (!result.Elements) {
      Require(result.ErrorLine > 0);
      continue;
    }
    Require(result.ErrorLine == 0);
    CheckElements(*result.Elements);
    if (separator == ';') continue;  // its own scripts' points would split fields
    const Coll rounded = ExportedAndRead(*result.Elements, separator);
    CheckSameShape(*result.Elements, rounded);
    CheckSame(rounded, ExportedAndRead(rounded, separator));
  }
  return 0;
}
