// The rows of the commands on whole colls: the Edit submenu of the Coll menu and its tool
// buttons, Merge, Make LOD, Find and the brief information, and the surface changes of the
// element lists' pop-up menus.
#include "ops/ops_commands.h"
#include "doc/editor.h"
#include "doc/editor_texts.h"
#include "doc/row_conditions.h"
#include "ops/coll_commands.h"
#include "ops/convert_commands.h"
#include "ops/exchange_commands.h"
#include "ops/find_commands.h"
#include "ops/lod_command.h"
#include "ops/merge_command.h"
#include "ops/mesh_import_commands.h"
#include "ops/surface_commands.h"

namespace vantorel {

namespace {

CommandRow Row(std::string_view name, std::string_view caption, std::string_view shortcut,
               void (*run)(Editor&), AppliesCheck applies, bool applyFirst = false) {
  CommandRow row{name, caption, shortcut, run};
  row.Applies = std::move(applies);
  row.ApplyFirst = applyFirst;
  return row;
}

// The commands the Edit submenu and the tool bar above the coll list share.
AppliesCheck CopyApplies() {
  return NeedsColl();
}
AppliesCheck DeleteApplies() {
  return When([](const Editor& e) { return e.CollCount() > 1; },
              "The last coll of a file is not deleted.");
}
AppliesCheck ImportApplies() {
  return AllOf({NeedsColl(), NeedsRoomToAppend()});
}
AppliesCheck ExportApplies() {
  return When([](const Editor& e) { return e.CurrentEntry() != nullptr; },
              "The file holds no coll.");
}
AppliesCheck RenameApplies() {
  return NeedsReadColl();
}
AppliesCheck ReplaceApplies() {
  return NeedsColl();
}

// Whether the mesh replaces one or is appended is chosen in the dialog, which is followed by
// the checks of either way.
AppliesCheck ImportMeshApplies() {
  return NeedsColl();
}

}  // namespace

void AddCollCommands(std::vector<CommandRow>& rows) {
  rows.push_back({"Edit1", "&Edit"});
  rows.push_back(Row("Copy1", "Co&py...", "Ctrl+C", CopyColl, CopyApplies(), true));
  CommandRow deleteColl = Row("Delete1", "&Delete...", {}, DeleteColl, DeleteApplies());
  deleteColl.ListKey = "Del";
  deleteColl.InList = "lbxColl";
  rows.push_back(deleteColl);
  rows.push_back(Row("Import1", "&Import...", {}, ImportColls, ImportApplies(), true));
  rows.push_back(Row("Export1", "&Export...", {}, ExportColl, ExportApplies()));
  rows.push_back(Row("Replace1", "Rep&lace...", {}, ReplaceColl, ReplaceApplies()));
  rows.push_back(Row("Rename1", "&Rename...", "F2", RenameColl, RenameApplies()));
  rows.push_back(Row(
      "Merge1", "Merge...", {}, [](Editor& e) { MergeColls(e); },
      When([](const Editor& e) { return e.CollCount() > 1; }, "Merging takes two colls."), true));
  // A working copy that failed to load has no header: its companion would not read as a coll.
  rows.push_back(Row("MakeLOD1", "Make &LOD", {}, MakeLod,
                     AllOf({NeedsColl(),
                            When([](const Editor& e) { return e.WorkingCopy().IsLoaded(); },
                                 texts::kNoCollisionData, true),
                            NeedsRoomToAppend()}),
                     true));
  // The current coll converts as an edit of its working copy; the whole file as one change of
  // its records, after the working copy's edits are applied.
  rows.push_back({"Convert1", "Con&vert"});
  struct Kind {
    const char* coll;
    const char* file;
    const char* collCaption;
    const char* fileCaption;
    int version;
  };
  for (const Kind& kind :
       {Kind{"ConvertCollToCOLL1", "ConvertFileToCOLL1", "Coll to COLL", "File to COLL", 1},
        Kind{"ConvertCollToCOL21", "ConvertFileToCOL21", "Coll to COL2", "File to COL2", 2},
        Kind{"ConvertCollToCOL31", "ConvertFileToCOL31", "Coll to COL3", "File to COL3", 3}}) {
    const int version = kind.version;
    CommandRow coll{
        kind.coll, kind.collCaption, {}, [version](Editor& e) { ConvertCurrentColl(e, version); }};
    coll.Applies = NeedsReadColl();
    rows.push_back(coll);
    CommandRow file{
        kind.file, kind.fileCaption, {}, [version](Editor& e) { ConvertWholeFile(e, version); }};
    file.Applies = NeedsColl();
    file.ApplyFirst = true;
    rows.push_back(file);
  }
  rows.push_back({"Find1", "&Find...", "Ctrl+F", FindColl});
  rows.push_back({"FindNext1", "Find &Next", "F3", FindNextColl});
  rows.push_back(Row("ImportMesh1", "Import &Mesh...", {}, ImportMesh, ImportMeshApplies()));
  rows.push_back(Row("ExportMesh1", "Export Mes&h...", {}, ExportMesh, NeedsReadColl()));
  rows.push_back(
      Row("Showbriefinfo1", "Show Brief &Info...", "Ctrl+I", ShowBriefInfo, NeedsReadColl()));

  // The tool bar above the coll list runs the same commands as the Edit submenu.
  rows.push_back(Row("ToolButton9", "Co&py", {}, CopyColl, CopyApplies(), true));
  rows.push_back(Row("ToolButton10", "&Delete", {}, DeleteColl, DeleteApplies()));
  rows.push_back(Row("ToolButton11", "&Import", {}, ImportColls, ImportApplies(), true));
  rows.push_back(Row("ToolButton12", "&Export", {}, ExportColl, ExportApplies()));
  rows.push_back(Row("ToolButton13", "&Rename", {}, RenameColl, RenameApplies()));
  rows.push_back(Row("ToolButton14", "Repl&ace", {}, ReplaceColl, ReplaceApplies()));
  CommandRow importMesh = Row("ToolButton15", {}, {}, ImportMesh, ImportMeshApplies());
  importMesh.Icon = "ImportMesh";
  importMesh.ToolTip = "Import Mesh";
  rows.push_back(importMesh);

  struct SurfaceRows {
    const char* change;
    const char* quick;
    ListKind kind;
  };
  for (const SurfaceRows& list :
       {SurfaceRows{"ChangeSurfaceValue1", "QuickChangeAllChecked2", ListKind::Spheres},
        SurfaceRows{"MenuItem8", "QuickChangeAllChecked1", ListKind::Boxes},
        SurfaceRows{"MenuItem16", "QuickChangeOfSelected1", ListKind::Faces}}) {
    const ListKind kind = list.kind;
    CommandRow change{
        list.change, "&Change Surface...", {}, [kind](Editor& e) { ChangeSurface(e, kind); }};
    change.Applies = NeedsSelectedElement(kind);
    rows.push_back(change);
    CommandRow quick{
        list.quick, "&Quick Change (All Checked)", {}, [kind](Editor& e) { QuickChange(e, kind); }};
    quick.Applies = NeedsElements(kind);
    rows.push_back(quick);
  }
}

}  // namespace vantorel
