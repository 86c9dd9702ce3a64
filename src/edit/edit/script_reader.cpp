#include "edit/script_reader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/number_parse.h"
#include "core/record_layout.h"
#include "core/sa_surface_table.h"
#include "core/text_trim.h"

namespace vantorel {

namespace {

constexpr std::uint8_t kHighestScriptMaterial = 34;
constexpr std::uint8_t kHighestSaScriptMaterial = kSaSurfaceCount - 1;
constexpr std::string_view kKindLinePrefix = "# Kind: ";

// Lines and fields are short, so the searches compare sixteen bytes at a time in a vector
// register where the processor has SSE2 (every x86-64 does), else eight bytes at a time in a
// general register, rather than calling a library search that first has to set up.
constexpr std::uint64_t kOnes = 0x0101010101010101u;
constexpr std::uint64_t kHighBits = 0x8080808080808080u;

// The high bit of each byte of word that equals c; bits above the lowest one may be wrong.
constexpr std::uint64_t MatchingBytes(std::uint64_t word, char c) {
  const std::uint64_t x = word ^ (kOnes * static_cast<unsigned char>(c));
  return (x - kOnes) & ~x & kHighBits;
}

std::uint64_t LoadWord(const char* p) {
  std::uint64_t word = 0;
  std::memcpy(&word, p, sizeof word);
  if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
  return word;
}

// The first byte equal to a or b, or nullptr.
const char* FindEither(const char* p, const char* end, char a, char b) {
#if defined(__SSE2__)
  const __m128i wantA = _mm_set1_epi8(a);
  const __m128i wantB = _mm_set1_epi8(b);
  for (; end - p >= 16; p += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const int mask =
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, wantA), _mm_cmpeq_epi8(bytes, wantB)));
    if (mask != 0) return p + std::countr_zero(static_cast<unsigned>(mask));
  }
#endif
  for (; end - p >= 8; p += 8) {
    const std::uint64_t word = LoadWord(p);
    if (const std::uint64_t m = MatchingBytes(word, a) | MatchingBytes(word, b)) {
      return p + std::countr_zero(m) / 8;
    }
  }
  for (; p != end; ++p) {
    if (*p == a || *p == b) return p;
  }
  return nullptr;
}

const char* FindChar(const char* p, const char* end, char c) {
  return FindEither(p, end, c, c);
}

const char* FindLineEnd(const char* p, const char* end) {
  const char* found = FindEither(p, end, '\n', '\r');
  return found ? found : end;
}

bool IsFieldSeparator(char c) {
  return c == ':' || c == ';' || c == '|' || c == '[' || c == ']';
}

// One element line. Each field ends at the first occurrence of its separator character that an
// earlier field has not used up, and must start after the previous field's separator: finding
// the separators in order is all the reader knows about the layout.
class ElementFields {
 public:
  ElementFields(std::string_view line, char decimalSeparator)
      : begin_(line.data()), end_(line.data() + line.size()), separator_(decimalSeparator) {}

  // Positions the reader after the first colon.
  bool FindColon() {
    previous_ = Next(colon_, ':');
    return previous_ != nullptr;
  }

  bool Real(char terminator, float& value) {
    std::string_view text;
    return Field(terminator, text) && TryParseDecimalReal(text, separator_, '.', value);
  }
  // The rest of the line after the last field.
  bool LastReal(float& value) {
    return TryParseDecimalReal(TrimBlanksAndControls(Between(previous_, end_)), separator_, '.',
                               value);
  }
  bool Integer(char terminator, std::int64_t& value) {
    std::string_view text;
    return Field(terminator, text) && TryParseDecimalInteger(text, value);
  }
  // The text between the first "[" and the first "]", wherever they stand.
  bool Material(std::uint8_t& material) {
    const char* open = Next(open_, '[');
    const char* close = Next(close_, ']');
    if (!open || !close || close < open) return false;
    std::int64_t value = 0;
    if (!TryParseDecimalInteger(TrimBlanksAndControls(Between(open, close)), value)) return false;
    // Capped once the script's kind is known (CapMaterials).
    material = static_cast<std::uint8_t>(static_cast<std::uint64_t>(value) & 0xFF);
    return true;
  }

 private:
  const char* Next(const char*& cursor, char c) {
    if (!cursor) cursor = begin_;
    const char* found = FindChar(cursor, end_, c);
    if (found) cursor = found + 1;
    return found;
  }
  // Fields end with ";" or "|".
  const char*& CursorFor(char terminator) { return terminator == ';' ? semicolon_ : bar_; }
  bool Field(char terminator, std::string_view& text) {
    const char* found = Next(CursorFor(terminator), terminator);
    if (!found || found < previous_) return false;
    text = TrimBlanksAndControls(Between(previous_, found));
    previous_ = found;
    return true;
  }
  static std::string_view Between(const char* separator, const char* next) {
    return {separator + 1, static_cast<std::size_t>(next - separator - 1)};
  }

