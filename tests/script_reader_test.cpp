#include "edit/script_reader.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/coll_codec.h"
#include "core/file_io.h"
#include "edit/collision_script.h"
#include "tests/support/six_digits.h"
#include "tests/support/test_files.h"
#include "tools/colgen/coll_builder.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;
using testing::SixDigits;

Coll Read(const std::string& text, char separator = '.') {
  ScriptReadResult result = ReadCollisionScript(text, separator);
  EXPECT_TRUE(result.Elements) << "stopped at line " << result.ErrorLine;
  return result.Elements ? *result.Elements : Coll{};
}

// The line of the parse error, or 0 when the script was read.
std::size_t ErrorLine(const std::string& text, char separator = '.') {
  const ScriptReadResult result = ReadCollisionScript(text, separator);
  EXPECT_EQ(result.Elements.has_value(), result.ErrorLine == 0);
  return result.ErrorLine;
}

TEST(ScriptReader, ReadsEachKindWithItsFields) {
  const Coll coll = Read(
      "S 000: 1.5  |  0; -2.25; 10  |  [12]\r\n"
      "B 000: -1; 0.5; 0  |  1.23457E6; 5E-5; 0.0001  |  [7]\r\n"
      "V 000: 1; 2; 3\r\n"
      "V 001: 4; 5; 6\r\n"
      "F 000: 1; 0; 1  |  [3]");
  ASSERT_EQ(coll.SphereCount(), 1);
  EXPECT_EQ(coll.Spheres[0].Radius, 1.5f);
  EXPECT_EQ(coll.Spheres[0].Center.Y, -2.25f);
  EXPECT_EQ(coll.Spheres[0].Center.Z, 10.0f);
  EXPECT_EQ(coll.Spheres[0].Surface.Material, 12);
  ASSERT_EQ(coll.BoxCount(), 1);
  EXPECT_EQ(coll.Boxes[0].Min.X, -1.0f);
  EXPECT_EQ(coll.Boxes[0].Max.X, 1234570.0f);
  EXPECT_EQ(coll.Boxes[0].Max.Y, 5e-5f);
  EXPECT_EQ(coll.Boxes[0].Max.Z, 0.0001f);
  EXPECT_EQ(coll.Boxes[0].Surface.Material, 7);
  ASSERT_EQ(coll.VertexCount(), 2);
  EXPECT_EQ(coll.Vertices[1].Z, 6.0f);
  ASSERT_EQ(coll.FaceCount(), 1);
  EXPECT_EQ(coll.Faces[0].A, 1);
  EXPECT_EQ(coll.Faces[0].B, 0);
  EXPECT_EQ(coll.Faces[0].Surface.Material, 3);
  const Surface& s = coll.Faces[0].Surface;
  EXPECT_EQ(s.Parameter + s.Byte2 + s.Byte3, 0);
  EXPECT_FALSE(coll.IsLoaded());  // the header is the caller's
}

TEST(ScriptReader, OnlyElementLinesCountAndTheirCountsDecide) {
  const Coll coll = Read(
      "# comment: with; separators | [1]\n"
      "=> Sphere count: 5\n"
      "S 005: 1 | 0; 0; 0 | [0]\n"
      "Some text\n"
      "S 001: 2 | 0; 0; 0 | [0]\n"
      "V1: 1; 2; 3\n"  // no blank as the second character
      "V 1:1;2\n"      // seven characters
      "X 000: 1; 2; 3\n"
      "\n");
  ASSERT_EQ(coll.SphereCount(), 2);
  EXPECT_EQ(coll.Spheres[0].Radius, 1.0f);  // in line order, whatever the indices say
  EXPECT_EQ(coll.Spheres[1].Radius, 2.0f);
  EXPECT_EQ(coll.VertexCount(), 0);
}

