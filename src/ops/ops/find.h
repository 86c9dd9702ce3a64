#pragma once

#include <string>
#include <string_view>

#include "core/coll_directory.h"

namespace vantorel {

inline constexpr std::string_view kSearchCaption = "Search Coll";
inline constexpr std::string_view kSearchPrompt =
    "Enter the name of the object you are looking for:";
inline constexpr std::string_view kObjectNotFoundText = "Object not found!";
// Only this many characters of the search text take part in the search.
inline constexpr std::size_t kMaxSearchLength = 255;

// The search that Find starts and Find Next continues; it lives for the program's run.
struct CollSearch {
  std::string SearchText;
  int SearchPosition = -1;  // directory index of the coll last found
};

enum class FindResult {
  Ignored,   // no colls, or a search text of blanks only: nothing happens
  Found,     // select Index
  NotFound,  // say kObjectNotFoundText; the next search starts again at the first coll
};

struct FindOutcome {
  FindResult Result = FindResult::Ignored;
  int Index = -1;

  bool operator==(const FindOutcome&) const = default;
};

// Find: takes text as the search text and starts again at the first coll.
void RestartSearch(CollSearch& search, std::string text);

// Find Next: the first coll after SearchPosition whose stored name contains the search text
// (case-sensitive, blanks kept, the first kMaxSearchLength characters). The search runs towards
// the end of the directory and never wraps within one call; after a miss SearchPosition lies past
// the end, so the next call starts at the first coll.
FindOutcome FindNext(const CollDirectoryEntries& directory, CollSearch& search);

}  // namespace vantorel
