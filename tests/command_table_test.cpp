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

// A few items of each kind the window documents: menu items with and without a shortcut, tool
// buttons, pop-up items, a caption with a doubled "&".
const Documented kDocumented[] = {
    {"Load1", "&Load...", "Ctrl+L"},
    {"Exit1", "&Exit", "Ctrl+X"},
    {"Rename1", "&Rename...", "F2"},
    {"Merge1", "Merge...", ""},
    {"Showtextinfo1", "Show &Collision Script...", "Ctrl+T"},
    {"Help2", "&Help", "F1"},
    {"ToolButton8", "&Save", ""},
    {"ToolButton14", "Repl&ace", ""},
    {"QuickChangeOfSelected1", "&Quick Change (All Checked)", ""},
    {"DeleteAllVerticesFaces1", "Delete All &Vertices && Faces", ""},
};

TEST(CommandTable, DocumentedItemsHaveTheirCaptionAndShortcut) {
  for (const Documented& item : kDocumented) {
    const CommandRow* row = FindCommand(item.name);
    ASSERT_NE(row, nullptr) << item.name;
    EXPECT_EQ(row->Caption, item.caption) << item.name;
    EXPECT_EQ(row->Shortcut, item.shortcut) << item.name;
    EXPECT_TRUE(row->Run) << item.name;
  }
  // The upper tool bar: eight captioned buttons, Load and Save first.
  const CommandPlace* bar = FindPlace("ToolBar3");
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(bar->Items.size(), 8u);
  EXPECT_EQ(FindCommand(bar->Items[0])->Caption, "&Load");
  EXPECT_EQ(FindCommand(bar->Items[1])->Caption, "&Save");
  EXPECT_EQ(FindCommand(bar->Items[7])->Caption, "Repl&ace");
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

TEST_F(EditorTest, ARowThatDoesNotApplySaysWhyAndOnlyHelpIsGreyedOfTheMenus) {
  // No file open: most rows have nothing to act on.
  int notApplying = 0;
  for (const CommandRow& row : CommandTable()) {
    if (const auto notNow = WhyNotNow(row, editor)) {
      ++notApplying;
      EXPECT_FALSE(notNow->Reason.empty()) << row.Name << " does not apply without a reason";
    }
  }
  EXPECT_GT(notApplying, 20);
  const CommandRow* help = FindCommand("Help2");
  EXPECT_TRUE(help->GreyedWhenNot);
  EXPECT_EQ(WhyNotNow(*help, editor)->Reason, "the program ships without a help file");
  // The edits inside a coll stay enabled where they do not apply: choosing one then does nothing.
  for (const char* name : {"Showtextinfo1", "AddSphere1", "EditBox1", "MenuItem14",
                           "DeleteCheckedFaces1", "Rename1", "ToolButton10", "MenuItem16"}) {
    const CommandRow* row = FindCommand(name);
    ASSERT_NE(row, nullptr) << name;
    EXPECT_TRUE(WhyNotNow(*row, editor)) << name;
    EXPECT_FALSE(row->GreyedWhenNot) << name;
    RunCommand(editor, *row);
  }
  EXPECT_TRUE(ui.log.empty());
  OpenColls({Named("a")});
  EXPECT_FALSE(WhyNotNow(*FindCommand("AddSphere1"), editor));
}

// The commands that read the stored records or select another coll settle the apply question
// first; Cancel leaves everything as it was, asks nothing more and shows the current line again.
TEST_F(EditorTest, ApplyFirstRowsStopOnCancelBeforeTheirCommand) {
  OpenColls({Named("a"), Named("b")});
  int asking = 0;
  for (const CommandRow& row : CommandTable()) {
    if (!row.ApplyFirst) continue;
    ++asking;
    SCOPED_TRACE(std::string(row.Name));
    EditCurrentColl();
    const Bytes image = editor.FileImage();
    const Coll edited = editor.WorkingCopy();
    ui.ClearLog();
    notices.clear();
    ui.answers = {Answer::Cancel};
    RunCommand(editor, row);
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(ui.questions[0].Caption, "Apply Changes");
    EXPECT_EQ(ui.log.size(), 1u) << "only the question";
    EXPECT_TRUE(editor.FileImage() == image);
    EXPECT_TRUE(editor.CollChanged());
    EXPECT_EQ(editor.WorkingCopy().SphereCount(), edited.SphereCount());
    EXPECT_TRUE(Notified<SelectionChanged>());
  }
  // Copy and its button, Import and its button, Merge, Make LOD, Import Collision Script, and
  // the three conversions of the whole file.
  EXPECT_EQ(asking, 10);
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
    EXPECT_TRUE(row->GreyedWhenNot) << name;
    const auto notNow = WhyNotNow(*row, editor);
    ASSERT_TRUE(notNow) << name;
    EXPECT_EQ(notNow->Reason, reason);
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
