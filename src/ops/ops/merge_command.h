#pragma once

namespace vantorel {

class Editor;

// Builds one coll from two colls of the file chosen in the merge dialog, with bounding objects
// fitted to the merged geometry, appends it and selects it. Unapplied edits are offered for
// applying first (by its row); the two sources keep their records.
void MergeColls(Editor& editor);

}  // namespace vantorel
