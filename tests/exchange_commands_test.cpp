#include "ops/exchange_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/utf8_path.h"
#include "tests/support/editor_fixture.h"
#include "tools/colgen/sa_colls.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;
using testing::EditorTest;
using testing::ReadBytes;

const std::string kOpenDialog =
    "open Open Collision File|Collision files|*.col|All files|*.*|*.col";
const std::string kExportDialog =
    "save Export Collision File|Collision files|*.col|All files|*.*|*.col";
const std::string kAppendQuestion =
    "ask Append Coll|The file already exists.\r\nWould you like to append the collision "
    "object?\r\n\r\n(When choosing NO the file will be OVERWRITTEN!)|Yes";

Bytes Slice(const Bytes& bytes, const CollDirectoryEntry& entry) {
  const auto begin = bytes.begin() + entry.Offset;
  return Bytes(begin, begin + entry.Size);
}

class ExchangeCommandsTest : public EditorTest {
 protected:
  // Another file of five colls of different sizes, p0 to p4.
  std::string WriteFiveColls() {
    std::vector<Coll> colls;
    for (int i = 0; i < 5; ++i)
      colls.push_back(Named("p" + std::to_string(i), i));
    return dir.Write("five.col", colgen::EncodeFile(colls));
  }
};

// --- Import ---

TEST_F(ExchangeCommandsTest, ImportOfThreeOfFiveAppendsThemInListOrderWithoutGaps) {
  OpenColls({Named("a"), Named("b")});
  const std::string other = WriteFiveColls();
  const Bytes otherBytes = ReadBytes(other);
  CollDirectoryEntries source;
  ScanFile(otherBytes, source);
  const auto formerSize = static_cast<std::int64_t>(editor.FileImage().size());

  ui.openResults = {std::filesystem::path(other)};
  ui.selectResults = {std::vector<int>{4, 0, 3}};
  RunRow("Import1");
  EXPECT_EQ(ui.log, (std::vector<std::string>{
                        kOpenDialog,
                        "select Import Collision Object(s)|Select the collision object(s) you want "
                        "to import from five.col:||p0 [-],p1,p2,p3,p4"}));
  EXPECT_FALSE(ui.selectRequests[0].Replace);
  EXPECT_TRUE(ui.dialogs[0].MustExist);

  EXPECT_EQ(Lines(), (std::vector<std::string>{"a", "b", "p0 [-]", "p3", "p4"}));
  const CollDirectoryEntries& entries = editor.CollDirectory();
  EXPECT_EQ(entries[2].Offset, formerSize);
  EXPECT_EQ(entries[3].Offset, entries[2].Offset + entries[2].Size);
  EXPECT_EQ(entries[4].Offset, entries[3].Offset + entries[3].Size);
  EXPECT_EQ(static_cast<std::int64_t>(editor.FileImage().size()),
            entries[4].Offset + entries[4].Size);
  // The records come over byte for byte, their Id fields included.
  EXPECT_EQ(Slice(editor.FileImage(), entries[3]), Slice(otherBytes, source[3]));
  EXPECT_EQ(Slice(editor.FileImage(), entries[4]), Slice(otherBytes, source[4]));
  EXPECT_EQ(editor.CurrentColl(), 4);
  EXPECT_EQ(HeaderName(editor.WorkingCopy().Header), "p4");
  EXPECT_TRUE(editor.FileChanged());
  EXPECT_EQ(ReadBytes(other), otherBytes);
  ExpectDirectoryMatchesImage();
}

