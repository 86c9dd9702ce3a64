#include "doc/element_lists.h"

#include "core/coll_surfaces.h"
#include "core/number_text.h"

namespace vantorel {

ElementList& ElementLists::Of(ListKind kind) {
  switch (kind) {
    case ListKind::Spheres:
      return Spheres;
    case ListKind::Boxes:
      return Boxes;
    case ListKind::Faces:
      break;
  }
  return Faces;
}

const ElementList& ElementLists::Of(ListKind kind) const {
  return const_cast<ElementLists*>(this)->Of(kind);
}

void ElementLists::Clear() {
  Spheres.Clear();
  Boxes.Clear();
  Faces.Clear();
}

void RebuildElementList(ElementList& list, int count, bool defaultMark) {
  if (list.Count() != count) list.checked.assign(static_cast<std::size_t>(count), defaultMark);
  if (list.selected >= count) list.selected = -1;
}

void FillElementLists(ElementLists& lists, const Coll& coll) {
  RebuildElementList(lists.Spheres, coll.SphereCount(), true);
  RebuildElementList(lists.Boxes, coll.BoxCount(), true);
  RebuildElementList(lists.Faces, coll.FaceCount(), false);
}

void ApplyCheckCommand(ElementList& list, CheckCommand command) {
  for (std::size_t i = 0; i < list.checked.size(); ++i) {
    switch (command) {
      case CheckCommand::CheckAll:
        list.checked[i] = true;
        break;
      case CheckCommand::UncheckAll:
        list.checked[i] = false;
        break;
      case CheckCommand::Invert:
        list.checked[i] = !list.checked[i];
        break;
    }
  }
}

const Surface& ElementSurface(ListKind kind, int k, const Coll& coll) {
  const auto index = static_cast<std::size_t>(k);
  switch (kind) {
    case ListKind::Spheres:
      return coll.Spheres[index].Surface;
    case ListKind::Boxes:
      return coll.Boxes[index].Surface;
    case ListKind::Faces:
      break;
  }
  return coll.Faces[index].Surface;
}

std::string ElementLine(ListKind kind, int k, const Coll& coll, const SurfaceTypeTable& surfaces) {
  static constexpr char kLetters[] = {'S', 'B', 'F'};
  const Surface& surface = ElementSurface(kind, k, coll);
  std::string line(1, kLetters[static_cast<int>(kind)]);
  line += FormatIndex(k);
  line += " - [";
  line += FormatPadded(surface.Material, 2);
  line += '|';
  line += FormatPadded(surface.Parameter, 2);
  line += "] ";
  line += MaterialName(MaterialTableOf(coll.Version()), surface.Material, surfaces);
  return line;
}

}  // namespace vantorel