  const char* begin_;
  const char* end_;
  char separator_;
  const char* previous_ = nullptr;
  const char* colon_ = nullptr;
  const char* semicolon_ = nullptr;
  const char* bar_ = nullptr;
  const char* open_ = nullptr;
  const char* close_ = nullptr;
};

bool ReadVector(ElementFields& line, char lastTerminator, Vector3& v) {
  return line.Real(';', v.X) && line.Real(';', v.Y) && line.Real(lastTerminator, v.Z);
}

// A face index that is negative or not below the vertices read so far names the last of them.
std::int32_t FaceIndex(std::int64_t index, std::size_t verticesRead) {
  const auto count = static_cast<std::int64_t>(verticesRead);
  return static_cast<std::int32_t>(index < 0 || index >= count ? count - 1 : index);
}

bool ReadElement(char kind, std::string_view text, char decimalSeparator, Coll& coll) {
  ElementFields line(text, decimalSeparator);
  if (!line.FindColon()) return false;
  switch (kind) {
    case 'S': {
      CollSphere& s = coll.Spheres.emplace_back();
      return line.Real('|', s.Radius) && ReadVector(line, '|', s.Center) &&
             line.Material(s.Surface.Material);
    }
    case 'B': {
      CollBox& b = coll.Boxes.emplace_back();
      return ReadVector(line, '|', b.Min) && ReadVector(line, '|', b.Max) &&
             line.Material(b.Surface.Material);
    }
    case 'V': {
      CollVertex& v = coll.Vertices.emplace_back();
      return line.Real(';', v.X) && line.Real(';', v.Y) && line.LastReal(v.Z);
    }
    default: {
      const std::size_t verticesRead = coll.Vertices.size();
      if (verticesRead == 0) return false;
      CollFace& f = coll.Faces.emplace_back();
      std::int64_t a = 0;
      std::int64_t b = 0;
      std::int64_t c = 0;
      if (!line.Integer(';', a) || !line.Integer(';', b) || !line.Integer('|', c)) return false;
      f.A = FaceIndex(a, verticesRead);
      f.B = FaceIndex(b, verticesRead);
      f.C = FaceIndex(c, verticesRead);
      return line.Material(f.Surface.Material);
    }
  }
}

// The element kind of a trimmed line, or NUL for a line the reader skips.
char LineKind(std::string_view line) {
  if (line.size() < 8 || line[1] != ' ') return '\0';
  char kind = line[0];
  if (kind >= 'a' && kind <= 'z') kind = static_cast<char>(kind - 'a' + 'A');
  return (kind == 'S' || kind == 'B' || kind == 'V' || kind == 'F') ? kind : '\0';
}

// The kind a "# Kind: COL3" comment line names, or 0 for any other line.
int KindOfLine(std::string_view line) {
  if (line.size() != kKindLinePrefix.size() + 4 || !line.starts_with(kKindLinePrefix)) return 0;
  std::array<char, 4> fourCC{};
  std::copy(line.end() - 4, line.end(), fourCC.begin());
  return CollVersion(fourCC);
}

void CapMaterials(Coll& coll, std::uint8_t highest) {
  const auto cap = [highest](Surface& surface) {
    surface.Material = std::min(surface.Material, highest);
  };
  for (CollSphere& sphere : coll.Spheres)
    cap(sphere.Surface);
  for (CollBox& box : coll.Boxes)
    cap(box.Surface);
  for (CollFace& face : coll.Faces)
    cap(face.Surface);
}

}  // namespace

ScriptReadResult ReadCollisionScript(std::string_view text, char decimalSeparator) {
  ScriptReadResult result;
  Coll coll;
  // A decimal separator that is itself a field separator turns the points of a script into
  // field separators too; such lines are read from a copy with the points replaced.
  const bool replacePoints = decimalSeparator != '.' && IsFieldSeparator(decimalSeparator);
  std::string replaced;
  const char* p = text.data();
  const char* const end = p + text.size();
  std::size_t lineNumber = 0;
  int version = 1;
  while (p < end) {
    ++lineNumber;
    const char* lineEnd = FindLineEnd(p, end);
    const char* next = lineEnd;
    if (next != end && *next++ == '\r' && next != end && *next == '\n') ++next;

    std::string_view line =
        TrimBlanksAndControls(std::string_view(p, static_cast<std::size_t>(lineEnd - p)));
    p = next;
    const char kind = LineKind(line);
    if (kind == '\0') {
      if (!line.empty() && line[0] == '#' && version == 1) version = std::max(KindOfLine(line), 1);
      continue;
    }
    if (replacePoints) {
      replaced.assign(line);
      std::replace(replaced.begin(), replaced.end(), '.', decimalSeparator);
      line = replaced;
    }
    if (!ReadElement(kind, line, decimalSeparator, coll)) {
      result.ErrorLine = lineNumber;
      return result;
    }
  }
  CapMaterials(coll, version >= 2 ? kHighestSaScriptMaterial : kHighestScriptMaterial);
  if (version >= 2) coll.Header.FourCC = LayoutOfVersion(version)->FourCC;
  result.Elements = std::move(coll);
  return result;
}

}  // namespace vantorel
