#include "app/command_table.h"

#include "doc/editor.h"
#include "edit/edit_commands.h"
#include "ops/ops_commands.h"
#include "view/view_commands.h"

namespace vantorel {

namespace {

std::vector<CommandRow> BuildTable() {
  std::vector<CommandRow> rows;
  AddAppCommands(rows);
  AddCollCommands(rows);
  AddElementCommands(rows);
  AddViewCommands(rows);
  return rows;
}

std::vector<CommandPlace> BuildPlaces() {
  return {
      {"MainMenu", {"File1", "Coll1", "Options1", "Help1"}},
      {"File1", {"Load1", "Reopen1", "Reload1", "-", "Save1", "SaveAs1", "-", "Exit1"}},
      // The files opened last: the window fills it from the editor's list when it opens.
      {"Reopen1", {}},
      {"Coll1",
       {"ApplyChanges1", "Restore1", "-", "Edit1", "Merge1", "MakeLOD1", "Convert1", "-",
        "ImportCollisionScript1", "Showtextinfo1", "ImportMesh1", "ExportMesh1", "-", "Find1",
        "FindNext1", "Showbriefinfo1"}},
      {"Edit1",
       {"Undo1", "Redo1", "-", "Copy1", "Delete1", "Import1", "Export1", "Replace1", "Rename1"}},
      {"Convert1",
       {"ConvertCollToCOLL1", "ConvertCollToCOL21", "ConvertCollToCOL31", "-", "ConvertFileToCOLL1",
        "ConvertFileToCOL21", "ConvertFileToCOL31"}},
      {"Options1",
       {"MainSettings1", "ColorSettings1", "-", "RestartApplication1", "-", "RegisterFileType1"}},
      {"Help1", {"Help2", "-", "VisitHomepage1", "SendEmail1", "-", "About1"}},
      {"ToolBar3",
       {"ToolButton7", "ToolButton8", "ToolButton9", "ToolButton10", "ToolButton11", "ToolButton12",
        "ToolButton13", "ToolButton14"}},
      {"PopupMenu4",
       {"ChangeSurfaceValue1", "QuickChangeAllChecked2", "-", "AddSphere1", "EditSphere1",
        "DeleteSphere1", "-", "CheckAllSpheres", "UncheckAllSpheres", "InvertCheckingsSpheres"}},
      {"PopupMenu5",
       {"MenuItem8", "QuickChangeAllChecked1", "-", "MenuItem5", "EditBox1", "MenuItem6", "-",
        "CheckAllBoxes", "UncheckAllBoxes", "InvertCheckingsBoxes"}},
      {"ToolBar1", {"ToolButton2", "ToolButton3", "ToolButton4", "ToolButton6"}},
      {"ToolBar2", {"btnNav1", "btnNav2", "btnNav3", "btnNav4"}},
      // Over the view beside ToolBar2: the San Andreas parts' switches.
      {"ToolBar5", {"ToolButton16", "ToolButton17"}},
      // Beside ToolBar1: the image-only buttons of whole-coll commands.
      {"ToolBar4", {"ToolButton15"}},
      {"PopupMenu1",
       {"Solid1", "Wireframe1", "-", "ShowMeshes1", "ShowSpheres1", "ShowBoxes1", "-",
        "ShowShadowMesh1", "ShowFaceGroups1", "-", "Doublesided1"}},
      {"PopupMenu2",
       {"BoundingBox1", "BoundingSphere1", "-", "RecalculateBoundingObjects1", "-", "ShowAxes1"}},
      {"PopupMenu3",
       {"ResetCamera1", "-", "CameraAnimation1", "AutomaticZoom1", "-", "ShowNavigationMenu1",
        "EnableKeyNavigation1"}},
      {"PopupMenu6",
       {"MenuItem16", "QuickChangeOfSelected1", "-", "Details1", "MenuItem14",
        "DeleteCheckedFaces1", "DeleteIsolatedVertices1", "DeleteAllVerticesFaces1", "-",
        "CheckAllFaces", "UncheckAllFaces", "InvertCheckingsFaces"}},
  };
}

}  // namespace

const std::vector<CommandRow>& CommandTable() {
  static const std::vector<CommandRow> rows = BuildTable();
  return rows;
}

const std::vector<CommandPlace>& CommandPlaces() {
  static const std::vector<CommandPlace> places = BuildPlaces();
  return places;
}

const CommandRow* FindCommand(std::string_view name) {
  for (const CommandRow& row : CommandTable()) {
    if (row.Name == name) return &row;
  }
  return nullptr;
}

const CommandPlace* FindPlace(std::string_view name) {
  for (const CommandPlace& place : CommandPlaces()) {
    if (place.Name == name) return &place;
  }
  return nullptr;
}

}  // namespace vantorel
