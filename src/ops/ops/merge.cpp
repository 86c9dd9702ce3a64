#include "ops/merge.h"

#include <cstdint>
#include <limits>

#include "ops/coll_name_field.h"

namespace vantorel {

namespace {

template <class T>
void Append(std::vector<T>& to, const std::vector<T>& from) {
  to.insert(to.end(), from.begin(), from.end());
}

// Indices are shifted with wrap-around: a damaged index near the int32 limit stays damaged
// instead of overflowing.
std::int32_t Shifted(std::int32_t index, std::uint32_t by) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(index) + by);
}

}  // namespace

std::optional<Coll> MergeColls(const Coll& p, const Coll& q, std::string_view name) {
  const std::size_t length = RecordLength(p) + RecordLength(q) - kEmptyRecordBytes;
  if (length - 8 > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;

  Coll merged;
  // Taking q's elements before anything is appended lets p and q be the same coll.
  const std::size_t ownFaces = p.Faces.size();
  merged.Spheres = p.Spheres;
  Append(merged.Spheres, q.Spheres);
  merged.Boxes = p.Boxes;
  Append(merged.Boxes, q.Boxes);
  merged.Vertices = p.Vertices;
  Append(merged.Vertices, q.Vertices);
  merged.Faces = p.Faces;
  Append(merged.Faces, q.Faces);
  const auto shift = static_cast<std::uint32_t>(p.Vertices.size());
  for (std::size_t i = ownFaces; i < merged.Faces.size(); ++i) {
    CollFace& face = merged.Faces[i];
    face.A = Shifted(face.A, shift);
    face.B = Shifted(face.B, shift);
    face.C = Shifted(face.C, shift);
  }

  CollHeader& header = merged.Header;
  header.FourCC = kCollFourCC;
  header.Id = kEditorId;
  WriteCollName(header, name);
  RecalcCollSize(merged);
  // Bounding values stay zero here; the caller's bounds recalculation fills them.
  return merged;
}

}  // namespace vantorel
