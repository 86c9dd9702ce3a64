// A model opened as a collision file: the colls it carries are listed, shown and exported, in
// the window's editor and in the batch tool, and never changed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/coll_codec.h"
#include "core/model/model_collision.h"
#include "tests/support/cli_run.h"
#include "tests/support/editor_fixture.h"
#include "tools/colgen/dff_builder.h"
#include "tools/colgen/sa_colls.h"

namespace vantorel {
namespace {

using testing::ReadBytes;
using testing::RunCli;

// A model carrying two colls, "crate" (a box mesh and a sphere) and "crate_lod".
Bytes TwoCollModel() {
  colgen::DffPlan plan = colgen::CollisionDff();
  colgen::CollBuilder crate("crate");
  crate.MeshBox({0, 0, 0}, {1, 1, 1}, colgen::MakeSurface(5));
  crate.Sphere({0.5f, 0.5f, 0.5f}, 0.9f, colgen::MakeSurface(11));
  colgen::CollBuilder lod("crate_lod");
  lod.Box({0, 0, 0}, {1, 1, 1}, colgen::MakeSurface(5));
  const Bytes file = colgen::EncodeFile({crate.Build(), lod.Build()});
  plan.Collision.assign(file.begin(), file.end());
  return colgen::WriteDff(plan).Data;
}

class ModelCollisionTest : public testing::EditorTest {
 protected:
  ModelCollisionTest() : model(dir.Write("crate.dff", TwoCollModel())) {}
  // The last message shown, or an empty text.
  std::string LastMessage() const {
    const std::vector<std::string> messages = ui.Messages();
    return messages.empty() ? std::string() : messages.back();
  }

  std::string model;
};

TEST_F(ModelCollisionTest, TheEditorShowsTheCarriedCollsAndRefusesEveryChange) {
  OpenPath(model);
  EXPECT_TRUE(editor.ReadOnly());
  EXPECT_EQ(Lines(), (std::vector<std::string>{"crate", "crate_lod"}));
  EXPECT_EQ(editor.WorkingCopy().FaceCount(), 12);
  EXPECT_NE(editor.Caption().find("crate.dff (read-only) - "), std::string::npos);

  const std::vector<std::function<void()>> changes = {
      [&] {
        ui.answers = {Answer::Yes};
        RunRow("Delete1");
      },
      [&] {
        ui.newNameResults = {std::string("crate2")};
        RunRow("Rename1");
      },
      [&] {
        const std::string obj = "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n";
        ui.meshImportResults = {
            MeshImportValues{dir.Write("tri.obj", Bytes(obj.begin(), obj.end())),
                             "tri_coll",
                             std::nullopt,
                             {},
                             std::nullopt}};
        RunRow("ImportMesh1");
      },
      [&] { editor.SaveFile(false); },
      [&] { RunRow("ToolButton8"); },  // Save, which asks nothing first
  };
  for (std::size_t i = 0; i < changes.size(); ++i) {
    ui.ClearLog();
    changes[i]();
    EXPECT_NE(LastMessage().find("crate.dff is a model"), std::string::npos) << i << LastMessage();
    EXPECT_NE(LastMessage().find("export them to a .col file"), std::string::npos) << i;
    EXPECT_EQ(Lines(), (std::vector<std::string>{"crate", "crate_lod"})) << i;
    EXPECT_FALSE(editor.FileChanged()) << i;
    EXPECT_FALSE(editor.CollChanged()) << i;
    EXPECT_FALSE(editor.CanUndo()) << i;
  }
  EXPECT_EQ(ReadBytes(model), TwoCollModel());

  // Export gives the editable copy.
  const std::string copy = (dir.Path() / "crate.col").string();
  ui.saveResults = {std::filesystem::path(copy)};
  RunRow("Export1");
  OpenPath(copy);
  EXPECT_FALSE(editor.ReadOnly());
  EXPECT_EQ(Lines(), (std::vector<std::string>{"crate"}));
  EXPECT_EQ(editor.WorkingCopy().SphereCount(), 1);
}

TEST_F(ModelCollisionTest, DamagedModelsAndModelsWithoutCollisionSayWhy) {
  Bytes cut = TwoCollModel();
  cut.resize(cut.size() - 40);
  editor.OpenFile(std::filesystem::path(dir.Write("cut.dff", cut)));
  ASSERT_FALSE(ui.log.empty());
  EXPECT_NE(ui.log.back().find("cut.dff: the file: its size of"), std::string::npos)
      << ui.log.back();
  EXPECT_EQ(editor.CollCount(), 0);
  EXPECT_FALSE(editor.FileRead());

  ui.ClearLog();
  editor.OpenFile(
      std::filesystem::path(dir.Write("plain.dff", colgen::WriteDff(colgen::OneAtomicDff()).Data)));
  EXPECT_EQ(LastMessage(), "plain.dff is a model that carries no collision.");
  EXPECT_EQ(editor.CollCount(), 0);
  EXPECT_TRUE(editor.ReadOnly());
  EXPECT_FALSE(IsRenderWareModel(colgen::EncodeFile({colgen::CollBuilder("box1").Build()})));
}

TEST_F(ModelCollisionTest, TheBatchToolReadsAndExportsButChangesNothing) {
  auto run = RunCli({"list", model});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "crate\ncrate_lod\n");
  run = RunCli({"info", model, "crate", "--json"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("\"faces\""), std::string::npos) << run.out;
  run = RunCli({"script", model, "crate_lod"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("crate_lod"), std::string::npos) << run.out;
  const std::string copy = (dir.Path() / "lod.col").string();
  run = RunCli({"export", model, "crate_lod", copy});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(RunCli({"list", copy}).out, "crate_lod\n");

  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"rename", model, "crate", "crate2"},
           {"delete", model, "crate_lod", "-o", (dir.Path() / "out.col").string()},
       }) {
    run = RunCli(args);
    EXPECT_EQ(run.status, 1) << args[0];
    EXPECT_NE(run.err.find("crate.dff is a model"), std::string::npos) << run.err;
    EXPECT_TRUE(run.err.ends_with("Nothing was written.\n")) << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "out.col"));
  EXPECT_EQ(ReadBytes(model), TwoCollModel());
}

// San Andreas models carry COL3 records: they list like the others, in their own version.
TEST_F(ModelCollisionTest, ASanAndreasModelsCollisionIsListedInItsVersion) {
  colgen::DffPlan plan = colgen::CollisionDff();
  const Bytes file = colgen::EncodeFile({colgen::SaColl("sa_crate", 3)});
  plan.Collision.assign(file.begin(), file.end());
  const std::string saModel = dir.Write("sa_crate.dff", colgen::WriteDff(plan).Data);
  const auto run = RunCli({"list", saModel, "--json"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("\"sa_crate\""), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"version\": 3"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace vantorel
