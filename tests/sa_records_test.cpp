// The San Andreas kinds ("COL2", "COL3", "COL4") next to "COLL": scanned and read mixed in one
// file, written in their own kind, and refused whole when damaged or when they cannot be stored.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

#include "core/coll_codec.h"
#include "core/coll_file.h"
#include "core/little_endian.h"
#include "tests/support/rich_coll.h"
#include "tools/colgen/coll_builder.h"
#include "tools/colgen/sa_colls.h"

namespace vantorel {
namespace {

using colgen::EncodeFile;
using colgen::SaColl;
using testing::RichColl;

Bytes Encoded(const Coll& coll) {
  Bytes bytes(RecordLength(coll));
  EncodeColl(coll, bytes.data());
  return bytes;
}

std::uint16_t U16(const Bytes& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}
void PutU16(Bytes& b, std::size_t at, std::uint16_t v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

TEST(SaRecords, AllFourKindsReadBackFromOneFileInAnyOrder) {
  std::vector<Coll> colls = colgen::SaSampleColls();  // COL2, COL3, COL4, empty, 22-char name
  colls.insert(colls.begin() + 1, RichColl("classic"));
  colls.push_back(RichColl("last"));
  const Bytes image = EncodeFile(colls);

  CollDirectoryEntries directory;
  ASSERT_EQ(ScanFile(image, directory), ScanEnd::EndOfData);
  ASSERT_EQ(directory.size(), colls.size());
  Bytes rewritten;
  Coll read;  // one working copy for all: nothing of the coll read before may stay in it
  for (std::size_t i = 0; i < colls.size(); ++i) {
    SCOPED_TRACE(directory[i].Name);
    EXPECT_EQ(directory[i].Version, colls[i].Version());
    EXPECT_EQ(directory[i].Name, HeaderName(colls[i].Header));
    ASSERT_EQ(ReadColl(image, directory[i], read), ReadResult::Ok);
    EXPECT_EQ(read.Version(), colls[i].Version());
    EXPECT_EQ(read.Header.ModelId(), colls[i].Header.ModelId());
    EXPECT_EQ(read.FaceGroups.size(), colls[i].FaceGroups.size());
    EXPECT_EQ(read.ShadowFaces.size(), colls[i].ShadowFaces.size());
    EXPECT_EQ(read.Col4Extra, colls[i].Col4Extra);
    const Bytes record = Encoded(read);
    const auto stored = image.begin() + directory[i].Offset;
    EXPECT_TRUE(std::equal(record.begin(), record.end(), stored, stored + directory[i].Size));
    rewritten.insert(rewritten.end(), record.begin(), record.end());
  }
  EXPECT_EQ(directory[4].Name, "sa_empty");
  EXPECT_EQ(CollListLine(directory[4]), "sa_empty [-]");
  EXPECT_EQ(directory[5].Name, "name_of_22_characters_");
  EXPECT_EQ(rewritten, image);  // every kind is written back byte for byte
}

// The positions a reader and a writer could agree on wrongly together: computed by hand from the
// layout (header 120 bytes, offsets stored 4 less than the position).
TEST(SaRecords, FieldsSitWhereTheFormatPutsThem) {
  const Coll coll = SaColl("where", 3, 0x1234);  // 2 spheres, 1 box, 8 vertices, 2 groups,
                                                 // 12 faces, 4 shadow vertices, 2 shadow faces
  const Bytes b = Encoded(coll);
  ASSERT_EQ(b.size(), 432u);
  EXPECT_EQ(std::memcmp(b.data(), "COL3", 4), 0);
  EXPECT_EQ(le::LoadU32(b.data() + 4), 424u);
  EXPECT_EQ(U16(b, 30), 0x1234);
  EXPECT_EQ(le::LoadF32(b.data() + 32), coll.Header.BoundingMin.X);
  EXPECT_EQ(le::LoadF32(b.data() + 68), coll.Header.BoundingRadius);
  EXPECT_EQ(U16(b, 72), 2);
  EXPECT_EQ(U16(b, 74), 1);
  EXPECT_EQ(U16(b, 76), 12);
  EXPECT_EQ(le::LoadU32(b.data() + 80), 0x02u | 0x08u | 0x10u);
  EXPECT_EQ(le::LoadU32(b.data() + 84), 116u);   // spheres at 120
  EXPECT_EQ(le::LoadU32(b.data() + 88), 156u);   // boxes at 160
  EXPECT_EQ(le::LoadU32(b.data() + 96), 184u);   // vertices at 188, 48 bytes, padded to 236
  EXPECT_EQ(le::LoadU32(b.data() + 100), 292u);  // faces at 296, after 2 groups and the count
  EXPECT_EQ(le::LoadU32(b.data() + 292), 2u);    // the group count, just before the faces
  EXPECT_EQ(le::LoadU32(b.data() + 108), 2u);
  EXPECT_EQ(le::LoadU32(b.data() + 112), 388u);  // shadow vertices at 392
  EXPECT_EQ(le::LoadU32(b.data() + 116), 412u);  // shadow faces at 416
  // The sphere: centre before radius; the first vertex (-10.5, -8, -0.25) times 128.
  EXPECT_EQ(le::LoadF32(b.data() + 120 + 12), 1.25f);
  EXPECT_EQ(static_cast<std::int16_t>(U16(b, 188)), -1344);
  EXPECT_EQ(static_cast<std::int16_t>(U16(b, 190)), -1024);
  EXPECT_EQ(static_cast<std::int16_t>(U16(b, 192)), -32);
  // The first group covers faces 0..6; a face is three indices, the material, the light.
  EXPECT_EQ(U16(b, 236 + 24), 0);
  EXPECT_EQ(U16(b, 236 + 26), 6);
  EXPECT_EQ(b[296 + 8 + 6], coll.Faces[1].Surface.Material);
  EXPECT_EQ(b[296 + 8 + 7], FaceLight(coll.Faces[1]));
}

// What other writers produce: empty sections at offset 0, the vertex section padded to 4 bytes
// and the faces not right after it, a face-group flag with no groups, a line count.
TEST(SaRecords, OtherWritersLayoutsRead) {
  Bytes b(120 + 3 * 6 + 2 + 4 + 4 + 8, 0);  // header, 3 vertices, pad, a gap, group count, face
  std::memcpy(b.data(), "COL3", 4);
  le::StoreU32(b.data() + 4, static_cast<std::uint32_t>(b.size() - 8));
  std::memcpy(b.data() + 8, "other", 5);
  PutU16(b, 76, 1);  // one face
  b[78] = 2;         // lines, which nothing reads
  le::StoreU32(b.data() + 80, 0x02 | 0x08);
  le::StoreU32(b.data() + 96, 116);   // vertices at 120
  le::StoreU32(b.data() + 100, 144);  // faces at 148, after a gap and a group count of 0
  for (int v = 0; v < 3; ++v)
    PutU16(b, 120 + static_cast<std::size_t>(v) * 6, static_cast<std::uint16_t>(128 * (v + 1)));
  const std::size_t face = b.size() - 8;
  PutU16(b, face, 0);
  PutU16(b, face + 2, 2);
  PutU16(b, face + 4, 1);
  b[face + 6] = 9;
  b[face + 7] = 77;
  le::StoreU32(b.data() + 108, 5);  // a shadow face count with no offsets: no shadow mesh

  CollDirectoryEntries directory;
  ASSERT_EQ(ScanFile(b, directory), ScanEnd::EndOfData);
  Coll coll;
  ASSERT_EQ(ReadColl(b, directory[0], coll), ReadResult::Ok);
  EXPECT_EQ(coll.Vertices.size(), 3u);
  EXPECT_EQ(coll.Vertices[2].X, 3.0f);
  ASSERT_EQ(coll.Faces.size(), 1u);
  EXPECT_EQ(coll.Faces[0].B, 2);
  EXPECT_EQ(coll.Faces[0].Surface.Material, 9);
  EXPECT_EQ(FaceLight(coll.Faces[0]), 77);
  EXPECT_TRUE(coll.FaceGroups.empty());
  EXPECT_TRUE(coll.ShadowFaces.empty());
  EXPECT_TRUE(coll.Spheres.empty());
}

TEST(SaRecords, DamagedRecordsAreRefusedWhole) {
  const Bytes good = Encoded(SaColl("victim", 3));
  const std::size_t faces = 296;
  const struct {
    const char* what;
    std::function<void(Bytes&)> damage;
  } cases[] = {
      {"sphere count past the record", [](Bytes& b) { PutU16(b, 72, 0xFFFF); }},
      {"face count past the record", [](Bytes& b) { PutU16(b, 76, 0xFFFF); }},
      {"absurd shadow face count", [](Bytes& b) { le::StoreU32(b.data() + 108, 0xFFFFFFFF); }},
      {"sphere offset past the end", [](Bytes& b) { le::StoreU32(b.data() + 84, 0x7FFFFFF0); }},
      {"sphere offset wrapping round", [](Bytes& b) { le::StoreU32(b.data() + 84, 0xFFFFFFFE); }},
      {"box offset inside the header", [](Bytes& b) { le::StoreU32(b.data() + 88, 8); }},
      {"faces counted at offset 0", [](Bytes& b) { le::StoreU32(b.data() + 100, 0); }},
      {"vertices used at offset 0", [](Bytes& b) { le::StoreU32(b.data() + 96, 0); }},
      {"boxes overlapping the spheres", [](Bytes& b) { le::StoreU32(b.data() + 88, 116 + 8); }},
      {"shadow faces overlapping the faces",
       [](Bytes& b) { le::StoreU32(b.data() + 116, faces - 4 + 16); }},
      {"a face naming a vertex far past the vertices",
       [](Bytes& b) { PutU16(b, faces + 2, 0xFFFF); }},
      {"a shadow face naming a vertex past the record", [](Bytes& b) { PutU16(b, 416, 0x4000); }},
      {"absurd face group count", [](Bytes& b) { le::StoreU32(b.data() + faces - 4, 1000000); }},
      {"face groups reaching into the header",
       [](Bytes& b) { le::StoreU32(b.data() + faces - 4, 7); }},
      {"face groups overlapping the vertices",
       [](Bytes& b) { le::StoreU32(b.data() + faces - 4, 3); }},
      {"size ending inside the header", [](Bytes& b) { le::StoreU32(b.data() + 4, 100); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes bad = good;
    c.damage(bad);
    const CollDirectoryEntry entry{"victim", 0, static_cast<std::int64_t>(bad.size()), 3};
    Coll coll = SaColl("stale", 2);
    EXPECT_EQ(ReadColl(bad, entry, coll), ReadResult::Damaged);
    EXPECT_FALSE(coll.IsLoaded());
    EXPECT_TRUE(coll.Faces.empty() && coll.FaceGroups.empty() && coll.ShadowVertices.empty());
  }
  // Cut anywhere, the record is refused and nothing is read past the cut (the sanitizers watch).
  for (std::size_t length = 0; length < good.size(); ++length) {
    const Bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length));
    Coll coll;
    const ReadResult result =
        ReadColl(cut, {"victim", 0, static_cast<std::int64_t>(good.size()), 3}, coll);
    EXPECT_EQ(result, length < 4 ? ReadResult::NoCollisionData : ReadResult::Damaged) << length;
    CollDirectoryEntries directory;
    ScanFile(cut, directory);
    EXPECT_LE(directory.size(), 1u);
  }
}

TEST(SaRecords, WritingRefusesWhatTheKindCannotHoldAndWritesNothing) {
  const struct {
    const char* what;
    std::function<void(Coll&)> change;
    std::string message;
  } cases[] = {
      {"coordinate above the range", [](Coll& c) { c.Vertices[3].Z = 300.5f; },
       "coll \"sa\": vertex 3 has the coordinate 300.5, outside the range"},
      {"coordinate below the range", [](Coll& c) { c.Vertices[0].X = -256.5f; },
       "coll \"sa\": vertex 0 has the coordinate -256.5, outside the range"},
      {"shadow coordinate", [](Coll& c) { c.ShadowVertices[1].Y = 1000; },
       "coll \"sa\": shadow vertex 1 has the coordinate 1000.0, outside the range"},
      {"too many vertices", [](Coll& c) { c.Vertices.resize(65536); },
       "coll \"sa\" has 65536 vertices: a San Andreas record holds at most 65535"},
      {"a face past the vertices", [](Coll& c) { c.Faces[5].C = 8; },
       "coll \"sa\": face 5 names vertex 8, which does not exist (8)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CollFile file;
    file.Load(EncodeFile({RichColl("before"), SaColl("sa", 3), RichColl("after")}));
    const Bytes original = file.Image();
    Coll coll;
    ASSERT_EQ(ReadColl(file.Image(), file.Entry(1), coll), ReadResult::Ok);
    c.change(coll);
    std::string why;
    EXPECT_EQ(WriteColl(file, 1, coll, &why), WriteResult::TooLarge);
    EXPECT_EQ(why.substr(0, c.message.size()), c.message);
    EXPECT_EQ(file.Image(), original);
  }
  // The edges of the range fit: -256 and the last value below 256.
  Coll edge = SaColl("edge", 2);
  edge.Vertices[0] = {-256, 255.99f, 0};
  EXPECT_TRUE(FitsRecordFields(edge));
}

TEST(SaRecords, AnEditedRecordIsWrittenInItsOwnKind) {
  for (const int version : {2, 3, 4}) {
    SCOPED_TRACE(version);
    CollFile file;
    file.Load(EncodeFile({RichColl("before"), SaColl("sa", version), RichColl("after")}));
    Coll coll;
    ASSERT_EQ(ReadColl(file.Image(), file.Entry(1), coll), ReadResult::Ok);
    coll.FaceGroups.pop_back();
    coll.Faces[0].Surface.Byte2 = 201;  // its light
    coll.Vertices[1].X = 100.3f;        // stored as the nearest 1/128
    coll.Spheres.clear();
    ASSERT_EQ(WriteColl(file, 1, coll), WriteResult::Ok);
    CollDirectoryEntries directory;
    ASSERT_EQ(ScanFile(file.Image(), directory), ScanEnd::EndOfData);
    ASSERT_EQ(directory.size(), 3u);
    EXPECT_EQ(directory[1].Version, version);
    Coll again;
    ASSERT_EQ(ReadColl(file.Image(), directory[1], again), ReadResult::Ok);
    EXPECT_EQ(again.Header.ModelId(), 1234);
    EXPECT_EQ(again.FaceGroups.size(), 1u);
    EXPECT_EQ(FaceLight(again.Faces[0]), 201);
    EXPECT_EQ(again.Vertices[1].X, 100.296875f);  // 12838 / 128
    EXPECT_TRUE(again.Spheres.empty());
    EXPECT_EQ(again.Col4Extra, coll.Col4Extra);
    Coll last;
    EXPECT_EQ(ReadColl(file.Image(), directory[2], last), ReadResult::Ok);
    EXPECT_EQ(Encoded(last), Encoded(RichColl("after")));
  }
}

}  // namespace
}  // namespace vantorel
