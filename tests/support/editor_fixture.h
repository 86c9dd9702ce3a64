#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/editor.h"
#include "tests/support/fake_ui.h"
#include "tests/support/test_files.h"
#include "tools/colgen/coll_builder.h"

namespace vantorel::testing {

// An editor over fakes, with a temporary folder for its files.
class EditorTest : public ::testing::Test {
 protected:
  EditorTest() : editor(ui, view) {}

  // Writes the colls as name and opens it without a dialog; the record of that is dropped.
  std::string OpenColls(const std::vector<Coll>& colls, const std::string& name = "test.col") {
    const std::string path = dir.Write(name, colgen::EncodeFile(colls));
    OpenPath(path);
    return path;
  }
  void OpenPath(const std::string& path) {
    editor.FileName = path;
    editor.OpenFile(false);
    ui.ClearLog();
    view.calls.clear();
  }
  // Marks the working copy as edited, as an editing command would.
  void EditCurrentColl() {
    editor.WorkingCopy.Header.BoundingRadius += 1;
    editor.CollChanged = true;
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
};

}  // namespace vantorel::testing
