#pragma once

#include <string_view>
#include <vector>

#include "doc/command_row.h"

namespace vantorel {

// Where the rows go: each place (the menu bar, a menu, a pop-up menu or a tool bar) lists its
// rows in order. "-" is a separator; a row that is itself a place opens a submenu there.
struct CommandPlace {
  std::string_view Name;
  std::vector<std::string_view> Items;
};

// Every row of the program, and the places they stand in.
const std::vector<CommandRow>& CommandTable();
const std::vector<CommandPlace>& CommandPlaces();
// The row of an object name; nullptr when there is none.
const CommandRow* FindCommand(std::string_view name);
const CommandPlace* FindPlace(std::string_view name);

// The rows of the program's own spine: files, settings, help, the check marks.
void AddAppCommands(std::vector<CommandRow>& rows);

}  // namespace vantorel
