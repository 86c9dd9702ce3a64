#include "ops/convert_commands.h"

#include <string>
#include <vector>

#include "core/coll_codec.h"
#include "core/coll_conversion.h"
#include "core/coll_file.h"
#include "core/windows1252.h"
#include "doc/editor.h"
#include "doc/editor_texts.h"

namespace vantorel {

namespace {

void TellLost(Editor& editor, const std::vector<std::string>& lines) {
  if (lines.empty()) return;
  std::string text;
  for (const std::string& line : lines) {
    if (!text.empty()) text += "\n";
    text += line;
  }
  editor.Ui().Message(text);
}

}  // namespace

void ConvertCurrentColl(Editor& editor, int version) {
  const Coll& current = editor.WorkingCopy();
  if (current.Version() == version) return;
  CollConversion conversion = ConvertColl(current, version);
  if (!conversion.Converted) {
    editor.Ui().Message(conversion.Refusal);
    return;
  }
  const std::string lost = LostLine(current, conversion.Lost);
  editor.ChangeWorkingCopy(
      [&](Coll& coll, ElementLists&) { coll = std::move(*conversion.Converted); });
  if (!lost.empty()) TellLost(editor, {lost});
}

void ConvertWholeFile(Editor& editor, int version) {
  const CollFile& file = editor.File();
  Bytes records;
  std::vector<std::string> lostLines;
  bool changed = false;
  for (std::size_t index = 0; index < file.Count(); ++index) {
    const CollDirectoryEntry& entry = file.Entry(index);
    const std::string name = Windows1252ToUtf8(entry.Name);
    if (!file.IsComplete(index)) {
      editor.Ui().Message(name + ": the record is cut short; nothing was converted.");
      return;
    }
    const auto stored = file.RecordBytes(index);
    if (entry.Version == version) {
      records.insert(records.end(), stored.begin(), stored.end());
      continue;
    }
    Coll coll;
    if (ReadColl(file.Image(), entry, coll) != ReadResult::Ok) {
      editor.Ui().Message(name + ": " + texts::kNoCollisionData + " Nothing was converted.");
      return;
    }
    const CollConversion conversion = ConvertColl(coll, version);
    if (!conversion.Converted) {
      editor.Ui().Message(conversion.Refusal + "\nNothing was converted.");
      return;
    }
    const std::string lost = LostLine(coll, conversion.Lost);
    if (!lost.empty()) lostLines.push_back(lost);
    const std::size_t at = records.size();
    records.resize(at + RecordLength(*conversion.Converted));
    EncodeColl(*conversion.Converted, records.data() + at);
    changed = true;
  }
  if (!changed) return;
  const int current = editor.CurrentColl();
  editor.DropWorkingCopy();
  editor.ChangeFile([&](CollFile& f) { f.ReplaceRecords(0, f.Count(), records); });
  editor.SelectColl(current);
  TellLost(editor, lostLines);
}

}  // namespace vantorel
