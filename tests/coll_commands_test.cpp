#include "ops/coll_commands.h"

#include <gtest/gtest.h>

#include <cstring>

#include "app/command_table.h"
#include "core/little_endian.h"
#include "tests/support/editor_fixture.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using testing::EditorTest;

constexpr std::array<std::uint8_t, 4> kOddId{1, 2, 3, 4};

Coll WithId(const std::string& name, int spheres, std::array<std::uint8_t, 4> id) {
  CollBuilder b(name);
  for (int i = 0; i < spheres; ++i)
    b.Sphere({0, 0, 0}, 1, colgen::MakeSurface(1));
  b.Id(id);
  return b.Build();
}

Bytes RecordOf(const Editor& editor, int index) {
  const CollDirectoryEntry& entry = editor.CollDirectory()[static_cast<std::size_t>(index)];
  const auto begin = editor.FileImage().begin() + entry.Offset;
  return Bytes(begin, begin + entry.Size);
}

std::array<std::uint8_t, 4> StoredId(const Editor& editor, int index) {
  const Bytes record = RecordOf(editor, index);
  return {record[28], record[29], record[30], record[31]};
}

const std::string kTwentyCharacters = "abcdefghijklmnopqrst";

class CollCommandsTest : public EditorTest {
 protected:
  // A file of three colls whose last record is cut short by the end of the file, with that coll
  // current (it failed to load).
  void OpenWithTruncatedLastColl() {
    Bytes bytes = colgen::EncodeFile({Named("a"), Named("b"), Named("c", 2)});
    bytes.resize(bytes.size() - 10);
    OpenPath(dir.Write("cut.col", bytes));
    editor.SelectColl(2);
    Forget();
  }
};

// --- Rename ---

TEST_F(CollCommandsTest, RenameChangesOnlyTheWorkingCopyUntilApplied) {
  OpenColls({Named("house01"), Named("b")});
  const Bytes image = editor.FileImage();
  ui.newNameResults = {"house02"};
  RunRow("Rename1");
  EXPECT_EQ(ui.log, std::vector<std::string>{"rename Rename Collision Object|house01"});
  EXPECT_EQ(HeaderName(editor.WorkingCopy().Header), "house02");
  EXPECT_EQ(Lines()[0], "house02");  // the list shows the new name at once
  EXPECT_TRUE(editor.CollChanged());
  EXPECT_FALSE(editor.FileChanged());
  EXPECT_EQ(editor.FileImage(), image);
  EXPECT_EQ(editor.CollDirectory()[0].Name, "house01");
  EXPECT_TRUE(Notified<CollLineChanged>());

  editor.ApplyChanges();
  EXPECT_EQ(editor.CollDirectory()[0].Name, "house02");
  ExpectDirectoryMatchesImage();
}

TEST_F(CollCommandsTest, ARenameIsLostWhenTheApplyQuestionIsAnsweredNo) {
  OpenColls({Named("house01"), Named("b")});
  ui.newNameResults = {"house02"};
  RunRow("Rename1");
  ui.answers = {Answer::No};
  editor.ClickCollLine(1);
  EXPECT_EQ(Lines()[0], "house01");
  EXPECT_EQ(editor.CollDirectory()[0].Name, "house01");
  EXPECT_FALSE(editor.FileChanged());
}

TEST_F(CollCommandsTest, RenameCancelledOrRefusedChangesNothing) {
  OpenColls({Named("abcd")});
  // Cancel, the same name in other letters, too short, a blank inside: none gets through, even
  // from a dialog that let it pass.
  ui.newNameResults = {std::nullopt, "ABCD", "  ab ", "my coll"};
  for (int i = 0; i < 4; ++i)
    RunRow("Rename1");
  EXPECT_EQ(ui.log.size(), 4u);
  EXPECT_FALSE(editor.CollChanged());
  EXPECT_EQ(HeaderName(editor.WorkingCopy().Header), "abcd");
  EXPECT_TRUE(notices.empty());
}

