#include "cli/cli_commands.h"

#include <limits>
#include <optional>
#include <ostream>

#include "app/editor_texts.h"
#include "cli/check_report.h"
#include "cli/coll_arguments.h"
#include "cli/coll_json.h"
#include "cli/command_line.h"
#include "cli/game_check.h"
#include "core/coll_codec.h"
#include "core/file_io.h"
#include "core/surface_types.h"
#include "edit/collision_script.h"
#include "ops/brief_info.h"

namespace vantorel::cli {

namespace {

constexpr const char* kProgram = "vantorel-cli";

// The tool writes plain "\n" line ends whatever the editor's texts use.
std::string UnixLines(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

struct Settings {
  Environment environment;
  bool json = false;
  Game game = Game::ViceCity;
};

struct OpenedFile {
  Bytes image;
  CollDirectoryEntries directory;
  bool damaged = false;
};

std::optional<OpenedFile> Open(const std::string& path, std::ostream& err) {
  OpenedFile file;
  if (const auto error = ReadWholeFile(path, file.image)) {
    err << *error << "\n";
    return std::nullopt;
  }
  if (ScanFile(file.image, file.directory) == ScanEnd::Damaged) {
    err << texts::kReadError << "\n";
    file.damaged = true;
  }
  return file;
}

int ListColls(const std::string& path, const Settings& settings, std::ostream& out,
              std::ostream& err) {
  const auto file = Open(path, err);
  if (!file) return kExitUnreadable;
  if (!settings.json) {
    for (const CollDirectoryEntry& entry : file->directory)
      out << CollListLine(entry) << "\n";
  } else {
    out << CollListJson(path, file->directory, file->damaged);
  }
  return file->damaged ? kExitUnreadable : kExitOk;
}

int ShowColl(const std::string& command, const std::string& path, const std::string& key,
             const Settings& settings, std::ostream& out, std::ostream& err) {
  auto file = Open(path, err);
  if (!file) return kExitUnreadable;
  const auto index = FindColl(file->directory, key);
  if (!index) {
    err << "No coll " << key << " in " << path << "\n";
    return kExitUnreadable;
  }
  CollDirectoryEntry& entry = file->directory[*index];
  Coll coll;
  switch (ReadColl(file->image, entry, coll)) {
    case ReadResult::Ok:
      break;
    case ReadResult::NoCollisionData:
      err << texts::kNoCollisionData << "\n";
      return kExitUnreadable;
    case ReadResult::Damaged:
      err << texts::kReadError << "\n";
      return kExitUnreadable;
  }
  const bool unknownSurface = HasUnknownSurface(coll, SurfaceTypeTable::Defaults());
  if (unknownSurface) err << texts::UnknownSurfaceHint(HeaderName(coll.Header)) << "\n";
  const char separator = settings.environment.decimalSeparator;
  if (command == "info" && settings.json) {
    out << CollInfoJson(path, coll, *index, file->directory.size(), entry.Offset, unknownSurface);
  } else if (command == "info") {
    out << UnixLines(BuildBriefInfo(coll, static_cast<int>(*index),
                                    static_cast<int>(file->directory.size()), entry.Offset,
                                    separator))
        << "\n";
  } else {
    out << UnixLines(BuildCollisionScript(coll, settings.environment.exportedOn, separator))
        << "\n";
  }
  return kExitOk;
}

int CheckFiles(const std::vector<std::string>& paths, const Settings& settings, std::ostream& out,
               std::ostream& err) {
  GameCheckOptions options;
  options.game = settings.game;
  options.decimalSeparator = settings.environment.decimalSeparator;
  std::vector<CheckedFile> files;
  Bytes image;
  bool failed = false;
  for (const std::string& path : paths) {
    CheckedFile& file = files.emplace_back();
    file.path = path;
    file.readError = ReadWholeFile(path, image);
    if (file.readError) {
      err << *file.readError << "\n";
      failed = true;
      continue;
    }
    file.result = CheckCollFile(path, image, options);
    failed = failed || file.result.errors > 0;
    if (!settings.json) {
      for (const GameCheckFinding& finding : file.result.findings)
        out << FindingLine(finding) << "\n";
      // Only the counts are needed from here on; a badly broken file set need not stay in memory.
      file.result.findings = {};
    }
  }
  if (settings.json) {
    out << CheckJson(files, settings.game);
  } else {
    out << CheckSummaryLine(files) << "\n";
  }
  return failed ? kExitUnreadable : kExitOk;
}

struct CommandForm {
  const char* name;
  const char* synopsis;
  std::size_t minOperands;
  std::size_t maxOperands;
  bool takesJson;
  bool takesGame;
};

constexpr std::size_t kAnyNumber = std::numeric_limits<std::size_t>::max();
constexpr CommandForm kCommands[] = {
    {"list", "list FILE [--json]", 1, 1, true, false},
    {"info", "info FILE COLL [--json]", 2, 2, true, false},
    {"script", "script FILE COLL", 2, 2, false, false},
    {"check", "check FILE... [--game iii|vc] [--json]", 1, kAnyNumber, true, true},
};

int UsageError(const std::string& reason, std::ostream& err) {
  err << kProgram << ": " << reason << "\nRun '" << kProgram
      << " --help' for the commands and their options.\n";
  return kExitUsage;
}

}  // namespace

std::string HelpText() {
  return R"help(Usage: vantorel-cli [OPTIONS] COMMAND FILE [COLL]

Reads GTA III / Vice City collision files (.col): prints what the editor shows, or checks
whether the game can read them.

Commands:
  list FILE [--json]   one line per coll, as the coll list shows it: the name, followed by
                       " [-]" for a coll without elements
                         vantorel-cli list generic.col
  info FILE COLL [--json]
                       the brief information report of one coll: name, position, size,
                       offset, ID bytes, bounding sphere and box, element counts
                         vantorel-cli info generic.col '#3'
  script FILE COLL     the collision script of one coll
                         vantorel-cli script generic.col lamppost > lamppost.cst
  check FILE... [--game iii|vc] [--json]
                       checks each FILE for what would keep the game from reading it as
                       meant; one line per finding, then one summary line over all files:
                         city.col:12:lamppost: error: face 3 names vertex 40, which does not exist (40 vertices)
                         city.col:15:barrel: warning: vertex 7 is used by no face
                         checked 1 file, 330 colls: 1 error, 1 warning
                       FILE:N:NAME gives the coll's 1-based position and its name (bytes
                       outside printable ASCII as \xNN); element numbers in the texts are
                       0-based. Exit status 1 when any error was found or a FILE could not
                       be read, else 0.

