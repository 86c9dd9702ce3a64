#include "doc/editor.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/coll_codec.h"
#include "core/file_io.h"
#include "core/ini_file.h"
#include "core/model/model_collision.h"
#include "core/name_rules.h"
#include "core/program_identity.h"
#include "core/utf8_path.h"
#include "core/windows1252.h"
#include "doc/editor_texts.h"
#include "doc/settings_store.h"
#include "doc/settings_table.h"

namespace vantorel {

namespace {

// Thrown by the entry points while the file is read-only: the command boundary puts back
// whatever the command did before and says why.
class ReadOnlyRefusal : public std::exception {
 public:
  const char* what() const noexcept override { return "the file is read-only"; }
};

std::string DescribeCurrentException() {
  try {
    throw;
  } catch (const std::bad_alloc&) {
    return "not enough memory";
  } catch (const std::exception& failure) {
    return failure.what();
  } catch (...) {
    return "an unknown failure";
  }
}

bool ExistingFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(PathFromUtf8(path), ec);
}

}  // namespace

Editor::Editor(EditorUi& ui, SceneView& view) : ui_(ui, changes_), view_(view) {
  ApplyUndoLimit();
}

void Editor::ApplyUndoLimit() {
  history_.SetLimit(static_cast<std::size_t>(std::max(settings_.UndoMemoryMB, 0)) << 20);
}

// --- the run ---

void Editor::StartUp(const StartContext& context) {
  lists_ = ElementLists{};
  LastMaterial = -1;
  LastMaterialTable = MaterialTable::Classic;
  ProgramPath = context.ProgramPath;
  SettingsPath = context.SettingsPath;

  std::string error;
  const auto ini = IniFile::Load(SettingsPath, &error);
  ReadSettings(ini ? *ini : IniFile(), DirectoryOf(PathToUtf8(ProgramPath)), settings_,
               surfaceTypes_);
  Recent.Read(ini ? *ini : IniFile());
  ApplyUndoLimit();
  // The view's shapes are built with the colours and segment counts just read.
  changes_.Send(SettingsChanged{});
  collChanged_ = false;
  fileChanged_ = false;

  const CommandLine line = ReadCommandLine(
      context.Arguments, context.IsExistingFile ? context.IsExistingFile : ExistingFile);
  SetDebugMode(line.DebugMode);
  if (line.FileName.empty()) {
    DialogDirectory = PathFromUtf8(settings_.FilePath);
    return;
  }
  const std::filesystem::path path = PathFromUtf8(line.FileName);
  DialogDirectory = path.parent_path();
  OpenFile(path);
}

void Editor::ShutDown() {
  settings_.FilePath =
      FilePathAtClose(PathToUtf8(fileName_), DirectoryOf(PathToUtf8(DialogDirectory / "")));
  if (SettingsPath.empty()) return;
  // The user's settings folder may not exist yet; a folder that cannot be made is reported by
  // the save below, with the reason.
  std::error_code ignored;
  std::filesystem::create_directories(SettingsPath.parent_path(), ignored);
  IniFile ini = WriteSettings(settings_, surfaceTypes_);
  Recent.Write(ini);
  if (const auto error = ini.Save(SettingsPath)) {
    ui_.Error(*error);
  }
}

// --- display state ---

const CollDirectoryEntry* Editor::CurrentEntry() const {
  if (currentColl_ < 0 || currentColl_ >= CollCount()) return nullptr;
  return &file_.Entry(static_cast<std::size_t>(currentColl_));
}

std::string Editor::FileTitle() const {
  return PathToUtf8(fileName_.filename());
}

std::string Editor::Caption() const {
  std::string caption = fileName_.empty() ? std::string(kVersionCaption)
                                          : FileTitle() + (readOnly_ ? " (read-only)" : "") +
                                                " - " + std::string(kVersionCaption);
  if (debugMode_) caption += kDebugSuffix;
  return caption;
}

std::string Editor::CollLine(int index) const {
  if (index < 0 || index >= CollCount()) return {};
  // The current coll's line follows the working copy, so an edited name shows at once.
  if (index == currentColl_ && workingCopy_.IsLoaded()) {
    return Windows1252ToUtf8(CollListLine(workingCopy_.Header));
  }
  return Windows1252ToUtf8(CollListLine(file_.Entry(static_cast<std::size_t>(index))));
}

