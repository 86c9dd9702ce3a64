#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/coll_directory.h"

namespace vantorel {

// Compares two coll names ignoring the case of ASCII letters only, as the game does.
bool SameCollName(std::string_view a, std::string_view b);

// The first pair (i, j) of colls with the same name: i is the lowest-numbered coll that has a
// twin, j its lowest-numbered twin. 0-based.
std::optional<std::pair<std::size_t, std::size_t>> FindDuplicateNames(
    const CollDirectoryEntries& directory);

}  // namespace vantorel
