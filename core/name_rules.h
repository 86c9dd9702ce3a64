#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/coll_directory.h"

namespace vantorel {

// The characters a coll name may hold: 0-9, A-Z, a-z and the underscore.
constexpr bool IsNameCharacter(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool AllNameCharacters(std::string_view name);

inline constexpr std::size_t kCollNameLength = 20;
inline constexpr std::size_t kMinimumNameLength = 4;

// The name a script import takes from an answer of the name prompt: blanks and control
// characters cut from both ends, then its first 20 characters. The prompt opens again with this
// text while it is no valid name.
std::string ImportNameFromAnswer(std::string_view answer);
// Four to twenty characters, all of them name characters.
bool IsValidImportName(std::string_view name);

// Compares two coll names ignoring the case of ASCII letters only, as the game does.
bool SameCollName(std::string_view a, std::string_view b);

// The first pair (i, j) of colls with the same name: i is the lowest-numbered coll that has a
// twin, j its lowest-numbered twin. 0-based.
std::optional<std::pair<std::size_t, std::size_t>> FindDuplicateNames(
    const CollDirectoryEntries& directory);

}  // namespace vantorel
