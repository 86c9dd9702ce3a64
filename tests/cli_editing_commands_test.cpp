// The batch tool's editing commands on generated files: each result is compared with the same
// editor command run through the test port, and each refusal leaves the file as it was.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <sstream>

#include "app/command_table.h"
#include "cli/cli_commands.h"
#include "core/coll_codec.h"
#include "core/little_endian.h"
#include "doc/editor.h"
#include "edit/script_file.h"
#include "tests/support/cli_run.h"
#include "tests/support/fake_ui.h"
#include "tests/support/ordinary_user.h"
#include "tests/support/test_files.h"
#include "tools/colgen/coll_builder.h"

namespace vantorel {
namespace {

using testing::CliRun;
using testing::RunCli;
using testing::StoredColl;

namespace fs = std::filesystem;
using colgen::CollBuilder;
using colgen::MakeSurface;
using testing::ReadBytes;

constexpr const char* kNothingWritten = "Nothing was written.\n";

void RunRow(Editor& editor, std::string_view name) {
  const CommandRow* row = FindCommand(name);
  ASSERT_NE(row, nullptr) << name;
  RunCommand(editor, *row);
}

Coll Lamp() {
  CollBuilder b("lamp");
  const auto v0 = b.Vertex({0, 0, 0});
  const auto v1 = b.Vertex({1, 0, 0});
  b.Vertex({5, 5, 5});  // used by no face
  const auto v3 = b.Vertex({0, 1, 0});
  const auto v4 = b.Vertex({0, 0, 1});
  b.Face(v0, v1, v3, MakeSurface(2, 3));
  b.Face(v0, v3, v4, MakeSurface(2));
  b.Sphere({0, 0, 4}, 0.5f, MakeSurface(1));
  b.Box({-1, -1, 0}, {1, 1, 0.5f}, MakeSurface(4));
  Coll coll = b.Build();
  // Bounds that leave out part of the geometry, as hand-edited files have them.
  coll.Header.BoundingRadius = 1;
  coll.Header.BoundingMax = {0.5f, 0.5f, 0.5f};
  return coll;
}

Coll Barrel() {
  CollBuilder b("barrel");
  b.Sphere({0, 0, 0.5f}, 0.5f, MakeSurface(5, 1));
  b.Sphere({0, 0, 1.5f}, 0.5f, MakeSurface(6, 2));
  return b.Build();
}

Coll Wall() {
  CollBuilder b("wall");
  b.MeshBox({0, 0, 0}, {4, 0.2f, 2}, MakeSurface(7));
  b.Box({0, 0, 2}, {4, 0.2f, 2.2f}, MakeSurface(8));
  return b.Build();
}

// The four surface bytes, "material/parameter/byte2/byte3".
std::string Bytes4(const Surface& surface) {
  return std::to_string(surface.Material) + "/" + std::to_string(surface.Parameter) + "/" +
         std::to_string(surface.Byte2) + "/" + std::to_string(surface.Byte3);
}

Bytes RecordOf(const Coll& coll) {
  Coll encoded = coll;
  RecalcCollSize(encoded);
  Bytes bytes(RecordLength(encoded));
  EncodeColl(encoded, bytes.data());
  return bytes;
}

class CliEditingTest : public ::testing::Test {
 protected:
  CliEditingTest() {
    path = dir.Write("city.col", colgen::EncodeFile({Lamp(), Barrel(), Wall()}));
    original = ReadBytes(path);
    CollBuilder gate("gate");
    gate.Box({0, 0, 0}, {3, 0.1f, 1}, MakeSurface(9));
    CollBuilder fence("fence");
    fence.Sphere({1, 1, 1}, 2, MakeSurface(10));
    source =
        dir.Write("source.col",
                  colgen::EncodeFile({fence.Build(), gate.Build(), CollBuilder("post").Build()}));
  }

  // The image an editor holds after steps ran through the test port on a copy of start (the
  // original file by default), with its working copy applied: what the window would save.
  Bytes ThroughEditor(const std::function<void(Editor&, testing::FakeUi&)>& steps,
                      const Bytes& start = {}) {
    const std::string copy = dir.Write("editor_copy.col", start.empty() ? original : start);
    testing::FakeUi ui;
    testing::FakeView view;
    Editor editor(ui, view);
    editor.OpenFile(fs::path(copy));
    steps(editor, ui);
    if (editor.CollChanged()) editor.ApplyChanges();
    EXPECT_FALSE(editor.CollChanged());
    for (const std::string& line : ui.log)
      EXPECT_EQ(line.rfind("error", 0), std::string::npos) << line;
    return editor.FileImage();
  }

  // A command that went through: status 0, nothing on standard output. Returns standard error.
  std::string ExpectDone(const std::vector<std::string>& args, char separator = '.') {
    const CliRun run = RunCli(args, separator);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    return run.err;
  }

  // A refused command: status 1, the reason on standard error, nothing written, FILE as it was.
  void ExpectRefused(const std::vector<std::string>& args, const std::string& reason,
                     const std::string& file = {}, const Bytes& before = {}) {
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
    EXPECT_TRUE(run.err.ends_with(kNothingWritten)) << run.err;
    EXPECT_EQ(ReadBytes(file.empty() ? path : file), before.empty() ? original : before);
  }

  std::vector<std::string> Lines(const std::string& file) {
    const CliRun run = RunCli({"list", file});
    EXPECT_EQ(run.status, 0);
    std::vector<std::string> lines;
    std::istringstream in(run.out);
    for (std::string line; std::getline(in, line);)
      lines.push_back(line);
    return lines;
  }

