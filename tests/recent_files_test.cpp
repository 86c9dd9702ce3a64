#include "doc/recent_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/file_drop.h"
#include "core/ini_file.h"
#include "core/utf8_path.h"
#include "tests/support/editor_fixture.h"

namespace vantorel {
namespace {

namespace fs = std::filesystem;
using testing::EditorTest;
using testing::FakeUi;
using testing::FakeView;

// Nine files opened, the second one twice: the newest eight stay, each once, newest first, and
// come back from the settings file after a restart, umlauts and blanks included.
TEST_F(EditorTest, TheLastEightFilesOpenedAreKeptAcrossARestart) {
  const fs::path settings = dir.Path() / "Vantorel.ini";
  StartContext context;
  context.ProgramPath = dir.Path() / "vantorel";
  context.SettingsPath = settings;
  editor.StartUp(context);

  std::vector<fs::path> opened;
  for (int i = 0; i < 9; ++i) {
    const std::string name = "Mauer \xC3\xA4 " + std::to_string(i) + ".col";
    opened.push_back(PathFromUtf8(OpenColls({Named("aaaa")}, name)));
  }
  editor.OpenFile(opened[1]);
  std::vector<fs::path> expected{opened[1], opened[8], opened[7], opened[6],
                                 opened[5], opened[4], opened[3], opened[2]};
  EXPECT_EQ(editor.Recent.Files(), expected);
  // A file that cannot be read is not offered again.
  editor.OpenFile(dir.Path() / "missing.col");
  EXPECT_EQ(editor.Recent.Files(), expected);
  editor.ShutDown();

  const auto ini = IniFile::Load(PathToUtf8(settings), nullptr);
  ASSERT_TRUE(ini);
  EXPECT_EQ(ini->GetString("RECENTFILES", "File1", ""), PathToUtf8(opened[1]));
  FakeUi otherUi;
  FakeView otherView;
  Editor restarted(otherUi, otherView);
  restarted.StartUp(context);
  EXPECT_EQ(restarted.Recent.Files(), expected);
}

// A hand-edited section: gaps, repeats and keys past the eighth are skipped; an empty list
// writes no section at all.
TEST(RecentFiles, ReadsOnlyWhatMakesSense) {
  IniFile ini = IniFile::Parse(
      "[RECENTFILES]\r\nFile1=/a.col\r\nFile2=\r\nfile3=/A.col\r\nFILE4=/a.col\r\nFile9=/"
      "x.col\r\n");
  RecentFiles recent;
  recent.Read(ini);
  EXPECT_EQ(recent.Files(), (std::vector<fs::path>{"/a.col", "/A.col"}));
  IniFile empty;
  RecentFiles().Write(empty);
  EXPECT_TRUE(empty.SectionNames().empty());
}

// A file that is gone is taken off the list with the reason; nothing is asked and the open file
// stays open.
TEST_F(EditorTest, ReopeningAFileThatIsGoneTakesItOffTheList) {
  const std::string kept = OpenColls({Named("aaaa")}, "kept.col");
  const std::string gone = OpenColls({Named("bbbb")}, "gone.col");
  const fs::path folder = dir.Path() / "folder.col";
  fs::create_directory(folder);
  editor.Recent.Add(folder);
  OpenPath(kept);
  fs::remove(gone);
  ASSERT_EQ(editor.Recent.Files().size(), 3u);
  EXPECT_EQ(UnavailableBecause(kept), std::nullopt);
  EXPECT_EQ(UnavailableBecause(gone), "not found");
  EXPECT_EQ(UnavailableBecause(folder), "not a file");

  ReopenRecentFile(editor, 2);  // kept, folder.col, gone
  ASSERT_EQ(ui.log.size(), 1u);
  EXPECT_EQ(ui.log[0], "message \"" + gone +
                           "\" cannot be opened any more (not found); it was taken off the "
                           "Reopen list.");
  EXPECT_EQ(editor.Recent.Files(), (std::vector<fs::path>{kept, folder}));
  EXPECT_EQ(editor.FileName(), fs::path(kept));

  // An existing file takes the road of File > Load: the questions come first.
  Edit([](Coll& coll) { coll.Spheres.clear(); });
  ui.answers = {Answer::Cancel};
  ReopenRecentFile(editor, 0);
  EXPECT_TRUE(editor.CollChanged());
  EXPECT_EQ(ui.questions.size(), 1u);
}

// Dropped items: only a single .col file opens, by the road of File > Load.
TEST_F(EditorTest, ADroppedColFileOpensAndAnythingElseIsRefusedWithAReason) {
  const std::string first = OpenColls({Named("aaaa")}, "first.col");
  const std::string dropped =
      dir.Write("Dropped \xC3\xB6.COL", colgen::EncodeFile({Named("bbbb")}));
  struct Case {
    DroppedItems items;
    std::string message;
  };
  const Case refused[] = {
      {{{dir.Path() / "notes.txt"}, 0},
       "\"notes.txt\" is not a collision file (.col); only .col files can be dropped here."},
      {{{dropped, first}, 0}, "Drop one collision file (.col) at a time."},
      {{{}, 1}, "Only collision files (.col) on this computer can be dropped here."},
  };
  for (const Case& c : refused) {
    Forget();
    OpenDroppedItems(editor, c.items);
    ASSERT_EQ(ui.log.size(), 1u);
    EXPECT_EQ(ui.log[0], "message " + c.message);
    EXPECT_EQ(editor.FileName(), fs::path(first));
  }

  Forget();
  Edit([](Coll& coll) { coll.Spheres.clear(); });
  ui.answers = {Answer::No};
  OpenDroppedItems(editor, {{dropped}, 0});
  ASSERT_EQ(ui.questions.size(), 1u);  // the apply question, as File > Load asks it
  EXPECT_EQ(editor.FileName(), PathFromUtf8(dropped));
  EXPECT_EQ(editor.CollCount(), 1);
  EXPECT_EQ(editor.Recent.Files().front(), PathFromUtf8(dropped));
}

}  // namespace
}  // namespace vantorel