int Editor::ElementCount(ListKind kind) const {
  switch (kind) {
    case ListKind::Spheres:
      return workingCopy_.SphereCount();
    case ListKind::Boxes:
      return workingCopy_.BoxCount();
    case ListKind::Faces:
      break;
  }
  return workingCopy_.FaceCount();
}

std::string Editor::ElementLineText(ListKind kind, int line) const {
  if (line < 0 || line >= ElementCount(kind)) return {};
  return Windows1252ToUtf8(ElementLine(kind, line, workingCopy_, surfaceTypes_));
}

bool Editor::ElementChecked(ListKind kind, int line) const {
  const ElementList& list = lists_.Of(kind);
  return line >= 0 && line < list.Count() && list.checked[static_cast<std::size_t>(line)];
}

StatusPanels Editor::StatusTexts() const {
  if (!workingCopy_.IsLoaded()) return {};
  StatusPanels panels = StatusPanelTexts(workingCopy_, currentColl_, DecimalSeparator);
  panels[1] = Windows1252ToUtf8(panels[1]);
  return panels;
}

// --- the spine ---

void Editor::ReselectCurrentLine() {
  changes_.Send(SelectionChanged{});
}

Answer Editor::AskApplyChanges() {
  if (!collChanged_) return Answer::Yes;
  Answer answer = Answer::Yes;
  if (settings_.askApply) {
    const CollDirectoryEntry* entry = CurrentEntry();
    const std::string name = entry ? entry->Name : HeaderName(workingCopy_.Header);
    answer = ui_.Ask(texts::ApplyQuestion(Windows1252ToUtf8(name)));
  }
  if (answer == Answer::Yes) {
    ApplyChanges();
    if (collChanged_) return Answer::Cancel;  // not applied: going on would drop the edits
  }
  return answer;
}

Answer Editor::AskSaveChanges() {
  if (!fileChanged_) return Answer::Yes;
  const Answer answer = ui_.Ask(texts::SaveQuestion(FileTitle()));
  if (answer == Answer::Yes && !SaveFile(false)) return Answer::Cancel;
  return answer;
}

void Editor::OpenFile(bool withDialog) {
  if (withDialog) {
    Open(nullptr);
  } else if (!fileName_.empty()) {
    const std::filesystem::path path = fileName_;
    Open(&path);
  } else {
    // Nothing to reload; the questions are asked all the same, as for every road that would
    // leave the file.
    if (AskApplyChanges() == Answer::Cancel || AskSaveChanges() == Answer::Cancel) {
      ReselectCurrentLine();
    }
  }
}

void Editor::OpenFile(const std::filesystem::path& path) {
  Open(&path);
}

// Opens path, or the file the open dialog names when path is null.
void Editor::Open(const std::filesystem::path* path) {
  if (AskApplyChanges() == Answer::Cancel || AskSaveChanges() == Answer::Cancel) {
    ReselectCurrentLine();
    return;
  }
  std::filesystem::path chosen;
  if (path) {
    chosen = *path;
  } else {
    FileDialogRequest request{texts::kOpenTitle,
                              texts::kColFilter,
                              texts::kColDefaultExt,
                              DialogDirectory,
                              {},
                              true,
                              false};
    const auto picked = ui_.OpenFileDialog(request);
    if (!picked) return;
    chosen = *picked;
    DialogDirectory = chosen.parent_path();
  }
  fileName_ = chosen;
  // Another file starts another history; the questions above have run.
  history_.Clear();
  noStep_ = true;

  file_.Clear();
  fileRead_ = true;
  readOnly_ = false;
  workingCopy_.Clear();
  currentColl_ = 0;
  lists_.Clear();
  collChanged_ = false;
  fileChanged_ = false;
  changes_.Send(vantorel::FileChanged{});
  changes_.Send(CollListChanged{});
  changes_.Send(WorkingCopyChanged{CameraAfterEdit::Keep});
  ScanFile();
  if (fileRead_) Recent.Add(fileName_);
}

