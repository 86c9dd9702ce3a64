// The rows of the 3D view's switches and the colour settings.
#include "app/command_table.h"

namespace vantorel {

void AddViewCommands(std::vector<CommandRow>& rows) {
  rows.push_back(PendingRow("ColorSettings1", "&Color Settings..."));
  for (const auto& [name, caption] :
       {std::pair{"Solid1", "Solid"}, std::pair{"Wireframe1", "Wireframe"},
        std::pair{"ShowMeshes1", "Show Meshes"}, std::pair{"ShowSpheres1", "Show Spheres"},
        std::pair{"ShowBoxes1", "Show Boxes"}, std::pair{"Doublesided1", "Doublesided"},
        std::pair{"BoundingBox1", "Show Bounding Box"},
        std::pair{"BoundingSphere1", "Show Bounding Sphere"}, std::pair{"ShowAxes1", "Show Axes"},
        std::pair{"ResetCamera1", "Reset Camera Position"},
        std::pair{"CameraAnimation1", "Camera Animation"},
        std::pair{"AutomaticZoom1", "Automatic Zoom"},
        std::pair{"ShowNavigationMenu1", "Show Navigation Bar"},
        std::pair{"EnableKeyNavigation1", "Enable Key Navigation"}}) {
    rows.push_back(PendingRow(name, caption));
  }
}

}  // namespace vantorel
