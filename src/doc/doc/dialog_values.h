#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/coll_records.h"
#include "core/coll_surfaces.h"

// The values the modal dialogs are loaded with and return through the EditorUi port. They live
// with the port so that the commands that fill them and the window that shows them both see them.

namespace vantorel {

enum class ElementKind { Sphere, Box };

// What the value dialog shows and returns for one sphere or box.
struct ElementValues {
  ElementKind Kind = ElementKind::Sphere;
  Vector3 First;     // the sphere's centre or the box's minimum corner
  Vector3 Second;    // the box's maximum corner
  float Radius = 0;  // the sphere's radius
  // The material byte. Values past the table have no entry in the surface list; the dialog then
  // preselects none and, unless one is chosen, hands the value back unchanged.
  std::uint8_t Material = 0;
  // The table the material indexes, whose entries the surface list shows: the coll's.
  MaterialTable Table = MaterialTable::Classic;
};

// What the merge dialog returns: the two colls (directory indices, may be equal) and the name.
struct MergeChoice {
  int First = 0;
  int Second = 0;
  std::string Name;
};

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

// What the Change Surface dialog shows for one element, in UTF-8 (the surface names, kept as
// Windows-1252 bytes, are converted when the values are built).
struct SurfaceDialogValues {
  std::string Label;                   // "Here you can change ... of face 12."
  std::vector<std::string> Materials;  // the material list
  std::optional<int> MaterialItem;     // preselected entry; none for a material beyond the table
  std::optional<int> ParameterItem;    // preselected entry; none for values without one
};

// What the person chose in the Change Surface dialog; an empty field keeps the element's value.
struct SurfaceChoice {
  std::optional<int> MaterialItem;
  std::optional<int> ParameterItem;
};

}  // namespace vantorel
