#include "doc/coll_delta.h"

#include <algorithm>
#include <cstring>

namespace vantorel {

namespace {

// Elements are compared by their bytes: a NaN read from a file is the same NaN when it comes
// back, and the records hold no padding.
static_assert(sizeof(CollSphere) == 20 && sizeof(CollBox) == 28 && sizeof(CollVertex) == 12 &&
              sizeof(CollFace) == 16 && sizeof(CollHeader) == 72 && sizeof(CollFaceGroup) == 28);

template <class T>
bool SameBytes(const T& a, const T& b) {
  return std::memcmp(&a, &b, sizeof(T)) == 0;
}

template <class T>
ArrayChange<T> Diff(const std::vector<T>& before, const std::vector<T>& after) {
  const std::size_t shorter = std::min(before.size(), after.size());
  std::size_t prefix = 0;
  while (prefix < shorter && SameBytes(before[prefix], after[prefix]))
    ++prefix;
  std::size_t suffix = 0;
  while (suffix < shorter - prefix &&
         SameBytes(before[before.size() - 1 - suffix], after[after.size() - 1 - suffix])) {
    ++suffix;
  }
  ArrayChange<T> change;
  change.Offset = prefix;
  const auto diffBegin = static_cast<std::ptrdiff_t>(prefix);
  change.Before.assign(before.begin() + diffBegin,
                       before.end() - static_cast<std::ptrdiff_t>(suffix));
  change.After.assign(after.begin() + diffBegin, after.end() - static_cast<std::ptrdiff_t>(suffix));
  return change;
}

// Replaces the run `from` at the change's offset by `to`, and the marks with it.
template <class T>
void Replace(std::vector<T>& elements, const ArrayChange<T>& change, const std::vector<T>& from,
             const std::vector<T>& to, ElementList* list, bool defaultMark) {
  const auto at = elements.begin() + static_cast<std::ptrdiff_t>(change.Offset);
  elements.erase(at, at + static_cast<std::ptrdiff_t>(from.size()));
  elements.insert(elements.begin() + static_cast<std::ptrdiff_t>(change.Offset), to.begin(),
                  to.end());
  if (!list || list->checked.size() + to.size() != elements.size() + from.size()) return;
  // Elements replaced in place keep their marks; the marks of elements that go or come are
  // taken out or given the list's default.
  const std::size_t kept = std::min(from.size(), to.size());
  auto& marks = list->checked;
  const auto markAt = marks.begin() + static_cast<std::ptrdiff_t>(change.Offset + kept);
  if (from.size() > to.size()) {
    marks.erase(markAt, markAt + static_cast<std::ptrdiff_t>(from.size() - to.size()));
  } else {
    marks.insert(markAt, to.size() - from.size(), defaultMark);
  }
}

template <class T>
std::size_t Bytes(const ArrayChange<T>& change) {
  return (change.Before.capacity() + change.After.capacity()) * sizeof(T);
}

}  // namespace

bool CollDelta::Empty() const {
  return !HeaderBefore && Spheres.Empty() && Boxes.Empty() && Vertices.Empty() && Faces.Empty() &&
         FaceGroups.Empty() && ShadowVertices.Empty() && ShadowFaces.Empty() && !Col4ExtraBefore;
}

std::size_t CollDelta::HeldBytes() const {
  return sizeof(CollDelta) + Bytes(Spheres) + Bytes(Boxes) + Bytes(Vertices) + Bytes(Faces) +
         Bytes(FaceGroups) + Bytes(ShadowVertices) + Bytes(ShadowFaces);
}

CollDelta DiffColls(const Coll& before, const Coll& after) {
  CollDelta delta;
  if (!SameBytes(before.Header, after.Header)) {
    delta.HeaderBefore = before.Header;
    delta.HeaderAfter = after.Header;
  }
  delta.Spheres = Diff(before.Spheres, after.Spheres);
  delta.Boxes = Diff(before.Boxes, after.Boxes);
  delta.Vertices = Diff(before.Vertices, after.Vertices);
  delta.Faces = Diff(before.Faces, after.Faces);
  delta.FaceGroups = Diff(before.FaceGroups, after.FaceGroups);
  delta.ShadowVertices = Diff(before.ShadowVertices, after.ShadowVertices);
  delta.ShadowFaces = Diff(before.ShadowFaces, after.ShadowFaces);
  if (before.Col4Extra != after.Col4Extra) {
    delta.Col4ExtraBefore = before.Col4Extra;
    delta.Col4ExtraAfter = after.Col4Extra;
  }
  return delta;
}

namespace {

// Undo and redo are the same walk over the sections, with each change's sides swapped.
void Apply(const CollDelta& d, Coll& coll, ElementLists& lists, bool forward) {
  const auto& header = forward ? d.HeaderAfter : d.HeaderBefore;
  if (header) coll.Header = *header;
  const auto replace = [forward](auto& elements, const auto& change, ElementList* list,
                                 bool shapes) {
    Replace(elements, change, forward ? change.Before : change.After,
            forward ? change.After : change.Before, list, shapes);
  };
  replace(coll.Spheres, d.Spheres, &lists.Spheres, true);
  replace(coll.Boxes, d.Boxes, &lists.Boxes, true);
  replace(coll.Vertices, d.Vertices, nullptr, false);
  replace(coll.Faces, d.Faces, &lists.Faces, false);
  replace(coll.FaceGroups, d.FaceGroups, nullptr, false);
  replace(coll.ShadowVertices, d.ShadowVertices, nullptr, false);
  replace(coll.ShadowFaces, d.ShadowFaces, nullptr, false);
  const auto& extra = forward ? d.Col4ExtraAfter : d.Col4ExtraBefore;
  if (extra) coll.Col4Extra = *extra;
}

}  // namespace

void ApplyForward(const CollDelta& delta, Coll& coll, ElementLists& lists) {
  Apply(delta, coll, lists, true);
}

void ApplyBackward(const CollDelta& delta, Coll& coll, ElementLists& lists) {
  Apply(delta, coll, lists, false);
}

}  // namespace vantorel
