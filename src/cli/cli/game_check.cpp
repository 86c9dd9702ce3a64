#include "cli/game_check.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <utility>

#include "cli/bounds_containment.h"
#include "cli/coll_name_table.h"
#include "cli/point3.h"
#include "core/coll_codec.h"
#include "core/compressed_record.h"
#include "core/little_endian.h"
#include "core/number_text.h"
#include "core/record_layout.h"

namespace vantorel::cli {

namespace {

constexpr std::size_t kNameBytes = kCollLayout.NameBytes;
constexpr std::size_t kIdOffset = kCollLayout.IdOffset();
// The game reads the bytes after a record's Size field into a buffer of this many bytes.
constexpr std::uint64_t kGameBufferBytes = 55000;
// Face indices are kept in 16 bits by the game.
constexpr std::int64_t kMostVertices = 65535;
constexpr double kFlatness = 1e-6;

std::string Plural(std::size_t count, const char* singular, const char* plural) {
  return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

// The elements of one section of a record whose counts are known to fit.
struct Elements {
  const std::uint8_t* first;
  std::size_t count;
  std::size_t bytes;  // of one element

  const std::uint8_t* operator[](std::size_t index) const { return first + index * bytes; }
};
Elements SectionElements(const std::uint8_t* record, const RecordSections& sections,
                         Section section) {
  const SectionSpan& span = sections[section];
  return {record + span.Offset, span.Count, span.ElementBytes};
}

// What the findings call each section's count.
const char* CountName(Section section) {
  switch (section) {
    case Section::Spheres:
      return "sphere";
    case Section::Unused:
      return "unused";
    case Section::Boxes:
      return "box";
    case Section::Vertices:
      return "vertex";
    case Section::Faces:
      return "face";
    case Section::FaceGroups:
      return "face group";
    case Section::ShadowVertices:
      return "shadow vertex";
    case Section::ShadowFaces:
      return "shadow face";
  }
  return "";
}

class FileChecker {
 public:
  FileChecker(std::string_view file, std::span<const std::uint8_t> bytes,
              const GameCheckOptions& options, GameCheckResult& result)
      : file_(file),
        bytes_(bytes),
        options_(options),
        highestMaterial_(HighestMaterial(options.game)),
        result_(result) {}

  void Run() {
    std::size_t pos = 0;
    const std::size_t size = bytes_.size();
    for (std::size_t number = 1; pos < size; ++number) {
      const std::size_t left = size - pos;
      const RecordLayout* layout = left >= 4 ? LayoutOfFourCC(bytes_.data() + pos) : nullptr;
      if (!layout) {
        BeginColl(number, {});
        Add(FindingSeverity::Error, FindingKind::DamagedRecord, [&] {
          return std::string(options_.game == Game::SanAndreas
                                 ? "no collision record (\"COLL\", \"COL2\", \"COL3\", "
                                   "\"COL4\")"
                                 : "no \"COLL\" record") +
                 " at offset " + std::to_string(pos) + ": the last " +
                 Plural(left, "byte", "bytes") + " of the file belong to no coll";
        });
        EndColl();
        return;
      }
      if (left < layout->HeaderBytes) {
        BeginColl(number, {});
        Add(FindingSeverity::Error, FindingKind::DamagedRecord, [&] {
          return "the record at offset " + std::to_string(pos) +
                 " is cut short: " + Plural(left, "byte", "bytes") + " of its " +
                 std::to_string(layout->HeaderBytes) + "-byte header are there";
        });
        EndColl();
        return;
      }
      ++result_.colls;
      const std::uint64_t recordBytes = std::uint64_t{le::LoadU32(bytes_.data() + pos + 4)} + 8;
      if (!CheckRecord(number, pos, recordBytes, *layout)) return;
      if (recordBytes >= left) return;
      pos += static_cast<std::size_t>(recordBytes);
    }
  }

 private:
  // Checks the record at pos; false when the next record cannot be found from it.
  bool CheckRecord(std::size_t number, std::size_t pos, std::uint64_t recordBytes,
                   const RecordLayout& layout) {
    const std::uint8_t* record = bytes_.data() + pos;
    const char* nameField = reinterpret_cast<const char*>(record + kNameOffset);
    const std::string_view name(nameField, strnlen(nameField, layout.NameBytes));
    BeginColl(number, name);
    const std::uint64_t size = recordBytes - 8;
    if (recordBytes < layout.HeaderBytes) {
      Add(FindingSeverity::Error, FindingKind::DamagedRecord, [&] {
        return "Size " + std::to_string(size) +
               " does not even cover the header; the next record cannot be found";
      });
      EndColl();
      return false;
    }
    const std::size_t left = bytes_.size() - pos;
    if (recordBytes > left) {
      Add(FindingSeverity::Error, FindingKind::DamagedRecord, [&] {
        return "Size " + std::to_string(size) + " runs " +
               Plural(recordBytes - left, "byte", "bytes") + " past the end of the file";
      });
    }
    if (layout.Version >= 2 && options_.game != Game::SanAndreas) {
      Add(FindingSeverity::Error, FindingKind::RecordKindNotRead, [&] {
        return "a \"" + std::string(layout.FourCC.data(), 4) +
               "\" record: " + std::string(GameName(options_.game)) +
               " reads only \"COLL\" records (check it with --game sa)";
      });
      CheckDuplicateName(name, number);
      EndColl();
      return true;
    }
    if (size > kGameBufferBytes && options_.game != Game::SanAndreas) {
      Add(FindingSeverity::Error, FindingKind::RecordTooLarge, [&] {
        return "Size " + std::to_string(size) +
               " is above 55000: the game reads each coll into a buffer of 55000 bytes";
      });
    }
    names_.Prefetch(name);  // looked up after the elements, when the slot has arrived
    if (layout.Version >= 2) {
      CheckCompressedName(name);
    } else {
      CheckName(record, name);
    }
    CheckHeaderNumbers(record, layout);

    RecordSections sections;
    const auto available = static_cast<std::size_t>(std::min<std::uint64_t>(recordBytes, left));
    if (const SectionProblem problem =
            LocateSections(layout, bytes_.subspan(pos, available), sections)) {
      ReportLayoutProblem(problem);
    } else if (layout.Version >= 2) {
      CheckCompressedElements(record, sections);
    } else {
      if (sections.Length < recordBytes && recordBytes <= left) {
        Add(FindingSeverity::Warning, FindingKind::BytesAfterFaces, [&] {
          return Plural(static_cast<std::size_t>(recordBytes - sections.Length), "byte", "bytes") +
                 " after the faces belong to no element; saving from the editor drops them";
        });
      }
      CheckElements(record, sections);
    }
    CheckDuplicateName(name, number);
    EndColl();
    return true;
  }

  void CheckName(const std::uint8_t* record, std::string_view name) {
    if (name.empty()) {
      Add(FindingSeverity::Warning, FindingKind::NameProblem, [] { return "the name is empty"; });
    }
    for (std::size_t i = 0; i < name.size(); ++i) {
      const auto byte = static_cast<unsigned char>(name[i]);
      if (byte < 0x20 || byte >= 0x7F) {
        Add(FindingSeverity::Warning, FindingKind::NameProblem, [&] {
          char hex[8];
          std::snprintf(hex, sizeof hex, "0x%02X", byte);
          return std::string("the name has a byte that is not printable ASCII (") + hex +
                 " at position " + std::to_string(i) + ")";
        });
        break;
      }
    }
    if (name.size() == kNameBytes && record[kIdOffset] != 0) {
      Add(FindingSeverity::Warning, FindingKind::NameProblem, [&] {
        const char* field = reinterpret_cast<const char*>(record + kNameOffset);
        const std::string_view read(field, strnlen(field, kNameBytes + 4));
        return "the name fills all 20 bytes with no NUL: the game reads on into the ID bytes "
               "and sees \"" +
               PrintableName(read) + "\"";
      });
    }
  }

  void CheckCompressedName(std::string_view name) {
    if (name.empty()) {
      Add(FindingSeverity::Warning, FindingKind::NameProblem, [] { return "the name is empty"; });
    }
    if (name.size() == 22) {
      Add(FindingSeverity::Warning, FindingKind::NameProblem,
          [] { return "the name fills all 22 bytes with no NUL: the game reads on past it"; });
    }
  }

  // The elements of a San Andreas record, decoded by the codec once their sections are known to
  // fit the record.
  void CheckCompressedElements(const std::uint8_t* record, const RecordSections& sections) {
    Coll coll;
    DecodeHeader(record, coll.Header);
    LoadCompressedSections(record, sections, coll);
    for (std::size_t i = 0; i < coll.Spheres.size(); ++i)
      CheckMaterial("sphere", i, coll.Spheres[i].Surface.Material);
    for (std::size_t i = 0; i < coll.Boxes.size(); ++i)
      CheckMaterial("box", i, coll.Boxes[i].Surface.Material);
    for (std::size_t i = 0; i < coll.Faces.size(); ++i)
      CheckMaterial("face", i, coll.Faces[i].Surface.Material);
    for (std::size_t i = 0; i < coll.ShadowFaces.size(); ++i)
      CheckMaterial("shadow face", i, coll.ShadowFaces[i].Surface.Material);
    for (std::size_t i = 0; i < coll.FaceGroups.size(); ++i) {
      const CollFaceGroup& group = coll.FaceGroups[i];
      if (group.First <= group.Last && group.Last < coll.Faces.size()) continue;
      Add(FindingSeverity::Error, FindingKind::FaceGroupOutOfRange, [&] {
        return "face group " + std::to_string(i) + " covers faces " + std::to_string(group.First) +
               " to " + std::to_string(group.Last) + ", outside the " +
               Plural(coll.Faces.size(), "face", "faces");
      });
    }
  }

  void CheckDuplicateName(std::string_view name, std::size_t number) {
    if (const std::size_t twin = names_.FindOrAdd(name, number)) {
      Add(FindingSeverity::Error, FindingKind::DuplicateName, [&] {
        return "coll " + std::to_string(twin) +
               " has the same name (names are compared ignoring case)";
      });
    }
  }

  void CheckHeaderNumbers(const std::uint8_t* record, const RecordLayout& layout) {
    // "COLL": radius, centre, minimum, maximum; the San Andreas kinds: minimum, maximum,
    // centre, radius.
    const bool compressed = layout.Version >= 2;
    const float radius = le::LoadF32(record + (compressed ? 68 : 32));
    const Point3 center = LoadPoint3(record + (compressed ? 56 : 36));
    const Point3 lo = LoadPoint3(record + (compressed ? 32 : 48));
    const Point3 hi = LoadPoint3(record + (compressed ? 44 : 60));
    if (!std::isfinite(radius) || !Finite(center)) {
      Add(FindingSeverity::Error, FindingKind::NotFinite, [&] {
        return "the bounding sphere has a number that is not finite (radius " + Number(radius) +
               ", centre " + Text(center) + ")";
      });
    } else if (radius < 0) {
      Add(FindingSeverity::Error, FindingKind::NegativeRadius,
          [&] { return "the bounding sphere's radius is negative (" + Number(radius) + ")"; });
    }
    if (!Finite(lo) || !Finite(hi)) {
      Add(FindingSeverity::Error, FindingKind::NotFinite, [&] {
        return "the bounding box has a number that is not finite (min " + Text(lo) + ", max " +
               Text(hi) + ")";
      });
    }
  }

  void ReportLayoutProblem(const SectionProblem& problem) {
    using Fault = SectionProblem::Fault;
    const std::string what = CountName(problem.Section);
    Add(FindingSeverity::Error, FindingKind::DamagedRecord, [&] {
      switch (problem.What) {
        case Fault::HeaderCutOff:
          return std::string("the record ends inside its header");
        case Fault::OffsetMissing:
          return "the " + what + " section has elements but offset 0";
        case Fault::OffsetOutside:
          return "the " + what + " offset " + std::to_string(problem.Count) +
                 " points outside the record";
        case Fault::Overlap:
          return "the " + what + " section at offset " + std::to_string(problem.Count) +
                 " overlaps another section";
        default:
          break;
      }
      if (problem.What == Fault::CountCutOff) {
        return problem.Section == Section::Unused
                   ? std::string("the record ends before the count after its spheres")
                   : "the record ends before its " + what + " count";
      }
      return "the " + what + " count " + std::to_string(problem.Count) +
             (problem.What == Fault::CountNegative
                  ? " is negative"
                  : " does not fit the record (room for " + std::to_string(problem.Room) + ")");
    });
  }

  void CheckElements(const std::uint8_t* record, const RecordSections& sections) {
    const std::int32_t unusedCount = sections[Section::Unused].StoredCount;
    if (unusedCount != 0) {
      Add(FindingSeverity::Warning, FindingKind::UnusedCountSet, [&] {
        return "the count after the spheres is " + std::to_string(unusedCount) +
               ", not 0; no elements of that kind are read, and the editor writes it as 0";
      });
    }
    const Elements vertices = SectionElements(record, sections, Section::Vertices);
    if (static_cast<std::int64_t>(vertices.count) > kMostVertices) {
      Add(FindingSeverity::Error, FindingKind::TooManyVertices, [&] {
        return std::to_string(vertices.count) +
               " vertices: the game keeps face indices in 16 bits, so at most 65535 work";
      });
    }
    BoundsContainment bounds(record);
    CheckSpheres(SectionElements(record, sections, Section::Spheres), bounds);
    CheckBoxes(SectionElements(record, sections, Section::Boxes), bounds);
    CheckVertices(vertices, bounds);
    CheckFaces(SectionElements(record, sections, Section::Faces), vertices);
    if (bounds.Usable()) ReportBounds(bounds);
  }

  void CheckMaterial(const char* kind, std::size_t index, std::uint8_t material) {
    if (material <= highestMaterial_) return;
    Add(FindingSeverity::Warning, FindingKind::UnknownMaterial, [&] {
      return std::string(kind) + " " + std::to_string(index) + " uses material " +
             std::to_string(material) + ", which " + std::string(GameName(options_.game)) +
             " does not know (0-" + std::to_string(highestMaterial_) + ")";
    });
  }

  void CheckSpheres(const Elements& spheres, BoundsContainment& bounds) {
    for (std::size_t i = 0; i < spheres.count; ++i) {
      const std::uint8_t* p = spheres[i];
      const float radius = le::LoadF32(p);
      const Point3 center = LoadPoint3(p + 4);
      if (!std::isfinite(radius) || !Finite(center)) {
        Add(FindingSeverity::Error, FindingKind::NotFinite, [&] {
          return "sphere " + std::to_string(i) + " has a number that is not finite (radius " +
                 Number(radius) + ", centre " + Text(center) + ")";
        });
      } else if (radius < 0) {
        Add(FindingSeverity::Error, FindingKind::NegativeRadius, [&] {
          return "sphere " + std::to_string(i) + " has a negative radius (" + Number(radius) + ")";
        });
      } else if (bounds.Usable()) {
        bounds.Point("sphere", i, center, radius);
      }
      CheckMaterial("sphere", i, p[16]);
    }
  }

  void CheckBoxes(const Elements& boxes, BoundsContainment& bounds) {
    for (std::size_t i = 0; i < boxes.count; ++i) {
      const std::uint8_t* p = boxes[i];
      const Point3 lo = LoadPoint3(p);
      const Point3 hi = LoadPoint3(p + 12);
      if (!Finite(lo) || !Finite(hi)) {
        Add(FindingSeverity::Error, FindingKind::NotFinite, [&] {
          return "box " + std::to_string(i) + " has a number that is not finite (min " + Text(lo) +
                 ", max " + Text(hi) + ")";
        });
      } else if (bounds.Usable()) {
        bounds.Box(i, lo, hi);
      }
      CheckMaterial("box", i, p[24]);
    }
  }

  void CheckVertices(const Elements& vertices, BoundsContainment& bounds) {
    for (std::size_t i = 0; i < vertices.count; ++i) {
      const Point3 v = LoadPoint3(vertices[i]);
      if (!Finite(v)) {
        Add(FindingSeverity::Error, FindingKind::NotFinite, [&] {
          return "vertex " + std::to_string(i) + " has a number that is not finite (" + Text(v) +
                 ")";
        });
        continue;
      }
      // San Andreas stores a "COLL" vertex in 16 bits too, and one outside the range wraps.
      if (options_.game == Game::SanAndreas &&
          !(FitsCompressed(static_cast<float>(v.x)) && FitsCompressed(static_cast<float>(v.y)) &&
            FitsCompressed(static_cast<float>(v.z)))) {
        Add(FindingSeverity::Error, FindingKind::CoordinateOutOfRange, [&] {
          return "vertex " + std::to_string(i) + " (" + Text(v) +
                 ") lies outside -256 to 255.99, which San Andreas cannot store";
        });
      }
      if (bounds.Usable()) {
        bounds.Point("vertex", i, v, 0);
      }
    }
  }

  void CheckFaces(const Elements& faces, const Elements& vertices) {
    const std::size_t vertexCount = vertices.count;
    used_.assign(vertexCount, 0);
    for (std::size_t i = 0; i < faces.count; ++i) {
      const std::uint8_t* p = faces[i];
      const std::array<std::int32_t, 3> corner{le::LoadI32(p), le::LoadI32(p + 4),
                                               le::LoadI32(p + 8)};
      CheckMaterial("face", i, p[12]);
      bool inRange = true;
      for (const std::int32_t index : corner) {
        if (index >= 0 && static_cast<std::size_t>(index) < vertexCount) {
          used_[static_cast<std::size_t>(index)] = 1;
        } else if (inRange) {
          inRange = false;
          Add(FindingSeverity::Error, FindingKind::FaceIndexOutOfRange, [&] {
            return "face " + std::to_string(i) + " names vertex " + std::to_string(index) +
                   ", which does not exist (" + Plural(vertexCount, "vertex", "vertices") + ")";
          });
        }
      }
      if (!inRange) continue;
      if (corner[0] == corner[1] || corner[1] == corner[2] || corner[0] == corner[2]) {
        const std::int32_t twice =
            corner[0] == corner[1] || corner[0] == corner[2] ? corner[0] : corner[1];
        Add(FindingSeverity::Warning, FindingKind::DegenerateFace, [&] {
          return "face " + std::to_string(i) + " uses vertex " + std::to_string(twice) + " twice";
        });
        continue;
      }
      const Point3 a = LoadPoint3(vertices[static_cast<std::size_t>(corner[0])]);
      const Point3 b = LoadPoint3(vertices[static_cast<std::size_t>(corner[1])]);
      const Point3 c = LoadPoint3(vertices[static_cast<std::size_t>(corner[2])]);
      const Point3 ab = Minus(b, a);
      const Point3 ac = Minus(c, a);
      const Point3 bc = Minus(c, b);
      const Point3 normal = Cross(ab, ac);
      // |ab x ac| is the longest edge times the height over it.
      const double longest = std::max({Dot(ab, ab), Dot(ac, ac), Dot(bc, bc)});
      const double limit = kFlatness * longest;
      if (Dot(normal, normal) <= limit * limit) {
        Add(FindingSeverity::Warning, FindingKind::DegenerateFace, [&] {
          return "face " + std::to_string(i) + " has no area: its corners lie on one line";
        });
      }
    }
    const auto unused = static_cast<std::size_t>(std::count(used_.begin(), used_.end(), 0));
    if (unused == 0) return;
    const auto first =
        static_cast<std::size_t>(std::find(used_.begin(), used_.end(), 0) - used_.begin());
    Add(FindingSeverity::Warning, FindingKind::UnusedVertices, [&] {
      if (unused == 1) return "vertex " + std::to_string(first) + " is used by no face";
      return std::to_string(unused) + " of " + std::to_string(vertexCount) +
             " vertices are used by no face, the first vertex " + std::to_string(first);
    });
  }

  void ReportBounds(const BoundsContainment& bounds) {
    auto report = [&](const BoundsContainment::Outside& outside, const char* object) {
      if (outside.count == 0) return;
      Add(FindingSeverity::Warning, FindingKind::BoundsTooSmall, [&] {
        std::string text = std::string("the bounding ") + object + " leaves out ";
        if (outside.count > 1) {
          text += std::to_string(outside.count) + " elements, the farthest ";
        }
        return text + outside.kind + " " + std::to_string(outside.index) + " by " +
               Number(outside.worst);
      });
    };
    report(bounds.BoxOutside(), "box");
    report(bounds.SphereOutside(), "sphere");
  }

  std::string Number(double value) const {
    return FormatCoordinate(value, options_.decimalSeparator);
  }
  std::string Text(const Point3& v) const {
    return Number(v.x) + "; " + Number(v.y) + "; " + Number(v.z);
  }

  void BeginColl(std::size_t number, std::string_view name) {
    collNumber_ = number;
    collName_ = name;
    kept_.clear();
    keptWarnings_ = 0;
    hiddenErrors_ = 0;
    hiddenWarnings_ = 0;
  }

  // Keeps the finding while the coll's cap allows; past it an error still displaces the latest
  // kept warning. makeText runs only for findings that are kept.
  template <class MakeText>
  void Add(FindingSeverity severity, FindingKind kind, MakeText&& makeText) {
    const bool isError = severity == FindingSeverity::Error;
    ++(isError ? result_.errors : result_.warnings);
    if (kept_.size() >= options_.findingsPerColl) {
      if (!isError || keptWarnings_ == 0) {
        ++(isError ? hiddenErrors_ : hiddenWarnings_);
        return;
      }
      const auto latestWarning =
          std::find_if(kept_.rbegin(), kept_.rend(), [](const GameCheckFinding& finding) {
            return finding.severity == FindingSeverity::Warning;
          });
      kept_.erase(std::next(latestWarning).base());
      --keptWarnings_;
      ++hiddenWarnings_;
    }
    if (!isError) ++keptWarnings_;
    kept_.push_back(
        {std::string(file_), collNumber_, std::string(collName_), severity, kind, makeText()});
  }

  void EndColl() {
    for (GameCheckFinding& finding : kept_)
      result_.findings.push_back(std::move(finding));
    kept_.clear();
    const std::size_t hidden = hiddenErrors_ + hiddenWarnings_;
    if (hidden == 0) return;
    result_.notShown += hidden;
    result_.findings.push_back({std::string(file_), collNumber_, std::string(collName_),
                                FindingSeverity::Note, FindingKind::Suppressed,
                                Plural(hidden, "more finding", "more findings") +
                                    " in this coll not shown (" +
                                    Plural(hiddenErrors_, "error", "errors") + ", " +
                                    Plural(hiddenWarnings_, "warning", "warnings") + ")"});
  }

  std::string_view file_;
  std::span<const std::uint8_t> bytes_;
  const GameCheckOptions& options_;
  int highestMaterial_;
  GameCheckResult& result_;
  CollNameTable names_;
  std::vector<std::uint8_t> used_;  // per vertex of the current coll: named by a face

  std::size_t collNumber_ = 0;
  std::string_view collName_;
  std::vector<GameCheckFinding> kept_;
  std::size_t keptWarnings_ = 0;
  std::size_t hiddenErrors_ = 0;
  std::size_t hiddenWarnings_ = 0;
};

}  // namespace

int HighestMaterial(Game game) {
  return game == Game::GtaIII ? 32 : game == Game::ViceCity ? 34 : 178;
}

std::string_view GameName(Game game) {
  return game == Game::GtaIII ? "GTA III" : game == Game::ViceCity ? "Vice City" : "San Andreas";
}

GameCheckResult CheckCollFile(std::string_view file, std::span<const std::uint8_t> bytes,
                              const GameCheckOptions& options) {
  GameCheckResult result;
  FileChecker(file, bytes, options, result).Run();
  return result;
}

}  // namespace vantorel::cli
