#include "ops/mesh_import_commands.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <span>
#include <string>

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

std::optional<std::string> AskMeshName(Editor& editor) {
  const auto answer = editor.Ui().AskNewName(std::string(kImportMeshCaption), {});
  if (!answer) return std::nullopt;
  NameCheck check = ValidateNewName(Utf8ToWindows1252(*answer), {});
  if (check.Verdict != NameVerdict::Ok) return std::nullopt;
  return std::move(check.Name);
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
  const MeshImportChoice choice = editor.MeshImport;
  // Only a new coll reads the stored records and selects itself; a replaced mesh stays an edit
  // of the working copy.
  if (!choice.Replace && editor.AskApplyChanges() == Answer::Cancel) {
    editor.ReselectCurrentLine();
    return;
  }
  FileDialogRequest request;
  request.Title = std::string(kImportMeshCaption);
  request.Filter = kModelFilter;
  request.InitialDir = editor.DialogDirectory;
  request.MustExist = true;
  const std::optional<std::filesystem::path> path = editor.Ui().OpenFileDialog(request);
  if (!path) return;
  editor.DialogDirectory = path->parent_path();

  std::optional<std::string> name;
  if (!choice.Replace) {
    name = AskMeshName(editor);
    if (!name) return;
  }
  const std::optional<SurfaceMapping> mapping = ReadMapping(editor, choice.SurfaceMap);
  if (!mapping) return;
  Parsed<Model> model = ReadModelFile(*path);
  if (!model.Value) {
    editor.Ui().Message(model.Error);
    return;
  }
  const MeshImportOptions options{choice.MaxFaces};
  MeshImport import =
      FitModelToColl(choice.Replace ? editor.WorkingCopy() : Coll{}, std::move(*model.Value),
                     *mapping, editor.SurfaceTypes(), options);
  if (!import.Result) {
    editor.Ui().Message(import.Report);
    return;
  }

  if (choice.Replace) {
    editor.ChangeWorkingCopy([&](Coll& coll, ElementLists&) {
      coll.Vertices = std::move(import.Result->Vertices);
      coll.Faces = std::move(import.Result->Faces);
      coll.Header = import.Result->Header;
    });
  } else {
    const std::optional<Bytes> record = NewCollRecord(std::move(*import.Result), *name);
    if (!record) {
      editor.Ui().Message(texts::kWriteError);
      return;
    }
    // Edits the person chose not to apply give way to the new coll.
    if (editor.CollChanged()) editor.DropWorkingCopy();
    editor.ChangeFile([&](CollFile& file) { file.AppendRecords(*record); });
    editor.SelectColl(editor.CollCount() - 1);
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
  const Parsed<Model> model = CollMeshModel(coll, editor.SurfaceTypes());
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
