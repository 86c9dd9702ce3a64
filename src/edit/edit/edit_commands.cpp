// The rows of the edits inside a coll: collision scripts, spheres and boxes, mesh clean-up.
#include "edit/edit_commands.h"
#include "doc/editor.h"
#include "doc/row_conditions.h"
#include "edit/bounding_objects_command.h"
#include "edit/element_commands.h"
#include "edit/mesh_commands.h"
#include "edit/script_commands.h"

namespace vantorel {

namespace {

void RecalculateWithQuestion(Editor& editor) {
  RecalcBoundingObjects(editor, true);
}

enum class Needs { ReadColl, ReadCollAndRoom, Sphere, Box, Face, Faces };

AppliesCheck CheckOf(Needs needs) {
  switch (needs) {
    case Needs::ReadColl:
      return NeedsReadColl();
    case Needs::ReadCollAndRoom:
      return AllOf({NeedsColl(), NeedsRoomToAppend()});
    case Needs::Sphere:
      return NeedsSelectedElement(ListKind::Spheres);
    case Needs::Box:
      return NeedsSelectedElement(ListKind::Boxes);
    case Needs::Face:
      return NeedsSelectedElement(ListKind::Faces);
    case Needs::Faces:
      break;
  }
  return NeedsElements(ListKind::Faces);
}

struct ElementRow {
  std::string_view Name;
  std::string_view Caption;
  std::string_view Shortcut;
  // A plain function pointer picks the editor's command out of the same-named pure edits.
  void (*Run)(Editor&);
  Needs Applies;
  // The list whose Delete key runs the row.
  std::string_view DeleteIn = {};
  bool ApplyFirst = false;
};

constexpr ElementRow kRows[] = {
    {"ImportCollisionScript1",
     "Import Collision &Script...",
     {},
     ImportCollisionScript,
     Needs::ReadCollAndRoom,
     {},
     true},
    {"Showtextinfo1", "Show &Collision Script...", "Ctrl+T", ShowCollisionScript, Needs::ReadColl},
    {"RecalculateBoundingObjects1",
     "Recalculate Bounding Objects...",
     {},
     RecalculateWithQuestion,
     Needs::ReadColl},
    {"AddSphere1", "A&dd Sphere...", {}, AddSphere, Needs::ReadColl},
    {"EditSphere1", "&Edit Sphere...", {}, EditSphere, Needs::Sphere},
    {"DeleteSphere1", "De&lete Sphere", {}, DeleteSphere, Needs::Sphere, "clbSpheres"},
    {"MenuItem5", "A&dd Box...", {}, AddBox, Needs::ReadColl},
    {"EditBox1", "&Edit Box...", {}, EditBox, Needs::Box},
    {"MenuItem6", "De&lete Box", {}, DeleteBox, Needs::Box, "clbBoxes"},
    {"Details1", "&Details...", {}, ShowFaceDetails, Needs::Face},
    {"MenuItem14", "De&lete Face", {}, DeleteFace, Needs::Face, "clbFaces"},
    {"DeleteCheckedFaces1", "Delete C&hecked Faces", {}, DeleteCheckedFaces, Needs::Faces},
    {"DeleteIsolatedVertices1",
     "Delete Unu&sed Vertices",
     {},
     DeleteUnusedVertices,
     Needs::ReadColl},
    {"DeleteAllVerticesFaces1",
     "Delete All &Vertices && Faces",
     {},
     DeleteAllVerticesAndFaces,
     Needs::ReadColl},
};

}  // namespace

void AddElementCommands(std::vector<CommandRow>& rows) {
  for (const ElementRow& element : kRows) {
    CommandRow row{element.Name, element.Caption, element.Shortcut, element.Run};
    row.Applies = CheckOf(element.Applies);
    row.ApplyFirst = element.ApplyFirst;
    if (!element.DeleteIn.empty()) {
      row.ListKey = "Del";
      row.InList = element.DeleteIn;
    }
    rows.push_back(row);
  }
}

}  // namespace vantorel