  std::string InDir(const std::string& name) const { return (dir.Path() / name).string(); }

  testing::TempDir dir;
  std::string path;
  Bytes original;
  std::string source;
};

// ---- rename ----

TEST_F(CliEditingTest, RenameGivesTheCollItsNewNameAndSaves) {
  EXPECT_EQ(ExpectDone({"rename", path, "#2", "barrel_b"}), "");
  EXPECT_EQ(ReadBytes(path), ThroughEditor([](Editor& editor, testing::FakeUi& ui) {
              editor.SelectColl(1);
              ui.newNameResults = {"barrel_b"};
              RunRow(editor, "Rename1");
            }));
  EXPECT_EQ(Lines(path), (std::vector<std::string>{"lamp", "barrel_b", "wall"}));
  const Coll renamed = StoredColl(path, 1);
  EXPECT_EQ(renamed.Header.Id, kEditorId);  // applied as the window applies
  EXPECT_EQ(renamed.SphereCount(), 2);
}

TEST_F(CliEditingTest, RenameRefusesUnknownCollsAndNamesTheDialogWouldNotTake) {
  ExpectRefused({"rename", path, "#4", "abcd"}, "No coll #4 in " + path + "\n");
  ExpectRefused({"rename", path, "Barrel", "abcd"}, "No coll Barrel in " + path + "\n");
  ExpectRefused({"rename", path, "barrel", "bar rel"},
                "ERROR! \"Rename\" could not be completed (the name \"bar rel\" has a character "
                "other than a-z, A-Z, 0-9 and _).");
  ExpectRefused({"rename", path, "barrel", "abc"},
                "(the name \"abc\" is shorter than 4 characters)");
  ExpectRefused({"rename", path, "barrel", "BARREL"},
                "(the new name \"BARREL\" is the old name \"barrel\" (letter case alone makes no "
                "new name))");
  ExpectRefused({"rename", path, "barrel", "b23456789012345678901"},
                "(the name \"b23456789012345678901\" is longer than 20 characters)");
}

TEST_F(CliEditingTest, ASaveWithTwoCollsOfOneNameIsRefused) {
  const CliRun run = RunCli({"rename", path, "#3", "LAMP"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "At least 2 colls have the same name:\n\"lamp\" (1 and 3)\nAll names must be "
            "unique!\n" +
                std::string(kNothingWritten));
  EXPECT_EQ(ReadBytes(path), original);
  ExpectRefused({"copy", path, "#1", "Barrel"}, "\"barrel\" (2 and 4)");
}

TEST_F(CliEditingTest, UnknownSurfaceHintsAreShownButDoNotFail) {
  CollBuilder odd("odd_one");
  odd.Sphere({0, 0, 0}, 1, MakeSurface(40));
  // The first coll's hint is not repeated for a command on another coll.
  const std::string file = dir.Write("odd.col", colgen::EncodeFile({odd.Build(), Barrel()}));
  EXPECT_EQ(ExpectDone({"rename", file, "#2", "barrel_b"}), "");
  EXPECT_EQ(ExpectDone({"rename", file, "#1", "odd_two"}),
            "HINT: \"odd_one\" includes unknown surface types!\n");
  EXPECT_EQ(Lines(file), (std::vector<std::string>{"odd_two", "barrel_b"}));
}

// ---- damaged files ----

TEST_F(CliEditingTest, ADamagedRecordIsRefusedAndKeptAsItIs) {
  Bytes bytes = original;
  const std::size_t second = RecordOf(Lamp()).size();
  le::StoreI32(bytes.data() + second + 72, -5);  // the barrel's sphere count
  const std::string damaged = dir.Write("damaged.col", bytes);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"rename", damaged, "#2", "abcd"},
        {"copy", damaged, "#2", "abcd"},
        {"delete", damaged, "#2"},
        {"lod", damaged, "barrel"},
        {"surface", damaged, "#2", "--spheres", "--all", "--material", "1"},
        {"export", damaged, "#2", InDir("export.col")}}) {
    ExpectRefused(args, "ERROR while reading collision data!\n", damaged, bytes);
  }
  EXPECT_FALSE(fs::exists(InDir("export.col")));
  ExpectRefused({"recalc-bounds", damaged, "--all"},
                "#2 barrel: ERROR while reading collision data!\n", damaged, bytes);
  ExpectRefused({"clean", damaged, "--all"}, "#2 barrel: ERROR while reading collision data!\n",
                damaged, bytes);

  // The other colls can be edited; the damaged record travels with them byte for byte.
  ExpectDone({"rename", damaged, "#3", "wall_b"});
  const Bytes after = ReadBytes(damaged);
  ASSERT_EQ(after.size(), bytes.size());
  EXPECT_TRUE(std::equal(bytes.begin(),
                         bytes.begin() + static_cast<std::ptrdiff_t>(second) +
                             static_cast<std::ptrdiff_t>(RecordOf(Barrel()).size()),
                         after.begin()));
}

