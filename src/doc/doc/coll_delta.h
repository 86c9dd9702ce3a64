#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/coll_records.h"
#include "doc/element_lists.h"

namespace vantorel {

// The change of one element array: the elements [Offset, Offset + Before.size()) became After.
template <class T>
struct ArrayChange {
  std::size_t Offset = 0;
  std::vector<T> Before;
  std::vector<T> After;

  bool Empty() const { return Before.empty() && After.empty(); }
};

// What changed between two states of a working copy, kept small: the header when it changed,
// and per element array only the run of elements between the common start and the common end.
// It turns either state into the other.
struct CollDelta {
  std::optional<CollHeader> HeaderBefore;
  std::optional<CollHeader> HeaderAfter;
  ArrayChange<CollSphere> Spheres;
  ArrayChange<CollBox> Boxes;
  ArrayChange<CollVertex> Vertices;
  ArrayChange<CollFace> Faces;
  ArrayChange<CollFaceGroup> FaceGroups;
  ArrayChange<CollVertex> ShadowVertices;
  ArrayChange<CollFace> ShadowFaces;
  std::optional<std::uint32_t> Col4ExtraBefore;
  std::optional<std::uint32_t> Col4ExtraAfter;

  bool Empty() const;
  std::size_t HeldBytes() const;
};

CollDelta DiffColls(const Coll& before, const Coll& after);

// Turns the state before into the state after (Forward) or back (Backward). The marks of the
// element lists follow the elements: kept where an element stays, given the list's default
// where one comes back or is new.
void ApplyForward(const CollDelta& delta, Coll& coll, ElementLists& lists);
void ApplyBackward(const CollDelta& delta, Coll& coll, ElementLists& lists);

}  // namespace vantorel
