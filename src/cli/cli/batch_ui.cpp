#include "cli/batch_ui.h"

#include <algorithm>
#include <ostream>
#include <utility>

#include "cli/unix_lines.h"
#include "core/name_rules.h"
#include "core/text_trim.h"
#include "core/windows1252.h"

namespace vantorel::cli {

namespace {

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

// A question's text on one line, for saying which question had no answer.
std::string OneLine(const std::string& text) {
  std::string line;
  for (const char c : UnixLines(text)) {
    if (c != '\n') {
      line += c;
    } else if (!line.empty() && line.back() != ' ') {
      line += ' ';
    }
  }
  while (!line.empty() && line.back() == ' ')
    line.pop_back();
  return line;
}

[[noreturn]] void Refuse(const std::string& reason) {
  throw BatchRefusal(reason);
}

}  // namespace

std::string NameRefusal(const std::string& name, const std::string* oldName) {
  const std::string bytes = Utf8ToWindows1252(name);
  // The dialogs' fields hold no more than a name's 20 characters, so nobody can type a longer
  // one; a longer argument is refused rather than cut short unseen.
  if (TrimBlanksAndControls(bytes).size() > kMaxCollNameLength) {
    return "the name " + Quoted(name) + " is longer than " + std::to_string(kMaxCollNameLength) +
           " characters";
  }
  const NameCheck check =
      oldName ? ValidateNewName(bytes, Utf8ToWindows1252(*oldName)) : ValidateMergeName(bytes);
  switch (check.Verdict) {
    case NameVerdict::BadCharacter:
      return "the name " + Quoted(name) + " has a character other than a-z, A-Z, 0-9 and _";
    case NameVerdict::SameAsOld:
      return "the new name " + Quoted(name) + " is the old name " + Quoted(*oldName) +
             " (letter case alone makes no new name)";
    case NameVerdict::TooShort:
      return "the name " + Quoted(name) + " is shorter than " + std::to_string(kMinNewNameLength) +
             " characters";
    case NameVerdict::Ok:
      break;
  }
  return {};
}

BatchUi::BatchUi(std::ostream& err, std::string dateTime)
    : err_(err), dateTime_(std::move(dateTime)) {}

void BatchUi::AnswerQuestion(const std::string& caption, Answer answer) {
  questions_[caption] = {answer, {}};
}

void BatchUi::RefuseQuestion(const std::string& caption, const std::string& reason) {
  questions_[caption] = {std::nullopt, reason};
}

void BatchUi::AnswerOpenDialog(const std::filesystem::path& path) {
  openFile_ = path;
}

void BatchUi::AnswerSaveDialog(const std::string& title, const std::filesystem::path& path) {
  saveFiles_[title] = path;
}

void BatchUi::AnswerInputBox(const std::string& caption, const std::string& text,
                             const std::string& refusedBecause) {
  inputs_[caption] = {text, refusedBecause, false};
}

void BatchUi::AnswerNewName(const std::string& name) {
  newName_ = name;
}

void BatchUi::AnswerSelection(int line) {
  selection_ = line;
}

void BatchUi::AnswerMerge(const MergeChoice& choice) {
  merge_ = choice;
}

void BatchUi::AnswerMeshImport(const MeshImportValues& values) {
  meshImport_ = values;
}

void BatchUi::AnswerChangeSurface(const SurfaceChoice& choice) {
  surface_ = choice;
}

void BatchUi::Show(const std::string& text) {
  err_ << prefix_ << UnixLines(text) << "\n";
}

void BatchUi::ShowStep() {
  for (std::size_t i = std::min(stepStart_, held_.size()); i < held_.size(); ++i)
    err_ << held_[i];
  held_.clear();
  stepStart_ = 0;
}

void BatchUi::ShowHeld() {
  stepStart_ = 0;
  ShowStep();
}

Answer BatchUi::Ask(const Question& question) {
  const auto found = questions_.find(question.Caption);
  if (found != questions_.end() && found->second.answer) return *found->second.answer;
  if (found != questions_.end()) Refuse(found->second.refusedBecause);
  Refuse("the question " + Quoted(question.Caption) +
         " has no answer on the command line: " + OneLine(question.Text));
}

void BatchUi::Message(const std::string& text) {
  ++messages_;
  if (!silenceMessages_) held_.push_back(prefix_ + UnixLines(text) + "\n");
}

void BatchUi::Error(const std::string& text) {
  ++errors_;
  ShowStep();
  Show(text);
}

std::optional<std::filesystem::path> BatchUi::OpenFileDialog(const FileDialogRequest& request) {
  if (!openFile_) Refuse("no file given for the dialog " + Quoted(request.Title));
  return openFile_;
}

std::optional<std::filesystem::path> BatchUi::SaveFileDialog(const FileDialogRequest& request) {
  const auto found = saveFiles_.find(request.Title);
  if (found == saveFiles_.end()) Refuse("no file given for the dialog " + Quoted(request.Title));
  return found->second;
}

std::optional<std::string> BatchUi::InputBox(const std::string& caption, const std::string&,
                                             const std::string&) {
  const auto found = inputs_.find(caption);
  if (found == inputs_.end()) Refuse("no answer given for the input box " + Quoted(caption));
  // The box opens again only when it did not accept what it was given.
  if (found->second.taken) Refuse(found->second.refusedBecause);
  found->second.taken = true;
  return found->second.text;
}

std::optional<Settings> BatchUi::MainSettingsDialog(const Settings&, const std::filesystem::path&) {
  Refuse("the batch tool has no settings dialog");
}

std::optional<std::string> BatchUi::AskNewName(const std::string& caption,
                                               const std::string& oldName) {
  if (!newName_) Refuse("no new name given for " + Quoted(caption));
  if (const std::string refusal = NameRefusal(*newName_, &oldName); !refusal.empty())
    Refuse(refusal);
  return Windows1252ToUtf8(TrimBlanksAndControls(Utf8ToWindows1252(*newName_)));
}

std::optional<std::vector<int>> BatchUi::SelectColls(const SelectCollsRequest& request) {
  if (!selection_) Refuse("no coll chosen for " + Quoted(request.Caption));
  if (*selection_ < 0 || static_cast<std::size_t>(*selection_) >= request.Lines.size()) {
    Refuse("the chosen coll #" + std::to_string(*selection_ + 1) + " is not in the list of " +
           std::to_string(request.Lines.size()));
  }
  return std::vector<int>{*selection_};
}

std::optional<MeshImportValues> BatchUi::AskMeshImport(const MeshImportRequest& request) {
  if (!meshImport_) Refuse("no model given for the dialog \"Import Mesh\"");
  MeshImportValues values = *meshImport_;
  if (values.Replace) {
    if (*values.Replace < 0 || static_cast<std::size_t>(*values.Replace) >= request.Lines.size())
      Refuse("the coll whose mesh is replaced is not in the file");
    return values;
  }
  if (const std::string refusal = NameRefusal(values.NewName, nullptr); !refusal.empty())
    Refuse(refusal);
  values.NewName = Windows1252ToUtf8(TrimBlanksAndControls(Utf8ToWindows1252(values.NewName)));
  return values;
}

std::optional<MergeChoice> BatchUi::ChooseMerge(const std::vector<std::string>& lines, int) {
  if (!merge_) Refuse("no colls chosen for the merge");
  const auto inList = [&](int index) {
    return index >= 0 && static_cast<std::size_t>(index) < lines.size();
  };
  if (!inList(merge_->First) || !inList(merge_->Second))
    Refuse("a coll chosen for the merge is not in the file");
  if (const std::string refusal = NameRefusal(merge_->Name, nullptr); !refusal.empty())
    Refuse(refusal);
  MergeChoice choice = *merge_;
  choice.Name = Windows1252ToUtf8(TrimBlanksAndControls(Utf8ToWindows1252(choice.Name)));
  return choice;
}

std::optional<SurfaceChoice> BatchUi::ChangeSurfaceDialog(const SurfaceDialogValues&) {
  if (!surface_) Refuse("no surface chosen for the dialog \"Change Surface\"");
  return surface_;
}

std::optional<ColorSettings> BatchUi::ColorSettingsDialog(const MainColors&,
                                                          const SurfaceTypeTable&) {
  Refuse("the colour settings are not part of the batch tool");
  return std::nullopt;
}

std::optional<ElementValues> BatchUi::EditElementValues(const std::string& caption,
                                                        const ElementValues&,
                                                        const SurfaceTypeTable&, char) {
  Refuse("the batch tool gives no values for " + Quoted(caption));
}

void BatchUi::ShowCollisionScript(const std::string& script, const std::string&,
                                  const std::filesystem::path&) {
  shownScript_ = script;
}

}  // namespace vantorel::cli
