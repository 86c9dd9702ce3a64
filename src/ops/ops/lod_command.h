#pragma once

namespace vantorel {

class Editor;

// Appends the empty low-detail companion of the current coll ("LOD" over the first three name
// characters, the working copy's bounds refitted with the usual question) and selects it.
// Its row settles the apply question first, and refuses while no coll is loaded or the last
// record is cut short; a No gives the edits to the companion only.
void MakeLod(Editor& editor);

}  // namespace vantorel
