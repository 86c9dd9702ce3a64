#include "edit/script_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/bounds.h"
#include "core/coll_codec.h"
#include "core/file_io.h"
#include "core/utf8_path.h"
#include "edit/collision_script.h"
#include "tests/support/document_state.h"
#include "tests/support/editor_fixture.h"
#include "tests/support/six_digits.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;
using testing::CaptureDocument;
using testing::DocumentState;
using testing::EditorTest;
using testing::ExpectUndoAndRedo;
using testing::SixDigits;

const std::string kOpenLine = "open Open Collision File|Collision Script|*.cst|All files|*.*|";
const std::string kParseError = "message ERROR while parsing collision script!";

std::string InputLine(const std::string& text) {
  return "input Import Collision Script|Name of the new collision object:|" + text;
}

Bytes Text(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

// A sphere, a box, three vertices and a face, written as a person might write them by hand.
const std::string kScript =
    "# a script\r\n"
    "=> Sphere count: 1\r\n"
    "S 000: 1.5  |  0; -2.25; 10  |  [12]\r\n"
    "b 000: -1; -1; -1 | 1; 1; 1 | [40]\r\n"
    "V 000: 0; 0; 0\r\n"
    "V 1:1;2;3\n"
    "V 002: 4.5; 5; 6\r"
    "V1: 9; 9; 9\r\n"
    "F 000: 0; 1; 9  |  [260]\r\n";

class ScriptCommandTest : public EditorTest {
 protected:
  void SetUp() override { colPath = OpenColls({Named("alpha", 2), Named("beta", 0)}, "colls.col"); }
  std::filesystem::path WriteScript(const std::string& name, const std::string& text) {
    return PathFromUtf8(dir.Write(name, Text(text)));
  }
  // Runs the import with the chosen file and the answers of the name prompt.
  void Import(const std::filesystem::path& script, std::vector<std::optional<std::string>> names) {
    ui.openResults = {script};
    ui.inputResults.assign(names.begin(), names.end());
    RunRow("ImportCollisionScript1");
    EXPECT_TRUE(ui.inputResults.empty()) << "not every name was asked for";
  }
  const Coll& Working() const { return editor.WorkingCopy(); }

  std::string colPath;
};

TEST_F(ScriptCommandTest, ShowCollisionScriptHandsTheWorkingCopysScriptToTheViewer) {
  Edit([](Coll& coll) { coll.Spheres[0] = {1.5f, {0, -2.25f, 10}, MakeSurface(12)}; });
  const DocumentState before = CaptureDocument(editor);
  ui.scriptSaves = {std::nullopt};
  RunRow("Showtextinfo1");
  ASSERT_EQ(ui.scripts.size(), 1u);
  // The unapplied edit is in the script: it shows the working copy.
  EXPECT_EQ(ui.scripts[0].Script, BuildCollisionScript(Working(), "08.12.2026 14:30:00", '.'));
  EXPECT_NE(ui.scripts[0].Script.find("\r\nS 000: 1.5  |  0; -2.25; 10  |  [12]\r\n"),
            std::string::npos);
  EXPECT_EQ(ui.scripts[0].CollName, "alpha");
  EXPECT_EQ(ui.scripts[0].Folder, dir.Path());
  EXPECT_EQ(ui.log, std::vector<std::string>{"script alpha|" + PathToUtf8(dir.Path())});
  EXPECT_TRUE(CaptureDocument(editor) == before);
  EXPECT_FALSE(editor.CanUndo());
}

TEST_F(EditorTest, TheScriptFollowsTheLocaleAndKeepsGameTextInItsCodePage) {
  CollBuilder b("caf\xE9");
  b.Sphere({0.5f, 0, 0}, 1, MakeSurface(3));
  OpenColls({b.Build()});
  editor.DecimalSeparator = ',';
  ui.dateTime = "8. Dezember 2026 \xC3\xA0 14:30";  // UTF-8 from the window
  const auto saved = dir.Path() / "saved.cst";
  ui.scriptSaves = {saved};
  RunRow("Showtextinfo1");
  ASSERT_EQ(ui.scripts.size(), 1u);
  EXPECT_EQ(ui.scripts[0].CollName, "caf\u00E9");
  const std::string& script = ui.scripts[0].Script;
  EXPECT_EQ(script.substr(0, script.find("\r\n")),
            "# GTA3 Collision Script created with Vantorel 1.1 BETA by the Vantorel developers");
  EXPECT_NE(script.find("\r\n# Exported on 8. Dezember 2026 \xE0 14:30\r\n"), std::string::npos);
  EXPECT_NE(script.find("\r\n# \"caf\xE9\" (112 Byte)\r\n"), std::string::npos);
  EXPECT_NE(script.find("\r\nS 000: 1  |  0,5; 0; 0  |  [3]\r\n"), std::string::npos);
  // The viewer's Save writes the text as it stands, each line ended with CR LF.
  const Bytes bytes = testing::ReadBytes(saved);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), script + "\r\n");
}

