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

// Builds one coll element by element; Build() fills in the header: "COLL", the name, the Id,
// the size and bounding objects that enclose every element.
class CollBuilder {
 public:
  explicit CollBuilder(std::string name);

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
  Coll coll_;
};

// Bounding box and sphere around every element of the coll.
void FitBounds(Coll& coll);

// Encodes the colls back to back, each with its Size recomputed and its Id as it stands.
Bytes EncodeFile(const std::vector<Coll>& colls);
// Appends one encoded coll to bytes.
void AppendColl(Bytes& bytes, Coll coll);

bool WriteBytes(const std::string& path, const Bytes& bytes);

}  // namespace vantorel::colgen
