#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/coll_records.h"

namespace vantorel {

// A face that an edit removed, in the map from old to new face indices.
inline constexpr int kRemovedFace = -1;

// What became of a coll's face groups after its faces changed.
struct FaceGroupsRebuild {
  std::size_t Kept = 0;
  std::size_t Dropped = 0;
  // The surviving faces changed their order, so no group covered a run of them any more and all
  // were dropped.
  bool Reordered = false;

  bool HadGroups() const { return Kept + Dropped > 0; }
};

// Brings the face groups in step with faces that an edit removed, added or moved. oldToNewFace
// gives, for each face before the edit, its index now (kRemovedFace for a removed one); the coll
// already holds the new faces. While the surviving faces keep their order, each group keeps the
// run from the new index of the first to that of the last surviving face of its old run, with
// its box made anew from the corners of those faces; a group none of whose faces survived, or
// whose run was damaged (first after last, past the old faces), is dropped. When they do not
// keep their order, every group is dropped: a run of new faces would no longer be the faces the
// group stood for. Faces new to the coll belong to no group unless they land inside a kept run.
FaceGroupsRebuild RemapFaceGroups(Coll& coll, const std::vector<int>& oldToNewFace);

// The message for a command's user: "Face groups rebuilt: 3 kept, 1 dropped.", "Face groups
// dropped: the faces were reordered." or "Face groups dropped: none of their faces is left.";
// empty when the coll had no face groups.
std::string FaceGroupsRebuildText(const FaceGroupsRebuild& rebuild);

}  // namespace vantorel
