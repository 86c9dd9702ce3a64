#pragma once

namespace vantorel {

class Editor;

// The sphere and box commands of the element lists' pop-up menus. Adding and editing go through
// the value dialog; every change is followed by the bounding-object recalculation with its
// question. Their rows run them only with a loaded coll, and edit and delete only with a
// selected line.

// A new sphere (centre 0, radius 1) or box (-1 to 1 on each axis) with the last chosen surface
// preselected, appended with a checked line.
void AddSphere(Editor& editor);
void AddBox(Editor& editor);
// The selected element with its values in the dialog; its other surface bytes stay.
void EditSphere(Editor& editor);
void EditBox(Editor& editor);
// Removes the selected element without a question; the line at the same index, or the new last
// line, is selected.
void DeleteSphere(Editor& editor);
void DeleteBox(Editor& editor);

}  // namespace vantorel
