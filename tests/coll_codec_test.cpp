#include "core/coll_codec.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/little_endian.h"
#include "tools/colgen/coll_builder.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::EncodeFile;
using colgen::MakeSurface;

Coll RichColl(const std::string& name) {
  CollBuilder b(name);
  b.Id({1, 2, 3, 4});
  b.Sphere({1, 2, 3}, 4, MakeSurface(19, 0, 0xAB, 0xCD));
  b.Box({-1, -2, -3}, {1, 2, 3}, MakeSurface(5, 17, 0x12, 0x34));
  b.MeshBox({0, 0, 0}, {2, 2, 2}, MakeSurface(31, 3, 0xFE, 0xFF));
  return b.Build();
}

bool SameColl(const Coll& a, const Coll& b) {
  Bytes x(RecordLength(a));
  Bytes y(RecordLength(b));
  EncodeColl(a, x.data());
  EncodeColl(b, y.data());
  return x == y;
}

Bytes Slice(const Bytes& bytes, std::size_t from, std::size_t length) {
  return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from),
               bytes.begin() + static_cast<std::ptrdiff_t>(from + length));
}

TEST(ScanFile, ListsEveryRecordInOrder) {
  const Bytes image = EncodeFile({RichColl("one"), CollBuilder("two").Build(), RichColl("three")});
  CollDirectoryEntries directory;
  std::vector<std::size_t> positions;
  EXPECT_EQ(ScanFile(image, directory, [&](std::size_t at) { positions.push_back(at); }),
            ScanEnd::EndOfData);
  ASSERT_EQ(directory.size(), 3u);
  EXPECT_EQ(positions, (std::vector<std::size_t>{static_cast<std::size_t>(directory[1].Offset),
                                                 static_cast<std::size_t>(directory[2].Offset),
                                                 image.size()}));
  EXPECT_EQ(directory[0].Name, "one");
  EXPECT_EQ(directory[0].Offset, 0);
  EXPECT_EQ(directory[1].Offset, directory[0].Size);
  EXPECT_EQ(directory[1].Size, 92);
  EXPECT_EQ(directory[2].Offset + directory[2].Size, static_cast<std::int64_t>(image.size()));
}

TEST(ScanFile, EmptyFileGivesEmptyDirectory) {
  CollDirectoryEntries directory{{"stale", 0, 92}};
  EXPECT_EQ(ScanFile(Bytes{}, directory), ScanEnd::EndOfData);
  EXPECT_TRUE(directory.empty());
}

TEST(ScanFile, StopsSilentlyAtDataThatIsNotColl) {
  Bytes image = EncodeFile({RichColl("first"), RichColl("second")});
  CollDirectoryEntries directory;
  const std::size_t second = RecordLength(RichColl("first"));
  std::memcpy(image.data() + second, "coll", 4);  // case matters
  EXPECT_EQ(ScanFile(image, directory), ScanEnd::NotColl);
  ASSERT_EQ(directory.size(), 1u);
  EXPECT_EQ(directory[0].Name, "first");

  // A short tail of garbage is the same silent end.
  Bytes tail = EncodeFile({RichColl("only")});
  tail.insert(tail.end(), {'x', 'y', 'z'});
  EXPECT_EQ(ScanFile(tail, directory), ScanEnd::NotColl);
  EXPECT_EQ(directory.size(), 1u);
}

TEST(ScanFile, CutHeaderOrImpossibleSizeEndsWithoutBogusEntry) {
  Bytes image = EncodeFile({RichColl("first")});
  const Bytes record = image;
  image.insert(image.end(), record.begin(), record.begin() + 40);  // "COLL" but only 40 bytes
  CollDirectoryEntries directory;
  EXPECT_EQ(ScanFile(image, directory), ScanEnd::Damaged);
  EXPECT_EQ(directory.size(), 1u);

  // Sizes that would not move past the header: 0 (a loop on the spot) and 63 (71 bytes).
  for (std::uint32_t size : {0u, 63u}) {
    Bytes bad = EncodeFile({RichColl("first"), RichColl("second")});
    le::StoreU32(bad.data() + record.size() + 4, size);
    EXPECT_EQ(ScanFile(bad, directory), ScanEnd::Damaged) << size;
    EXPECT_EQ(directory.size(), 1u) << size;
  }
}

