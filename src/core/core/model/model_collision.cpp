#include "core/model/model_collision.h"

#include "core/little_endian.h"
#include "core/model/dff_reader.h"
#include "core/model/rw_chunk.h"

namespace vantorel {

namespace {

constexpr std::uint32_t kUvAnimationDictionary = 0x2B;

}  // namespace

bool IsRenderWareModel(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < rw::kHeaderBytes) return false;
  const std::uint32_t type = le::LoadU32(bytes.data());
  if (type != rw::kClump && type != kUvAnimationDictionary) return false;
  const std::uint32_t version = rw::LibraryVersion(le::LoadU32(bytes.data() + 8));
  return version >= 0x31000 && version <= 0x36FFF;
}

Parsed<Bytes> ModelCollisionBytes(std::span<const std::uint8_t> bytes) {
  const Parsed<DffClump> clump = ReadDff(bytes);
  if (!clump.Value) return Parsed<Bytes>::Failure(clump.Error);
  Bytes image;
  for (const DffCollision& collision : clump.Value->Collisions)
    image.insert(image.end(), collision.Bytes.begin(), collision.Bytes.end());
  return {std::move(image), {}};
}

}  // namespace vantorel
