#include "cli/batch_editor.h"

#include <algorithm>
#include <ostream>
#include <stdexcept>

#include "app/command_table.h"
#include "cli/coll_arguments.h"
#include "core/coll_codec.h"
#include "core/utf8_path.h"
#include "doc/editor_texts.h"

namespace vantorel::cli {

BatchEditor::BatchEditor(const Environment& environment, std::ostream& err)
    : err_(err), ui_(err, environment.exportedOn), editor_(ui_, view_) {
  // The batch tool reads no settings file: the defaults, with the questions answered from the
  // command line, and no undo history, which nobody could use.
  vantorel::Settings settings;
  settings.UndoMemoryMB = 0;
  editor_.ChangeSettings(settings);
  editor_.DecimalSeparator = environment.decimalSeparator;
}

bool BatchEditor::Open(const std::string& path, bool lock) {
  path_ = path;
  if (lock) lock_.Acquire(PathFromUtf8(path));
  ui_.BeginStep();
  const int errors = ui_.Errors();
  ui_.SilenceMessages(true);
  editor_.Run("Open", [&] { editor_.OpenFile(PathFromUtf8(path)); });
  ui_.SilenceMessages(false);
  if (ui_.Errors() != errors || !editor_.FileRead()) return false;
  CollDirectoryEntries rescanned;
  if (ScanFile(editor_.FileImage(), rescanned) == ScanEnd::Damaged) ui_.Notice(texts::kReadError);
  return true;
}

bool BatchEditor::CheckWritable() {
  const Bytes& image = editor_.FileImage();
  const std::size_t covered = editor_.File().CoveredEnd();
  if (covered >= image.size()) return true;
  const auto tail = image.begin() + static_cast<std::ptrdiff_t>(covered);
  if (std::all_of(tail, image.end(), [](std::uint8_t byte) { return byte == 0; })) return true;
  err_ << path_ << ": the " << image.size() - covered << " bytes from byte " << covered
       << " on are no collision data the editor can read; saving would drop them\n";
  return false;
}

std::optional<int> BatchEditor::FindColl(const std::string& key) {
  const auto index = cli::FindColl(editor_.CollDirectory(), key);
  if (!index) {
    err_ << "No coll " << key << " in " << path_ << "\n";
    return std::nullopt;
  }
  return static_cast<int>(*index);
}

bool BatchEditor::Select(int index) {
  ui_.BeginStep();
  const int errors = ui_.Errors();
  editor_.Run("Select", [&] { editor_.SelectColl(index); });
  if (ui_.Errors() == errors && editor_.CurrentColl() == index && editor_.WorkingCopy().IsLoaded())
    return true;
  ui_.ShowStep();
  return false;
}

bool BatchEditor::RunRow(std::string_view name, const std::function<bool()>& done) {
  const CommandRow* row = FindCommand(name);
  if (!row) throw std::logic_error("no command row " + std::string(name));
  ui_.BeginStep();
  // A row that does not apply runs nothing; the reason is the answer.
  if (const std::optional<NotApplying> notNow = WhyNotNow(*row, editor_)) {
    ui_.Message(notNow->Reason);
    ui_.ShowStep();
    return false;
  }
  const int errors = ui_.Errors();
  const int messages = ui_.Messages();
  RunCommand(editor_, *row);
  if (ui_.Errors() != errors) return false;
  if (!done || done()) return true;
  ui_.ShowStep();
  if (ui_.Messages() == messages) {
    err_ << "\"" + CommandName(row->Caption) + "\" changed nothing\n";
  }
  return false;
}

bool BatchEditor::Apply() {
  if (!editor_.CollChanged()) return true;
  return RunRow("ApplyChanges1", [&] { return !editor_.CollChanged(); });
}

bool BatchEditor::Save(const std::optional<std::string>& output) {
  ui_.BeginStep();
  // The window asks whether to overwrite a file changed on disk since it was read; the batch
  // tool never does, as the change would be lost.
  ui_.RefuseQuestion(texts::ChangedOnDiskQuestion(path_).Caption,
                     path_ + " was changed on disk since it was read; it was not overwritten");
  const int errors = ui_.Errors();
  bool saved = false;
  if (output) {
    ui_.AnswerSaveDialog(texts::kSaveTitle, PathFromUtf8(*output));
    editor_.Run("Save As", [&] { saved = editor_.SaveFile(true); });
  } else if (editor_.FileChanged()) {
    editor_.Run("Save", [&] { saved = editor_.SaveFile(false); });
  } else {
    return true;  // nothing changed, nothing to write
  }
  if (saved && ui_.Errors() == errors) return true;
  ui_.ShowStep();
  return false;
}

}  // namespace vantorel::cli
