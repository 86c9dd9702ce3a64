#pragma once

#include <vector>

#include "doc/command_row.h"

namespace vantorel {

// The 3D view's commands and switches, as rows of the command table.
void AddViewCommands(std::vector<CommandRow>& rows);

}  // namespace vantorel
