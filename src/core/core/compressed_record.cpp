#include "core/compressed_record.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/little_endian.h"
#include "core/number_text.h"
#include "core/section_elements.h"
#include "core/windows1252.h"

namespace vantorel {

namespace {

constexpr std::size_t kMostElements = 65535;  // the 16-bit counts and face indices

using le::LoadU16;
using le::StoreU16;

float LoadCompressed(const std::uint8_t* p) {
  return static_cast<float>(static_cast<std::int16_t>(LoadU16(p))) *
         static_cast<float>(kCompressedUnit);
}
void StoreCompressed(std::uint8_t* p, float value) {
  const auto stored = static_cast<std::int16_t>(std::lround(double{value} * 128));
  StoreU16(p, static_cast<std::uint16_t>(stored));
}

CollVertex LoadCompressedVertex(const std::uint8_t* p) {
  return {LoadCompressed(p), LoadCompressed(p + 2), LoadCompressed(p + 4)};
}
void StoreCompressedVertex(std::uint8_t* p, const CollVertex& v) {
  StoreCompressed(p, v.X);
  StoreCompressed(p + 2, v.Y);
  StoreCompressed(p + 4, v.Z);
}

CollSphere LoadSphere(const std::uint8_t* p) {
  return {le::LoadF32(p + 12), LoadVector(p), LoadSurface(p + 16)};
}
void StoreSphere(std::uint8_t* p, const CollSphere& s) {
  StoreVector(p, s.Center);
  le::StoreF32(p + 12, s.Radius);
  StoreSurface(p + 16, s.Surface);
}
CollFace LoadFace(const std::uint8_t* p) {
  CollFace face{LoadU16(p), LoadU16(p + 2), LoadU16(p + 4), {}};
  face.Surface.Material = p[6];
  face.Surface.Byte2 = p[7];  // the light
  return face;
}
void StoreFace(std::uint8_t* p, const CollFace& f) {
  StoreU16(p, static_cast<std::uint16_t>(f.A));
  StoreU16(p + 2, static_cast<std::uint16_t>(f.B));
  StoreU16(p + 4, static_cast<std::uint16_t>(f.C));
  p[6] = f.Surface.Material;
  p[7] = FaceLight(f);
}
CollFaceGroup LoadFaceGroup(const std::uint8_t* p) {
  return {LoadVector(p), LoadVector(p + 12), LoadU16(p + 24), LoadU16(p + 26)};
}
void StoreFaceGroup(std::uint8_t* p, const CollFaceGroup& g) {
  StoreVector(p, g.Min);
  StoreVector(p + 12, g.Max);
  StoreU16(p + 24, g.First);
  StoreU16(p + 26, g.Last);
}

template <class T, class Store>
void StoreSection(std::uint8_t* record, const SectionSpan& span, const std::vector<T>& elements,
                  Store store) {
  std::uint8_t* p = record + span.Offset;
  for (std::size_t i = 0; i < span.Count; ++i, p += span.ElementBytes)
    store(p, elements[i]);
}

std::string CollName(const Coll& coll) {
  return "coll \"" + Windows1252ToUtf8(HeaderName(coll.Header)) + "\"";
}

// The first coordinate of points that does not fit, as a message, or nothing.
std::optional<std::string> CoordinateProblem(const Coll& coll,
                                             const std::vector<CollVertex>& points,
                                             const char* what) {
  for (std::size_t i = 0; i < points.size(); ++i) {
    for (const float value : {points[i].X, points[i].Y, points[i].Z}) {
      if (FitsCompressed(value)) continue;
      return CollName(coll) + ": " + what + " " + std::to_string(i) + " has the coordinate " +
             FormatCoordinate(value, '.') +
             ", outside the range a San Andreas record can store (-256 to 255.99)";
    }
  }
  return std::nullopt;
}

std::optional<std::string> FaceProblem(const Coll& coll, const std::vector<CollFace>& faces,
                                       std::size_t vertices, const char* what) {
  for (std::size_t i = 0; i < faces.size(); ++i) {
    for (const std::int32_t index : {faces[i].A, faces[i].B, faces[i].C}) {
      if (index >= 0 && static_cast<std::size_t>(index) < vertices) continue;
      return CollName(coll) + ": " + what + " " + std::to_string(i) + " names vertex " +
             std::to_string(index) + ", which does not exist (" + std::to_string(vertices) + ")";
    }
  }
  return std::nullopt;
}

}  // namespace

bool FitsCompressed(float coordinate) {
  return coordinate >= kLowestCompressed && coordinate < kHighestCompressed;
}

float RoundedToCompressed(float coordinate) {
  return static_cast<float>(std::round(double{coordinate} * 128) * kCompressedUnit);
}

void LoadCompressedSections(const std::uint8_t* record, const RecordSections& sections,
                            Coll& coll) {
  LoadSection(record, sections[Section::Spheres], coll.Spheres, LoadSphere);
  LoadSection(record, sections[Section::Boxes], coll.Boxes, LoadBox);
  LoadSection(record, sections[Section::Vertices], coll.Vertices, LoadCompressedVertex);
  LoadSection(record, sections[Section::FaceGroups], coll.FaceGroups, LoadFaceGroup);
  LoadSection(record, sections[Section::Faces], coll.Faces, LoadFace);
  LoadSection(record, sections[Section::ShadowVertices], coll.ShadowVertices, LoadCompressedVertex);
  LoadSection(record, sections[Section::ShadowFaces], coll.ShadowFaces, LoadFace);
  coll.Col4Extra = coll.Version() == 4 ? le::LoadU32(record + sa_header::kCol4Extra) : 0;
}

void DecodeCompressedBounds(const std::uint8_t* record, CollHeader& header) {
  header.BoundingMin = LoadVector(record + kBoundsOffset);
  header.BoundingMax = LoadVector(record + kBoundsOffset + 12);
  header.BoundingCenter = LoadVector(record + kBoundsOffset + 24);
  header.BoundingRadius = le::LoadF32(record + kBoundsOffset + 36);
}

void EncodeCompressedBounds(const CollHeader& header, std::uint8_t* record) {
  StoreVector(record + kBoundsOffset, header.BoundingMin);
  StoreVector(record + kBoundsOffset + 12, header.BoundingMax);
  StoreVector(record + kBoundsOffset + 24, header.BoundingCenter);
  le::StoreF32(record + kBoundsOffset + 36, header.BoundingRadius);
}

std::optional<std::string> CompressedRecordProblem(const Coll& coll) {
  const struct {
    std::size_t count;
    const char* what;
  } counts[] = {{coll.Spheres.size(), "spheres"},
                {coll.Boxes.size(), "boxes"},
                {coll.Faces.size(), "faces"},
                {coll.Vertices.size(), "vertices"},
                {coll.ShadowVertices.size(), "shadow vertices"}};
  for (const auto& [count, what] : counts) {
    if (count <= kMostElements) continue;
    return CollName(coll) + " has " + std::to_string(count) + " " + what +
           ": a San Andreas record holds at most 65535";
  }
  if (coll.Version() < 3 && !coll.ShadowFaces.empty()) {
    return CollName(coll) + " has a shadow mesh, which a \"COL2\" record cannot hold";
  }
  if (auto problem = CoordinateProblem(coll, coll.Vertices, "vertex")) return problem;
  if (auto problem = CoordinateProblem(coll, coll.ShadowVertices, "shadow vertex")) return problem;
  if (auto problem = FaceProblem(coll, coll.Faces, coll.Vertices.size(), "face")) return problem;
  if (auto problem =
          FaceProblem(coll, coll.ShadowFaces, coll.ShadowVertices.size(), "shadow face")) {
    return problem;
  }
  const std::uint64_t length = RecordBytes(LayoutOf(coll), CollSectionCounts(coll));
  if (length - 8 > UINT32_MAX) return CollName(coll) + " is too large for one record";
  return std::nullopt;
}

void EncodeCompressedColl(const Coll& coll, std::uint8_t* out) {
  const RecordLayout& layout = LayoutOf(coll);
  const RecordSections plan = PlanSections(layout, CollSectionCounts(coll));
  std::memset(out, 0, plan.Length);
  const CollHeader& header = coll.Header;
  std::memcpy(out, header.FourCC.data(), 4);
  le::StoreU32(out + 4, header.Size);
  std::memcpy(out + kNameOffset, header.Name.data(), header.Name.size());
  std::memcpy(out + kNameOffset + header.Name.size(), header.Id.data(), header.Id.size());
  EncodeCompressedBounds(header, out);

  std::uint32_t flags = 0;
  for (const SectionFormat& format : layout.Sections) {
    const SectionSpan& span = plan[format.Section];
    if (format.CountField != 0) {
      if (format.CountBytes == 2) {
        StoreU16(out + format.CountField, static_cast<std::uint16_t>(span.Count));
      } else {
        le::StoreU32(out + format.CountField, static_cast<std::uint32_t>(span.Count));
      }
    }
    if (format.OffsetField != 0 && span.Count > 0) {
      le::StoreU32(out + format.OffsetField,
                   static_cast<std::uint32_t>(span.Offset - sa_header::kOffsetBase));
    }
  }
  if (!coll.Spheres.empty() || !coll.Boxes.empty() || !coll.Faces.empty()) {
    flags |= sa_header::kFlagNotEmpty;
  }
  const SectionSpan& groups = plan[Section::FaceGroups];
  if (groups.Count > 0) {
    flags |= sa_header::kFlagFaceGroups;
    le::StoreU32(out + groups.Offset + groups.Count * groups.ElementBytes,
                 static_cast<std::uint32_t>(groups.Count));
  }
  if (plan[Section::ShadowFaces].Count > 0) flags |= sa_header::kFlagShadowMesh;
  le::StoreU32(out + sa_header::kFlags, flags);
  if (coll.Version() == 4) le::StoreU32(out + sa_header::kCol4Extra, coll.Col4Extra);

  StoreSection(out, plan[Section::Spheres], coll.Spheres, StoreSphere);
  StoreSection(out, plan[Section::Boxes], coll.Boxes, StoreBox);
  StoreSection(out, plan[Section::Vertices], coll.Vertices, StoreCompressedVertex);
  StoreSection(out, groups, coll.FaceGroups, StoreFaceGroup);
  StoreSection(out, plan[Section::Faces], coll.Faces, StoreFace);
  StoreSection(out, plan[Section::ShadowVertices], coll.ShadowVertices, StoreCompressedVertex);
  StoreSection(out, plan[Section::ShadowFaces], coll.ShadowFaces, StoreFace);
}

}  // namespace vantorel