TEST(ScriptReader, SpacingCaseAndLineEndsDoNotMatter) {
  const Coll coll = Read(
      "  \tv 1:1;2;3  \rV 001: 1; 2; 3\r\n\x01 V    7  :  1 ;2 ;  3 \x7F\n\r\r\nV 3: 1; 2; 3\r");
  ASSERT_EQ(coll.VertexCount(), 4);
  // A lone CR ends a line as LF and CR LF do; the error names the line so counted.
  EXPECT_EQ(ErrorLine("V 0: 1; 2; 3\rV 1: 1; 2\r\nV 2: 1; 2; 3"), 2u);
  EXPECT_EQ(ErrorLine("\n\r\r\nV 1: 1; 2"), 4u);
  for (const CollVertex& v : coll.Vertices) {
    EXPECT_EQ(v.X, 1.0f);
    EXPECT_EQ(v.Y, 2.0f);
    EXPECT_EQ(v.Z, 3.0f);
  }
}

TEST(ScriptReader, PointsReadInEveryLocaleTheLocalesSeparatorOnlyInItsOwn) {
  EXPECT_EQ(Read("s 000: 1,5 | 0; 0; 0 | [3]", ',').Spheres.at(0).Radius, 1.5f);
  EXPECT_EQ(Read("S 000: 1.5 | 0; 0; 0 | [3]", ',').Spheres.at(0).Radius, 1.5f);
  EXPECT_EQ(Read("S 000: 1.5 | 0; 0; 0 | [3]", '.').Spheres.at(0).Radius, 1.5f);
  EXPECT_EQ(ErrorLine("\r\nS 000: 1,5 | 0; 0; 0 | [3]", '.'), 2u);
}

TEST(ScriptReader, ASeparatorThatIsAFieldCharacterMakesPointsSeparateFields) {
  // With ";" as the decimal separator every point becomes a ";" before the fields are found.
  EXPECT_EQ(ErrorLine("V 000: 1.5; 2; 3", ';'), 1u);
  const Coll coll = Read("V 000: 1.5.2", ';');
  ASSERT_EQ(coll.VertexCount(), 1);
  EXPECT_EQ(coll.Vertices[0].X, 1.0f);
  EXPECT_EQ(coll.Vertices[0].Y, 5.0f);
  EXPECT_EQ(coll.Vertices[0].Z, 2.0f);
}

TEST(ScriptReader, MaterialsKeepTheirLowByteUpTo34) {
  const Coll coll = Read(
      "S 000: 1 | 0; 0; 0 | [40]\n"
      "S 001: 1 | 0; 0; 0 | [-1]\n"
      "S 002: 1 | 0; 0; 0 | [260]\n"
      "S 003: 1 | 0; 0; 0 | [ +34 ]\n"
      "S 004: 1 | 0; 0; 0 | [290]\n");
  ASSERT_EQ(coll.SphereCount(), 5);
  EXPECT_EQ(coll.Spheres[0].Surface.Material, 34);
  EXPECT_EQ(coll.Spheres[1].Surface.Material, 34);
  EXPECT_EQ(coll.Spheres[2].Surface.Material, 4);
  EXPECT_EQ(coll.Spheres[3].Surface.Material, 34);
  EXPECT_EQ(coll.Spheres[4].Surface.Material, 34);
}

TEST(ScriptReader, FaceIndicesOutsideTheVerticesReadSoFarNameTheLastOne) {
  const Coll coll = Read(
      "V 000: 0; 0; 0\nV 001: 0; 0; 0\nV 002: 0; 0; 0\n"
      "F 000: 0; 1; 9  |  [0]\n"
      "F 001: -1; 3; 99999999999  |  [0]\n"
      "V 003: 0; 0; 0\n"
      "F 002: 3; 2; 4  |  [0]\n");
  ASSERT_EQ(coll.FaceCount(), 3);
  EXPECT_EQ(coll.Faces[0].C, 2);
  EXPECT_EQ(coll.Faces[1].A, 2);
  EXPECT_EQ(coll.Faces[1].B, 2);
  EXPECT_EQ(coll.Faces[1].C, 2);
  EXPECT_EQ(coll.Faces[2].A, 3);  // a vertex read after the first faces counts for later ones
  EXPECT_EQ(coll.Faces[2].C, 3);
}

TEST(ScriptReader, AScriptWithoutElementsGivesAnEmptyColl) {
  const Coll coll = Read("# nothing\r\n=> Sphere count: 3\r\n");
  EXPECT_EQ(RecordLength(coll), kEmptyRecordBytes);
  EXPECT_EQ(Read("").FaceCount(), 0);
}

