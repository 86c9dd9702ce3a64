#pragma once

#include <functional>
#include <variant>
#include <vector>

#include "doc/element_lists.h"

namespace vantorel {

// What the view does after the working copy changed.
enum class CameraAfterEdit {
  Keep,   // the view rebuilds and stays where it looks
  Reset,  // the view rebuilds and looks at the new bounding sphere, as after selecting a coll
};

// The notices: what happened to the editor's state, for everything that shows it.

// The open file, its name, whether it is changed, or the debug mode: the caption.
struct FileChanged {
  bool operator==(const FileChanged&) const = default;
};
// The whole coll list: colls added or removed, another file opened.
struct CollListChanged {
  bool operator==(const CollListChanged&) const = default;
};
// One line of the coll list.
struct CollLineChanged {
  int Line = -1;
  bool operator==(const CollLineChanged&) const = default;
};
// The current coll, the coll list's selected line.
struct SelectionChanged {
  bool operator==(const SelectionChanged&) const = default;
};
// The coll being edited: its element lists, the status panels and the view's arrays. Camera says
// whether the view then looks at the new bounding sphere (a coll that could not be read keeps
// the zoom distance).
struct WorkingCopyChanged {
  CameraAfterEdit Camera = CameraAfterEdit::Keep;
  bool operator==(const WorkingCopyChanged&) const = default;
};
// The check marks of one element list.
struct ChecksChanged {
  ListKind Kind = ListKind::Spheres;
  bool operator==(const ChecksChanged&) const = default;
};
// The settings, the colours or the surface types.
struct SettingsChanged {
  bool operator==(const SettingsChanged&) const = default;
};
// The view's switches.
struct ViewChanged {
  bool operator==(const ViewChanged&) const = default;
};

using Notice = std::variant<FileChanged, CollListChanged, CollLineChanged, SelectionChanged,
                            WorkingCopyChanged, ChecksChanged, SettingsChanged, ViewChanged>;
using Notices = std::vector<Notice>;

// Adds notice to a batch, in the order first heard, merged with what the batch says already:
// a notice heard before is not repeated, a camera reset wins over a kept camera, the whole list
// stands for each of its lines and a changed working copy for its check marks.
void MergeNotice(Notices& batch, const Notice& notice);

// Sends the notices to every subscriber, in the order they subscribed, a batch at a time. The
// window and the 3D view subscribe once, at start.
//
// While held (the editor holds them from the start to the end of the outermost command), notices
// are gathered and merged, and go out as one batch on Release, or earlier by Flush, which the
// editor calls before the person is asked or told anything, so that the window shows the state
// as it is behind a question. Notices sent while nothing holds them go out at once, one a batch.
class ChangeNotifier {
 public:
  using Subscriber = std::function<void(const Notices&)>;

  void Subscribe(Subscriber subscriber) { subscribers_.push_back(std::move(subscriber)); }
  void Send(const Notice& notice);
  void Hold() { held_ = true; }
  void Release() {
    held_ = false;
    Flush();
  }
  void Flush();
  // The notices held so far, which are then no longer held.
  Notices TakeHeld() {
    Notices held = std::move(batch_);
    batch_.clear();
    return held;
  }

 private:
  void Deliver(const Notices& batch) const;

  std::vector<Subscriber> subscribers_;
  bool held_ = false;
  Notices batch_;
};

}  // namespace vantorel