TEST_F(CliEditingTest, BytesAfterTheLastCollThatAreNoCollsBlockWriting) {
  Bytes garbage = original;
  for (const std::uint8_t byte : {std::uint8_t{'j'}, std::uint8_t{'u'}, std::uint8_t{'n'},
                                  std::uint8_t{'k'}, std::uint8_t{0}, std::uint8_t{1}})
    garbage.push_back(byte);
  const std::string file = dir.Write("garbage.col", garbage);
  ExpectRefused({"rename", file, "#1", "lamp_b"},
                file + ": the 6 bytes from byte " + std::to_string(original.size()) +
                    " on are no collision data the editor can read; saving would drop them\n",
                file, garbage);
  // A cut header at the end: the scan's own message as well.
  Bytes cut = original;
  const Bytes header = RecordOf(Barrel());
  cut.insert(cut.end(), header.begin(), header.begin() + 30);
  const std::string cutFile = dir.Write("cut.col", cut);
  const CliRun run = RunCli({"delete", cutFile, "#1"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err.rfind("ERROR while reading collision data!\n" + cutFile + ": the 30 bytes", 0),
            0u)
      << run.err;
  EXPECT_EQ(ReadBytes(cutFile), cut);
  // Reading it is fine.
  EXPECT_EQ(RunCli({"script", cutFile, "#2"}).status, 0);

  // Zero padding, as files taken out of an archive carry it, is dropped as the editor drops it.
  Bytes padded = original;
  padded.resize(padded.size() + 2048 - padded.size() % 2048, 0);
  const std::string paddedFile = dir.Write("padded.col", padded);
  ExpectDone({"rename", paddedFile, "#1", "lamp_b"});
  EXPECT_EQ(ReadBytes(paddedFile), ThroughEditor(
                                       [](Editor& editor, testing::FakeUi& ui) {
                                         ui.newNameResults = {"lamp_b"};
                                         RunRow(editor, "Rename1");
                                       },
                                       padded));
}

// A command whose row does not apply to the file says why instead of running, and fails.
TEST_F(CliEditingTest, ARowThatDoesNotApplyGivesItsReason) {
  const Bytes single = colgen::EncodeFile({Lamp()});
  const std::string one = dir.Write("one.col", single);
  const std::string script =
      dir.Write("one.cst", Bytes{'V', ' ', '0', ':', ' ', '1', ';', '2', ';', '3', '\r', '\n'});
  const Bytes none;
  const std::string empty = dir.Write("empty.col", none);
  const struct {
    std::vector<std::string> args;
    const char* reason;
    const std::string& file;
    const Bytes& before;
  } cases[] = {
      {{"merge", one, "#1", "#1", "twice"}, "Merging takes two colls.\n", one, single},
      {{"delete", one, "#1"}, "The last coll of a file is not deleted.\n", one, single},
      {{"import", empty, source, "gate"}, "The file holds no coll.\n", empty, none},
      {{"import-script", empty, script, "scripted"}, "The file holds no coll.\n", empty, none},
  };
  for (const auto& refused : cases) {
    SCOPED_TRACE(refused.args[0]);
    const CliRun run = RunCli(refused.args);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.find("changed nothing"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.rfind(refused.reason, 0), 0u) << run.err;
    EXPECT_EQ(ReadBytes(refused.file), refused.before);
  }
}

TEST_F(CliEditingTest, NothingIsAppendedAfterALastCollCutShort) {
  // The stored Size of the cut record would reach into appended bytes: the next scan would jump
  // into them and lose every appended coll.
  const Bytes cut(original.begin(), original.end() - 20);
  const std::string file = dir.Write("cut_short.col", cut);
  const std::string script =
      dir.Write("one.cst", Bytes{'V', ' ', '0', ':', ' ', '1', ';', '2', ';', '3', '\r', '\n'});
  const std::string reason =
      "The last collision object, \"wall\", is cut short: its record reaches past the end of "
      "the file.\nA collision object added after it could not be found again, so nothing was "
      "added.\nReplace that collision object first.\n";
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"copy", file, "#1", "copied_one"},
        {"import", file, source, "gate"},
        {"merge", file, "#1", "#2", "merged"},
        {"lod", file, "#1"},
        {"import-script", file, script, "scripted"}}) {
    SCOPED_TRACE(args[0]);
    ExpectRefused(args, reason, file, cut);
  }
  EXPECT_EQ(Lines(file).size(), 3u);
}

