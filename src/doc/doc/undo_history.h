#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/coll_file.h"
#include "doc/coll_delta.h"

namespace vantorel {

// Where the working copy stood on one side of a step. A clean working copy is read again from the
// file; an edited one comes from the step's delta, or, when the step moved to another coll, from
// the copy kept here.
struct WorkingCopySide {
  std::int32_t CurrentColl = 0;
  bool CollChanged = false;
  std::unique_ptr<const Coll> Edited;
};

// How the undo step of a command is named: after the command, or, for a command that can only
// apply the edits or throw them away on the way (a click on a coll, Restore), after which of
// the two it did.
enum class StepName { Command, ApplyOrDiscard };

// One command that changed the document: the splices it made to the file, and how the working
// copy looked before and after it.
struct UndoStep {
  std::string Name;
  std::vector<FileSplice> Splices;
  WorkingCopySide Before;
  WorkingCopySide After;
  // The two working copies are of the same coll and one of them is edited: each follows from
  // the other through Delta (none when the working copy stayed as it was).
  bool SameWorkingCopy = false;
  std::unique_ptr<const CollDelta> Delta;

  bool ChangesFile() const { return !Splices.empty(); }
  std::size_t HeldBytes() const;
};

// The linear history of steps, capped by the memory the steps hold; the oldest go first. It
// knows the point of the last save or open, so that the file counts as changed exactly when
// undo or redo leaves the bytes that are on disk.
class UndoHistory {
 public:
  // 0 turns the history off.
  void SetLimit(std::size_t bytes);
  bool Enabled() const { return limit_ > 0; }
  void Clear();
  // Drops the steps that could be redone, then the oldest steps while over the limit.
  void Record(UndoStep step);

  bool CanUndo() const { return position_ > 0; }
  bool CanRedo() const { return position_ < steps_.size(); }
  const UndoStep& NextUndo() const { return steps_[position_ - 1]; }
  const UndoStep& NextRedo() const { return steps_[position_]; }
  void MovedBack();
  void MovedForward();

  // The file as it is now is the file on disk.
  void MarkSaved() {
    savedAt_ = position_;
    fileStepsFromSave_ = 0;
  }
  // Whether the file differs from the one on disk at the current position.
  bool FileChanged() const;

  std::size_t HeldBytes() const { return held_; }
  std::size_t Count() const { return steps_.size(); }

 private:
  // Crossing a step by undo or redo takes it into the range between the current point and the
  // save point, or out of it.
  void Cross(const UndoStep& step, bool intoRange);

  // A deque: when the history is full, each new step drops the oldest, which must not move the
  // others.
  std::deque<UndoStep> steps_;
  std::size_t position_ = 0;  // steps before it are done
  std::optional<std::size_t> savedAt_ = 0;
  // Steps that change the file between the current point and the save point, so that whether the
  // file differs from the one on disk is known without walking the history.
  std::size_t fileStepsFromSave_ = 0;
  std::size_t limit_ = 0;
  std::size_t held_ = 0;
};

}  // namespace vantorel
