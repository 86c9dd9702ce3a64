#include "ops/merge.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

#include "core/coll_conversion.h"
#include "core/compressed_record.h"
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

// Appends q's mesh to p's: q's faces follow with their indices moved past p's vertices.
void JoinMeshes(std::vector<CollVertex>& vertices, std::vector<CollFace>& faces,
                const std::vector<CollVertex>& qVertices, const std::vector<CollFace>& qFaces) {
  const std::size_t ownFaces = faces.size();
  const auto shift = static_cast<std::uint32_t>(vertices.size());
  Append(vertices, qVertices);
  Append(faces, qFaces);
  for (std::size_t i = ownFaces; i < faces.size(); ++i) {
    CollFace& face = faces[i];
    face.A = Shifted(face.A, shift);
    face.B = Shifted(face.B, shift);
    face.C = Shifted(face.C, shift);
  }
}

}  // namespace

std::optional<Coll> MergeColls(const Coll& p, const Coll& q, std::string_view name) {
  const int kind = p.Version() >= 2 ? p.Version() : 1;
  Coll merged;
  // Taking q's elements after p's were copied into the new coll lets p and q be the same coll.
  merged.Spheres = p.Spheres;
  Append(merged.Spheres, q.Spheres);
  merged.Boxes = p.Boxes;
  Append(merged.Boxes, q.Boxes);
  merged.Vertices = p.Vertices;
  merged.Faces = p.Faces;
  JoinMeshes(merged.Vertices, merged.Faces, q.Vertices, q.Faces);
  if (kind >= 3) {
    merged.ShadowVertices = p.ShadowVertices;
    merged.ShadowFaces = p.ShadowFaces;
    JoinMeshes(merged.ShadowVertices, merged.ShadowFaces, q.ShadowVertices, q.ShadowFaces);
  }
  // A group names a run of faces and the box around them; p's still do when nothing is added.
  if (kind >= 2 && q.Faces.empty() && q.FaceGroups.empty()) merged.FaceGroups = p.FaceGroups;
  if (kind == 4) merged.Col4Extra = p.Col4Extra;

  CollHeader& header = merged.Header;
  header.FourCC = kind == 1 ? kCollFourCC : p.Header.FourCC;
  if (kind == 1) header.Id = kEditorId;  // a San Andreas header's Id bytes are name and model ID
  WriteCollName(header, name);
  if (RecordLength(merged) - 8 > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
  RecalcCollSize(merged);
  // Bounding values stay zero here; the caller's bounds recalculation fills them.
  return merged;
}

CollMerge MergeCollsOfAnyKind(const Coll& p, const Coll& q, std::string_view name) {
  CollMerge result;
  const int kind = p.Version() >= 2 ? p.Version() : 1;
  // "COL4" holds the elements of "COL3"; only its header has one field more, taken from p.
  const int elementKind = std::min(kind, 3);
  Coll source = q;
  const bool qHadGroups = !source.FaceGroups.empty();
  source.FaceGroups.clear();  // Q's groups are dropped whatever the kind: said once, below
  const bool sameKind = q.Version() == kind || (kind == 4 && q.Version() == 3);
  CollConversion conversion;
  if (sameKind) {
    conversion.Converted = std::move(source);
  } else {
    conversion = ConvertColl(std::move(source), elementKind);
    if (!conversion.Converted) {
      result.Refusal = std::move(conversion.Refusal);
      return result;
    }
  }
  auto merged = MergeColls(p, *conversion.Converted, name);
  if (!merged) return result;
  if (kind >= 2) {
    if (auto problem = CompressedRecordProblem(*merged)) {
      result.Refusal = std::move(*problem);
      return result;
    }
  }

  if (!p.FaceGroups.empty() && merged->FaceGroups.empty()) {
    result.LostLines.push_back(LostLine(p, {std::string(kFaceGroupsDropped)}));
  }
  std::vector<std::string> qLost = std::move(conversion.Lost);
  if (qHadGroups) qLost.emplace_back(kFaceGroupsDropped);
  const std::string qLine = LostLine(q, qLost);
  // A coll merged with itself is told once.
  if (!qLine.empty() &&
      std::find(result.LostLines.begin(), result.LostLines.end(), qLine) == result.LostLines.end())
    result.LostLines.push_back(qLine);
  result.Merged = std::move(merged);
  return result;
}

}  // namespace vantorel
