// Every command that changes the document, done, undone and done again through the editor's
// history; and long random runs of commands taken all the way back and forth.
#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "app/command_table.h"
#include "core/coll_codec.h"
#include "edit/bounding_objects_command.h"
#include "tests/support/editor_fixture.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;
using testing::EditorTest;

// Everything undo must give back.
struct DocumentState {
  Bytes image;
  std::vector<std::tuple<std::string, std::int64_t, std::int64_t>> directory;
  int current = 0;
  bool collChanged = false;
  bool fileChanged = false;
  Bytes workingCopy;

  bool operator==(const DocumentState&) const = default;
};

DocumentState Capture(const Editor& editor) {
  DocumentState state;
  state.image = editor.FileImage();
  for (const CollDirectoryEntry& entry : editor.CollDirectory())
    state.directory.emplace_back(entry.Name, entry.Offset, entry.Size);
  state.current = editor.CurrentColl();
  state.collChanged = editor.CollChanged();
  state.fileChanged = editor.FileChanged();
  if (FitsRecordFields(editor.WorkingCopy())) {
    state.workingCopy.resize(RecordLength(editor.WorkingCopy()));
    EncodeColl(editor.WorkingCopy(), state.workingCopy.data());
  }
  return state;
}

Coll Meshed(const std::string& name, float size, std::uint8_t material) {
  CollBuilder b(name);
  b.Sphere({0, 0, size}, size / 2, MakeSurface(material));
  b.Box({-size, -size, 0}, {size, size, size}, MakeSurface(material));
  b.MeshBox({0, 0, 0}, {size, size, size}, MakeSurface(material));
  b.Vertex({9, 9, 9});  // used by no face
  return b.Build();
}

class UndoCommandsTest : public EditorTest {
 protected:
  void SetUp() override {
    other_ = dir.Write("other.col",
                       colgen::EncodeFile({Meshed("other1", 2, 3), Meshed("other2", 3, 4)}));
    OpenColls({Meshed("first", 1, 1), Meshed("second", 2, 2), Meshed("third", 3, 5)});
  }
  void RunRow(const char* name) {
    const CommandRow* row = FindCommand(name);
    ASSERT_NE(row, nullptr) << name;
    RunCommand(editor, *row);
  }

  std::string other_;
};

// Answers the dialogs a command opens, for each command done and undone below.
void Prepare(const std::string& row, testing::FakeUi& ui, Editor& editor,
             const std::string& other) {
  if (row == "Rename1") ui.newNameResults = {"renamed"};
  if (row == "Copy1") ui.newNameResults = {"copied"};
  if (row == "Delete1" || row == "MakeLOD1") ui.answers = {Answer::Yes};
  if (row == "Import1" || row == "Replace1") ui.openResults = {other};
  if (row == "Import1") ui.selectResults = {std::vector<int>{0, 1}};
  if (row == "Replace1") ui.selectResults = {std::vector<int>{1}};
  if (row == "Merge1") ui.mergeResults = {MergeChoice{0, 2, "merged"}};
  if (row == "ChangeSurfaceValue1") {
    editor.SelectElement(ListKind::Spheres, 0);
    ui.surfaceResults = {SurfaceChoice{7, 2}};
  }
  if (row == "QuickChangeOfSelected1") {
    editor.SetChecks(ListKind::Faces, CheckCommand::CheckAll);
    ui.answers = {Answer::Yes};
  }
}

class EachCommand : public UndoCommandsTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(EachCommand, IsOneStepThatUndoesAndRedoesExactly) {
  editor.ClickCollLine(1);
  Forget();
  const DocumentState before = Capture(editor);
  Prepare(GetParam(), ui, editor, other_);
  RunRow(GetParam());
  ASSERT_TRUE(ui.Messages().empty()) << ui.Messages().front();
  const DocumentState after = Capture(editor);
  ASSERT_FALSE(after == before) << "the command changed nothing";
  ASSERT_TRUE(editor.CanUndo());
  EXPECT_EQ(editor.UndoName(), CommandName(FindCommand(GetParam())->Caption));

  editor.Undo();
  EXPECT_TRUE(Capture(editor) == before);
  EXPECT_FALSE(editor.CanUndo());  // exactly one step
  editor.Redo();
  EXPECT_TRUE(Capture(editor) == after);
  EXPECT_FALSE(editor.CanRedo());
}

INSTANTIATE_TEST_SUITE_P(Commands, EachCommand,
                         ::testing::Values("Rename1", "Copy1", "Delete1", "Import1", "Replace1",
                                           "Merge1", "MakeLOD1", "ChangeSurfaceValue1",
                                           "QuickChangeOfSelected1", "ApplyChanges1"));

TEST_F(UndoCommandsTest, CommandsThatChangeNothingOrAreCancelledLeaveNoStep) {
  ui.newNameResults = {std::nullopt};
  RunRow("Rename1");
  ui.answers = {Answer::No};
  RunRow("Delete1");
  ui.openResults = {std::nullopt};
  RunRow("Import1");
  const std::string target = (dir.Path() / "exported.col").string();
  ui.saveResults = {target};
  RunRow("Export1");  // writes another file; the open one is unchanged
  ui.inputResults = {"sec"};
  RunRow("Find1");  // selects "second": no edits were pending
  RunRow("Showbriefinfo1");
  EXPECT_EQ(editor.CurrentColl(), 1);
  EXPECT_FALSE(editor.CanUndo());
}

