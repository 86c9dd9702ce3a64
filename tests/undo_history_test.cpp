#include "doc/undo_history.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <vector>

namespace vantorel {
namespace {

UndoStep Step(bool changesFile) {
  UndoStep step;
  step.Name = "step";
  if (changesFile) step.Splices.push_back(FileSplice{0, {1, 2}, {3}, 0, {}, {}});
  return step;
}

// The history's answer to "does the file differ from the one on disk" against a plain model of
// the steps that walks the range between the current point and the save point each time, over
// random runs of steps, undos, redos and saves in a history small enough to drop old steps.
TEST(UndoHistory, FileChangedFollowsTheSavePointThroughUndoRedoAndDroppedSteps) {
  const std::size_t stepBytes = std::max(Step(true).HeldBytes(), Step(false).HeldBytes());
  std::mt19937 random(7);
  for (int run = 0; run < 20; ++run) {
    UndoHistory history;
    history.SetLimit(stepBytes * 12);
    std::vector<bool> changesFile;  // the model's steps
    std::size_t position = 0;
    std::optional<std::size_t> savedAt = 0;
    for (int action = 0; action < 400; ++action) {
      switch (random() % 5) {
        case 0:
        case 1: {
          const bool file = random() % 3 != 0;
          changesFile.resize(position);
          if (savedAt && *savedAt > position) savedAt.reset();
          changesFile.push_back(file);
          ++position;
          history.Record(Step(file));
          const std::size_t dropped = changesFile.size() - history.Count();
          changesFile.erase(changesFile.begin(),
                            changesFile.begin() + static_cast<std::ptrdiff_t>(dropped));
          position -= dropped;
          if (savedAt && *savedAt < dropped) {
            savedAt.reset();
          } else if (savedAt) {
            *savedAt -= dropped;
          }
          break;
        }
        case 2:
          if (!history.CanUndo()) break;
          history.MovedBack();
          --position;
          break;
        case 3:
          if (!history.CanRedo()) break;
          history.MovedForward();
          ++position;
          break;
        case 4:
          history.MarkSaved();
          savedAt = position;
          break;
      }
      bool expected = !savedAt.has_value();
      if (savedAt) {
        for (std::size_t i = std::min(position, *savedAt); i < std::max(position, *savedAt); ++i)
          expected = expected || changesFile[i];
      }
      ASSERT_EQ(history.FileChanged(), expected) << "run " << run << ", action " << action;
      ASSERT_EQ(history.CanUndo(), position > 0);
      ASSERT_EQ(history.CanRedo(), position < changesFile.size());
    }
  }
}

}  // namespace
}  // namespace vantorel
