#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/coll_directory.h"

namespace vantorel {

// What the coll selection dialog shows for an import (any number of colls) or a replace
// (exactly one coll, whose content replaces the current coll's).
struct SelectCollsRequest {
  bool Replace = false;
  std::string Caption;
  std::string Prompt;              // the text across the top
  std::string KeptName;            // replace only: "(the name will remain "...")"
  std::vector<std::string> Lines;  // one coll list line per coll of the other file
};

SelectCollsRequest ImportRequest(std::string_view fileTitle, const CollDirectoryEntries& source);
SelectCollsRequest ReplaceRequest(std::string_view currentName, const CollDirectoryEntries& source);

// "2 of 5 colls selected"
std::string SelectionCountText(int selected, int total);

}  // namespace vantorel
