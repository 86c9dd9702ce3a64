#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/command_table.h"
#include "core/coll_codec.h"
#include "doc/editor.h"
#include "tests/support/fake_ui.h"
#include "tests/support/test_files.h"
#include "tools/colgen/coll_builder.h"

namespace vantorel::testing {

// An editor over fakes, with a temporary folder for its files and a record of every notice it
// sent, and of how many batches they came in.
class EditorTest : public ::testing::Test {
 protected:
  EditorTest() : editor(ui, view) {
    editor.Changes().Subscribe([this](const Notices& batch) {
      notices.insert(notices.end(), batch.begin(), batch.end());
      ++batches;
    });
  }

  // Runs a row of the command table as a menu item, a button or a key of the window does.
  void RunRow(std::string_view name) {
    const CommandRow* row = FindCommand(name);
    ASSERT_NE(row, nullptr) << name;
    RunCommand(editor, *row);
  }

  // Writes the colls as name and opens it without a dialog; the record of that is dropped.
  std::string OpenColls(const std::vector<Coll>& colls, const std::string& name = "test.col") {
    const std::string path = dir.Write(name, colgen::EncodeFile(colls));
    OpenPath(path);
    return path;
  }
  void OpenPath(const std::string& path) {
    editor.OpenFile(std::filesystem::path(path));
    Forget();
  }
  // Drops what the fakes recorded so far.
  void Forget() {
    ui.ClearLog();
    view.calls.clear();
    notices.clear();
    batches = 0;
  }
  // Edits the working copy as an editing command would; the record of that is dropped.
  void Edit(const std::function<void(Coll&)>& edit) {
    editor.ChangeWorkingCopy([&](Coll& coll, ElementLists&) { edit(coll); });
    Forget();
  }
  // Marks the working copy as edited, as an editing command would.
  void EditCurrentColl() {
    Edit([](Coll& coll) { coll.Header.BoundingRadius += 1; });
  }
  void ChangeSettings(const std::function<void(Settings&)>& change) {
    Settings settings = editor.Settings();
    change(settings);
    editor.ChangeSettings(settings);
    Forget();
  }
  void ChangeSurfaceType(int material, std::uint32_t color, const std::string& name) {
    SurfaceTypeTable table = editor.SurfaceTypes();
    table.Set(material, color, name);
    editor.ChangeSurfaceTypes(table);
    Forget();
  }
  // The lines of the coll list as the window shows them.
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (int i = 0; i < editor.CollCount(); ++i)
      lines.push_back(editor.CollLine(i));
    return lines;
  }
  // Whether a notice of that kind was sent since the last Forget().
  template <typename Kind>
  bool Notified() const {
    for (const Notice& notice : notices) {
      if (std::holds_alternative<Kind>(notice)) return true;
    }
    return false;
  }
  // How the view was told to rebuild the working copy since the last Forget(): not at all, with
  // its camera kept, or looking at the coll anew (which wins).
  std::optional<CameraAfterEdit> ViewRebuild() const {
    std::optional<CameraAfterEdit> camera;
    for (const Notice& notice : notices) {
      if (const auto* changed = std::get_if<WorkingCopyChanged>(&notice)) {
        if (camera != CameraAfterEdit::Reset) camera = changed->Camera;
      }
    }
    return camera;
  }
  // Rescanning the file image lists exactly the directory the file keeps: every entry has its
  // bytes, in order, with the offsets and sizes they really have.
  void ExpectDirectoryMatchesImage() const {
    CollDirectoryEntries rescanned;
    ScanFile(editor.FileImage(), rescanned);
    const CollDirectoryEntries& kept = editor.CollDirectory();
    ASSERT_EQ(rescanned.size(), kept.size());
    for (std::size_t i = 0; i < kept.size(); ++i) {
      EXPECT_EQ(rescanned[i].Name, kept[i].Name) << "entry " << i;
      EXPECT_EQ(rescanned[i].Offset, kept[i].Offset) << "entry " << i;
      EXPECT_EQ(rescanned[i].Size, kept[i].Size) << "entry " << i;
    }
  }
  static Coll Named(const std::string& name, int spheres = 1) {
    colgen::CollBuilder b(name);
    for (int i = 0; i < spheres; ++i)
      b.Sphere({0, 0, 0}, 1, colgen::MakeSurface(1));
    return b.Build();
  }

  TempDir dir;
  FakeUi ui;
  FakeView view;
  Editor editor;
  Notices notices;
  int batches = 0;
};

}  // namespace vantorel::testing