TEST_F(CliEditingTest, AnUnreadableFileIsReported) {
  const std::string missing = InDir("missing.col");
  ExpectRefused({"delete", missing, "#1"}, "Cannot open file \"" + missing + "\".", path);
  fs::create_directory(InDir("folder.col"));
  const CliRun run = RunCli({"lod", InDir("folder.col"), "#1"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err.rfind("Cannot open file \"" + InDir("folder.col") + "\".", 0), 0u) << run.err;
}

// ---- -o OUT ----

TEST_F(CliEditingTest, OutputWritesTheResultThereAndLeavesFileAlone) {
  const std::string out = InDir("out.col");
  ExpectDone({"rename", path, "#2", "barrel_b", "-o", out});
  EXPECT_EQ(ReadBytes(path), original);
  EXPECT_EQ(ReadBytes(out), ThroughEditor([](Editor& editor, testing::FakeUi& ui) {
              editor.SelectColl(1);
              ui.newNameResults = {"barrel_b"};
              RunRow(editor, "Rename1");
            }));
  // Written even when nothing changed: the output is what was asked for.
  const std::string same = InDir("same.col");
  EXPECT_EQ(ExpectDone({"clean", path, "barrel", "--output=" + same}), "0 vertices deleted.\n");
  EXPECT_EQ(ReadBytes(same), original);
}

TEST_F(CliEditingTest, AnUnchangedFileIsNotRewritten) {
  const auto past = fs::file_time_type::clock::now() - std::chrono::hours(24);
  fs::last_write_time(path, past);
  EXPECT_EQ(ExpectDone({"clean", path, "wall"}), "0 vertices deleted.\n");
  EXPECT_EQ(fs::last_write_time(path), past);
  EXPECT_EQ(ReadBytes(path), original);
}

TEST_F(CliEditingTest, AnOutputThatCannotBeWrittenIsNamedAndNothingWritten) {
  const std::string missingDir = InDir("none/out.col");
  ExpectRefused({"lod", path, "#1", "-o", missingDir},
                "Cannot save file \"" + missingDir + "\". No such file or directory.\n");
  const std::string underAFile = path + "/out.col";
  ExpectRefused({"lod", path, "#1", "-o", underAFile},
                "Cannot save file \"" + underAFile + "\". Not a directory.\n");
}

TEST_F(CliEditingTest, AReadOnlyDirectoryKeepsItsFile) {
  fs::permissions(path, fs::perms::all);
  fs::permissions(dir.Path(), fs::perms::owner_read | fs::perms::owner_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
  const std::string err = testing::AsOrdinaryUser([&] {
    const CliRun run = RunCli({"lod", path, "#1"});
    return std::to_string(run.status) + " " + run.err;
  });
  fs::permissions(dir.Path(), fs::perms::owner_all);
  EXPECT_EQ(err.rfind("1 ", 0), 0u) << err;
  EXPECT_NE(err.find("Cannot save file \"" + path + "\". Permission denied"), std::string::npos)
      << err;
  EXPECT_EQ(ReadBytes(path), original);
}

// ---- copy, delete ----

TEST_F(CliEditingTest, CopyAppendsTheStoredRecordUnderTheNewName) {
  ExpectDone({"copy", path, "lamp", "lamp_b"});
  EXPECT_EQ(ReadBytes(path), ThroughEditor([](Editor& editor, testing::FakeUi& ui) {
              ui.newNameResults = {"lamp_b"};
              RunRow(editor, "Copy1");
            }));
  EXPECT_EQ(Lines(path), (std::vector<std::string>{"lamp", "barrel", "wall", "lamp_b"}));
  // Every byte but the name is the stored record's.
  const Bytes after = ReadBytes(path);
  const Bytes lamp = RecordOf(Lamp());
  ASSERT_EQ(after.size(), original.size() + lamp.size());
  Bytes copy(after.end() - static_cast<std::ptrdiff_t>(lamp.size()), after.end());
  EXPECT_EQ(HeaderName(StoredColl(path, 3).Header), "lamp_b");
  std::fill(copy.begin() + 8, copy.begin() + 28, 0);
  Bytes expected = lamp;
  std::fill(expected.begin() + 8, expected.begin() + 28, 0);
  EXPECT_EQ(copy, expected);

  ExpectRefused({"copy", path, "#9", "abcd"}, "No coll #9 in", path, after);
  ExpectRefused({"copy", path, "#1", "ab"}, "(the name \"ab\" is shorter than 4 characters)", path,
                after);
}

TEST_F(CliEditingTest, DeleteRemovesTheCollAfterAnsweringItsQuestion) {
  ExpectDone({"delete", path, "barrel"});
  EXPECT_EQ(ReadBytes(path), ThroughEditor([](Editor& editor, testing::FakeUi& ui) {
              editor.SelectColl(1);
              ui.answers = {Answer::Yes};
              RunRow(editor, "Delete1");
            }));
  EXPECT_EQ(Lines(path), (std::vector<std::string>{"lamp", "wall"}));

  const Bytes single = colgen::EncodeFile({Lamp()});
  const std::string file = dir.Write("single.col", single);
  ExpectRefused({"delete", file, "#1"}, "The last coll of a file is not deleted.\n", file, single);
}

// ---- export ----

TEST_F(CliEditingTest, ExportWritesTheStoredRecordIntoANewTarget) {
  const std::string target = InDir("barrel.col");
  EXPECT_EQ(ExpectDone({"export", path, "#2", target}), "");
  EXPECT_EQ(ReadBytes(target), RecordOf(Barrel()));
  EXPECT_EQ(ReadBytes(path), original);

  // The same as the window's export.
  const std::string windowTarget = InDir("window.col");
  ThroughEditor([&](Editor& editor, testing::FakeUi& ui) {
    editor.SelectColl(1);
    ui.saveResults = {fs::path(windowTarget)};
    RunRow(editor, "Export1");
  });
  EXPECT_EQ(ReadBytes(windowTarget), ReadBytes(target));
}

TEST_F(CliEditingTest, ExportToAnExistingTargetNeedsAppendOrOverwrite) {
  const Bytes old = colgen::EncodeFile({CollBuilder("old").Build()});
  const std::string target = dir.Write("target.col", old);
  ExpectRefused({"export", path, "#3", target},
                "ERROR! \"Export\" could not be completed (" + target +
                    " exists: give --append to add the coll to it, or --overwrite to replace it).",
                target, old);
  EXPECT_EQ(ReadBytes(path), original);

  ExpectDone({"export", path, "#3", target, "--append"});
  Bytes appended = old;
  const Bytes wall = RecordOf(Wall());
  appended.insert(appended.end(), wall.begin(), wall.end());
  EXPECT_EQ(ReadBytes(target), appended);

  ExpectDone({"export", path, "#1", target, "--overwrite"});
  EXPECT_EQ(ReadBytes(target), RecordOf(Lamp()));
  EXPECT_EQ(ReadBytes(path), original);
}

TEST_F(CliEditingTest, ExportRefusesTheOpenFileAndTargetsItCannotWrite) {
  ExpectRefused({"export", path, "#1", path, "--append"},
                "Cannot export into \"" + path + "\": it is the file being edited.\n");
  const std::string missingDir = InDir("none/x.col");
  ExpectRefused({"export", path, "#1", missingDir},
                "Cannot save file \"" + missingDir + "\". No such file or directory.\n");
  ExpectRefused({"export", path, "#7", InDir("x.col")}, "No coll #7 in " + path);
  EXPECT_FALSE(fs::exists(InDir("x.col")));
}

// ---- import, replace ----

TEST_F(CliEditingTest, ImportAppendsTheNamedCollsInTheOrderGiven) {
  ExpectDone({"import", path, source, "#3", "fence"});
  EXPECT_EQ(ReadBytes(path), ThroughEditor([&](Editor& editor, testing::FakeUi& ui) {
              ui.openResults = {fs::path(source), fs::path(source)};
              ui.selectResults = {std::vector<int>{2}, std::vector<int>{0}};
              RunRow(editor, "Import1");
              RunRow(editor, "Import1");
            }));
  EXPECT_EQ(Lines(path), (std::vector<std::string>{"lamp", "barrel", "wall", "post [-]", "fence"}));
}

TEST_F(CliEditingTest, ImportRefusesCollsAndSourcesItCannotTake) {
  ExpectRefused({"import", path, source, "gate", "nope"}, "No coll nope in " + source + "\n");
  const std::string missing = InDir("missing.col");
  ExpectRefused({"import", path, missing, "#1"}, "Cannot open file \"" + missing + "\".");
  Bytes cut = ReadBytes(source);
  cut.resize(cut.size() - 10);
  const std::string cutSource = dir.Write("cut_source.col", cut);
  ExpectRefused({"import", path, cutSource, "#1"}, "ERROR while reading collision data!\n");
  // A name the file has already: imported, but the file cannot be saved so.
  const std::string twin = dir.Write("twin.col", colgen::EncodeFile({Barrel()}));
  ExpectRefused({"import", path, twin, "#1"}, "\"barrel\" (2 and 4)");
}

TEST_F(CliEditingTest, ReplaceKeepsTheNameAndThePosition) {
  ExpectDone({"replace", path, "barrel", source, "gate"});
  EXPECT_EQ(ReadBytes(path), ThroughEditor([&](Editor& editor, testing::FakeUi& ui) {
              editor.SelectColl(1);
              ui.openResults = {fs::path(source)};
              ui.selectResults = {std::vector<int>{1}};
              RunRow(editor, "Replace1");
            }));
  EXPECT_EQ(Lines(path), (std::vector<std::string>{"lamp", "barrel", "wall"}));
  const Coll replaced = StoredColl(path, 1);
  EXPECT_EQ(replaced.SphereCount(), 0);
  ASSERT_EQ(replaced.BoxCount(), 1);
  EXPECT_EQ(replaced.Boxes[0].Surface.Material, 9);

  const Bytes after = ReadBytes(path);
  ExpectRefused({"replace", path, "barrel", source, "#4"}, "No coll #4 in " + source, path, after);
  ExpectRefused({"replace", path, "#5", source, "#1"}, "No coll #5 in " + path, path, after);
}

// ---- merge, lod ----

TEST_F(CliEditingTest, MergeAppendsEveryElementOfBothColls) {
  ExpectDone({"merge", path, "lamp", "#3", "lampwall"});
  EXPECT_EQ(ReadBytes(path), ThroughEditor([](Editor& editor, testing::FakeUi& ui) {
              ui.mergeResults = {MergeChoice{0, 2, "lampwall"}};
              RunRow(editor, "Merge1");
            }));
  const Coll merged = StoredColl(path, 3);
  EXPECT_EQ(HeaderName(merged.Header), "lampwall");
  EXPECT_EQ(merged.VertexCount(), 5 + 8);
  EXPECT_EQ(merged.FaceCount(), 2 + 12);
  EXPECT_EQ(merged.Faces[2].A, Wall().Faces[0].A + 5);

  const Bytes after = ReadBytes(path);
  ExpectRefused({"merge", path, "lamp", "lamp", "ab"},
                "(the name \"ab\" is shorter than 4 characters)", path, after);
  ExpectRefused({"merge", path, "lamp", "#9", "abcd"}, "No coll #9 in", path, after);
  ExpectRefused({"merge", path, "lamp", "lamp", "lampwall"}, "\"lampwall\" (4 and 5)", path, after);
}

TEST_F(CliEditingTest, LodAppendsTheEmptyCompanionWithRecalculatedBounds) {
  ExpectDone({"lod", path, "lamp"});
  EXPECT_EQ(ReadBytes(path), ThroughEditor([](Editor& editor, testing::FakeUi& ui) {
              ui.answers = {Answer::Yes};
              RunRow(editor, "MakeLOD1");
            }));
  EXPECT_EQ(Lines(path), (std::vector<std::string>{"lamp", "barrel", "wall", "LODp [-]"}));
  const Coll lod = StoredColl(path, 3);
  // Recalculated: the stored bounds left out the unused vertex at (5, 5, 5).
  EXPECT_EQ(lod.Header.BoundingMax.Z, 5.0f);
  EXPECT_EQ(lod.Header.Id, kEditorId);
  // A second companion of the same name cannot be saved.
  const Bytes after = ReadBytes(path);
  ExpectRefused({"lod", path, "lamp"}, "\"LODp\" (4 and 5)", path, after);
}

// ---- import-script ----

TEST_F(CliEditingTest, ImportScriptReadsTheScriptIntoANewColl) {
  const std::string script =
      dir.Write("pole.cst", Bytes{'S',  ' ', '0', ':', ' ', '1', '.', '5', ' ', '|', ' ', '0',
                                  ';',  ' ', '0', ';', ' ', '2', ' ', '|', ' ', '[', '3', ']',
                                  '\n', 'V', ' ', '0', ':', ' ', '1', ';', '2', ';', '3', '\n'});
  ExpectDone({"import-script", path, script, "pole_01"});
  EXPECT_EQ(ReadBytes(path), ThroughEditor([&](Editor& editor, testing::FakeUi& ui) {
              ui.openResults = {fs::path(script)};
              ui.inputResults = {std::string("pole_01")};
              RunRow(editor, "ImportCollisionScript1");
            }));
  const Coll pole = StoredColl(path, 3);
  EXPECT_EQ(HeaderName(pole.Header), "pole_01");
  ASSERT_EQ(pole.SphereCount(), 1);
  EXPECT_EQ(pole.Spheres[0].Radius, 1.5f);
  EXPECT_EQ(pole.VertexCount(), 1);
  EXPECT_EQ(pole.Header.Id, kEditorId);
}

TEST_F(CliEditingTest, ImportScriptReadsTheChosenDecimalSeparator) {
  const std::string script = dir.Write(
      "comma.cst",
      Bytes{'S', ' ', '0', ':', '2', ',', '5', '|', '0', ';', '0', ';', '0', '|', '[', '1', ']'});
  ExpectRefused({"import-script", path, script, "comma"},
                "ERROR while parsing collision script!\n");
  EXPECT_EQ(ExpectDone({"--decimal-separator", ",", "import-script", path, script, "comma"}), "");
  EXPECT_EQ(StoredColl(path, 3).Spheres.at(0).Radius, 2.5f);
}

TEST_F(CliEditingTest, ImportScriptRefusesUnreadableScriptsAndBadNames) {
  const std::string missing = InDir("missing.cst");
  ExpectRefused({"import-script", path, missing, "abcd"}, "Cannot open file \"" + missing + "\".");
  const std::string bad =
      dir.Write("bad.cst", Bytes{'V', ' ', '0', ':', ' ', 'x', ';', '1', ';', '2'});
  ExpectRefused({"import-script", path, bad, "abcd"}, "ERROR while parsing collision script!\n");
  const std::string good =
      dir.Write("good.cst", Bytes{'V', ' ', '0', ':', '1', ';', '2', ';', '3'});
  ExpectRefused({"import-script", path, good, "my coll"},
                "ERROR! \"Import Collision Script\" could not be completed (the name \"my coll\" "
                "has a character other than a-z, A-Z, 0-9 and _).");
  ExpectRefused({"import-script", path, good, "ab"},
                "(the name \"ab\" is shorter than 4 characters)");
  ExpectRefused({"import-script", path, good, "a2345678901234567890x"},
                "the name \"a2345678901234567890x\" is longer than 20 characters\n");
}

// ---- recalc-bounds, clean ----

TEST_F(CliEditingTest, RecalcBoundsFitsTheBoundsOfOneColl) {
  ExpectDone({"recalc-bounds", path, "lamp"});
  EXPECT_EQ(ReadBytes(path), ThroughEditor([](Editor& editor, testing::FakeUi& ui) {
              ui.answers = {Answer::Yes};
              RunRow(editor, "RecalculateBoundingObjects1");
            }));
  const Coll lamp = StoredColl(path, 0);
  EXPECT_EQ(lamp.Header.BoundingMin.X, -1.0f);
  EXPECT_EQ(lamp.Header.BoundingMax.Z, 5.0f);  // the unused vertex still counts
  EXPECT_EQ(ReadBytes(path).size(), original.size());
  ExpectRefused({"recalc-bounds", path, "#0"}, "No coll #0 in", path, ReadBytes(path));
}

TEST_F(CliEditingTest, RecalcBoundsOfEveryColl) {
  ExpectDone({"recalc-bounds", path, "--all"});
  EXPECT_EQ(ReadBytes(path), ThroughEditor([](Editor& editor, testing::FakeUi& ui) {
              for (int i = 0; i < editor.CollCount(); ++i) {
                editor.SelectColl(i);
                ui.answers = {Answer::Yes};
                RunRow(editor, "RecalculateBoundingObjects1");
                editor.ApplyChanges();
              }
            }));
  const CliRun check = RunCli({"check", path, "--json"});
  EXPECT_EQ(check.out.find("bounds-too-small"), std::string::npos) << check.out;
}

TEST_F(CliEditingTest, CleanDeletesUnusedVerticesAndSaysHowMany) {
  EXPECT_EQ(ExpectDone({"clean", path, "#1"}), "1 vertices deleted.\n");
  EXPECT_EQ(ReadBytes(path), ThroughEditor([](Editor& editor, testing::FakeUi&) {
              RunRow(editor, "DeleteIsolatedVertices1");
            }));
  const Coll lamp = StoredColl(path, 0);
  EXPECT_EQ(lamp.VertexCount(), 4);
  EXPECT_EQ(lamp.Faces[0].C, 2);  // vertex 3 became 2
}

TEST_F(CliEditingTest, CleanEveryCollSaysWhichCollEachCountIsFor) {
  EXPECT_EQ(ExpectDone({"clean", path, "--all"}),
            "#1 lamp: 1 vertices deleted.\n#2 barrel: 0 vertices deleted.\n"
            "#3 wall: 0 vertices deleted.\n");
  EXPECT_EQ(ReadBytes(path), ThroughEditor([](Editor& editor, testing::FakeUi&) {
              for (int i = 0; i < editor.CollCount(); ++i) {
                editor.SelectColl(i);
                RunRow(editor, "DeleteIsolatedVertices1");
                if (editor.CollChanged()) editor.ApplyChanges();
              }
            }));
  // Unchanged colls keep their Id: only the cleaned one was applied.
  EXPECT_NE(StoredColl(path, 1).Header.Id, kEditorId);
}

// ---- surface ----

TEST_F(CliEditingTest, SurfaceQuickChangesTheListedElements) {
  ExpectDone({"surface", path, "wall", "--faces", "0,3,5-7", "--material", "12"});
  EXPECT_EQ(ReadBytes(path), ThroughEditor([](Editor& editor, testing::FakeUi& ui) {
              editor.SelectColl(2);
              editor.SetChecks(ListKind::Faces, CheckCommand::UncheckAll);
              for (const int face : {0, 3, 5, 6, 7})
                editor.ToggleCheck(ListKind::Faces, face);
              editor.LastMaterial = 12;
              ui.answers = {Answer::Yes};
              RunRow(editor, "QuickChangeOfSelected1");
            }));
  const Coll wall = StoredColl(path, 2);
  for (int face = 0; face < wall.FaceCount(); ++face) {
    const bool listed = face == 0 || face == 3 || (face >= 5 && face <= 7);
    EXPECT_EQ(wall.Faces[face].Surface.Material, listed ? 12 : 7) << face;
  }
  EXPECT_EQ(wall.Boxes[0].Surface.Material, 8);
}

TEST_F(CliEditingTest, SurfaceOfEveryElementKeepsTheOtherSurfaceBytes) {
  ExpectDone({"surface", path, "barrel", "--spheres", "--all", "--material", "0"});
  const Coll barrel = StoredColl(path, 1);
  EXPECT_EQ(Bytes4(barrel.Spheres[0].Surface), Bytes4(MakeSurface(0, 1)));
  EXPECT_EQ(Bytes4(barrel.Spheres[1].Surface), Bytes4(MakeSurface(0, 2)));
  // Nothing of the kind: nothing to do, and nothing written.
  const Bytes after = ReadBytes(path);
  const CliRun none = RunCli({"surface", path, "barrel", "--boxes", "--all", "--material", "3"});
  EXPECT_EQ(none.status, 0);
  EXPECT_EQ(none.err, "barrel has no boxes; nothing to change\n");
  EXPECT_EQ(ReadBytes(path), after);
}

TEST_F(CliEditingTest, SurfaceWithAParameterRunsChangeSurfacePerElement) {
  ExpectDone({"surface", path, "lamp", "--boxes", "0", "--material", "3", "--parameter", "17"});
  EXPECT_EQ(ReadBytes(path), ThroughEditor([](Editor& editor, testing::FakeUi& ui) {
              editor.SelectElement(ListKind::Boxes, 0);
              ui.surfaceResults = {SurfaceChoice{3, 13}};
              RunRow(editor, "MenuItem8");
            }));
  EXPECT_EQ(Bytes4(StoredColl(path, 0).Boxes[0].Surface), Bytes4(MakeSurface(3, 17)));

  ExpectDone({"surface", path, "lamp", "--faces", "0-1", "--material", "9", "--parameter", "5"});
  const Coll lamp = StoredColl(path, 0);
  EXPECT_EQ(Bytes4(lamp.Faces[0].Surface), Bytes4(MakeSurface(9, 5)));
  EXPECT_EQ(Bytes4(lamp.Faces[1].Surface), Bytes4(MakeSurface(9, 5)));
}

TEST_F(CliEditingTest, SurfaceRefusesElementsBeyondTheList) {
  ExpectRefused({"surface", path, "wall", "--faces", "0,12", "--material", "1"},
                "The faces of wall: \"12\": there is no element 12 (the last is 11)\n");
  ExpectRefused({"surface", path, "barrel", "--boxes", "0", "--material", "1"},
                "The boxes of barrel: \"0\": there is no element 0 (there are no elements)\n");
  ExpectRefused({"surface", path, "nope", "--boxes", "0", "--material", "1"}, "No coll nope in");
}

// ---- script -o ----

TEST_F(CliEditingTest, ScriptIsSavedAsTheScriptViewerSavesIt) {
  const CliRun shown = RunCli({"script", path, "barrel"});
  ASSERT_EQ(shown.status, 0);
  const std::string saved = InDir("barrel.cst");
  const CliRun run = RunCli({"script", path, "barrel", "-o", saved});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  const Bytes bytes = ReadBytes(saved);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), ScriptFileBytes(shown.out));
  EXPECT_NE(std::string(bytes.begin(), bytes.end()).find("=> Sphere count: 2\r\n"),
            std::string::npos);
  // Read back, it gives the same spheres.
  ExpectDone({"import-script", path, saved, "barrel_2"});
  EXPECT_EQ(StoredColl(path, 3).Spheres.size(), 2u);

  const std::string nowhere = InDir("none/x.cst");
  const CliRun failed = RunCli({"script", path, "barrel", "-o", nowhere});
  EXPECT_EQ(failed.status, 1);
  EXPECT_EQ(failed.err, "Cannot save file \"" + nowhere + "\". No such file or directory.\n");
}

