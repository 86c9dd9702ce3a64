#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace vantorel {

class Editor;

// One menu item, tool button or menu of the window. The window builds its menus, pop-up menus
// and tool buttons from these rows and runs Run when one is chosen; the tests walk the same
// rows. A command is a row plus one function over the editor.
struct CommandRow {
  std::string_view Name = {};      // the object name: "Load1", "ToolButton7", "PopupMenu4"
  std::string_view Caption = {};   // with "&" before the access key; empty for image-only buttons
  std::string_view Shortcut = {};  // as written on the menu ("Ctrl+L", "F2"); empty for none
  std::function<void(Editor&)> Run = {};
  // Whether the item can be chosen now; empty means always. Disabled rows say why.
  std::function<bool(const Editor&)> Enabled = {};
  std::string_view DisabledBecause = {};
  // For check items: whether the mark is on now; empty for plain items.
  std::function<bool(const Editor&)> Checked = {};
  // Further shortcuts that run the same row.
  std::string_view ExtraShortcut = {};
  // For items whose caption names what they would do now ("&Undo Delete Face"); empty when the
  // caption is fixed.
  std::function<std::string(const Editor&)> CaptionNow = {};
  // For tool buttons that drop down a menu: the place the menu is built from.
  std::string_view DropDown = {};
};

// The caption without its access-key marks and without a trailing "...": the command's name in
// messages and in the undo history ("Delete C&hecked Faces" -> "Delete Checked Faces").
std::string CommandName(std::string_view caption);
// A name or other data made fit for a caption: every "&" doubled, so that it shows as itself
// and is not taken for an access-key mark.
std::string CaptionText(std::string_view text);

// Runs a row inside the editor's command boundary, when it is enabled.
void RunCommand(Editor& editor, const CommandRow& row);

}  // namespace vantorel
