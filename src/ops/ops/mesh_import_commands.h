#pragma once

#include <filesystem>
#include <string_view>

#include "core/model/model.h"

namespace vantorel {

class Editor;

inline constexpr std::string_view kImportMeshCaption = "Import Mesh";
inline constexpr std::string_view kExportMeshTitle = "Export Mesh";
inline constexpr std::string_view kExportPrimitivesQuestion =
    "Write the coll's spheres and boxes too, each as an object of its own (col_sphere_N, "
    "col_box_N)? Import Mesh leaves such objects out.";

// Reads a model file by its extension: .dff with the RenderWare reader (every atomic placed by
// its frame), .obj with the OBJ reader (its MTL files looked for beside it), the other formats
// through Assimp. A file that cannot be read or is damaged gives a message naming it.
Parsed<Model> ReadModelFile(const std::filesystem::path& path);

// Reads the model chosen in the Import Mesh dialog (EditorUi::AskMeshImport) and makes its
// triangles a coll's mesh (FitModelToColl) with the dialog's surface mapping and face budget: a
// new coll of the dialog's name, appended at the end of the file and selected, or the mesh of
// the coll chosen to be replaced, whose spheres and boxes stay (that coll is selected first,
// once the model has been read). One undo step. Shows the import's report as one message. A
// cancelled dialog, a refused name, an unreadable or damaged model or mapping, and a mesh that
// breaks the game's limits change nothing.
void ImportMesh(Editor& editor);

// Writes the working copy's mesh to the file chosen in the save dialog: binary glTF for a .glb
// name, otherwise OBJ with its MTL file beside it (same name, .mtl), one material per surface.
// A coll with spheres or boxes is asked whether they go too, as objects of their own
// (CollMeshModel); Cancel writes nothing.
void ExportMesh(Editor& editor);

}  // namespace vantorel
