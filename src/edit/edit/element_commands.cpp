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

}  // namespace

void AddSphere(Editor& editor) {
  const auto values =
      AskValues(editor, "Add Collision Sphere", NewSphereValues(PreselectedMaterial(editor)));
  if (!values) return;
  editor.ChangeWorkingCopy(
      [&](Coll& coll, ElementLists& lists) { AddSphere(coll, lists.Spheres, *values); });
  RecalcBoundingObjects(editor, true);
}

void AddBox(Editor& editor) {
  const auto values =
      AskValues(editor, "Add Collision Box", NewBoxValues(PreselectedMaterial(editor)));
  if (!values) return;
  editor.ChangeWorkingCopy(
      [&](Coll& coll, ElementLists& lists) { AddBox(coll, lists.Boxes, *values); });
  RecalcBoundingObjects(editor, true);
}

void EditSphere(Editor& editor) {
  const int line = editor.Lists().Spheres.selected;
  const CollSphere& sphere = editor.WorkingCopy().Spheres[static_cast<std::size_t>(line)];
  const auto values = AskValues(editor, "Edit Collision Sphere", ValuesOf(sphere));
  if (!values) return;
  editor.ChangeWorkingCopy([&](Coll& coll, ElementLists&) { EditSphere(coll, line, *values); });
  RecalcBoundingObjects(editor, true);
}

void EditBox(Editor& editor) {
  const int line = editor.Lists().Boxes.selected;
  const CollBox& box = editor.WorkingCopy().Boxes[static_cast<std::size_t>(line)];
  const auto values = AskValues(editor, "Edit Collision Box", ValuesOf(box));
  if (!values) return;
  editor.ChangeWorkingCopy([&](Coll& coll, ElementLists&) { EditBox(coll, line, *values); });
  RecalcBoundingObjects(editor, true);
}

void DeleteSphere(Editor& editor) {
  editor.ChangeWorkingCopy(
      [](Coll& coll, ElementLists& lists) { DeleteSelectedSphere(coll, lists.Spheres); });
  RecalcBoundingObjects(editor, true);
}

void DeleteBox(Editor& editor) {
  editor.ChangeWorkingCopy(
      [](Coll& coll, ElementLists& lists) { DeleteSelectedBox(coll, lists.Boxes); });
  RecalcBoundingObjects(editor, true);
}

}  // namespace vantorel
