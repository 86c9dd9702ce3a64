#include "tools/colgen/dff_builder.h"

#include <cstring>

#include "core/little_endian.h"
#include "core/model/rw_chunk.h"
#include "tools/colgen/coll_builder.h"

namespace vantorel::colgen {

namespace {

class ChunkWriter {
 public:
  explicit ChunkWriter(std::uint32_t version) : stamp_(rw::LibraryStamp(version, 0xFFFF)) {}

  void Begin(std::uint32_t type) {
    written_.Chunks.push_back({type, written_.Data.size(), static_cast<int>(open_.size())});
    open_.push_back(written_.Data.size());
    U32(type);
    U32(0);
    U32(stamp_);
  }
  void End() {
    const std::size_t start = open_.back();
    open_.pop_back();
    le::StoreU32(written_.Data.data() + start + 4,
                 static_cast<std::uint32_t>(written_.Data.size() - start - rw::kHeaderBytes));
  }
  void U32(std::uint32_t value) {
    std::uint8_t bytes[4];
    le::StoreU32(bytes, value);
    written_.Data.insert(written_.Data.end(), bytes, bytes + 4);
  }
  void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
  void F32(float value) { U32(std::bit_cast<std::uint32_t>(value)); }
  void Vector(const Vector3& v) {
    F32(v.X);
    F32(v.Y);
    F32(v.Z);
  }
  void U16(std::uint16_t value) {
    written_.Data.push_back(static_cast<std::uint8_t>(value));
    written_.Data.push_back(static_cast<std::uint8_t>(value >> 8));
  }
  void Raw(const std::uint8_t* bytes, std::size_t size) {
    written_.Data.insert(written_.Data.end(), bytes, bytes + size);
  }
  void String(const std::string& text) {
    Begin(rw::kString);
    Raw(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    do
      written_.Data.push_back(0);
    while (written_.Data.size() % 4 != 0);
    End();
  }
  void EmptyExtension() {
    Begin(rw::kExtension);
    End();
  }
  WrittenDff Take() { return std::move(written_); }

 private:
  std::uint32_t stamp_;
  WrittenDff written_;
  std::vector<std::size_t> open_;
};

void WriteMaterial(ChunkWriter& w, const std::string& texture, std::uint32_t version) {
  w.Begin(rw::kMaterial);
  w.Begin(rw::kStruct);
  w.U32(0);
  w.U32(0xFFFFFFFF);  // white
  w.U32(0);
  w.U32(texture.empty() ? 0 : 1);
  if (version > 0x30400) {
    w.F32(1);
    w.F32(1);
    w.F32(1);
  }
  w.End();
  if (!texture.empty()) {
    w.Begin(rw::kTexture);
    w.Begin(rw::kStruct);
    w.U32(0x1106);
    w.End();
    w.String(texture);
    w.String("");
    w.EmptyExtension();
    w.End();
  }
  w.EmptyExtension();
  w.End();
}

void WriteGeometry(ChunkWriter& w, const DffGeometrySpec& g, std::uint32_t version) {
  w.Begin(rw::kGeometry);
  w.Begin(rw::kStruct);
  std::uint32_t flags =
      0x02 | (g.Prelit ? 0x08 : 0) | (g.Normals ? 0x10 : 0) | (g.Strips ? 0x01 : 0);
  if (version >= 0x36000) {
    flags |= g.UvSets << 16 | (g.UvSets > 0 ? 0x04 : 0);
  } else {
    flags |= g.UvSets == 1 ? 0x04 : g.UvSets == 2 ? 0x80 : 0;
  }
  w.U32(flags);
  w.U32(static_cast<std::uint32_t>(g.Triangles.size()));
  w.U32(static_cast<std::uint32_t>(g.Vertices.size()));
  w.U32(1);
  if (version < 0x34000) {
    w.F32(1);
    w.F32(1);
    w.F32(1);
  }
  if (g.Prelit) {
    for (std::size_t i = 0; i < g.Vertices.size(); ++i)
      w.U32(0xFF8040C0);
  }
  for (std::uint32_t set = 0; set < g.UvSets; ++set) {
    for (std::size_t i = 0; i < g.Vertices.size(); ++i) {
      w.F32(0.25f * static_cast<float>(set + 1));
      w.F32(0.5f);
    }
  }
  for (const DffTriangle& t : g.Triangles) {
    w.U16(t.B);
    w.U16(t.A);
    w.U16(t.Material);
    w.U16(t.C);
  }
  w.Vector({0, 0, 0});
  w.F32(10);
  w.U32(1);
  w.U32(g.Normals ? 1 : 0);
  for (const Vector3& v : g.Vertices)
    w.Vector(v);
  if (g.Normals) {
    for (std::size_t i = 0; i < g.Vertices.size(); ++i)
      w.Vector({0, 0, 1});
  }
  w.End();
  w.Begin(rw::kMaterialList);
  w.Begin(rw::kStruct);
  w.U32(static_cast<std::uint32_t>(g.Textures.size()));
  for (std::size_t i = 0; i < g.Textures.size(); ++i)
    w.I32(-1);
  w.End();
  for (const std::string& texture : g.Textures)
    WriteMaterial(w, texture, version);
  w.End();
  w.Begin(rw::kExtension);
  if (!g.BinMeshes.empty()) {
    w.Begin(rw::kBinMesh);
    w.U32(g.Strips ? 1 : 0);
    w.U32(static_cast<std::uint32_t>(g.BinMeshes.size()));
    std::uint32_t total = 0;
    for (const DffBinMeshSpec& mesh : g.BinMeshes)
      total += static_cast<std::uint32_t>(mesh.Indices.size());
    w.U32(total);
    for (const DffBinMeshSpec& mesh : g.BinMeshes) {
      w.U32(static_cast<std::uint32_t>(mesh.Indices.size()));
      w.U32(mesh.Material);
      for (const std::uint32_t index : mesh.Indices)
        w.U32(index);
    }
    w.End();
  }
  w.End();
  w.End();
}

std::vector<Vector3> CubeVertices(float size) {
  std::vector<Vector3> v;
  for (int i = 0; i < 8; ++i) {
    v.push_back({i & 1 ? size : 0, i & 2 ? size : 0, i & 4 ? size : 0});
  }
  return v;
}

std::vector<DffTriangle> CubeTriangles() {
  // Two triangles per side, the bottom and top on material 1, the walls on material 0.
  const int quads[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                           {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
  std::vector<DffTriangle> t;
  for (int q = 0; q < 6; ++q) {
    const auto m = static_cast<std::uint16_t>(q < 2 ? 1 : 0);
    auto at = [&](int k) { return static_cast<std::uint16_t>(quads[q][k]); };
    t.push_back({at(0), at(1), at(2), m});
    t.push_back({at(0), at(2), at(3), m});
  }
  return t;
}

}  // namespace

WrittenDff WriteDff(const DffPlan& plan) {
  ChunkWriter w(plan.Version);
  w.Begin(rw::kClump);
  w.Begin(rw::kStruct);
  w.U32(static_cast<std::uint32_t>(plan.Atomics.size()));
  if (plan.Version > 0x33000) {
    w.U32(0);
    w.U32(0);
  }
  w.End();

  w.Begin(rw::kFrameList);
  w.Begin(rw::kStruct);
  w.U32(static_cast<std::uint32_t>(plan.Frames.size()));
  for (const DffFrameSpec& f : plan.Frames) {
    w.Vector(f.Local.Right);
    w.Vector(f.Local.Up);
    w.Vector(f.Local.At);
    w.Vector(f.Local.Position);
    w.I32(f.Parent);
    w.U32(0);
  }
  w.End();
  for (const DffFrameSpec& f : plan.Frames) {
    w.Begin(rw::kExtension);
    if (!f.Name.empty()) {
      w.Begin(rw::kFrameName);
      w.Raw(reinterpret_cast<const std::uint8_t*>(f.Name.data()), f.Name.size());
      w.End();
    }
    w.End();
  }
  w.End();

  w.Begin(rw::kGeometryList);
  w.Begin(rw::kStruct);
  w.U32(static_cast<std::uint32_t>(plan.Geometries.size()));
  w.End();
  for (const DffGeometrySpec& g : plan.Geometries)
    WriteGeometry(w, g, plan.Version);
  w.End();

  for (const DffAtomic& a : plan.Atomics) {
    w.Begin(rw::kAtomic);
    w.Begin(rw::kStruct);
    w.U32(a.Frame);
    w.U32(a.Geometry);
    w.U32(5);
    w.U32(0);
    w.End();
    w.EmptyExtension();
    w.End();
  }

  w.Begin(rw::kExtension);
  if (!plan.Collision.empty()) {
    w.Begin(rw::kCollisionModel);
    w.Raw(plan.Collision.data(), plan.Collision.size());
    w.End();
  }
  w.End();
  w.End();
  return w.Take();
}

DffPlan OneAtomicDff() {
  DffPlan plan;
  plan.Version = 0x34003;
  plan.Frames.push_back({{}, -1, "box"});
  plan.Geometries.push_back(
      {CubeVertices(1), CubeTriangles(), {"crate_side", "crate_top"}, true, 1, false});
  plan.Atomics.push_back({0, 0});
  return plan;
}

DffPlan TwoAtomicDff() {
  DffPlan plan;
  // The root turns a quarter about the height axis (x becomes y) and moves by (10, 0, 0); the
  // child moves by (0, 0, 5) inside it.
  FrameMatrix root;
  root.Right = {0, 1, 0};
  root.Up = {-1, 0, 0};
  root.Position = {10, 0, 0};
  FrameMatrix child;
  child.Position = {0, 0, 5};
  plan.Frames.push_back({root, -1, "body"});
  plan.Frames.push_back({child, 0, "roof"});
  plan.Geometries.push_back({CubeVertices(1), CubeTriangles(), {"body", ""}, false, 2, true});
  plan.Geometries.push_back({CubeVertices(2), CubeTriangles(), {"roof_glass", "roof"}});
  plan.Atomics.push_back({0, 0});
  plan.Atomics.push_back({1, 1});
  return plan;
}

DffPlan CollisionDff() {
  DffPlan plan = OneAtomicDff();
  plan.Version = 0x36003;
  CollBuilder coll("crate");
  coll.MeshBox({0, 0, 0}, {1, 1, 1}, MakeSurface(5));
  coll.Sphere({0.5f, 0.5f, 0.5f}, 0.9f, MakeSurface(11));
  const Bytes file = EncodeFile({coll.Build()});
  plan.Collision.assign(file.begin(), file.end());
  return plan;
}

DffPlan StripDff() {
  DffPlan plan;
  plan.Frames.push_back({{}, -1, "fence"});
  // Two rows of three on the ground (0 to 2 at y 1, 3 to 5 at y 0) and two more at y 2.
  DffGeometrySpec g;
  g.Vertices = {{0, 1, 0}, {1, 1, 0}, {2, 1, 0}, {0, 0, 0},
                {1, 0, 0}, {2, 0, 0}, {0, 2, 0}, {1, 2, 0}};
  g.Textures = {"fence_wood", "fence_wire"};
  g.UvSets = 1;
  g.Strips = true;
  // Two runs of the strip joined by four triangles that use a vertex twice.
  g.BinMeshes = {{0, {0, 3, 1, 4, 4, 1, 1, 4, 2, 5}}, {1, {6, 0, 7, 1}}};
  plan.Geometries.push_back(g);
  plan.Atomics.push_back({0, 0});
  return plan;
}

}  // namespace vantorel::colgen
