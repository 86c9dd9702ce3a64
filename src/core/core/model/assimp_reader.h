#pragma once

#include <filesystem>

#include "core/model/model.h"

namespace vantorel {

// Whether the file's extension names one of the formats read through Assimp: 3DS, DirectX X,
// FBX, COLLADA, glTF and GLB, PLY and STL. OBJ and DFF have readers of their own.
bool ReadsThroughAssimp(const std::filesystem::path& path);

// Reads the model at path through Assimp: polygons fanned into triangles, every node's transform
// applied, points and lines left out, each triangle keeping its material's name and diffuse
// texture. A file Assimp refuses gives its reason.
Parsed<Model> ReadModelThroughAssimp(const std::filesystem::path& path);

}  // namespace vantorel