void Editor::ScanFile() {
  Bytes image;
  FileStamp stamp;
  fileStamp_.reset();
  if (const auto error = ReadWholeFile(fileName_, image, &stamp)) {
    fileRead_ = false;
    changes_.Send(WorkingCopyChanged{CameraAfterEdit::Reset});
    ui_.Error(*error);
    return;
  }
  fileStamp_ = stamp;
  if (IsRenderWareModel(image)) {
    Parsed<Bytes> collision = ModelCollisionBytes(image);
    if (!collision.Value) {
      fileRead_ = false;
      changes_.Send(WorkingCopyChanged{CameraAfterEdit::Reset});
      ui_.Error(PathToUtf8(fileName_) + ": " + collision.Error);
      return;
    }
    image = std::move(*collision.Value);
    readOnly_ = true;
    changes_.Send(vantorel::FileChanged{});  // the caption says so
    if (image.empty()) ui_.Message(texts::ModelWithoutCollision(FileTitle()));
  }
  const std::size_t total = image.size();
  ui_.KeepAlive(0, total);
  const ScanEnd end =
      file_.Load(std::move(image), [this, total](std::size_t done) { ui_.KeepAlive(done, total); });
  ui_.KeepAlive(total, total);
  changes_.Send(CollListChanged{});
  if (end != ScanEnd::EndOfData) {
    changes_.Send(WorkingCopyChanged{CameraAfterEdit::Reset});
    if (end == ScanEnd::Damaged) ui_.Message(texts::kReadError);
  }
  SelectFirstColl();
}

bool Editor::SaveFile(bool withDialog) {
  if (fileName_.empty()) return false;
  if (readOnly_) {
    ui_.Message(texts::ModelCollisionReadOnly(FileTitle()));
    return false;
  }
  if (!fileRead_) {
    // The image was never read: writing it would replace the file with nothing.
    ui_.Error(texts::NothingReadToSave(PathToUtf8(fileName_)));
    return false;
  }
  if (AskApplyChanges() == Answer::Cancel) return false;
  if (const auto twins = FindDuplicateNames(file_.Directory())) {
    ui_.Message(texts::DuplicateNamesMessage(Windows1252ToUtf8(file_.Entry(twins->first).Name),
                                             twins->first, twins->second));
    return false;
  }
  std::filesystem::path target = fileName_;
  if (withDialog) {
    FileDialogRequest request{texts::kSaveTitle,
                              texts::kColFilter,
                              texts::kColDefaultExt,
                              DialogDirectory,
                              fileName_,
                              false,
                              true};
    const auto chosen = ui_.SaveFileDialog(request);
    if (!chosen) return false;
    target = *chosen;
  }
  // The new name is taken on only once the file is written, so a failed save leaves the
  // window pointing at the file that still holds the data.
  // A file changed on disk since it was read (by another program, or replaced under its name)
  // is overwritten only when the person says so.
  ReplaceOptions options;
  FileStamp written;
  options.written = &written;
  std::optional<FileStamp> onDisk;
  if (fileStamp_ && SameFile(target, fileName_)) {
    onDisk = CurrentStamp(target);
    if (onDisk && *onDisk != *fileStamp_ &&
        ui_.Ask(texts::ChangedOnDiskQuestion(PathToUtf8(target))) != Answer::Yes) {
      return false;
    }
    if (onDisk) options.unchangedSince = &*onDisk;
  }
  if (const auto error = WriteFileReplacing(target, file_.Image(), options)) {
    ui_.Error(*error);
    return false;
  }
  fileStamp_ = written;
  fileName_ = target;
  fileChanged_ = false;
  history_.MarkSaved();
  changes_.Send(vantorel::FileChanged{});
  return true;
}

void Editor::SelectFirstColl() {
  if (!file_.Empty()) SelectColl(0);
}

