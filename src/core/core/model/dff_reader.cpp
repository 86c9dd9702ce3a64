#include "core/model/dff_reader.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <utility>

#include "core/coll_codec.h"
#include "core/little_endian.h"
#include "core/model/rw_chunk.h"

namespace vantorel {

namespace {

using rw::Chunk;
using rw::ChunkCursor;
using rw::StreamError;
using rw::StructReader;

constexpr std::uint32_t kOldestVersion = 0x31000;
constexpr std::uint32_t kNewestVersion = 0x36FFF;
// Geometry format flags.
constexpr std::uint32_t kTextured = 0x04;
constexpr std::uint32_t kPrelit = 0x08;
constexpr std::uint32_t kTextured2 = 0x80;
constexpr std::uint32_t kNative = 0x01000000;
// The bin mesh's kinds of index lists.
constexpr std::uint32_t kTriangleList = 0;
constexpr std::uint32_t kTriangleStrip = 1;

constexpr std::size_t kFrameBytes = 56;  // 3x3 rotation, position, parent, flags

Vector3 LoadVector(const std::uint8_t* p) {
  return {le::LoadF32(p), le::LoadF32(p + 4), le::LoadF32(p + 8)};
}

std::string Numbered(const char* name, std::size_t index) {
  return std::string(name) + " " + std::to_string(index);
}

// A list chunk: a struct that starts with the number of elements, then the children that
// follow it. The count is only known not to be negative; each list checks it against its bytes.
struct ListChunk {
  ListChunk(const Chunk& list, const char* countName)
      : children(list), data(children.Expect(rw::kStruct, "struct")), reader(data) {
    const std::int32_t value = reader.I32(countName);
    if (value < 0)
      reader.Fail(std::string(countName) + " " + std::to_string(value) + " is negative");
    count = static_cast<std::size_t>(value);
  }
  ListChunk(const ListChunk&) = delete;
  ListChunk& operator=(const ListChunk&) = delete;

