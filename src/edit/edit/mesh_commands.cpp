#include "edit/mesh_commands.h"

#include <optional>
#include <string>

#include "core/windows1252.h"
#include "doc/editor.h"
#include "edit/mesh_cleanup.h"

namespace vantorel {

namespace {

// Says what became of the face groups; a coll without any hears nothing.
void TellFaceGroups(Editor& editor, const std::optional<FaceGroupsRebuild>& groups) {
  const std::string text = groups ? FaceGroupsRebuildText(*groups) : std::string();
  if (!text.empty()) editor.Ui().Message(text);
}

}  // namespace

void DeleteFace(Editor& editor) {
  std::optional<FaceGroupsRebuild> groups;
  editor.ChangeWorkingCopy(
      [&](Coll& coll, ElementLists& lists) { groups = DeleteSelectedFace(coll, lists.Faces); });
  TellFaceGroups(editor, groups);
}

void DeleteCheckedFaces(Editor& editor) {
  std::optional<FaceGroupsRebuild> groups;
  editor.ChangeWorkingCopy(
      [&](Coll& coll, ElementLists& lists) { groups = DeleteCheckedFaces(coll, lists.Faces); });
  TellFaceGroups(editor, groups);
}

void DeleteUnusedVertices(Editor& editor) {
  std::size_t removed = 0;
  // A removal marks the coll changed, so that it is offered for applying like every other edit;
  // with nothing to remove the coll stays as it was.
  if (CountUnusedVertices(editor.WorkingCopy()) > 0) {
    editor.ChangeWorkingCopy(
        [&](Coll& coll, ElementLists&) { removed = DeleteUnusedVertices(coll); });
  }
  editor.Ui().Message(VerticesDeletedText(removed));
}

void DeleteAllVerticesAndFaces(Editor& editor) {
  std::optional<FaceGroupsRebuild> groups;
  editor.ChangeWorkingCopy([&](Coll& coll, ElementLists& lists) {
    groups = DeleteAllVerticesAndFaces(coll, lists.Faces);
  });
  TellFaceGroups(editor, groups);
}

void ShowFaceDetails(Editor& editor) {
  const int line = editor.Lists().Faces.selected;
  editor.Ui().Message(Windows1252ToUtf8(
      FaceDetailsText(editor.WorkingCopy(), line, editor.SurfaceTypes(), editor.DecimalSeparator)));
}

}  // namespace vantorel
