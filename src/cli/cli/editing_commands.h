#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/command_line.h"

namespace vantorel::cli {

// The commands that run the editor's own command functions through the batch port: script,
// and every command that changes a file (rename, copy, delete, export, import, replace, merge,
// lod, import-script, import-mesh, export-mesh, recalc-bounds, clean, surface). The operands and
// options have been checked for their form already. A command that changes FILE saves it
// through the editor (or writes -o OUT instead) only when every step went through; otherwise
// nothing is written.
int RunEditingCommand(const std::string& command, const std::vector<std::string>& operands,
                      const CommandLine& line, const Environment& environment, std::ostream& out,
                      std::ostream& err);

}  // namespace vantorel::cli
