#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/coll_file.h"
#include "core/coll_records.h"
#include "core/coll_surfaces.h"
#include "core/file_io.h"
#include "core/surface_types.h"
#include "doc/change_notifier.h"
#include "doc/editor_ui.h"
#include "doc/element_lists.h"
#include "doc/notice_flushing_ui.h"
#include "doc/recent_files.h"
#include "doc/scene_view.h"
#include "doc/settings.h"
#include "doc/start_up.h"
#include "doc/status_bar.h"
#include "doc/undo_history.h"

namespace vantorel {

// The open file, the coll being edited and the settings: one of each for the whole run. The
// state is read through the accessors below and changed only through the entry points
// (ChangeWorkingCopy, ChangeFile, DropWorkingCopy, ChangeSettings) and the spine (open, select,
// apply, save), which keep the change flags and the element lists in step and tell the window
// and the 3D view through notices (doc/change_notifier.h). What the window shows (caption, coll
// list lines, status panels, element lines) is derived from the state when it is read.
class Editor {
 public:
  Editor(EditorUi& ui, SceneView& view);

  // --- the run ---
  // Reads the settings, clears the flags, reads the command line and opens the file it names.
  void StartUp(const StartContext& context);
  // Writes the settings file, making its folder when missing; the directory of the open file
  // becomes the start directory. A file that cannot be written is reported and the run ends.
  void ShutDown();

  // --- state ---
  const std::filesystem::path& FileName() const { return fileName_; }
  const CollFile& File() const { return file_; }
  const Bytes& FileImage() const { return file_.Image(); }
  const CollDirectoryEntries& CollDirectory() const { return file_.Directory(); }
  int CollCount() const { return static_cast<int>(file_.Count()); }
  std::int32_t CurrentColl() const { return currentColl_; }
  const Coll& WorkingCopy() const { return workingCopy_; }
  bool CollChanged() const { return collChanged_; }
  bool FileChanged() const { return fileChanged_; }
  // False after the open file could not be read: there is then no image that could be saved.
  bool FileRead() const { return fileRead_; }
  // True for a model opened as a collision file: its embedded colls are shown, and every
  // command that would change them, and saving, is refused with the reason.
  bool ReadOnly() const { return readOnly_; }
  bool DebugMode() const { return debugMode_; }
  const vantorel::Settings& Settings() const { return settings_; }
  const SurfaceTypeTable& SurfaceTypes() const { return surfaceTypes_; }
  const ElementLists& Lists() const { return lists_; }
  // The entry of the current coll, when there is one.
  const CollDirectoryEntry* CurrentEntry() const;

  // --- display state, derived ---
  std::string Caption() const;
  std::string FileTitle() const;  // file name without path
  std::string CollLine(int index) const;
  int SelectedCollLine() const { return CollCount() > 0 ? currentColl_ : -1; }
  std::string ElementLineText(ListKind kind, int line) const;
  int ElementCount(ListKind kind) const;
  bool ElementChecked(ListKind kind, int line) const;
  StatusPanels StatusTexts() const;

  // --- values the commands keep for the whole run ---
  std::filesystem::path DialogDirectory;  // initial directory of the file dialogs
  std::filesystem::path ProgramPath;
  std::filesystem::path SettingsPath;
  char DecimalSeparator = '.';
  int LastMaterial = -1;
  // The table LastMaterial indexes: the coll's it was chosen in. A coll of the other table reads
  // it through the mapping between the tables.
  MaterialTable LastMaterialTable = MaterialTable::Classic;
  std::string SearchText;
  int SearchPosition = -1;
  bool RestartRequested = false;
  // The files opened last, for File > Reopen; read at start and written at close.
  RecentFiles Recent;

  ChangeNotifier& Changes() { return changes_; }
  EditorUi& Ui() { return ui_; }
  SceneView& View() { return view_; }
  const SceneView& View() const { return view_; }

  // --- the spine ---
  void OpenFile(bool withDialog);
  void OpenFile(const std::filesystem::path& path);
  // Returns whether the file was written.
  bool SaveFile(bool withDialog);
  void SelectColl(int index);
  void SelectFirstColl();
  void ApplyChanges();
  // Asks the apply and save questions; returns whether the window may close.
  bool QueryClose();
  // File "Save" (default No) and the tool button (default Yes): the overwrite question first.
  void SaveWithOverwriteQuestion(Answer defaultButton);
  void ApplyCommand();
  void RestoreCommand();
  void ClickCollLine(int index);
  // The apply question when CollChanged is set (Yes applies); Yes when it is not asked. An
  // apply that failed turns the answer into Cancel.
  Answer AskApplyChanges();
  void ReselectCurrentLine();
  // Whether colls may be appended: not while the last record is cut short, which the person
  // is told. Every command that appends asks this before anything else.
  bool CanAppendColls();

