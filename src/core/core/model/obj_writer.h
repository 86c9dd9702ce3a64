#pragma once

#include <string>

#include "core/model/model.h"

namespace vantorel {

struct ObjFiles {
  std::string Obj;
  std::string Mtl;
};

// Writes the model as OBJ text that names mtlFileName on its mtllib line, and the MTL text with
// one material per model material (its texture as map_Kd). Coordinates are written in the
// shortest form that reads back to the same float; faces keep their order, with a usemtl line
// wherever the material changes. Material names are written as they are; an empty one becomes
// "default". Each of the model's objects starts with an "o" line of its name.
ObjFiles WriteObj(const Model& model, const std::string& mtlFileName);

}  // namespace vantorel