TEST_F(ExchangeCommandsTest, ImportTakesRecordsOfEveryKindWhole) {
  OpenColls({Named("a")});
  const std::string other = dir.Write("mixed.col", colgen::EncodeFile(colgen::MixedKindColls()));
  const Bytes otherBytes = ReadBytes(other);
  CollDirectoryEntries source;
  ScanFile(otherBytes, source);
  std::vector<int> all;
  for (std::size_t i = 0; i < source.size(); ++i)
    all.push_back(static_cast<int>(i));

  ui.openResults = {std::filesystem::path(other)};
  ui.selectResults = {all};
  RunRow("Import1");
  const CollDirectoryEntries& entries = editor.CollDirectory();
  ASSERT_EQ(entries.size(), source.size() + 1);
  for (std::size_t i = 0; i < source.size(); ++i) {
    SCOPED_TRACE(source[i].Name);
    EXPECT_EQ(entries[i + 1].Version, source[i].Version);
    EXPECT_EQ(entries[i + 1].Name, source[i].Name);
    EXPECT_EQ(Slice(editor.FileImage(), entries[i + 1]), Slice(otherBytes, source[i]));
  }
  ExpectDirectoryMatchesImage();
}

TEST_F(ExchangeCommandsTest, ImportAsksToApplyFirstAndAgainWhenSelectingAfterNo) {
  OpenColls({Named("a", 2)});
  const std::string other = WriteFiveColls();
  Edit([](Coll& coll) { coll.Spheres.clear(); });
  ui.answers = {Answer::No, Answer::No};
  ui.openResults = {std::filesystem::path(other)};
  ui.selectResults = {std::vector<int>{1}};
  RunRow("Import1");
  const std::string apply = "ask Apply Changes|Do you want to apply changes made to a?|Yes";
  ASSERT_EQ(ui.log.size(), 4u);
  EXPECT_EQ(ui.log[0], apply);
  EXPECT_EQ(ui.log[3], apply);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"a", "p1"}));
  EXPECT_EQ(editor.CollDirectory()[0].Size, 132);  // the edits were not applied
  EXPECT_EQ(editor.CurrentColl(), 1);
  EXPECT_FALSE(editor.CollChanged());

  // Yes applies before anything is imported.
  Edit([](Coll& coll) { coll.Spheres.push_back({}); });
  ui.answers = {Answer::Yes};
  ui.openResults = {std::filesystem::path(other)};
  ui.selectResults = {std::vector<int>{0}};
  RunRow("Import1");
  EXPECT_EQ(editor.CollDirectory()[1].Size, 112 + 20);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"a", "p1", "p0 [-]"}));
  ExpectDirectoryMatchesImage();
}

TEST_F(ExchangeCommandsTest, ImportCancelledAtAnyStepChangesNothing) {
  OpenColls({Named("a"), Named("b")});
  const std::string other = WriteFiveColls();
  const Bytes image = editor.FileImage();

  Edit([](Coll& coll) { coll.Spheres.clear(); });
  ui.answers = {Answer::Cancel};
  RunRow("Import1");  // the apply question
  EXPECT_EQ(ui.log.size(), 1u);
  EXPECT_TRUE(editor.CollChanged());

  ui.answers = {Answer::No, Answer::No};
  ui.openResults = {std::nullopt, std::filesystem::path(other)};
  ui.selectResults = {std::nullopt};
  RunRow("Import1");  // the open dialog
  RunRow("Import1");  // the selection dialog
  EXPECT_EQ(editor.FileImage(), image);
  EXPECT_EQ(editor.CollCount(), 2);
  EXPECT_FALSE(editor.FileChanged());
  EXPECT_TRUE(editor.CollChanged());
  EXPECT_EQ(editor.WorkingCopy().SphereCount(), 0);
}

TEST_F(ExchangeCommandsTest, ImportOfANameThatIsThereAlreadyWorksUntilSaving) {
  const std::string path = OpenColls({Named("wall")});
  const Bytes onDisk = ReadBytes(path);
  const std::string other = dir.Write("other.col", colgen::EncodeFile({Named("WALL")}));
  ui.openResults = {std::filesystem::path(other)};
  ui.selectResults = {std::vector<int>{0}};
  RunRow("Import1");
  EXPECT_EQ(Lines(), (std::vector<std::string>{"wall", "WALL"}));
  EXPECT_FALSE(editor.SaveFile(false));
  EXPECT_EQ(ui.Messages().back(),
            "At least 2 colls have the same name:\r\n\"wall\" (1 and 2)\r\nAll names must be "
            "unique!");
  EXPECT_EQ(ReadBytes(path), onDisk);
}

