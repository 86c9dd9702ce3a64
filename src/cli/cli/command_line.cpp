#include "cli/command_line.h"

#include <algorithm>
#include <charconv>

#include "core/number_text.h"
#include "core/surface_types.h"
#include "ops/surface_change.h"

namespace vantorel::cli {

namespace {

std::optional<Game> GameFromText(const std::string& text) {
  if (text == "iii") return Game::GtaIII;
  if (text == "vc") return Game::ViceCity;
  if (text == "sa") return Game::SanAndreas;
  return std::nullopt;
}

// A plain decimal number without sign, blanks or anything after it.
std::optional<int> Number(const std::optional<std::string>& text) {
  if (!text || text->empty()) return std::nullopt;
  int value = 0;
  const char* end = text->data() + text->size();
  const auto [ptr, ec] = std::from_chars(text->data(), end, value);
  if (ec != std::errc() || ptr != end || value < 0) return std::nullopt;
  return value;
}

void NoteGiven(CommandLine& line, const std::string& name) {
  if (std::find(line.given.begin(), line.given.end(), name) == line.given.end())
    line.given.push_back(name);
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
    const auto elementKind = [&](ListKind kind) {
      if (line.elements && *line.elements != kind) {
        parse.error = "give only one of --spheres, --boxes and --faces";
        return false;
      }
      line.elements = kind;
      NoteGiven(line, arg);
      return true;
    };
    const auto existing = [&](ExistingTarget choice) {
      if (line.existing && *line.existing != choice) {
        parse.error = "--append and --overwrite exclude each other";
        return false;
      }
      line.existing = choice;
      NoteGiven(line, arg);
      return true;
    };
    if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--help" || arg == "-h") {
      line.help = true;
    } else if (arg == "--version") {
      line.version = true;
    } else if (arg == "--json") {
      line.json = true;
      NoteGiven(line, arg);
    } else if (name == "--decimal-separator") {
      const auto separator = value();
      if (!separator || separator->size() != 1) {
        parse.error = "--decimal-separator needs one character";
        return parse;
      }
      if (!IsUsableDecimalSeparator((*separator)[0])) {
        parse.error = "--decimal-separator " + *separator +
                      " would be read as part of a number or of the script: give a character "
                      "that is no digit, letter, sign, blank or one of : ; | [ ] # = > \" ( )";
        return parse;
      }
      line.decimalSeparator = (*separator)[0];
    } else if (name == "--game") {
      const auto game = value();
      line.game = game ? GameFromText(*game) : std::nullopt;
      if (!line.game) {
        parse.error = "--game needs iii (GTA III), vc (Vice City) or sa (San Andreas)";
        return parse;
      }
      NoteGiven(line, name);
    } else if (name == "-o" || name == "--output") {
      line.output = value();
      if (!line.output || line.output->empty()) {
        parse.error = "-o needs the name of the file to write";
        return parse;
      }
      NoteGiven(line, "-o");
    } else if (arg == "--append") {
      if (!existing(ExistingTarget::Append)) return parse;
    } else if (arg == "--overwrite") {
      if (!existing(ExistingTarget::Overwrite)) return parse;
    } else if (arg == "--all") {
      line.all = true;
      NoteGiven(line, arg);
    } else if (arg == "--with-primitives") {
      line.withPrimitives = true;
      NoteGiven(line, arg);
    } else if (arg == "--spheres") {
      if (!elementKind(ListKind::Spheres)) return parse;
    } else if (arg == "--boxes") {
      if (!elementKind(ListKind::Boxes)) return parse;
    } else if (arg == "--faces") {
      if (!elementKind(ListKind::Faces)) return parse;
    } else if (name == "--material") {
      line.material = Number(value());
      if (!line.material || *line.material >= kSurfaceTypeCount) {
        parse.error = "--material needs a surface type number from 0 to " +
                      std::to_string(kSurfaceTypeCount - 1);
        return parse;
      }
      NoteGiven(line, name);
    } else if (name == "--parameter") {
      line.parameter = Number(value());
      if (!line.parameter || *line.parameter > 255 ||
          !ParameterItem(static_cast<std::uint8_t>(*line.parameter))) {
        parse.error = "--parameter needs a car part number: 0 to 12, or 17 (windscreen)";
        return parse;
      }
      NoteGiven(line, name);
    } else if (name == "--replace" || name == "--surfaces") {
      auto& target = name == "--replace" ? line.replace : line.surfaces;
      target = value();
      if (!target || target->empty()) {
        parse.error = name + (name == "--replace" ? " needs a COLL" : " needs a mapping file");
        return parse;
      }
      NoteGiven(line, name);
    } else if (name == "--to") {
      const std::optional<std::string> kind = value();
      if (kind == "col1" || kind == "col2" || kind == "col3") {
        line.toVersion = kind->back() - '0';
      } else {
        parse.error = "--to needs col1, col2 or col3";
        return parse;
      }
      NoteGiven(line, name);
    } else if (name == "--max-faces") {
      line.maxFaces = Number(value());
      if (!line.maxFaces || *line.maxFaces == 0) {
        parse.error = "--max-faces needs a number of faces above 0";
        return parse;
      }
      NoteGiven(line, name);
    } else {
      parse.error = "unknown option " + arg;
      return parse;
    }
  }
  return parse;
}

}  // namespace vantorel::cli
