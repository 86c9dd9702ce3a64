#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "core/little_endian.h"
#include "core/model/dff_reader.h"
#include "core/model/rw_chunk.h"
#include "tools/colgen/dff_builder.h"

namespace vantorel {
namespace {

using colgen::DffPlan;
using colgen::WrittenDff;

// Offset of the data of the first struct chunk written after the nth chunk of the given type.
std::size_t StructDataAfter(const WrittenDff& dff, std::uint32_t type, int nth = 0) {
  bool found = false;
  for (const colgen::DffChunkPlace& place : dff.Chunks) {
    if (!found && place.Type == type && nth-- == 0) {
      found = true;
      if (type == rw::kStruct) return place.Offset + rw::kHeaderBytes;
    } else if (found && place.Type == rw::kStruct) {
      return place.Offset + rw::kHeaderBytes;
    }
  }
  ADD_FAILURE() << "no such chunk";
  return 0;
}
std::size_t HeaderOf(const WrittenDff& dff, std::uint32_t type) {
  for (const colgen::DffChunkPlace& place : dff.Chunks) {
    if (place.Type == type) return place.Offset;
  }
  ADD_FAILURE() << "no such chunk";
  return 0;
}

bool Near(const Vector3& a, const Vector3& b) {
  return std::abs(a.X - b.X) < 1e-5f && std::abs(a.Y - b.Y) < 1e-5f && std::abs(a.Z - b.Z) < 1e-5f;
}

TEST(DffReader, ReadsEveryFixtureInEveryLibraryVersion) {
  for (const std::uint32_t version : {0x31000u, 0x33002u, 0x34003u, 0x36003u}) {
    SCOPED_TRACE(rw::VersionText(version));
    DffPlan plan = colgen::TwoAtomicDff();
    plan.Version = version;
    plan.Geometries[1].Prelit = true;  // colours, two UV sets and normals to step over
    const Parsed<DffClump> read = ReadDff(colgen::WriteDff(plan).Data);
    ASSERT_TRUE(read.Value) << read.Error;
    const DffClump& clump = *read.Value;
    EXPECT_EQ(clump.Version, version);
    ASSERT_EQ(clump.Frames.size(), 2u);
    EXPECT_EQ(clump.Frames[1].Name, "roof");
    ASSERT_EQ(clump.Geometries.size(), 2u);
    for (std::size_t g = 0; g < 2; ++g) {
      EXPECT_EQ(clump.Geometries[g].Triangles.size(), 12u);
      for (std::size_t t = 0; t < 12; ++t) {
        const DffTriangle& want = plan.Geometries[g].Triangles[t];
        const DffTriangle& got = clump.Geometries[g].Triangles[t];
        EXPECT_TRUE(got.A == want.A && got.B == want.B && got.C == want.C &&
                    got.Material == want.Material);
      }
      ASSERT_EQ(clump.Geometries[g].Vertices.size(), 8u);
      EXPECT_TRUE(Near(clump.Geometries[g].Vertices[7], plan.Geometries[g].Vertices[7]));
    }
    EXPECT_EQ(clump.Geometries[1].Materials[0].Texture, "roof_glass");
    EXPECT_EQ(clump.Geometries[0].Materials[1].Texture, "");

    // The child's atomic lies inside both frames: turned a quarter, moved by (10,0,0) + (0,0,5).
    const Model model = DffToModel(clump);
    ASSERT_EQ(model.Positions.size(), 16u);
    ASSERT_EQ(model.Triangles.size(), 24u);
    EXPECT_TRUE(Near(model.Positions[1], {10, 1, 0}));     // (1,0,0) on the root
    EXPECT_TRUE(Near(model.Positions[8 + 3], {8, 2, 5}));  // (2,2,0) on the child
    EXPECT_EQ(model.Materials.size(), 4u);
    EXPECT_EQ(model.Materials[model.Triangles[12].Material].Texture, "roof");
    EXPECT_TRUE(IndicesInRange(model));
  }
}

TEST(DffReader, EmbeddedCollisionsAreDecodedOrKept) {
  const Parsed<DffClump> read = ReadDff(colgen::WriteDff(colgen::CollisionDff()).Data);
  ASSERT_TRUE(read.Value) << read.Error;
  ASSERT_EQ(read.Value->Collisions.size(), 1u);
  const DffCollision& collision = read.Value->Collisions[0];
  EXPECT_EQ(collision.FourCC, "COLL");
  ASSERT_EQ(collision.Colls.size(), 1u);
  EXPECT_EQ(HeaderName(collision.Colls[0].Header), "crate");
  EXPECT_EQ(collision.Colls[0].FaceCount(), 12);
  EXPECT_EQ(collision.Colls[0].SphereCount(), 1);

  DffPlan later = colgen::CollisionDff();
  std::memcpy(later.Collision.data(), "COL3", 4);
  const Parsed<DffClump> kept = ReadDff(colgen::WriteDff(later).Data);
  ASSERT_TRUE(kept.Value) << kept.Error;
  EXPECT_EQ(kept.Value->Collisions[0].FourCC, "COL3");
  EXPECT_EQ(kept.Value->Collisions[0].Bytes, later.Collision);
  EXPECT_TRUE(kept.Value->Collisions[0].Colls.empty());
}

TEST(DffReader, EveryTruncationIsRefusedWithAMessage) {
  const WrittenDff dff = colgen::WriteDff(colgen::CollisionDff());
  for (std::size_t length = 0; length < dff.Data.size(); ++length) {
    const std::vector<std::uint8_t> cut(dff.Data.begin(),
                                        dff.Data.begin() + static_cast<std::ptrdiff_t>(length));
    const Parsed<DffClump> read = ReadDff(cut);
    ASSERT_FALSE(read.Value) << "cut to " << length;
    ASSERT_FALSE(read.Error.empty());
  }
}

// Strips turn every other triangle round and drop the triangles that only join their runs.
TEST(DffReader, StripsReadAsTrianglesThatAllFaceOneWay) {
  const colgen::DffPlan plan = colgen::StripDff();
  const Parsed<DffClump> read = ReadDff(colgen::WriteDff(plan).Data);
  ASSERT_TRUE(read.Value) << read.Error;
  const std::vector<DffTriangle>& got = read.Value->Geometries[0].Triangles;
  const DffTriangle want[] = {{0, 3, 1, 0}, {1, 3, 4, 0}, {1, 4, 2, 0},
                              {2, 4, 5, 0}, {6, 0, 7, 1}, {7, 0, 1, 1}};
  ASSERT_EQ(got.size(), std::size(want));
  const std::vector<Vector3>& v = plan.Geometries[0].Vertices;
  for (std::size_t i = 0; i < got.size(); ++i) {
    EXPECT_TRUE(got[i].A == want[i].A && got[i].B == want[i].B && got[i].C == want[i].C &&
                got[i].Material == want[i].Material)
        << "triangle " << i;
    const Vector3 &a = v[got[i].A], &b = v[got[i].B], &c = v[got[i].C];
    EXPECT_GT((b.X - a.X) * (c.Y - a.Y) - (b.Y - a.Y) * (c.X - a.X), 0) << "triangle " << i;
  }

  // The bin mesh after its 12-byte header: kind, mesh count, total, then count, material and
  // the indices of each mesh.
  const WrittenDff dff = colgen::WriteDff(plan);
  const std::size_t data = HeaderOf(dff, rw::kBinMesh) + rw::kHeaderBytes;
  struct Case {
    std::size_t at;
    std::uint32_t value;
    const char* message;
  } cases[] = {
      {0, 7, "kind 7 is neither"},
      {4, 0xFFFFFFFF, "bin mesh: index count need 4 bytes"},
      {12, 0x40000000, "the indices need"},
      {16, 2, "mesh 0 uses material 2 of 2"},
      {20 + 4 * 3, 8, "mesh 0 uses vertex 8 of 8"},
      {20 + 4 * 3, 0x10000, "mesh 0 uses vertex 65536 of 8"},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> bytes(dff.Data.begin(), dff.Data.end());
    le::StoreU32(bytes.data() + data + c.at, c.value);
    const Parsed<DffClump> damaged = ReadDff(bytes);
    ASSERT_FALSE(damaged.Value) << c.message;
    EXPECT_NE(damaged.Error.find(c.message), std::string::npos) << damaged.Error;
  }
  // As a triangle list, the first mesh's ten indices are no whole number of triangles.
  std::vector<std::uint8_t> list(dff.Data.begin(), dff.Data.end());
  le::StoreU32(list.data() + data, 0);
  EXPECT_NE(ReadDff(list).Error.find("10 indices, which is no whole number"), std::string::npos);
}

struct Damage {
  const char* name;
  std::uint32_t chunkType;  // the struct after the first chunk of this type, or its header
  bool header;              // patch the chunk header rather than its struct
  std::size_t at;           // byte offset into the struct data or the header
  std::uint32_t value;
  const char* message;
};

TEST(DffReader, DamagedFieldsAreNamed) {
  // Geometry 0 of OneAtomicDff: 8 vertices with prelit colours and one UV set, so its struct is
  // counts (16), colours (32), UVs (64), triangles (96), sphere and flags (24), vertices (96).
  const Damage cases[] = {
      {"absurd triangle count", rw::kGeometry, false, 4, 0x7FFFFFFF, "the triangles need"},
      {"absurd vertex count", rw::kGeometry, false, 8, 0x10000000, "the prelit colours need"},
      {"negative vertex count", rw::kGeometry, false, 8, 0xFFFFFFFF, "negative count"},
      {"console geometry", rw::kGeometry, false, 0, 0x01000006, "console"},
      {"vertex past the end", rw::kGeometry, false, 112 + 2, 8, "triangle 0 uses vertex 8 of 8"},
      {"material past the end", rw::kGeometry, false, 112 + 4, 2, "uses material 2 of 2"},
      {"absurd frame count", rw::kFrameList, false, 0, 0x40000000, "the frames need"},
      {"negative frame count", rw::kFrameList, false, 0, 0x80000000, "is negative"},
      {"frame its own parent", rw::kFrameList, false, 4 + 48, 0, "not an earlier frame"},
      {"absurd material count", rw::kMaterialList, false, 0, 0x7FFFFFFF, "the material slots need"},
      {"material slot ahead", rw::kMaterialList, false, 8, 1, "not an earlier one"},
      {"atomic on a missing geometry", rw::kAtomic, false, 4, 5, "does not exist"},
      {"geometry count beyond its chunks", rw::kGeometryList, false, 0, 3,
       "geometry list > geometry 1: cut short"},
      {"list size past the clump", rw::kGeometryList, true, 4, 100000, "runs past the end"},
      {"negative-looking size", rw::kClump, true, 4, 0xFFFFFFF0, "runs past the end"},
      {"size past the file", rw::kMaterial, true, 4, 0x7FFFFFFF, "material 0: its size"},
      {"string past its texture", rw::kString, true, 4, 4000, "texture name: its size"},
      {"library version 3.7", rw::kClump, true, 8, rw::LibraryStamp(0x37002, 0xFFFF),
       "library version 3.7.0.2 is not one of 3.1 to 3.6"},
      {"not a clump", rw::kClump, true, 0, 0x16, "holds no clump"},
  };
  const WrittenDff dff = colgen::WriteDff(colgen::OneAtomicDff());
  for (const Damage& d : cases) {
    SCOPED_TRACE(d.name);
    std::vector<std::uint8_t> bytes(dff.Data.begin(), dff.Data.end());
    const std::size_t base =
        d.header ? HeaderOf(dff, d.chunkType) : StructDataAfter(dff, d.chunkType);
    le::StoreU32(bytes.data() + base + d.at, d.value);
    const Parsed<DffClump> read = ReadDff(bytes);
    ASSERT_FALSE(read.Value);
    EXPECT_NE(read.Error.find(d.message), std::string::npos) << read.Error;
  }
}

TEST(DffReader, DamagedEmbeddedCollisionsAreNamed) {
  struct Case {
    const char* name;
    std::size_t at;
    std::uint32_t value;
    const char* message;
  };
  const Case cases[] = {
      {"unknown record kind", 0, 0x58585858, "holds no collision record"},
      {"absurd face count", 72 + 4 + 20 + 4 + 4 + 4 + 8 * 12, 0x7FFFFFFF,
       "COLL record 0 is damaged"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DffPlan plan = colgen::CollisionDff();
    le::StoreU32(plan.Collision.data() + c.at, c.value);
    const Parsed<DffClump> read = ReadDff(colgen::WriteDff(plan).Data);
    ASSERT_FALSE(read.Value);
    EXPECT_NE(read.Error.find(c.message), std::string::npos) << read.Error;
  }
}

TEST(DffReader, DeeplyNestedPluginsNeitherRecurseNorFail) {
  // 100,000 extension chunks, each inside the last, in the clump's extension.
  DffPlan plan = colgen::OneAtomicDff();
  const WrittenDff plain = colgen::WriteDff(plan);
  std::vector<std::uint8_t> nest;
  const std::uint32_t depth = 100000;
  for (std::uint32_t i = 0; i < depth; ++i) {
    std::uint8_t header[12];
    le::StoreU32(header, rw::kExtension);
    le::StoreU32(header + 4, (depth - 1 - i) * 12);
    le::StoreU32(header + 8, rw::LibraryStamp(0x34003, 0xFFFF));
    nest.insert(nest.end(), header, header + 12);
  }
  std::vector<std::uint8_t> bytes(plain.Data.begin(), plain.Data.end());
  bytes.insert(bytes.end(), nest.begin(), nest.end());
  // The clump's own extension is its last chunk: grow it and the clump by the nest.
  const std::size_t extension = plain.Chunks[plain.Chunks.size() - 1].Offset;
  le::StoreU32(bytes.data() + extension + 4,
               le::LoadU32(bytes.data() + extension + 4) + static_cast<std::uint32_t>(nest.size()));
  le::StoreU32(bytes.data() + 4,
               le::LoadU32(bytes.data() + 4) + static_cast<std::uint32_t>(nest.size()));
  const Parsed<DffClump> read = ReadDff(bytes);
  ASSERT_TRUE(read.Value) << read.Error;
  EXPECT_EQ(read.Value->Geometries.size(), 1u);
}

}  // namespace
}  // namespace vantorel
