#include "edit/element_commands.h"

#include <optional>

#include "doc/editor.h"
#include "edit/bounding_objects_command.h"
#include "edit/element_values.h"

namespace vantorel {

namespace {

MaterialTable CurrentTable(const Editor& editor) {
  return MaterialTableOf(editor.WorkingCopy().Version());
}

// The surface list offers the materials of the coll's own table.
std::optional<ElementValues> AskValues(Editor& editor, const char* caption, ElementValues values) {
  values.Table = CurrentTable(editor);
  return editor.Ui().EditElementValues(caption, values, editor.SurfaceTypes(),
                                       editor.DecimalSeparator);
}

// The add dialogs preselect the last chosen surface, carried over to the coll's table and
// corrected to its range for good.
int PreselectedMaterial(Editor& editor) {
  const MaterialTable table = CurrentTable(editor);
  editor.LastMaterial = AddDialogMaterial(
      MaterialInTable(editor.LastMaterial, editor.LastMaterialTable, table), table);
  editor.LastMaterialTable = table;
  return editor.LastMaterial;
}

}  // namespace

void AddSphere(Editor& editor) {
  const auto values = AskValues(editor, "Add Collision Sphere",
                                NewSphereValues(PreselectedMaterial(editor), CurrentTable(editor)));
  if (!values) return;
  editor.ChangeWorkingCopy(
      [&](Coll& coll, ElementLists& lists) { AddSphere(coll, lists.Spheres, *values); });
  RecalcBoundingObjects(editor, true);
}

void AddBox(Editor& editor) {
  const auto values = AskValues(editor, "Add Collision Box",
                                NewBoxValues(PreselectedMaterial(editor), CurrentTable(editor)));
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
