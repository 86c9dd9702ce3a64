#include "edit/bounding_objects_command.h"

#include "core/bounds.h"
#include "doc/editor.h"

namespace vantorel {

void RecalcBoundingObjects(Editor& editor, bool ask) {
  const Coll& coll = editor.WorkingCopy();
  if (!coll.IsLoaded()) return;
  const BoundingObjects computed = ComputeBoundingObjects(coll);
  if (ask && editor.Settings().askRecalc) {
    const std::string report =
        BoundingReport(HeaderBoundingObjects(coll.Header), computed, editor.DecimalSeparator);
    if (editor.Ui().Ask({report, std::string(kBoundingObjectsCaption), Buttons::YesNo,
                         Answer::Yes}) != Answer::Yes)
      return;
  }
  editor.ChangeWorkingCopy(
      [&](Coll& edited, ElementLists&) { StoreBoundingObjects(edited.Header, computed); });
}

}  // namespace vantorel
