#include "cli/game_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "core/coll_codec.h"
#include "core/little_endian.h"
#include "tools/colgen/coll_builder.h"
#include "tools/colgen/large_file.h"

namespace vantorel {
namespace {

using cli::CheckCollFile;
using cli::FindingKind;
using cli::FindingSeverity;
using cli::Game;
using cli::GameCheckFinding;
using cli::GameCheckOptions;
using cli::GameCheckResult;
using colgen::CollBuilder;
using colgen::MakeSurface;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

GameCheckResult Check(const Bytes& bytes, Game game = Game::ViceCity,
                      std::size_t findingsPerColl = 20) {
  GameCheckOptions options;
  options.game = game;
  options.findingsPerColl = findingsPerColl;
  return CheckCollFile("test.col", bytes, options);
}

std::vector<FindingKind> Kinds(const GameCheckResult& result) {
  std::vector<FindingKind> kinds;
  for (const GameCheckFinding& finding : result.findings)
    kinds.push_back(finding.kind);
  return kinds;
}

// The single finding of the result, failing the test unless there is exactly one.
GameCheckFinding Only(const GameCheckResult& result) {
  EXPECT_EQ(result.findings.size(), 1u);
  if (result.findings.empty()) return {};
  for (const GameCheckFinding& finding : result.findings)
    EXPECT_EQ(finding.file, "test.col");
  return result.findings[0];
}

// Byte positions inside the encoded record of coll, starting at record.
struct Layout {
  std::size_t record, spheres, unusedCount, boxCount, boxes, vertexCount, vertices, faceCount,
      faces;
  explicit Layout(const Coll& coll, std::size_t at = 0) {
    record = at;
    spheres = at + 76;
    unusedCount = spheres + 20 * coll.Spheres.size();
    boxCount = unusedCount + 4;
    boxes = boxCount + 4;
    vertexCount = boxes + 28 * coll.Boxes.size();
    vertices = vertexCount + 4;
    faceCount = vertices + 12 * coll.Vertices.size();
    faces = faceCount + 4;
  }
  std::size_t Sphere(std::size_t i) const { return spheres + 20 * i; }
  std::size_t Box(std::size_t i) const { return boxes + 28 * i; }
  std::size_t Vertex(std::size_t i) const { return vertices + 12 * i; }
  std::size_t Face(std::size_t i) const { return faces + 16 * i; }
};

// A sound coll with every kind of element: a closed box mesh, a sphere and a box inside it.
Coll Crate(const char* name = "crate") {
  CollBuilder b(name);
  b.MeshBox({-1, -1, 0}, {1, 1, 2}, MakeSurface(5));
  b.Sphere({0, 0, 1}, 0.5f, MakeSurface(11));
  b.Box({-0.5f, -0.5f, 0.5f}, {0.5f, 0.5f, 1.5f}, MakeSurface(20));
  return b.Build();
}

TEST(GameCheck, SoundFilesHaveNoFindings) {
  const Bytes bytes = colgen::EncodeFile({Crate("a"), Crate("b"), CollBuilder("empty").Build()});
  const GameCheckResult result = Check(bytes);
  EXPECT_TRUE(result.findings.empty()) << cli::FindingLine(result.findings[0]);
  EXPECT_EQ(result.colls, 3u);
  EXPECT_EQ(result.errors, 0u);
  EXPECT_EQ(result.warnings, 0u);

  const GameCheckResult none = Check(Bytes{});
  EXPECT_TRUE(none.findings.empty());
  EXPECT_EQ(none.colls, 0u);
}

TEST(GameCheck, FindingLinesNameFileCollAndSeverity) {
  const GameCheckFinding finding{"dir/a.col",
                                 12,
                                 "lamp",
                                 FindingSeverity::Warning,
                                 FindingKind::UnusedVertices,
                                 "vertex 7 is used by no face"};
  EXPECT_EQ(cli::FindingLine(finding), "dir/a.col:12:lamp: warning: vertex 7 is used by no face");
  const GameCheckFinding odd{"a.col",
                             1,
                             std::string("a\"b\\c\n\xE9", 7),
                             FindingSeverity::Error,
                             FindingKind::DuplicateName,
                             "x"};
  EXPECT_EQ(cli::FindingLine(odd), "a.col:1:a\\x22b\\x5Cc\\x0A\\xE9: error: x");
  EXPECT_EQ(cli::KindText(FindingKind::BoundsTooSmall), "bounds-too-small");
  EXPECT_EQ(cli::SeverityText(FindingSeverity::Note), "note");
}

// ---- damaged records ----

TEST(GameCheck, NegativeOrOversizedCountsAreDamage) {
  const Coll crate = Crate();
  const Layout at(crate);
  Bytes bytes = colgen::EncodeFile({crate, Crate("next")});
  le::StoreI32(bytes.data() + at.spheres - 4, -5);
  GameCheckFinding finding = Only(Check(bytes));
  EXPECT_EQ(finding.kind, FindingKind::DamagedRecord);
  EXPECT_EQ(finding.severity, FindingSeverity::Error);
  EXPECT_EQ(finding.coll, 1u);
  EXPECT_EQ(finding.name, "crate");
  EXPECT_EQ(finding.text, "the sphere count -5 is negative");

  bytes = colgen::EncodeFile({crate, Crate("next")});
  le::StoreI32(bytes.data() + at.faceCount, 13);
  finding = Only(Check(bytes));
  EXPECT_EQ(finding.kind, FindingKind::DamagedRecord);
  EXPECT_EQ(finding.text, "the face count 13 does not fit the record (room for 12)");

  bytes = colgen::EncodeFile({crate, Crate("next")});
  le::StoreI32(bytes.data() + at.vertexCount, std::numeric_limits<std::int32_t>::max());
  finding = Only(Check(bytes));
  EXPECT_EQ(finding.text, "the vertex count 2147483647 does not fit the record (room for " +
                              std::to_string((12 * 8 + 4 + 12 * 16) / 12) + ")");
}

TEST(GameCheck, TheNextRecordIsCheckedAfterADamagedOne) {
  const Coll crate = Crate();
  Bytes bytes = colgen::EncodeFile({crate, Crate("CRATE")});
  le::StoreI32(bytes.data() + Layout(crate).boxCount, 1000);
  const GameCheckResult result = Check(bytes);
  EXPECT_EQ(Kinds(result),
            (std::vector<FindingKind>{FindingKind::DamagedRecord, FindingKind::DuplicateName}));
  EXPECT_EQ(result.findings[1].coll, 2u);
  EXPECT_EQ(result.colls, 2u);
}

TEST(GameCheck, ASizePastTheEndOfTheFileIsDamage) {
  Bytes bytes = colgen::EncodeFile({Crate("a"), Crate("b")});
  bytes.resize(bytes.size() - 10);
  const GameCheckResult result = Check(bytes);
  ASSERT_EQ(result.findings.size(), 2u);
  EXPECT_EQ(result.findings[0].coll, 2u);
  EXPECT_EQ(result.findings[0].text, "Size " + std::to_string(RecordLength(Crate()) - 8) +
                                         " runs 10 bytes past the end of the file");
  EXPECT_EQ(result.findings[1].text, "the face count 12 does not fit the record (room for 11)");
  EXPECT_EQ(result.errors, 2u);
}

TEST(GameCheck, DataThatIsNotACollBeforeTheEndIsDamage) {
  Bytes bytes = colgen::EncodeFile({Crate("a")});
  const std::size_t end = bytes.size();
  for (const char c : std::string("JUNK1234"))
    bytes.push_back(static_cast<std::uint8_t>(c));
  GameCheckResult result = Check(bytes);
  GameCheckFinding finding = Only(result);
  EXPECT_EQ(finding.kind, FindingKind::DamagedRecord);
  EXPECT_EQ(finding.coll, 2u);
  EXPECT_EQ(finding.name, "");
  EXPECT_EQ(finding.text, "no \"COLL\" record at offset " + std::to_string(end) +
                              ": the last 8 bytes of the file belong to no coll");
  EXPECT_EQ(result.colls, 1u);

  // "COLL" is matched exactly, and so is a tail shorter than the marker.
  bytes.resize(end);
  for (const char c : std::string("coll"))
    bytes.push_back(static_cast<std::uint8_t>(c));
  EXPECT_EQ(Only(Check(bytes)).kind, FindingKind::DamagedRecord);
  bytes.resize(end + 2);
  EXPECT_EQ(Only(Check(bytes)).text, "no \"COLL\" record at offset " + std::to_string(end) +
                                         ": the last 2 bytes of the file belong to no coll");
}

TEST(GameCheck, ACutHeaderOrASizeBelowTheHeaderEndsTheCheck) {
  Bytes bytes = colgen::EncodeFile({Crate("a"), Crate("b")});
  const std::size_t second = RecordLength(Crate());
  bytes.resize(second + 40);
  EXPECT_EQ(Only(Check(bytes)).text, "the record at offset " + std::to_string(second) +
                                         " is cut short: 40 bytes of its 72-byte header are there");

  bytes = colgen::EncodeFile({Crate("a"), Crate("b"), Crate("a")});
  le::StoreU32(bytes.data() + second + 4, 10);
  const GameCheckResult result = Check(bytes);
  const GameCheckFinding finding = Only(result);  // the third coll is never reached
  EXPECT_EQ(finding.coll, 2u);
  EXPECT_EQ(finding.text,
            "Size 10 does not even cover the header; the next record cannot be found");
}

TEST(GameCheck, ARecordEndingInsideItsCountsIsDamage) {
  Bytes bytes = colgen::EncodeFile({CollBuilder("short").Build()});
  le::StoreU32(bytes.data() + 4, 64 + 4);  // room for the sphere count only
  bytes.resize(72 + 4);
  EXPECT_EQ(Only(Check(bytes)).text, "the record ends before the count after its spheres");
  le::StoreU32(bytes.data() + 4, 64);
  bytes.resize(72);
  EXPECT_EQ(Only(Check(bytes)).text, "the record ends before its sphere count");
}

TEST(GameCheck, EveryCutOfAFileIsReportedAsAnError) {
  const Bytes whole = colgen::EncodeFile({Crate("a"), CollBuilder("e").Build(), Crate("c")});
  ASSERT_TRUE(Check(whole).findings.empty());
  for (std::size_t length = 1; length < whole.size(); ++length) {
    const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
    const GameCheckResult result = Check(cut);
    // Cuts at a record boundary leave sound records only.
    const bool boundary = length == RecordLength(Crate()) || length == RecordLength(Crate()) + 92;
    EXPECT_EQ(result.errors == 0, boundary) << length;
  }
}

TEST(GameCheck, RandomDamageIsReadSafelyAndAnErrorWhereTheEditorFails) {
  // Under the sanitizers this is what it is for: flipped bytes in counts, sizes and indices.
  const Bytes whole = colgen::EncodeFile(
      {Crate("a"), colgen::PatternColl("p", 3, 2, 40, 9), CollBuilder("e").Build(), Crate("c")});
  std::mt19937 random(42);
  std::uniform_int_distribution<std::size_t> position(0, whole.size() - 1);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 2000; ++round) {
    Bytes bytes = whole;
    for (int flips = 0; flips < 1 + round % 4; ++flips)
      bytes[position(random)] = static_cast<std::uint8_t>(byte(random));
    const GameCheckResult result = Check(bytes, Game::ViceCity, 5);
    EXPECT_LE(result.colls, 4u);
    for (const GameCheckFinding& finding : result.findings) {
      for (const char c : finding.text)
        ASSERT_TRUE(c >= 0x20 && c < 0x7F) << finding.text;
    }
    if (result.errors > 0) continue;
    // Without an error the editor reads the whole file.
    CollDirectoryEntries directory;
    ASSERT_EQ(ScanFile(bytes, directory), ScanEnd::EndOfData) << round;
    ASSERT_EQ(directory.size(), result.colls);
    for (CollDirectoryEntry& entry : directory) {
      Coll coll;
      ASSERT_EQ(ReadColl(bytes, entry, coll), ReadResult::Ok) << round;
    }
  }
}

// ---- errors the game trips over ----

TEST(GameCheck, ASizeAboveTheGameBufferIsAnError) {
  // 84 + 12 x 4575 + 16 = 55000: exactly what the buffer holds.
  CollBuilder b("big");
  for (int i = 0; i < 4575; ++i)
    b.Vertex({static_cast<float>(i % 7), static_cast<float>(i % 11), static_cast<float>(i % 13)});
  b.Face(0, 1, 2, MakeSurface(0));
  Coll coll = b.Build();
  ASSERT_EQ(coll.Header.Size, 55000u);
  std::vector<FindingKind> kinds = Kinds(Check(colgen::EncodeFile({coll})));
  EXPECT_EQ(std::count(kinds.begin(), kinds.end(), FindingKind::RecordTooLarge), 0);

  coll.Vertices.push_back({1, 2, 3});
  const GameCheckResult result = Check(colgen::EncodeFile({coll}));
  ASSERT_FALSE(result.findings.empty());
  EXPECT_EQ(result.findings[0].kind, FindingKind::RecordTooLarge);
  EXPECT_EQ(result.findings[0].text,
            "Size 55012 is above 55000: the game reads each coll into a buffer of 55000 bytes");
}

TEST(GameCheck, MoreVerticesThanSixteenBitIndicesReachIsAnError) {
  CollBuilder b("many");
  for (int i = 0; i < 65535; ++i)
    b.Vertex({static_cast<float>(i), 0, static_cast<float>(i % 2)});
  for (int i = 0; i + 2 < 65535; i += 3)
    b.Face(i, i + 1, i + 2, MakeSurface(0));
  Coll coll = b.Build();
  auto count = [](const GameCheckResult& result, FindingKind kind) {
    const std::vector<FindingKind> kinds = Kinds(result);
    return std::count(kinds.begin(), kinds.end(), kind);
  };
  EXPECT_EQ(count(Check(colgen::EncodeFile({coll})), FindingKind::TooManyVertices), 0);
  coll.Vertices.push_back({0, 0, 0});
  const GameCheckResult result = Check(colgen::EncodeFile({coll}));
  ASSERT_EQ(count(result, FindingKind::TooManyVertices), 1);
  const auto it = std::find_if(
      result.findings.begin(), result.findings.end(),
      [](const GameCheckFinding& f) { return f.kind == FindingKind::TooManyVertices; });
  EXPECT_EQ(it->text,
            "65536 vertices: the game keeps face indices in 16 bits, so at most 65535 work");
  EXPECT_EQ(it->severity, FindingSeverity::Error);
}

TEST(GameCheck, AFaceNamingAMissingVertexIsAnError) {
  const Coll crate = Crate();
  const Layout at(crate);
  Bytes bytes = colgen::EncodeFile({crate});
  le::StoreI32(bytes.data() + at.Face(3) + 4, 8);
  le::StoreI32(bytes.data() + at.Face(5), -1);
  const GameCheckResult result = Check(bytes);
  EXPECT_EQ(Kinds(result), (std::vector<FindingKind>{FindingKind::FaceIndexOutOfRange,
                                                     FindingKind::FaceIndexOutOfRange}));
  EXPECT_EQ(result.findings[0].text, "face 3 names vertex 8, which does not exist (8 vertices)");
  EXPECT_EQ(result.findings[1].text, "face 5 names vertex -1, which does not exist (8 vertices)");
  EXPECT_EQ(result.errors, 2u);

  // No vertices at all.
  CollBuilder b("novertex");
  b.Face(0, 0, 0, MakeSurface(0));
  EXPECT_EQ(Only(Check(colgen::EncodeFile({b.Build()}))).text,
            "face 0 names vertex 0, which does not exist (0 vertices)");
}

TEST(GameCheck, NaNAndInfiniteNumbersAreErrors) {
  const Coll crate = Crate();
  const Layout at(crate);
  struct Case {
    std::size_t offset;
    float value;
    const char* text;
  };
  const Case cases[] = {
      {32, kNaN,
       "the bounding sphere has a number that is not finite (radius NAN, centre "
       "0.0; 0.0; 1.0)"},
      {40, kInfinity,
       "the bounding sphere has a number that is not finite (radius 1.73205, "
       "centre 0.0; INF; 1.0)"},
      {60, -kInfinity,
       "the bounding box has a number that is not finite (min -1.0; -1.0; 0.0, "
       "max -INF; 1.0; 2.0)"},
      {at.Sphere(0), kNaN,
       "sphere 0 has a number that is not finite (radius NAN, centre "
       "0.0; 0.0; 1.0)"},
      {at.Box(0) + 20, kInfinity,
       "box 0 has a number that is not finite (min -0.5; -0.5; 0.5, "
       "max 0.5; 0.5; INF)"},
      {at.Vertex(6) + 4, kNaN, "vertex 6 has a number that is not finite (-1.0; NAN; 2.0)"},
  };
  for (const Case& c : cases) {
    Bytes bytes = colgen::EncodeFile({crate});
    le::StoreF32(bytes.data() + c.offset, c.value);
    const GameCheckFinding finding = Only(Check(bytes));
    EXPECT_EQ(finding.kind, FindingKind::NotFinite) << c.text;
    EXPECT_EQ(finding.severity, FindingSeverity::Error);
    EXPECT_EQ(finding.text, c.text);
  }
}

TEST(GameCheck, ANegativeRadiusIsAnError) {
  const Coll crate = Crate();
  Bytes bytes = colgen::EncodeFile({crate});
  le::StoreF32(bytes.data() + Layout(crate).Sphere(0), -0.5f);
  GameCheckFinding finding = Only(Check(bytes));
  EXPECT_EQ(finding.kind, FindingKind::NegativeRadius);
  EXPECT_EQ(finding.text, "sphere 0 has a negative radius (-0.5)");

  bytes = colgen::EncodeFile({crate});
  le::StoreF32(bytes.data() + 32, -2.0f);
  finding = Only(Check(bytes));
  EXPECT_EQ(finding.kind, FindingKind::NegativeRadius);
  EXPECT_EQ(finding.text, "the bounding sphere's radius is negative (-2.0)");
}

TEST(GameCheck, NamesEqualIgnoringCaseAreErrorsOnTheLaterColl) {
  const Bytes bytes =
      colgen::EncodeFile({Crate("Lamp_01"), Crate("bench"), Crate("LAMP_01"), Crate("lamp_01"),
                          Crate("lamp_011"), Crate("\xE9t\xE9"), Crate("\xC9t\xC9")});
  const GameCheckResult result = Check(bytes);
  std::vector<std::pair<std::size_t, std::string>> seen;
  for (const GameCheckFinding& finding : result.findings) {
    if (finding.kind == FindingKind::DuplicateName) seen.emplace_back(finding.coll, finding.text);
  }
  // Only ASCII letters fold, as the editor's save compares names.
  EXPECT_EQ(seen, (std::vector<std::pair<std::size_t, std::string>>{
                      {3, "coll 1 has the same name (names are compared ignoring case)"},
                      {4, "coll 1 has the same name (names are compared ignoring case)"}}));
}

TEST(GameCheck, DuplicatesAreFoundAmongManyColls) {
  // Enough names to make the table grow several times.
  std::vector<Coll> colls;
  for (int i = 0; i < 5000; ++i)
    colls.push_back(CollBuilder("object_" + std::to_string(i)).Build());
  colls.push_back(CollBuilder("OBJECT_4321").Build());
  colls.push_back(CollBuilder("object_").Build());
  const GameCheckResult result = Check(colgen::EncodeFile(colls));
  const GameCheckFinding finding = Only(result);
  EXPECT_EQ(finding.coll, 5001u);
  EXPECT_EQ(finding.text, "coll 4322 has the same name (names are compared ignoring case)");
  EXPECT_EQ(result.colls, 5002u);
}

// ---- warnings ----

TEST(GameCheck, FacesWithTwoEqualCornersOrNoAreaAreWarnings) {
  CollBuilder b("flat");
  const auto v0 = b.Vertex({0, 0, 0});
  const auto v1 = b.Vertex({10, 0, 0});
  const auto v2 = b.Vertex({5, 0, 0});         // on the line v0-v1
  const auto v3 = b.Vertex({5, 0, 0.00001f});  // 1e-6 of the edge above it: still flat
  const auto v4 = b.Vertex({5, 0, 0.0001f});   // 1e-5 of the edge: a thin face, but a face
  b.Face(v0, v1, v2, MakeSurface(0));
  b.Face(v0, v1, v3, MakeSurface(0));
  b.Face(v0, v1, v4, MakeSurface(0));
  b.Face(v0, v1, v0, MakeSurface(0));
  b.Face(v2, v1, v1, MakeSurface(0));
  b.Face(v4, v4, v4, MakeSurface(0));
  const GameCheckResult result = Check(colgen::EncodeFile({b.Build()}));
  std::vector<std::string> texts;
  for (const GameCheckFinding& finding : result.findings) {
    EXPECT_EQ(finding.kind, FindingKind::DegenerateFace) << finding.text;
    EXPECT_EQ(finding.severity, FindingSeverity::Warning);
    texts.push_back(finding.text);
  }
  EXPECT_EQ(texts,
            (std::vector<std::string>{"face 0 has no area: its corners lie on one line",
                                      "face 1 has no area: its corners lie on one line",
                                      "face 3 uses vertex 0 twice", "face 4 uses vertex 1 twice",
                                      "face 5 uses vertex 4 twice"}));
  EXPECT_EQ(result.errors, 0u);
}

TEST(GameCheck, VerticesNoFaceUsesAreWarnings) {
  CollBuilder one("one");
  one.MeshBox({0, 0, 0}, {1, 1, 1}, MakeSurface(0));
  one.Vertex({0.5f, 0.5f, 0.5f});
  EXPECT_EQ(Only(Check(colgen::EncodeFile({one.Build()}))).text, "vertex 8 is used by no face");

  CollBuilder several("several");
  several.Vertex({0, 0, 0});
  several.MeshBox({0, 0, 0}, {1, 1, 1}, MakeSurface(0));
  several.Vertex({0.5f, 0.5f, 0.5f});
  several.Vertex({0.5f, 0.5f, 0.25f});
  const GameCheckFinding finding = Only(Check(colgen::EncodeFile({several.Build()})));
  EXPECT_EQ(finding.kind, FindingKind::UnusedVertices);
  EXPECT_EQ(finding.severity, FindingSeverity::Warning);
  EXPECT_EQ(finding.text, "3 of 11 vertices are used by no face, the first vertex 0");

  // A face with a missing corner still marks the corners that exist.
  const Coll crate = Crate();
  Bytes bytes = colgen::EncodeFile({crate});
  for (std::size_t face = 0; face < 12; ++face)
    le::StoreI32(bytes.data() + Layout(crate).Face(face) + 8, 99);
  for (const GameCheckFinding& f : Check(bytes).findings)
    EXPECT_NE(f.kind, FindingKind::UnusedVertices) << f.text;
}

TEST(GameCheck, BoundsThatLeaveOutGeometryAreWarningsBeyondTheTolerance) {
  const Coll crate = Crate();  // box -1,-1,0 .. 1,1,2; sphere centre 0,0,1 radius sqrt(3)
  const Layout at(crate);
  // The crate's scale is 2 (its largest bounding value), so the tolerance is 0.0002.
  Bytes bytes = colgen::EncodeFile({crate});
  le::StoreF32(bytes.data() + at.Vertex(7) + 8, 2.00015f);  // inside the tolerance
  EXPECT_TRUE(Check(bytes).findings.empty());

  le::StoreF32(bytes.data() + at.Vertex(7) + 8, 2.01f);
  GameCheckResult result = Check(bytes);
  ASSERT_EQ(result.findings.size(), 2u);
  EXPECT_EQ(result.findings[0].kind, FindingKind::BoundsTooSmall);
  EXPECT_EQ(result.findings[0].text, "the bounding box leaves out vertex 7 by 0.01");
  EXPECT_EQ(result.findings[1].text, "the bounding sphere leaves out vertex 7 by 0.00579");

  // A smaller bounding sphere leaves out several elements; the farthest is named.
  bytes = colgen::EncodeFile({crate});
  le::StoreF32(bytes.data() + 32, 1.0f);
  result = Check(bytes);
  EXPECT_EQ(Only(result).text,
            "the bounding sphere leaves out 8 elements, the farthest vertex 0 "
            "by 0.73205");

  // Spheres and boxes count with their extent.
  bytes = colgen::EncodeFile({crate});
  le::StoreF32(bytes.data() + at.Sphere(0), 1.25f);  // reaches from -0.25 to 2.25 high
  le::StoreF32(bytes.data() + at.Box(0), -1.1f);     // min x
  EXPECT_EQ(Only(Check(bytes)).text,
            "the bounding box leaves out 2 elements, the farthest sphere 0 by 0.25");
  le::StoreF32(bytes.data() + at.Sphere(0), 2.0f);
  result = Check(bytes);
  ASSERT_EQ(result.findings.size(), 2u);
  EXPECT_EQ(result.findings[1].text, "the bounding sphere leaves out sphere 0 by 0.26795");
}

TEST(GameCheck, ToleranceGrowsWithTheCollsScale) {
  // Far from the origin a float carries fewer decimals; 1e-4 of 5000 is 0.5.
  CollBuilder b("far");
  b.MeshBox({5000, 5000, 0}, {5010, 5010, 10}, MakeSurface(0));
  const Coll far = b.Build();
  Bytes bytes = colgen::EncodeFile({far});
  le::StoreF32(bytes.data() + Layout(far).Vertex(7), 5010.4f);
  EXPECT_TRUE(Check(bytes).findings.empty());
  le::StoreF32(bytes.data() + Layout(far).Vertex(7), 5010.75f);
  EXPECT_EQ(Kinds(Check(bytes)), (std::vector<FindingKind>{FindingKind::BoundsTooSmall}));
}

TEST(GameCheck, MaterialsTheChosenGameDoesNotKnowAreWarnings) {
  CollBuilder b("mats");
  b.Sphere({0, 0, 0}, 1, MakeSurface(33));
  b.Box({0, 0, 0}, {1, 1, 1}, MakeSurface(34));
  const auto v0 = b.Vertex({0, 0, 0});
  const auto v1 = b.Vertex({1, 0, 0});
  const auto v2 = b.Vertex({0, 1, 0});
  b.Face(v0, v1, v2, MakeSurface(32));
  b.Face(v0, v2, v1, MakeSurface(35));
  b.Face(v0, v1, v2, MakeSurface(255));
  const Bytes bytes = colgen::EncodeFile({b.Build()});

  std::vector<std::string> vc;
  for (const GameCheckFinding& finding : Check(bytes, Game::ViceCity).findings) {
    EXPECT_EQ(finding.kind, FindingKind::UnknownMaterial);
    vc.push_back(finding.text);
  }
  EXPECT_EQ(vc, (std::vector<std::string>{
                    "face 1 uses material 35, which Vice City does not know (0-34)",
                    "face 2 uses material 255, which Vice City does not know (0-34)"}));
  std::vector<std::string> iii;
  for (const GameCheckFinding& finding : Check(bytes, Game::GtaIII).findings)
    iii.push_back(finding.text);
  EXPECT_EQ(iii, (std::vector<std::string>{
                     "sphere 0 uses material 33, which GTA III does not know (0-32)",
                     "box 0 uses material 34, which GTA III does not know (0-32)",
                     "face 1 uses material 35, which GTA III does not know (0-32)",
                     "face 2 uses material 255, which GTA III does not know (0-32)"}));
}

TEST(GameCheck, EmptyUnprintableAndRunOnNamesAreWarnings) {
  GameCheckFinding finding = Only(Check(colgen::EncodeFile({CollBuilder("").Build()})));
  EXPECT_EQ(finding.kind, FindingKind::NameProblem);
  EXPECT_EQ(finding.text, "the name is empty");

  finding = Only(Check(colgen::EncodeFile({CollBuilder("caf\xE9").Build()})));
  EXPECT_EQ(finding.kind, FindingKind::NameProblem);
  EXPECT_EQ(finding.text, "the name has a byte that is not printable ASCII (0xE9 at position 3)");
  EXPECT_EQ(finding.name, "caf\xE9");
  finding = Only(Check(colgen::EncodeFile({CollBuilder("tab\there").Build()})));
  EXPECT_EQ(finding.text, "the name has a byte that is not printable ASCII (0x09 at position 3)");

  // 20 characters and no NUL: the game reads on into the ID bytes unless they start with NUL.
  std::array<char, 20> full;
  std::memcpy(full.data(), "abcdefghijklmnopqrst", 20);
  finding = Only(Check(colgen::EncodeFile({CollBuilder("").RawName(full).Build()})));
  EXPECT_EQ(finding.kind, FindingKind::NameProblem);
  EXPECT_EQ(finding.text,
            "the name fills all 20 bytes with no NUL: the game reads on into the ID bytes and sees "
            "\"abcdefghijklmnopqrstGEN\"");
  finding = Only(
      Check(colgen::EncodeFile({CollBuilder("").RawName(full).Id({'Q', 'K', 0x01, 'V'}).Build()})));
  EXPECT_NE(finding.text.find("sees \"abcdefghijklmnopqrstQK\\x01V\""), std::string::npos);
  EXPECT_TRUE(
      Check(colgen::EncodeFile({CollBuilder("").RawName(full).Id({0, 'K', 'Z', 'V'}).Build()}))
          .findings.empty());
}

TEST(GameCheck, ASetUnusedCountAndBytesAfterTheFacesAreWarnings) {
  const Coll crate = Crate();
  Bytes bytes = colgen::EncodeFile({crate, Crate("next")});
  le::StoreI32(bytes.data() + Layout(crate).unusedCount, 3);
  GameCheckFinding finding = Only(Check(bytes));
  EXPECT_EQ(finding.kind, FindingKind::UnusedCountSet);
  EXPECT_EQ(finding.text,
            "the count after the spheres is 3, not 0; no elements of that kind are read, and the "
            "editor writes it as 0");

  // Eight more bytes inside the first record, which its Size covers.
  bytes = colgen::EncodeFile({crate});
  le::StoreU32(bytes.data() + 4, le::LoadU32(bytes.data() + 4) + 8);
  bytes.resize(bytes.size() + 8, 0);
  colgen::AppendColl(bytes, Crate("next"));
  const GameCheckResult result = Check(bytes);
  finding = Only(result);
  EXPECT_EQ(finding.kind, FindingKind::BytesAfterFaces);
  EXPECT_EQ(finding.coll, 1u);
  EXPECT_EQ(finding.text,
            "8 bytes after the faces belong to no element; saving from the editor drops them");
  EXPECT_EQ(result.colls, 2u);
}

// ---- the cap per coll ----

TEST(GameCheck, FindingsPerCollAreCappedWithANoteAndCountedInFull) {
  CollBuilder b("broken");
  const auto v0 = b.Vertex({0, 0, 0});
  const auto v1 = b.Vertex({1, 0, 0});
  const auto v2 = b.Vertex({0, 1, 0});
  b.Face(v0, v1, v2, MakeSurface(0));
  for (int i = 0; i < 100; ++i)
    b.Face(0, 1, 100 + i, MakeSurface(0));
  const GameCheckResult result =
      Check(colgen::EncodeFile({b.Build(), Crate("after")}), Game::ViceCity, 20);
  ASSERT_EQ(result.findings.size(), 21u);
  for (std::size_t i = 0; i < 20; ++i)
    EXPECT_EQ(result.findings[i].kind, FindingKind::FaceIndexOutOfRange);
  EXPECT_EQ(result.findings[19].text,
            "face 20 names vertex 119, which does not exist (3 vertices)");
  const GameCheckFinding& note = result.findings[20];
  EXPECT_EQ(note.severity, FindingSeverity::Note);
  EXPECT_EQ(note.kind, FindingKind::Suppressed);
  EXPECT_EQ(note.coll, 1u);
  EXPECT_EQ(note.text, "80 more findings in this coll not shown (80 errors, 0 warnings)");
  EXPECT_EQ(result.errors, 100u);
  EXPECT_EQ(result.notShown, 80u);
}

TEST(GameCheck, ErrorsTakeThePlaceOfWarningsWhenTheCapIsReached) {
  CollBuilder b("mixed");
  const auto v0 = b.Vertex({0, 0, 0});
  const auto v1 = b.Vertex({1, 0, 0});
  const auto v2 = b.Vertex({0, 1, 0});
  for (int i = 0; i < 6; ++i)
    b.Face(v0, v1, v2, MakeSurface(40));  // warnings first
  b.Face(v0, v1, 7, MakeSurface(0));      // then two errors
  b.Face(v0, v1, 8, MakeSurface(0));
  const GameCheckResult result = Check(colgen::EncodeFile({b.Build()}), Game::ViceCity, 4);
  std::vector<std::string> lines;
  for (const GameCheckFinding& finding : result.findings)
    lines.push_back(std::string(cli::SeverityText(finding.severity)) + " " + finding.text);
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "warning face 0 uses material 40, which Vice City does not know (0-34)",
                       "warning face 1 uses material 40, which Vice City does not know (0-34)",
                       "error face 6 names vertex 7, which does not exist (3 vertices)",
                       "error face 7 names vertex 8, which does not exist (3 vertices)",
                       "note 4 more findings in this coll not shown (0 errors, 4 warnings)"}));
  EXPECT_EQ(result.errors, 2u);
  EXPECT_EQ(result.warnings, 6u);
}

TEST(GameCheck, GeneratedLargeFilesAreSound) {
  const Bytes bytes = colgen::LargeFile(200, 400'000);
  const GameCheckResult result = Check(bytes);
  EXPECT_EQ(result.colls, 200u);
  EXPECT_EQ(result.errors, 0u);
  EXPECT_EQ(result.warnings, 0u) << cli::FindingLine(result.findings.at(0));
}

}  // namespace
}  // namespace vantorel