TEST_F(ExchangeCommandsTest, ImportAndReplaceRefuseAFileWithOneBadRecord) {
  OpenColls({Named("a"), Named("b")});
  const Bytes image = editor.FileImage();
  Bytes notColl = colgen::EncodeFile({Named("good"), Named("bad")});
  notColl[112] = 'X';  // the second record's marker
  Bytes cut = colgen::EncodeFile({Named("good"), Named("cut", 3)});
  cut.resize(cut.size() - 1);
  const std::string notCollPath = dir.Write("notcoll.col", notColl);
  const std::string cutPath = dir.Write("cut.col", cut);

  ui.openResults = {std::filesystem::path(notCollPath), std::filesystem::path(cutPath),
                    std::filesystem::path(notCollPath), std::filesystem::path(cutPath)};
  RunRow("Import1");
  RunRow("Import1");
  RunRow("Replace1");
  RunRow("Replace1");
  EXPECT_EQ(ui.Messages(), (std::vector<std::string>{
                               "No collision data found!", "ERROR while reading collision data!",
                               "No collision data found!", "ERROR while reading collision data!"}));
  EXPECT_TRUE(ui.selectRequests.empty());
  EXPECT_EQ(editor.FileImage(), image);
  EXPECT_FALSE(editor.FileChanged());
  EXPECT_FALSE(editor.CollChanged());
}

TEST_F(ExchangeCommandsTest, AFileThatCannotBeReadIsNamedWithTheSystemsReason) {
  OpenColls({Named("a")});
  const std::filesystem::path missing = dir.Path() / "missing.col";
  ui.openResults = {missing, missing};
  RunRow("Import1");
  RunRow("Replace1");
  ASSERT_EQ(ui.log.size(), 4u);
  const std::string error = "error Cannot open file \"" + PathToUtf8(missing) + "\". ";
  EXPECT_EQ(ui.log[1].rfind(error, 0), 0u) << ui.log[1];
  EXPECT_NE(ui.log[1].find("No such file"), std::string::npos) << ui.log[1];
  EXPECT_EQ(ui.log[3], ui.log[1]);
  EXPECT_FALSE(editor.FileChanged());
  EXPECT_FALSE(editor.CollChanged());
}

TEST_F(ExchangeCommandsTest, AnEmptyFileListsNothingAndNamesAreShownAsUtf8) {
  OpenColls({Named("a")});
  const std::string empty = dir.Write("empty.col", {});
  const std::string named = dir.Write("named.col", colgen::EncodeFile({Named("M\xE4uer")}));
  ui.openResults = {std::filesystem::path(empty), std::filesystem::path(named)};
  ui.selectResults = {std::nullopt, std::vector<int>{0}};
  RunRow("Import1");
  EXPECT_TRUE(ui.selectRequests[0].Lines.empty());
  RunRow("Import1");
  EXPECT_EQ(ui.selectRequests[1].Lines, std::vector<std::string>{"M\xC3\xA4uer"});
  EXPECT_EQ(editor.CollDirectory()[1].Name, "M\xE4uer");  // stored as the file's bytes
}

// --- Export ---

TEST_F(ExchangeCommandsTest, ExportWritesTheStoredRecordToANewFile) {
  OpenColls({Named("a"), Named("b", 2)});
  editor.SelectColl(1);
  const Bytes stored = Slice(editor.FileImage(), editor.CollDirectory()[1]);
  Edit([](Coll& coll) { coll.Spheres.clear(); });  // not exported
  const std::filesystem::path target = dir.Path() / "out.col";
  ui.saveResults = {target};
  RunRow("Export1");
  EXPECT_EQ(ui.log, std::vector<std::string>{kExportDialog});
  EXPECT_FALSE(ui.dialogs[0].AskOverwrite);
  EXPECT_EQ(ReadBytes(target), stored);
  EXPECT_TRUE(editor.CollChanged());
  EXPECT_FALSE(editor.FileChanged());
  EXPECT_EQ(editor.CurrentColl(), 1);
}