// ---- usage ----

TEST_F(CliEditingTest, UsageErrorsExitWithTwoAndWriteNothing) {
  struct Case {
    std::vector<std::string> args;
    std::string reason;
  };
  const std::string surfaceUsage =
      "usage: vantorel-cli surface FILE COLL (--spheres|--boxes|--faces) (LIST | --all) "
      "--material M [--parameter P] [-o OUT]";
  const std::vector<Case> cases = {
      {{"rename", path, "#1"}, "usage: vantorel-cli rename FILE COLL NEWNAME [-o OUT]"},
      {{"copy", path}, "usage: vantorel-cli copy FILE COLL NEWNAME [-o OUT]"},
      {{"delete", path, "#1", "#2"}, "usage: vantorel-cli delete FILE COLL [-o OUT]"},
      {{"export", path, "#1"},
       "usage: vantorel-cli export FILE COLL TARGET [--append|--overwrite]"},
      {{"import", path, source}, "usage: vantorel-cli import FILE SOURCE COLL... [-o OUT]"},
      {{"replace", path, "#1", source},
       "usage: vantorel-cli replace FILE COLL SOURCE SOURCECOLL [-o OUT]"},
      {{"merge", path, "#1", "#2"}, "usage: vantorel-cli merge FILE COLL1 COLL2 NEWNAME [-o OUT]"},
      {{"lod", path}, "usage: vantorel-cli lod FILE COLL [-o OUT]"},
      {{"import-script", path, "x.cst"},
       "usage: vantorel-cli import-script FILE SCRIPT NEWNAME [-o OUT]"},
      {{"recalc-bounds", path}, "usage: vantorel-cli recalc-bounds FILE (COLL | --all) [-o OUT]"},
      {{"recalc-bounds", path, "#1", "--all"},
       "usage: vantorel-cli recalc-bounds FILE (COLL | --all) [-o OUT]"},
      {{"clean", "--all", path, "#1"}, "usage: vantorel-cli clean FILE (COLL | --all) [-o OUT]"},
      {{"surface", path, "#1", "0", "--material", "1"},
       "surface needs --spheres, --boxes or --faces; " + surfaceUsage},
      {{"surface", path, "#1", "0", "--faces"}, "surface needs --material M; " + surfaceUsage},
      {{"surface", path, "#1", "0", "--faces", "--all", "--material", "1"}, surfaceUsage},
      {{"surface", path, "#1", "--faces", "--material", "1"}, surfaceUsage},
      {{"surface", path, "#1", "0", "--faces", "--boxes", "--material", "1"},
       "give only one of --spheres, --boxes and --faces"},
      {{"surface", path, "#1", "0", "--faces", "--material", "35"},
       "--material needs a surface type number from 0 to 34"},
      {{"surface", path, "#1", "0", "--faces", "--material", "-1"},
       "--material needs a surface type number from 0 to 34"},
      {{"surface", path, "#1", "0", "--faces", "--material", "3x"},
       "--material needs a surface type number from 0 to 34"},
      {{"surface", path, "#1", "0", "--faces", "--material", "3", "--parameter", "13"},
       "--parameter needs a car part number: 0 to 12, or 17 (windscreen)"},
      {{"surface", path, "#1", "0", "--faces", "--material", "3", "--parameter", "273"},
       "--parameter needs a car part number: 0 to 12, or 17 (windscreen)"},
      {{"export", path, "#1", "x.col", "--append", "--overwrite"},
       "--append and --overwrite exclude each other"},
      {{"export", path, "#1", "x.col", "-o", "y.col"},
       "-o does not apply to export; usage: vantorel-cli export FILE COLL TARGET "
       "[--append|--overwrite]"},
      {{"copy", path, "#1", "abcd", "--json"},
       "--json does not apply to copy; usage: vantorel-cli copy FILE COLL NEWNAME [-o OUT]"},
      {{"list", path, "-o", "x"},
       "-o does not apply to list; usage: vantorel-cli list FILE [--json]"},
      {{"lod", path, "#1", "--all"},
       "--all does not apply to lod; usage: vantorel-cli lod FILE COLL [-o OUT]"},
      {{"rename", path, "#1", "abcd", "--append"},
       "--append does not apply to rename; usage: vantorel-cli rename FILE COLL NEWNAME [-o OUT]"},
      {{"rename", path, "#1", "abcd", "-o"}, "-o needs the name of the file to write"},
      {{"rename", path, "#1", "abcd", "-o="}, "-o needs the name of the file to write"},
  };
  for (const Case& c : cases) {
    const CliRun run = RunCli(c.args);
    EXPECT_EQ(run.status, 2) << c.reason;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "vantorel-cli: " + c.reason +
                           "\nRun 'vantorel-cli --help' for the commands and their options.\n");
  }
  EXPECT_EQ(ReadBytes(path), original);
}

