#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/game_check.h"

namespace vantorel::cli {

// A command line split into its options and its words (the command and its operands). Options
// may stand anywhere; "--" ends them, so later words may start with '-'.
struct CommandLine {
  std::vector<std::string> words;
  bool help = false;
  bool json = false;
  std::optional<char> decimalSeparator;  // --decimal-separator C
  std::optional<Game> game;              // --game iii|vc
};

struct CommandLineParse {
  CommandLine commandLine;
  std::string error;  // empty when the options were understood

  bool Ok() const { return error.empty(); }
};

CommandLineParse ParseCommandLine(const std::vector<std::string>& args);

}  // namespace vantorel::cli
