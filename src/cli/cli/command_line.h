#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/game_check.h"
#include "doc/element_lists.h"

namespace vantorel::cli {

// What export does with a target file that exists already.
enum class ExistingTarget { Append, Overwrite };

// A command line split into its options and its words (the command and its operands). Options
// may stand anywhere; "--" ends them, so later words may start with '-'.
struct CommandLine {
  std::vector<std::string> words;
  bool help = false;
  bool version = false;
  bool json = false;
  std::optional<char> decimalSeparator;    // --decimal-separator C
  std::optional<Game> game;                // --game iii|vc|sa
  std::optional<std::string> output;       // -o OUT
  std::optional<ExistingTarget> existing;  // --append, --overwrite
  bool all = false;                        // --all
  std::optional<ListKind> elements;        // --spheres, --boxes, --faces
  std::optional<int> material;             // --material M: a surface type, 0-34
  std::optional<int> parameter;            // --parameter P: a car part, 0-12 or 17
  std::optional<std::string> replace;      // --replace COLL
  std::optional<std::string> surfaces;     // --surfaces MAP
  std::optional<int> maxFaces;             // --max-faces N
  bool withPrimitives = false;             // --with-primitives
  std::optional<int> toVersion;            // --to col1|col2|col3: 1, 2 or 3
  // The options given apart from --help, --decimal-separator and "--", each once, as written
  // in the help ("-o", "--json"), so that a command can refuse the ones that do not apply to it.
  std::vector<std::string> given;
};

struct CommandLineParse {
  CommandLine commandLine;
  std::string error;  // empty when the options were understood

  bool Ok() const { return error.empty(); }
};

CommandLineParse ParseCommandLine(const std::vector<std::string>& args);

}  // namespace vantorel::cli
