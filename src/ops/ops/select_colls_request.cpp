#include "ops/select_colls_request.h"

#include "core/windows1252.h"

namespace vantorel {

namespace {

std::vector<std::string> ListLines(const CollDirectoryEntries& source) {
  std::vector<std::string> lines;
  lines.reserve(source.size());
  for (const CollDirectoryEntry& entry : source)
    lines.push_back(Windows1252ToUtf8(CollListLine(entry)));
  return lines;
}

}  // namespace

SelectCollsRequest ImportRequest(std::string_view fileTitle, const CollDirectoryEntries& source) {
  SelectCollsRequest request;
  request.Caption = "Import Collision Object(s)";
  request.Prompt =
      "Select the collision object(s) you want to import from " + std::string(fileTitle) + ":";
  request.Lines = ListLines(source);
  return request;
}

SelectCollsRequest ReplaceRequest(std::string_view currentName,
                                  const CollDirectoryEntries& source) {
  const std::string name = Windows1252ToUtf8(currentName);
  SelectCollsRequest request;
  request.Replace = true;
  request.Caption = "Replace Collision Object";
  request.Prompt = "Select the collision object you want to use for replacing " + name + ":";
  request.KeptName = "(the name will remain \"" + name + "\")";
  request.Lines = ListLines(source);
  return request;
}

std::string SelectionCountText(int selected, int total) {
  return std::to_string(selected) + " of " + std::to_string(total) + " colls selected";
}

}  // namespace vantorel
