#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vantorel::cli {

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
  DuplicateName,         // the same name as an earlier coll, ignoring case
  RecordKindNotRead,     // a San Andreas record in a file checked for GTA III or Vice City
  CoordinateOutOfRange,  // San Andreas: a vertex the game cannot store in 16 bits
  FaceGroupOutOfRange,   // San Andreas: a face group naming faces that do not exist
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

// Name bytes as printable ASCII: other bytes, the quote and the backslash as \xNN.
std::string PrintableName(std::string_view bytes);

// "FILE:N:NAME: error: text", the name made printable.
std::string FindingLine(const GameCheckFinding& finding);

}  // namespace vantorel::cli
