#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vantorel {

// The game reads the bytes after a record's Size field into a buffer of this many bytes.
inline constexpr std::size_t kGameRecordBytes = 55000;
// Faces keep their vertex indices in 16 bits in the game.
inline constexpr std::size_t kGameMostVertices = 65535;

// What a coll of these element counts would break of the game's limits, one message per limit
// that says which and by how much; empty when it fits.
std::vector<std::string> CollLimitBreaks(std::size_t spheres, std::size_t boxes,
                                         std::size_t vertices, std::size_t faces);

}  // namespace vantorel
