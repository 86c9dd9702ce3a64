#include "doc/notice_flushing_ui.h"

namespace vantorel {

Answer NoticeFlushingUi::Ask(const Question& question) {
  changes_.Flush();
  return ui_.Ask(question);
}

void NoticeFlushingUi::Message(const std::string& text) {
  changes_.Flush();
  ui_.Message(text);
}

void NoticeFlushingUi::Error(const std::string& text) {
  changes_.Flush();
  ui_.Error(text);
}

std::optional<std::filesystem::path> NoticeFlushingUi::OpenFileDialog(
    const FileDialogRequest& request) {
  changes_.Flush();
  return ui_.OpenFileDialog(request);
}

std::optional<std::filesystem::path> NoticeFlushingUi::SaveFileDialog(
    const FileDialogRequest& request) {
  changes_.Flush();
  return ui_.SaveFileDialog(request);
}

std::optional<std::string> NoticeFlushingUi::InputBox(const std::string& caption,
                                                      const std::string& prompt,
                                                      const std::string& text) {
  changes_.Flush();
  return ui_.InputBox(caption, prompt, text);
}

std::optional<Settings> NoticeFlushingUi::MainSettingsDialog(
    const Settings& current, const std::filesystem::path& settingsFile) {
  changes_.Flush();
  return ui_.MainSettingsDialog(current, settingsFile);
}

std::optional<std::string> NoticeFlushingUi::AskNewName(const std::string& caption,
                                                        const std::string& oldName) {
  changes_.Flush();
  return ui_.AskNewName(caption, oldName);
}

std::optional<std::vector<int>> NoticeFlushingUi::SelectColls(const SelectCollsRequest& request) {
  changes_.Flush();
  return ui_.SelectColls(request);
}

std::optional<MergeChoice> NoticeFlushingUi::ChooseMerge(const std::vector<std::string>& lines,
                                                         int current) {
  changes_.Flush();
  return ui_.ChooseMerge(lines, current);
}

std::optional<MeshImportValues> NoticeFlushingUi::AskMeshImport(const MeshImportRequest& request) {
  changes_.Flush();
  return ui_.AskMeshImport(request);
}

std::optional<SurfaceChoice> NoticeFlushingUi::ChangeSurfaceDialog(
    const SurfaceDialogValues& values) {
  changes_.Flush();
  return ui_.ChangeSurfaceDialog(values);
}

std::optional<ElementValues> NoticeFlushingUi::EditElementValues(const std::string& caption,
                                                                 const ElementValues& values,
                                                                 const SurfaceTypeTable& surfaces,
                                                                 char decimalSeparator) {
  changes_.Flush();
  return ui_.EditElementValues(caption, values, surfaces, decimalSeparator);
}

void NoticeFlushingUi::ShowCollisionScript(const std::string& script, const std::string& collName,
                                           const std::filesystem::path& folder) {
  changes_.Flush();
  ui_.ShowCollisionScript(script, collName, folder);
}

std::optional<ColorSettings> NoticeFlushingUi::ColorSettingsDialog(
    const MainColors& colors, const SurfaceTypeTable& surfaces) {
  changes_.Flush();
  return ui_.ColorSettingsDialog(colors, surfaces);
}

void NoticeFlushingUi::ShowAbout(const std::string& text) {
  changes_.Flush();
  ui_.ShowAbout(text);
}

void NoticeFlushingUi::CloseMainWindow() {
  changes_.Flush();
  ui_.CloseMainWindow();
}

void NoticeFlushingUi::OpenUrl(const std::string& url) {
  changes_.Flush();
  ui_.OpenUrl(url);
}

void NoticeFlushingUi::KeepAlive(std::size_t done, std::size_t total) {
  changes_.Flush();
  ui_.KeepAlive(done, total);
}

}  // namespace vantorel
