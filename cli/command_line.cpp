#include "cli/command_line.h"

namespace vantorel::cli {

namespace {

std::optional<Game> GameFromText(const std::string& text) {
  if (text == "iii") return Game::GtaIII;
  if (text == "vc") return Game::ViceCity;
  return std::nullopt;
}

}  // namespace

CommandLineParse ParseCommandLine(const std::vector<std::string>& args) {
  CommandLineParse parse;
  CommandLine& line = parse.commandLine;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      line.words.push_back(arg);
      continue;
    }
    // Options with a value take it from the next word or after '='.
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    auto value = [&]() -> std::optional<std::string> {
      if (equals != std::string::npos) return arg.substr(equals + 1);
      if (i + 1 < args.size()) return args[++i];
      return std::nullopt;
    };
    if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--help" || arg == "-h") {
      line.help = true;
    } else if (arg == "--json") {
      line.json = true;
    } else if (name == "--decimal-separator") {
      const auto separator = value();
      if (!separator || separator->size() != 1) {
        parse.error = "--decimal-separator needs one character";
        return parse;
      }
      line.decimalSeparator = (*separator)[0];
    } else if (name == "--game") {
      const auto game = value();
      line.game = game ? GameFromText(*game) : std::nullopt;
      if (!line.game) {
        parse.error = "--game needs iii (GTA III) or vc (Vice City)";
        return parse;
      }
    } else {
      parse.error = "unknown option " + arg;
      return parse;
    }
  }
  return parse;
}

}  // namespace vantorel::cli