// Random runs of commands: undoing every step gives back the file as it was opened, and redoing
// them all gives back where the run ended.
class RandomRuns : public UndoCommandsTest {
 protected:
  void RandomCommand(std::mt19937& random) {
    auto pick = [&](int count) {
      return static_cast<int>(random() % static_cast<unsigned>(std::max(count, 1)));
    };
    const int colls = editor.CollCount();
    const Coll& coll = editor.WorkingCopy();
    switch (pick(14)) {
      case 0:
        if (coll.SphereCount() > 0) {
          const int sphere = pick(coll.SphereCount());
          const float radius = static_cast<float>(pick(50)) / 4;
          editor.Run("Edit Sphere", [&] {
            editor.ChangeWorkingCopy([&](Coll& c, ElementLists&) {
              c.Spheres[static_cast<std::size_t>(sphere)].Radius = radius;
            });
          });
        }
        break;
      case 1:
        if (coll.FaceCount() > 0) {
          const int face = pick(coll.FaceCount());
          editor.Run("Delete Face", [&] {
            editor.ChangeWorkingCopy([&](Coll& c, ElementLists& lists) {
              c.Faces.erase(c.Faces.begin() + face);
              lists.Faces.checked.erase(lists.Faces.checked.begin() + face);
            });
          });
        }
        break;
      case 2:
        RunRow("ApplyChanges1");
        break;
      case 3:
        editor.Run({}, [&] { editor.ClickCollLine(pick(colls)); });
        break;
      case 4:
        ui.newNameResults = {"name" + std::to_string(pick(1000))};
        RunRow("Rename1");
        break;
      case 5:
        ui.newNameResults = {"copy" + std::to_string(pick(1000))};
        RunRow("Copy1");
        break;
      case 6:
        RunRow("Delete1");
        break;
      case 7:
        ui.mergeResults = {
            MergeChoice{pick(colls), pick(colls), "merged" + std::to_string(pick(99))}};
        RunRow("Merge1");
        break;
      case 8:
        RunRow("MakeLOD1");
        break;
      case 9:
        ui.openResults = {other_};
        ui.selectResults = {std::vector<int>{pick(2)}};
        RunRow("Import1");
        break;
      case 10:
        ui.openResults = {other_};
        ui.selectResults = {std::vector<int>{pick(2)}};
        RunRow("Replace1");
        break;
      case 11:
        if (coll.FaceCount() > 0) {
          editor.SetChecks(ListKind::Faces, CheckCommand::Invert);
          RunRow(pick(2) ? "QuickChangeOfSelected1" : "QuickChangeAllChecked2");
        }
        break;
      case 12:
        editor.Run("Recalculate", [&] { RecalcBoundingObjects(editor, true); });
        break;
      case 13:
        pick(3) ? editor.Undo() : editor.Redo();
        break;
    }
    // Whatever a command did not ask for must not be left for the next one.
    ui.newNameResults.clear();
    ui.mergeResults.clear();
    ui.openResults.clear();
    ui.selectResults.clear();
  }

  void TakeEverythingBackAndForth(unsigned seed) {
    ChangeSettings([](Settings& settings) {
      settings.askApply = settings.askDelete = settings.askRecalc = settings.askSurface = false;
      settings.UnkSurHint = false;
    });
    const Bytes opened = editor.FileImage();
    std::mt19937 random(seed);
    for (int i = 0; i < 200; ++i)
      RandomCommand(random);
    ASSERT_TRUE(ui.Messages().empty()) << ui.Messages().front();
    while (editor.CanRedo())
      editor.Redo();
    const DocumentState end = Capture(editor);

    int steps = 0;
    for (; editor.CanUndo(); ++steps)
      editor.Undo();
    EXPECT_GT(steps, 60);  // the run did change things, many times
    EXPECT_TRUE(editor.FileImage() == opened);
    EXPECT_FALSE(editor.FileChanged());
    EXPECT_FALSE(editor.CollChanged());
    ExpectDirectoryMatchesImage();

    while (editor.CanRedo())
      editor.Redo();
    EXPECT_TRUE(Capture(editor) == end);
    ExpectDirectoryMatchesImage();
  }
};

class RandomRunsOverMeshedColls : public RandomRuns,
                                  public ::testing::WithParamInterface<unsigned> {};

TEST_P(RandomRunsOverMeshedColls, GoBackToTheOpenedBytesAndForthToTheEnd) {
  TakeEverythingBackAndForth(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomRunsOverMeshedColls, ::testing::Values(1u, 2u, 3u, 4u));

TEST_F(RandomRuns, OverTheSampleFile) {
  OpenPath(VANTOREL_SAMPLE_FILE);
  TakeEverythingBackAndForth(7);
}

TEST_F(RandomRuns, OverARealFile) {
  const std::filesystem::path path = testing::RealFile("generic.col");
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "real game file not present: " << path;
  OpenPath(path.string());
  TakeEverythingBackAndForth(11);
}

}  // namespace
}  // namespace vantorel
