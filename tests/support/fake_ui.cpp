#include "tests/support/fake_ui.h"

#include <gtest/gtest.h>

#include "core/utf8_path.h"
#include "edit/script_file.h"

namespace vantorel::testing {

namespace {

const char* AnswerName(Answer answer) {
  switch (answer) {
    case Answer::Yes:
      return "Yes";
    case Answer::No:
      return "No";
    case Answer::Cancel:
      break;
  }
  return "Cancel";
}

template <class T>
T TakeFront(std::deque<T>& queue, const std::string& what, T fallback) {
  if (queue.empty()) {
    ADD_FAILURE() << "unexpected " << what;
    return fallback;
  }
  T value = std::move(queue.front());
  queue.pop_front();
  return value;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string joined;
  for (const std::string& line : lines)
    joined += (joined.empty() ? "" : ",") + line;
  return joined;
}

std::string Item(const std::optional<int>& item) {
  return item ? std::to_string(*item) : "-";
}

}  // namespace

Answer FakeUi::Ask(const Question& question) {
  questions.push_back(question);
  log.push_back("ask " + question.Caption + "|" + question.Text + "|" +
                AnswerName(question.Default));
  return TakeFront(answers, "question: " + question.Text, Answer::Cancel);
}

void FakeUi::Message(const std::string& text) {
  log.push_back("message " + text);
}

void FakeUi::Error(const std::string& text) {
  log.push_back("error " + text);
}

std::optional<std::filesystem::path> FakeUi::OpenFileDialog(const FileDialogRequest& request) {
  dialogs.push_back(request);
  log.push_back("open " + request.Title + "|" + request.Filter + "|" + request.DefaultExt);
  return TakeFront(openResults, "open dialog", std::optional<std::filesystem::path>());
}

std::optional<std::filesystem::path> FakeUi::SaveFileDialog(const FileDialogRequest& request) {
  dialogs.push_back(request);
  log.push_back("save " + request.Title + "|" + request.Filter + "|" + request.DefaultExt);
  return TakeFront(saveResults, "save dialog", std::optional<std::filesystem::path>());
}

std::optional<std::string> FakeUi::InputBox(const std::string& caption, const std::string& prompt,
                                            const std::string& text) {
  log.push_back("input " + caption + "|" + prompt + "|" + text);
  return TakeFront(inputResults, "input box", std::optional<std::string>());
}

std::optional<Settings> FakeUi::MainSettingsDialog(const Settings& current,
                                                   const std::filesystem::path&) {
  settingsShown.push_back(current);
  log.push_back("settings dialog");
  return TakeFront(settingsResults, "settings dialog", std::optional<Settings>());
}

std::optional<std::string> FakeUi::AskNewName(const std::string& caption,
                                              const std::string& oldName) {
  log.push_back("rename " + caption + "|" + oldName);
  return TakeFront(newNameResults, "rename dialog", std::optional<std::string>());
}

std::optional<std::vector<int>> FakeUi::SelectColls(const SelectCollsRequest& request) {
  selectRequests.push_back(request);
  log.push_back("select " + request.Caption + "|" + request.Prompt + "|" + request.KeptName + "|" +
                Joined(request.Lines));
  return TakeFront(selectResults, "selection dialog", std::optional<std::vector<int>>());
}

std::optional<MeshImportValues> FakeUi::AskMeshImport(const MeshImportRequest& request) {
  log.push_back("mesh import " + std::to_string(request.Current) + "|" + Joined(request.Lines));
  return TakeFront(meshImportResults, "mesh import dialog", std::optional<MeshImportValues>());
}

std::optional<MergeChoice> FakeUi::ChooseMerge(const std::vector<std::string>& lines, int current) {
  log.push_back("merge " + std::to_string(current) + "|" + Joined(lines));
  return TakeFront(mergeResults, "merge dialog", std::optional<MergeChoice>());
}

std::optional<SurfaceChoice> FakeUi::ChangeSurfaceDialog(const SurfaceDialogValues& values) {
  surfaceShown.push_back(values);
  log.push_back("surface " + values.Label + "|" + Item(values.MaterialItem) + "|" +
                Item(values.ParameterItem));
  return TakeFront(surfaceResults, "surface dialog", std::optional<SurfaceChoice>());
}

std::optional<ElementValues> FakeUi::EditElementValues(const std::string& caption,
                                                       const ElementValues& values,
                                                       const SurfaceTypeTable& /*surfaces*/,
                                                       char decimalSeparator) {
  valuesShown.push_back(values);
  separatorsShown.push_back(decimalSeparator);
  log.push_back("values " + caption);
  return TakeFront(valueResults, "value dialog: " + caption, std::optional<ElementValues>());
}

void FakeUi::ShowCollisionScript(const std::string& script, const std::string& collName,
                                 const std::filesystem::path& folder) {
  scripts.push_back({script, collName, folder});
  log.push_back("script " + collName + "|" + PathToUtf8(folder));
  const auto saveTo =
      TakeFront(scriptSaves, "script viewer: " + collName, std::optional<std::filesystem::path>());
  if (!saveTo) return;
  if (const auto error = WriteScriptFile(*saveTo, script)) Error(*error);
}

std::optional<ColorSettings> FakeUi::ColorSettingsDialog(const MainColors& colors,
                                                         const SurfaceTypeTable& surfaces) {
  colorsShown.push_back({colors, surfaces});
  log.push_back("colors");
  return TakeFront(colorResults, "colour settings dialog", std::optional<ColorSettings>());
}

std::vector<std::string> FakeUi::Messages() const {
  std::vector<std::string> texts;
  for (const std::string& line : log) {
    if (line.rfind("message ", 0) == 0) texts.push_back(line.substr(8));
  }
  return texts;
}

void FakeUi::ClearLog() {
  log.clear();
  questions.clear();
  dialogs.clear();
  selectRequests.clear();
  surfaceShown.clear();
  colorsShown.clear();
}

}  // namespace vantorel::testing