void Editor::SelectColl(int index) {
  if (index < 0 || index >= CollCount()) return;
  const Answer answer = AskApplyChanges();
  if (answer == Answer::Cancel) {
    ReselectCurrentLine();
    return;
  }

  const int previous = currentColl_;
  currentColl_ = index;
  collChanged_ = false;
  lists_.Clear();
  // The line of the coll left behind shows its stored name again.
  changes_.Send(CollLineChanged{previous});

  const ReadResult read =
      ReadColl(file_.Image(), file_.Entry(static_cast<std::size_t>(index)), workingCopy_);
  if (read != ReadResult::Ok) {
    changes_.Send(WorkingCopyChanged{CameraAfterEdit::Reset});
    changes_.Send(SelectionChanged{});
    ui_.Message(read == ReadResult::NoCollisionData ? texts::kNoCollisionData : texts::kReadError);
    return;
  }
  FillElementLists();
  const bool unknown = HasUnknownSurface(workingCopy_, surfaceTypes_);
  changes_.Send(CollLineChanged{index});
  changes_.Send(WorkingCopyChanged{CameraAfterEdit::Reset});
  if (unknown && settings_.UnkSurHint) {
    ui_.Message(texts::UnknownSurfaceHint(Windows1252ToUtf8(HeaderName(workingCopy_.Header))));
  }
  ReselectCurrentLine();
}

void Editor::ApplyChanges() {
  // Writing back a coll that failed to read would put a zeroed record into the file, and the
  // next scan would stop there: everything after it would be lost.
  if (!workingCopy_.IsLoaded() || !CurrentEntry()) return;
  // A coll its kind cannot hold is refused before the file is touched, naming the value at fault.
  if (const std::string problem = RecordFitProblem(workingCopy_); !problem.empty()) {
    ui_.Message(problem);
    return;
  }
  WriteResult result = WriteResult::Ok;
  ChangeFile([&](CollFile& file) {
    result = WriteColl(file, static_cast<std::size_t>(currentColl_), workingCopy_);
  });
  if (result != WriteResult::Ok) {
    // The edits are not in the file: keep them marked, so no road drops them unasked.
    ui_.Message(texts::kWriteError);
    return;
  }
  collChanged_ = false;
  changes_.Send(WorkingCopyChanged{CameraAfterEdit::Keep});
}

bool Editor::CanAppendColls() {
  if (!file_.LastRecordCutShort()) return true;
  ui_.Message(texts::CutShortBeforeAppend(Windows1252ToUtf8(file_.Directory().back().Name)));
  return false;
}

bool Editor::QueryClose() {
  if (AskApplyChanges() == Answer::Cancel || AskSaveChanges() == Answer::Cancel) {
    ReselectCurrentLine();
    return false;
  }
  return true;
}

void Editor::SaveWithOverwriteQuestion(Answer defaultButton) {
  if (fileName_.empty()) return;
  if (readOnly_) {
    SaveFile(false);  // which says why it does not save, before any question
    return;
  }
  switch (ui_.Ask(texts::OverwriteQuestion(FileTitle(), defaultButton))) {
    case Answer::Yes:
      SaveFile(false);
      break;
    case Answer::No:
      SaveFile(true);
      break;
    case Answer::Cancel:
      break;
  }
}

void Editor::ApplyCommand() {
  if (!fileName_.empty()) ApplyChanges();
}

void Editor::RestoreCommand() {
  if (!fileName_.empty()) SelectColl(currentColl_);
}

void Editor::ClickCollLine(int index) {
  SelectColl(index);
}

// --- the entry points ---

void Editor::FillElementLists() {
  vantorel::FillElementLists(lists_, workingCopy_);
}

void Editor::ChangeWorkingCopy(const std::function<void(Coll&, ElementLists&)>& edit,
                               CameraAfterEdit camera) {
  if (readOnly_) throw ReadOnlyRefusal();
  edit(workingCopy_, lists_);
  RecalcCollSize(workingCopy_);
  collChanged_ = true;
  FillElementLists();
  changes_.Send(WorkingCopyChanged{camera});
  changes_.Send(CollLineChanged{currentColl_});
}

void Editor::ChangeFile(const std::function<void(CollFile&)>& splice) {
  if (readOnly_) throw ReadOnlyRefusal();
  splice(file_);
  fileChanged_ = true;
  changes_.Send(vantorel::FileChanged{});
  changes_.Send(CollListChanged{});
}

void Editor::DropWorkingCopy() {
  workingCopy_.Clear();
  lists_.Clear();
  collChanged_ = false;
  changes_.Send(WorkingCopyChanged{CameraAfterEdit::Keep});
}

void Editor::ChangeSettings(const vantorel::Settings& settings) {
  settings_ = settings;
  ApplySettingRanges(settings_);
  ApplyUndoLimit();
  changes_.Send(SettingsChanged{});
}

