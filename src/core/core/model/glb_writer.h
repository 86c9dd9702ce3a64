#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/model/model.h"

namespace vantorel {

// Writes the model as binary glTF 2.0: one mesh with one triangle primitive per material that
// has triangles, all sharing one POSITION accessor (with its min and max), and a glTF material
// named after each model material. Names are written as UTF-8 text. A model with objects gets
// a node and a mesh for each object that has triangles, named after it, instead of meshName.
std::vector<std::uint8_t> WriteGlb(const Model& model, const std::string& meshName);

}  // namespace vantorel
