#include "core/model/glb_writer.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "core/little_endian.h"

namespace vantorel {

namespace {

constexpr std::uint32_t kMagic = 0x46546C67;      // "glTF"
constexpr std::uint32_t kJsonChunk = 0x4E4F534A;  // "JSON"
constexpr std::uint32_t kBinChunk = 0x004E4942;   // "BIN\0"
constexpr int kFloat = 5126;
constexpr int kUnsignedInt = 5125;
constexpr int kArrayBuffer = 34962;
constexpr int kElementArrayBuffer = 34963;

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string Number(float value) {
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

void AppendU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  std::uint8_t bytes[4];
  le::StoreU32(bytes, value);
  out.insert(out.end(), bytes, bytes + 4);
}

}  // namespace

std::vector<std::uint8_t> WriteGlb(const Model& model, const std::string& meshName) {
  std::vector<std::uint8_t> bin;
  for (const Vector3& v : model.Positions) {
    for (const float f : {v.X, v.Y, v.Z})
      AppendU32(bin, std::bit_cast<std::uint32_t>(f));
  }
  const std::size_t positionBytes = bin.size();

  std::string views =
      "{\"buffer\":0,\"byteOffset\":0,\"byteLength\":" + std::to_string(positionBytes) +
      ",\"target\":" + std::to_string(kArrayBuffer) + "}";
  std::string accessors;
  if (!model.Positions.empty()) {
    Vector3 lo = model.Positions[0], hi = model.Positions[0];
    for (const Vector3& v : model.Positions) {
      lo = {std::min(lo.X, v.X), std::min(lo.Y, v.Y), std::min(lo.Z, v.Z)};
      hi = {std::max(hi.X, v.X), std::max(hi.Y, v.Y), std::max(hi.Z, v.Z)};
    }
    accessors = "{\"bufferView\":0,\"componentType\":" + std::to_string(kFloat) +
                ",\"count\":" + std::to_string(model.Positions.size()) +
                ",\"type\":\"VEC3\",\"min\":[" + Number(lo.X) + "," + Number(lo.Y) + "," +
                Number(lo.Z) + "],\"max\":[" + Number(hi.X) + "," + Number(hi.Y) + "," +
                Number(hi.Z) + "]}";
  }
  // Each object becomes a node with a mesh of its own; a model without objects is one mesh.
  std::vector<ModelObject> objects = model.Objects;
  if (objects.empty()) objects.push_back({meshName, 0});
  int view = 1;
  std::string nodes;
  std::string meshes;
  std::size_t meshCount = 0;
  for (std::size_t o = 0; o < objects.size(); ++o) {
    const std::size_t last =
        o + 1 < objects.size() ? objects[o + 1].FirstTriangle : model.Triangles.size();
    const TrianglesByMaterial byMaterial = GroupByMaterial(model, objects[o].FirstTriangle, last);
    std::string primitives;
    for (std::size_t m = 0; m < model.Materials.size(); ++m) {
      const std::size_t start = bin.size();
      for (std::size_t k = byMaterial.starts[m]; k < byMaterial.starts[m + 1]; ++k) {
        const ModelTriangle& t = model.Triangles[byMaterial.order[k]];
        AppendU32(bin, t.A);
        AppendU32(bin, t.B);
        AppendU32(bin, t.C);
      }
      const std::size_t bytes = bin.size() - start;
      if (bytes == 0) continue;
      views += ",{\"buffer\":0,\"byteOffset\":" + std::to_string(start) +
               ",\"byteLength\":" + std::to_string(bytes) +
               ",\"target\":" + std::to_string(kElementArrayBuffer) + "}";
      accessors += ",{\"bufferView\":" + std::to_string(view) +
                   ",\"componentType\":" + std::to_string(kUnsignedInt) +
                   ",\"count\":" + std::to_string(bytes / 4) + ",\"type\":\"SCALAR\"}";
      if (!primitives.empty()) primitives += ",";
      primitives += "{\"attributes\":{\"POSITION\":0},\"indices\":" + std::to_string(view) +
                    ",\"material\":" + std::to_string(m) + ",\"mode\":4}";
      ++view;
    }
    // glTF has no mesh without primitives.
    if (primitives.empty()) continue;
    const std::string name = JsonString(objects[o].Name);
    if (!meshes.empty()) {
      meshes += ",";
      nodes += ",";
    }
    nodes += "{\"mesh\":" + std::to_string(meshCount) + ",\"name\":" + name + "}";
    meshes += "{\"name\":" + name + ",\"primitives\":[" + primitives + "]}";
    ++meshCount;
  }

  std::string materials;
  for (const ModelMaterial& m : model.Materials) {
    if (!materials.empty()) materials += ",";
    materials += "{\"name\":" + JsonString(m.Name) + "}";
  }
  std::string json = "{\"asset\":{\"version\":\"2.0\",\"generator\":\"Vantorel\"}";
  if (meshCount == 0) {
    json += ",\"scene\":0,\"scenes\":[{\"nodes\":[]}]}";
    bin.clear();
  } else {
    std::string sceneNodes = "0";
    for (std::size_t n = 1; n < meshCount; ++n)
      sceneNodes += "," + std::to_string(n);
    json += ",\"scene\":0,\"scenes\":[{\"nodes\":[" + sceneNodes + "]}],\"nodes\":[" + nodes +
            "],\"meshes\":[" + meshes + "],\"materials\":[" + materials + "],\"accessors\":[" +
            accessors + "],\"bufferViews\":[" + views +
            "],\"buffers\":[{\"byteLength\":" + std::to_string(bin.size()) + "}]}";
  }
  while (json.size() % 4 != 0)
    json += ' ';
  while (bin.size() % 4 != 0)
    bin.push_back(0);

  std::vector<std::uint8_t> glb;
  const std::size_t total = 12 + 8 + json.size() + (bin.empty() ? 0 : 8 + bin.size());
  glb.reserve(total);
  AppendU32(glb, kMagic);
  AppendU32(glb, 2);
  AppendU32(glb, static_cast<std::uint32_t>(total));
  AppendU32(glb, static_cast<std::uint32_t>(json.size()));
  AppendU32(glb, kJsonChunk);
  glb.insert(glb.end(), json.begin(), json.end());
  if (!bin.empty()) {
    AppendU32(glb, static_cast<std::uint32_t>(bin.size()));
    AppendU32(glb, kBinChunk);
    glb.insert(glb.end(), bin.begin(), bin.end());
  }
  return glb;
}

}  // namespace vantorel