void Editor::ChangeSurfaceTypes(const SurfaceTypeTable& table) {
  surfaceTypes_ = table;
  changes_.Send(SettingsChanged{});
  changes_.Send(WorkingCopyChanged{CameraAfterEdit::Keep});
}

void Editor::SetDebugMode(bool on) {
  debugMode_ = on;
  changes_.Send(vantorel::FileChanged{});
}

void Editor::ChangeViewOptions(const std::function<void(ViewOptions&)>& change) {
  ViewOptions options = view_.Options();
  change(options);
  if (options == view_.Options()) return;
  view_.SetOptions(options);
  changes_.Send(ViewChanged{});
}

void Editor::SetChecks(ListKind kind, CheckCommand command) {
  ApplyCheckCommand(lists_.Of(kind), command);
  changes_.Send(ChecksChanged{kind});
}

void Editor::ToggleCheck(ListKind kind, int line) {
  ElementList& list = lists_.Of(kind);
  if (line < 0 || line >= list.Count()) return;
  list.checked[static_cast<std::size_t>(line)] = !list.checked[static_cast<std::size_t>(line)];
  changes_.Send(ChecksChanged{kind});
}

void Editor::SelectElement(ListKind kind, int line) {
  lists_.Of(kind).selected = line >= 0 && line < ElementCount(kind) ? line : -1;
}

// --- the command boundary ---

void Editor::Run(std::string_view name, const std::function<void()>& command, StepName step) {
  if (runDepth_ > 0) {
    command();
    return;
  }
  // What the command may change, kept so that a failure puts it all back.
  struct Before {
    Coll workingCopy;
    ElementLists lists;
    std::int32_t currentColl;
    bool collChanged, fileChanged;
    std::filesystem::path fileName;
  };
  const Before before{workingCopy_, lists_, currentColl_, collChanged_, fileChanged_, fileName_};
  file_.SetRecording(true);
  noStep_ = false;
  changes_.Hold();
  ++runDepth_;
  try {
    command();
    --runDepth_;
    std::vector<FileSplice> splices = file_.TakeRecorded();
    file_.SetRecording(false);
    if (!noStep_) {
      RecordStep(name, step, before.workingCopy, before.currentColl, before.collChanged,
                 std::move(splices));
    }
    changes_.Release();
  } catch (...) {
    --runDepth_;
    std::vector<FileSplice> splices = file_.TakeRecorded();
    file_.SetRecording(false);
    for (auto splice = splices.rbegin(); splice != splices.rend(); ++splice)
      file_.Revert(*splice);
    workingCopy_ = before.workingCopy;
    lists_ = before.lists;
    currentColl_ = before.currentColl;
    collChanged_ = before.collChanged;
    fileChanged_ = before.fileChanged;
    fileName_ = before.fileName;
    // What was held told of a state that is gone; the settings and the view's switches are
    // not put back, though, so their notices stay.
    for (const Notice& held : changes_.TakeHeld()) {
      if (std::holds_alternative<SettingsChanged>(held) ||
          std::holds_alternative<ViewChanged>(held)) {
        changes_.Send(held);
      }
    }
    for (const Notice& restored :
         {Notice{vantorel::FileChanged{}}, Notice{CollListChanged{}},
          Notice{WorkingCopyChanged{CameraAfterEdit::Keep}}, Notice{SelectionChanged{}}}) {
      changes_.Send(restored);
    }
    changes_.Release();
    try {
      throw;
    } catch (const ReadOnlyRefusal&) {
      ui_.Message(texts::ModelCollisionReadOnly(FileTitle()));
    } catch (...) {
      ui_.Error(texts::CommandFailed(name, DescribeCurrentException()));
    }
  }
}

// --- the undo history ---

Coll Editor::ReadStored(int index) const {
  Coll coll;
  if (index >= 0 && index < CollCount()) {
    ReadColl(file_.Image(), file_.Entry(static_cast<std::size_t>(index)), coll);
  }
  return coll;
}

