#include "ops/coll_file_scan.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "core/coll_codec.h"
#include "core/file_io.h"
#include "core/little_endian.h"
#include "core/record_layout.h"
#include "tests/support/test_files.h"
#include "tools/colgen/coll_builder.h"
#include "tools/colgen/sa_colls.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::EncodeFile;
using colgen::MakeSurface;

Coll Spheres(const char* name, int count) {
  CollBuilder b(name);
  for (int i = 0; i < count; ++i)
    b.Sphere({0, 0, static_cast<float>(i)}, 1, MakeSurface(2));
  return b.Build();
}

// Three colls of 112, 92 and 132 bytes.
Bytes ThreeColls() {
  return EncodeFile({Spheres("first", 1), Spheres("second", 0), Spheres("third", 2)});
}

void SetSizeField(Bytes& bytes, std::size_t recordOffset, std::uint32_t size) {
  le::StoreU32(bytes.data() + recordOffset + 4, size);
}

TEST(ScanCollFile, ListsEveryRecordOfASoundFile) {
  const Bytes bytes = ThreeColls();
  std::vector<std::size_t> positions;
  const CollFileScan scan =
      ScanCollFile(bytes, [&](std::size_t position) { positions.push_back(position); });
  ASSERT_TRUE(scan.Ok()) << scan.Message;
  ASSERT_EQ(scan.Entries.size(), 3u);
  EXPECT_EQ(scan.Entries[0].Name, "first");
  EXPECT_EQ(scan.Entries[0].Offset, 0);
  EXPECT_EQ(scan.Entries[0].Size, 112);
  EXPECT_EQ(scan.Entries[1].Name, "second");
  EXPECT_EQ(scan.Entries[1].Offset, 112);
  EXPECT_EQ(scan.Entries[1].Size, 92);
  EXPECT_EQ(scan.Entries[2].Offset, 204);
  EXPECT_EQ(scan.Entries[2].Size, 132);
  EXPECT_EQ(positions, (std::vector<std::size_t>{112, 204, 336}));
}

TEST(ScanCollFile, AnEmptyFileHasNoCollsAndNoMessage) {
  const CollFileScan scan = ScanCollFile({});
  EXPECT_TRUE(scan.Ok());
  EXPECT_TRUE(scan.Entries.empty());
}

TEST(ScanCollFile, ReadsANameOfAllTwentyBytes) {
  std::array<char, 20> raw;
  std::memcpy(raw.data(), "abcdefghijklmnopqrst", 20);
  const Bytes bytes = EncodeFile({CollBuilder("").RawName(raw).Build()});
  const CollFileScan scan = ScanCollFile(bytes);
  ASSERT_TRUE(scan.Ok());
  EXPECT_EQ(scan.Entries[0].Name, "abcdefghijklmnopqrst");
}

TEST(ScanCollFile, OneBadRecordMakesTheWholeFileUnusable) {
  Bytes bytes = ThreeColls();
  std::memcpy(bytes.data() + 112, "coll", 4);  // the marker is case-sensitive
  const CollFileScan scan = ScanCollFile(bytes);
  EXPECT_EQ(scan.Message, kNoCollisionDataText);
  EXPECT_TRUE(scan.Entries.empty());

  const Bytes text(72, 'x');
  EXPECT_EQ(ScanCollFile(text).Message, kNoCollisionDataText);
}

TEST(ScanCollFile, AHeaderCutShortIsAReadError) {
  Bytes bytes = ThreeColls();
  bytes.resize(336 + 40);  // a fourth record with only 40 bytes of its header
  std::memcpy(bytes.data() + 336, "COLL", 4);
  CollFileScan scan = ScanCollFile(bytes);
  EXPECT_EQ(scan.Message, kReadErrorText);
  EXPECT_TRUE(scan.Entries.empty());

  // Fewer than 72 bytes of anything at a record boundary cannot be read as a header either.
  bytes.resize(336 + 3);
  EXPECT_EQ(ScanCollFile(bytes).Message, kReadErrorText);
  EXPECT_EQ(ScanCollFile(Bytes(71, 0)).Message, kReadErrorText);
}

