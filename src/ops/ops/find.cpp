#include "ops/find.h"

#include "core/name_rules.h"
#include "core/text_trim.h"

namespace vantorel {

void RestartSearch(CollSearch& search, std::string text) {
  search.SearchText = std::move(text);
  search.SearchPosition = -1;
}

FindOutcome FindNext(const CollDirectoryEntries& directory, CollSearch& search) {
  if (directory.empty() || TrimBlanksAndControls(search.SearchText).empty()) return {};
  const int count = static_cast<int>(directory.size());
  if (search.SearchPosition >= count || search.SearchPosition < -1) search.SearchPosition = -1;
  const std::string_view text = std::string_view(search.SearchText).substr(0, kMaxSearchLength);
  for (int index = search.SearchPosition + 1; index < count; ++index) {
    if (directory[static_cast<std::size_t>(index)].Name.find(text) != std::string::npos) {
      search.SearchPosition = index;
      return {FindResult::Found, index};
    }
  }
  search.SearchPosition = count;
  return {FindResult::NotFound, -1};
}

}  // namespace vantorel
