#include "ops/exchange_commands.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "core/coll_codec.h"
#include "core/file_io.h"
#include "core/utf8_path.h"
#include "core/windows1252.h"
#include "doc/editor.h"
#include "doc/editor_texts.h"
#include "ops/coll_file_scan.h"
#include "ops/coll_name_field.h"
#include "ops/coll_texts.h"
#include "ops/select_colls_request.h"

namespace vantorel {

namespace {

namespace fs = std::filesystem;

// Another collision file, read whole and listed; its file is closed again before the person
// is asked anything.
struct OtherFile {
  fs::path path;
  Bytes bytes;
  CollDirectoryEntries entries;
};

// Asks for the other file and reads it. Cancelled: nullopt. A file that cannot be read or holds
// a record that is not whole: nullopt after saying why.
std::optional<OtherFile> OpenOtherFile(Editor& editor) {
  const FileDialogRequest request{texts::kOpenTitle,
                                  texts::kColFilter,
                                  texts::kColDefaultExt,
                                  editor.DialogDirectory,
                                  {},
                                  true,
                                  false};
  const auto chosen = editor.Ui().OpenFileDialog(request);
  if (!chosen) return std::nullopt;
  editor.DialogDirectory = chosen->parent_path();

  OtherFile other;
  other.path = *chosen;
  if (const auto error = ReadWholeFile(other.path, other.bytes)) {
    editor.Ui().Error(*error);
    return std::nullopt;
  }
  const std::size_t total = other.bytes.size();
  EditorUi& ui = editor.Ui();
  ui.KeepAlive(0, total);
  CollFileScan scan =
      ScanCollFile(other.bytes, [&ui, total](std::size_t done) { ui.KeepAlive(done, total); });
  ui.KeepAlive(total, total);
  if (!scan.Ok()) {
    ui.Message(std::string(scan.Message));
    return std::nullopt;
  }
  other.entries = std::move(scan.Entries);
  return other;
}

// The lines chosen in the selection dialog, in list order, without repeats or lines outside
// the list; nullopt when cancelled.
std::optional<std::vector<std::size_t>> ChooseColls(Editor& editor,
                                                    const SelectCollsRequest& request) {
  const auto answer = editor.Ui().SelectColls(request);
  if (!answer) return std::nullopt;
  std::vector<std::size_t> chosen;
  for (const int line : *answer) {
    if (line >= 0 && static_cast<std::size_t>(line) < request.Lines.size())
      chosen.push_back(static_cast<std::size_t>(line));
  }
  std::sort(chosen.begin(), chosen.end());
  chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
  return chosen;
}

// The header whose name a replaced coll keeps: the working copy's, which may hold a rename not
// yet applied, or, when the coll failed to load and the working copy is empty, the stored
// record's.
CollHeader KeptNameHeader(Editor& editor) {
  if (editor.WorkingCopy().IsLoaded()) return editor.WorkingCopy().Header;
  CollHeader stored;
  const CollDirectoryEntry* entry = editor.CurrentEntry();
  const Bytes& image = editor.FileImage();
  if (entry && entry->Offset >= 0 && static_cast<std::size_t>(entry->Offset) <= image.size() &&
      image.size() - static_cast<std::size_t>(entry->Offset) >= kHeaderBytes) {
    DecodeHeader(image.data() + entry->Offset, stored);
  }
  return stored;
}

// Gives header the name of kept. A San Andreas name of 21 or 22 characters runs on into the
// first two Id bytes; between two San Andreas headers those go along, so the name stays whole.
void KeepName(CollHeader& header, const CollHeader& kept) {
  SetNameField(header, kept.Name);
  if (header.Version() >= 2 && kept.Version() >= 2 && !NameFieldTerminated(kept)) {
    header.Id[0] = kept.Id[0];
    header.Id[1] = kept.Id[1];
  }
}

}  // namespace

void ImportColls(Editor& editor) {
  const auto other = OpenOtherFile(editor);
  if (!other) return;
  const auto chosen =
      ChooseColls(editor, ImportRequest(PathToUtf8(other->path.filename()), other->entries));
  if (!chosen || chosen->empty()) return;

  // Every listed record lies whole in the other file (the scan makes sure of it).
  Bytes records;
  for (const std::size_t line : *chosen) {
    const CollDirectoryEntry& entry = other->entries[line];
    const auto begin = other->bytes.begin() + static_cast<std::ptrdiff_t>(entry.Offset);
    records.insert(records.end(), begin, begin + static_cast<std::ptrdiff_t>(entry.Size));
  }
  editor.ChangeFile([&](CollFile& file) { file.AppendRecords(records); });
  // With edits left unapplied, selecting asks the apply question again.
  editor.SelectColl(editor.CollCount() - 1);
}

void ExportColl(Editor& editor) {
  const StoredRecord stored = TakeStoredRecord(editor.FileImage(), *editor.CurrentEntry());
  if (!stored.Ok()) {
    editor.Ui().Message(std::string(stored.Message));
    return;
  }
  const FileDialogRequest request{texts::kExportTitle,
                                  texts::kColFilter,
                                  texts::kColDefaultExt,
                                  editor.DialogDirectory,
                                  {},
                                  false,
                                  false};
  const auto chosen = editor.Ui().SaveFileDialog(request);
  if (!chosen) return;
  editor.DialogDirectory = chosen->parent_path();
  const std::string target = PathToUtf8(*chosen);
  if (SameFile(*chosen, editor.FileName())) {
    editor.Ui().Message(texts::ExportIntoOpenFile(target));
    return;
  }

  Bytes content;
  std::error_code ec;
  if (fs::exists(*chosen, ec)) {
    const Answer answer = editor.Ui().Ask(texts::AppendQuestion());
    if (answer == Answer::Cancel) return;
    if (answer == Answer::Yes) {
      if (const auto error = ReadWholeFile(*chosen, content)) {
        editor.Ui().Error(*error);
        return;
      }
    }
  }
  content.insert(content.end(), stored.Bytes.begin(), stored.Bytes.end());
  // Written beside the target and renamed over it, so a failure leaves the old file whole.
  if (const auto error = WriteFileReplacing(*chosen, content)) editor.Ui().Error(*error);
}

void ReplaceColl(Editor& editor) {
  const auto other = OpenOtherFile(editor);
  if (!other) return;
  const CollHeader kept = KeptNameHeader(editor);
  const auto chosen = ChooseColls(editor, ReplaceRequest(HeaderName(kept), other->entries));
  if (!chosen || chosen->size() != 1) return;

  Coll replacement;
  const ReadResult read = ReadColl(other->bytes, other->entries[chosen->front()], replacement);
  if (read != ReadResult::Ok) {
    editor.Ui().Message(read == ReadResult::NoCollisionData ? texts::kNoCollisionData
                                                            : texts::kReadError);
    return;
  }
  // Id, bounds and elements come from the other file; the name stays.
  KeepName(replacement.Header, kept);
  editor.ChangeWorkingCopy(
      [&](Coll& coll, ElementLists& lists) {
        coll = std::move(replacement);
        lists.Clear();  // the new elements get the marks of a freshly selected coll
      },
      CameraAfterEdit::Reset);
  editor.ReselectCurrentLine();
}

}  // namespace vantorel
