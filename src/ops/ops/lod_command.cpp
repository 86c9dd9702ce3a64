#include "ops/lod_command.h"

#include "doc/editor.h"
#include "edit/bounding_objects_command.h"
#include "ops/make_lod.h"

namespace vantorel {

void MakeLod(Editor& editor) {
  RecalcBoundingObjects(editor, true);
  const auto record = LodRecord(editor.WorkingCopy());
  if (!record) return;
  // The source coll's record is not touched: refitted bounds and edits left unapplied reach
  // only the companion.
  editor.DropWorkingCopy();
  editor.ChangeFile([&](CollFile& file) { file.AppendRecords(*record); });
  editor.SelectColl(editor.CollCount() - 1);
}

}  // namespace vantorel
