#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

#include "doc/editor_ui.h"

class QWidget;
class QProgressBar;

namespace vantorel {

// The editor's port implemented with Qt message boxes and dialogs.
class QtEditorUi : public EditorUi {
 public:
  explicit QtEditorUi(QWidget* owner);

  void SetProgressBar(QProgressBar* bar);

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
  std::optional<MergeChoice> ChooseMerge(const std::vector<std::string>& lines,
                                         int current) override;
  std::optional<MeshImportValues> AskMeshImport(const MeshImportRequest& request) override;
  std::optional<SurfaceChoice> ChangeSurfaceDialog(const SurfaceDialogValues& values) override;
  std::optional<ElementValues> EditElementValues(const std::string& caption,
                                                 const ElementValues& values,
                                                 const SurfaceTypeTable& surfaces,
                                                 char decimalSeparator) override;
  void ShowCollisionScript(const std::string& script, const std::string& collName,
                           const std::filesystem::path& folder) override;
  std::string LocalDateTimeText() override;
  std::optional<ColorSettings> ColorSettingsDialog(const MainColors& colors,
                                                   const SurfaceTypeTable& surfaces) override;
  void ShowAbout(const std::string& text) override;
  void CloseMainWindow() override;
  void OpenUrl(const std::string& url) override;
  void KeepAlive(std::size_t done, std::size_t total) override;

 private:
  QWidget* owner_;
  QPointer<QProgressBar> progress_;
  QElapsedTimer workTimer_;
  QElapsedTimer lastPump_;
  bool working_ = false;
};

}  // namespace vantorel
