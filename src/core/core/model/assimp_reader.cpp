#include "core/model/assimp_reader.h"

#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <algorithm>
#include <assimp/Importer.hpp>
#include <cctype>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <utility>

namespace vantorel {

namespace {

std::string LowerExtension(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  for (char& c : extension)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

ModelMaterial MaterialOf(const aiScene& scene, unsigned index) {
  ModelMaterial material;
  if (index >= scene.mNumMaterials) return material;
  const aiMaterial* source = scene.mMaterials[index];
  aiString text;
  if (source->Get(AI_MATKEY_NAME, text) == AI_SUCCESS) material.Name = text.C_Str();
  if (source->GetTexture(aiTextureType_DIFFUSE, 0, &text) == AI_SUCCESS) {
    material.Texture = text.C_Str();
  }
  return material;
}

// A PLY header promises its element counts before any data. Assimp allocates and loops by them,
// so counts that the rest of the file cannot hold are refused first: each element takes at
// least one byte per property in binary files and two (a digit and a blank) in text.
std::optional<std::string> ImpossiblePlyCounts(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string line;
  if (!std::getline(in, line) || line.rfind("ply", 0) != 0) return std::nullopt;
  bool text = false;
  std::uint64_t needed = 0, count = 0;
  std::string element;
  std::uint64_t properties = 0;
  auto finish = [&] { needed += count * std::max<std::uint64_t>(properties, 1) * (text ? 2 : 1); };
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string word;
    words >> word;
    if (word == "format") {
      words >> word;
      text = word == "ascii";
    } else if (word == "element") {
      finish();
      properties = 0;
      words >> element >> count;
      if (!words) return "a PLY element line is damaged: " + line.substr(0, 60);
    } else if (word == "property") {
      ++properties;
    } else if (word == "end_header") {
      finish();
      const auto dataStart = static_cast<std::uint64_t>(in.tellg());
      std::error_code error;
      const std::uint64_t size = std::filesystem::file_size(path, error);
      if (error || dataStart > size) return std::nullopt;
      if (needed > size - dataStart) {
        return "the PLY header promises elements of at least " + std::to_string(needed) +
               " bytes, the file holds " + std::to_string(size - dataStart) + " after it";
      }
      return std::nullopt;
    }
  }
  return std::nullopt;
}

}  // namespace

bool ReadsThroughAssimp(const std::filesystem::path& path) {
  static const char* const kExtensions[] = {".3ds",  ".x",   ".fbx", ".dae",
                                            ".gltf", ".glb", ".ply", ".stl"};
  const std::string extension = LowerExtension(path);
  return std::any_of(std::begin(kExtensions), std::end(kExtensions),
                     [&](const char* e) { return extension == e; });
}

Parsed<Model> ReadModelThroughAssimp(const std::filesystem::path& path) {
  if (LowerExtension(path) == ".ply") {
    if (auto problem = ImpossiblePlyCounts(path)) {
      return Parsed<Model>::Failure(path.filename().string() + ": " + *problem);
    }
  }
  Assimp::Importer importer;
  importer.SetPropertyInteger(AI_CONFIG_PP_SBP_REMOVE,
                              aiPrimitiveType_POINT | aiPrimitiveType_LINE);
  const aiScene* scene =
      importer.ReadFile(path.string(), aiProcess_Triangulate | aiProcess_PreTransformVertices |
                                           aiProcess_SortByPType | aiProcess_ValidateDataStructure);
  if (!scene) {
    return Parsed<Model>::Failure(path.filename().string() + ": " + importer.GetErrorString());
  }
  Model model;
  std::map<std::pair<std::string, std::string>, std::uint32_t> materials;
  for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
    const aiMesh& mesh = *scene->mMeshes[m];
    ModelMaterial material = MaterialOf(*scene, mesh.mMaterialIndex);
    const auto [slot, added] = materials.try_emplace(
        {material.Name, material.Texture}, static_cast<std::uint32_t>(model.Materials.size()));
    if (added) model.Materials.push_back(std::move(material));
    const auto base = static_cast<std::uint32_t>(model.Positions.size());
    for (unsigned v = 0; v < mesh.mNumVertices; ++v) {
      const aiVector3D& p = mesh.mVertices[v];
      model.Positions.push_back(
          {static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z)});
    }
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
      const aiFace& face = mesh.mFaces[f];
      if (face.mNumIndices != 3) continue;
      const unsigned* i = face.mIndices;
      if (i[0] >= mesh.mNumVertices || i[1] >= mesh.mNumVertices || i[2] >= mesh.mNumVertices) {
        return Parsed<Model>::Failure(path.filename().string() + ": a face of mesh " +
                                      std::to_string(m) + " uses a vertex it does not have");
      }
      model.Triangles.push_back({base + i[0], base + i[1], base + i[2], slot->second});
    }
  }
  return {std::move(model), {}};
}

}  // namespace vantorel