TEST(ScanFile, RecordRunningPastTheEndIsListedAndEndsTheScan) {
  Bytes image = EncodeFile({RichColl("first"), RichColl("second")});
  le::StoreU32(image.data() + RecordLength(RichColl("first")) + 4, 0xFFFFFFF0u);
  CollDirectoryEntries directory;
  EXPECT_EQ(ScanFile(image, directory), ScanEnd::EndOfData);
  ASSERT_EQ(directory.size(), 2u);
  EXPECT_EQ(directory[1].Size, std::int64_t{0xFFFFFFF0u} + 8);

  // Its elements are all there, so it reads as far as its bytes go.
  Coll coll;
  EXPECT_EQ(ReadColl(image, directory[1], coll), ReadResult::Ok);
  EXPECT_EQ(coll.FaceCount(), 12);

  // Cut short, its faces are missing: refused.
  image.resize(image.size() - 10);
  EXPECT_EQ(ReadColl(image, directory[1], coll), ReadResult::Damaged);
  EXPECT_FALSE(coll.IsLoaded());
}

TEST(ReadColl, RoundTripsEveryFieldAndSurfaceByte) {
  const Coll original = RichColl("rich");
  Bytes image = EncodeFile({original});
  CollDirectoryEntries directory;
  ScanFile(image, directory);
  Coll read;
  ASSERT_EQ(ReadColl(image, directory[0], read), ReadResult::Ok);
  EXPECT_TRUE(SameColl(read, original));
  EXPECT_EQ(read.Spheres[0].Surface.Byte2, 0xAB);
  EXPECT_EQ(read.Faces[11].Surface.Byte3, 0xFF);
  EXPECT_EQ(read.Boxes[0].Surface.Parameter, 17);
}

TEST(ReadColl, RefusesEntriesThatDoNotPointAtColl) {
  Bytes image = EncodeFile({RichColl("a")});
  CollDirectoryEntry entry{"a", 0, static_cast<std::int64_t>(image.size())};
  image[0] = 'X';
  Coll coll = RichColl("stale");
  EXPECT_EQ(ReadColl(image, entry, coll), ReadResult::NoCollisionData);
  EXPECT_FALSE(coll.IsLoaded());
  EXPECT_TRUE(coll.Faces.empty());

  CollDirectoryEntry beyond{"b", 1 << 20, 92};
  EXPECT_EQ(ReadColl(image, beyond, coll), ReadResult::NoCollisionData);
}

TEST(ReadColl, RefusesNegativeOrOversizedCounts) {
  const std::size_t sphereCount = 72;
  const std::size_t boxCountAt = 72 + 4 + 20 + 4;  // one sphere, then the unused count
  struct Case {
    std::size_t at;
    std::int32_t value;
  };
  // 30 spheres would fit in the file but not in the first record.
  for (const Case c : {Case{sphereCount, -1}, Case{sphereCount, 0x7FFFFFFF}, Case{sphereCount, 30},
                       Case{boxCountAt, 20}, Case{boxCountAt, -100}}) {
    Bytes image = EncodeFile({RichColl("a"), RichColl("b")});
    le::StoreI32(image.data() + c.at, c.value);
    CollDirectoryEntries directory;
    ScanFile(image, directory);
    Coll coll;
    EXPECT_EQ(ReadColl(image, directory[0], coll), ReadResult::Damaged) << c.at << " " << c.value;
    EXPECT_FALSE(coll.IsLoaded());
    EXPECT_TRUE(coll.Spheres.empty() && coll.Boxes.empty());
    EXPECT_EQ(ReadColl(image, directory[1], coll), ReadResult::Ok);
  }
}

