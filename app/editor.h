#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/editor_ui.h"
#include "app/element_lists.h"
#include "app/scene_view.h"
#include "app/settings.h"
#include "app/status_bar.h"
#include "core/byte_buffer.h"
#include "core/coll_directory.h"
#include "core/coll_records.h"
#include "core/surface_types.h"

namespace vantorel {

// The lines of the coll list and its selected line (-1: none).
struct CollList {
  std::vector<std::string> Lines;
  int Selected = -1;
};

// The open file, the coll being edited and everything the window shows of them. There is one
// editor per window. The spine of the program lives here as members: open, select, apply, save
// and the close questions; the other commands are free functions over the editor.
class Editor {
 public:
  Editor(EditorUi& ui, SceneView& view);

  // --- state ---
  std::string FileName;  // full path; empty when no file is open
  Bytes FileImage;
  CollDirectoryEntries CollDirectory;
  std::int32_t CurrentColl = 0;
  Coll WorkingCopy;
  bool CollChanged = false;
  bool FileChanged = false;
  bool DebugMode = false;
  vantorel::Settings Settings;
  vantorel::SurfaceTypeTable SurfaceTypeTable;
  ElementLists Lists;
  vantorel::CollList CollList;
  vantorel::StatusPanels StatusPanels;
  std::string Caption;
  std::string DialogDirectory;  // initial directory of the file dialogs
  char DecimalSeparator = '.';
  int LastMaterial = -1;

  // --- the spine ---
  void OpenFile(bool withDialog);
  // Returns whether the file was written.
  bool SaveFile(bool withDialog);
  void SelectColl(int index);
  void SelectFirstColl();
  void ApplyChanges();
  // Asks the apply and save questions; returns whether the window may close.
  bool QueryClose();

  // --- menu and list commands over the spine ---
  // File "Save" (default No) and the tool button (default Yes): the overwrite question first.
  void SaveWithOverwriteQuestion(Answer defaultButton);
  void ApplyCommand();
  void RestoreCommand();
  void ClickCollLine(int index);

  void RecalcCollSize();
  void UpdateStatusBar();
  void FillElementLists();
  void SetChecks(ListKind kind, CheckCommand command);
  void ToggleCheck(ListKind kind, int line);

  // Sets the window caption from the file name and debug mode.
  void SetCaption();
  std::string FileTitle() const;  // file name without path
  std::string ElementLineText(ListKind kind, int line) const;
  int CollCount() const { return static_cast<int>(CollDirectory.size()); }

  EditorUi& Ui() { return ui_; }
  SceneView& View() { return view_; }

 private:
  // The apply question when CollChanged is set (Yes applies); Yes when it is not asked. An
  // apply that failed turns the answer into Cancel.
  Answer AskApplyChanges();
  // The save question when FileChanged is set. Yes saves; a save that did not happen turns the
  // answer into Cancel, so no road goes on to drop the unsaved file.
  Answer AskSaveChanges();
  void ReselectCurrentLine();
  void SetCollLine(int index, std::string line);
  void ScanFile();

  EditorUi& ui_;
  SceneView& view_;
};

}  // namespace vantorel
