#include "ops/merge_command.h"

#include "core/bounds.h"
#include "core/coll_codec.h"
#include "core/name_rules.h"
#include "core/windows1252.h"
#include "doc/editor.h"
#include "doc/editor_texts.h"
#include "ops/merge.h"

namespace vantorel {

namespace {

// The stored coll of a directory index, or nullopt after saying why it cannot be read.
std::optional<Coll> StoredColl(Editor& editor, int index) {
  Coll coll;
  const ReadResult read =
      ReadColl(editor.FileImage(), editor.CollDirectory()[static_cast<std::size_t>(index)], coll);
  if (read == ReadResult::Ok) return coll;
  editor.Ui().Message(read == ReadResult::NoCollisionData ? texts::kNoCollisionData
                                                          : texts::kReadError);
  return std::nullopt;
}

}  // namespace

void MergeColls(Editor& editor) {
  // The stored names: the stored records are what is merged, also after a No.
  std::vector<std::string> lines;
  lines.reserve(editor.CollDirectory().size());
  for (const CollDirectoryEntry& entry : editor.CollDirectory())
    lines.push_back(Windows1252ToUtf8(CollListLine(entry)));
  const auto choice = editor.Ui().ChooseMerge(lines, editor.CurrentColl());
  if (!choice) return;
  const auto inList = [&](int index) { return index >= 0 && index < editor.CollCount(); };
  const NameCheck name = ValidateMergeName(Utf8ToWindows1252(choice->Name));
  if (!inList(choice->First) || !inList(choice->Second) || name.Verdict != NameVerdict::Ok) return;

  const auto first = StoredColl(editor, choice->First);
  if (!first) return;
  const auto second = StoredColl(editor, choice->Second);
  if (!second || !editor.CanAppendColls()) return;
  CollMerge merge = MergeCollsOfAnyKind(*first, *second, name.Name);
  if (!merge.Merged) {
    editor.Ui().Message(merge.Refusal.empty() ? std::string(texts::kWriteError) : merge.Refusal);
    return;
  }
  auto& merged = merge.Merged;
  // The same fit the bounds recalculation makes, here on the new coll alone: the coll being
  // edited is not touched before the new one is selected.
  StoreBoundingObjects(merged->Header, ComputeBoundingObjects(*merged));
  Bytes record(RecordLength(*merged));
  EncodeColl(*merged, record.data());

  // Unapplied edits (a No to the apply question) are dropped.
  editor.DropWorkingCopy();
  editor.ChangeFile([&](CollFile& file) { file.AppendRecords(record); });
  editor.SelectColl(editor.CollCount() - 1);
  // What the conversion to the result's kind could not keep, one line per coll, as Convert
  // tells it.
  if (!merge.LostLines.empty()) {
    std::string text;
    for (const std::string& line : merge.LostLines)
      text += (text.empty() ? "" : "\n") + line;
    editor.Ui().Message(text);
  }
}

}  // namespace vantorel
