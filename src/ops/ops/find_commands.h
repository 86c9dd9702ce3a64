#pragma once

namespace vantorel {

class Editor;

// Asks for the search text and selects the first coll whose stored name contains it.
void FindColl(Editor& editor);

// Selects the next coll after the one last found whose stored name contains the search text;
// after the last match says so, and the next search starts again at the first coll.
void FindNextColl(Editor& editor);

// Shows the brief information report of the coll being edited.
void ShowBriefInfo(Editor& editor);

}  // namespace vantorel
