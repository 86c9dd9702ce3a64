#include "app/editor.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>

#include "app/editor_texts.h"
#include "core/coll_codec.h"
#include "core/file_io.h"
#include "core/name_rules.h"
#include "core/program_identity.h"

namespace vantorel {

namespace {

// Nearest integer with halves going to the even neighbour, kept inside int.
int RoundHalfEven(double value) {
  if (!std::isfinite(value)) return 0;
  const double rounded = std::nearbyint(value);
  constexpr double kMax = std::numeric_limits<int>::max();
  constexpr double kMin = std::numeric_limits<int>::min();
  return static_cast<int>(std::clamp(rounded, kMin, kMax));
}

constexpr int kDefaultZoomDistance = 100;

}  // namespace

Editor::Editor(EditorUi& ui, SceneView& view) : ui_(ui), view_(view) {
  SetCaption();
}

std::string Editor::FileTitle() const {
  return std::filesystem::path(FileName).filename().string();
}

std::string Editor::ElementLineText(ListKind kind, int line) const {
  return ElementLine(kind, line, WorkingCopy, SurfaceTypeTable);
}

void Editor::SetCaption() {
  Caption = FileName.empty() ? std::string(kVersionCaption)
                             : FileTitle() + " - " + std::string(kVersionCaption);
  if (DebugMode) Caption += kDebugSuffix;
  ui_.CaptionChanged();
}

void Editor::ReselectCurrentLine() {
  CollList.Selected = CollList.Lines.empty() ? -1 : CurrentColl;
  ui_.CollSelectionChanged();
}

void Editor::SetCollLine(int index, std::string line) {
  if (index < 0 || index >= static_cast<int>(CollList.Lines.size())) return;
  CollList.Lines[static_cast<std::size_t>(index)] = std::move(line);
  ui_.CollLineChanged(index);
}

Answer Editor::AskApplyChanges() {
  if (!CollChanged) return Answer::Yes;
  Answer answer = Answer::Yes;
  if (Settings.askApply) {
    const std::string name = CurrentColl >= 0 && CurrentColl < CollCount()
                                 ? CollDirectory[static_cast<std::size_t>(CurrentColl)].Name
                                 : HeaderName(WorkingCopy.Header);
    answer = ui_.Ask(texts::ApplyQuestion(name));
  }
  if (answer == Answer::Yes) {
    ApplyChanges();
    if (CollChanged) return Answer::Cancel;  // not applied: going on would drop the edits
  }
  return answer;
}

Answer Editor::AskSaveChanges() {
  if (!FileChanged) return Answer::Yes;
  const Answer answer = ui_.Ask(texts::SaveQuestion(FileTitle()));
  if (answer == Answer::Yes && !SaveFile(false)) return Answer::Cancel;
  return answer;
}

void Editor::OpenFile(bool withDialog) {
  if (AskApplyChanges() == Answer::Cancel || AskSaveChanges() == Answer::Cancel) {
    ReselectCurrentLine();
    return;
  }
  if (withDialog) {
    FileDialogRequest request{texts::kOpenTitle,
                              texts::kColFilter,
                              texts::kColDefaultExt,
                              DialogDirectory,
                              "",
                              true,
                              false};
    const auto chosen = ui_.OpenFileDialog(request);
    if (!chosen) return;
    FileName = *chosen;
    DialogDirectory = std::filesystem::path(FileName).parent_path().string();
  } else if (FileName.empty()) {
    return;
  }
  SetCaption();

  CollDirectory.clear();
  WorkingCopy.Clear();
  CurrentColl = 0;
  Lists.Clear();
  CollList = {};
  StatusPanels = {};
  CollChanged = false;
  FileChanged = false;
  ui_.CollListReset();
  ui_.ElementListsChanged();
  ui_.StatusChanged();
  ScanFile();
}

void Editor::ScanFile() {
  FileImage = Bytes();
  if (const auto error = ReadWholeFile(FileName, FileImage)) {
    ui_.Error(*error);
    return;
  }
  const std::size_t total = FileImage.size();
  ui_.KeepAlive(0, total);
  const ScanEnd end = vantorel::ScanFile(
      FileImage, CollDirectory, [this, total](std::size_t done) { ui_.KeepAlive(done, total); });
  ui_.KeepAlive(total, total);
  if (end != ScanEnd::EndOfData) {
    WorkingCopy.Header = CollHeader{};
    view_.RebuildScene();
    if (end == ScanEnd::Damaged) ui_.Message(texts::kReadError);
  }
  CollList.Lines.reserve(CollDirectory.size());
  for (const CollDirectoryEntry& entry : CollDirectory)
    CollList.Lines.push_back(CollListLine(entry));
  ui_.CollListReset();
  SelectFirstColl();
}

bool Editor::SaveFile(bool withDialog) {
  if (FileName.empty()) return false;
  if (AskApplyChanges() == Answer::Cancel) return false;
  if (const auto twins = FindDuplicateNames(CollDirectory)) {
    ui_.Message(texts::DuplicateNamesMessage(CollDirectory[twins->first].Name, twins->first,
                                             twins->second));
    return false;
  }
  std::string target = FileName;
  if (withDialog) {
    FileDialogRequest request{texts::kSaveTitle,
                              texts::kColFilter,
                              texts::kColDefaultExt,
                              DialogDirectory,
                              FileName,
                              false,
                              true};
    const auto chosen = ui_.SaveFileDialog(request);
    if (!chosen) return false;
    target = *chosen;
  }
  // The new name is taken on only once the file is written, so a failed save leaves the
  // window pointing at the file that still holds the data.
  if (const auto error = WriteFileReplacing(target, FileImage)) {
    ui_.Error(*error);
    return false;
  }
  FileName = target;
  SetCaption();
  FileChanged = false;
  return true;
}

void Editor::SelectFirstColl() {
  if (!CollDirectory.empty()) SelectColl(0);
}

void Editor::SelectColl(int index) {
  if (index < 0 || index >= CollCount()) return;
  const Answer answer = AskApplyChanges();
  if (answer == Answer::Cancel) {
    ReselectCurrentLine();
    return;
  }
  if (answer == Answer::No && CurrentColl < CollCount()) {
    SetCollLine(CurrentColl, CollListLine(CollDirectory[static_cast<std::size_t>(CurrentColl)]));
  }

  view_.ClearGeometryPresent();
  CurrentColl = index;
  CollChanged = false;

  Lists.Clear();
  ui_.ElementListsChanged();
  CollDirectoryEntry& entry = CollDirectory[static_cast<std::size_t>(index)];
  const ReadResult read = ReadColl(FileImage, entry, WorkingCopy);
  if (read != ReadResult::Ok) {
    view_.RebuildScene();
    ui_.Message(read == ReadResult::NoCollisionData ? texts::kNoCollisionData : texts::kReadError);
    return;
  }
  SetCollLine(index, CollListLine(entry));

  UpdateStatusBar();
  FillElementLists();
  const bool unknown = HasUnknownSurface(WorkingCopy, SurfaceTypeTable);
  view_.SetZoomDistance(view_.AutomaticZoom()
                            ? RoundHalfEven(WorkingCopy.Header.BoundingRadius * 2.0)
                            : kDefaultZoomDistance);
  view_.RebuildScene();
  if (unknown && Settings.UnkSurHint) {
    ui_.Message(texts::UnknownSurfaceHint(HeaderName(WorkingCopy.Header)));
  }
  ReselectCurrentLine();
}

void Editor::ApplyChanges() {
  // Writing back a coll that failed to read would put a zeroed record into the file, and the
  // next scan would stop there: everything after it would be lost.
  if (!WorkingCopy.IsLoaded() || CurrentColl < 0 || CurrentColl >= CollCount()) return;
  if (!WriteColl(FileImage, CollDirectory, static_cast<std::size_t>(CurrentColl), WorkingCopy)) {
    // The edits are not in the file: keep them marked, so no road drops them unasked.
    ui_.Message(texts::kWriteError);
    return;
  }
  UpdateStatusBar();
  FileChanged = true;
  CollChanged = false;
  SetCollLine(CurrentColl, CollListLine(CollDirectory[static_cast<std::size_t>(CurrentColl)]));
}

bool Editor::QueryClose() {
  if (AskApplyChanges() == Answer::Cancel || AskSaveChanges() == Answer::Cancel) {
    ReselectCurrentLine();
    return false;
  }
  return true;
}

void Editor::SaveWithOverwriteQuestion(Answer defaultButton) {
  if (FileName.empty()) return;
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
  if (!FileName.empty()) ApplyChanges();
}

void Editor::RestoreCommand() {
  if (!FileName.empty()) SelectColl(CurrentColl);
}

void Editor::ClickCollLine(int index) {
  CollList.Selected = index;
  SelectColl(index);
}

void Editor::RecalcCollSize() {
  vantorel::RecalcCollSize(WorkingCopy);
  UpdateStatusBar();
}

void Editor::UpdateStatusBar() {
  StatusPanels = StatusPanelTexts(WorkingCopy, CurrentColl, DecimalSeparator);
  ui_.StatusChanged();
  SetCollLine(CurrentColl, CollListLine(WorkingCopy.Header));
}

void Editor::FillElementLists() {
  vantorel::FillElementLists(Lists, WorkingCopy);
  ui_.ElementListsChanged();
}

void Editor::SetChecks(ListKind kind, CheckCommand command) {
  ApplyCheckCommand(Lists.Of(kind), command);
  ui_.ChecksChanged();
  if (kind == ListKind::Faces) view_.RebuildSelection();
}

void Editor::ToggleCheck(ListKind kind, int line) {
  ElementList& list = Lists.Of(kind);
  if (line < 0 || line >= list.Count()) return;
  list.checked[static_cast<std::size_t>(line)] = !list.checked[static_cast<std::size_t>(line)];
  ui_.ChecksChanged();
  if (kind == ListKind::Faces) view_.RebuildSelection();
}

}  // namespace vantorel
