#include "edit/mesh_cleanup.h"

#include <algorithm>
#include <vector>

#include "core/coll_surfaces.h"
#include "core/number_text.h"

namespace vantorel {

namespace {

bool NamesVertex(std::int32_t index, std::size_t vertexCount) {
  return index >= 0 && static_cast<std::size_t>(index) < vertexCount;
}

std::string CornerLine(const Coll& coll, std::int32_t index, char separator) {
  if (!NamesVertex(index, coll.Vertices.size())) return "   (none)";
  const CollVertex& v = coll.Vertices[static_cast<std::size_t>(index)];
  return "   " + FormatCoordinate(v.X, separator) + ";   " + FormatCoordinate(v.Y, separator) +
         ";   " + FormatCoordinate(v.Z, separator);
}

// Which vertices at least one face names; an index outside the vertex list marks nothing.
std::vector<bool> UsedVertices(const Coll& coll) {
  const std::size_t count = coll.Vertices.size();
  std::vector<bool> used(count, false);
  for (const CollFace& f : coll.Faces) {
    for (const std::int32_t index : {f.A, f.B, f.C}) {
      if (NamesVertex(index, count)) used[static_cast<std::size_t>(index)] = true;
    }
  }
  return used;
}

}  // namespace

std::optional<FaceGroupsRebuild> DeleteSelectedFace(Coll& coll, ElementList& faces) {
  const int index = faces.selected;
  if (index < 0 || index >= coll.FaceCount()) return std::nullopt;
  std::vector<int> oldToNew(coll.Faces.size());
  for (std::size_t i = 0; i < oldToNew.size(); ++i) {
    const int old = static_cast<int>(i);
    oldToNew[i] = old < index ? old : old == index ? kRemovedFace : old - 1;
  }
  coll.Faces.erase(coll.Faces.begin() + index);
  if (index < faces.Count()) faces.checked.erase(faces.checked.begin() + index);
  faces.selected = std::min(index, faces.Count() - 1);
  const FaceGroupsRebuild groups = RemapFaceGroups(coll, oldToNew);
  RecalcCollSize(coll);
  return groups;
}

std::optional<FaceGroupsRebuild> DeleteCheckedFaces(Coll& coll, ElementList& faces) {
  if (faces.Count() == 0) return std::nullopt;
  // One pass that keeps the unchecked faces in order does what removing the checked ones from
  // the top down does, without moving the tail once per removed face.
  std::vector<int> oldToNew(coll.Faces.size(), kRemovedFace);
  std::size_t kept = 0;
  for (std::size_t i = 0; i < coll.Faces.size(); ++i) {
    if (i < faces.checked.size() && faces.checked[i]) continue;
    oldToNew[i] = static_cast<int>(kept);
    coll.Faces[kept++] = coll.Faces[i];
  }
  coll.Faces.resize(kept);
  // Only unchecked lines are left.
  faces.checked.assign(kept, false);
  faces.selected = faces.Count() - 1;
  const FaceGroupsRebuild groups = RemapFaceGroups(coll, oldToNew);
  RecalcCollSize(coll);
  return groups;
}

std::size_t CountUnusedVertices(const Coll& coll) {
  const std::vector<bool> used = UsedVertices(coll);
  return static_cast<std::size_t>(std::count(used.begin(), used.end(), false));
}

std::size_t DeleteUnusedVertices(Coll& coll) {
  const std::size_t count = coll.Vertices.size();
  const std::vector<bool> used = UsedVertices(coll);
  // removedBelow[i]: unused vertices with a lower index than i; the last entry counts them all.
  // Renumbering a face by it equals lowering, for each unused vertex from the top down, every
  // index above that vertex by one.
  std::vector<std::int32_t> removedBelow(count + 1, 0);
  std::size_t kept = 0;
  for (std::size_t i = 0; i < count; ++i) {
    removedBelow[i + 1] = removedBelow[i] + (used[i] ? 0 : 1);
    if (used[i]) coll.Vertices[kept++] = coll.Vertices[i];
  }
  const std::size_t removed = count - kept;
  if (removed == 0) return 0;
  coll.Vertices.resize(kept);
  const auto renumber = [&](std::int32_t& index) {
    if (index < 0) return;
    const auto slot = std::min(static_cast<std::size_t>(index), count);
    index -= removedBelow[slot];
  };
  for (CollFace& f : coll.Faces) {
    renumber(f.A);
    renumber(f.B);
    renumber(f.C);
  }
  RecalcCollSize(coll);
  return removed;
}

FaceGroupsRebuild DeleteAllVerticesAndFaces(Coll& coll, ElementList& faces) {
  const std::vector<int> allRemoved(coll.Faces.size(), kRemovedFace);
  coll.Faces.clear();
  coll.Vertices.clear();
  faces.checked.clear();
  faces.selected = -1;
  const FaceGroupsRebuild groups = RemapFaceGroups(coll, allRemoved);
  RecalcCollSize(coll);
  return groups;
}

std::string VerticesDeletedText(std::size_t count) {
  return std::to_string(count) + " vertices deleted.";
}

std::string FaceDetailsText(const Coll& coll, int index, const SurfaceTypeTable& surfaces,
                            char decimalSeparator) {
  if (index < 0 || index >= coll.FaceCount()) return {};
  const CollFace& f = coll.Faces[static_cast<std::size_t>(index)];
  std::string text = "Face " + std::to_string(index) + " uses vertices " + std::to_string(f.A) +
                     ", " + std::to_string(f.B) + " and " + std::to_string(f.C) + ":\r\n\r\n";
  for (const std::int32_t corner : {f.A, f.B, f.C})
    text += CornerLine(coll, corner, decimalSeparator) + "\r\n";
  text += "\r\nSurface type: ";
  text += MaterialName(MaterialTableOf(coll.Version()), f.Surface.Material, surfaces);
  return text;
}

}  // namespace vantorel
