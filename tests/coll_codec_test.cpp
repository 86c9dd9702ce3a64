#include "core/coll_codec.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/little_endian.h"
#include "tests/support/rich_coll.h"
#include "tools/colgen/coll_builder.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::EncodeFile;
using colgen::MakeSurface;
using testing::RichColl;

bool SameColl(const Coll& a, const Coll& b) {
  Bytes x(RecordLength(a));
  Bytes y(RecordLength(b));
  EncodeColl(a, x.data());
  EncodeColl(b, y.data());
  return x == y;
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

// A Size that ends the record inside its own header leaves no room for any count; reading on
// from the header's end would read past the record, and here past the image.
TEST(ReadColl, RefusesASizeThatEndsInsideTheHeader) {
  Bytes image = EncodeFile({RichColl("a")});
  image.resize(kHeaderBytes);
  le::StoreU32(image.data() + 4, 0);
  Coll coll;
  EXPECT_EQ(ReadColl(image, {"a", 0, static_cast<std::int64_t>(kHeaderBytes)}, coll),
            ReadResult::Damaged);
  EXPECT_FALSE(coll.IsLoaded());
}

TEST(ReadColl, IgnoresTheUnusedCountAndEncodesItAsZero) {
  Bytes image = EncodeFile({RichColl("a")});
  const std::size_t unusedAt = 72 + 4 + 20;
  le::StoreI32(image.data() + unusedAt, 77);
  CollDirectoryEntries directory;
  ScanFile(image, directory);
  Coll coll;
  ASSERT_EQ(ReadColl(image, directory[0], coll), ReadResult::Ok);
  Bytes encoded(RecordLength(coll));
  EncodeColl(coll, encoded.data());
  EXPECT_EQ(le::LoadI32(encoded.data() + unusedAt), 0);
}

TEST(EncodeColl, CountsAndLengthMustFitTheirFields) {
  EXPECT_TRUE(FitsRecordFields(RichColl("a")));
  // The Size field holds the length less 8, 84 + 16 a face at most 4294967295.
  const std::size_t mostFaces = (std::size_t{UINT32_MAX} - 84) / 16;
  EXPECT_TRUE(RecordFieldsFit(0, 0, 0, mostFaces));
  EXPECT_FALSE(RecordFieldsFit(0, 0, 0, mostFaces + 1));
  EXPECT_FALSE(RecordFieldsFit(std::size_t{INT32_MAX} + 1, 0, 0, 0));  // a negative count
  EXPECT_FALSE(RecordFieldsFit(0, 0, SIZE_MAX, 0));  // no wrap-around to a small length
  EXPECT_TRUE(RecordFieldsFit(1000, 1000, 1000, 1000));
}

}  // namespace
}  // namespace vantorel
