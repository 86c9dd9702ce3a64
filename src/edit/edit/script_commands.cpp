#include "edit/script_commands.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "core/bounds.h"
#include "core/coll_codec.h"
#include "core/compressed_record.h"
#include "core/file_io.h"
#include "core/name_rules.h"
#include "core/utf8_path.h"
#include "core/windows1252.h"
#include "doc/editor.h"
#include "doc/editor_texts.h"
#include "edit/collision_script.h"
#include "edit/script_encoding.h"
#include "edit/script_reader.h"

namespace vantorel {

namespace {

constexpr const char* kOpenScriptTitle = "Open Collision File";
constexpr const char* kScriptFilter = "Collision Script|*.cst|All files|*.*";
constexpr const char* kNamePrompt = "Name of the new collision object:";
constexpr const char* kParseError = "ERROR while parsing collision script!";

// Asks for the new coll's name until the answer is a valid one, starting with proposal; an
// invalid answer is shown again as it was cut. Cancel ends the import: a person who cancels
// expects nothing to happen, and must never be held in the loop. The name is game text (Windows
// code page); the prompt shows and takes UTF-8.
std::optional<std::string> AskImportName(EditorUi& ui, const std::string& proposal) {
  std::string shown = proposal;
  while (true) {
    const std::optional<std::string> answer =
        ui.InputBox(std::string(kScriptNamePromptCaption), kNamePrompt, shown);
    if (!answer) return std::nullopt;
    std::string name = ImportNameFromAnswer(Utf8ToWindows1252(*answer));
    if (IsValidImportName(name)) return name;
    shown = Windows1252ToUtf8(name);
  }
}

}  // namespace

std::optional<Bytes> NewCollRecord(Coll coll, const std::string& name) {
  return NewCollRecordOrRefusal(std::move(coll), name).Record;
}

NewRecord NewCollRecordOrRefusal(Coll coll, const std::string& name) {
  NewRecord result;
  if (coll.Version() < 2) coll.Header.FourCC = kCollFourCC;
  SetHeaderName(coll.Header, name);
  if (coll.Version() >= 2) {
    // These kinds store no vertex count: vertices after the last one a face uses would not be
    // found again, so they are not kept.
    std::int64_t used = 0;
    for (const CollFace& face : coll.Faces)
      used = std::max<std::int64_t>(
          {used, face.A + std::int64_t{1}, face.B + std::int64_t{1}, face.C + std::int64_t{1}});
    if (static_cast<std::size_t>(used) < coll.Vertices.size())
      coll.Vertices.resize(static_cast<std::size_t>(used));
    if (auto problem = CompressedRecordProblem(coll)) {
      result.Refusal = std::move(*problem);
      return result;
    }
    // The bounds are fitted to the coordinates as the record stores them.
    for (CollVertex& v : coll.Vertices)
      v = {RoundedToCompressed(v.X), RoundedToCompressed(v.Y), RoundedToCompressed(v.Z)};
  }
  StoreBoundingObjects(coll.Header, ComputeBoundingObjects(coll));
  StampEditorId(coll.Header);
  if (!FitsRecordFields(coll)) {
    result.Refusal = texts::kWriteError;
    return result;
  }
  RecalcCollSize(coll);
  result.Record.emplace(RecordLength(coll));
  EncodeColl(coll, result.Record->data());
  return result;
}

bool AppendNewColl(Editor& editor, Coll coll, const std::string& name) {
  const NewRecord made = NewCollRecordOrRefusal(std::move(coll), name);
  const std::optional<Bytes>& record = made.Record;
  if (!record) {
    editor.Ui().Message(made.Refusal);
    return false;
  }
  // Edits the person chose not to apply give way to the new coll.
  if (editor.CollChanged()) editor.DropWorkingCopy();
  editor.ChangeFile([&](CollFile& file) { file.AppendRecords(*record); });
  editor.SelectColl(editor.CollCount() - 1);
  return true;
}

void ShowCollisionScript(Editor& editor) {
  const Coll& coll = editor.WorkingCopy();
  const std::string script = BuildCollisionScript(
      coll, Utf8ToWindows1252(editor.Ui().LocalDateTimeText()), editor.DecimalSeparator);
  editor.Ui().ShowCollisionScript(script, Windows1252ToUtf8(HeaderName(coll.Header)),
                                  editor.FileName().parent_path());
}

void ImportCollisionScript(Editor& editor) {
  FileDialogRequest request;
  request.Title = kOpenScriptTitle;
  request.Filter = kScriptFilter;
  request.InitialDir = editor.DialogDirectory;
  request.MustExist = true;
  const std::optional<std::filesystem::path> path = editor.Ui().OpenFileDialog(request);
  if (!path) return;

  const std::optional<std::string> name = AskImportName(editor.Ui(), PathToUtf8(path->stem()));
  if (!name) return;

  Bytes bytes;
  if (const auto error = ReadWholeFile(*path, bytes)) {
    editor.Ui().Error(*error);
    return;
  }
  const ScriptFileText script = ScriptTextFromFile(bytes);
  if (!script.Ok()) {
    editor.Ui().Message(script.Refusal);
    return;
  }
  ScriptReadResult read = ReadCollisionScript(script.Text, editor.DecimalSeparator);
  if (!read.Elements) {
    editor.Ui().Message(kParseError);
    return;
  }
  AppendNewColl(editor, std::move(*read.Elements), *name);
}

}  // namespace vantorel
