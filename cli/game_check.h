#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantorel::cli {

// The game a file is checked for; it decides which materials are known.
enum class Game { GtaIII, ViceCity };

// The highest material id the game knows: 32 for GTA III, 34 for Vice City.
int HighestMaterial(Game game);
std::string_view GameName(Game game);  // "GTA III", "Vice City"

// Error: the game would misread the file or fail on it. Warning: the game reads it, but the
// data is probably not what its author meant. Note: how many findings of a coll were left out.
enum class FindingSeverity { Error, Warning, Note };

enum class FindingKind {
  // errors
  DamagedRecord,        // counts that do not fit, a Size past the end, no "COLL" where one belongs
  RecordTooLarge,       // Size above the game's 55,000-byte buffer
  TooManyVertices,      // more vertices than 16-bit face indices reach
  FaceIndexOutOfRange,  // a face naming a vertex that does not exist
  NotFinite,            // NaN or infinite numbers
  NegativeRadius,
  DuplicateName,  // the same name as an earlier coll, ignoring case
  // warnings
  DegenerateFace,   // two equal corners, or no area
  UnusedVertices,   // vertices no face uses
  BoundsTooSmall,   // bounding box or sphere that does not contain the geometry
  UnknownMaterial,  // a material the chosen game does not know
  NameProblem,      // empty, not printable ASCII, or running on into the ID bytes
  UnusedCountSet,   // the count after the spheres is not 0; the editor ignores and drops it
  BytesAfterFaces,  // the record's Size leaves bytes after the last face
  // notes
  Suppressed,
};

std::string_view SeverityText(FindingSeverity severity);  // "error", "warning", "note"
std::string_view KindText(FindingKind kind);              // "damaged-record", ...

struct GameCheckFinding {
  std::string file;
  std::size_t coll = 0;  // 1-based position of the coll in its file
  std::string name;      // the coll's name up to its first NUL, as stored (Windows-1252)
  FindingSeverity severity = FindingSeverity::Error;
  FindingKind kind = FindingKind::DamagedRecord;
  std::string text;  // printable ASCII only; bytes of names are written as \xNN
};

struct GameCheckOptions {
  Game game = Game::ViceCity;
  // At most this many findings are kept per coll, errors before warnings; one note then says
  // how many more there were.
  std::size_t findingsPerColl = 20;
  char decimalSeparator = '.';
};

struct GameCheckResult {
  std::vector<GameCheckFinding> findings;  // in file order
  std::size_t colls = 0;                   // records that start with "COLL"
  std::size_t errors = 0;                  // every error found, kept or not
  std::size_t warnings = 0;                // every warning found, kept or not
  std::size_t notShown = 0;                // findings left out by the cap
};

// Name bytes as printable ASCII: other bytes, the quote and the backslash as \xNN.
std::string PrintableName(std::string_view bytes);

// "FILE:N:NAME: error: text", the name made printable.
std::string FindingLine(const GameCheckFinding& finding);

// Checks a whole collision file image for what would keep the game from reading it as meant.
// Reads each record once, straight from the bytes; never reads outside them and never
// allocates from a count it has not checked against them.
//
// Tolerances: a bounding object contains an element when nothing of the element lies more than
// 1e-4 x the coll's scale outside it, the scale being the largest magnitude among the stored
// bounding values and at least 1 (stored bounds are floats written by many tools). A face has
// no area when its height over its longest edge is at most 1e-6 of that edge.
GameCheckResult CheckCollFile(std::string_view file, std::span<const std::uint8_t> bytes,
                              const GameCheckOptions& options);

}  // namespace vantorel::cli
