#include "cli/game_check_finding.h"

namespace vantorel::cli {

std::string PrintableName(std::string_view bytes) {
  std::string text;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\') {
      text += c;
    } else {
      constexpr char kHex[] = "0123456789ABCDEF";
      text += "\\x";
      text += kHex[byte >> 4];
      text += kHex[byte & 0xF];
    }
  }
  return text;
}

std::string FindingLine(const GameCheckFinding& finding) {
  return finding.file + ":" + std::to_string(finding.coll) + ":" + PrintableName(finding.name) +
         ": " + std::string(SeverityText(finding.severity)) + ": " + finding.text;
}

std::string_view SeverityText(FindingSeverity severity) {
  switch (severity) {
    case FindingSeverity::Error:
      return "error";
    case FindingSeverity::Warning:
      return "warning";
    case FindingSeverity::Note:
      return "note";
  }
  return "error";
}

std::string_view KindText(FindingKind kind) {
  switch (kind) {
    case FindingKind::DamagedRecord:
      return "damaged-record";
    case FindingKind::RecordTooLarge:
      return "record-too-large";
    case FindingKind::TooManyVertices:
      return "too-many-vertices";
    case FindingKind::FaceIndexOutOfRange:
      return "face-index-out-of-range";
    case FindingKind::NotFinite:
      return "not-finite";
    case FindingKind::NegativeRadius:
      return "negative-radius";
    case FindingKind::DuplicateName:
      return "duplicate-name";
    case FindingKind::RecordKindNotRead:
      return "record-kind-not-read";
    case FindingKind::CoordinateOutOfRange:
      return "coordinate-out-of-range";
    case FindingKind::FaceGroupOutOfRange:
      return "face-group-out-of-range";
    case FindingKind::DegenerateFace:
      return "degenerate-face";
    case FindingKind::UnusedVertices:
      return "unused-vertices";
    case FindingKind::BoundsTooSmall:
      return "bounds-too-small";
    case FindingKind::UnknownMaterial:
      return "unknown-material";
    case FindingKind::NameProblem:
      return "name-problem";
    case FindingKind::UnusedCountSet:
      return "unused-count-set";
    case FindingKind::BytesAfterFaces:
      return "bytes-after-faces";
    case FindingKind::Suppressed:
      return "suppressed";
  }
  return "damaged-record";
}

}  // namespace vantorel::cli
