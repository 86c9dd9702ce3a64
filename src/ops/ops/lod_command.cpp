#include "ops/lod_command.h"

#include "doc/editor.h"
#include "doc/editor_texts.h"
#include "edit/bounding_objects_command.h"
#include "ops/make_lod.h"

namespace vantorel {

void MakeLod(Editor& editor) {
  if (editor.CollCount() == 0) return;
  // A working copy that failed to load has no header: its companion would not read as a coll.
  if (!editor.WorkingCopy().IsLoaded()) {
    editor.Ui().Message(texts::kNoCollisionData);
    return;
  }
  if (!editor.CanAppendColls()) return;
  if (editor.AskApplyChanges() == Answer::Cancel) {
    editor.ReselectCurrentLine();
    return;
  }
  RecalcBoundingObjects(editor, true);
  const auto record = LodRecord(editor.WorkingCopy().Header);
  if (!record) return;
  // The source coll's record is not touched: refitted bounds and edits left unapplied reach
  // only the companion.
  editor.DropWorkingCopy();
  editor.ChangeFile([&](CollFile& file) { file.AppendRecords(*record); });
  editor.SelectColl(editor.CollCount() - 1);
}

}  // namespace vantorel
