#pragma once

namespace vantorel {

class Editor;

// Appends the empty low-detail companion of the current coll ("LOD" over the first three name
// characters, the working copy's bounds refitted with the usual question) and selects it.
// Unapplied edits are offered for applying first; a No gives them to the companion only.
// Refused while no coll is loaded.
void MakeLod(Editor& editor);

}  // namespace vantorel
