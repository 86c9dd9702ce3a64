#pragma once

#include <vector>

#include "doc/command_row.h"

namespace vantorel {

// The commands on whole colls, as rows of the command table.
void AddCollCommands(std::vector<CommandRow>& rows);

}  // namespace vantorel
