#include "app/command_table.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "core/program_identity.h"
#include "tests/support/editor_fixture.h"

namespace vantorel {
namespace {

using testing::EditorTest;

struct Documented {
  const char* name;
  const char* caption;
  const char* shortcut;
};

// Every menu item, pop-up item and tool button the window documents, with caption and shortcut.
const Documented kDocumented[] = {
    {"Load1", "&Load...", "Ctrl+L"},
    {"Reload1", "&Reload", ""},
    {"Save1", "&Save", "Ctrl+S"},
    {"SaveAs1", "Save &As...", ""},
    {"Exit1", "&Exit", "Ctrl+X"},
    {"ApplyChanges1", "&Apply Changes...", ""},
    {"Restore1", "&Restore...", ""},
    {"Copy1", "Co&py...", "Ctrl+C"},
    {"Delete1", "&Delete...", ""},
    {"Import1", "&Import...", ""},
    {"Export1", "&Export...", ""},
    {"Replace1", "Rep&lace...", ""},
    {"Rename1", "&Rename...", "F2"},
    {"Merge1", "Merge...", ""},
    {"MakeLOD1", "Make &LOD", ""},
    {"ImportCollisionScript1", "Import Collision &Script...", ""},
    {"Showtextinfo1", "Show &Collision Script...", "Ctrl+T"},
    {"Find1", "&Find...", "Ctrl+F"},
    {"FindNext1", "Find &Next", "F3"},
    {"Showbriefinfo1", "Show Brief &Info...", "Ctrl+I"},
    {"MainSettings1", "&Main Settings...", "Ctrl+O"},
    {"ColorSettings1", "&Color Settings...", ""},
    {"RestartApplication1", "Re&start Application", ""},
    {"RegisterFileType1", "&Register File Type...", ""},
    {"Help2", "&Help", "F1"},
    {"VisitHomepage1", "&Visit Homepage", ""},
    {"SendEmail1", "&Send Email", ""},
    {"About1", "&About...", ""},
    {"ToolButton7", "&Load", ""},
    {"ToolButton8", "&Save", ""},
    {"ToolButton9", "Co&py", ""},
    {"ToolButton10", "&Delete", ""},
    {"ToolButton11", "&Import", ""},
    {"ToolButton12", "&Export", ""},
    {"ToolButton13", "&Rename", ""},
    {"ToolButton14", "Repl&ace", ""},
    {"ChangeSurfaceValue1", "&Change Surface...", ""},
    {"QuickChangeAllChecked2", "&Quick Change (All Checked)", ""},
    {"AddSphere1", "A&dd Sphere...", ""},
    {"EditSphere1", "&Edit Sphere...", ""},
    {"DeleteSphere1", "De&lete Sphere", ""},
    {"MenuItem8", "&Change Surface...", ""},
    {"QuickChangeAllChecked1", "&Quick Change (All Checked)", ""},
    {"MenuItem5", "A&dd Box...", ""},
    {"EditBox1", "&Edit Box...", ""},
    {"MenuItem6", "De&lete Box", ""},
    {"MenuItem16", "&Change Surface...", ""},
    {"QuickChangeOfSelected1", "&Quick Change (All Checked)", ""},
    {"Details1", "&Details...", ""},
    {"MenuItem14", "De&lete Face", ""},
    {"DeleteCheckedFaces1", "Delete C&hecked Faces", ""},
    {"DeleteIsolatedVertices1", "Delete Unu&sed Vertices", ""},
    {"DeleteAllVerticesFaces1", "Delete All &Vertices && Faces", ""},
    {"CheckAllFaces", "Check &All", ""},
    {"UncheckAllBoxes", "&Uncheck All", ""},
    {"InvertCheckingsSpheres", "&Invert Checkings", ""},
};

TEST(CommandTable, EveryDocumentedItemIsThereWithCaptionAndShortcut) {
  for (const Documented& item : kDocumented) {
    const CommandRow* row = FindCommand(item.name);
    ASSERT_NE(row, nullptr) << item.name;
    EXPECT_EQ(row->Caption, item.caption) << item.name;
    EXPECT_EQ(row->Shortcut, item.shortcut) << item.name;
    EXPECT_TRUE(row->Run) << item.name;
  }
}

TEST(CommandTable, EveryRowStandsInOnePlaceAndEveryPlaceNamesRows) {
  std::set<std::string_view> placed;
  for (const CommandPlace& place : CommandPlaces()) {
    for (std::string_view item : place.Items) {
      if (item == "-") continue;
      EXPECT_NE(FindCommand(item), nullptr) << place.Name << " names " << item;
      EXPECT_TRUE(placed.insert(item).second) << item << " stands in two places";
    }
  }
  std::set<std::string_view> names;
  for (const CommandRow& row : CommandTable()) {
    EXPECT_TRUE(names.insert(row.Name).second) << "two rows named " << row.Name;
    // Tool bars and pop-up menus are places of their own, not items of another place.
    const bool ownPlace = FindPlace(row.Name) && !placed.count(row.Name);
    EXPECT_TRUE(placed.count(row.Name) || ownPlace) << row.Name << " stands nowhere";
  }
}

TEST(CommandTable, NamesForMessagesAndHistoryDropAccessKeysAndDots) {
  EXPECT_EQ(CommandName("Delete C&hecked Faces"), "Delete Checked Faces");
  EXPECT_EQ(CommandName("Delete All &Vertices && Faces"), "Delete All Vertices & Faces");
  EXPECT_EQ(CommandName("&Apply Changes..."), "Apply Changes");
  // Data put into a caption keeps its "&" through the caption's reading.
  EXPECT_EQ(CaptionText("Delete All Vertices & Faces"), "Delete All Vertices && Faces");
  EXPECT_EQ(CommandName(CaptionText("a&&b & c&")), "a&&b & c&");
}

TEST_F(EditorTest, ADisabledItemSaysWhyAndDoesNotRun) {
  OpenColls({Named("a")});
  for (const CommandRow& row : CommandTable()) {
    if (row.Enabled && !row.Enabled(editor)) {
      EXPECT_FALSE(row.DisabledBecause.empty()) << row.Name << " is disabled without a reason";
    }
  }
  const CommandRow* help = FindCommand("Help2");
  ASSERT_TRUE(help->Enabled);
  EXPECT_FALSE(help->Enabled(editor));
  EXPECT_EQ(help->DisabledBecause, "the program ships without a help file");
}

TEST_F(EditorTest, TheEditsInsideACollAreNeverDisabled) {
  const char* rows[] = {"ImportCollisionScript1",
                        "Showtextinfo1",
                        "RecalculateBoundingObjects1",
                        "AddSphere1",
                        "EditSphere1",
                        "DeleteSphere1",
                        "MenuItem5",
                        "EditBox1",
                        "MenuItem6",
                        "Details1",
                        "MenuItem14",
                        "DeleteCheckedFaces1",
                        "DeleteIsolatedVertices1",
                        "DeleteAllVerticesFaces1"};
  for (const bool fileOpen : {false, true}) {
    if (fileOpen) OpenColls({Named("a")});
    for (const char* name : rows) {
      const CommandRow* row = FindCommand(name);
      ASSERT_NE(row, nullptr) << name;
      EXPECT_TRUE(!row->Enabled || row->Enabled(editor)) << name;
    }
  }
}

TEST_F(EditorTest, RowsRunTheirCommandThroughTheEditor) {
  OpenColls({Named("a", 2)});
  RunCommand(editor, *FindCommand("UncheckAllSpheres"));
  EXPECT_EQ(editor.Lists().Spheres.checked, (std::vector<bool>{false, false}));
  RunCommand(editor, *FindCommand("Exit1"));
  EXPECT_EQ(ui.closeRequests, 1);
  RunCommand(editor, *FindCommand("RestartApplication1"));
  EXPECT_TRUE(editor.RestartRequested);
  EXPECT_EQ(ui.closeRequests, 2);

  // The tool bar's Save asks the overwrite question with Yes as the default, the menu's with No.
  ui.answers = {Answer::Cancel, Answer::Cancel};
  RunCommand(editor, *FindCommand("ToolButton8"));
  RunCommand(editor, *FindCommand("Save1"));
  ASSERT_EQ(ui.questions.size(), 2u);
  EXPECT_EQ(ui.questions[0].Default, Answer::Yes);
  EXPECT_EQ(ui.questions[1].Default, Answer::No);
}

// No address the project does not control: a build given none names none, and the Help items
// that would open one say why they are disabled.
TEST_F(EditorTest, WithoutAddressesTheAboutBoxNamesNoneAndTheirItemsAreDisabled) {
  if (!kProjectContact.Homepage.empty() || !kProjectContact.Mail.empty())
    GTEST_SKIP() << "this build names the project's addresses";
  OpenColls({Named("a")});
  RunCommand(editor, *FindCommand("About1"));
  EXPECT_EQ(ui.log, std::vector<std::string>{
                        "about Vantorel\nVersion 1.1 BETA\n23. April 2003\n\nThanks to everyone "
                        "who tests Vantorel and reports what they find."});
  const std::pair<const char*, const char*> items[] = {
      {"VisitHomepage1", "this build names no homepage (VANTOREL_HOMEPAGE)"},
      {"SendEmail1", "this build names no mail address (VANTOREL_MAIL)"}};
  for (const auto& [name, reason] : items) {
    const CommandRow* row = FindCommand(name);
    ASSERT_TRUE(row->Enabled) << name;
    EXPECT_FALSE(row->Enabled(editor)) << name;
    EXPECT_EQ(row->DisabledBecause, reason);
    RunCommand(editor, *row);
  }
  EXPECT_TRUE(ui.urls.empty());
}

TEST_F(EditorTest, ACommandThatFailsLeavesTheDocumentAsItWasAndSaysWhy) {
  OpenColls({Named("a"), Named("b"), Named("c")});
  EditCurrentColl();
  const Bytes image = editor.FileImage();
  const Coll edited = editor.WorkingCopy();
  editor.Run("Break Everything", [&] {
    editor.ChangeFile([](CollFile& file) { file.RemoveRecords(1, 1); });
    editor.ChangeWorkingCopy([](Coll& coll, ElementLists&) { coll.Spheres.clear(); });
    throw std::runtime_error("disk on fire");
  });
  EXPECT_TRUE(editor.FileImage() == image);
  EXPECT_EQ(editor.CollCount(), 3);
  EXPECT_EQ(editor.WorkingCopy().SphereCount(), edited.SphereCount());
  EXPECT_EQ(editor.WorkingCopy().Header.BoundingRadius, edited.Header.BoundingRadius);
  EXPECT_TRUE(editor.CollChanged());
  EXPECT_FALSE(editor.FileChanged());
  ASSERT_EQ(ui.log.size(), 1u);
  EXPECT_EQ(ui.log[0],
            "error ERROR! \"Break Everything\" could not be completed (disk on fire). The file "
            "and the coll are as they were before it.");
  EXPECT_TRUE(Notified<CollListChanged>());
  EXPECT_TRUE(Notified<WorkingCopyChanged>());

  // A command inside a command runs inside the outer one's boundary.
  ui.ClearLog();
  editor.Run("Outer", [&] {
    editor.Run("Inner",
               [&] { editor.ChangeFile([](CollFile& file) { file.RemoveRecords(0, 1); }); });
    throw std::bad_alloc();
  });
  EXPECT_EQ(editor.CollCount(), 3);
  EXPECT_EQ(ui.log.size(), 1u);
  EXPECT_NE(ui.log[0].find("\"Outer\" could not be completed (not enough memory)"),
            std::string::npos);
}

}  // namespace
}  // namespace vantorel