TEST_F(EditorTest, WithoutALoadedCollThereIsNoScript) {
  RunRow("Showtextinfo1");
  RunRow("ImportCollisionScript1");
  OpenColls({});
  RunRow("Showtextinfo1");
  RunRow("ImportCollisionScript1");
  EXPECT_TRUE(ui.log.empty());
  EXPECT_EQ(editor.CollCount(), 0);
}

TEST_F(ScriptCommandTest, ImportAppendsTheNewCollAtTheEndAndSelectsIt) {
  const auto script = WriteScript("Box_01.cst", kScript);
  const DocumentState before = CaptureDocument(editor);
  const std::size_t oldSize = editor.FileImage().size();
  Import(script, {"Box_01"});

  EXPECT_EQ(ui.log, (std::vector<std::string>{kOpenLine, InputLine("Box_01")}));
  const FileDialogRequest& request = ui.dialogs.at(0);
  EXPECT_TRUE(request.MustExist);
  EXPECT_EQ(request.InitialDir, editor.DialogDirectory);

  ASSERT_EQ(editor.CollCount(), 3);
  EXPECT_EQ(editor.CurrentColl(), 2);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"alpha", "beta [-]", "Box_01"}));
  EXPECT_FALSE(editor.CollChanged());
  EXPECT_TRUE(editor.FileChanged());

  const Coll& coll = Working();
  EXPECT_EQ(HeaderName(coll.Header), "Box_01");
  EXPECT_TRUE(coll.Header.Id == kEditorId);
  EXPECT_EQ(coll.Header.Size, RecordLength(coll) - 8);
  ASSERT_EQ(coll.SphereCount(), 1);
  EXPECT_EQ(coll.Spheres[0].Radius, 1.5f);
  EXPECT_EQ(coll.Spheres[0].Center.Y, -2.25f);
  EXPECT_EQ(coll.Spheres[0].Surface.Material, 12);
  ASSERT_EQ(coll.BoxCount(), 1);
  EXPECT_EQ(coll.Boxes[0].Surface.Material, 34);  // [40]
  ASSERT_EQ(coll.VertexCount(), 3);               // "V1:" is no element line
  EXPECT_EQ(coll.Vertices[1].Z, 3.0f);
  EXPECT_EQ(coll.Vertices[2].X, 4.5f);
  ASSERT_EQ(coll.FaceCount(), 1);
  EXPECT_EQ(coll.Faces[0].C, 2);                 // 9 names the last vertex read
  EXPECT_EQ(coll.Faces[0].Surface.Material, 4);  // [260]
  // Bounding objects computed without a question.
  const BoundingObjects bounds = ComputeBoundingObjects(coll);
  EXPECT_EQ(coll.Header.BoundingRadius, bounds.Radius);
  EXPECT_EQ(coll.Header.BoundingMax.Z, 11.5f);
  EXPECT_EQ(coll.Header.BoundingMin.Y, -3.75f);

  // The file holds the new record after the old ones, byte for byte as the working copy.
  const auto record = editor.File().RecordBytes(2);
  EXPECT_EQ(editor.CollDirectory()[2].Offset, static_cast<std::int64_t>(oldSize));
  EXPECT_TRUE(std::ranges::equal(record, testing::EncodedColl(coll)));
  EXPECT_EQ(editor.FileImage().size(), oldSize + RecordLength(coll));

  EXPECT_EQ(editor.UndoName(), "Import Collision Script");
  ExpectUndoAndRedo(editor, before);
  EXPECT_EQ(editor.CollCount(), 3);
}