TEST(ReadColl, IgnoresTheUnusedCountAndWritesItBackAsZero) {
  Bytes image = EncodeFile({RichColl("a")});
  const std::size_t unusedAt = 72 + 4 + 20;
  le::StoreI32(image.data() + unusedAt, 77);
  CollDirectoryEntries directory;
  ScanFile(image, directory);
  Coll coll;
  ASSERT_EQ(ReadColl(image, directory[0], coll), ReadResult::Ok);
  ASSERT_TRUE(WriteColl(image, directory, 0, coll));
  EXPECT_EQ(le::LoadI32(image.data() + unusedAt), 0);
}

TEST(WriteColl, EmptyCollIsExactly92BytesWithMarkerAndSize) {
  Bytes image = EncodeFile({RichColl("a")});
  CollDirectoryEntries directory;
  ScanFile(image, directory);
  Coll coll;
  ReadColl(image, directory[0], coll);
  coll.Spheres.clear();
  coll.Boxes.clear();
  coll.Vertices.clear();
  coll.Faces.clear();
  ASSERT_TRUE(WriteColl(image, directory, 0, coll));
  ASSERT_EQ(image.size(), 92u);
  EXPECT_EQ(std::memcmp(image.data() + 28, "QKZV", 4), 0);
  EXPECT_EQ(le::LoadU32(image.data() + 4), 84u);
  for (std::size_t at = 72; at < 92; at += 4)
    EXPECT_EQ(le::LoadI32(image.data() + at), 0);
  EXPECT_EQ(directory[0].Size, 92);
}

TEST(WriteColl, GrowingAMiddleCollMovesLaterRecords) {
  Bytes image = EncodeFile({RichColl("a"), RichColl("b"), RichColl("c"), RichColl("d")});
  const Bytes before = image;
  CollDirectoryEntries directory;
  ScanFile(image, directory);
  const CollDirectoryEntries old = directory;
  Coll coll;
  ReadColl(image, directory[1], coll);
  coll.Spheres.push_back({2, {5, 5, 5}, MakeSurface(1)});
  SetHeaderName(coll.Header, "bigger");
  ASSERT_TRUE(WriteColl(image, directory, 1, coll));

  EXPECT_EQ(image.size(), before.size() + 20);
  EXPECT_EQ(Slice(image, 0, static_cast<std::size_t>(old[1].Offset)),
            Slice(before, 0, static_cast<std::size_t>(old[1].Offset)));
  EXPECT_EQ(directory[1].Name, "bigger");
  EXPECT_EQ(directory[1].Size, old[1].Size + 20);
  for (std::size_t i = 2; i < 4; ++i) {
    EXPECT_EQ(directory[i].Offset, old[i].Offset + 20);
    EXPECT_EQ(Slice(image, static_cast<std::size_t>(directory[i].Offset),
                    static_cast<std::size_t>(old[i].Size)),
              Slice(before, static_cast<std::size_t>(old[i].Offset),
                    static_cast<std::size_t>(old[i].Size)));
  }
  CollDirectoryEntries rescanned;
  EXPECT_EQ(ScanFile(image, rescanned), ScanEnd::EndOfData);
  ASSERT_EQ(rescanned.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(rescanned[i].Offset, directory[i].Offset);
    EXPECT_EQ(rescanned[i].Size, directory[i].Size);
  }
}

TEST(WriteColl, ShrinkingTheFirstCollMovesEverythingDown) {
  Bytes image = EncodeFile({RichColl("a"), RichColl("b")});
  CollDirectoryEntries directory;
  ScanFile(image, directory);
  Coll coll;
  ReadColl(image, directory[0], coll);
  coll.Faces.resize(2);
  ASSERT_TRUE(WriteColl(image, directory, 0, coll));
  CollDirectoryEntries rescanned;
  EXPECT_EQ(ScanFile(image, rescanned), ScanEnd::EndOfData);
  ASSERT_EQ(rescanned.size(), 2u);
  Coll second;
  ASSERT_EQ(ReadColl(image, rescanned[1], second), ReadResult::Ok);
  EXPECT_TRUE(SameColl(second, RichColl("b")));
}

