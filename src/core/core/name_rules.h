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

inline constexpr std::size_t kMaxCollNameLength = 20;
inline constexpr std::size_t kMinNewNameLength = 4;

// What the rename dialog's "?" button explains.
inline constexpr std::string_view kNameRulesText =
    "Allowed characters: a-z, A-Z, 0-9, _\r\n"
    "The new name has to be different from the old one\r\n"
    "and must be at least 4 characters long!";

// The first rule a new name breaks, checked in this order.
enum class NameVerdict {
  BadCharacter,  // a character outside a-z, A-Z, 0-9 and "_"
  SameAsOld,     // equal to the old name when letter case is ignored
  TooShort,      // fewer than kMinNewNameLength characters
  Ok,
};

struct NameCheck {
  NameVerdict Verdict = NameVerdict::BadCharacter;
  std::string Name;  // the trimmed text, at most kMaxCollNameLength characters
};

// Checks the text typed for a renamed or copied coll. The text is trimmed of blanks and control
// characters and cut to kMaxCollNameLength characters first, as the name field holds no more.
NameCheck ValidateNewName(std::string_view text, std::string_view oldName);
// The same rules without the comparison with an old name, for a merged coll.
NameCheck ValidateMergeName(std::string_view text);

// The name the rename dialog opens with: the old name with its last character replaced by "_"
// (house01 -> house0_); empty for an empty old name. The name is UTF-8, as the dialog shows it,
// so a last character of several bytes is replaced whole.
std::string ProposeName(std::string_view oldName);

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
