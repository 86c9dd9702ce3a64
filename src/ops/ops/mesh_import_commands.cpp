#include "ops/mesh_import_commands.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <span>
#include <string>

#include "core/coll_directory.h"
#include "core/file_io.h"
#include "core/model/assimp_reader.h"
#include "core/model/dff_reader.h"
#include "core/model/glb_writer.h"
#include "core/model/obj_reader.h"
#include "core/model/obj_writer.h"
#include "core/model/surface_mapping.h"
#include "core/name_rules.h"
#include "core/utf8_path.h"
#include "core/windows1252.h"
#include "doc/editor.h"
#include "doc/editor_texts.h"
#include "edit/script_commands.h"
#include "ops/mesh_import.h"

namespace vantorel {

namespace {

constexpr const char* kModelFilter =
    "Models|*.dff;*.obj;*.3ds;*.x;*.fbx;*.dae;*.gltf;*.glb;*.ply;*.stl|All files|*.*";
constexpr const char* kMeshFilter = "Wavefront OBJ|*.obj|Binary glTF|*.glb";
constexpr const char* kMappingFilter = "Surface mappings|*.txt|All files|*.*";

std::string LowerExtension(const std::filesystem::path& path) {
  std::string ext = PathToUtf8(path.extension());
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

// Parses a model file's bytes by the file's extension; the reasons name no file.
Parsed<Model> ParseModel(const std::filesystem::path& path, const Bytes& bytes) {
  const std::string ext = LowerExtension(path);
  if (ext == ".obj") {
    const std::filesystem::path folder = path.parent_path();
    return ReadObj(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                   [&folder](const std::string& name) -> std::optional<std::string> {
                     Bytes mtl;
                     if (ReadWholeFile(folder / PathFromUtf8(name), mtl)) return std::nullopt;
                     return std::string(mtl.begin(), mtl.end());
                   });
  }
  if (ext != ".dff") return Parsed<Model>::Failure("the kind of model file is not known");
  const Parsed<DffClump> clump = ReadDff(std::span<const std::uint8_t>(bytes));
  if (!clump.Value) return Parsed<Model>::Failure(clump.Error);
  return {DffToModel(*clump.Value), {}};
}

std::optional<SurfaceMapping> ReadMapping(Editor& editor, const std::filesystem::path& path) {
  if (path.empty()) return SurfaceMapping{};
  Bytes bytes;
  if (const auto error = ReadWholeFile(path, bytes)) {
    editor.Ui().Error(*error);
    return std::nullopt;
  }
  const std::string text(bytes.begin(), bytes.end());
  Parsed<SurfaceMapping> mapping = ParseSurfaceMapping(text, editor.SurfaceTypes());
  if (!mapping.Value) {
    editor.Ui().Message(PathToUtf8(path) + ": " + mapping.Error);
    return std::nullopt;
  }
  return std::move(*mapping.Value);
}

}  // namespace

Parsed<Model> ReadModelFile(const std::filesystem::path& path) {
  // Assimp's messages and ReadWholeFile's name the file already.
  if (ReadsThroughAssimp(path)) return ReadModelThroughAssimp(path);
  Bytes bytes;
  if (const auto error = ReadWholeFile(path, bytes)) return Parsed<Model>::Failure(*error);
  Parsed<Model> model = ParseModel(path, bytes);
  if (!model.Value) model.Error = PathToUtf8(path) + ": " + model.Error;
  return model;
}

void ImportMesh(Editor& editor) {
  MeshImportRequest request;
  for (const CollDirectoryEntry& entry : editor.CollDirectory())
    request.Lines.push_back(Windows1252ToUtf8(CollListLine(entry)));
  request.Current = editor.CurrentColl();
  request.Folder = editor.DialogDirectory;
  request.ModelFilter = kModelFilter;
  request.MappingFilter = kMappingFilter;
  const std::optional<MeshImportValues> values = editor.Ui().AskMeshImport(request);
  if (!values) return;
  if (!values->Model.parent_path().empty()) editor.DialogDirectory = values->Model.parent_path();

  const bool replace = values->Replace.has_value();
  std::string name;
  if (replace) {
    if (*values->Replace < 0 || *values->Replace >= editor.CollCount()) return;
  } else {
    NameCheck check = ValidateNewName(Utf8ToWindows1252(values->NewName), {});
    if (check.Verdict != NameVerdict::Ok) return;
    name = std::move(check.Name);
  }
  const std::optional<SurfaceMapping> mapping = ReadMapping(editor, values->SurfaceMap);
  if (!mapping) return;
  Parsed<Model> model = ReadModelFile(values->Model);
  if (!model.Value) {
    editor.Ui().Message(model.Error);
    return;
  }

  // Only now that the model has been read is the coll to replace selected, or the edits of
  // the current one settled.
  if (replace) {
    if (*values->Replace != editor.CurrentColl()) editor.SelectColl(*values->Replace);
    if (editor.CurrentColl() != *values->Replace || !editor.WorkingCopy().IsLoaded()) return;
  } else {
    if (!editor.CanAppendColls()) return;
    if (editor.AskApplyChanges() == Answer::Cancel) {
      editor.ReselectCurrentLine();
      return;
    }
  }
  const MeshImportOptions options{values->MaxFaces};
  MeshImport import =
      FitModelToColl(replace ? editor.WorkingCopy() : Coll{}, std::move(*model.Value), *mapping,
                     editor.SurfaceTypes(), options);
  if (!import.Result) {
    editor.Ui().Message(import.Report);
    return;
  }

  if (replace) {
    editor.ChangeWorkingCopy([&](Coll& coll, ElementLists&) {
      coll.Vertices = std::move(import.Result->Vertices);
      coll.Faces = std::move(import.Result->Faces);
      coll.FaceGroups = std::move(import.Result->FaceGroups);
      coll.Header = import.Result->Header;
    });
  } else if (!AppendNewColl(editor, std::move(*import.Result), name)) {
    return;
  }
  editor.Ui().Message(import.Report);
}

void ExportMesh(Editor& editor) {
  const Coll& coll = editor.WorkingCopy();
  const std::string collName = Windows1252ToUtf8(HeaderName(coll.Header));
  const FileDialogRequest request{
      std::string(kExportMeshTitle),   kMeshFilter, "obj", editor.DialogDirectory,
      PathFromUtf8(collName + ".obj"), false,       true};
  const auto chosen = editor.Ui().SaveFileDialog(request);
  if (!chosen) return;
  editor.DialogDirectory = chosen->parent_path();
  bool withPrimitives = false;
  if (!coll.Spheres.empty() || !coll.Boxes.empty()) {
    const Answer answer =
        editor.Ui().Ask({std::string(kExportPrimitivesQuestion), std::string(kExportMeshTitle),
                         Buttons::YesNoCancel, Answer::No});
    if (answer == Answer::Cancel) return;
    withPrimitives = answer == Answer::Yes;
  }
  const Parsed<Model> model = CollMeshModel(coll, editor.SurfaceTypes(), withPrimitives);
  if (!model.Value) {
    editor.Ui().Message(model.Error);
    return;
  }
  if (LowerExtension(*chosen) == ".glb") {
    const std::vector<std::uint8_t> glb = WriteGlb(*model.Value, collName);
    if (const auto error = WriteFileReplacing(*chosen, glb)) editor.Ui().Error(*error);
    return;
  }
  std::filesystem::path mtlPath = *chosen;
  mtlPath.replace_extension(".mtl");
  const ObjFiles files = WriteObj(*model.Value, PathToUtf8(mtlPath.filename()));
  const auto bytesOf = [](const std::string& text) {
    return std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
  };
  // The MTL first: an OBJ is never left naming materials that were not written.
  if (const auto error = WriteFileReplacing(mtlPath, bytesOf(files.Mtl))) {
    editor.Ui().Error(*error);
    return;
  }
  if (const auto error = WriteFileReplacing(*chosen, bytesOf(files.Obj))) editor.Ui().Error(*error);
}

}  // namespace vantorel
