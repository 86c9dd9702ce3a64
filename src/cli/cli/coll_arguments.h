#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/coll_directory.h"

namespace vantorel::cli {

// The coll a COLL argument names: "#N" is the N-th coll (1-based), anything else an exact,
// case-sensitive name, the first coll of that name. Returns the 0-based index, or nothing when
// no coll matches ("#0", "#x" and numbers past the last coll match none).
std::optional<std::size_t> FindColl(const CollDirectoryEntries& directory, std::string_view key);

// The elements a LIST argument names: 0-based indices and ranges separated by commas, such as
// "0,3,5-9". Either indices holds every named element once, in ascending order (overlapping
// items merge), or error says what is wrong with the text.
struct ElementList {
  std::vector<std::size_t> indices;
  std::string error;

  bool Ok() const { return error.empty(); }
};

// Refuses empty items, signs, spaces and other characters, reversed ranges, numbers too large to
// hold and any index not below elementCount.
ElementList ParseElementList(std::string_view text, std::size_t elementCount);

}  // namespace vantorel::cli
