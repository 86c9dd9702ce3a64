#include <gtest/gtest.h>

#include <functional>

#include "core/coll_codec.h"
#include "core/compressed_record.h"
#include "tests/support/editor_fixture.h"
#include "tools/colgen/sa_colls.h"

namespace vantorel {
namespace {

using testing::EditorTest;

// Bytes 8 to 29 of a San Andreas record: its 22 name bytes. The model ID after them stays.
constexpr std::size_t kNameBegin = 8;
constexpr std::size_t kNameEnd = 30;

Bytes RecordOf(const Editor& editor, int index) {
  const CollDirectoryEntry& entry = editor.CollDirectory()[static_cast<std::size_t>(index)];
  const auto begin = editor.FileImage().begin() + entry.Offset;
  return Bytes(begin, begin + entry.Size);
}

// Whether two records agree in every byte but the name's.
bool SameButName(const Bytes& a, const Bytes& b) {
  if (a.size() != b.size() || a.size() < kNameEnd) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if ((i < kNameBegin || i >= kNameEnd) && a[i] != b[i]) return false;
  }
  return true;
}

class SaCommandsSweepTest : public EditorTest {
 protected:
  void UndoAll() {
    while (editor.CanUndo())
      editor.Undo();
  }
};

// Every coll command that moves whole records, on every San Andreas coll of a file that mixes
// the kinds: it does its work, undo gives the file back byte for byte, and what leaves the file
// comes back unchanged.
TEST_F(SaCommandsSweepTest, EachCommandOnEachKindUndoesAndRoundTripsToTheBytes) {
  struct Step {
    const char* command;
    // Runs the command on coll index (the current one) and checks what it did, given the
    // record as stored before.
    std::function<void(int index, const Bytes& record)> run;
  };
  const Step steps[] = {
      {"copy, and delete the copy",
       [this](int index, const Bytes& record) {
         const int count = editor.CollCount();
         ui.newNameResults = {"copy_of_it"};
         RunRow("Copy1");
         ASSERT_EQ(editor.CollCount(), count + 1);
         EXPECT_EQ(editor.CollDirectory().back().Name, "copy_of_it");
         EXPECT_TRUE(SameButName(RecordOf(editor, count), record));
         const Bytes withCopy = editor.FileImage();
         ui.answers = {Answer::Yes};
         RunRow("Delete1");
         EXPECT_EQ(editor.FileImage(), colgen::EncodeFile(colgen::MixedKindColls()));
         editor.Undo();
         EXPECT_EQ(editor.FileImage(), withCopy);
         (void)index;
       }},
      {"delete",
       [this](int index, const Bytes&) {
         const int count = editor.CollCount();
         ui.answers = {Answer::Yes};
         RunRow("Delete1");
         EXPECT_EQ(editor.CollCount(), count - 1);
         (void)index;
       }},
      {"rename and apply",
       [this](int index, const Bytes& record) {
         ui.newNameResults = {"renamed_coll"};
         RunRow("Rename1");
         RunRow("ApplyChanges1");
         EXPECT_EQ(editor.CollDirectory()[static_cast<std::size_t>(index)].Name, "renamed_coll");
         EXPECT_TRUE(SameButName(RecordOf(editor, index), record));
       }},
      {"export, then import what was exported",
       [this](int index, const Bytes& record) {
         const std::filesystem::path path =
             dir.Path() / ("exported_" + std::to_string(index) + ".col");
         ui.saveResults = {path};
         RunRow("Export1");
         EXPECT_EQ(testing::ReadBytes(path), record);
         ui.openResults = {path};
         ui.selectResults = {std::vector<int>{0}};
         RunRow("Import1");
         EXPECT_EQ(RecordOf(editor, editor.CollCount() - 1), record);
       }},
      {"replace by its own export, and apply",
       [this](int index, const Bytes& record) {
         const std::filesystem::path path = dir.Path() / "own.col";
         ui.saveResults = {path};
         RunRow("Export1");
         ui.openResults = {path};
         ui.selectResults = {std::vector<int>{0}};
         RunRow("Replace1");
         EXPECT_TRUE(editor.CollChanged());
         RunRow("ApplyChanges1");
         EXPECT_EQ(RecordOf(editor, index), record);
         std::filesystem::remove(path);
       }},
  };

  const std::vector<Coll> colls = colgen::MixedKindColls();
  OpenColls(colls);
  const Bytes original = editor.FileImage();
  for (int index = 0; index < static_cast<int>(colls.size()); ++index) {
    if (colls[static_cast<std::size_t>(index)].Version() < 2) continue;
    for (const Step& step : steps) {
      SCOPED_TRACE(std::string(step.command) + " on " +
                   HeaderName(colls[static_cast<std::size_t>(index)].Header));
      editor.SelectColl(index);
      Forget();
      const Bytes record = RecordOf(editor, index);
      step.run(index, record);
      EXPECT_TRUE(ui.Messages().empty()) << ::testing::PrintToString(ui.Messages());
      UndoAll();
      EXPECT_EQ(editor.FileImage(), original);
      ExpectDirectoryMatchesImage();
    }
  }
}

}  // namespace
}  // namespace vantorel