TEST_F(ExchangeCommandsTest, ExportToAnExistingFileAppendsOnYesAndOverwritesOnNo) {
  OpenColls({Named("a")});
  const Bytes record = editor.FileImage();
  const Bytes old = colgen::EncodeFile({Named("old1"), Named("old2", 3)});
  const std::string appendTo = dir.Write("append.col", old);
  const std::string overwrite = dir.Write("overwrite.col", old);

  ui.saveResults = {std::filesystem::path(appendTo), std::filesystem::path(overwrite)};
  ui.answers = {Answer::Yes, Answer::No};
  RunRow("Export1");
  RunRow("Export1");
  EXPECT_EQ(ui.log, (std::vector<std::string>{kExportDialog, kAppendQuestion, kExportDialog,
                                              kAppendQuestion}));
  // No overwrites: dismissing the question must have a harmless answer to give.
  EXPECT_EQ(ui.questions[0].Choices, Buttons::YesNoCancel);
  Bytes appended = old;
  appended.insert(appended.end(), record.begin(), record.end());
  EXPECT_EQ(ReadBytes(appendTo), appended);
  EXPECT_EQ(ReadBytes(overwrite), record);
  // Only the target is left in the folder beside the inputs: no temporary file stays.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                          std::filesystem::directory_iterator()),
            3);
}

TEST_F(ExchangeCommandsTest, ExportIntoTheOpenFileIsRefusedHoweverItIsNamed) {
  const std::string path = OpenColls({Named("a"), Named("b")});
  const Bytes onDisk = ReadBytes(path);
  const std::filesystem::path link = dir.Path() / "link.col";
  std::filesystem::create_symlink(path, link);
  const std::filesystem::path otherSpelling = dir.Path() / "." / "test.col";
  ui.saveResults = {std::filesystem::path(path), otherSpelling, link};
  for (int i = 0; i < 3; ++i)
    RunRow("Export1");
  const std::vector<std::string> messages = ui.Messages();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[0], "Cannot export into \"" + path +
                             "\": it is the file being edited.\r\nChoose another file.");
  EXPECT_EQ(ui.questions.size(), 0u);  // refused before the append question
  EXPECT_EQ(ReadBytes(path), onDisk);
  EXPECT_FALSE(editor.FileChanged());
}

TEST_F(ExchangeCommandsTest, ExportThatCannotWriteNamesTheFileAndWritesNothing) {
  OpenColls({Named("a")});
  const std::filesystem::path target = dir.Path() / "no-such-folder" / "out.col";
  ui.saveResults = {target};
  RunRow("Export1");
  ASSERT_EQ(ui.log.size(), 2u);
  EXPECT_EQ(ui.log[1].rfind("error Cannot save file \"" + PathToUtf8(target) + "\". ", 0), 0u)
      << ui.log[1];
  EXPECT_FALSE(std::filesystem::exists(target.parent_path()));
}

TEST_F(ExchangeCommandsTest, ExportOfACollCutShortOrCancelledWritesNothing) {
  Bytes bytes = colgen::EncodeFile({Named("a"), Named("b", 2)});
  bytes.resize(bytes.size() - 4);
  OpenPath(dir.Write("cut.col", bytes));
  editor.SelectColl(1);
  Forget();
  RunRow("Export1");
  EXPECT_EQ(ui.log, std::vector<std::string>{"message ERROR while reading collision data!"});

  editor.SelectColl(0);
  ui.saveResults = {std::nullopt};
  RunRow("Export1");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                          std::filesystem::directory_iterator()),
            1);
}

// --- Replace ---