TEST_F(ScriptCommandTest, AScriptWithoutElementLinesGivesAnEmptyCollOfNinetyTwoBytes) {
  Import(WriteScript("nothing.cst", ""), {"nothing"});
  Import(WriteScript("counts.cst", "# only counts\r\n=> Sphere count: 3\r\nV1: 1; 2; 3\r\n"),
         {"counts"});
  ASSERT_EQ(editor.CollCount(), 4);
  for (const int index : {2, 3}) {
    EXPECT_EQ(editor.CollDirectory()[static_cast<std::size_t>(index)].Size, 92) << index;
  }
  EXPECT_EQ(Lines(), (std::vector<std::string>{"alpha", "beta [-]", "nothing [-]", "counts [-]"}));
  EXPECT_EQ(Working().Header.BoundingRadius, 0.0f);
  EXPECT_EQ(Working().Header.BoundingMax.X, 0.0f);
  EXPECT_EQ(Working().Header.BoundingMin.Z, 0.0f);
}

TEST_F(ScriptCommandTest, TheNamePromptRepeatsUntilTheNameIsValid) {
  const auto script = WriteScript("ab.cst", "V 000: 1; 2; 3\r\n");
  Import(script, {"  ab  ", "my coll", "ab-cd", "  abcdefghijklmnopqrstuvwxyz"});
  EXPECT_EQ(ui.log, (std::vector<std::string>{kOpenLine, InputLine("ab"), InputLine("ab"),
                                              InputLine("my coll"), InputLine("ab-cd")}));
  ASSERT_EQ(editor.CollCount(), 3);
  // Cut to twenty characters before the check; the whole field is the name.
  EXPECT_EQ(editor.CollLine(2), "abcdefghijklmnopqrst");
  EXPECT_EQ(HeaderName(Working().Header), "abcdefghijklmnopqrst");
  // A name that fills its field has no end inside it: an Id there would lengthen it.
  EXPECT_TRUE((Working().Header.Id == std::array<std::uint8_t, 4>{}));
}

TEST_F(ScriptCommandTest, ANameTheCodePageCannotHoldIsRefusedAndShownAgain) {
  const auto script = WriteScript("caf\xC3\xA9.cst", "V 000: 1; 2; 3\r\n");
  Import(script, {"caf\xC3\xA9", "cafe"});
  EXPECT_EQ(ui.log, (std::vector<std::string>{kOpenLine, InputLine("caf\xC3\xA9"),
                                              InputLine("caf\xC3\xA9")}));
  EXPECT_EQ(editor.CollLine(2), "cafe");
}

TEST_F(ScriptCommandTest, CancelOnTheDialogOrThePromptEndsTheImportWithNothingChanged) {
  const auto script = WriteScript("kept.cst", kScript);
  const DocumentState before = CaptureDocument(editor);
  ui.openResults = {std::nullopt};
  RunRow("ImportCollisionScript1");
  EXPECT_EQ(ui.log, std::vector<std::string>{kOpenLine});

  ui.ClearLog();
  Import(script, {"no", std::nullopt});  // an invalid name first, then Cancel
  EXPECT_EQ(ui.log, (std::vector<std::string>{kOpenLine, InputLine("kept"), InputLine("no")}));
  EXPECT_TRUE(CaptureDocument(editor) == before);
  EXPECT_FALSE(editor.CanUndo());
  EXPECT_FALSE(Notified<CollListChanged>());
}