TEST_F(CollCommandsTest, RenameTakesTheTrimmedNameAndShowsTheOldOneAsUtf8) {
  OpenColls({Named("caf\xE9")});  // Windows-1252 e acute
  ui.newNameResults = {"  cafe_01 "};
  RunRow("Rename1");
  EXPECT_EQ(ui.log, std::vector<std::string>{"rename Rename Collision Object|caf\xC3\xA9"});
  EXPECT_EQ(HeaderName(editor.WorkingCopy().Header), "cafe_01");
}

TEST_F(CollCommandsTest, ATwentyCharacterNameZeroesTheIdBytesItWouldRunInto) {
  OpenColls({WithId("short", 1, kOddId)});
  ui.newNameResults = {kTwentyCharacters};
  RunRow("Rename1");
  EXPECT_EQ(HeaderName(editor.WorkingCopy().Header), kTwentyCharacters);
  EXPECT_EQ(editor.WorkingCopy().Header.Id, (std::array<std::uint8_t, 4>{0, 0, 0, 0}));
  editor.ApplyChanges();
  // Applying does not stamp its marker over a name that runs into the Id.
  EXPECT_EQ(StoredId(editor, 0), (std::array<std::uint8_t, 4>{0, 0, 0, 0}));
  EXPECT_EQ(editor.CollDirectory()[0].Name, kTwentyCharacters);
}

TEST_F(CollCommandsTest, RenameWithoutAFileOrALoadedCollDoesNothing) {
  RunRow("Rename1");
  EXPECT_TRUE(ui.log.empty());
  OpenWithTruncatedLastColl();
  RunRow("Rename1");
  EXPECT_TRUE(ui.log.empty());
  EXPECT_FALSE(editor.CollChanged());
}

// --- Copy ---

TEST_F(CollCommandsTest, CopyAppendsTheStoredRecordUnderTheNewNameAndSelectsIt) {
  OpenColls({WithId("wall01", 2, kOddId), Named("b")});
  const Bytes original = RecordOf(editor, 0);
  const auto formerSize = static_cast<std::int64_t>(editor.FileImage().size());
  ui.newNameResults = {"wall01_copy"};
  RunRow("Copy1");
  EXPECT_EQ(ui.log, std::vector<std::string>{"rename Copy Collision Object|wall01"});
  ASSERT_EQ(editor.CollCount(), 3);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"wall01", "b", "wall01_copy"}));
  EXPECT_EQ(editor.CollDirectory()[2].Offset, formerSize);
  EXPECT_EQ(editor.CurrentColl(), 2);
  EXPECT_EQ(HeaderName(editor.WorkingCopy().Header), "wall01_copy");
  EXPECT_EQ(editor.WorkingCopy().SphereCount(), 2);
  EXPECT_TRUE(editor.FileChanged());
  EXPECT_FALSE(editor.CollChanged());

  // Every byte but the name is the stored record's, the Id included.
  Bytes copy = RecordOf(editor, 2);
  ASSERT_EQ(copy.size(), original.size());
  EXPECT_EQ(StoredId(editor, 2), kOddId);
  std::memset(copy.data() + 8, 0, 20);
  Bytes expected = original;
  std::memset(expected.data() + 8, 0, 20);
  EXPECT_EQ(copy, expected);
  ExpectDirectoryMatchesImage();
}

TEST_F(CollCommandsTest, CopyOfTheOnlyEmptyCollIsListedAsEmpty) {
  OpenColls({Named("lonely", 0)});
  ui.newNameResults = {"lonely2"};
  RunRow("Copy1");
  EXPECT_EQ(Lines(), (std::vector<std::string>{"lonely [-]", "lonely2 [-]"}));
  EXPECT_EQ(editor.CollDirectory()[1].Size, 92);
}

TEST_F(CollCommandsTest, CopyWithUnappliedEditsYesCopiesTheAppliedRecord) {
  OpenColls({Named("a", 2), Named("b")});
  Edit([](Coll& coll) { coll.Spheres.clear(); });
  ui.answers = {Answer::Yes};
  ui.newNameResults = {"a_copy"};
  RunRow("Copy1");
  EXPECT_EQ(ui.log, (std::vector<std::string>{
                        "ask Apply Changes|Do you want to apply changes made to a?|Yes",
                        "rename Copy Collision Object|a"}));
  EXPECT_EQ(Lines(), (std::vector<std::string>{"a [-]", "b", "a_copy [-]"}));
  EXPECT_EQ(editor.CurrentColl(), 2);
  ExpectDirectoryMatchesImage();
}

