#include "edit/mesh_commands.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/document_state.h"
#include "tests/support/editor_fixture.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;
using testing::CaptureDocument;
using testing::DocumentState;
using testing::EditorTest;
using testing::ExpectUndoAndRedo;

// Five faces over five vertices (face i has material i and corners i, i+1, i+2 wrapped), a sixth
// vertex no face uses, and a sphere.
Coll Mesh() {
  CollBuilder b("mesh");
  for (int i = 0; i < 6; ++i)
    b.Vertex({static_cast<float>(i), 1, 2});
  for (int i = 0; i < 5; ++i)
    b.Face(i, (i + 1) % 5, (i + 2) % 5, MakeSurface(static_cast<std::uint8_t>(i)));
  b.Sphere({0, 0, 0}, 20, MakeSurface(3));
  return b.Build();
}

std::vector<int> Materials(const Coll& coll) {
  std::vector<int> materials;
  for (const CollFace& f : coll.Faces)
    materials.push_back(f.Surface.Material);
  return materials;
}

class MeshCommandTest : public EditorTest {
 protected:
  void SetUp() override { OpenColls({Mesh()}); }
  const Coll& Working() const { return editor.WorkingCopy(); }
  // The view was rebuilt where it looks, never moved to the coll's bounding sphere.
  void ExpectCameraKept() const { EXPECT_EQ(ViewRebuild(), CameraAfterEdit::Keep); }
};

TEST_F(MeshCommandTest, DeleteFaceRemovesTheSelectedFaceKeepsTheVerticesAndTheCamera) {
  editor.SelectElement(ListKind::Faces, 4);
  const DocumentState before = CaptureDocument(editor);
  const float radius = Working().Header.BoundingRadius;
  RunRow("MenuItem14");
  EXPECT_EQ(Materials(Working()), (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(editor.Lists().Faces.selected, 3);
  EXPECT_EQ(Working().VertexCount(), 6);
  EXPECT_EQ(Working().Header.BoundingRadius, radius);
  EXPECT_EQ(Working().Header.Size, RecordLength(Working()) - 8);
  EXPECT_TRUE(editor.CollChanged());
  EXPECT_TRUE(ui.log.empty());  // no question before deleting
  ExpectCameraKept();
  EXPECT_EQ(editor.UndoName(), "Delete Face");
  ExpectUndoAndRedo(editor, before);
}

TEST_F(MeshCommandTest, DeleteCheckedFacesKeepsTheRestInOrderAndSelectsTheLastLine) {
  editor.ToggleCheck(ListKind::Faces, 1);
  editor.ToggleCheck(ListKind::Faces, 3);
  Forget();
  const DocumentState before = CaptureDocument(editor);
  RunRow("DeleteCheckedFaces1");
  EXPECT_EQ(Materials(Working()), (std::vector<int>{0, 2, 4}));
  EXPECT_EQ(editor.Lists().Faces.checked, (std::vector<bool>{false, false, false}));
  EXPECT_EQ(editor.Lists().Faces.selected, 2);
  EXPECT_TRUE(editor.CollChanged());
  ExpectCameraKept();
  EXPECT_EQ(editor.UndoName(), "Delete Checked Faces");
  ExpectUndoAndRedo(editor, before);
}

TEST_F(MeshCommandTest, DeleteCheckedFacesWithNoneCheckedStillMarksTheCollChanged) {
  RunRow("DeleteCheckedFaces1");
  EXPECT_EQ(Working().FaceCount(), 5);
  EXPECT_TRUE(editor.CollChanged());
}

TEST_F(MeshCommandTest, DeleteUnusedVerticesRenumbersTheFacesAndSaysHowManyWent) {
  const DocumentState before = CaptureDocument(editor);
  RunRow("DeleteIsolatedVertices1");
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"1 vertices deleted."});
  EXPECT_EQ(Working().VertexCount(), 5);
  EXPECT_EQ(Working().Header.Size, RecordLength(Working()) - 8);
  // The removal is an edit like the others: offered for applying, one step of the history.
  EXPECT_TRUE(editor.CollChanged());
  ExpectCameraKept();
  EXPECT_EQ(editor.UndoName(), "Delete Unused Vertices");
  ExpectUndoAndRedo(editor, before);
}

TEST_F(EditorTest, DeleteUnusedVerticesOfTheDocumentedMesh) {
  CollBuilder b("four");
  b.Vertex({0, 0, 0});
  b.Vertex({1, 0, 0});
  b.Vertex({2, 0, 0});
  b.Vertex({3, 0, 0});
  b.Face(0, 2, 3, MakeSurface(0));
  OpenColls({b.Build()});
  RunRow("DeleteIsolatedVertices1");
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"1 vertices deleted."});
  const CollFace& f = editor.WorkingCopy().Faces.at(0);
  EXPECT_EQ(f.A, 0);
  EXPECT_EQ(f.B, 1);
  EXPECT_EQ(f.C, 2);
  EXPECT_EQ(editor.WorkingCopy().Vertices.at(1).X, 2.0f);
}

TEST_F(EditorTest, NothingToDeleteIsSaidAndChangesNothing) {
  CollBuilder used("used");
  used.Vertex({0, 0, 0});
  used.Vertex({1, 0, 0});
  used.Vertex({0, 1, 0});
  used.Face(0, 1, 2, MakeSurface(0));
  OpenColls({used.Build(), Named("bare")});
  for (const int coll : {0, 1}) {
    editor.SelectColl(coll);
    Forget();
    const DocumentState before = CaptureDocument(editor);
    RunRow("DeleteIsolatedVertices1");
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"0 vertices deleted."}) << coll;
    EXPECT_TRUE(CaptureDocument(editor) == before) << coll;
    EXPECT_FALSE(editor.CanUndo()) << coll;
  }
}

