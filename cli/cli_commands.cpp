#include "cli/cli_commands.h"

#include <charconv>
#include <optional>
#include <ostream>

#include "app/editor_texts.h"
#include "core/coll_codec.h"
#include "core/file_io.h"
#include "core/surface_types.h"
#include "edit/collision_script.h"
#include "ops/brief_info.h"

namespace vantorel::cli {

namespace {

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

// "#N" is a 1-based position; anything else is an exact name, the first match wins.
std::optional<std::size_t> FindColl(const CollDirectoryEntries& directory, const std::string& key) {
  if (key.size() > 1 && key[0] == '#') {
    std::size_t number = 0;
    const char* end = key.data() + key.size();
    const auto [ptr, ec] = std::from_chars(key.data() + 1, end, number);
    if (ec == std::errc() && ptr == end && number >= 1 && number <= directory.size()) {
      return number - 1;
    }
    return std::nullopt;
  }
  for (std::size_t i = 0; i < directory.size(); ++i) {
    if (directory[i].Name == key) return i;
  }
  return std::nullopt;
}

int ListColls(const std::string& path, std::ostream& out, std::ostream& err) {
  const auto file = Open(path, err);
  if (!file) return kExitUnreadable;
  for (const CollDirectoryEntry& entry : file->directory)
    out << CollListLine(entry) << "\n";
  return file->damaged ? kExitUnreadable : kExitOk;
}

int ShowColl(const std::string& command, const std::string& path, const std::string& key,
             const Environment& environment, std::ostream& out, std::ostream& err) {
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
  if (HasUnknownSurface(coll, SurfaceTypeTable::Defaults())) {
    err << texts::UnknownSurfaceHint(HeaderName(coll.Header)) << "\n";
  }
  if (command == "info") {
    out << UnixLines(BuildBriefInfo(coll, static_cast<int>(*index),
                                    static_cast<int>(file->directory.size()), entry.Offset,
                                    environment.decimalSeparator))
        << "\n";
  } else {
    out << UnixLines(
               BuildCollisionScript(coll, environment.exportedOn, environment.decimalSeparator))
        << "\n";
  }
  return kExitOk;
}

}  // namespace

std::string HelpText() {
  return R"(Usage: vantorel-cli [--decimal-separator C] COMMAND FILE [COLL]

Reads a GTA III / Vice City collision file (.col) and prints what the editor shows.

Commands:
  list FILE          one line per coll, as the coll list shows it: the name, followed by
                     " [-]" for a coll without elements
                       vantorel-cli list generic.col
  info FILE COLL     the brief information report of one coll: name, position, size,
                     offset, ID bytes, bounding sphere and box, element counts
                       vantorel-cli info generic.col '#3'
  script FILE COLL   the collision script of one coll
                       vantorel-cli script generic.col lamppost > lamppost.cst

COLL is #N, the coll's 1-based position in the file, or its exact name (the first coll
of that name).

Options:
  --decimal-separator C   write decimal numbers with C instead of the locale's separator
                          (LC_NUMERIC)
  --help                  show this text

Messages the editor would show go to standard error. Exit status: 0 on success, 1 when
the file or the coll could not be read, 2 on a usage error.
)";
}

int Run(const std::vector<std::string>& args, const Environment& environment, std::ostream& out,
        std::ostream& err) {
  Environment env = environment;
  std::vector<std::string> words;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--help" || args[i] == "-h") {
      out << HelpText();
      return kExitOk;
    }
    if (args[i] == "--decimal-separator") {
      if (i + 1 >= args.size() || args[i + 1].size() != 1) {
        err << "--decimal-separator needs one character\n";
        return kExitUsage;
      }
      env.decimalSeparator = args[++i][0];
      continue;
    }
    words.push_back(args[i]);
  }
  if (words.size() == 2 && words[0] == "list") return ListColls(words[1], out, err);
  if (words.size() == 3 && (words[0] == "info" || words[0] == "script")) {
    return ShowColl(words[0], words[1], words[2], env, out, err);
  }
  err << HelpText();
  return kExitUsage;
}

}  // namespace vantorel::cli
