#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vantorel {

// What the Import Mesh dialog is opened with.
struct MeshImportRequest {
  std::vector<std::string> Lines;  // the coll list's lines (UTF-8), for the replace choice
  int Current = -1;                // the coll the replace choice starts on
  std::filesystem::path Folder;    // where the file choosers start
  std::string ModelFilter;         // "Text|pattern|..." for the model file chooser
  std::string MappingFilter;       // the same for the surface mapping file chooser
};

// What the person chose in the Import Mesh dialog. The dialog checks only that the fields are
// filled in; the command decides what the values are worth.
struct MeshImportValues {
  std::filesystem::path Model;
  std::string NewName;                  // the new coll's name (UTF-8); unused with Replace
  std::optional<int> Replace;           // the line of the coll whose mesh is replaced
  std::filesystem::path SurfaceMap;     // the surface mapping file; empty: every face default
  std::optional<std::size_t> MaxFaces;  // simplify to at most this many faces; none: as it is
};

}  // namespace vantorel
