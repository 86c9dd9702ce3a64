#include "app/file_drop.h"

#include "core/utf8_path.h"
#include "doc/editor.h"

namespace vantorel {

namespace {

bool HasColExtension(const std::filesystem::path& path) {
  std::string extension = PathToUtf8(path.extension());
  for (char& c : extension) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return extension == ".col";
}

}  // namespace

bool AcceptsDrop(const DroppedItems& items) {
  return !items.Files.empty() || items.Others > 0;
}

void OpenDroppedItems(Editor& editor, const DroppedItems& items) {
  if (!AcceptsDrop(items)) return;
  if (items.Files.size() + static_cast<std::size_t>(items.Others) > 1) {
    editor.Ui().Message("Drop one collision file (.col) at a time.");
    return;
  }
  if (items.Files.empty()) {
    editor.Ui().Message("Only collision files (.col) on this computer can be dropped here.");
    return;
  }
  const std::filesystem::path& path = items.Files.front();
  if (!HasColExtension(path)) {
    std::string text(1, '"');
    text += PathToUtf8(path.filename());
    text += "\" is not a collision file (.col); only .col files can be dropped here.";
    editor.Ui().Message(text);
    return;
  }
  editor.Run("Load", [&] { editor.OpenFile(path); });
}

}  // namespace vantorel