TEST_F(MeshCommandTest, DeletingTheOnlyFaceLeavesVerticesThatTheNextCommandRemoves) {
  CollBuilder b("one");
  b.Vertex({0, 0, 0});
  b.Vertex({1, 0, 0});
  b.Vertex({0, 1, 0});
  b.Face(0, 1, 2, MakeSurface(0));
  OpenColls({b.Build()});
  editor.SelectElement(ListKind::Faces, 0);
  RunRow("MenuItem14");
  EXPECT_EQ(Working().FaceCount(), 0);
  EXPECT_EQ(editor.Lists().Faces.selected, -1);
  EXPECT_EQ(Working().VertexCount(), 3);
  RunRow("DeleteIsolatedVertices1");
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"3 vertices deleted."});
  EXPECT_EQ(Working().VertexCount(), 0);
  // Both steps go back one by one.
  editor.Undo();
  EXPECT_EQ(Working().VertexCount(), 3);
  editor.Undo();
  EXPECT_EQ(Working().FaceCount(), 1);
  EXPECT_FALSE(editor.CollChanged());
}

TEST_F(MeshCommandTest, DeleteAllVerticesAndFacesKeepsSpheresAndBounds) {
  editor.ToggleCheck(ListKind::Faces, 0);
  const DocumentState before = CaptureDocument(editor);
  const CollHeader header = Working().Header;
  RunRow("DeleteAllVerticesFaces1");
  EXPECT_EQ(Working().FaceCount(), 0);
  EXPECT_EQ(Working().VertexCount(), 0);
  EXPECT_EQ(editor.Lists().Faces.Count(), 0);
  EXPECT_EQ(Working().SphereCount(), 1);
  EXPECT_EQ(editor.Lists().Spheres.checked, std::vector<bool>{true});
  EXPECT_EQ(Working().Header.BoundingRadius, header.BoundingRadius);
  EXPECT_EQ(Working().Header.BoundingMax.X, header.BoundingMax.X);
  EXPECT_EQ(Working().Header.Size, 84u + 20u);
  EXPECT_TRUE(editor.CollChanged());
  EXPECT_TRUE(ui.log.empty());
  ExpectCameraKept();
  EXPECT_EQ(editor.UndoName(), "Delete All Vertices & Faces");
  ExpectUndoAndRedo(editor, before);
}

TEST_F(MeshCommandTest, FaceCommandsWithoutTheirPreconditionDoNothing) {
  const DocumentState before = CaptureDocument(editor);
  RunRow("MenuItem14");  // no selected line
  RunRow("Details1");
  editor.SelectElement(ListKind::Faces, 7);  // beyond the list: none
  RunRow("MenuItem14");
  EXPECT_TRUE(ui.log.empty());
  EXPECT_TRUE(CaptureDocument(editor) == before);
  EXPECT_FALSE(editor.CanUndo());

  OpenColls({Named("nofaces")});
  RunRow("DeleteCheckedFaces1");
  EXPECT_FALSE(editor.CollChanged());
}

TEST_F(EditorTest, MeshCommandsWithoutALoadedCollDoNothing) {
  for (const char* row : {"MenuItem14", "DeleteCheckedFaces1", "DeleteIsolatedVertices1",
                          "DeleteAllVerticesFaces1", "Details1"}) {
    RunRow(row);
  }
  EXPECT_TRUE(ui.log.empty());
  EXPECT_FALSE(editor.CollChanged());
  EXPECT_FALSE(editor.WorkingCopy().IsLoaded());
}

TEST_F(EditorTest, FaceDetailsNameTheCornersAndTheSurfaceType) {
  CollBuilder b("details");
  for (int i = 0; i < 8; ++i)
    b.Vertex({static_cast<float>(i), 0.5f, -2.25f});
  b.Face(0, 1, 2, MakeSurface(0));
  b.Face(0, 1, 2, MakeSurface(0));
  b.Face(5, 6, 7, MakeSurface(19));
  b.Face(7, 2, 8, MakeSurface(40));
  OpenColls({b.Build()});
  ChangeSurfaceType(19, 0xFF00FF00, "Caf\xE9");  // game text in the Windows code page
  editor.DecimalSeparator = ',';
  const DocumentState before = CaptureDocument(editor);

  editor.SelectElement(ListKind::Faces, 2);
  RunRow("Details1");
  editor.SelectElement(ListKind::Faces, 3);
  RunRow("Details1");
  EXPECT_EQ(ui.Messages(), (std::vector<std::string>{"Face 2 uses vertices 5, 6 and 7:\r\n"
                                                     "\r\n"
                                                     "   5,0;   0,5;   -2,25\r\n"
                                                     "   6,0;   0,5;   -2,25\r\n"
                                                     "   7,0;   0,5;   -2,25\r\n"
                                                     "\r\n"
                                                     "Surface type: Caf\u00E9",
                                                     "Face 3 uses vertices 7, 2 and 8:\r\n"
                                                     "\r\n"
                                                     "   7,0;   0,5;   -2,25\r\n"
                                                     "   2,0;   0,5;   -2,25\r\n"
                                                     "   (none)\r\n"
                                                     "\r\n"
                                                     "Surface type: ?"}));
  EXPECT_TRUE(CaptureDocument(editor) == before);
  EXPECT_FALSE(editor.CanUndo());
}

}  // namespace
}  // namespace vantorel
