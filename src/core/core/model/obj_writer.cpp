#include "core/model/obj_writer.h"

#include <charconv>

namespace vantorel {

namespace {

void AppendFloat(std::string& out, float value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  out.append(text, result.ptr);
}

void AppendIndex(std::string& out, std::uint32_t zeroBased) {
  char text[16];
  const auto result = std::to_chars(text, text + sizeof text, std::uint64_t{zeroBased} + 1);
  out.append(text, result.ptr);
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
  for (const Vector3& v : model.Positions) {
    obj += "v ";
    AppendFloat(obj, v.X);
    obj += ' ';
    AppendFloat(obj, v.Y);
    obj += ' ';
    AppendFloat(obj, v.Z);
    obj += '\n';
  }
  bool first = true;
  std::uint32_t material = 0;
  for (const ModelTriangle& t : model.Triangles) {
    if (first || t.Material != material) {
      material = t.Material;
      first = false;
      obj += "usemtl " + MaterialName(model.Materials[material]) + "\n";
    }
    obj += "f ";
    AppendIndex(obj, t.A);
    obj += ' ';
    AppendIndex(obj, t.B);
    obj += ' ';
    AppendIndex(obj, t.C);
    obj += '\n';
  }
  for (const ModelMaterial& m : model.Materials) {
    files.Mtl += "newmtl " + MaterialName(m) + "\nKd 0.8 0.8 0.8\n";
    if (!m.Texture.empty()) files.Mtl += "map_Kd " + m.Texture + "\n";
    files.Mtl += "\n";
  }
  return files;
}

}  // namespace vantorel
