#pragma once

#include <filesystem>
#include <iosfwd>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "doc/editor_ui.h"

namespace vantorel::cli {

// Thrown from the port for a question or dialog the command line gave no answer for, or for an
// answer the dialog would not accept. The editor's command boundary catches it, puts the
// document back as it was and reports the reason through Error.
class BatchRefusal : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The editor's port without a window. Each question and dialog is answered from what the
// command line said; the answers are set before the command that asks runs. A name is checked
// by the same rules the dialog checks it by. Messages and errors go to a stream with plain
// "\n" line ends; an error is also counted, so the batch tool can tell that a command failed.
//
// The editor's messages are held back until the outcome is known, so that a command that fails
// prints no success message ("3 vertices deleted.") before it says it failed. The batch editor
// marks where each step (open, select, a row, the save) begins; when a step fails, the messages
// of that step are shown, as they tell why, and the earlier ones are dropped. When the command
// succeeds, every held message is shown in order.
class BatchUi final : public EditorUi {
 public:
  BatchUi(std::ostream& err, std::string dateTime);

  // --- answers ---
  // The answer to the question with this caption, for every time it is asked.
  void AnswerQuestion(const std::string& caption, Answer answer);
  // Refuses the question with this caption, saying why.
  void RefuseQuestion(const std::string& caption, const std::string& reason);
  // The file the open dialog picks, every time it is shown.
  void AnswerOpenDialog(const std::filesystem::path& path);
  // The file the save dialog of this title picks.
  void AnswerSaveDialog(const std::string& title, const std::filesystem::path& path);
  // The text typed into the input box of this caption. It is given once: a box that opens again
  // did not accept it, and is refused with the reason given here.
  void AnswerInputBox(const std::string& caption, const std::string& text,
                      const std::string& refusedBecause);
  // The name typed into the rename dialog.
  void AnswerNewName(const std::string& name);
  // The one line picked in the coll selection dialog.
  void AnswerSelection(int line);
  void AnswerMerge(const MergeChoice& choice);
  void AnswerMeshImport(const MeshImportValues& values);
  void AnswerChangeSurface(const SurfaceChoice& choice);

  // Put before every message and error shown, e.g. the coll a command over all colls is at.
  void SetMessagePrefix(const std::string& prefix) { prefix_ = prefix; }
  // While silenced, messages are dropped (errors are still shown).
  void SilenceMessages(bool silence) { silenceMessages_ = silence; }
  // A step of the command begins: its messages are the ones ShowStep shows.
  void BeginStep() { stepStart_ = held_.size(); }
  // The step failed: shows its held messages and drops the earlier ones.
  void ShowStep();
  // The command succeeded: shows every held message.
  void ShowHeld();
  // Shows a message at once, whatever the outcome.
  void Notice(const std::string& text) { Show(text); }

  int Errors() const { return errors_; }
  int Messages() const { return messages_; }
  // The collision script the editor last showed, in the Windows code page.
  const std::optional<std::string>& ShownScript() const { return shownScript_; }

  // --- the port ---
  Answer Ask(const Question& question) override;
  void Message(const std::string& text) override;
  void Error(const std::string& text) override;
  std::optional<std::filesystem::path> OpenFileDialog(const FileDialogRequest& request) override;
  std::optional<std::filesystem::path> SaveFileDialog(const FileDialogRequest& request) override;
  std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                      const std::string& text) override;
  std::optional<Settings> MainSettingsDialog(const Settings& current,
                                             const std::filesystem::path& settingsFile) override;
  std::optional<std::string> AskNewName(const std::string& caption,
                                        const std::string& oldName) override;
  std::optional<std::vector<int>> SelectColls(const SelectCollsRequest& request) override;
  std::optional<MeshImportValues> AskMeshImport(const MeshImportRequest& request) override;
  std::optional<MergeChoice> ChooseMerge(const std::vector<std::string>& lines,
                                         int current) override;
  std::optional<SurfaceChoice> ChangeSurfaceDialog(const SurfaceDialogValues& values) override;
  std::optional<ColorSettings> ColorSettingsDialog(const MainColors& colors,
                                                   const SurfaceTypeTable& surfaces) override;
  std::optional<ElementValues> EditElementValues(const std::string& caption,
                                                 const ElementValues& values,
                                                 const SurfaceTypeTable& surfaces,
                                                 char decimalSeparator) override;
  void ShowCollisionScript(const std::string& script, const std::string& collName,
                           const std::filesystem::path& folder) override;
  std::string LocalDateTimeText() override { return dateTime_; }

 private:
  struct QuestionAnswer {
    std::optional<Answer> answer;
    std::string refusedBecause;
  };
  struct InputAnswer {
    std::string text;
    std::string refusedBecause;
    bool taken = false;
  };

  void Show(const std::string& text);

  std::ostream& err_;
  std::string dateTime_;
  std::string prefix_;
  bool silenceMessages_ = false;
  std::vector<std::string> held_;  // with their prefixes
  std::size_t stepStart_ = 0;
  int errors_ = 0;
  int messages_ = 0;

  std::map<std::string, QuestionAnswer> questions_;
  std::optional<std::filesystem::path> openFile_;
  std::map<std::string, std::filesystem::path> saveFiles_;
  std::map<std::string, InputAnswer> inputs_;
  std::optional<std::string> newName_;
  std::optional<int> selection_;
  std::optional<MergeChoice> merge_;
  std::optional<MeshImportValues> meshImport_;
  std::optional<SurfaceChoice> surface_;
  std::optional<std::string> shownScript_;
};

// A name's refusal by the name rules, in words; empty when the name is accepted. Without
// oldName the rule that a new name differs from the old one does not apply.
std::string NameRefusal(const std::string& name, const std::string* oldName);

}  // namespace vantorel::cli
