#include "core/face_groups.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace vantorel {

namespace {

bool KeepsOrder(const std::vector<int>& oldToNewFace, std::size_t newCount) {
  int previous = -1;
  for (const int now : oldToNewFace) {
    if (now == kRemovedFace) continue;
    if (now <= previous || static_cast<std::size_t>(now) >= newCount) return false;
    previous = now;
  }
  return true;
}

// The new index of the first (or, searching down, the last) surviving face of [first, last].
int FirstSurvivor(const std::vector<int>& oldToNewFace, std::size_t first, std::size_t last) {
  for (std::size_t i = first; i <= last; ++i) {
    if (oldToNewFace[i] != kRemovedFace) return oldToNewFace[i];
  }
  return kRemovedFace;
}

int LastSurvivor(const std::vector<int>& oldToNewFace, std::size_t first, std::size_t last) {
  for (std::size_t i = last + 1; i-- > first;) {
    if (oldToNewFace[i] != kRemovedFace) return oldToNewFace[i];
  }
  return kRemovedFace;
}

// The box around the corners of the group's faces; corners naming no vertex are left out, and
// a group without any corner gets an empty box at the origin.
void RecalcBox(const Coll& coll, CollFaceGroup& group) {
  constexpr float kInf = std::numeric_limits<float>::infinity();
  Vector3 lo{kInf, kInf, kInf};
  Vector3 hi{-kInf, -kInf, -kInf};
  bool any = false;
  for (std::size_t i = group.First; i <= group.Last && i < coll.Faces.size(); ++i) {
    const CollFace& face = coll.Faces[i];
    for (const std::int32_t corner : {face.A, face.B, face.C}) {
      if (corner < 0 || static_cast<std::size_t>(corner) >= coll.Vertices.size()) continue;
      const Vector3& v = coll.Vertices[static_cast<std::size_t>(corner)];
      lo = {std::min(lo.X, v.X), std::min(lo.Y, v.Y), std::min(lo.Z, v.Z)};
      hi = {std::max(hi.X, v.X), std::max(hi.Y, v.Y), std::max(hi.Z, v.Z)};
      any = true;
    }
  }
  group.Min = any ? lo : Vector3{};
  group.Max = any ? hi : Vector3{};
}

}  // namespace

FaceGroupsRebuild RemapFaceGroups(Coll& coll, const std::vector<int>& oldToNewFace) {
  FaceGroupsRebuild rebuild;
  if (coll.FaceGroups.empty()) return rebuild;
  if (!KeepsOrder(oldToNewFace, coll.Faces.size())) {
    rebuild.Dropped = coll.FaceGroups.size();
    rebuild.Reordered = true;
    coll.FaceGroups.clear();
    return rebuild;
  }
  std::vector<CollFaceGroup> kept;
  for (CollFaceGroup group : coll.FaceGroups) {
    const std::size_t first = group.First;
    const std::size_t last = group.Last;
    const int newFirst = first <= last && last < oldToNewFace.size()
                             ? FirstSurvivor(oldToNewFace, first, last)
                             : kRemovedFace;
    const int newLast =
        newFirst == kRemovedFace ? kRemovedFace : LastSurvivor(oldToNewFace, first, last);
    // A run past the 16-bit face numbers cannot be written.
    if (newFirst == kRemovedFace || newLast > std::numeric_limits<std::uint16_t>::max()) {
      ++rebuild.Dropped;
      continue;
    }
    group.First = static_cast<std::uint16_t>(newFirst);
    group.Last = static_cast<std::uint16_t>(newLast);
    RecalcBox(coll, group);
    kept.push_back(group);
  }
  rebuild.Kept = kept.size();
  coll.FaceGroups = std::move(kept);
  return rebuild;
}

std::string FaceGroupsRebuildText(const FaceGroupsRebuild& rebuild) {
  if (!rebuild.HadGroups()) return {};
  if (rebuild.Reordered) return "Face groups dropped: the faces were reordered.";
  if (rebuild.Kept == 0) return "Face groups dropped: none of their faces is left.";
  return "Face groups rebuilt: " + std::to_string(rebuild.Kept) + " kept, " +
         std::to_string(rebuild.Dropped) + " dropped.";
}

}  // namespace vantorel
