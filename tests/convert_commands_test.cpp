#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/coll_codec.h"
#include "tests/support/editor_fixture.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;
using testing::EditorTest;

// Off the 1/128 grid, with a vertex no face uses.
Coll OffGrid(const std::string& name, float far = 0) {
  CollBuilder b(name);
  b.Sphere({1.1f, 2.2f, 3.3f}, 0.7f, MakeSurface(4));
  b.Box({-1.01f, -2.02f, 0}, {3.03f, 4.04f, 5.05f}, MakeSurface(12));
  b.Vertex({9, 9, 9});
  b.MeshBox({0.013f, -0.31f, 0.77f}, {2.001f, 3.3333f, 4.9f}, MakeSurface(6));
  if (far != 0)
    b.Face(b.Vertex({far, 0, 0}), b.Vertex({far, 1, 0}), b.Vertex({far, 0, 1}), MakeSurface(6));
  return b.Build();
}

Coll ReadRecord(const Editor& editor, int index) {
  Coll coll;
  EXPECT_EQ(ReadColl(editor.FileImage(), editor.CollDirectory()[index], coll), ReadResult::Ok);
  return coll;
}

using ConvertCommandsTest = EditorTest;

TEST_F(ConvertCommandsTest, CurrentCollToCol3AndBackKeepsCountsAndCoordsAndUndoesToTheBytes) {
  const Coll original = OffGrid("classic");
  OpenColls({original, Named("other")});
  const Bytes before = editor.FileImage();

  RunRow("ConvertCollToCOL31");
  EXPECT_EQ(editor.WorkingCopy().Version(), 3);
  EXPECT_TRUE(editor.CollChanged());
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_NE(ui.Messages()[0].find("classic"), std::string::npos) << ui.Messages()[0];
  EXPECT_NE(ui.Messages()[0].find("1 vertex no face uses"), std::string::npos);
  RunRow("ApplyChanges1");
  EXPECT_EQ(editor.CollDirectory()[0].Version, 3);
  RunRow("ConvertCollToCOLL1");
  RunRow("ApplyChanges1");
  ExpectDirectoryMatchesImage();

  const Coll back = ReadRecord(editor, 0);
  EXPECT_EQ(back.Version(), 1);
  ASSERT_EQ(back.Spheres.size(), original.Spheres.size());
  ASSERT_EQ(back.Boxes.size(), original.Boxes.size());
  ASSERT_EQ(back.Faces.size(), original.Faces.size());
  ASSERT_EQ(back.Vertices.size(), original.Vertices.size() - 1);
  const auto within = [](const Vector3& a, const Vector3& b) {
    return std::abs(a.X - b.X) <= 1.0f / 256 && std::abs(a.Y - b.Y) <= 1.0f / 256 &&
           std::abs(a.Z - b.Z) <= 1.0f / 256;
  };
  // The unused vertex was the first: every face's corners keep their places.
  for (std::size_t i = 0; i < back.Faces.size(); ++i) {
    for (int corner = 0; corner < 3; ++corner) {
      const auto at = [&](const Coll& c) {
        const CollFace& f = c.Faces[i];
        return c.Vertices[static_cast<std::size_t>(corner == 0 ? f.A : corner == 1 ? f.B : f.C)];
      };
      EXPECT_TRUE(within(at(back), at(original))) << "face " << i << " corner " << corner;
    }
  }
  EXPECT_TRUE(within(back.Spheres[0].Center, original.Spheres[0].Center));
  EXPECT_TRUE(within(back.Boxes[0].Max, original.Boxes[0].Max));

  while (editor.CanUndo())
    editor.Undo();
  EXPECT_EQ(editor.FileImage(), before);
}

TEST_F(ConvertCommandsTest, WholeFileIsOneStepThatKeepsTheBytesOfItsOwnKind) {
  const Coll kept = CollBuilder("kept3").Version(3).Sphere({1, 2, 3}, 1, MakeSurface(1)).Build();
  OpenColls({OffGrid("a"), kept, OffGrid("b")});
  const Bytes before = editor.FileImage();
  const auto keptBytes = editor.File().RecordBytes(1);
  const Bytes keptBefore(keptBytes.begin(), keptBytes.end());

  RunRow("ConvertFileToCOL31");
  ExpectDirectoryMatchesImage();
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(editor.CollDirectory()[i].Version, 3) << i;
  const auto keptAfter = editor.File().RecordBytes(1);
  EXPECT_EQ(Bytes(keptAfter.begin(), keptAfter.end()), keptBefore);
  const std::vector<std::string> messages = ui.Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(std::count(messages[0].begin(), messages[0].end(), '\n'), 1) << messages[0];
  editor.Undo();
  EXPECT_FALSE(editor.CanUndo());
  EXPECT_EQ(editor.FileImage(), before);
}

// A coordinate past the compressed range refuses the whole file, naming the coll.
TEST_F(ConvertCommandsTest, WholeFileWithACollThatDoesNotFitChangesNothing) {
  OpenColls({OffGrid("fits"), OffGrid("far_out", 300.0f)}, "far.col");
  const Bytes farBefore = editor.FileImage();
  RunRow("ConvertFileToCOL31");
  EXPECT_EQ(editor.FileImage(), farBefore);
  EXPECT_FALSE(editor.FileChanged());
  EXPECT_FALSE(editor.CanUndo());
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_NE(ui.Messages()[0].find("far_out"), std::string::npos) << ui.Messages()[0];
  EXPECT_NE(ui.Messages()[0].find("300"), std::string::npos) << ui.Messages()[0];
}

}  // namespace
}  // namespace vantorel
