#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/byte_buffer.h"
#include "core/coll_records.h"

namespace vantorel::colgen {

Surface MakeSurface(std::uint8_t material, std::uint8_t parameter = 0, std::uint8_t byte2 = 0,
                    std::uint8_t byte3 = 0);

// Builds one coll element by element; Build() fills in the header: "COLL" (or the kind Version
// chose), the name, the Id, the size and bounding objects that enclose every element.
class CollBuilder {
 public:
  explicit CollBuilder(std::string name);

  // The record kind: 1 "COLL" (the default), 2, 3, 4 "COL2", "COL3", "COL4". A San Andreas kind
  // gets a 22-byte name and model ID 0.
  CollBuilder& Version(int version);
  CollBuilder& ModelId(std::uint16_t id);
  CollBuilder& FaceGroup(Vector3 min, Vector3 max, std::uint16_t first, std::uint16_t last);
  std::int32_t ShadowVertex(Vector3 position);
  CollBuilder& ShadowFace(std::int32_t a, std::int32_t b, std::int32_t c, std::uint8_t material,
                          std::uint8_t light);
  CollBuilder& Col4Extra(std::uint32_t value);

  CollBuilder& Id(std::array<std::uint8_t, 4> id);
  // Stores all 20 name bytes as given, with no terminator added (names of exactly 20 characters
  // or with text after a NUL).
  CollBuilder& RawName(const std::array<char, 20>& name);
  CollBuilder& Sphere(Vector3 center, float radius, Surface surface);
  CollBuilder& Box(Vector3 min, Vector3 max, Surface surface);
  // Appends a vertex and returns its index.
  std::int32_t Vertex(Vector3 position);
  CollBuilder& Face(std::int32_t a, std::int32_t b, std::int32_t c, Surface surface);
  // Two faces over the quad a-b-c-d.
  CollBuilder& Quad(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d,
                    Surface surface);
  // The 8 corners and 12 faces of a closed box mesh.
  CollBuilder& MeshBox(Vector3 min, Vector3 max, Surface surface);

  Coll Build() const;

 private:
  std::string name_;
  Coll coll_;
};

// One face group per run of facesPerGroup faces, each boxing its faces' corners.
void GroupFaces(Coll& coll, std::size_t facesPerGroup);

// Bounding box and sphere around every element of the coll.
void FitBounds(Coll& coll);

// Encodes the colls back to back, each with its Size recomputed and its Id as it stands.
Bytes EncodeFile(const std::vector<Coll>& colls);
// Appends one encoded coll to bytes.
void AppendColl(Bytes& bytes, Coll coll);

bool WriteBytes(const std::string& path, const Bytes& bytes);

}  // namespace vantorel::colgen
