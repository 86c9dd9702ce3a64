#include "edit/collision_script.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/program_identity.h"
#include "edit/script_reader.h"
#include "tools/colgen/coll_builder.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find("\r\n", start);
    lines.push_back(text.substr(start, end - start));
    if (end == std::string::npos) return lines;
    start = end + 2;
  }
}

// The line numbers below are those of a build that names no addresses, as the default build.
bool BuildNamesAddresses() {
  return !kProjectContact.Homepage.empty() || !kProjectContact.Mail.empty();
}
constexpr const char* kNamedAddresses =
    "this build names the project's addresses; the lines are checked in a build without them";

TEST(CollisionScript, EmptyCollHasTwelveLinesWithoutAddresses) {
  if (BuildNamesAddresses()) GTEST_SKIP() << kNamedAddresses;
  const Coll coll = CollBuilder("empty").Build();
  const auto lines = Lines(BuildCollisionScript(coll, "08.12.2026 14:30:00", '.'));
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[0],
            "# GTA3 Collision Script created with Vantorel 1.1 BETA by the Vantorel developers");
  EXPECT_EQ(lines[1], "# Exported on 08.12.2026 14:30:00");
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], "# \"empty\" (92 Byte)");
  EXPECT_EQ(lines[4], "");
  EXPECT_EQ(lines[5], "=> Sphere count: 0");
  EXPECT_EQ(lines[6], "");
  EXPECT_EQ(lines[7], "=> Box count: 0");
  EXPECT_EQ(lines[9], "=> Vertex count: 0");
  EXPECT_EQ(lines[11], "=> Face count: 0");
}

// Only the addresses the build was given are named; with none, nothing is.
TEST(CollisionScript, TheAddressLineNamesOnlyTheAddressesTheBuildGives) {
  struct Case {
    ProjectContact contact;
    const char* line;
  };
  const Case cases[] = {
      {{"https://example.org", "team@example.org"},
       "Web: https://example.org   E-Mail: team@example.org"},
      {{"https://example.org", ""}, "Web: https://example.org"},
      {{"", "team@example.org"}, "E-Mail: team@example.org"},
      {{"", ""}, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ContactText(c.contact, "Web: ", "E-Mail: ", "   "), c.line);
}

TEST(CollisionScript, ElementLines) {
  if (BuildNamesAddresses()) GTEST_SKIP() << kNamedAddresses;
  CollBuilder b("elements");
  b.Sphere({0, -2.25f, 10}, 1.5f, MakeSurface(12, 3, 9, 9));
  b.Box({-1, 0.5f, 0}, {1234567, 0.00005f, 0.0001f}, MakeSurface(255));
  for (int i = 0; i < 6; ++i)
    b.Vertex({static_cast<float>(i), 0.5f, -1});
  for (int i = 0; i < 8; ++i)
    b.Face(3, 4, 5, MakeSurface(0));
  const auto lines = Lines(BuildCollisionScript(b.Build(), "now", '.'));
  EXPECT_EQ(lines[6], "S 000: 1.5  |  0; -2.25; 10  |  [12]");
  EXPECT_EQ(lines[9], "B 000: -1; 0.5; 0  |  1.23457E6; 5E-5; 0.0001  |  [255]");
  EXPECT_EQ(lines[12], "V 000: 0; 0.5; -1");
  EXPECT_EQ(lines[20], "F 000: 3; 4; 5  |  [0]");
  EXPECT_EQ(lines.back(), "F 007: 3; 4; 5  |  [0]");
}

TEST(CollisionScript, ControlCharactersInTheNameKeepItOnItsCommentLine) {
  // Written raw, this name would read back as a coll with one vertex.
  CollBuilder b("x");
  b.Vertex({1, 2, 3});
  Coll coll = b.Build();
  SetHeaderName(coll.Header, "\nV 0: 9;9;9\n");
  const std::string script = BuildCollisionScript(coll, "now", '.');
  EXPECT_NE(script.find("\r\n# \"\\x0AV 0: 9;9;9\\x0A\" (104 Byte)\r\n"), std::string::npos);
  const ScriptReadResult read = ReadCollisionScript(script, '.');
  ASSERT_TRUE(read.Elements);
  EXPECT_EQ(read.Elements->VertexCount(), 1);
  EXPECT_EQ(read.Elements->Vertices[0].X, 1.0f);
  // Backslashes and bytes of the code page stay as they are.
  SetHeaderName(coll.Header, "a\\x41\xE4");
  EXPECT_NE(BuildCollisionScript(coll, "now", '.').find("\r\n# \"a\\x41\xE4\" (104 Byte)\r\n"),
            std::string::npos);
}

TEST(CollisionScript, LongIndexesCommaSeparatorAndFullLengthNames) {
  CollBuilder b("");
  b.RawName({'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j',
             'k', 'l', 'm', 'n', 'o', 'p', 'q', 'r', 's', 't'});
  for (int i = 0; i < 1001; ++i)
    b.Vertex({0.5f, 0, 0});
  const std::string script = BuildCollisionScript(b.Build(), "now", ',');
  EXPECT_NE(script.find("# \"abcdefghijklmnopqrst\" ("), std::string::npos);
  EXPECT_NE(script.find("\r\nV 999: 0,5; 0; 0\r\nV 1000: 0,5; 0; 0\r\n"), std::string::npos);
}

}  // namespace
}  // namespace vantorel
