#include "edit/mesh_commands.h"

#include "core/windows1252.h"
#include "doc/editor.h"
#include "edit/mesh_cleanup.h"

namespace vantorel {

namespace {

int SelectedFace(const Editor& editor) {
  const int line = editor.Lists().Faces.selected;
  return line >= 0 && line < editor.WorkingCopy().FaceCount() ? line : -1;
}

}  // namespace

void DeleteFace(Editor& editor) {
  if (SelectedFace(editor) < 0) return;
  editor.ChangeWorkingCopy(
      [](Coll& coll, ElementLists& lists) { DeleteSelectedFace(coll, lists.Faces); });
}

void DeleteCheckedFaces(Editor& editor) {
  if (editor.WorkingCopy().FaceCount() == 0) return;
  editor.ChangeWorkingCopy(
      [](Coll& coll, ElementLists& lists) { DeleteCheckedFaces(coll, lists.Faces); });
}

void DeleteUnusedVertices(Editor& editor) {
  if (!editor.WorkingCopy().IsLoaded()) return;
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
  if (!editor.WorkingCopy().IsLoaded()) return;
  editor.ChangeWorkingCopy(
      [](Coll& coll, ElementLists& lists) { DeleteAllVerticesAndFaces(coll, lists.Faces); });
}

void ShowFaceDetails(Editor& editor) {
  const int line = SelectedFace(editor);
  if (line < 0) return;
  editor.Ui().Message(Windows1252ToUtf8(
      FaceDetailsText(editor.WorkingCopy(), line, editor.SurfaceTypes(), editor.DecimalSeparator)));
}

}  // namespace vantorel