TEST_F(CollCommandsTest, CopyWithUnappliedEditsNoCopiesTheStoredRecordAndDropsTheEdits) {
  OpenColls({Named("a", 2), Named("b")});
  Edit([](Coll& coll) { coll.Spheres.clear(); });
  ui.answers = {Answer::No};
  ui.newNameResults = {"a_copy"};
  RunRow("Copy1");
  EXPECT_EQ(Lines(), (std::vector<std::string>{"a", "b", "a_copy"}));
  EXPECT_EQ(editor.CollDirectory()[0].Size, editor.CollDirectory()[2].Size);
  EXPECT_EQ(editor.WorkingCopy().SphereCount(), 2);
  EXPECT_FALSE(editor.CollChanged());
  EXPECT_TRUE(editor.FileChanged());
}

TEST_F(CollCommandsTest, CopyWithUnappliedEditsCancelStopsBeforeTheDialog) {
  OpenColls({Named("a", 2), Named("b")});
  Edit([](Coll& coll) { coll.Spheres.clear(); });
  const Bytes image = editor.FileImage();
  ui.answers = {Answer::Cancel};
  RunRow("Copy1");
  EXPECT_EQ(ui.log.size(), 1u);  // the question only
  EXPECT_EQ(editor.FileImage(), image);
  EXPECT_TRUE(editor.CollChanged());
  EXPECT_FALSE(editor.FileChanged());
  EXPECT_EQ(editor.WorkingCopy().SphereCount(), 0);
  EXPECT_TRUE(Notified<SelectionChanged>());  // the list line goes back to the current coll
}

TEST_F(CollCommandsTest, CopyCancelledInTheDialogChangesNothingAndKeepsTheEdits) {
  OpenColls({Named("a", 2), Named("b")});
  Edit([](Coll& coll) { coll.Spheres.pop_back(); });
  const Bytes image = editor.FileImage();
  ui.answers = {Answer::No};
  ui.newNameResults = {std::nullopt};
  RunRow("Copy1");
  EXPECT_EQ(editor.FileImage(), image);
  EXPECT_EQ(editor.CollCount(), 2);
  EXPECT_TRUE(editor.CollChanged());
  EXPECT_EQ(editor.WorkingCopy().SphereCount(), 1);
  EXPECT_FALSE(editor.FileChanged());
}

TEST_F(CollCommandsTest, CopyUnderATwentyCharacterNameZeroesTheCopysId) {
  OpenColls({WithId("wall01", 1, kOddId)});
  ui.newNameResults = {kTwentyCharacters};
  RunRow("Copy1");
  EXPECT_EQ(editor.CollDirectory()[1].Name, kTwentyCharacters);
  EXPECT_EQ(StoredId(editor, 1), (std::array<std::uint8_t, 4>{0, 0, 0, 0}));
  EXPECT_EQ(StoredId(editor, 0), kOddId);
}

TEST_F(CollCommandsTest, CopyAndDeleteRefuseARecordCutShortByTheEndOfTheFile) {
  OpenWithTruncatedLastColl();
  const Bytes image = editor.FileImage();
  RunRow("Copy1");
  RunRow("Delete1");
  EXPECT_EQ(ui.log, (std::vector<std::string>{"message ERROR while reading collision data!",
                                              "message ERROR while reading collision data!"}));
  EXPECT_EQ(editor.FileImage(), image);
  EXPECT_EQ(editor.CollCount(), 3);
  EXPECT_FALSE(editor.FileChanged());
}

TEST_F(CollCommandsTest, CopyWithoutAFileDoesNothing) {
  RunRow("Copy1");
  RunRow("Delete1");
  EXPECT_TRUE(ui.log.empty());
  EXPECT_TRUE(notices.empty());
}

// --- Delete ---