TEST(ScanCollFile, ARecordRunningPastTheEndIsRefused) {
  Bytes bytes = ThreeColls();
  bytes.resize(bytes.size() - 1);
  CollFileScan scan = ScanCollFile(bytes);
  EXPECT_EQ(scan.Message, kReadErrorText);
  EXPECT_TRUE(scan.Entries.empty());

  bytes = ThreeColls();
  SetSizeField(bytes, 112, 0xFFFFFFFFu);  // no overflow of the position
  EXPECT_EQ(ScanCollFile(bytes).Message, kReadErrorText);
}

TEST(ScanCollFile, ARecordShorterThanItsHeaderIsRefused) {
  Bytes bytes = ThreeColls();
  SetSizeField(bytes, 0, 0);  // would put the next record inside this header
  EXPECT_EQ(ScanCollFile(bytes).Message, kReadErrorText);
  SetSizeField(bytes, 0, 63);
  EXPECT_EQ(ScanCollFile(bytes).Message, kReadErrorText);
}

TEST(ScanCollFile, HostileBytesNeverGiveAnEntryBeyondTheFile) {
  std::mt19937 random(1234);
  const Bytes sounds[] = {ThreeColls(), EncodeFile(colgen::MixedKindColls())};
  for (int round = 0; round < 4000; ++round) {
    Bytes bytes = sounds[round % 2];
    // Damage a few bytes, mostly in the headers' marker and Size fields.
    for (int k = 0; k < 3; ++k) {
      const std::size_t at = random() % bytes.size();
      bytes[at] = static_cast<std::uint8_t>(random());
    }
    bytes.resize(random() % (bytes.size() + 1));
    const CollFileScan scan = ScanCollFile(bytes);
    if (!scan.Ok()) {
      EXPECT_TRUE(scan.Entries.empty());
      continue;
    }
    std::int64_t next = 0;
    for (const CollDirectoryEntry& entry : scan.Entries) {
      EXPECT_EQ(entry.Offset, next);
      const RecordLayout* layout = LayoutOfVersion(entry.Version);
      ASSERT_NE(layout, nullptr);
      EXPECT_GE(entry.Size, static_cast<std::int64_t>(layout->HeaderBytes));
      next = entry.Offset + entry.Size;
    }
    EXPECT_EQ(next, static_cast<std::int64_t>(bytes.size()));
  }
}

TEST(ScanCollFile, AgreesWithTheOpenFileScanOnTheRealFiles) {
  for (const char* name : {"generic.col", "vehicles_vc.col"}) {
    const auto path = testing::RealFile(name);
    if (!std::filesystem::exists(path)) GTEST_SKIP() << "real game file not present: " << path;
    Bytes bytes;
    ASSERT_FALSE(ReadWholeFile(path.string(), bytes));
    CollDirectoryEntries directory;
    ASSERT_EQ(ScanFile(bytes, directory), ScanEnd::EndOfData);
    const CollFileScan scan = ScanCollFile(bytes);
    ASSERT_TRUE(scan.Ok()) << name << ": " << scan.Message;
    ASSERT_EQ(scan.Entries.size(), directory.size()) << name;
    for (std::size_t i = 0; i < directory.size(); ++i) {
      EXPECT_EQ(scan.Entries[i].Name, directory[i].Name);
      EXPECT_EQ(scan.Entries[i].Offset, directory[i].Offset);
      EXPECT_EQ(scan.Entries[i].Size, directory[i].Size);
    }
  }
}

TEST(TakeStoredRecord, GivesTheWholeRecordOfAnEntry) {
  const Bytes bytes = ThreeColls();
  const StoredRecord record = TakeStoredRecord(bytes, {"second", 112, 92});
  ASSERT_TRUE(record.Ok());
  EXPECT_EQ(record.Bytes.data(), bytes.data() + 112);
  EXPECT_EQ(record.Bytes.size(), 92u);
}

