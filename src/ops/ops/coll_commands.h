#pragma once

namespace vantorel {

class Editor;

// Gives the working copy the name typed in the rename dialog; the file takes it with the next
// Apply Changes. Its rows run it only for a loaded coll.
void RenameColl(Editor& editor);

// Appends a copy of the current coll's stored record under a new name and selects it. Its rows
// settle the apply question first: Yes copies the applied record, No copies the stored one and
// drops the edits, Cancel stops. A record cut short by the end of the file is refused.
void CopyColl(Editor& editor);

// Removes the current coll from the file, after the delete question when askDelete is on, and
// selects the first coll. A record cut short is refused; the rows keep the last coll of a file.
void DeleteColl(Editor& editor);

}  // namespace vantorel
