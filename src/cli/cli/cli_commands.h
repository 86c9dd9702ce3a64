#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "app/program_help.h"

namespace vantorel::cli {

// Exit statuses of the batch tool.
inline constexpr int kExitOk = 0;
// Refused or failed: the file or the coll could not be read, or check found an error. The
// reason goes to standard error (check's findings go to standard output).
inline constexpr int kExitUnreadable = 1;
inline constexpr int kExitUsage = 2;

struct Environment {
  char decimalSeparator = '.';  // from LC_NUMERIC unless --decimal-separator says otherwise
  std::string exportedOn;       // local date and time for the script's third line
};

// Runs one command line (without the program name). Results go to out, the messages the editor
// would show to err. Returns the exit status.
int Run(const std::vector<std::string>& args, const Environment& environment, std::ostream& out,
        std::ostream& err);

std::string HelpText();
// The help with the program's name and summary, for the manual page.
ProgramHelp CliHelp();

}  // namespace vantorel::cli
