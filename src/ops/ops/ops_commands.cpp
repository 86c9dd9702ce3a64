// The rows of the commands on whole colls: the Edit submenu of the Coll menu and its tool
// buttons, Merge, Make LOD, Find and the brief information, and the surface changes of the
// element lists' pop-up menus.
#include "ops/ops_commands.h"
#include "doc/editor.h"
#include "ops/coll_commands.h"
#include "ops/exchange_commands.h"
#include "ops/find_commands.h"
#include "ops/lod_command.h"
#include "ops/merge_command.h"
#include "ops/mesh_import_commands.h"
#include "ops/surface_commands.h"

namespace vantorel {

void AddCollCommands(std::vector<CommandRow>& rows) {
  rows.push_back({"Edit1", "&Edit"});
  rows.push_back({"Copy1", "Co&py...", "Ctrl+C", CopyColl});
  rows.push_back({"Delete1", "&Delete...", {}, DeleteColl});
  rows.push_back({"Import1", "&Import...", {}, ImportColls});
  rows.push_back({"Export1", "&Export...", {}, ExportColl});
  rows.push_back({"Replace1", "Rep&lace...", {}, ReplaceColl});
  rows.push_back({"Rename1", "&Rename...", "F2", RenameColl});
  rows.push_back({"Merge1", "Merge...", {}, [](Editor& e) { MergeColls(e); }});
  rows.push_back({"MakeLOD1", "Make &LOD", {}, MakeLod});
  rows.push_back({"Find1", "&Find...", "Ctrl+F", FindColl});
  rows.push_back({"FindNext1", "Find &Next", "F3", FindNextColl});
  rows.push_back({"ImportMesh1", "Import &Mesh...", {}, ImportMesh});
  rows.push_back({"ExportMesh1", "Export Mes&h...", {}, ExportMesh});
  rows.push_back({"Showbriefinfo1", "Show Brief &Info...", "Ctrl+I", ShowBriefInfo});

  // The tool bar above the coll list runs the same commands as the Edit submenu.
  rows.push_back({"ToolButton9", "Co&py", {}, CopyColl});
  rows.push_back({"ToolButton10", "&Delete", {}, DeleteColl});
  rows.push_back({"ToolButton11", "&Import", {}, ImportColls});
  rows.push_back({"ToolButton12", "&Export", {}, ExportColl});
  rows.push_back({"ToolButton13", "&Rename", {}, RenameColl});
  rows.push_back({"ToolButton14", "Repl&ace", {}, ReplaceColl});
  rows.push_back({"ToolButton15", {}, {}, ImportMesh});

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
    rows.push_back(
        {list.change, "&Change Surface...", {}, [kind](Editor& e) { ChangeSurface(e, kind); }});
    rows.push_back({list.quick, "&Quick Change (All Checked)", {}, [kind](Editor& e) {
                      QuickChange(e, kind);
                    }});
  }
}

}  // namespace vantorel
