#include "cli/cli_commands.h"

#include <limits>
#include <optional>
#include <ostream>

#include "app/editor_texts.h"
#include "cli/coll_arguments.h"
#include "cli/command_line.h"
#include "cli/game_check.h"
#include "cli/json_writer.h"
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

void WriteVector(JsonWriter& json, const Vector3& v) {
  json.BeginArray(JsonWriter::Layout::Inline);
  json.Float(v.X);
  json.Float(v.Y);
  json.Float(v.Z);
  json.EndArray();
}

int ListColls(const std::string& path, const Settings& settings, std::ostream& out,
              std::ostream& err) {
  const auto file = Open(path, err);
  if (!file) return kExitUnreadable;
  if (!settings.json) {
    for (const CollDirectoryEntry& entry : file->directory)
      out << CollListLine(entry) << "\n";
  } else {
    JsonWriter json;
    json.BeginObject();
    json.Key("file");
    json.String(path);
    json.Key("damaged");
    json.Bool(file->damaged);
    json.Key("colls");
    json.BeginArray();
    for (std::size_t i = 0; i < file->directory.size(); ++i) {
      const CollDirectoryEntry& entry = file->directory[i];
      json.BeginObject(JsonWriter::Layout::Inline);
      json.Key("number");
      json.Integer(static_cast<std::int64_t>(i + 1));
      json.Key("name");
      json.Windows1252String(entry.Name);
      json.Key("offset");
      json.Integer(entry.Offset);
      json.Key("size");
      json.Integer(entry.Size);
      json.Key("empty");
      json.Bool(entry.Size <= static_cast<std::int64_t>(kEmptyRecordBytes));
      json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    out << json.Text();
  }
  return file->damaged ? kExitUnreadable : kExitOk;
}

std::string InfoJson(const std::string& path, const Coll& coll, std::size_t index,
                     std::size_t collCount, std::int64_t offset, bool unknownSurface) {
  const CollHeader& h = coll.Header;
  JsonWriter json;
  json.BeginObject();
  json.Key("file");
  json.String(path);
  json.Key("number");
  json.Integer(static_cast<std::int64_t>(index + 1));
  json.Key("collCount");
  json.Integer(static_cast<std::int64_t>(collCount));
  json.Key("name");
  json.Windows1252String(HeaderName(h));
  json.Key("size");
  json.Integer(std::int64_t{h.Size} + 8);
  json.Key("offset");
  json.Integer(offset);
  json.Key("id");
  json.BeginArray(JsonWriter::Layout::Inline);
  for (const std::uint8_t byte : h.Id)
    json.Integer(byte);
  json.EndArray();
  json.Key("boundingSphere");
  json.BeginObject(JsonWriter::Layout::Inline);
  json.Key("radius");
  json.Float(h.BoundingRadius);
  json.Key("center");
  WriteVector(json, h.BoundingCenter);
  json.EndObject();
  json.Key("boundingBox");
  json.BeginObject(JsonWriter::Layout::Inline);
  json.Key("min");
  WriteVector(json, h.BoundingMin);
  json.Key("max");
  WriteVector(json, h.BoundingMax);
  json.EndObject();
  json.Key("spheres");
  json.Integer(coll.SphereCount());
  json.Key("boxes");
  json.Integer(coll.BoxCount());
  json.Key("vertices");
  json.Integer(coll.VertexCount());
  json.Key("faces");
  json.Integer(coll.FaceCount());
  json.Key("unknownSurface");
  json.Bool(unknownSurface);
  json.EndObject();
  return json.Text();
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
    out << InfoJson(path, coll, *index, file->directory.size(), entry.Offset, unknownSurface);
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

struct CheckedFile {
  std::string path;
  std::optional<std::string> readError;
  GameCheckResult result;
};

void WriteFinding(JsonWriter& json, const GameCheckFinding& finding) {
  json.BeginObject(JsonWriter::Layout::Inline);
  json.Key("file");
  json.String(finding.file);
  json.Key("coll");
  json.Integer(static_cast<std::int64_t>(finding.coll));
  json.Key("name");
  json.Windows1252String(finding.name);
  json.Key("severity");
  json.String(SeverityText(finding.severity));
  json.Key("kind");
  json.String(KindText(finding.kind));
  json.Key("text");
  json.String(finding.text);
  json.EndObject();
}

std::string CheckJson(const std::vector<CheckedFile>& files, Game game) {
  JsonWriter json;
  json.BeginObject();
  json.Key("game");
  json.String(game == Game::GtaIII ? "iii" : "vc");
  std::int64_t colls = 0;
  std::int64_t errors = 0;
  std::int64_t warnings = 0;
  std::int64_t notShown = 0;
  json.Key("files");
  json.BeginArray();
  for (const CheckedFile& file : files) {
    json.BeginObject(JsonWriter::Layout::Inline);
    json.Key("file");
    json.String(file.path);
    if (file.readError) {
      json.Key("readError");
      json.String(*file.readError);
      ++errors;
    } else {
      const GameCheckResult& r = file.result;
      json.Key("colls");
      json.Integer(static_cast<std::int64_t>(r.colls));
      json.Key("errors");
      json.Integer(static_cast<std::int64_t>(r.errors));
      json.Key("warnings");
      json.Integer(static_cast<std::int64_t>(r.warnings));
      json.Key("notShown");
      json.Integer(static_cast<std::int64_t>(r.notShown));
      colls += static_cast<std::int64_t>(r.colls);
      errors += static_cast<std::int64_t>(r.errors);
      warnings += static_cast<std::int64_t>(r.warnings);
      notShown += static_cast<std::int64_t>(r.notShown);
    }
    json.EndObject();
  }
  json.EndArray();
  json.Key("findings");
  json.BeginArray();
  for (const CheckedFile& file : files) {
    for (const GameCheckFinding& finding : file.result.findings)
      WriteFinding(json, finding);
  }
  json.EndArray();
  json.Key("colls");
  json.Integer(colls);
  json.Key("errors");
  json.Integer(errors);
  json.Key("warnings");
  json.Integer(warnings);
  json.Key("notShown");
  json.Integer(notShown);
  json.EndObject();
  return json.Text();
}

std::string Counted(std::size_t count, const char* singular, const char* plural) {
  return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

// One summary over all files: "checked 2 files, 440 colls: 1 error, 12 warnings".
std::string CheckSummary(const std::vector<CheckedFile>& files) {
  std::size_t colls = 0;
  std::size_t errors = 0;
  std::size_t warnings = 0;
  std::size_t notShown = 0;
  std::size_t unreadable = 0;
  for (const CheckedFile& file : files) {
    if (file.readError) ++unreadable;
    colls += file.result.colls;
    errors += file.result.errors;
    warnings += file.result.warnings;
    notShown += file.result.notShown;
  }
  std::string text = "checked " + Counted(files.size() - unreadable, "file", "files") + ", " +
                     Counted(colls, "coll", "colls") + ": " + Counted(errors, "error", "errors") +
                     ", " + Counted(warnings, "warning", "warnings");
  if (notShown > 0) text += " (" + std::to_string(notShown) + " not shown)";
  if (unreadable > 0) text += "; " + Counted(unreadable, "file", "files") + " could not be read";
  return text;
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
    out << CheckSummary(files) << "\n";
  }
  return failed ? kExitUnreadable : kExitOk;
}

struct CommandSpec {
  const char* name;
  const char* synopsis;
  std::size_t minOperands;
  std::size_t maxOperands;
  bool takesJson;
  bool takesGame;
};

constexpr std::size_t kAnyNumber = std::numeric_limits<std::size_t>::max();
constexpr CommandSpec kCommands[] = {
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
  const CommandSpec* spec = nullptr;
  for (const CommandSpec& candidate : kCommands) {
    if (command == candidate.name) spec = &candidate;
  }
  if (!spec) return UsageError("unknown command \"" + command + "\"", err);
  const std::string usage = std::string("usage: ") + kProgram + " " + spec->synopsis;
  if (operands.size() < spec->minOperands || operands.size() > spec->maxOperands) {
    return UsageError(usage, err);
  }
  if (line.json && !spec->takesJson) {
    return UsageError(std::string("--json does not apply to ") + spec->name + "; " + usage, err);
  }
  if (line.game && !spec->takesGame) {
    return UsageError(std::string("--game does not apply to ") + spec->name + "; " + usage, err);
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
