#pragma once

#include <string>
#include <vector>

#include "core/coll_records.h"
#include "core/surface_types.h"

namespace vantorel {

enum class ListKind { Spheres, Boxes, Faces };

// The state of one element check list: a check mark per line and the selected line (-1: none).
// The lines' texts are derived from the working copy on demand (ElementLine).
struct ElementList {
  std::vector<bool> checked;
  int selected = -1;

  int Count() const { return static_cast<int>(checked.size()); }
  void Clear() {
    checked.clear();
    selected = -1;
  }
};

struct ElementLists {
  ElementList Spheres;
  ElementList Boxes;
  ElementList Faces;

  ElementList& Of(ListKind kind);
  const ElementList& Of(ListKind kind) const;
  void Clear();
};

// Rebuilds one list for count elements: the marks stay when the count is unchanged, otherwise
// every line gets the default mark; the selected line is kept when it is still in range.
void RebuildElementList(ElementList& list, int count, bool defaultMark);
// Rebuilds the three lists from the coll: spheres and boxes default to checked, faces not.
void FillElementLists(ElementLists& lists, const Coll& coll);

enum class CheckCommand { CheckAll, UncheckAll, Invert };
void ApplyCheckCommand(ElementList& list, CheckCommand command);

// The text of line k of a list, e.g. "S003 - [19|00] Water".
std::string ElementLine(ListKind kind, int k, const Coll& coll, const SurfaceTypeTable& surfaces);

// The surface of element k of a list.
const Surface& ElementSurface(ListKind kind, int k, const Coll& coll);

}  // namespace vantorel
