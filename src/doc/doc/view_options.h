#pragma once

namespace vantorel {

// The navigation modes of the mouse in the 3D view, as the buttons btnNav1..btnNav4 choose them.
inline constexpr int kNavPick = 0;
inline constexpr int kNavZoom = 1;
inline constexpr int kNavRotate = 2;
inline constexpr int kNavMove = 3;

// Every switch of the 3D view. None of them is kept in the settings file: each start begins
// with these values. The frame reads them every time it draws, so a change shows at the next
// tick; only SurfaceColors and the two San Andreas switches need buffers rebuilt.
struct ViewOptions {
  bool Solid = true;                 // Solid1
  bool Wireframe = true;             // Wireframe1
  bool ShowMeshes = true;            // ShowMeshes1
  bool ShowSpheres = true;           // ShowSpheres1
  bool ShowBoxes = true;             // ShowBoxes1
  bool Doublesided = true;           // Doublesided1: no culling, and picks hit back sides
  bool BoundingBox = true;           // BoundingBox1
  bool BoundingSphere = true;        // BoundingSphere1
  bool ShowAxes = true;              // ShowAxes1
  bool SurfaceColors = true;         // ToolButton3 down: colours of the surface table, up: Object
  bool CameraAnimation = false;      // CameraAnimation1
  bool AutomaticZoom = true;         // AutomaticZoom1
  bool ShowNavigationBar = true;     // ShowNavigationMenu1
  bool EnableKeyNavigation = false;  // EnableKeyNavigation1
  int NavMode = kNavRotate;
  // San Andreas colls: the mesh the game casts shadows with, and the box of each face group.
  // Their arrays are built only while these are on (see Scene::RebuildSaParts).
  bool ShowShadowMesh = false;  // ShowShadowMesh1, ToolButton16
  bool ShowFaceGroups = false;  // ShowFaceGroups1, ToolButton17

  bool operator==(const ViewOptions&) const = default;
};

}  // namespace vantorel
