// The rows of the commands on whole colls: the Edit submenu of the Coll menu and its tool
// buttons, Merge, Make LOD, Find and the brief information.
#include "app/command_table.h"

namespace vantorel {

void AddCollCommands(std::vector<CommandRow>& rows) {
  rows.push_back({"Edit1", "&Edit"});
  rows.push_back(PendingRow("Copy1", "Co&py...", "Ctrl+C"));
  rows.push_back(PendingRow("Delete1", "&Delete..."));
  rows.push_back(PendingRow("Import1", "&Import..."));
  rows.push_back(PendingRow("Export1", "&Export..."));
  rows.push_back(PendingRow("Replace1", "Rep&lace..."));
  rows.push_back(PendingRow("Rename1", "&Rename...", "F2"));
  rows.push_back(PendingRow("Merge1", "Merge..."));
  rows.push_back(PendingRow("MakeLOD1", "Make &LOD"));
  rows.push_back(PendingRow("Find1", "&Find...", "Ctrl+F"));
  rows.push_back(PendingRow("FindNext1", "Find &Next", "F3"));
  rows.push_back(PendingRow("Showbriefinfo1", "Show Brief &Info...", "Ctrl+I"));

  rows.push_back(PendingRow("ToolButton9", "Co&py"));
  rows.push_back(PendingRow("ToolButton10", "&Delete"));
  rows.push_back(PendingRow("ToolButton11", "&Import"));
  rows.push_back(PendingRow("ToolButton12", "&Export"));
  rows.push_back(PendingRow("ToolButton13", "&Rename"));
  rows.push_back(PendingRow("ToolButton14", "Repl&ace"));

  for (const auto& [name, caption] :
       {std::pair{"ChangeSurfaceValue1", "&Change Surface..."},
        std::pair{"QuickChangeAllChecked2", "&Quick Change (All Checked)"},
        std::pair{"MenuItem8", "&Change Surface..."},
        std::pair{"QuickChangeAllChecked1", "&Quick Change (All Checked)"},
        std::pair{"MenuItem16", "&Change Surface..."},
        std::pair{"QuickChangeOfSelected1", "&Quick Change (All Checked)"}}) {
    rows.push_back(PendingRow(name, caption));
  }
}

}  // namespace vantorel
