// Any bytes as a RenderWare model: read the clump, place its atomics, merge the vertices, and list
// and read the collision it carries as a collision file is listed and read. Nothing may crash,
// leak or read outside the bytes; a model that reads must have every index in range, and merging
// must keep it so.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "core/coll_codec.h"
#include "core/model/dff_reader.h"
#include "core/model/model_collision.h"
#include "core/model/vertex_merge.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vantorel;
  const Parsed<DffClump> read = ReadDff(std::span<const std::uint8_t>(data, size));
  if (!read.Value) {
    Require(!read.Error.empty());
    return 0;
  }
  for (const DffCollision& collision : read.Value->Collisions) {
    Require(collision.FourCC == "COLL" || collision.Colls.empty());
  }
  const Parsed<Bytes> collision = ModelCollisionBytes(std::span<const std::uint8_t>(data, size));
  Require(collision.Value.has_value());
  CollDirectoryEntries directory;
  ScanFile(*collision.Value, directory);
  for (const CollDirectoryEntry& entry : directory) {
    Coll coll;
    ReadColl(*collision.Value, entry, coll);
  }
  Model model = DffToModel(*read.Value);
  Require(IndicesInRange(model));
  const MergeReport report = MergeEqualVertices(model);
  Require(IndicesInRange(model) && report.VerticesAfter <= report.VerticesBefore);
  return 0;
}
