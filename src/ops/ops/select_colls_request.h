#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/coll_directory.h"

#include "doc/dialog_values.h"

namespace vantorel {

// fileTitle: the other file's name without its path, UTF-8.
SelectCollsRequest ImportRequest(std::string_view fileTitle, const CollDirectoryEntries& source);
// currentName: the name of the coll being replaced, as its header holds it (Windows-1252).
SelectCollsRequest ReplaceRequest(std::string_view currentName, const CollDirectoryEntries& source);

// "2 of 5 colls selected"
std::string SelectionCountText(int selected, int total);

}  // namespace vantorel