TEST(ScriptReader, ParseErrorsNameTheirLine) {
  const std::string good = "V 000: 0; 0; 0\n";
  // Missing separators, brackets and numbers.
  EXPECT_EQ(ErrorLine(good + "S 000  1 | 0; 0; 0 | [0]"), 2u);
  EXPECT_EQ(ErrorLine(good + "S 000: 1 ; 0; 0; 0 | [0]"), 2u);
  EXPECT_EQ(ErrorLine(good + "S 000: 1 | 0; 0; 0 | 0]"), 2u);
  EXPECT_EQ(ErrorLine(good + "S 000: 1 | 0; 0; 0 | [0"), 2u);
  EXPECT_EQ(ErrorLine(good + "S 000: 1 | 0; 0; 0 | ]0["), 2u);
  EXPECT_EQ(ErrorLine(good + "S 000: 1 | 0; 0; 0 | []"), 2u);
  EXPECT_EQ(ErrorLine(good + "V 001: 1; 2"), 2u);
  EXPECT_EQ(ErrorLine(good + "V 001: 1; 2; 3; 4"), 2u);
  EXPECT_EQ(ErrorLine(good + "B 000: 1; 2; 3 | 4; 5 | [0]"), 2u);
  EXPECT_EQ(ErrorLine(good + "F 000: 0; 0 | [0]"), 2u);
  // Text where numbers belong.
  EXPECT_EQ(ErrorLine(good + "V 001: x; 2; 3"), 2u);
  EXPECT_EQ(ErrorLine(good + "V 001: 1; 2; nan"), 2u);
  EXPECT_EQ(ErrorLine(good + "V 001: 1; inf; 3"), 2u);
  EXPECT_EQ(ErrorLine(good + "V 001: 1 2; 2; 3"), 2u);
  EXPECT_EQ(ErrorLine(good + "F 000: 0.5; 0; 0 | [0]"), 2u);
  EXPECT_EQ(ErrorLine(good + "F 000: 0; 0; 0 | [1.5]"), 2u);
  EXPECT_EQ(ErrorLine(good + "F 000: 0; 0; 0 | [x]"), 2u);
  EXPECT_EQ(ErrorLine(good + "F 000: 0; 0; 0 | [99999999999999999999]"), 2u);
  // A separator found before the field's start, even one before the colon.
  EXPECT_EQ(ErrorLine(good + "V ;01: 1; 2; 3"), 2u);
  EXPECT_EQ(ErrorLine(good + "S |00: 1 | 0; 0; 0 | [0]"), 2u);
  // A real beyond the range of a float, and a face before any vertex.
  EXPECT_EQ(ErrorLine(good + "V 001: 1E39; 0; 0"), 2u);
  EXPECT_EQ(ErrorLine(good + "S 000: -3.5E38 | 0; 0; 0 | [0]"), 2u);
  EXPECT_EQ(ErrorLine("F 000: 0; 0; 0  |  [0]\n" + good), 1u);
  // The first error stops the reading.
  EXPECT_EQ(ErrorLine(good + good + "V 002: ;;\nV 003: ;;"), 3u);
}

TEST(ScriptReader, TinyRealsReadAsZeroAndBracketsMayStandAnywhere) {
  const Coll coll = Read("S [5] 000: 1E-60 | 0; 0; 0 | stray text");
  ASSERT_EQ(coll.SphereCount(), 1);
  EXPECT_EQ(coll.Spheres[0].Radius, 0.0f);
  EXPECT_EQ(coll.Spheres[0].Surface.Material, 5);
}

struct RoundTripCase {
  const char* name;
  std::filesystem::path path;
};
void PrintTo(const RoundTripCase& file, std::ostream* out) {
  *out << file.name;
}

class ScriptRoundTrip : public ::testing::TestWithParam<std::tuple<RoundTripCase, char>> {};

