#include "edit/element_commands.h"

#include <optional>

#include "doc/editor.h"
#include "edit/bounding_objects_command.h"
#include "edit/element_values.h"

namespace vantorel {

namespace {

std::optional<ElementValues> AskValues(Editor& editor, const char* caption,
                                       const ElementValues& values) {
  return editor.Ui().EditElementValues(caption, values, editor.SurfaceTypes(),
                                       editor.DecimalSeparator);
}

// The add dialogs preselect the last chosen surface, corrected to the table's range for good.
int PreselectedMaterial(Editor& editor) {
  editor.LastMaterial = AddDialogMaterial(editor.LastMaterial);
  return editor.LastMaterial;
}

int SelectedLine(const Editor& editor, ListKind kind) {
  const int line = editor.Lists().Of(kind).selected;
  return line >= 0 && line < editor.ElementCount(kind) ? line : -1;
}

}  // namespace

void AddSphere(Editor& editor) {
  if (!editor.WorkingCopy().IsLoaded()) return;
  const auto values =
      AskValues(editor, "Add Collision Sphere", NewSphereValues(PreselectedMaterial(editor)));
  if (!values) return;
  editor.ChangeWorkingCopy(
      [&](Coll& coll, ElementLists& lists) { AddSphere(coll, lists.Spheres, *values); });
  RecalcBoundingObjects(editor, true);
}

void AddBox(Editor& editor) {
  if (!editor.WorkingCopy().IsLoaded()) return;
  const auto values =
      AskValues(editor, "Add Collision Box", NewBoxValues(PreselectedMaterial(editor)));
  if (!values) return;
  editor.ChangeWorkingCopy(
      [&](Coll& coll, ElementLists& lists) { AddBox(coll, lists.Boxes, *values); });
  RecalcBoundingObjects(editor, true);
}

void EditSphere(Editor& editor) {
  const int line = SelectedLine(editor, ListKind::Spheres);
  if (line < 0) return;
  const CollSphere& sphere = editor.WorkingCopy().Spheres[static_cast<std::size_t>(line)];
  const auto values = AskValues(editor, "Edit Collision Sphere", ValuesOf(sphere));
  if (!values) return;
  editor.ChangeWorkingCopy([&](Coll& coll, ElementLists&) { EditSphere(coll, line, *values); });
  RecalcBoundingObjects(editor, true);
}

void EditBox(Editor& editor) {
  const int line = SelectedLine(editor, ListKind::Boxes);
  if (line < 0) return;
  const CollBox& box = editor.WorkingCopy().Boxes[static_cast<std::size_t>(line)];
  const auto values = AskValues(editor, "Edit Collision Box", ValuesOf(box));
  if (!values) return;
  editor.ChangeWorkingCopy([&](Coll& coll, ElementLists&) { EditBox(coll, line, *values); });
  RecalcBoundingObjects(editor, true);
}

void DeleteSphere(Editor& editor) {
  if (SelectedLine(editor, ListKind::Spheres) < 0) return;
  editor.ChangeWorkingCopy(
      [](Coll& coll, ElementLists& lists) { DeleteSelectedSphere(coll, lists.Spheres); });
  RecalcBoundingObjects(editor, true);
}

void DeleteBox(Editor& editor) {
  if (SelectedLine(editor, ListKind::Boxes) < 0) return;
  editor.ChangeWorkingCopy(
      [](Coll& coll, ElementLists& lists) { DeleteSelectedBox(coll, lists.Boxes); });
  RecalcBoundingObjects(editor, true);
}

}  // namespace vantorel