TEST_F(ScriptCommandTest, ParseErrorsAppendNothing) {
  Edit([](Coll& coll) { coll.Spheres.pop_back(); });  // unapplied edits stay through the failure
  const DocumentState before = CaptureDocument(editor);
  const std::string fullLine = "S 000: 1.5  |  0; -2.25; 10  |  [12]";
  for (const std::string& text :
       {std::string("S 000: abc | 0; 0; 0 | [1]\r\n"),
        std::string("F 000: 0; 1; 2 | [0]\r\nV 000: 1; 2; 3\r\n"),  // a face before any vertex
        std::string("V 000: 1E39; 0; 0\r\n"),                       // beyond a float
        std::string("V 000: 1; 2; -1e39\r\n"),
        std::string("V 000: 1,5; 2; 3\r\n"),          // a comma where the point is the separator
        std::string("B 000: 1; 2; 3 | 4; 5; 6\r\n"),  // no material
        std::string("V 000: nan; 0; 0\r\n"),
        std::string("S 000: ") + std::string(200000, '9') + " | 0; 0; 0 | [1]",
        fullLine.substr(0, 17)}) {  // cut inside a line
    ui.ClearLog();
    ui.answers = {Answer::No};
    Import(WriteScript("broken.cst", text), {"broken"});
    EXPECT_EQ(ui.log.back(), kParseError) << text.substr(0, 40);
    EXPECT_TRUE(CaptureDocument(editor) == before) << text.substr(0, 40);
  }
  EXPECT_FALSE(editor.CanUndo());
}

// The same script as Windows editors save it: with a UTF-8 mark, or as "Unicode" (UTF-16 with its
// mark). Without a mark UTF-16 is full of NUL bytes, as binary files are: no script.
TEST_F(ScriptCommandTest, MarkedUtf8AndUtf16ReadAsTheScriptAndNulBytesAreRefused) {
  const std::string script = "V 000: 1; 2; 3\r\nV 001: 4.5; 5; 6\r\nF 000: 0; 1; 1 | [3]\r\n";
  std::string littleEndian = "\xFF\xFE";
  std::string bigEndian = "\xFE\xFF";
  std::string unmarked;
  for (const char c : script) {
    littleEndian += {c, '\0'};
    bigEndian += {'\0', c};
    unmarked += {c, '\0'};
  }
  for (const std::string& marked : {"\xEF\xBB\xBF" + script, littleEndian, bigEndian}) {
    ui.ClearLog();
    Import(WriteScript("marked.cst", marked), {"marked"});
    ASSERT_TRUE(ui.Messages().empty()) << ui.Messages().front();
    ASSERT_EQ(Working().VertexCount(), 2) << marked.substr(0, 3);
    EXPECT_EQ(Working().Vertices[1].X, 4.5f);
    EXPECT_EQ(Working().FaceCount(), 1);
  }
  const DocumentState before = CaptureDocument(editor);
  // The second is the open collision file itself.
  for (const std::filesystem::path& file :
       {WriteScript("unmarked.cst", unmarked), PathFromUtf8(colPath)}) {
    ui.ClearLog();
    Import(file, {"refused"});
    EXPECT_EQ(ui.Messages(),
              std::vector<std::string>{"Not a collision script: the file holds NUL bytes!"});
    EXPECT_TRUE(CaptureDocument(editor) == before);
  }
}

TEST_F(ScriptCommandTest, AScriptThatCannotBeReadShowsTheReasonAndChangesNothing) {
  const DocumentState before = CaptureDocument(editor);
  std::filesystem::create_directory(dir.Path() / "folder.cst");
  Import(dir.Path() / "folder.cst", {"folder"});
  ASSERT_EQ(ui.log.size(), 3u);
  EXPECT_EQ(ui.log[2].rfind("error ", 0), 0u) << ui.log[2];
  EXPECT_NE(ui.log[2].find("folder.cst"), std::string::npos) << ui.log[2];

  ui.ClearLog();
  Import(dir.Path() / "gone.cst", {"gone"});
  ASSERT_EQ(ui.log.size(), 3u);
  EXPECT_NE(ui.log[2].find("No such file or directory"), std::string::npos) << ui.log[2];
  EXPECT_TRUE(CaptureDocument(editor) == before);
  EXPECT_FALSE(editor.CanUndo());
}

TEST_F(ScriptCommandTest, ScriptsWithPointsReadInACommaLocaleAndTheirOwnSeparatorToo) {
  editor.DecimalSeparator = ',';
  Import(WriteScript("mixed.cst", "s 000: 1,5 | 0; 0; 0 | [3]\r\nS 001: 2.5 | 0; 0,25; 0 | [3]"),
         {"mixed"});
  ASSERT_EQ(Working().SphereCount(), 2);
  EXPECT_EQ(Working().Spheres[0].Radius, 1.5f);
  EXPECT_EQ(Working().Spheres[1].Radius, 2.5f);
  EXPECT_EQ(Working().Spheres[1].Center.Y, 0.25f);
}