                       Errors: damaged records (counts that do not fit, a Size past the end,
                       data that is not a "COLL" record before the end of the file); a Size
                       above 55000 (the game's buffer for one coll); more than 65535
                       vertices; a face naming a vertex that does not exist; NaN or infinite
                       numbers; a negative radius; a name used by an earlier coll (ignoring
                       case).
                       Warnings: faces with two equal corners or no area; vertices no face
                       uses; a bounding box or sphere that leaves out part of the geometry
                       (by more than 1e-4 of the coll's scale); materials the game does not
                       know (GTA III: 0-32, Vice City: 0-34, --game vc by default); names
                       that are empty, not printable ASCII, or that fill all 20 bytes while
                       the ID bytes after them are not NUL (the game then reads them as part
                       of the name); a count after the spheres that is not 0; bytes after
                       the faces that belong to no element.
                       At most 20 findings are shown per coll, errors first; a note line
                       says how many more there were. The totals count every finding.

COLL is #N, the coll's 1-based position in the file, or its exact name (the first coll
of that name).

Options:
  --json                  write one JSON document (UTF-8; coll names are converted from
                          Windows-1252) instead of text
  --game iii|vc           the game check checks for (default vc)
  --decimal-separator C   write decimal numbers with C instead of the locale's separator
                          (LC_NUMERIC)
  --help                  show this text
  --                      end of the options; later words are files or colls

JSON documents:
  list:   {"file": "generic.col", "damaged": false, "colls": [
             {"number": 1, "name": "bar_gatebar01", "offset": 0, "size": 120, "empty": false},
             ...]}
          "size" is the whole record length in bytes; "damaged" is true when the file
          ends in a damaged record (exit status 1).
  info:   {"file": "generic.col", "number": 3, "collCount": 330, "name": "barrierturn",
           "size": 120, "offset": 240, "id": [145, 58, 47, 0],
           "boundingSphere": {"radius": 3.574963, "center": [0.024973, 0, 3.50196]},
           "boundingBox": {"min": [-0.100027, -0.29, -0.06115198],
                           "max": [0.149973, 0.29, 7.065072]},
           "spheres": 0, "boxes": 1, "vertices": 0, "faces": 0, "unknownSurface": false}
          Coordinates are the stored single-precision values, shortest form; a value that
          is not finite is null.
  check:  {"game": "vc",
           "files": [{"file": "city.col", "colls": 330, "errors": 1, "warnings": 1,
                      "notShown": 0}],
           "findings": [{"file": "city.col", "coll": 12, "name": "lamppost",
                         "severity": "error", "kind": "face-index-out-of-range",
                         "text": "face 3 names vertex 40, which does not exist (40 vertices)"},
                        ...],
           "colls": 330, "errors": 1, "warnings": 1, "notShown": 0}
          A file that could not be read appears as {"file": ..., "readError": "..."} and
          counts as one error. "severity" is "error", "warning" or "note" (the line that
          says how many findings were not shown); "kind" is one of damaged-record,
          record-too-large, too-many-vertices, face-index-out-of-range, not-finite,
          negative-radius, duplicate-name, degenerate-face, unused-vertices,
          bounds-too-small, unknown-material, name-problem, unused-count-set,
          bytes-after-faces, suppressed.

Messages the editor would show go to standard error. Exit status: 0 on success, 1 when a
file or coll could not be read or check found an error (the reason on standard error),
2 on a usage error.
)help";
}

int Run(const std::vector<std::string>& args, const Environment& environment, std::ostream& out,
        std::ostream& err) {
  const CommandLineParse parse = ParseCommandLine(args);
  if (!parse.Ok()) return UsageError(parse.error, err);
  const CommandLine& line = parse.commandLine;
  if (line.help) {
    out << HelpText();
    return kExitOk;
  }
  if (line.words.empty()) return UsageError("no command given", err);
  const std::string& command = line.words[0];
  const std::vector<std::string> operands(line.words.begin() + 1, line.words.end());
  const CommandForm* form = nullptr;
  for (const CommandForm& candidate : kCommands) {
    if (command == candidate.name) form = &candidate;
  }
  if (!form) return UsageError("unknown command \"" + command + "\"", err);
  const std::string usage = std::string("usage: ") + kProgram + " " + form->synopsis;
  if (operands.size() < form->minOperands || operands.size() > form->maxOperands) {
    return UsageError(usage, err);
  }
  if (line.json && !form->takesJson) {
    return UsageError(std::string("--json does not apply to ") + form->name + "; " + usage, err);
  }
  if (line.game && !form->takesGame) {
    return UsageError(std::string("--game does not apply to ") + form->name + "; " + usage, err);
  }

  Settings settings;
  settings.environment = environment;
  if (line.decimalSeparator) settings.environment.decimalSeparator = *line.decimalSeparator;
  settings.json = line.json;
  settings.game = line.game.value_or(Game::ViceCity);

  if (command == "list") return ListColls(operands[0], settings, out, err);
  if (command == "check") return CheckFiles(operands, settings, out, err);
  return ShowColl(command, operands[0], operands[1], settings, out, err);
}

}  // namespace vantorel::cli
