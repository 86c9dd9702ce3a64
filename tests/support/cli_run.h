#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"

namespace vantorel::testing {

// What one run of the batch tool printed and returned.
struct CliRun {
  int status;
  std::string out;
  std::string err;
};

// Runs the batch tool in this process with a fixed clock, so that scripts have a known date.
inline CliRun RunCli(const std::vector<std::string>& args, char separator = '.') {
  std::ostringstream out;
  std::ostringstream err;
  const cli::Environment environment{separator, "08.12.2026 10:00:00"};
  const int status = cli::Run(args, environment, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace vantorel::testing
