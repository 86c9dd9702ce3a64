#include "tools/colgen/coll_builder.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <utility>

#include "core/coll_codec.h"

namespace vantorel::colgen {

Surface MakeSurface(std::uint8_t material, std::uint8_t parameter, std::uint8_t byte2,
                    std::uint8_t byte3) {
  return {material, parameter, byte2, byte3};
}

CollBuilder::CollBuilder(std::string name) : name_(std::move(name)) {
  coll_.Header.FourCC = kCollFourCC;
  SetHeaderName(coll_.Header, name_);
  coll_.Header.Id = {0x47, 0x45, 0x4E, 0x00};  // "GEN"
}

CollBuilder& CollBuilder::Version(int version) {
  const RecordLayout* layout = LayoutOfVersion(version);
  if (!layout) return *this;
  coll_.Header.FourCC = layout->FourCC;
  if (version >= 2) {
    coll_.Header.Id = {};
    SetHeaderName(coll_.Header, name_);
  }
  return *this;
}

CollBuilder& CollBuilder::ModelId(std::uint16_t id) {
  coll_.Header.SetModelId(id);
  return *this;
}

CollBuilder& CollBuilder::FaceGroup(Vector3 min, Vector3 max, std::uint16_t first,
                                    std::uint16_t last) {
  coll_.FaceGroups.push_back({min, max, first, last});
  return *this;
}

std::int32_t CollBuilder::ShadowVertex(Vector3 position) {
  coll_.ShadowVertices.push_back(position);
  return static_cast<std::int32_t>(coll_.ShadowVertices.size()) - 1;
}

CollBuilder& CollBuilder::ShadowFace(std::int32_t a, std::int32_t b, std::int32_t c,
                                     std::uint8_t material, std::uint8_t light) {
  coll_.ShadowFaces.push_back({a, b, c, MakeSurface(material, 0, light)});
  return *this;
}

CollBuilder& CollBuilder::Col4Extra(std::uint32_t value) {
  coll_.Col4Extra = value;
  return *this;
}

CollBuilder& CollBuilder::Id(std::array<std::uint8_t, 4> id) {
  coll_.Header.Id = id;
  return *this;
}

CollBuilder& CollBuilder::RawName(const std::array<char, 20>& name) {
  coll_.Header.Name = name;
  return *this;
}

CollBuilder& CollBuilder::Sphere(Vector3 center, float radius, Surface surface) {
  coll_.Spheres.push_back({radius, center, surface});
  return *this;
}

CollBuilder& CollBuilder::Box(Vector3 min, Vector3 max, Surface surface) {
  coll_.Boxes.push_back({min, max, surface});
  return *this;
}

std::int32_t CollBuilder::Vertex(Vector3 position) {
  coll_.Vertices.push_back(position);
  return coll_.VertexCount() - 1;
}

CollBuilder& CollBuilder::Face(std::int32_t a, std::int32_t b, std::int32_t c, Surface surface) {
  coll_.Faces.push_back({a, b, c, surface});
  return *this;
}

CollBuilder& CollBuilder::Quad(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d,
                               Surface surface) {
  Face(a, b, c, surface);
  return Face(a, c, d, surface);
}

CollBuilder& CollBuilder::MeshBox(Vector3 min, Vector3 max, Surface surface) {
  std::int32_t v[8];
  for (int i = 0; i < 8; ++i) {
    v[i] = Vertex({(i & 1) ? max.X : min.X, (i & 2) ? max.Y : min.Y, (i & 4) ? max.Z : min.Z});
  }
  Quad(v[0], v[2], v[3], v[1], surface);  // bottom
  Quad(v[4], v[5], v[7], v[6], surface);  // top
  Quad(v[0], v[1], v[5], v[4], surface);
  Quad(v[2], v[6], v[7], v[3], surface);
  Quad(v[0], v[4], v[6], v[2], surface);
  return Quad(v[1], v[3], v[7], v[5], surface);
}

Coll CollBuilder::Build() const {
  Coll coll = coll_;
  FitBounds(coll);
  RecalcCollSize(coll);
  return coll;
}

void FitBounds(Coll& coll) {
  Vector3 lo{INFINITY, INFINITY, INFINITY};
  Vector3 hi{-INFINITY, -INFINITY, -INFINITY};
  auto take = [&](const Vector3& p, float r) {
    lo = {std::min(lo.X, p.X - r), std::min(lo.Y, p.Y - r), std::min(lo.Z, p.Z - r)};
    hi = {std::max(hi.X, p.X + r), std::max(hi.Y, p.Y + r), std::max(hi.Z, p.Z + r)};
  };
  for (const auto& s : coll.Spheres)
    take(s.Center, s.Radius);
  for (const auto& b : coll.Boxes) {
    take(b.Min, 0);
    take(b.Max, 0);
  }
  for (const auto& v : coll.Vertices)
    take(v, 0);
  CollHeader& h = coll.Header;
  if (lo.X > hi.X) {
    h.BoundingMin = h.BoundingMax = h.BoundingCenter = {};
    h.BoundingRadius = 0;
    return;
  }
  h.BoundingMin = lo;
  h.BoundingMax = hi;
  h.BoundingCenter = {(lo.X + hi.X) / 2, (lo.Y + hi.Y) / 2, (lo.Z + hi.Z) / 2};
  const float dx = hi.X - lo.X;
  const float dy = hi.Y - lo.Y;
  const float dz = hi.Z - lo.Z;
  h.BoundingRadius = std::sqrt(dx * dx + dy * dy + dz * dz) / 2;
}

void GroupFaces(Coll& coll, std::size_t facesPerGroup) {
  coll.FaceGroups.clear();
  if (facesPerGroup == 0) return;
  for (std::size_t first = 0; first < coll.Faces.size(); first += facesPerGroup) {
    const std::size_t last = std::min(first + facesPerGroup, coll.Faces.size()) - 1;
    CollFaceGroup group{{INFINITY, INFINITY, INFINITY},
                        {-INFINITY, -INFINITY, -INFINITY},
                        static_cast<std::uint16_t>(first),
                        static_cast<std::uint16_t>(last)};
    for (std::size_t i = first; i <= last; ++i) {
      const CollFace& face = coll.Faces[i];
      for (const std::int32_t index : {face.A, face.B, face.C}) {
        const Vector3& v = coll.Vertices.at(static_cast<std::size_t>(index));
        group.Min = {std::min(group.Min.X, v.X), std::min(group.Min.Y, v.Y),
                     std::min(group.Min.Z, v.Z)};
        group.Max = {std::max(group.Max.X, v.X), std::max(group.Max.Y, v.Y),
                     std::max(group.Max.Z, v.Z)};
      }
    }
    coll.FaceGroups.push_back(group);
  }
}

void AppendColl(Bytes& bytes, Coll coll) {
  RecalcCollSize(coll);
  const std::size_t at = bytes.size();
  bytes.resize(at + RecordLength(coll));
  EncodeColl(coll, bytes.data() + at);
}

Bytes EncodeFile(const std::vector<Coll>& colls) {
  Bytes bytes;
  for (const Coll& coll : colls)
    AppendColl(bytes, coll);
  return bytes;
}

bool WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace vantorel::colgen