TEST(WriteColl, TrailingGarbageStaysUntilTheFirstWriteBack) {
  Bytes image = EncodeFile({RichColl("a"), RichColl("b")});
  const std::size_t records = image.size();
  image.insert(image.end(), {'j', 'u', 'n', 'k', 0, 1, 2});
  CollDirectoryEntries directory;
  EXPECT_EQ(ScanFile(image, directory), ScanEnd::NotColl);
  EXPECT_EQ(image.size(), records + 7);
  Coll coll;
  ReadColl(image, directory[0], coll);
  ASSERT_TRUE(WriteColl(image, directory, 0, coll));
  EXPECT_EQ(image.size(), records);
}

TEST(WriteColl, KeepsIdBytesThatHoldTheEndOfALongName) {
  // 22 characters: the game reads the last two from the Id bytes.
  const std::array<char, 20> name{'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j',
                                  'k', 'l', 'm', 'n', 'o', 'p', 'q', 'r', 's', 't'};
  Coll longName = CollBuilder("").RawName(name).Id({'u', 'v', 0, 0}).Build();
  Bytes image = EncodeFile({longName, RichColl("short")});
  CollDirectoryEntries directory;
  ScanFile(image, directory);
  EXPECT_EQ(directory[0].Name, "abcdefghijklmnopqrst");

  Coll coll;
  ReadColl(image, directory[0], coll);
  ASSERT_TRUE(WriteColl(image, directory, 0, coll));
  EXPECT_EQ(std::memcmp(image.data() + 28, "uv\0\0", 4), 0);

  ReadColl(image, directory[1], coll);
  ASSERT_TRUE(WriteColl(image, directory, 1, coll));
  EXPECT_EQ(std::memcmp(image.data() + directory[1].Offset + 28, "QKZV", 4), 0);
}

TEST(WriteColl, KeepsTextAfterAnEmbeddedNul) {
  const std::array<char, 20> name{'w', 'a', 'l', 'l', '\0', 'o', 'l', 'd'};
  Bytes image = EncodeFile({CollBuilder("").RawName(name).Build()});
  CollDirectoryEntries directory;
  ScanFile(image, directory);
  EXPECT_EQ(directory[0].Name, "wall");
  Coll coll;
  ReadColl(image, directory[0], coll);
  ASSERT_TRUE(WriteColl(image, directory, 0, coll));
  EXPECT_EQ(std::memcmp(image.data() + 8, name.data(), 20), 0);
}

TEST(WriteColl, EarlierCollBeforeATruncatedLastRecordStaysInBounds) {
  Bytes image = EncodeFile({RichColl("a"), RichColl("b")});
  image.resize(image.size() - 30);  // the last record runs past the end now
  CollDirectoryEntries directory;
  ASSERT_EQ(ScanFile(image, directory), ScanEnd::EndOfData);
  Coll coll;
  ASSERT_EQ(ReadColl(image, directory[1], coll), ReadResult::Damaged);
  ReadColl(image, directory[0], coll);
  coll.Spheres.push_back({1, {}, MakeSurface(0)});
  const std::size_t size = image.size();
  ASSERT_TRUE(WriteColl(image, directory, 0, coll));
  EXPECT_EQ(image.size(), size + 20);
  EXPECT_EQ(std::memcmp(image.data() + directory[1].Offset, "COLL", 4), 0);
}

TEST(WriteColl, UnchangedSizeRewritesOnlyTheRecord) {
  Bytes image = EncodeFile({RichColl("a"), RichColl("b"), RichColl("c")});
  CollDirectoryEntries directory;
  ScanFile(image, directory);
  const auto* data = image.data();
  Coll coll;
  ReadColl(image, directory[1], coll);
  coll.Spheres[0].Radius = 9;
  ASSERT_TRUE(WriteColl(image, directory, 1, coll));
  EXPECT_EQ(image.data(), data);
  Coll again;
  ReadColl(image, directory[1], again);
  EXPECT_EQ(again.Spheres[0].Radius, 9);
}

}  // namespace
}  // namespace vantorel
