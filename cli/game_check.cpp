#include "cli/game_check.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <utility>

#include "core/little_endian.h"
#include "core/number_text.h"

namespace vantorel::cli {

namespace {

constexpr std::size_t kHeaderBytes = 72;
constexpr std::size_t kSphereBytes = 20;
constexpr std::size_t kBoxBytes = 28;
constexpr std::size_t kVertexBytes = 12;
constexpr std::size_t kFaceBytes = 16;
constexpr std::size_t kNameBytes = 20;
constexpr std::size_t kNameOffset = 8;
constexpr std::size_t kIdOffset = 28;
// The game reads the bytes after a record's Size field into a buffer of this many bytes.
constexpr std::uint64_t kGameBufferBytes = 55000;
// Face indices are kept in 16 bits by the game.
constexpr std::int64_t kMostVertices = 65535;
constexpr double kBoundsTolerance = 1e-4;
constexpr double kFlatness = 1e-6;

struct Vec {
  double x;
  double y;
  double z;
};

Vec LoadVec(const std::uint8_t* p) {
  return {le::LoadF32(p), le::LoadF32(p + 4), le::LoadF32(p + 8)};
}
bool Finite(const Vec& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}
double Dot(const Vec& a, const Vec& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec Minus(const Vec& a, const Vec& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec Cross(const Vec& a, const Vec& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

std::string Plural(std::size_t count, const char* singular, const char* plural) {
  return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Remembers the names seen so far in an open-addressing table keyed by the upper-cased name,
// which grows by doubling: one probe per coll and no allocation per coll. Its slots point at the
// names inside the file image, which outlives the table.
class NameTable {
 public:
  // Slots are read at random from a table of megabytes; asking for a name's slot well before
  // FindOrAdd needs it hides most of the wait.
  void Prefetch(std::string_view name) const {
#if defined(__GNUC__)
    if (!slots_.empty()) __builtin_prefetch(&slots_[Hash(name) & (slots_.size() - 1)]);
#else
    (void)name;
#endif
  }

  // The number of an earlier coll of the same name ignoring ASCII case, or 0 after
  // remembering this coll's name.
  std::size_t FindOrAdd(std::string_view name, std::size_t collNumber) {
    if (collNumber > std::numeric_limits<std::uint32_t>::max()) return 0;
    if (2 * (used_ + 1) > slots_.size()) Grow();
    const std::uint64_t hash = Hash(name);
    Slot& slot = Probe(name, hash);
    if (slot.number != 0) return slot.number;
    slot = {hash, name.data(), static_cast<std::uint32_t>(collNumber),
            static_cast<std::uint8_t>(name.size())};
    ++used_;
    return 0;
  }

 private:
  struct Slot {
    std::uint64_t hash;  // kept, so growing never reads the names again
    const char* name;
    std::uint32_t number;  // 0 marks a free slot
    std::uint8_t length;
  };

  static std::uint64_t Hash(std::string_view name) {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (const char c : name)
      hash = (hash ^ static_cast<unsigned char>(AsciiUpper(c))) * 1099511628211ull;
    return hash ^ (hash >> 29);
  }
  static bool SameName(const Slot& slot, std::string_view name) {
    if (slot.length != name.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
      if (AsciiUpper(slot.name[i]) != AsciiUpper(name[i])) return false;
    }
    return true;
  }

  Slot& Probe(std::string_view name, std::uint64_t hash) {
    const std::size_t mask = slots_.size() - 1;
    for (auto i = static_cast<std::size_t>(hash) & mask;; i = (i + 1) & mask) {
      Slot& slot = slots_[i];
      if (slot.number == 0 || (slot.hash == hash && SameName(slot, name))) return slot;
    }
  }

  void Grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(std::max<std::size_t>(1024, 2 * old.size()), Slot{});
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
      if (slot.number == 0) continue;
      auto i = static_cast<std::size_t>(slot.hash) & mask;
      while (slots_[i].number != 0)
        i = (i + 1) & mask;
      slots_[i] = slot;
    }
  }

  std::vector<Slot> slots_;
  std::size_t used_ = 0;
};

// Where the element arrays of a record lie, once its counts are known to fit.
struct RecordLayout {
  const std::uint8_t* spheres = nullptr;
  const std::uint8_t* boxes = nullptr;
  const std::uint8_t* vertices = nullptr;
  const std::uint8_t* faces = nullptr;
  std::size_t sphereCount = 0;
  std::size_t boxCount = 0;
  std::size_t vertexCount = 0;
  std::size_t faceCount = 0;
  std::int32_t unusedCount = 0;
  std::size_t length = 0;  // bytes from the record's start to the end of its faces
};

// The stored bounding objects of a coll and how far the elements reach beyond them.
class BoundsCheck {
 public:
  explicit BoundsCheck(const std::uint8_t* header) {
    radius_ = le::LoadF32(header + 32);
    center_ = LoadVec(header + 36);
    min_ = LoadVec(header + 48);
    max_ = LoadVec(header + 60);
    usable_ =
        std::isfinite(radius_) && radius_ >= 0 && Finite(center_) && Finite(min_) && Finite(max_);
    double scale = std::max(1.0, radius_);
    for (const Vec& v : {center_, min_, max_}) {
      scale = std::max({scale, std::fabs(v.x), std::fabs(v.y), std::fabs(v.z)});
    }
    tolerance_ = kBoundsTolerance * scale;
    const double reach = radius_ + tolerance_;
    reachSquared_ = reach * reach;
  }

  bool Usable() const { return usable_; }

  // A point with a radius around it: a vertex (radius 0) or a collision sphere.
  void Point(const char* kind, std::size_t index, const Vec& p, double r) {
    const double boxExcess = std::max({min_.x - (p.x - r), min_.y - (p.y - r), min_.z - (p.z - r),
                                       p.x + r - max_.x, p.y + r - max_.y, p.z + r - max_.z});
    box_.Take(boxExcess, tolerance_, kind, index);
    const Vec d = Minus(p, center_);
    const double distanceSquared = Dot(d, d);
    // The square root is only needed for what may lie outside.
    const double room = radius_ + tolerance_ - r;
    if (room < 0 || distanceSquared > room * room) {
      sphere_.Take(std::sqrt(distanceSquared) + r - radius_, tolerance_, kind, index);
    }
  }

  void Box(std::size_t index, const Vec& lo, const Vec& hi) {
    const double boxExcess = std::max(
        {min_.x - lo.x, min_.y - lo.y, min_.z - lo.z, hi.x - max_.x, hi.y - max_.y, hi.z - max_.z});
    box_.Take(boxExcess, tolerance_, "box", index);
    // The corner farthest from the centre decides.
    const Vec far{std::max(std::fabs(lo.x - center_.x), std::fabs(hi.x - center_.x)),
                  std::max(std::fabs(lo.y - center_.y), std::fabs(hi.y - center_.y)),
                  std::max(std::fabs(lo.z - center_.z), std::fabs(hi.z - center_.z))};
    const double distanceSquared = Dot(far, far);
    if (distanceSquared > reachSquared_) {
      sphere_.Take(std::sqrt(distanceSquared) - radius_, tolerance_, "box", index);
    }
  }

  struct Outside {
    std::size_t count = 0;
    double worst = 0;
    const char* kind = "";
    std::size_t index = 0;

    void Take(double excess, double tolerance, const char* elementKind, std::size_t element) {
      if (!(excess > tolerance)) return;
      ++count;
      if (excess > worst) {
        worst = excess;
        kind = elementKind;
        index = element;
      }
    }
  };
  const Outside& BoxOutside() const { return box_; }
  const Outside& SphereOutside() const { return sphere_; }

 private:
  double radius_;
  Vec center_;
  Vec min_;
  Vec max_;
  bool usable_;
  double tolerance_;
  double reachSquared_;
  Outside box_;
  Outside sphere_;
};

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
      if (left < 4 || std::memcmp(bytes_.data() + pos, "COLL", 4) != 0) {
        BeginColl(number, {});
        Add(FindingSeverity::Error, FindingKind::DamagedRecord, [&] {
          return "no \"COLL\" record at offset " + std::to_string(pos) + ": the last " +
                 Plural(left, "byte", "bytes") + " of the file belong to no coll";
        });
        EndColl();
        return;
      }
      if (left < kHeaderBytes) {
        BeginColl(number, {});
        Add(FindingSeverity::Error, FindingKind::DamagedRecord, [&] {
          return "the record at offset " + std::to_string(pos) +
                 " is cut short: " + Plural(left, "byte", "bytes") +
                 " of its 72-byte header are there";
        });
        EndColl();
        return;
      }
      ++result_.colls;
      const std::uint64_t recordBytes = std::uint64_t{le::LoadU32(bytes_.data() + pos + 4)} + 8;
      if (!CheckRecord(number, pos, recordBytes)) return;
      if (recordBytes >= left) return;
      pos += static_cast<std::size_t>(recordBytes);
    }
  }

