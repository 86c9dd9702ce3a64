#include "ops/coll_commands.h"

#include "core/name_rules.h"
#include "core/windows1252.h"
#include "doc/editor.h"
#include "ops/coll_file_scan.h"
#include "ops/coll_name_field.h"
#include "ops/coll_texts.h"

namespace vantorel {

namespace {

// The new name the rename dialog accepted, as Windows-1252 bytes; nullopt when cancelled. The
// rules are checked again here, so no port can slip a name past them.
std::optional<std::string> AskNewName(Editor& editor, const char* caption,
                                      const std::string& oldName) {
  const auto answer = editor.Ui().AskNewName(caption, Windows1252ToUtf8(oldName));
  if (!answer) return std::nullopt;
  NameCheck check = ValidateNewName(Utf8ToWindows1252(*answer), oldName);
  if (check.Verdict != NameVerdict::Ok) return std::nullopt;
  return std::move(check.Name);
}

// The whole stored record of the current coll, or nullopt after saying why it cannot be taken.
std::optional<std::span<const std::uint8_t>> CurrentRecord(Editor& editor) {
  const CollDirectoryEntry* entry = editor.CurrentEntry();
  if (!entry) return std::nullopt;
  const StoredRecord stored = TakeStoredRecord(editor.FileImage(), *entry);
  if (!stored.Ok()) {
    editor.Ui().Message(std::string(stored.Message));
    return std::nullopt;
  }
  return stored.Bytes;
}

}  // namespace

void RenameColl(Editor& editor) {
  const auto name =
      AskNewName(editor, texts::kRenameCaption, HeaderName(editor.WorkingCopy().Header));
  if (!name) return;
  editor.ChangeWorkingCopy([&](Coll& coll, ElementLists&) { WriteCollName(coll.Header, *name); });
}

void CopyColl(Editor& editor) {
  // A record cut short cannot be copied at all; that is said first.
  const auto record = CurrentRecord(editor);
  if (!record || !editor.CanAppendColls()) return;
  const auto name = AskNewName(editor, texts::kCopyCaption, editor.CurrentEntry()->Name);
  if (!name) return;
  const auto copy = RenamedRecordCopy(*record, *name);
  if (!copy) return;
  // A No to the apply question leaves edits in the working copy: they are dropped, as the
  // copy holds the stored record.
  editor.DropWorkingCopy();
  editor.ChangeFile([&](CollFile& file) { file.AppendRecords(*copy); });
  editor.SelectColl(editor.CollCount() - 1);
}

void DeleteColl(Editor& editor) {
  if (!CurrentRecord(editor)) return;
  const CollDirectoryEntry& entry = *editor.CurrentEntry();
  if (editor.Settings().askDelete &&
      editor.Ui().Ask(texts::DeleteQuestion(Windows1252ToUtf8(entry.Name))) != Answer::Yes) {
    return;
  }
  const auto index = static_cast<std::size_t>(editor.CurrentColl());
  editor.DropWorkingCopy();
  editor.ChangeFile([&](CollFile& file) { file.RemoveRecords(index, 1); });
  editor.SelectFirstColl();
}

}  // namespace vantorel