TEST(TakeStoredRecord, RefusesATruncatedLastRecordTheOpenScanListed) {
  Bytes bytes = ThreeColls();
  bytes.resize(bytes.size() - 20);
  CollDirectoryEntries directory;
  ScanFile(bytes, directory);  // the open file lists a record running past its end
  ASSERT_EQ(directory.size(), 3u);
  const StoredRecord record = TakeStoredRecord(bytes, directory[2]);
  EXPECT_EQ(record.Message, kReadErrorText);
  EXPECT_TRUE(record.Bytes.empty());
  EXPECT_TRUE(TakeStoredRecord(bytes, directory[1]).Ok());
}

TEST(TakeStoredRecord, RefusesEntriesThatDoNotPointAtAWholeRecord) {
  const Bytes bytes = ThreeColls();
  EXPECT_EQ(TakeStoredRecord(bytes, {"x", 336, 92}).Message, kReadErrorText);   // at the end
  EXPECT_EQ(TakeStoredRecord(bytes, {"x", 300, 92}).Message, kReadErrorText);   // header cut
  EXPECT_EQ(TakeStoredRecord(bytes, {"x", -4, 92}).Message, kReadErrorText);    // before it
  EXPECT_EQ(TakeStoredRecord(bytes, {"x", 1000, 92}).Message, kReadErrorText);  // after it
  EXPECT_EQ(TakeStoredRecord(bytes, {"x", 0, 92}).Message, kReadErrorText);     // Size differs
  EXPECT_EQ(TakeStoredRecord(bytes, {"x", 0, -1}).Message, kReadErrorText);
  EXPECT_EQ(TakeStoredRecord(bytes, {"x", 4, 112}).Message, kNoCollisionDataText);
}

}  // namespace
}  // namespace vantorel

namespace vantorel {
namespace {

TEST(ScanCollFile, TakesSanAndreasRecordsAndMeasuresTheirHeadersByKind) {
  const std::vector<Coll> colls = colgen::MixedKindColls();
  const Bytes sound = colgen::EncodeFile(colls);
  const CollFileScan scan = ScanCollFile(sound);
  ASSERT_TRUE(scan.Ok()) << scan.Message;
  ASSERT_EQ(scan.Entries.size(), colls.size());
  for (std::size_t i = 0; i < colls.size(); ++i) {
    EXPECT_EQ(scan.Entries[i].Name, HeaderName(colls[i].Header));
    EXPECT_EQ(scan.Entries[i].Version, colls[i].Version());
    const StoredRecord stored = TakeStoredRecord(sound, scan.Entries[i]);
    ASSERT_TRUE(stored.Ok());
    EXPECT_EQ(stored.Bytes.size(), static_cast<std::size_t>(scan.Entries[i].Size));
  }

  // A "COL3" record alone: its header is 120 bytes, longer than the 72 of "COLL".
  const Bytes col3 = colgen::EncodeFile({colgen::SaColl("three", 3)});
  struct Case {
    const char* what;
    std::size_t keep;         // bytes of col3 left
    std::uint32_t sizeField;  // 0 keeps the sound one
    std::string_view message;
  };
  const Case cases[] = {
      {"header cut after 100 bytes", 100, 0, kReadErrorText},
      {"Size ends inside the header", col3.size(), 100 - 8, kReadErrorText},
      {"sound", col3.size(), 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes bytes(col3.begin(), col3.begin() + static_cast<std::ptrdiff_t>(c.keep));
    if (c.sizeField != 0) SetSizeField(bytes, 0, c.sizeField);
    const CollFileScan damaged = ScanCollFile(bytes);
    EXPECT_EQ(damaged.Message, c.message);
    EXPECT_EQ(damaged.Entries.size(), c.message.empty() ? 1u : 0u);
    const CollDirectoryEntry entry{"three", 0, static_cast<std::int64_t>(c.keep), 3};
    EXPECT_EQ(TakeStoredRecord(bytes, entry).Message, c.message);
  }
}

}  // namespace
}  // namespace vantorel
