#include "core/model/obj_writer.h"

#include <charconv>

namespace vantorel {

namespace {

void AppendNumber(std::string& out, float value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  out.append(text, result.ptr);
}

// OBJ counts its indices from 1.
void AppendNumber(std::string& out, std::uint32_t zeroBased) {
  char text[16];
  const auto result = std::to_chars(text, text + sizeof text, std::uint64_t{zeroBased} + 1);
  out.append(text, result.ptr);
}

// A "v" or "f" line.
template <class T>
void AppendLine(std::string& out, const char* keyword, T a, T b, T c) {
  out += keyword;
  for (const T value : {a, b, c}) {
    out += ' ';
    AppendNumber(out, value);
  }
  out += '\n';
}

const std::string& MaterialName(const ModelMaterial& material) {
  static const std::string fallback = "default";
  return material.Name.empty() ? fallback : material.Name;
}

}  // namespace

ObjFiles WriteObj(const Model& model, const std::string& mtlFileName) {
  ObjFiles files;
  std::string& obj = files.Obj;
  obj.reserve(model.Positions.size() * 32 + model.Triangles.size() * 24 + 64);
  obj += "mtllib " + mtlFileName + "\n";
  for (const Vector3& v : model.Positions)
    AppendLine(obj, "v", v.X, v.Y, v.Z);
  bool first = true;
  std::uint32_t material = 0;
  auto object = model.Objects.begin();
  for (std::size_t i = 0; i < model.Triangles.size(); ++i) {
    const ModelTriangle& t = model.Triangles[i];
    // A 3D tool keeps the material per object, so each object names its own.
    while (object != model.Objects.end() && object->FirstTriangle == i) {
      obj += "o " + object->Name + "\n";
      ++object;
      first = true;
    }
    if (first || t.Material != material) {
      material = t.Material;
      first = false;
      obj += "usemtl " + MaterialName(model.Materials[material]) + "\n";
    }
    AppendLine(obj, "f", t.A, t.B, t.C);
  }
  for (const ModelMaterial& m : model.Materials) {
    files.Mtl += "newmtl " + MaterialName(m) + "\nKd 0.8 0.8 0.8\n";
    if (!m.Texture.empty()) files.Mtl += "map_Kd " + m.Texture + "\n";
    files.Mtl += "\n";
  }
  return files;
}

}  // namespace vantorel
