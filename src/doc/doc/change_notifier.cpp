#include "doc/change_notifier.h"

#include <algorithm>

namespace vantorel {

void MergeNotice(Notices& batch, const Notice& notice) {
  if (std::find(batch.begin(), batch.end(), notice) != batch.end()) return;
  const auto has = [&batch]<typename Kind>(Kind) {
    return std::any_of(batch.begin(), batch.end(),
                       [](const Notice& held) { return std::holds_alternative<Kind>(held); });
  };
  const auto drop = [&batch]<typename Kind>(Kind) {
    std::erase_if(batch, [](const Notice& held) { return std::holds_alternative<Kind>(held); });
  };
  if (std::holds_alternative<CollLineChanged>(notice) && has(CollListChanged{})) return;
  if (std::holds_alternative<ChecksChanged>(notice) && has(WorkingCopyChanged{})) return;
  if (std::holds_alternative<CollListChanged>(notice)) drop(CollLineChanged{});
  if (const auto* changed = std::get_if<WorkingCopyChanged>(&notice)) {
    drop(ChecksChanged{});
    for (Notice& held : batch) {
      if (auto* earlier = std::get_if<WorkingCopyChanged>(&held)) {
        if (changed->Camera == CameraAfterEdit::Reset) earlier->Camera = CameraAfterEdit::Reset;
        return;
      }
    }
  }
  batch.push_back(notice);
}

void ChangeNotifier::Send(const Notice& notice) {
  if (held_) {
    MergeNotice(batch_, notice);
  } else {
    Deliver({notice});
  }
}

void ChangeNotifier::Flush() {
  if (batch_.empty()) return;
  // A subscriber may send again while it hears this batch: that goes into a batch of its own.
  const Notices batch = std::move(batch_);
  batch_.clear();
  Deliver(batch);
}

void ChangeNotifier::Deliver(const Notices& batch) const {
  for (const Subscriber& subscriber : subscribers_)
    subscriber(batch);
}

}  // namespace vantorel
