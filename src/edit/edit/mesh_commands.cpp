#include "edit/mesh_commands.h"

#include "core/windows1252.h"
#include "doc/editor.h"
#include "edit/mesh_cleanup.h"

namespace vantorel {

void DeleteFace(Editor& editor) {
  editor.ChangeWorkingCopy(
      [](Coll& coll, ElementLists& lists) { DeleteSelectedFace(coll, lists.Faces); });
}

void DeleteCheckedFaces(Editor& editor) {
  editor.ChangeWorkingCopy(
      [](Coll& coll, ElementLists& lists) { DeleteCheckedFaces(coll, lists.Faces); });
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
  editor.ChangeWorkingCopy(
      [](Coll& coll, ElementLists& lists) { DeleteAllVerticesAndFaces(coll, lists.Faces); });
}

void ShowFaceDetails(Editor& editor) {
  const int line = editor.Lists().Faces.selected;
  editor.Ui().Message(Windows1252ToUtf8(
      FaceDetailsText(editor.WorkingCopy(), line, editor.SurfaceTypes(), editor.DecimalSeparator)));
}

}  // namespace vantorel
