// The rows of the 3D view: the drawing switches of the two drop-down menus, the surface-colour
// button, the buttons of the San Andreas parts, the colour settings, the camera commands of the
// view's pop-up menu and the four navigation buttons.
#include "view/view_commands.h"
#include "doc/editor.h"
#include "doc/view_options.h"

namespace vantorel {

namespace {

using Switch = bool ViewOptions::*;

void Toggle(Editor& editor, Switch which) {
  editor.ChangeViewOptions([which](ViewOptions& options) { options.*which = !(options.*which); });
}

CommandRow SwitchRow(std::string_view name, std::string_view caption, Switch which) {
  CommandRow row{name, caption};
  row.Run = [which](Editor& editor) { Toggle(editor, which); };
  row.Checked = [which](const Editor& editor) { return editor.View().Options().*which; };
  return row;
}

void ToggleAutomaticZoom(Editor& editor) {
  Toggle(editor, &ViewOptions::AutomaticZoom);
  editor.View().ResetCamera();
}

bool SameSurfaces(const SurfaceTypeTable& a, const SurfaceTypeTable& b) {
  for (int i = 0; i < kSurfaceTypeCount; ++i) {
    if (a.Color(i) != b.Color(i) || a.Name(i) != b.Name(i)) return false;
  }
  return true;
}

// The dialog edits copies; after OK the new colours and surface table are put in, and each of
// those changes rebuilds the view with its camera kept.
void ShowColorSettings(Editor& editor) {
  const std::optional<ColorSettings> chosen =
      editor.Ui().ColorSettingsDialog(editor.Settings().Colors, editor.SurfaceTypes());
  if (!chosen) return;
  if (chosen->Colors != editor.Settings().Colors) {
    Settings settings = editor.Settings();
    settings.Colors = chosen->Colors;
    editor.ChangeSettings(settings);
  }
  if (!SameSurfaces(chosen->Surfaces, editor.SurfaceTypes())) {
    editor.ChangeSurfaceTypes(chosen->Surfaces);
  }
}

CommandRow NavButtonRow(std::string_view name, int mode, std::string_view key,
                        std::string_view icon, std::string_view tip) {
  CommandRow row{name, {}, key};
  row.ShortcutPassesOn = true;
  row.Icon = icon;
  row.ToolTip = tip;
  row.Run = [mode](Editor& editor) {
    editor.ChangeViewOptions([mode](ViewOptions& options) { options.NavMode = mode; });
  };
  row.Checked = [mode](const Editor& editor) { return editor.View().Options().NavMode == mode; };
  return row;
}

}  // namespace

void AddViewCommands(std::vector<CommandRow>& rows) {
  rows.push_back({"ColorSettings1", "&Color Settings...", {}, ShowColorSettings});

  // The drop-down menus of ToolButton2 and ToolButton6.
  rows.push_back(SwitchRow("Solid1", "Solid", &ViewOptions::Solid));
  rows.push_back(SwitchRow("Wireframe1", "Wireframe", &ViewOptions::Wireframe));
  rows.push_back(SwitchRow("ShowMeshes1", "Show Meshes", &ViewOptions::ShowMeshes));
  rows.push_back(SwitchRow("ShowSpheres1", "Show Spheres", &ViewOptions::ShowSpheres));
  rows.push_back(SwitchRow("ShowBoxes1", "Show Boxes", &ViewOptions::ShowBoxes));
  rows.push_back(SwitchRow("Doublesided1", "Doublesided", &ViewOptions::Doublesided));
  rows.push_back(SwitchRow("ShowShadowMesh1", "Show &Shadow Mesh", &ViewOptions::ShowShadowMesh));
  rows.push_back(SwitchRow("ShowFaceGroups1", "Show Face &Groups", &ViewOptions::ShowFaceGroups));
  rows.push_back(SwitchRow("BoundingBox1", "Show Bounding Box", &ViewOptions::BoundingBox));
  rows.push_back(
      SwitchRow("BoundingSphere1", "Show Bounding Sphere", &ViewOptions::BoundingSphere));
  rows.push_back(SwitchRow("ShowAxes1", "Show Axes", &ViewOptions::ShowAxes));

  // The view's pop-up menu.
  rows.push_back({"ResetCamera1", "Reset Camera Position", {}, [](Editor& editor) {
                    editor.View().ResetCamera();
                  }});
  rows.push_back(SwitchRow("CameraAnimation1", "Camera Animation", &ViewOptions::CameraAnimation));
  CommandRow automaticZoom =
      SwitchRow("AutomaticZoom1", "Automatic Zoom", &ViewOptions::AutomaticZoom);
  automaticZoom.Run = ToggleAutomaticZoom;
  rows.push_back(automaticZoom);
  rows.push_back(
      SwitchRow("ShowNavigationMenu1", "Show Navigation Bar", &ViewOptions::ShowNavigationBar));
  rows.push_back(SwitchRow("EnableKeyNavigation1", "Enable Key Navigation",
                           &ViewOptions::EnableKeyNavigation));

  // ToolBar1 above the element lists: image-only buttons.
  CommandRow drawing{"ToolButton2", {}};
  drawing.DropDown = "PopupMenu1";
  drawing.Icon = "Drawing";
  drawing.ToolTip = "Drawing options";
  rows.push_back(drawing);
  CommandRow surfaceColors = SwitchRow("ToolButton3", {}, &ViewOptions::SurfaceColors);
  surfaceColors.Icon = "Surfaces";
  surfaceColors.ToolTip = "Surface colours";
  rows.push_back(surfaceColors);
  CommandRow colorSettings{"ToolButton4", {}, {}, ShowColorSettings};
  colorSettings.Icon = "Colors";
  colorSettings.ToolTip = "Color Settings";
  rows.push_back(colorSettings);
  CommandRow boundings{"ToolButton6", {}};
  boundings.DropDown = "PopupMenu2";
  boundings.Icon = "Boundings";
  boundings.ToolTip = "Bounding objects and axes";
  rows.push_back(boundings);

  // ToolBar2 over the view: one button per navigation mode, the keys 1 to 4 press them too,
  // whether or not key navigation is on.
  rows.push_back(NavButtonRow("btnNav1", kNavPick, "1", "Pick", "Pick faces (1)"));
  rows.push_back(NavButtonRow("btnNav2", kNavZoom, "2", "Zoom", "Zoom (2)"));
  rows.push_back(NavButtonRow("btnNav3", kNavRotate, "3", "Rotate", "Rotate (3)"));
  rows.push_back(NavButtonRow("btnNav4", kNavMove, "4", "Move", "Move (4)"));

  // ToolBar5 over the view: the same two switches as the San Andreas items of PopupMenu1, at one
  // click.
  CommandRow shadowMesh = SwitchRow("ToolButton16", {}, &ViewOptions::ShowShadowMesh);
  shadowMesh.Icon = "ShadowMesh";
  shadowMesh.ToolTip = "Shadow mesh (San Andreas colls)";
  rows.push_back(shadowMesh);
  CommandRow faceGroups = SwitchRow("ToolButton17", {}, &ViewOptions::ShowFaceGroups);
  faceGroups.Icon = "FaceGroups";
  faceGroups.ToolTip = "Face group boxes (San Andreas colls)";
  rows.push_back(faceGroups);
}

}  // namespace vantorel
