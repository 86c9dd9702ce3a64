#pragma once

namespace vantorel {

class Editor;

// Converts the working copy to record kind version (1 "COLL", 2 "COL2", 3 "COL3"); the file
// takes it with the next Apply Changes. A coll that does not fit the kind is refused with the
// reason and left as it was; what the kind cannot keep is told in one line.
void ConvertCurrentColl(Editor& editor, int version);

// Converts every coll of the file to record kind version as one change; records already of
// that kind keep their bytes. One coll that cannot be read or does not fit refuses the whole
// conversion, naming it, and nothing changes. What cannot be kept is told in one message, one
// line per coll. Its rows apply the working copy's edits first.
void ConvertWholeFile(Editor& editor, int version);

}  // namespace vantorel