TEST_F(ScriptCommandTest, YesOnTheApplyQuestionAppliesFirstAndUndoTakesBothBack) {
  EditCurrentColl();
  const DocumentState before = CaptureDocument(editor);
  const Coll edited = Working();
  ui.answers = {Answer::Yes};
  Import(WriteScript("after.cst", kScript), {"after"});
  EXPECT_EQ(ui.questions.at(0).Caption, "Apply Changes");
  ASSERT_EQ(editor.CollCount(), 3);
  Coll stored;
  ASSERT_EQ(ReadColl(editor.FileImage(), editor.CollDirectory()[0], stored), ReadResult::Ok);
  EXPECT_EQ(stored.Header.BoundingRadius, edited.Header.BoundingRadius);
  EXPECT_EQ(editor.CurrentColl(), 2);
  ExpectUndoAndRedo(editor, before);
}

TEST_F(ScriptCommandTest, NoOnTheApplyQuestionLeavesTheEditsBehindAndUndoBringsThemBack) {
  EditCurrentColl();
  const DocumentState before = CaptureDocument(editor);
  const Bytes image = editor.FileImage();
  ui.answers = {Answer::No};
  Import(WriteScript("after.cst", kScript), {"after"});
  ASSERT_EQ(editor.CollCount(), 3);
  EXPECT_EQ(editor.CurrentColl(), 2);
  EXPECT_FALSE(editor.CollChanged());
  // The first colls' bytes are those that were opened; only the new record follows them.
  EXPECT_TRUE(std::equal(image.begin(), image.end(), editor.FileImage().begin()));
  ExpectUndoAndRedo(editor, before);
  editor.Undo();
  EXPECT_TRUE(editor.CollChanged());
  EXPECT_EQ(editor.CurrentColl(), 0);
}

TEST_F(ScriptCommandTest, CancelOnTheApplyQuestionEndsBeforeTheDialog) {
  EditCurrentColl();
  const DocumentState before = CaptureDocument(editor);
  ui.answers = {Answer::Cancel};
  RunRow("ImportCollisionScript1");
  EXPECT_EQ(ui.log.size(), 1u);  // the question only
  EXPECT_TRUE(CaptureDocument(editor) == before);
}

TEST_F(ScriptCommandTest, WithoutTheApplyQuestionEditsAreAppliedSilently) {
  ChangeSettings([](Settings& s) { s.askApply = false; });
  Edit([](Coll& coll) { coll.Spheres.clear(); });
  Import(WriteScript("quiet.cst", kScript), {"quiet"});
  EXPECT_EQ(ui.log, (std::vector<std::string>{kOpenLine, InputLine("quiet")}));
  EXPECT_EQ(editor.CollLine(0), "alpha [-]");
  EXPECT_EQ(editor.CollCount(), 3);
}

// Show the script of every coll, save it from the viewer, import it as a new coll and compare:
// the elements come back in order with reals rounded to six significant digits, materials above
// 34 as 34 and the other surface bytes 0.
struct RoundTripFile {
  const char* name;
  std::filesystem::path path;
};
void PrintTo(const RoundTripFile& file, std::ostream* out) {
  *out << file.name;
}

class ScriptCommandRoundTrip
    : public EditorTest,
      public ::testing::WithParamInterface<std::tuple<RoundTripFile, char>> {};

void ExpectSameVector(const Vector3& read, const Vector3& original, const std::string& what) {
  EXPECT_EQ(read.X, SixDigits(original.X)) << what;
  EXPECT_EQ(read.Y, SixDigits(original.Y)) << what;
  EXPECT_EQ(read.Z, SixDigits(original.Z)) << what;
}

void ExpectScriptSurface(const Surface& read, const Surface& original, const std::string& what) {
  EXPECT_EQ(read.Material, std::min<int>(original.Material, 34)) << what;
  EXPECT_EQ(read.Parameter + read.Byte2 + read.Byte3, 0) << what;
}

