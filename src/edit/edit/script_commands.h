#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/coll_records.h"
#include "core/file_io.h"

namespace vantorel {

class Editor;

// The caption of the prompt that asks for the name of a coll read from a script.
inline constexpr std::string_view kScriptNamePromptCaption = "Import Collision Script";

// Builds the collision script of the working copy and shows it in the script viewer, which can
// save it. Its row runs it only for a loaded coll; nothing of the document changes.
void ShowCollisionScript(Editor& editor);

// Reads a collision script chosen in the open dialog into a new coll named through the name
// prompt, with its size and bounding objects computed, appends it at the end of the file and
// selects it. Its row offers unapplied edits of the current coll for applying first; edits not
// applied give way to the new coll. Cancelling the dialog or the prompt, a file that cannot be
// read and a script that cannot be parsed add nothing and leave the working copy as it was.
void ImportCollisionScript(Editor& editor);

// A new coll as a whole record: header filled in with the name, size and bounding objects
// computed, the editor's Id stamped; nullopt when its counts do not fit the record's fields.
std::optional<Bytes> NewCollRecord(Coll coll, const std::string& name);

// A new record, or why it cannot be made.
struct NewRecord {
  std::optional<Bytes> Record;
  std::string Refusal;
};
// NewCollRecord, saying why not. A coll whose FourCC is of a San Andreas kind (a script with a
// "# Kind: COL3" line) is made in that kind with model ID 0, its vertices on the kind's 1/128
// grid; a coordinate or count the kind cannot hold refuses it, naming the coll and the value.
// Any other coll is made a "COLL" one.
NewRecord NewCollRecordOrRefusal(Coll coll, const std::string& name);

// Appends coll as a new record named name (NewCollRecord) at the end of the file and selects
// it, dropping edits of the current coll that the person chose not to apply. Returns false,
// having said why, when the coll does not fit the record's fields.
bool AppendNewColl(Editor& editor, Coll coll, const std::string& name);

}  // namespace vantorel