TEST_F(ExchangeCommandsTest, ReplaceKeepsNameAndPositionAndTakesEverythingElse) {
  OpenColls({Named("a"), Named("house01"), Named("c")});
  editor.SelectColl(1);
  const Bytes image = editor.FileImage();
  CollBuilder source("source");
  source.Id({9, 8, 7, 6});
  source.Sphere({1, 2, 3}, 4, MakeSurface(31));  // unknown surface: no hint after a replace
  source.Box({0, 0, 0}, {5, 5, 5}, MakeSurface(2));
  source.MeshBox({-10, -10, 0}, {10, 10, 20}, MakeSurface(3));
  const Coll chosen = source.Build();
  const std::string other = dir.Write("other.col", colgen::EncodeFile({Named("first"), chosen}));
  Forget();

  ui.openResults = {std::filesystem::path(other)};
  ui.selectResults = {std::vector<int>{1}};
  RunRow("Replace1");
  EXPECT_EQ(ui.log, (std::vector<std::string>{
                        kOpenDialog,
                        "select Replace Collision Object|Select the collision object you want to "
                        "use for replacing house01:|(the name will remain \"house01\")|first,"
                        "source"}));
  EXPECT_TRUE(ui.selectRequests[0].Replace);

  const Coll& coll = editor.WorkingCopy();
  EXPECT_EQ(HeaderName(coll.Header), "house01");
  EXPECT_EQ(coll.Header.Id, (std::array<std::uint8_t, 4>{9, 8, 7, 6}));
  EXPECT_EQ(coll.Header.BoundingRadius, chosen.Header.BoundingRadius);
  EXPECT_EQ(coll.Header.BoundingMax.Z, chosen.Header.BoundingMax.Z);
  EXPECT_EQ(coll.SphereCount(), 1);
  EXPECT_EQ(coll.BoxCount(), 1);
  EXPECT_EQ(coll.VertexCount(), 8);
  EXPECT_EQ(coll.FaceCount(), 12);
  EXPECT_EQ(editor.CurrentColl(), 1);
  EXPECT_EQ(Lines()[1], "house01");
  EXPECT_TRUE(editor.CollChanged());
  EXPECT_FALSE(editor.FileChanged());
  EXPECT_EQ(editor.FileImage(), image);
  // Fresh marks for the new elements, and the view looks at the new bounds.
  EXPECT_EQ(editor.Lists().Spheres.checked, std::vector<bool>{true});
  EXPECT_EQ(editor.Lists().Faces.checked, std::vector<bool>(12, false));
  EXPECT_EQ(ViewRebuild(), CameraAfterEdit::Reset);

  editor.ApplyChanges();
  EXPECT_EQ(editor.CollDirectory()[1].Name, "house01");
  EXPECT_EQ(editor.CollDirectory()[1].Size, 72 + 20 + 20 + 28 + 8 * 12 + 12 * 16);
  ExpectDirectoryMatchesImage();
}

TEST_F(ExchangeCommandsTest, ReplaceTakesASanAndreasCollInItsOwnKind) {
  OpenColls({Named("house01")});
  const std::vector<Coll> mixed = colgen::MixedKindColls();
  const std::string other = dir.Write("mixed.col", colgen::EncodeFile(mixed));
  const auto col3 = std::find_if(mixed.begin(), mixed.end(),
                                 [](const Coll& coll) { return coll.Version() == 3; });
  ASSERT_NE(col3, mixed.end());

  ui.openResults = {std::filesystem::path(other)};
  ui.selectResults = {std::vector<int>{static_cast<int>(col3 - mixed.begin())}};
  RunRow("Replace1");
  EXPECT_EQ(HeaderName(editor.WorkingCopy().Header), "house01");
  EXPECT_EQ(editor.WorkingCopy().Version(), 3);
  EXPECT_EQ(editor.WorkingCopy().ShadowFaces.size(), col3->ShadowFaces.size());
  editor.ApplyChanges();
  EXPECT_EQ(editor.CollDirectory()[0].Version, 3);
  EXPECT_EQ(editor.CollDirectory()[0].Name, "house01");
  ExpectDirectoryMatchesImage();
}

