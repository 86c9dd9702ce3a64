// The rows of the edits inside a coll: collision scripts, spheres and boxes, mesh clean-up.
#include "edit/edit_commands.h"
#include "doc/editor.h"
#include "edit/bounding_objects_command.h"
#include "edit/element_commands.h"
#include "edit/mesh_commands.h"
#include "edit/script_commands.h"

namespace vantorel {

namespace {

void RecalculateWithQuestion(Editor& editor) {
  RecalcBoundingObjects(editor, true);
}

struct ElementRow {
  std::string_view Name;
  std::string_view Caption;
  std::string_view Shortcut;
  // A plain function pointer picks the editor's command out of the same-named pure edits.
  void (*Run)(Editor&);
};

constexpr ElementRow kRows[] = {
    {"ImportCollisionScript1", "Import Collision &Script...", {}, ImportCollisionScript},
    {"Showtextinfo1", "Show &Collision Script...", "Ctrl+T", ShowCollisionScript},
    {"RecalculateBoundingObjects1", "Recalculate Bounding Objects...", {}, RecalculateWithQuestion},
    {"AddSphere1", "A&dd Sphere...", {}, AddSphere},
    {"EditSphere1", "&Edit Sphere...", {}, EditSphere},
    {"DeleteSphere1", "De&lete Sphere", {}, DeleteSphere},
    {"MenuItem5", "A&dd Box...", {}, AddBox},
    {"EditBox1", "&Edit Box...", {}, EditBox},
    {"MenuItem6", "De&lete Box", {}, DeleteBox},
    {"Details1", "&Details...", {}, ShowFaceDetails},
    {"MenuItem14", "De&lete Face", {}, DeleteFace},
    {"DeleteCheckedFaces1", "Delete C&hecked Faces", {}, DeleteCheckedFaces},
    {"DeleteIsolatedVertices1", "Delete Unu&sed Vertices", {}, DeleteUnusedVertices},
    {"DeleteAllVerticesFaces1", "Delete All &Vertices && Faces", {}, DeleteAllVerticesAndFaces},
};

}  // namespace

void AddElementCommands(std::vector<CommandRow>& rows) {
  for (const ElementRow& row : kRows)
    rows.push_back({row.Name, row.Caption, row.Shortcut, row.Run});
}

}  // namespace vantorel
