#include "cli/cli_commands.h"

#include <limits>
#include <optional>
#include <ostream>

#include "app/program_help.h"
#include "cli/check_report.h"
#include "cli/coll_arguments.h"
#include "cli/coll_json.h"
#include "cli/command_line.h"
#include "cli/editing_commands.h"
#include "cli/game_check.h"
#include "cli/unix_lines.h"
#include "core/coll_codec.h"
#include "core/file_io.h"
#include "core/model/model_collision.h"
#include "core/surface_types.h"
#include "core/utf8_path.h"
#include "doc/editor_texts.h"
#include "ops/brief_info.h"

namespace vantorel::cli {

namespace {

constexpr const char* kProgram = "vantorel-cli";

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
  if (const auto error = ReadWholeFile(PathFromUtf8(path), file.image)) {
    err << *error << "\n";
    return std::nullopt;
  }
  // A model lists the colls it carries, as the editor shows them.
  if (IsRenderWareModel(file.image)) {
    Parsed<Bytes> collision = ModelCollisionBytes(file.image);
    if (!collision.Value) {
      err << path << ": " << collision.Error << "\n";
      return std::nullopt;
    }
    file.image = std::move(*collision.Value);
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
  if (file->directory.empty() && !file->damaged) {
    err << texts::kNoCollisionData << "\n";
    return kExitUnreadable;
  }
  return file->damaged ? kExitUnreadable : kExitOk;
}

int ShowInfo(const std::string& path, const std::string& key, const Settings& settings,
             std::ostream& out, std::ostream& err) {
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
  if (settings.json) {
    out << CollInfoJson(path, coll, *index, file->directory.size(), entry.Offset, unknownSurface);
  } else {
    out << UnixLines(BuildBriefInfo(coll, static_cast<int>(*index),
                                    static_cast<int>(file->directory.size()), entry.Offset,
                                    settings.environment.decimalSeparator))
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
    file.readError = ReadWholeFile(PathFromUtf8(path), image);
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
  // The options that apply, as CommandLine::given names them, separated by blanks.
  std::string_view options;
};

constexpr std::size_t kAnyNumber = std::numeric_limits<std::size_t>::max();
constexpr CommandForm kCommands[] = {
    {"list", "list FILE [--json]", 1, 1, "--json"},
    {"info", "info FILE COLL [--json]", 2, 2, "--json"},
    {"script", "script FILE COLL [-o SCRIPT]", 2, 2, "-o --overwrite"},
    {"rename", "rename FILE COLL NEWNAME [-o OUT]", 3, 3, "-o --overwrite"},
    {"copy", "copy FILE COLL NEWNAME [-o OUT]", 3, 3, "-o --overwrite"},
    {"delete", "delete FILE COLL [-o OUT]", 2, 2, "-o --overwrite"},
    {"export", "export FILE COLL TARGET [--append|--overwrite]", 3, 3, "--append --overwrite"},
    {"import", "import FILE SOURCE COLL... [-o OUT]", 3, kAnyNumber, "-o --overwrite"},
    {"replace", "replace FILE COLL SOURCE SOURCECOLL [-o OUT]", 4, 4, "-o --overwrite"},
    {"merge", "merge FILE COLL1 COLL2 NEWNAME [-o OUT]", 4, 4, "-o --overwrite"},
    {"lod", "lod FILE COLL [-o OUT]", 2, 2, "-o --overwrite"},
    {"import-script", "import-script FILE SCRIPT NEWNAME [-o OUT]", 3, 3, "-o --overwrite"},
    {"import-mesh",
     "import-mesh FILE MODEL (NEWNAME | --replace COLL) [--surfaces MAP] [--max-faces N] "
     "[-o OUT]",
     2, 3, "-o --overwrite --replace --surfaces --max-faces"},
    {"export-mesh", "export-mesh FILE COLL OUT.obj|OUT.glb [--with-primitives] [--overwrite]", 3, 3,
     "--overwrite --with-primitives"},
    {"recalc-bounds", "recalc-bounds FILE (COLL | --all) [-o OUT]", 1, 2, "-o --overwrite --all"},
    {"clean", "clean FILE (COLL | --all) [-o OUT]", 1, 2, "-o --overwrite --all"},
    {"surface",
     "surface FILE COLL (--spheres|--boxes|--faces) (LIST | --all) --material M "
     "[--parameter P] [-o OUT]",
     2, 3, "-o --overwrite --all --spheres --boxes --faces --material --parameter"},
    {"convert", "convert FILE (COLL | --all) --to col1|col2|col3 [-o OUT]", 1, 2,
     "-o --overwrite --all --to"},
    {"check", "check FILE... [--game iii|vc|sa] [--json]", 1, kAnyNumber, "--json --game"},
};

bool Applies(const CommandForm& form, std::string_view option) {
  std::string_view rest = form.options;
  while (!rest.empty()) {
    const std::size_t blank = rest.find(' ');
    if (rest.substr(0, blank) == option) return true;
    if (blank == std::string_view::npos) break;
    rest.remove_prefix(blank + 1);
  }
  return false;
}

// What is wrong with the command line beyond the number of operands and the options that do
// not apply: nothing, or the reason (empty when the usage line says it all).
std::optional<std::string> FormProblem(const CommandForm& form, const CommandLine& line,
                                       std::size_t operandCount) {
  // --all stands for the last operand.
  if (Applies(form, "--all") && operandCount != (line.all ? form.minOperands : form.maxOperands)) {
    return std::string();
  }
  const std::string_view name = form.name;
  if (name == "import-mesh" && operandCount != (line.replace ? 2U : 3U)) {
    return std::string(line.replace ? "--replace COLL takes the place of NEWNAME" : "");
  }
  if (line.existing == ExistingTarget::Overwrite && !line.output && name != "export" &&
      name != "export-mesh") {
    return "--overwrite goes with -o OUT";
  }
  if (name == "convert" && !line.toVersion) return "convert needs --to col1, col2 or col3";
  if (name == "surface") {
    if (!line.elements) return "surface needs --spheres, --boxes or --faces";
    if (!line.material) return "surface needs --material M";
  }
  return std::nullopt;
}

int UsageError(const std::string& reason, std::ostream& err) {
  err << kProgram << ": " << reason << "\nRun '" << kProgram
      << " --help' for the commands and their options.\n";
  return kExitUsage;
}

}  // namespace

ProgramHelp CliHelp() {
  return {kProgram, "reads, checks and edits GTA III and Vice City collision files", HelpText()};
}

std::string HelpText() {
  return R"help(Usage: vantorel-cli [OPTIONS] COMMAND FILE [ARGUMENTS]

Reads, checks and edits GTA III / Vice City collision files (.col). The editing commands run
the editor's own commands, with the answers to its questions and dialogs taken from the
command line: they do exactly what the window's menus do, refuse what the editor refuses, and
show its messages on standard error.

Reading commands:
  list FILE [--json]   one line per coll, as the coll list shows it: the name, followed by
                       " [-]" for a coll without elements
                         vantorel-cli list generic.col
  info FILE COLL [--json]
                       the brief information report of one coll: name, position, size,
                       offset, ID bytes, bounding sphere and box, element counts (and for a
                       San Andreas coll its kind, model ID, face groups and shadow mesh)
                         vantorel-cli info generic.col '#3'
  script FILE COLL [-o SCRIPT]
                       the collision script of one coll on standard output, or saved to
                       SCRIPT as the script viewer saves it (CR LF line ends)
                         vantorel-cli script generic.col lamppost -o lamppost.cst
  check FILE... [--game iii|vc|sa] [--json]
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
                       case); for GTA III and Vice City a "COL2", "COL3" or "COL4" record;
                       for San Andreas (--game sa) offsets outside the record, sections that
                       overlap, face groups outside the faces, and "COLL" vertices outside
                       -256 to 255.99.
                       Warnings: faces with two equal corners or no area; vertices no face
                       uses; a bounding box or sphere that leaves out part of the geometry
                       (by more than 1e-4 of the coll's scale); materials the game does not
                       know (GTA III: 0-32, Vice City: 0-34, San Andreas: 0-178, --game vc by
                       default); names that are empty, not printable ASCII, that fill all 20
                       bytes while the ID bytes after them are not NUL (the game then reads
                       them as part of the name), or all 22 bytes of a San Andreas record; a
                       count after the spheres that is not 0; bytes after the faces that
                       belong to no element.
                       At most 20 findings are shown per coll, errors first; a note line
                       says how many more there were. The totals count every finding.

Editing commands (each saves FILE in place, through a temporary file renamed over it, or
writes the result to -o OUT and leaves FILE as it is):
  rename FILE COLL NEWNAME
                       gives the coll a new name
                         vantorel-cli rename generic.col '#3' barrier_02
  copy FILE COLL NEWNAME
                       appends a copy of the coll under a new name at the end of the file
                         vantorel-cli copy generic.col lamppost lamppost_b
  delete FILE COLL     removes the coll; the last coll of a file is not deleted
                         vantorel-cli delete generic.col '#12'
  export FILE COLL TARGET [--append|--overwrite]
                       writes the coll's record into TARGET, a collision file: a new file, or
                       one that exists, with --append at its end or with --overwrite as its
                       only content (an existing TARGET without either is refused). FILE is
                       only read.
                         vantorel-cli export generic.col lamppost lamps.col --append
  import FILE SOURCE COLL...
                       appends colls of the collision file SOURCE, in the order given; each
                       COLL names a coll of SOURCE
                         vantorel-cli import generic.col extra.col '#1' fence02
  replace FILE COLL SOURCE SOURCECOLL
                       gives COLL the content (ID, bounds and elements) of SOURCECOLL of the
                       file SOURCE; the name and the position stay
                         vantorel-cli replace generic.col lamppost fixed.col '#1'
  merge FILE COLL1 COLL2 NEWNAME
                       appends one coll holding every element of COLL1 and then of COLL2,
                       with bounds fitted to them (COLL1 and COLL2 may be the same coll)
                         vantorel-cli merge generic.col wall_a wall_b wall_ab
  lod FILE COLL        appends the coll's empty low-detail companion: "LOD" over the first
                       three name characters, the coll's bounds recalculated
                         vantorel-cli lod generic.col house01
  import-script FILE SCRIPT NEWNAME
                       reads the collision script SCRIPT into a new coll called NEWNAME at
                       the end of the file, its bounds computed
                         vantorel-cli import-script generic.col lamppost.cst lamppost_c
  import-mesh FILE MODEL (NEWNAME | --replace COLL) [--surfaces MAP] [--max-faces N]
                       makes the triangles of the model MODEL a new coll called NEWNAME at the
                       end of the file, or with --replace the mesh of COLL (its spheres and
                       boxes stay). MODEL is read by its extension: .dff (every atomic placed
                       by its frame), .obj (with its MTL files), .3ds, .x, .fbx, .dae, .gltf,
                       .glb, .ply, .stl. Vertices with equal coordinates become one, faces
                       that then use a vertex twice are dropped, the bounds are computed.
                       Each face's surface comes from its material through the mapping file
                       MAP: one rule a line, PATTERN = SURFACE (first match wins, # starts a
                       comment), the pattern a glob (* and ?) tried without regard to case on
                       the material's name and then its texture's; SURFACE a surface name
                       ("_" for a space), a number 0-34, or NAME #N; "default = SURFACE" for
                       the rest (else 0, Standard). A material named after a surface, as
                       export-mesh writes them, gets that surface. --max-faces N simplifies
                       the mesh to at most N faces, keeping open edges and the borders
                       between surfaces. Says the triangles read, the vertices after merging,
                       the faces dropped and the faces per surface; a mesh beyond the game's
                       limits (55000 bytes per coll, 65535 vertices) is refused with the limit
                       and by how much.
                         vantorel-cli import-mesh generic.col kiosk.dff kiosk --surfaces map.txt
                         vantorel-cli import-mesh generic.col kiosk.obj --replace kiosk --max-faces 500
  export-mesh FILE COLL OUT.obj|OUT.glb [--with-primitives] [--overwrite]
                       writes the coll's mesh as a Wavefront OBJ with its MTL file beside it
                       (OUT with .mtl), or as binary glTF for a .glb name: one material per
                       surface, named after the surface, so that import-mesh gives the faces
                       their surfaces back. --with-primitives adds each sphere and box as an
                       object of its own, col_sphere_N or col_box_N (N from 0), whose
                       material names it and its surface; import-mesh leaves those out. An
                       OUT (or its MTL) that exists is replaced only with --overwrite. FILE
                       is only read.
                         vantorel-cli export-mesh generic.col kiosk kiosk.obj
  recalc-bounds FILE (COLL | --all)
                       recalculates the bounding sphere and box of the coll, or of every
                       coll, from its spheres, boxes and vertices
                         vantorel-cli recalc-bounds generic.col --all
  clean FILE (COLL | --all)
                       deletes the vertices no face uses, renumbering the faces; says how
                       many went per coll
                         vantorel-cli clean generic.col '#5'
  surface FILE COLL (--spheres|--boxes|--faces) (LIST | --all) --material M [--parameter P]
                       gives the listed spheres, boxes or faces the surface type M (0-34);
                       with --parameter also the car part P (0-12, or 17 for the windscreen).
                       The other surface bytes stay.
                         vantorel-cli surface generic.col lamppost --faces 0,3,5-9 --material 12
                         vantorel-cli surface cars.col '#2' --spheres --all --material 0 --parameter 17
  convert FILE (COLL | --all) --to col1|col2|col3
                       converts the coll, or every coll, to "COLL", "COL2" or "COL3" records:
                       surfaces are mapped between the tables of the games, coordinates
                       rounded to 1/128 for COL2/COL3. What the new kind cannot keep is said,
                       one line per coll. A coll whose coordinates do not fit is refused, and
                       with it the whole command.
                         vantorel-cli convert generic.col --all --to col3 -o generic_sa.col

  Every new name (NEWNAME) has 4 to 20 characters, each one of a-z, A-Z, 0-9 and _; a
  renamed coll's new name differs from its old one by more than letter case. Names may repeat
  until the file is saved: a save is refused while two colls share a name (ignoring case).
  A writing command that is refused or fails writes nothing and leaves FILE byte for byte as
  it was. Changed colls get the editor's ID "QKZV", as when the window applies them. The
  editing commands print nothing on standard output; they take no --json.

  -o OUT never names FILE itself (nor a link to it); an OUT that exists as a file is replaced
  only with --overwrite. A character device or named pipe is written into (-o /dev/stdout).
  A command that saves FILE locks it from reading to saving, so a second command on the same
  file waits and then works on the first one's result; a FILE that another program changed in
  the meantime is not overwritten. A file with several hard links is not replaced (the links
  would part): write the result with -o. Messages such as "3 vertices deleted." are shown
  only when the command succeeds.

COLL is #N, the coll's 1-based position in the file, or its exact name (the first coll
of that name). LIST names elements by their 0-based numbers: single numbers and ranges,
separated by commas ("0,3,5-9").

Options:
  --json                  write one JSON document (UTF-8; coll names are converted from
                          Windows-1252) instead of text: list, info and check
  --game iii|vc|sa        the game check checks for (default vc); iii and vc read only
                          "COLL" records, sa reads "COL2", "COL3" and "COL4" ones too
  -o FILE, --output FILE  script: the file to save the script to; editing commands: the file
                          to write the result to, instead of saving FILE
  --append, --overwrite   export: what to do with a TARGET that exists
  --overwrite             with -o: replace an OUT that exists; export-mesh: replace OUT
  --replace COLL          import-mesh: replace the mesh of COLL instead of adding a coll
  --surfaces MAP          import-mesh: the file that maps materials to surfaces
  --max-faces N           import-mesh: simplify the mesh to at most N faces
  --with-primitives       export-mesh: write the spheres and boxes too, as objects
  --all                   recalc-bounds, clean, convert: every coll; surface: every element of
                          the kind
  --to col1|col2|col3     convert: the record kind, "COLL", "COL2" or "COL3"
  --spheres, --boxes, --faces
                          surface: the kind of element LIST counts
  --material M            surface: the surface type, 0 to 34
  --parameter P           surface: the car part, 0 to 12 or 17
  --decimal-separator C   read and write decimal numbers with C instead of the locale's
                          separator (LC_NUMERIC); import-script reads "." in any case
  --help                  show this text
  --version               show the version
  --                      end of the options; later words are files or colls

JSON documents:
  list:   {"file": "generic.col", "damaged": false, "colls": [
             {"number": 1, "name": "bar_gatebar01", "offset": 0, "size": 120, "empty": false,
              "version": 1},
             ...]}
          "size" is the whole record length in bytes; "version" is 1 for "COLL", 2, 3 or 4
          for "COL2", "COL3", "COL4"; "damaged" is true when the file ends in a damaged
          record (exit status 1).
  info:   {"file": "generic.col", "number": 3, "collCount": 330, "name": "barrierturn",
           "size": 120, "offset": 240, "id": [145, 58, 47, 0],
           "boundingSphere": {"radius": 3.574963, "center": [0.024973, 0, 3.50196]},
           "boundingBox": {"min": [-0.100027, -0.29, -0.06115198],
                           "max": [0.149973, 0.29, 7.065072]},
           "spheres": 0, "boxes": 1, "vertices": 0, "faces": 0, "unknownSurface": false,
           "version": 1, "modelId": null, "faceGroups": 0, "shadowVertices": 0,
           "shadowFaces": 0}
          "modelId" is the San Andreas kinds' 16-bit model ID, null for "COLL"; their
          "vertices" are as many as the highest index a face uses, plus 1.
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

Messages the editor would show (its errors, hints about unknown surface types, "3 vertices
deleted.") go to standard error; the batch tool answers the editor's questions itself and
refuses, saying which, any question or dialog the command line gives no answer for. Exit
status: 0 on success, 1 when a command was refused or failed, a file or coll could not be
read, or check found an error (the reason on standard error), 2 on a usage error.
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
  if (line.version) {
    out << VersionText(kProgram) << '\n';
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
  for (const std::string& option : line.given) {
    if (!Applies(*form, option)) {
      return UsageError(option + " does not apply to " + form->name + "; " + usage, err);
    }
  }
  if (const auto problem = FormProblem(*form, line, operands.size())) {
    return UsageError(problem->empty() ? usage : *problem + "; " + usage, err);
  }

  Settings settings;
  settings.environment = environment;
  if (line.decimalSeparator) settings.environment.decimalSeparator = *line.decimalSeparator;
  settings.json = line.json;
  settings.game = line.game.value_or(Game::ViceCity);

  if (command == "list") return ListColls(operands[0], settings, out, err);
  if (command == "check") return CheckFiles(operands, settings, out, err);
  if (command == "info") return ShowInfo(operands[0], operands[1], settings, out, err);
  return RunEditingCommand(command, operands, line, settings.environment, out, err);
}

}  // namespace vantorel::cli