TEST_F(CollCommandsTest, DeleteAsksWithTheStoredNameAndNoAsTheDefault) {
  OpenColls({Named("a"), Named("b"), Named("c")});
  editor.SelectColl(1);
  Edit([](Coll& coll) { SetHeaderName(coll.Header, "edited"); });
  ui.answers = {Answer::No};
  RunRow("Delete1");
  EXPECT_EQ(ui.log, std::vector<std::string>{
                        "ask Delete Collision Object|Do you really want to delete b?|No"});
  EXPECT_EQ(ui.questions[0].Choices, Buttons::YesNo);
  EXPECT_EQ(editor.CollCount(), 3);
  EXPECT_TRUE(editor.CollChanged());
  EXPECT_FALSE(editor.FileChanged());
}

TEST_F(CollCommandsTest, DeleteRemovesTheRecordMovesTheLaterOnesAndSelectsTheFirst) {
  OpenColls({Named("a"), Named("b", 3), Named("c"), Named("d", 0)});
  const CollDirectoryEntries before = editor.CollDirectory();
  editor.SelectColl(1);
  // Unapplied edits of the deleted coll go without the apply question.
  Edit([](Coll& coll) { coll.Spheres.clear(); });
  ui.answers = {Answer::Yes};
  RunRow("Delete1");
  EXPECT_EQ(ui.log.size(), 1u);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"a", "c", "d [-]"}));
  EXPECT_EQ(editor.CollDirectory()[1].Offset, before[2].Offset - before[1].Size);
  EXPECT_EQ(editor.CollDirectory()[2].Offset, before[3].Offset - before[1].Size);
  EXPECT_EQ(static_cast<std::int64_t>(editor.FileImage().size()),
            before[3].Offset + before[3].Size - before[1].Size);
  EXPECT_EQ(editor.CurrentColl(), 0);
  EXPECT_EQ(HeaderName(editor.WorkingCopy().Header), "a");
  EXPECT_TRUE(editor.FileChanged());
  EXPECT_FALSE(editor.CollChanged());
  ExpectDirectoryMatchesImage();
}

TEST_F(CollCommandsTest, DeleteOfTheSecondOfTwoLeavesTheFirstSelected) {
  OpenColls({Named("a"), Named("b")});
  editor.SelectColl(1);
  ChangeSettings([](Settings& settings) { settings.askDelete = false; });
  RunRow("Delete1");
  EXPECT_TRUE(ui.log.empty());  // askDelete off: at once
  EXPECT_EQ(Lines(), std::vector<std::string>{"a"});
  EXPECT_EQ(editor.CurrentColl(), 0);

  // The last coll of a file stays, silently.
  RunRow("Delete1");
  EXPECT_TRUE(ui.log.empty());
  EXPECT_EQ(editor.CollCount(), 1);
}

TEST_F(CollCommandsTest, ToolButtonsAndTheMenuRunTheSameCommands) {
  OpenColls({Named("a"), Named("b")});
  ui.newNameResults = {"a_copy", "a_copy2"};
  RunCommand(editor, *FindCommand("ToolButton9"));
  RunCommand(editor, *FindCommand("Copy1"));
  EXPECT_EQ(editor.CollCount(), 4);
  ui.answers = {Answer::Yes, Answer::Yes};
  RunCommand(editor, *FindCommand("ToolButton10"));
  RunCommand(editor, *FindCommand("Delete1"));
  // Each copy selects itself; each delete removes the current coll and selects the first.
  EXPECT_EQ(Lines(), (std::vector<std::string>{"b", "a_copy"}));
  ui.newNameResults = {"renamed"};
  RunCommand(editor, *FindCommand("ToolButton13"));
  EXPECT_EQ(Lines()[0], "renamed");
  for (const char* name :
       {"Copy1", "Delete1", "Rename1", "ToolButton9", "ToolButton10", "ToolButton13", "Import1",
        "Export1", "Replace1", "Merge1", "MakeLOD1", "Find1", "FindNext1", "Showbriefinfo1",
        "ToolButton11", "ToolButton12", "ToolButton14", "MenuItem16"}) {
    const CommandRow* row = FindCommand(name);
    ASSERT_NE(row, nullptr) << name;
    EXPECT_FALSE(row->GreyedWhenNot) << name << " is greyed";
  }
}

}  // namespace
}  // namespace vantorel