  ChunkCursor children;
  Chunk data;  // before reader, which reads it
  StructReader reader;
  std::size_t count = 0;
};

// Calls visit with each plugin chunk of an extension.
template <class Visit>
void ForEachPlugin(const Chunk& extension, Visit visit) {
  ChunkCursor plugins(extension);
  while (!plugins.AtEnd())
    visit(plugins, plugins.Next("plugin"));
}

// Frames: the struct holds them all, the extensions that follow carry their names.
std::vector<DffFrame> ReadFrameList(const Chunk& chunk) {
  ListChunk list(chunk, "frame count");
  ChunkCursor& children = list.children;
  StructReader& reader = list.reader;
  const auto bytes = reader.Array(list.count, kFrameBytes, "the frames");
  std::vector<DffFrame> frames(list.count);
  for (std::size_t i = 0; i < frames.size(); ++i) {
    const std::uint8_t* p = bytes.data() + i * kFrameBytes;
    DffFrame& frame = frames[i];
    frame.Local = {LoadVector(p), LoadVector(p + 12), LoadVector(p + 24), LoadVector(p + 36)};
    frame.Parent = le::LoadI32(p + 48);
    // Parents stand before their children in the stream, which also rules out cycles.
    if (frame.Parent < -1 || frame.Parent >= static_cast<std::int32_t>(i)) {
      reader.Fail(Numbered("frame", i) + " names parent " + std::to_string(frame.Parent) +
                  ", which is not an earlier frame");
    }
    frame.World = frame.Parent < 0
                      ? frame.Local
                      : Compose(frames[static_cast<std::size_t>(frame.Parent)].World, frame.Local);
  }
  for (std::size_t i = 0; i < frames.size() && !children.AtEnd(); ++i) {
    const Chunk extension = children.Next(Numbered("frame extension", i));
    if (extension.Type != rw::kExtension) continue;
    ForEachPlugin(extension, [&](const ChunkCursor&, const Chunk& plugin) {
      if (plugin.Type == rw::kFrameName) {
        frames[i].Name.assign(reinterpret_cast<const char*>(plugin.Data.data()),
                              plugin.Data.size());
      }
    });
  }
  return frames;
}

std::string ReadTextureName(const Chunk& texture) {
  ChunkCursor children(texture);
  children.Expect(rw::kStruct, "struct");
  return rw::StringData(children.Expect(rw::kString, "texture name"));
}

ModelMaterial ReadMaterial(const Chunk& material) {
  ChunkCursor children(material);
  const Chunk data = children.Expect(rw::kStruct, "struct");
  StructReader reader(data);
  reader.Skip(12, "flags, colour and a reserved field");
  const bool textured = reader.U32("textured flag") != 0;
  ModelMaterial result;
  if (textured) result.Texture = ReadTextureName(children.Expect(rw::kTexture, "texture"));
  return result;
}

std::vector<ModelMaterial> ReadMaterialList(const Chunk& chunk) {
  ListChunk list(chunk, "material count");
  ChunkCursor& children = list.children;
  StructReader& reader = list.reader;
  const auto slots = reader.Array(list.count, 4, "the material slots");
  std::vector<ModelMaterial> materials;
  materials.reserve(list.count);
  for (std::size_t i = 0; i < list.count; ++i) {
    // -1 is a material stored next; any other value repeats an earlier slot.
    const std::int32_t slot = le::LoadI32(slots.data() + 4 * i);
    if (slot == -1) {
      materials.push_back(ReadMaterial(children.Expect(rw::kMaterial, Numbered("material", i))));
    } else if (slot >= 0 && static_cast<std::size_t>(slot) < i) {
      materials.push_back(materials[static_cast<std::size_t>(slot)]);
    } else {
      reader.Fail(Numbered("material slot", i) + " repeats slot " + std::to_string(slot) +
                  ", which is not an earlier one");
    }
  }
  return materials;
}

// The bin mesh extension: the geometry's indices once more, grouped by material, as triangle
// lists or strips. Read only for a geometry whose struct holds no triangles. A strip turns
// every other triangle round so that all face the same way; a strip's triangles that use a
// vertex twice only join its runs and are left out.
void ReadBinMesh(const Chunk& chunk, DffGeometry& geometry) {
  StructReader reader(chunk);
  const std::uint32_t kind = reader.U32("kind");
  if (kind != kTriangleList && kind != kTriangleStrip) {
    reader.Fail("kind " + std::to_string(kind) + " is neither triangle lists (0) nor strips (1)");
  }
  const std::uint32_t meshes = reader.U32("mesh count");
  reader.U32("total index count");  // each mesh's own count is checked instead
  // Every mesh takes its 8 header bytes at least, so the count cannot run past the chunk.
  for (std::uint32_t m = 0; m < meshes; ++m) {
    const std::uint32_t count = reader.U32("index count");
    const std::uint32_t material = reader.U32("material index");
    if (material >= geometry.Materials.size()) {
      reader.Fail(Numbered("mesh", m) + " uses material " + std::to_string(material) + " of " +
                  std::to_string(geometry.Materials.size()));
    }
    const auto bytes = reader.Array(count, 4, "the indices");
    if (kind == kTriangleList && count % 3 != 0) {
      reader.Fail(Numbered("mesh", m) + " lists " + std::to_string(count) +
                  " indices, which is no whole number of triangles");
    }
    const auto index = [&](std::size_t i) {
      const std::uint32_t vertex = le::LoadU32(bytes.data() + 4 * i);
      if (vertex >= geometry.Vertices.size()) {
        reader.Fail(Numbered("mesh", m) + " uses vertex " + std::to_string(vertex) + " of " +
                    std::to_string(geometry.Vertices.size()));
      }
      if (vertex > 0xFFFF) {
        reader.Fail(Numbered("mesh", m) + " uses vertex " + std::to_string(vertex) +
                    ", beyond the 65536 a triangle can name");
      }
      return static_cast<std::uint16_t>(vertex);
    };
    const auto mat = static_cast<std::uint16_t>(material);
    if (kind == kTriangleList) {
      for (std::size_t i = 0; i < count; i += 3)
        geometry.Triangles.push_back({index(i), index(i + 1), index(i + 2), mat});
      continue;
    }
    for (std::size_t i = 0; i + 2 < count; ++i) {
      DffTriangle t{index(i), index(i + 1), index(i + 2), mat};
      if (i % 2 == 1) std::swap(t.A, t.B);
      if (t.A != t.B && t.B != t.C && t.A != t.C) geometry.Triangles.push_back(t);
    }
  }
}

DffGeometry ReadGeometry(const Chunk& geometry) {
  ChunkCursor children(geometry);
  const Chunk data = children.Expect(rw::kStruct, "struct");
  StructReader reader(data);
  DffGeometry result;
  result.Flags = reader.U32("format flags");
  const std::int32_t triangles = reader.I32("triangle count");
  const std::int32_t vertices = reader.I32("vertex count");
  const std::int32_t morphTargets = reader.I32("morph target count");
  if (triangles < 0 || vertices < 0 || morphTargets < 0) {
    reader.Fail("negative count (" + std::to_string(triangles) + " triangles, " +
                std::to_string(vertices) + " vertices, " + std::to_string(morphTargets) +
                " morph targets)");
  }
  if (result.Flags & kNative) {
    reader.Fail("the geometry is stored in a console's own layout, which cannot be read");
  }
  if (data.Version < 0x34000) reader.Skip(12, "the lighting factors");
  const auto vertexCount = static_cast<std::uint64_t>(vertices);
  if (result.Flags & kPrelit) reader.Array(vertexCount, 4, "the prelit colours");
  std::uint32_t uvSets = (result.Flags >> 16) & 0xFF;
  if (uvSets == 0) uvSets = (result.Flags & kTextured2) ? 2 : (result.Flags & kTextured) ? 1 : 0;
  for (std::uint32_t set = 0; set < uvSets; ++set) {
    reader.Array(vertexCount, 8, "the texture coordinates");
  }
  const auto triangleBytes =
      reader.Array(static_cast<std::uint64_t>(triangles), 8, "the triangles");
  if (morphTargets > 0) {
    reader.Skip(16, "the bounding sphere");
    const bool hasVertices = reader.U32("vertex flag") != 0;
    reader.U32("normal flag");
    if (hasVertices) {
      const auto positions = reader.Array(vertexCount, 12, "the vertices");
      result.Vertices.resize(static_cast<std::size_t>(vertexCount));
      for (std::size_t i = 0; i < result.Vertices.size(); ++i) {
        result.Vertices[i] = LoadVector(positions.data() + 12 * i);
      }
    }
  }
  if (result.Vertices.empty() && triangles > 0) {
    reader.Fail(std::to_string(triangles) + " triangles but no vertex positions");
  }
  result.Triangles.resize(static_cast<std::size_t>(triangles));
  for (std::size_t i = 0; i < result.Triangles.size(); ++i) {
    // Stored as second vertex, first vertex, material, third vertex.
    const std::uint8_t* p = triangleBytes.data() + 8 * i;
    auto u16 = [p](int at) {
      return static_cast<std::uint16_t>(p[at] | static_cast<std::uint16_t>(p[at + 1] << 8));
    };
    DffTriangle& t = result.Triangles[i];
    t = {u16(2), u16(0), u16(6), u16(4)};
    const std::uint16_t largest = std::max({t.A, t.B, t.C});
    if (largest >= result.Vertices.size()) {
      reader.Fail(Numbered("triangle", i) + " uses vertex " + std::to_string(largest) + " of " +
                  std::to_string(result.Vertices.size()));
    }
  }
  result.Materials = ReadMaterialList(children.Expect(rw::kMaterialList, "material list"));
  // Geometries stored as strips keep their triangles only in the bin mesh extension.
  while (result.Triangles.empty() && !children.AtEnd()) {
    const Chunk child = children.Next("chunk after the material list");
    if (child.Type != rw::kExtension) continue;
    ForEachPlugin(children.Named(child, "extension"),
                  [&](const ChunkCursor& plugins, const Chunk& plugin) {
                    if (plugin.Type == rw::kBinMesh && result.Triangles.empty()) {
                      ReadBinMesh(plugins.Named(plugin, "bin mesh"), result);
                    }
                  });
  }
  for (std::size_t i = 0; i < result.Triangles.size(); ++i) {
    if (result.Triangles[i].Material >= result.Materials.size()) {
      reader.Fail(Numbered("triangle", i) + " uses material " +
                  std::to_string(result.Triangles[i].Material) + " of " +
                  std::to_string(result.Materials.size()));
    }
  }
  return result;
}

std::vector<DffGeometry> ReadGeometryList(const Chunk& chunk) {
  ListChunk list(chunk, "geometry count");
  // Each geometry is read before the next is looked for, so the count allocates nothing.
  std::vector<DffGeometry> geometries;
  for (std::size_t i = 0; i < list.count; ++i) {
    geometries.push_back(
        ReadGeometry(list.children.Expect(rw::kGeometry, Numbered("geometry", i))));
  }
  return geometries;
}

DffCollision ReadCollision(const Chunk& chunk) {
  DffCollision collision;
  if (chunk.Data.size() < 4) {
    throw StreamError(chunk.Path + ": too short to hold a collision record");
  }
  collision.FourCC.assign(reinterpret_cast<const char*>(chunk.Data.data()), 4);
  collision.Bytes.assign(chunk.Data.begin(), chunk.Data.end());
  if (collision.FourCC == "COL2" || collision.FourCC == "COL3" || collision.FourCC == "COL4") {
    return collision;
  }
  if (collision.FourCC != "COLL") {
    throw StreamError(chunk.Path + ": holds no collision record (it starts with bytes that are " +
                      "not COLL, COL2, COL3 or COL4)");
  }
  CollDirectoryEntries directory;
  if (ScanFile(chunk.Data, directory) == ScanEnd::Damaged) {
    throw StreamError(chunk.Path + ": the COLL record's header is damaged");
  }
  for (std::size_t i = 0; i < directory.size(); ++i) {
    Coll coll;
    if (ReadColl(chunk.Data, directory[i], coll) != ReadResult::Ok) {
      throw StreamError(chunk.Path + ": " + Numbered("COLL record", i) + " is damaged");
    }
    collision.Colls.push_back(std::move(coll));
  }
  return collision;
}

DffClump ReadClump(const Chunk& clump) {
  DffClump result;
  result.Version = clump.Version;
  if (clump.Version < kOldestVersion || clump.Version > kNewestVersion) {
    throw StreamError(clump.Path + ": library version " + rw::VersionText(clump.Version) +
                      " is not one of 3.1 to 3.6");
  }
  ChunkCursor children(clump);
  children.Expect(rw::kStruct, "struct");
  while (!children.AtEnd()) {
    const Chunk child = children.Next("chunk after the struct");
    switch (child.Type) {
      case rw::kFrameList:
        result.Frames = ReadFrameList(children.Named(child, "frame list"));
        break;
      case rw::kGeometryList:
        result.Geometries = ReadGeometryList(children.Named(child, "geometry list"));
        break;
      case rw::kAtomic: {
        const Chunk atomic = children.Named(child, Numbered("atomic", result.Atomics.size()));
        ChunkCursor parts(atomic);
        const Chunk data = parts.Expect(rw::kStruct, "struct");
        StructReader reader(data);
        const std::int32_t frame = reader.I32("frame index");
        std::int32_t geometry = reader.I32("geometry index");
        // Streams without a geometry list carry each atomic's geometry inside it.
        while (!parts.AtEnd()) {
          const Chunk part = parts.Next("part");
          if (part.Type == rw::kGeometry) {
            geometry = static_cast<std::int32_t>(result.Geometries.size());
            result.Geometries.push_back(ReadGeometry(part));
          }
        }
        if (frame < 0 || static_cast<std::size_t>(frame) >= result.Frames.size() || geometry < 0 ||
            static_cast<std::size_t>(geometry) >= result.Geometries.size()) {
          reader.Fail("frame " + std::to_string(frame) + " of " +
                      std::to_string(result.Frames.size()) + " or geometry " +
                      std::to_string(geometry) + " of " + std::to_string(result.Geometries.size()) +
                      " does not exist");
        }
        result.Atomics.push_back(
            {static_cast<std::uint32_t>(frame), static_cast<std::uint32_t>(geometry)});
        break;
      }
      case rw::kExtension:
        ForEachPlugin(children.Named(child, "extension"), [&](const ChunkCursor& plugins,
                                                              const Chunk& plugin) {
          if (plugin.Type == rw::kCollisionModel) {
            result.Collisions.push_back(ReadCollision(plugins.Named(plugin, "collision model")));
          }
        });
        break;
      default:
        break;  // lights, cameras and plugins that hold no geometry
    }
  }
  return result;
}

}  // namespace

Vector3 Apply(const FrameMatrix& m, const Vector3& p) {
  return {p.X * m.Right.X + p.Y * m.Up.X + p.Z * m.At.X + m.Position.X,
          p.X * m.Right.Y + p.Y * m.Up.Y + p.Z * m.At.Y + m.Position.Y,
          p.X * m.Right.Z + p.Y * m.Up.Z + p.Z * m.At.Z + m.Position.Z};
}

FrameMatrix Compose(const FrameMatrix& outer, const FrameMatrix& local) {
  auto direction = [&outer](const Vector3& d) {
    return Vector3{d.X * outer.Right.X + d.Y * outer.Up.X + d.Z * outer.At.X,
                   d.X * outer.Right.Y + d.Y * outer.Up.Y + d.Z * outer.At.Y,
                   d.X * outer.Right.Z + d.Y * outer.Up.Z + d.Z * outer.At.Z};
  };
  return {direction(local.Right), direction(local.Up), direction(local.At),
          Apply(outer, local.Position)};
}

Parsed<DffClump> ReadDff(std::span<const std::uint8_t> bytes) {
  try {
    ChunkCursor top(bytes, 0, "");
    for (std::size_t i = 0; !top.AtEnd(); ++i) {
      const Chunk chunk = top.Next(i == 0 ? "the file" : Numbered("top-level chunk", i + 1));
      if (chunk.Type == rw::kClump) {
        Chunk clump = chunk;
        clump.Path = "clump";
        return {ReadClump(clump), {}};
      }
    }
    return Parsed<DffClump>::Failure("the file holds no clump: it is not a RenderWare model");
  } catch (const StreamError& error) {
    return Parsed<DffClump>::Failure(error.what());
  }
}

Model DffToModel(const DffClump& clump) {
  Model model;
  std::map<std::pair<std::string, std::string>, std::uint32_t> materialIndex;
  for (const DffAtomic& atomic : clump.Atomics) {
    const DffGeometry& geometry = clump.Geometries[atomic.Geometry];
    const FrameMatrix& place = clump.Frames[atomic.Frame].World;
    const auto base = static_cast<std::uint32_t>(model.Positions.size());
    for (const Vector3& v : geometry.Vertices)
      model.Positions.push_back(Apply(place, v));
    std::vector<std::uint32_t> materials;
    for (const ModelMaterial& m : geometry.Materials) {
      const auto [it, added] = materialIndex.try_emplace(
          {m.Name, m.Texture}, static_cast<std::uint32_t>(model.Materials.size()));
      if (added) model.Materials.push_back(m);
      materials.push_back(it->second);
    }
    for (const DffTriangle& t : geometry.Triangles) {
      model.Triangles.push_back({base + t.A, base + t.B, base + t.C, materials[t.Material]});
    }
  }
  return model;
}

}  // namespace vantorel
