#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "doc/undo_history.h"

namespace vantorel {

class Editor;

// Why a row does not apply now. A told reason is shown to the person as a message when the row
// is chosen (a file whose last record is cut short takes no new coll); an untold one makes
// choosing the row do nothing, as for a menu item that has nothing to act on. The batch tool
// prints either and fails.
struct NotApplying {
  std::string Reason;
  bool Told = false;
};
using AppliesCheck = std::function<std::optional<NotApplying>(const Editor&)>;

// One menu item, tool button or menu of the window. The window builds its menus, pop-up menus
// and tool bars from these rows and runs RunCommand when one is chosen; the batch tool runs the
// same rows and the tests walk them. A command is a row plus one function over the editor; what
// the command needs before it can start is the row's Applies, not a check inside the command.
struct CommandRow {
  std::string_view Name = {};      // the object name: "Load1", "ToolButton7", "PopupMenu4"
  std::string_view Caption = {};   // with "&" before the access key; empty for image-only buttons
  std::string_view Shortcut = {};  // as written on the menu ("Ctrl+L", "F2"); empty for none
  std::function<void(Editor&)> Run = {};
  // When the row applies: nothing when it does now, else why not. Empty means always.
  AppliesCheck Applies = {};
  // The window greys the item while it does not apply; other items stay enabled and choosing
  // them then tells the reason or does nothing.
  bool GreyedWhenNot = false;
  // For check items: whether the mark is on now; empty for plain items.
  std::function<bool(const Editor&)> Checked = {};
  // Further shortcuts that run the same row.
  std::string_view ExtraShortcut = {};
  // For items whose caption names what they would do now ("&Undo Delete Face"); empty when the
  // caption is fixed.
  std::function<std::string(const Editor&)> CaptionNow = {};
  // For tool buttons that drop down a menu: the place the menu is built from.
  std::string_view DropDown = {};
  // The apply question is settled before the command runs: a command that reads the stored
  // records or selects another coll needs the edits applied or left. Cancel selects the current
  // line again and the command does not run.
  bool ApplyFirst = false;
  // The undo step the row makes: named after the command, or, for a row that can only apply the
  // edits or throw them away on the way (Restore), after which of the two it did.
  StepName Step = StepName::Command;
  // The picture and tip of an image-only tool button ("Pick", "Zoom": see the window's icons).
  std::string_view Icon = {};
  std::string_view ToolTip = {};
  // A key that runs the row only in one list of the window, with whatever modifier keys are
  // held: Delete deletes in the list that has the focus.
  std::string_view ListKey = {};
  std::string_view InList = {};  // the list's object name: "lbxColl", "clbSpheres"
  // The window hears Shortcut before the control that has the focus, which gets the key as well,
  // and only without Ctrl, Alt or Meta: the digit keys press the navigation buttons.
  bool ShortcutPassesOn = false;
};

// The caption without its access-key marks and without a trailing "...": the command's name in
// messages and in the undo history ("Delete C&hecked Faces" -> "Delete Checked Faces").
std::string CommandName(std::string_view caption);
// A name or other data made fit for a caption: every "&" doubled, so that it shows as itself
// and is not taken for an access-key mark.
std::string CaptionText(std::string_view text);

// Why the row does not apply now; nothing when it does.
std::optional<NotApplying> WhyNotNow(const CommandRow& row, const Editor& editor);

// Runs a row inside the editor's command boundary: when it applies, after the apply question
// when it asks for it. A told reason why it does not apply is shown as a message.
void RunCommand(Editor& editor, const CommandRow& row);

}  // namespace vantorel
