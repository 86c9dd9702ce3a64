#pragma once

#include <functional>
#include <vector>

namespace vantorel {

// What changed in the editor's state, for everything that shows it.
enum class Change {
  File,         // the open file, its name, or whether it is changed: the caption
  CollList,     // the whole coll list (colls added, removed, a file opened)
  CollLine,     // one line of the coll list; Index is the line
  Selection,    // the current coll, the coll list's selected line
  WorkingCopy,  // the coll being edited: element lists, status panels, the view
  Checks,       // check marks of an element list; Index is the ListKind
  Settings,     // settings, colours or surface types
  View,         // the view's switches
};

struct ChangeNotice {
  Change What;
  int Index = -1;

  bool operator==(const ChangeNotice&) const = default;
};

// Sends each change to every subscriber, in the order they subscribed. The window, its lists,
// the status bar and the 3D view subscribe once, at start.
class ChangeNotifier {
 public:
  using Subscriber = std::function<void(const ChangeNotice&)>;

  void Subscribe(Subscriber subscriber) { subscribers_.push_back(std::move(subscriber)); }
  void Send(Change what, int index = -1) const {
    const ChangeNotice notice{what, index};
    for (const Subscriber& subscriber : subscribers_)
      subscriber(notice);
  }

 private:
  std::vector<Subscriber> subscribers_;
};

}  // namespace vantorel
