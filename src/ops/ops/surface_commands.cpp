#include "ops/surface_commands.h"

#include "core/windows1252.h"
#include "doc/editor.h"
#include "ops/surface_change.h"

namespace vantorel {

namespace {

Surface& SurfaceOf(Coll& coll, ListKind kind, int line) {
  const auto k = static_cast<std::size_t>(line);
  switch (kind) {
    case ListKind::Spheres:
      return coll.Spheres.at(k).Surface;
    case ListKind::Boxes:
      return coll.Boxes.at(k).Surface;
    case ListKind::Faces:
      break;
  }
  return coll.Faces.at(k).Surface;
}

MaterialTable CurrentTable(const Editor& editor) {
  return MaterialTableOf(editor.WorkingCopy().Version());
}

}  // namespace

void ChangeSurface(Editor& editor, ListKind kind) {
  const int line = editor.Lists().Of(kind).selected;
  const MaterialTable table = CurrentTable(editor);
  const auto choice = editor.Ui().ChangeSurfaceDialog(ChangeSurfaceValues(
      kind, line, ElementSurface(kind, line, editor.WorkingCopy()), table, editor.SurfaceTypes()));
  if (!choice) return;
  int chosen = -1;  // stays -1 when no material was chosen
  editor.ChangeWorkingCopy([&](Coll& coll, ElementLists&) {
    chosen = ApplySurfaceChoice(SurfaceOf(coll, kind, line), *choice, -1, table);
  });
  if (chosen >= 0) {
    editor.LastMaterial = chosen;
    editor.LastMaterialTable = table;
  }
}

void QuickChange(Editor& editor, ListKind kind) {
  // A material chosen in a coll of the other table is carried over through the mapping.
  const MaterialTable table = CurrentTable(editor);
  editor.LastMaterial = QuickChangeMaterial(
      MaterialInTable(editor.LastMaterial, editor.LastMaterialTable, table), table);
  editor.LastMaterialTable = table;
  const int material = editor.LastMaterial;
  const auto question = QuickChangeQuestion(kind, editor.Lists().Of(kind).checked, material, table,
                                            editor.SurfaceTypes());
  if (!question) return;
  if (editor.Settings().askSurface &&
      editor.Ui().Ask({Windows1252ToUtf8(*question), std::string(kQuickChangeCaption),
                       Buttons::YesNo, Answer::Yes}) != Answer::Yes) {
    return;
  }
  editor.ChangeWorkingCopy([&](Coll& coll, ElementLists& lists) {
    AssignMaterialToChecked(coll, kind, lists.Of(kind).checked,
                            static_cast<std::uint8_t>(material));
  });
}

}  // namespace vantorel