  // --- the entry points every command changes the document through ---
  // Edits the working copy; edit changes the coll and, in step with it, the check marks and
  // selected lines of the element lists. Sets CollChanged, recomputes the record size, refits
  // the lists and tells the window and the view, which rebuilds with the camera as asked.
  void ChangeWorkingCopy(const std::function<void(Coll&, ElementLists&)>& edit,
                         CameraAfterEdit camera = CameraAfterEdit::Keep);
  // Changes the file: splice changes records through the file object. Sets FileChanged.
  void ChangeFile(const std::function<void(CollFile&)>& splice);
  // Throws the working copy and its edits away, before the caller selects a coll anew.
  void DropWorkingCopy();
  void ChangeSettings(const vantorel::Settings& settings);
  void ChangeSurfaceTypes(const SurfaceTypeTable& table);
  void SetDebugMode(bool on);
  // The one road for the view's switches: change edits a copy of them, which the view takes
  // when it differs; the window hears of it as ViewChanged.
  void ChangeViewOptions(const std::function<void(ViewOptions&)>& change);

  // Check marks and the selected line of the element lists: view state, not document changes.
  void SetChecks(ListKind kind, CheckCommand command);
  void ToggleCheck(ListKind kind, int line);
  void SelectElement(ListKind kind, int line);

  // Runs a command inside one boundary: an exception thrown by it is reported, and the file,
  // the working copy, the flags and the lists are put back as they were before the command.
  // A command that changed the file or the working copy becomes one step of the undo history,
  // named after it, or as step says (a coll selection that threw edits away is "Discard Changes").
  //
  // The notices the command sends are held and merged, and go out as one batch when the
  // outermost command ends, after its undo step is recorded; before the person is asked or told
  // anything, what is held so far goes out first (see NoticeFlushingUi). After a failure what
  // is held is dropped but for the settings and the view's switches, which are not put back,
  // and the batch says that the file, the coll list, the working copy (the camera kept where
  // it was) and the selection changed, so that everything shows the state put back. Outside
  // Run (start-up without a window, tests calling the roads) each notice goes out at once.
  void Run(std::string_view name, const std::function<void()>& command,
           StepName step = StepName::Command);

  // --- the undo history ---
  bool CanUndo() const { return history_.CanUndo(); }
  bool CanRedo() const { return history_.CanRedo(); }
  std::string UndoName() const { return CanUndo() ? history_.NextUndo().Name : std::string(); }
  std::string RedoName() const { return CanRedo() ? history_.NextRedo().Name : std::string(); }
  // Puts back the state before the last step, or after the next one: the file, the working
  // copy, the current coll and the flags. The view keeps its camera unless the coll changes.
  void Undo();
  void Redo();
  const UndoHistory& History() const { return history_; }

 private:
  // The save question when FileChanged is set. Yes saves; a save that did not happen turns the
  // answer into Cancel, so no road goes on to drop the unsaved file.
  Answer AskSaveChanges();
  void Open(const std::filesystem::path* path);
  void ScanFile();
  void FillElementLists();
  // The stored state of a coll, read without a word; empty when it cannot be read.
  Coll ReadStored(int index) const;
  void ApplyUndoLimit();
  void RecordStep(std::string_view name, StepName naming, const Coll& workingCopyBefore,
                  std::int32_t currentBefore, bool collChangedBefore,
                  std::vector<FileSplice> splices);
  // Shows a state the history moved to.
  void ShowHistoryMove(std::int32_t previousColl);

  ChangeNotifier changes_;
  NoticeFlushingUi ui_;
  SceneView& view_;

  std::filesystem::path fileName_;
  // The file as it was read or last saved, so that a save notices changes made elsewhere.
  std::optional<FileStamp> fileStamp_;
  CollFile file_;
  bool fileRead_ = true;
  bool readOnly_ = false;
  std::int32_t currentColl_ = 0;
  Coll workingCopy_;
  bool collChanged_ = false;
  bool fileChanged_ = false;
  bool debugMode_ = false;
  vantorel::Settings settings_;
  SurfaceTypeTable surfaceTypes_;
  ElementLists lists_;
  int runDepth_ = 0;
  UndoHistory history_;
  // The running command is no step of its own: it moved through the history, or opened a file
  // and so started a new history.
  bool noStep_ = false;
};

}  // namespace vantorel
