#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "doc/editor_ui.h"
#include "doc/scene_view.h"

namespace vantorel::testing {

// Answers questions and dialogs from queues and records everything shown, in order, as lines:
//   "ask <caption>|<text>|<default>"  "message <text>"  "error <text>"
//   "open <title>|<filter>|<ext>"  "save <title>|<filter>|<ext>"  "input <caption>|<prompt>|<text>"
//   "rename <caption>|<old name>"  "select <caption>|<prompt>|<kept name>|<lines, comma-joined>"
//   "merge <current>|<lines, comma-joined>"  "surface <label>|<material item>|<parameter item>"
//   "values <caption>"  "script <coll name>|<folder>"  "colors"
// (an item without a selection shows as "-"). The requests themselves are kept as well. An
// unexpected question or dialog (empty queue) fails the running test.
class FakeUi : public EditorUi {
 public:
  std::deque<Answer> answers;
  std::deque<std::optional<std::filesystem::path>> openResults;
  std::deque<std::optional<std::filesystem::path>> saveResults;
  std::deque<std::optional<std::string>> inputResults;
  std::deque<std::optional<Settings>> settingsResults;
  std::vector<Settings> settingsShown;
  std::deque<std::optional<std::string>> newNameResults;
  std::deque<std::optional<std::vector<int>>> selectResults;
  std::vector<SelectCollsRequest> selectRequests;
  std::deque<std::optional<MergeChoice>> mergeResults;
  std::deque<std::optional<MeshImportValues>> meshImportResults;
  std::deque<std::optional<SurfaceChoice>> surfaceResults;
  std::vector<SurfaceDialogValues> surfaceShown;
  // The value dialog's answers, and what it was opened with.
  std::deque<std::optional<ElementValues>> valueResults;
  std::vector<ElementValues> valuesShown;
  std::vector<char> separatorsShown;
  // The script viewer: per showing, where to save the script as shown (the viewer's Save with the
  // text unedited) or nullopt to close it unsaved.
  struct ShownScript {
    std::string Script;  // Windows code page
    std::string CollName;
    std::filesystem::path Folder;
  };
  std::deque<std::optional<std::filesystem::path>> scriptSaves;
  std::vector<ShownScript> scripts;
  std::string dateTime = "08.12.2026 14:30:00";
  std::deque<std::optional<ColorSettings>> colorResults;
  std::vector<ColorSettings> colorsShown;

  std::vector<std::string> log;
  std::vector<Question> questions;
  std::vector<FileDialogRequest> dialogs;
  int keepAliveCalls = 0;
  int closeRequests = 0;
  std::vector<std::string> urls;

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
  std::optional<ElementValues> EditElementValues(const std::string& caption,
                                                 const ElementValues& values,
                                                 const SurfaceTypeTable& surfaces,
                                                 char decimalSeparator) override;
  void ShowCollisionScript(const std::string& script, const std::string& collName,
                           const std::filesystem::path& folder) override;
  std::string LocalDateTimeText() override { return dateTime; }
  std::optional<ColorSettings> ColorSettingsDialog(const MainColors& colors,
                                                   const SurfaceTypeTable& surfaces) override;
  void ShowAbout(const std::string& text) override { log.push_back("about " + text); }
  void CloseMainWindow() override { ++closeRequests; }
  void OpenUrl(const std::string& url) override { urls.push_back(url); }
  void KeepAlive(std::size_t done, std::size_t total) override {
    ++keepAliveCalls;
    lastProgress = {done, total};
  }
  std::pair<std::size_t, std::size_t> lastProgress{};

  // The messages (not questions) shown so far, texts only.
  std::vector<std::string> Messages() const;
  // Drops the record so far.
  void ClearLog();
};

// Records what the commands ask of the view, in order: "options", "reset camera", "hold picture",
// "release picture". The switches are kept in options, where a test may also set them.
class FakeView : public SceneView {
 public:
  ViewOptions options;
  std::vector<std::string> calls;

  ViewOptions Options() const override { return options; }
  void SetOptions(const ViewOptions& value) override {
    calls.push_back("options");
    options = value;
  }
  void ResetCamera() override { calls.push_back("reset camera"); }
  void HoldStartPicture(bool hold) override {
    calls.push_back(hold ? "hold picture" : "release picture");
  }
};

}  // namespace vantorel::testing
