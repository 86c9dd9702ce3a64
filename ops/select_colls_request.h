#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/coll_directory.h"

namespace vantorel {

// What the coll selection dialog shows for an import (any number of colls) or a replace
// (exactly one coll, whose content replaces the current coll's). Its texts are UTF-8, ready to
// be shown: the coll names, Windows-1252 bytes in the files, are converted when it is built.
struct SelectCollsRequest {
  bool Replace = false;
  std::string Caption;
  std::string Prompt;              // the text across the top
  std::string KeptName;            // replace only: "(the name will remain "...")"
  std::vector<std::string> Lines;  // one coll list line per coll of the other file
};

// fileTitle: the other file's name without its path, UTF-8.
SelectCollsRequest ImportRequest(std::string_view fileTitle, const CollDirectoryEntries& source);
// currentName: the name of the coll being replaced, as its header holds it (Windows-1252).
SelectCollsRequest ReplaceRequest(std::string_view currentName, const CollDirectoryEntries& source);

// "2 of 5 colls selected"
std::string SelectionCountText(int selected, int total);

}  // namespace vantorel
