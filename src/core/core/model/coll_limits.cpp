#include "core/model/coll_limits.h"

#include <cstdint>

#include "core/coll_records.h"

namespace vantorel {

std::vector<std::string> CollLimitBreaks(std::size_t spheres, std::size_t boxes,
                                         std::size_t vertices, std::size_t faces) {
  std::vector<std::string> breaks;
  // The record's Size: its length less the FourCC and Size fields.
  const std::uint64_t size = std::uint64_t{kEmptyCollSize} + kSphereBytes * std::uint64_t{spheres} +
                             kBoxBytes * std::uint64_t{boxes} +
                             kVertexBytes * std::uint64_t{vertices} +
                             kFaceBytes * std::uint64_t{faces};
  if (size > kGameRecordBytes) {
    breaks.push_back("the record's Size would be " + std::to_string(size) + " bytes, " +
                     std::to_string(size - kGameRecordBytes) + " above the game's " +
                     std::to_string(kGameRecordBytes) + " per coll");
  }
  if (vertices > kGameMostVertices) {
    breaks.push_back(std::to_string(vertices) + " vertices, " +
                     std::to_string(vertices - kGameMostVertices) + " above the game's " +
                     std::to_string(kGameMostVertices));
  }
  return breaks;
}

}  // namespace vantorel
