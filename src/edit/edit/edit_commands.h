#pragma once

#include <vector>

#include "doc/command_row.h"

namespace vantorel {

// The commands inside one coll: elements, mesh, scripts, bounds, as rows of the command table.
void AddElementCommands(std::vector<CommandRow>& rows);

}  // namespace vantorel
