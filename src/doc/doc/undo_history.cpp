#include "doc/undo_history.h"

#include <utility>

namespace vantorel {

namespace {

std::size_t CollBytes(const Coll& coll) {
  return sizeof(Coll) + coll.Spheres.capacity() * sizeof(CollSphere) +
         coll.Boxes.capacity() * sizeof(CollBox) + coll.Vertices.capacity() * sizeof(CollVertex) +
         coll.Faces.capacity() * sizeof(CollFace) +
         coll.FaceGroups.capacity() * sizeof(CollFaceGroup) +
         coll.ShadowVertices.capacity() * sizeof(CollVertex) +
         coll.ShadowFaces.capacity() * sizeof(CollFace);
}

}  // namespace

std::size_t UndoStep::HeldBytes() const {
  std::size_t bytes = sizeof(UndoStep) + Name.capacity();
  for (const FileSplice& splice : Splices)
    bytes += splice.HeldBytes();
  for (const WorkingCopySide* side : {&Before, &After}) {
    if (side->Edited) bytes += CollBytes(*side->Edited);
  }
  if (Delta) bytes += Delta->HeldBytes();
  bytes += Splices.capacity() * sizeof(FileSplice);
  return bytes;
}

void UndoHistory::SetLimit(std::size_t bytes) {
  limit_ = bytes;
  if (limit_ == 0) Clear();
}

void UndoHistory::Clear() {
  steps_.clear();
  position_ = 0;
  savedAt_ = 0;
  fileStepsFromSave_ = 0;
  held_ = 0;
}

void UndoHistory::Record(UndoStep step) {
  if (!Enabled()) return;
  // A new step ends the branch that could have been redone.
  while (steps_.size() > position_) {
    held_ -= steps_.back().HeldBytes();
    steps_.pop_back();
  }
  if (savedAt_ && *savedAt_ > position_) savedAt_.reset();
  held_ += step.HeldBytes();
  if (step.ChangesFile()) ++fileStepsFromSave_;  // the save point lies at or before this step
  steps_.push_back(std::move(step));
  ++position_;

  std::size_t dropped = 0;
  while (held_ > limit_ && dropped < steps_.size()) {
    held_ -= steps_[dropped].HeldBytes();
    ++dropped;
  }
  if (dropped > 0) {
    steps_.erase(steps_.begin(), steps_.begin() + static_cast<std::ptrdiff_t>(dropped));
    position_ -= dropped;
    if (savedAt_ && *savedAt_ < dropped) {
      savedAt_.reset();
    } else if (savedAt_) {
      *savedAt_ -= dropped;
    }
  }
}

void UndoHistory::Cross(const UndoStep& step, bool intoRange) {
  // Without a save point the file differs from the one on disk whatever happens.
  if (!savedAt_ || !step.ChangesFile()) return;
  if (intoRange) {
    ++fileStepsFromSave_;
  } else {
    --fileStepsFromSave_;
  }
}

void UndoHistory::MovedBack() {
  --position_;
  // Stepping back over a step after the save point brings the file nearer to it.
  Cross(steps_[position_], savedAt_ && position_ < *savedAt_);
}

void UndoHistory::MovedForward() {
  Cross(steps_[position_], savedAt_ && position_ >= *savedAt_);
  ++position_;
}

bool UndoHistory::FileChanged() const {
  return !savedAt_ || fileStepsFromSave_ > 0;
}

}  // namespace vantorel