// ---- convert ----

TEST_F(CliEditingTest, ConvertWritesWhatTheWindowWouldAndARefusedCollWritesNothing) {
  const std::string out = InDir("city_sa.col");
  const std::string err = ExpectDone({"convert", path, "--all", "--to", "col3", "-o", out});
  EXPECT_NE(err.find("lamp"), std::string::npos) << err;
  EXPECT_NE(err.find("1 vertex no face uses"), std::string::npos) << err;
  EXPECT_EQ(ReadBytes(path), original);
  EXPECT_EQ(ReadBytes(out), ThroughEditor([](Editor& editor, testing::FakeUi&) {
              RunRow(editor, "ConvertFileToCOL31");
            }));
  const std::string back = InDir("back.col");
  ExpectDone({"convert", out, "wall", "--to=col1", "-o", back});
  EXPECT_EQ(StoredColl(back, 2).Version(), 1);
  EXPECT_EQ(StoredColl(back, 1).Version(), 3);

  CollBuilder far("far_away");
  far.Face(far.Vertex({0, 0, 500}), far.Vertex({1, 0, 500}), far.Vertex({0, 1, 500}),
           MakeSurface(1));
  const std::string farFile = dir.Write("far.col", colgen::EncodeFile({Barrel(), far.Build()}));
  const Bytes farBefore = ReadBytes(farFile);
  ExpectRefused({"convert", farFile, "--all", "--to", "col2"}, "far_away", farFile, farBefore);
  EXPECT_EQ(RunCli({"convert", path, "--all"}).status, 2);
}

}  // namespace
}  // namespace vantorel