TEST_F(ExchangeCommandsTest, ReplaceWithARecordThatCannotBeReadSaysSoAndKeepsTheColl) {
  OpenColls({Named("a", 2)});
  Bytes damaged = colgen::EncodeFile({Named("whole"), Named("counts", 1)});
  damaged[112 + 72] = 0xE8;  // the second coll claims 1000 spheres in a record of one
  damaged[112 + 73] = 0x03;
  const std::string other = dir.Write("damaged.col", damaged);
  ui.openResults = {std::filesystem::path(other)};
  ui.selectResults = {std::vector<int>{1}};
  RunRow("Replace1");
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"ERROR while reading collision data!"});
  EXPECT_EQ(editor.WorkingCopy().SphereCount(), 2);
  EXPECT_FALSE(editor.CollChanged());
  EXPECT_TRUE(notices.empty());
}

TEST_F(ExchangeCommandsTest, ReplaceOnACollThatFailedToLoadKeepsItsStoredName) {
  Bytes damaged = colgen::EncodeFile({Named("whole"), Named("broken_one", 1)});
  damaged[112 + 72] = 0xE8;  // the second coll claims 1000 spheres in a record of one
  damaged[112 + 73] = 0x03;
  OpenPath(dir.Write("damaged.col", damaged));
  editor.SelectColl(1);
  ASSERT_FALSE(editor.WorkingCopy().IsLoaded());
  const std::string other = WriteFiveColls();
  Forget();
  ui.openResults = {std::filesystem::path(other)};
  ui.selectResults = {std::vector<int>{2}};
  RunRow("Replace1");
  EXPECT_NE(ui.log[1].find("(the name will remain \"broken_one\")"), std::string::npos)
      << ui.log[1];
  editor.ApplyChanges();
  EXPECT_EQ(editor.CollDirectory()[1].Name, "broken_one");
  EXPECT_EQ(editor.WorkingCopy().SphereCount(), 2);
  ExpectDirectoryMatchesImage();
}

TEST_F(ExchangeCommandsTest, ReplaceCancelledChangesNothingAndAsksNoApplyQuestion) {
  OpenColls({Named("a", 2)});
  Edit([](Coll& coll) { coll.Spheres.pop_back(); });
  const std::string other = WriteFiveColls();
  ui.openResults = {std::nullopt, std::filesystem::path(other)};
  ui.selectResults = {std::nullopt};
  RunRow("Replace1");
  RunRow("Replace1");
  EXPECT_EQ(ui.log.size(), 3u);  // two open dialogs and one selection, no question
  EXPECT_EQ(editor.WorkingCopy().SphereCount(), 1);
  EXPECT_TRUE(editor.CollChanged());
  EXPECT_TRUE(notices.empty());
}

TEST_F(ExchangeCommandsTest, ReplaceUnderATwentyCharacterNameZeroesTheIdItWouldRunInto) {
  CollBuilder b("x");
  std::array<char, 20> name{};
  std::copy_n("abcdefghijklmnopqrst", 20, name.begin());
  b.RawName(name);
  OpenColls({b.Build()});
  CollBuilder source("source");
  source.Id({9, 8, 7, 6});
  const std::string other = dir.Write("other.col", colgen::EncodeFile({source.Build()}));
  ui.openResults = {std::filesystem::path(other)};
  ui.selectResults = {std::vector<int>{0}};
  RunRow("Replace1");
  EXPECT_EQ(HeaderName(editor.WorkingCopy().Header), "abcdefghijklmnopqrst");
  EXPECT_EQ(editor.WorkingCopy().Header.Id, (std::array<std::uint8_t, 4>{0, 0, 0, 0}));
}

}  // namespace
}  // namespace vantorel
