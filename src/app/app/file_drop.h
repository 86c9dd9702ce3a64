#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vantorel {

class Editor;

// What was dropped on the window: the local files, and how many other things came along (web
// addresses, text), which cannot be opened.
struct DroppedItems {
  std::vector<std::filesystem::path> Files;
  int Others = 0;
};

// Whether the window should show that a drop is welcome: anything is, so that what cannot be
// opened is refused with a reason rather than silently.
bool AcceptsDrop(const DroppedItems& items);

// A single .col file opens as File > Load opens it, the apply and save questions first;
// anything else is refused with a message that says why.
void OpenDroppedItems(Editor& editor, const DroppedItems& items);

}  // namespace vantorel