TEST_P(ScriptRoundTrip, EveryCollComesBackWithItsElements) {
  const auto& [file, separator] = GetParam();
  if (!std::filesystem::exists(file.path)) GTEST_SKIP() << "file not present: " << file.path;
  Bytes image;
  ASSERT_FALSE(ReadWholeFile(file.path.string(), image));
  CollDirectoryEntries directory;
  ScanFile(image, directory);
  ASSERT_FALSE(directory.empty());
  for (CollDirectoryEntry& entry : directory) {
    Coll original;
    ASSERT_EQ(ReadColl(image, entry, original), ReadResult::Ok) << entry.Name;
    const std::string script = BuildCollisionScript(original, "now", separator);
    const ScriptReadResult result = ReadCollisionScript(script, separator);
    ASSERT_TRUE(result.Elements) << entry.Name << " line " << result.ErrorLine;
    const Coll& read = *result.Elements;
    ASSERT_EQ(read.SphereCount(), original.SphereCount()) << entry.Name;
    ASSERT_EQ(read.BoxCount(), original.BoxCount()) << entry.Name;
    ASSERT_EQ(read.VertexCount(), original.VertexCount()) << entry.Name;
    ASSERT_EQ(read.FaceCount(), original.FaceCount()) << entry.Name;
    const auto material = [](const Surface& s) { return std::min<int>(s.Material, 34); };
    const auto sameVector = [](const Vector3& a, const Vector3& b) {
      return a.X == SixDigits(b.X) && a.Y == SixDigits(b.Y) && a.Z == SixDigits(b.Z);
    };
    for (std::size_t i = 0; i < original.Spheres.size(); ++i) {
      const CollSphere& a = read.Spheres[i];
      const CollSphere& b = original.Spheres[i];
      EXPECT_EQ(a.Radius, SixDigits(b.Radius)) << entry.Name << " sphere " << i;
      EXPECT_TRUE(sameVector(a.Center, b.Center)) << entry.Name << " sphere " << i;
      EXPECT_EQ(a.Surface.Material, material(b.Surface)) << entry.Name << " sphere " << i;
      EXPECT_EQ(a.Surface.Parameter, 0);
    }
    for (std::size_t i = 0; i < original.Boxes.size(); ++i) {
      const CollBox& a = read.Boxes[i];
      const CollBox& b = original.Boxes[i];
      EXPECT_TRUE(sameVector(a.Min, b.Min) && sameVector(a.Max, b.Max)) << entry.Name << i;
      EXPECT_EQ(a.Surface.Material, material(b.Surface)) << entry.Name << " box " << i;
    }
    for (std::size_t i = 0; i < original.Vertices.size(); ++i) {
      ASSERT_TRUE(sameVector(read.Vertices[i], original.Vertices[i]))
          << entry.Name << " vertex " << i;
    }
    for (std::size_t i = 0; i < original.Faces.size(); ++i) {
      const CollFace& a = read.Faces[i];
      const CollFace& b = original.Faces[i];
      ASSERT_TRUE(a.A == b.A && a.B == b.B && a.C == b.C) << entry.Name << " face " << i;
      EXPECT_EQ(a.Surface.Material, material(b.Surface)) << entry.Name << " face " << i;
      EXPECT_EQ(a.Surface.Parameter + a.Surface.Byte2 + a.Surface.Byte3, 0);
    }
  }
}

const RoundTripCase kRoundTripFiles[] = {
    {"sample", VANTOREL_SAMPLE_FILE},
    {"generic", testing::RealFile("generic.col")},
    {"vehicles_vc", testing::RealFile("vehicles_vc.col")},
};

INSTANTIATE_TEST_SUITE_P(Files, ScriptRoundTrip,
                         ::testing::Combine(::testing::ValuesIn(kRoundTripFiles),
                                            ::testing::Values('.', ',')),
                         [](const auto& testInfo) {
                           return std::string(std::get<0>(testInfo.param).name) +
                                  (std::get<1>(testInfo.param) == '.' ? "_point" : "_comma");
                         });

TEST(ScriptRoundTrip, ACommaScriptIsNoScriptWhereThePointIsTheSeparator) {
  CollBuilder b("comma");
  b.Sphere({0.5f, 0, 0}, 1, MakeSurface(1));
  const std::string script = BuildCollisionScript(b.Build(), "now", ',');
  EXPECT_GT(ErrorLine(script, '.'), 0u);
  EXPECT_EQ(ErrorLine(BuildCollisionScript(b.Build(), "now", '.'), ','), 0u);
}

}  // namespace
}  // namespace vantorel
