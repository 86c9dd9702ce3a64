#pragma once

namespace vantorel {

class Editor;

// Appends colls chosen from another collision file to the open file, in the other file's order,
// and selects the last of them. Its rows offer unapplied edits for applying first.
void ImportColls(Editor& editor);

// Writes the current coll's stored record into another file: appended to it when it exists and
// the person says so, otherwise as its only content. The file being edited is refused.
void ExportColl(Editor& editor);

// Loads a coll chosen from another file into the working copy in place of the current coll's
// content; the name stays. The file changes with the next Apply Changes.
void ReplaceColl(Editor& editor);

}  // namespace vantorel
