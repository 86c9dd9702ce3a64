#pragma once

namespace vantorel {

class Editor;

// Gives the working copy the name typed in the rename dialog; the file takes it with the next
// Apply Changes. Nothing happens without a loaded coll.
void RenameColl(Editor& editor);

// Appends a copy of the current coll's stored record under a new name and selects it. Unapplied
// edits are first offered for applying: Yes copies the applied record, No copies the stored one
// and drops the edits, Cancel stops. A record cut short by the end of the file is refused.
void CopyColl(Editor& editor);

// Removes the current coll from the file, after the delete question when askDelete is on, and
// selects the first coll. The last coll of a file stays; a record cut short is refused.
void DeleteColl(Editor& editor);

}  // namespace vantorel