void Editor::RecordStep(std::string_view name, StepName naming, const Coll& workingCopyBefore,
                        std::int32_t currentBefore, bool collChangedBefore,
                        std::vector<FileSplice> splices) {
  if (!history_.Enabled()) return;
  const bool sameColl = currentBefore == currentColl_;
  CollDelta delta = sameColl ? DiffColls(workingCopyBefore, workingCopy_) : CollDelta{};
  // Moving from one unedited coll to another is no step: both are read from the file again.
  const bool changed = !splices.empty() || collChangedBefore != collChanged_ ||
                       (sameColl ? !delta.Empty() : collChangedBefore || collChanged_);
  if (!changed) return;

  UndoStep step;
  // A command without a name of its own (a click on a coll) can only have applied the edits or
  // thrown them away on the way.
  if (name.empty() || naming == StepName::ApplyOrDiscard) {
    step.Name = splices.empty() ? "Discard Changes" : "Apply Changes";
  } else {
    step.Name = std::string(name);
  }
  step.Splices = std::move(splices);
  step.Splices.shrink_to_fit();
  step.Before.CurrentColl = currentBefore;
  step.Before.CollChanged = collChangedBefore;
  step.After.CurrentColl = currentColl_;
  step.After.CollChanged = collChanged_;
  step.SameWorkingCopy = sameColl && (collChangedBefore || collChanged_);
  if (step.SameWorkingCopy) {
    if (!delta.Empty()) step.Delta = std::make_unique<const CollDelta>(std::move(delta));
  } else {
    // Another coll: a clean working copy is read again from the file, an edited one is kept.
    if (collChangedBefore) step.Before.Edited = std::make_unique<const Coll>(workingCopyBefore);
    if (collChanged_) step.After.Edited = std::make_unique<const Coll>(workingCopy_);
  }
  history_.Record(std::move(step));
}

void Editor::Undo() {
  if (!history_.CanUndo()) return;
  noStep_ = true;
  const UndoStep& step = history_.NextUndo();
  const std::int32_t previous = currentColl_;
  // The working copy as the step left it: a clean one may have been selected again since.
  if (!step.After.CollChanged) {
    workingCopy_ = ReadStored(step.After.CurrentColl);
    if (step.After.CurrentColl != currentColl_) lists_.Clear();
    FillElementLists();
  }
  if (step.Delta) ApplyBackward(*step.Delta, workingCopy_, lists_);
  for (auto splice = step.Splices.rbegin(); splice != step.Splices.rend(); ++splice)
    file_.Revert(*splice);
  if (!step.SameWorkingCopy) {
    workingCopy_ = step.Before.Edited ? *step.Before.Edited : ReadStored(step.Before.CurrentColl);
    lists_.Clear();
  }
  currentColl_ = step.Before.CurrentColl;
  collChanged_ = step.Before.CollChanged;
  history_.MovedBack();
  fileChanged_ = history_.FileChanged();
  ShowHistoryMove(previous);
}

void Editor::Redo() {
  if (!history_.CanRedo()) return;
  noStep_ = true;
  const UndoStep& step = history_.NextRedo();
  const std::int32_t previous = currentColl_;
  if (!step.Before.CollChanged) {
    workingCopy_ = ReadStored(step.Before.CurrentColl);
    if (step.Before.CurrentColl != currentColl_) lists_.Clear();
    FillElementLists();
  }
  if (step.Delta) ApplyForward(*step.Delta, workingCopy_, lists_);
  for (const FileSplice& splice : step.Splices)
    file_.Redo(splice);
  if (!step.SameWorkingCopy) {
    workingCopy_ = step.After.Edited ? *step.After.Edited : ReadStored(step.After.CurrentColl);
    lists_.Clear();
  }
  currentColl_ = step.After.CurrentColl;
  collChanged_ = step.After.CollChanged;
  history_.MovedForward();
  fileChanged_ = history_.FileChanged();
  ShowHistoryMove(previous);
}

void Editor::ShowHistoryMove(std::int32_t previousColl) {
  FillElementLists();
  changes_.Send(vantorel::FileChanged{});
  changes_.Send(CollListChanged{});
  changes_.Send(WorkingCopyChanged{currentColl_ != previousColl ? CameraAfterEdit::Reset
                                                                : CameraAfterEdit::Keep});
  changes_.Send(SelectionChanged{});
}

}  // namespace vantorel
