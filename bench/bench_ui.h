#pragma once

#include <string>

#include "doc/editor_ui.h"

namespace vantorel::bench {

// Answers every question with Yes and every name dialog with one name; other dialogs are
// cancelled. Messages are counted, so a benchmark can tell when a command refused to run.
class BenchUi : public EditorUi {
 public:
  std::string newName = "bench_copy";
  int messages = 0;
  std::string lastMessage;

  Answer Ask(const Question&) override { return Answer::Yes; }
  void Message(const std::string& text) override;
  void Error(const std::string& text) override { Message(text); }
  std::optional<std::filesystem::path> OpenFileDialog(const FileDialogRequest&) override {
    return std::nullopt;
  }
  std::optional<std::filesystem::path> SaveFileDialog(const FileDialogRequest&) override {
    return std::nullopt;
  }
  std::optional<std::string> InputBox(const std::string&, const std::string&,
                                      const std::string&) override {
    return std::nullopt;
  }
  std::optional<Settings> MainSettingsDialog(const Settings&,
                                             const std::filesystem::path&) override {
    return std::nullopt;
  }
  std::optional<std::string> AskNewName(const std::string&, const std::string&) override {
    return newName;
  }
  std::optional<std::vector<int>> SelectColls(const SelectCollsRequest&) override {
    return std::nullopt;
  }
  std::optional<MergeChoice> ChooseMerge(const std::vector<std::string>&, int) override {
    return std::nullopt;
  }
  std::optional<MeshImportValues> AskMeshImport(const MeshImportRequest&) override {
    return std::nullopt;
  }
  std::optional<SurfaceChoice> ChangeSurfaceDialog(const SurfaceDialogValues&) override {
    return std::nullopt;
  }
  std::optional<ElementValues> EditElementValues(const std::string&, const ElementValues&,
                                                 const SurfaceTypeTable&, char) override {
    return std::nullopt;
  }
  void ShowCollisionScript(const std::string&, const std::string&,
                           const std::filesystem::path&) override {}
  std::string LocalDateTimeText() override { return {}; }
  std::optional<ColorSettings> ColorSettingsDialog(const MainColors&,
                                                   const SurfaceTypeTable&) override {
    return std::nullopt;
  }
};

}  // namespace vantorel::bench