TEST_P(ScriptCommandRoundTrip, EveryCollComesBackThroughTheCommands) {
  const auto& [file, separator] = GetParam();
  if (!std::filesystem::exists(file.path)) GTEST_SKIP() << "file not present: " << file.path;
  OpenPath(PathToUtf8(file.path));
  ASSERT_GT(editor.CollCount(), 0);
  editor.DecimalSeparator = separator;
  const Bytes opened = editor.FileImage();
  const int count = editor.CollCount();
  const auto scriptPath = dir.Path() / "round trip.cst";
  for (int i = 0; i < count; ++i) {
    editor.SelectColl(i);
    const Coll original = editor.WorkingCopy();
    const std::string name = editor.CollDirectory()[static_cast<std::size_t>(i)].Name;
    ui.scriptSaves = {scriptPath};
    RunRow("Showtextinfo1");
    ui.openResults = {scriptPath};
    ui.inputResults = {"round_trip"};
    RunRow("ImportCollisionScript1");
    ASSERT_EQ(editor.CollCount(), count + 1) << name << ": " << ui.log.back();
    ASSERT_EQ(editor.CurrentColl(), count);

    const Coll& read = editor.WorkingCopy();
    ASSERT_EQ(read.SphereCount(), original.SphereCount()) << name;
    ASSERT_EQ(read.BoxCount(), original.BoxCount()) << name;
    ASSERT_EQ(read.VertexCount(), original.VertexCount()) << name;
    ASSERT_EQ(read.FaceCount(), original.FaceCount()) << name;
    for (std::size_t s = 0; s < original.Spheres.size(); ++s) {
      const std::string what = name + " sphere " + std::to_string(s);
      EXPECT_EQ(read.Spheres[s].Radius, SixDigits(original.Spheres[s].Radius)) << what;
      ExpectSameVector(read.Spheres[s].Center, original.Spheres[s].Center, what);
      ExpectScriptSurface(read.Spheres[s].Surface, original.Spheres[s].Surface, what);
    }
    for (std::size_t b = 0; b < original.Boxes.size(); ++b) {
      const std::string what = name + " box " + std::to_string(b);
      ExpectSameVector(read.Boxes[b].Min, original.Boxes[b].Min, what);
      ExpectSameVector(read.Boxes[b].Max, original.Boxes[b].Max, what);
      ExpectScriptSurface(read.Boxes[b].Surface, original.Boxes[b].Surface, what);
    }
    for (std::size_t v = 0; v < original.Vertices.size(); ++v)
      ExpectSameVector(read.Vertices[v], original.Vertices[v],
                       name + " vertex " + std::to_string(v));
    for (std::size_t f = 0; f < original.Faces.size(); ++f) {
      const std::string what = name + " face " + std::to_string(f);
      const CollFace& a = read.Faces[f];
      const CollFace& b = original.Faces[f];
      EXPECT_TRUE(a.A == b.A && a.B == b.B && a.C == b.C) << what;
      ExpectScriptSurface(a.Surface, b.Surface, what);
    }
    EXPECT_EQ(HeaderName(read.Header), "round_trip");
    EXPECT_EQ(read.Header.BoundingRadius, ComputeBoundingObjects(read).Radius) << name;
    if (::testing::Test::HasFailure()) break;

    // Taking the import back leaves the file as it was opened.
    editor.Undo();
    ASSERT_TRUE(editor.FileImage() == opened) << name;
    ASSERT_EQ(editor.CurrentColl(), i);
    Forget();
  }
}

const RoundTripFile kRoundTripFiles[] = {
    {"sample", VANTOREL_SAMPLE_FILE},
    {"generic", testing::RealFile("generic.col")},
    {"vehicles_vc", testing::RealFile("vehicles_vc.col")},
};

INSTANTIATE_TEST_SUITE_P(Files, ScriptCommandRoundTrip,
                         ::testing::Combine(::testing::ValuesIn(kRoundTripFiles),
                                            ::testing::Values('.', ',')),
                         [](const auto& testInfo) {
                           return std::string(std::get<0>(testInfo.param).name) +
                                  (std::get<1>(testInfo.param) == '.' ? "_point" : "_comma");
                         });

}  // namespace
}  // namespace vantorel
