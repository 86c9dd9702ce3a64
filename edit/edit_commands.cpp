// The rows of the edits inside a coll: collision scripts, spheres and boxes, mesh clean-up.
#include "app/command_table.h"

namespace vantorel {

void AddElementCommands(std::vector<CommandRow>& rows) {
  rows.push_back(PendingRow("ImportCollisionScript1", "Import Collision &Script..."));
  rows.push_back(PendingRow("Showtextinfo1", "Show &Collision Script...", "Ctrl+T"));
  rows.push_back(PendingRow("RecalculateBoundingObjects1", "Recalculate Bounding Objects..."));
  for (const auto& [name, caption] :
       {std::pair{"AddSphere1", "A&dd Sphere..."}, std::pair{"EditSphere1", "&Edit Sphere..."},
        std::pair{"DeleteSphere1", "De&lete Sphere"}, std::pair{"MenuItem5", "A&dd Box..."},
        std::pair{"EditBox1", "&Edit Box..."}, std::pair{"MenuItem6", "De&lete Box"},
        std::pair{"Details1", "&Details..."}, std::pair{"MenuItem14", "De&lete Face"},
        std::pair{"DeleteCheckedFaces1", "Delete C&hecked Faces"},
        std::pair{"DeleteIsolatedVertices1", "Delete Unu&sed Vertices"},
        std::pair{"DeleteAllVerticesFaces1", "Delete All &Vertices && Faces"}}) {
    rows.push_back(PendingRow(name, caption));
  }
}

}  // namespace vantorel