 private:
  // Checks the record at pos; false when the next record cannot be found from it.
  bool CheckRecord(std::size_t number, std::size_t pos, std::uint64_t recordBytes) {
    const std::uint8_t* record = bytes_.data() + pos;
    const char* nameField = reinterpret_cast<const char*>(record + kNameOffset);
    const std::string_view name(nameField, strnlen(nameField, kNameBytes));
    BeginColl(number, name);
    const std::uint64_t size = recordBytes - 8;
    if (recordBytes < kHeaderBytes) {
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
    if (size > kGameBufferBytes) {
      Add(FindingSeverity::Error, FindingKind::RecordTooLarge, [&] {
        return "Size " + std::to_string(size) +
               " is above 55000: the game reads each coll into a buffer of 55000 bytes";
      });
    }
    names_.Prefetch(name);  // looked up after the elements, when the slot has arrived
    CheckName(record, name);
    CheckHeaderNumbers(record);

    RecordLayout layout;
    const auto available = static_cast<std::size_t>(std::min<std::uint64_t>(recordBytes, left));
    if (ReadLayout(record, available, layout)) {
      if (layout.length < recordBytes && recordBytes <= left) {
        Add(FindingSeverity::Warning, FindingKind::BytesAfterFaces, [&] {
          return Plural(static_cast<std::size_t>(recordBytes - layout.length), "byte", "bytes") +
                 " after the faces belong to no element; saving from the editor drops them";
        });
      }
      CheckElements(record, layout);
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

  void CheckDuplicateName(std::string_view name, std::size_t number) {
    if (const std::size_t twin = names_.FindOrAdd(name, number)) {
      Add(FindingSeverity::Error, FindingKind::DuplicateName, [&] {
        return "coll " + std::to_string(twin) +
               " has the same name (names are compared ignoring case)";
      });
    }
  }

  void CheckHeaderNumbers(const std::uint8_t* record) {
    const float radius = le::LoadF32(record + 32);
    const Vec center = LoadVec(record + 36);
    const Vec lo = LoadVec(record + 48);
    const Vec hi = LoadVec(record + 60);
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

  // Finds the element arrays, reporting the first count that does not fit.
  bool ReadLayout(const std::uint8_t* record, std::size_t available, RecordLayout& layout) {
    std::size_t pos = kHeaderBytes;
    auto readCount = [&](const char* what, std::size_t elementBytes, std::size_t& count,
                         const std::uint8_t*& first) {
      if (available - pos < 4) {
        Add(FindingSeverity::Error, FindingKind::DamagedRecord,
            [&] { return std::string("the record ends before its ") + what + " count"; });
        return false;
      }
      const std::int32_t value = le::LoadI32(record + pos);
      pos += 4;
      const std::size_t room = (available - pos) / elementBytes;
      if (value < 0 || static_cast<std::size_t>(value) > room) {
        Add(FindingSeverity::Error, FindingKind::DamagedRecord, [&] {
          return std::string("the ") + what + " count " + std::to_string(value) +
                 (value < 0 ? " is negative"
                            : " does not fit the record (room for " + std::to_string(room) + ")");
        });
        return false;
      }
      count = static_cast<std::size_t>(value);
      first = record + pos;
      pos += count * elementBytes;
      return true;
    };
    if (!readCount("sphere", kSphereBytes, layout.sphereCount, layout.spheres)) return false;
    if (available - pos < 4) {
      Add(FindingSeverity::Error, FindingKind::DamagedRecord,
          [] { return std::string("the record ends before the count after its spheres"); });
      return false;
    }
    layout.unusedCount = le::LoadI32(record + pos);
    pos += 4;
    if (!readCount("box", kBoxBytes, layout.boxCount, layout.boxes) ||
        !readCount("vertex", kVertexBytes, layout.vertexCount, layout.vertices) ||
        !readCount("face", kFaceBytes, layout.faceCount, layout.faces)) {
      return false;
    }
    layout.length = pos;
    return true;
  }

  void CheckElements(const std::uint8_t* record, const RecordLayout& layout) {
    if (layout.unusedCount != 0) {
      Add(FindingSeverity::Warning, FindingKind::UnusedCountSet, [&] {
        return "the count after the spheres is " + std::to_string(layout.unusedCount) +
               ", not 0; no elements of that kind are read, and the editor writes it as 0";
      });
    }
    if (static_cast<std::int64_t>(layout.vertexCount) > kMostVertices) {
      Add(FindingSeverity::Error, FindingKind::TooManyVertices, [&] {
        return std::to_string(layout.vertexCount) +
               " vertices: the game keeps face indices in 16 bits, so at most 65535 work";
      });
    }
    BoundsCheck bounds(record);
    CheckSpheres(layout, bounds);
    CheckBoxes(layout, bounds);
    CheckVertices(layout, bounds);
    CheckFaces(layout);
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

  void CheckSpheres(const RecordLayout& layout, BoundsCheck& bounds) {
    for (std::size_t i = 0; i < layout.sphereCount; ++i) {
      const std::uint8_t* p = layout.spheres + i * kSphereBytes;
      const float radius = le::LoadF32(p);
      const Vec center = LoadVec(p + 4);
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

  void CheckBoxes(const RecordLayout& layout, BoundsCheck& bounds) {
    for (std::size_t i = 0; i < layout.boxCount; ++i) {
      const std::uint8_t* p = layout.boxes + i * kBoxBytes;
      const Vec lo = LoadVec(p);
      const Vec hi = LoadVec(p + 12);
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

  void CheckVertices(const RecordLayout& layout, BoundsCheck& bounds) {
    for (std::size_t i = 0; i < layout.vertexCount; ++i) {
      const Vec v = LoadVec(layout.vertices + i * kVertexBytes);
      if (!Finite(v)) {
        Add(FindingSeverity::Error, FindingKind::NotFinite, [&] {
          return "vertex " + std::to_string(i) + " has a number that is not finite (" + Text(v) +
                 ")";
        });
      } else if (bounds.Usable()) {
        bounds.Point("vertex", i, v, 0);
      }
    }
  }

  void CheckFaces(const RecordLayout& layout) {
    const std::size_t vertexCount = layout.vertexCount;
    used_.assign(vertexCount, 0);
    for (std::size_t i = 0; i < layout.faceCount; ++i) {
      const std::uint8_t* p = layout.faces + i * kFaceBytes;
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
      const Vec a = LoadVec(layout.vertices + static_cast<std::size_t>(corner[0]) * kVertexBytes);
      const Vec b = LoadVec(layout.vertices + static_cast<std::size_t>(corner[1]) * kVertexBytes);
      const Vec c = LoadVec(layout.vertices + static_cast<std::size_t>(corner[2]) * kVertexBytes);
      const Vec ab = Minus(b, a);
      const Vec ac = Minus(c, a);
      const Vec bc = Minus(c, b);
      const Vec normal = Cross(ab, ac);
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

  void ReportBounds(const BoundsCheck& bounds) {
    auto report = [&](const BoundsCheck::Outside& outside, const char* object) {
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
  std::string Text(const Vec& v) const {
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
  NameTable names_;
  std::vector<std::uint8_t> used_;  // per vertex of the current coll: named by a face

  std::size_t collNumber_ = 0;
  std::string_view collName_;
  std::vector<GameCheckFinding> kept_;
  std::size_t keptWarnings_ = 0;
  std::size_t hiddenErrors_ = 0;
  std::size_t hiddenWarnings_ = 0;
};

}  // namespace

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

int HighestMaterial(Game game) {
  return game == Game::GtaIII ? 32 : 34;
}

std::string_view GameName(Game game) {
  return game == Game::GtaIII ? "GTA III" : "Vice City";
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

GameCheckResult CheckCollFile(std::string_view file, std::span<const std::uint8_t> bytes,
                              const GameCheckOptions& options) {
  GameCheckResult result;
  FileChecker(file, bytes, options, result).Run();
  return result;
}

}  // namespace vantorel::cli
