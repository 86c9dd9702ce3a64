#include "core/coll_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

#include "core/little_endian.h"
#include "tests/support/rich_coll.h"
#include "tools/colgen/coll_builder.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::EncodeFile;
using colgen::MakeSurface;
using testing::RichColl;

Bytes Record(const Coll& coll) {
  Bytes bytes(RecordLength(coll));
  EncodeColl(coll, bytes.data());
  return bytes;
}

Bytes Slice(const Bytes& bytes, std::size_t from, std::size_t length) {
  return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from),
               bytes.begin() + static_cast<std::ptrdiff_t>(from + length));
}

CollFile Loaded(Bytes image) {
  CollFile file;
  file.Load(std::move(image));
  return file;
}

Coll Read(const CollFile& file, std::size_t index) {
  Coll coll;
  EXPECT_EQ(ReadColl(file.Image(), file.Entry(index), coll), ReadResult::Ok);
  return coll;
}

// The directory always equals what a new scan of the image finds.
void ExpectConsistent(const CollFile& file) {
  CollDirectoryEntries rescanned;
  ScanFile(file.Image(), rescanned);
  ASSERT_EQ(rescanned.size(), file.Count());
  for (std::size_t i = 0; i < rescanned.size(); ++i) {
    EXPECT_EQ(rescanned[i].Name, file.Entry(i).Name) << i;
    EXPECT_EQ(rescanned[i].Offset, file.Entry(i).Offset) << i;
    EXPECT_EQ(rescanned[i].Size, file.Entry(i).Size) << i;
  }
}

TEST(WriteColl, EmptyCollIsExactly92BytesWithMarkerAndSize) {
  CollFile file = Loaded(EncodeFile({RichColl("a")}));
  Coll coll = Read(file, 0);
  coll.Spheres.clear();
  coll.Boxes.clear();
  coll.Vertices.clear();
  coll.Faces.clear();
  ASSERT_EQ(WriteColl(file, 0, coll), WriteResult::Ok);
  const Bytes& image = file.Image();
  ASSERT_EQ(image.size(), 92u);
  EXPECT_EQ(std::memcmp(image.data() + 28, "QKZV", 4), 0);
  EXPECT_EQ(le::LoadU32(image.data() + 4), 84u);
  for (std::size_t at = 72; at < 92; at += 4)
    EXPECT_EQ(le::LoadI32(image.data() + at), 0);
  EXPECT_EQ(file.Entry(0).Size, 92);
}

TEST(WriteColl, GrowingAMiddleCollMovesLaterRecords) {
  CollFile file = Loaded(EncodeFile({RichColl("a"), RichColl("b"), RichColl("c"), RichColl("d")}));
  const Bytes before = file.Image();
  const CollDirectoryEntries old = file.Directory();
  Coll coll = Read(file, 1);
  coll.Spheres.push_back({2, {5, 5, 5}, MakeSurface(1)});
  SetHeaderName(coll.Header, "bigger");
  ASSERT_EQ(WriteColl(file, 1, coll), WriteResult::Ok);

  const Bytes& image = file.Image();
  EXPECT_EQ(image.size(), before.size() + 20);
  const auto firstOffset = static_cast<std::size_t>(old[1].Offset);
  EXPECT_EQ(Slice(image, 0, firstOffset), Slice(before, 0, firstOffset));
  EXPECT_EQ(file.Entry(1).Name, "bigger");
  EXPECT_EQ(file.Entry(1).Size, old[1].Size + 20);
  for (std::size_t i = 2; i < 4; ++i) {
    EXPECT_EQ(file.Entry(i).Offset, old[i].Offset + 20);
    EXPECT_EQ(Slice(image, static_cast<std::size_t>(file.Entry(i).Offset),
                    static_cast<std::size_t>(old[i].Size)),
              Slice(before, static_cast<std::size_t>(old[i].Offset),
                    static_cast<std::size_t>(old[i].Size)));
  }
  ExpectConsistent(file);
}

TEST(WriteColl, ShrinkingTheFirstCollMovesEverythingDown) {
  CollFile file = Loaded(EncodeFile({RichColl("a"), RichColl("b")}));
  Coll coll = Read(file, 0);
  coll.Faces.resize(2);
  ASSERT_EQ(WriteColl(file, 0, coll), WriteResult::Ok);
  ExpectConsistent(file);
  EXPECT_EQ(Record(Read(file, 1)), Record(RichColl("b")));
}

TEST(WriteColl, TrailingGarbageStaysUntilTheFirstWriteBack) {
  Bytes image = EncodeFile({RichColl("a"), RichColl("b")});
  const std::size_t records = image.size();
  image.insert(image.end(), {'j', 'u', 'n', 'k', 0, 1, 2});
  CollFile file;
  EXPECT_EQ(file.Load(image), ScanEnd::NotColl);
  EXPECT_EQ(file.Image().size(), records + 7);
  EXPECT_EQ(file.CoveredEnd(), records);
  Coll coll = Read(file, 0);
  ASSERT_EQ(WriteColl(file, 0, coll), WriteResult::Ok);
  EXPECT_EQ(file.Image().size(), records);
}

TEST(WriteColl, KeepsIdBytesThatHoldTheEndOfALongName) {
  // 22 characters: the game reads the last two from the Id bytes.
  const std::array<char, 20> name{'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j',
                                  'k', 'l', 'm', 'n', 'o', 'p', 'q', 'r', 's', 't'};
  Coll longName = CollBuilder("").RawName(name).Id({'u', 'v', 0, 0}).Build();
  CollFile file = Loaded(EncodeFile({longName, RichColl("short")}));
  EXPECT_EQ(file.Entry(0).Name, "abcdefghijklmnopqrst");

  Coll coll = Read(file, 0);
  ASSERT_EQ(WriteColl(file, 0, coll), WriteResult::Ok);
  EXPECT_EQ(std::memcmp(file.Image().data() + 28, "uv\0\0", 4), 0);

  coll = Read(file, 1);
  ASSERT_EQ(WriteColl(file, 1, coll), WriteResult::Ok);
  EXPECT_EQ(std::memcmp(file.Image().data() + file.Entry(1).Offset + 28, "QKZV", 4), 0);
}

TEST(WriteColl, KeepsTextAfterAnEmbeddedNul) {
  const std::array<char, 20> name{'w', 'a', 'l', 'l', '\0', 'o', 'l', 'd'};
  CollFile file = Loaded(EncodeFile({CollBuilder("").RawName(name).Build()}));
  EXPECT_EQ(file.Entry(0).Name, "wall");
  Coll coll = Read(file, 0);
  ASSERT_EQ(WriteColl(file, 0, coll), WriteResult::Ok);
  EXPECT_EQ(std::memcmp(file.Image().data() + 8, name.data(), 20), 0);
}

TEST(WriteColl, EarlierCollBeforeATruncatedLastRecordStaysInBounds) {
  Bytes image = EncodeFile({RichColl("a"), RichColl("b")});
  image.resize(image.size() - 30);  // the last record runs past the end now
  CollFile file;
  ASSERT_EQ(file.Load(image), ScanEnd::EndOfData);
  EXPECT_FALSE(file.IsComplete(1));
  EXPECT_TRUE(file.IsComplete(0));
  Coll coll;
  ASSERT_EQ(ReadColl(file.Image(), file.Entry(1), coll), ReadResult::Damaged);
  coll = Read(file, 0);
  coll.Spheres.push_back({1, {}, MakeSurface(0)});
  ASSERT_EQ(WriteColl(file, 0, coll), WriteResult::Ok);
  EXPECT_EQ(file.Image().size(), image.size() + 20);
  EXPECT_EQ(std::memcmp(file.Image().data() + file.Entry(1).Offset, "COLL", 4), 0);
  EXPECT_EQ(file.RecordBytes(1).size(), static_cast<std::size_t>(file.Entry(1).Size) - 30);
}

TEST(CollFile, NothingIsAppendedAfterATruncatedLastRecordUntilItIsWrittenWhole) {
  Bytes image = EncodeFile({RichColl("a"), RichColl("b")});
  image.resize(image.size() - 20);
  CollFile file = Loaded(image);
  ASSERT_TRUE(file.LastRecordCutShort());
  EXPECT_THROW(file.AppendRecords(Record(RichColl("c"))), std::logic_error);
  EXPECT_TRUE(file.Image() == image);
  EXPECT_EQ(file.Count(), 2u);

  // Written back whole, the record no longer claims the bytes after it.
  Coll whole = RichColl("b");
  ASSERT_EQ(WriteColl(file, 1, whole), WriteResult::Ok);
  EXPECT_FALSE(file.LastRecordCutShort());
  file.AppendRecords(Record(RichColl("c")));
  ExpectConsistent(file);
  EXPECT_EQ(file.Entry(2).Name, "c");
}

TEST(WriteColl, UnchangedSizeRewritesOnlyTheRecord) {
  CollFile file = Loaded(EncodeFile({RichColl("a"), RichColl("b"), RichColl("c")}));
  const auto* data = file.Image().data();
  Coll coll = Read(file, 1);
  coll.Spheres[0].Radius = 9;
  ASSERT_EQ(WriteColl(file, 1, coll), WriteResult::Ok);
  EXPECT_EQ(file.Image().data(), data);
  EXPECT_EQ(Read(file, 1).Spheres[0].Radius, 9);
}

TEST(WriteColl, RefusesARecordThatIsNotThere) {
  CollFile file = Loaded(EncodeFile({RichColl("a")}));
  const Bytes before = file.Image();
  Coll coll = Read(file, 0);
  EXPECT_EQ(WriteColl(file, 1, coll), WriteResult::NoSuchRecord);
  EXPECT_TRUE(file.Image() == before);
}

TEST(CollFile, AppendRemoveAndReplaceKeepTheDirectoryInStep) {
  CollFile file = Loaded(EncodeFile({RichColl("a"), RichColl("b"), RichColl("c")}));
  const std::size_t former = file.Image().size();
  file.AppendRecords(Record(RichColl("d")));
  ASSERT_EQ(file.Count(), 4u);
  EXPECT_EQ(file.Entry(3).Offset, static_cast<std::int64_t>(former));
  EXPECT_EQ(file.Entry(3).Name, "d");

  const CollDirectoryEntries before = file.Directory();
  file.RemoveRecords(1, 1);
  ASSERT_EQ(file.Count(), 3u);
  EXPECT_EQ(file.Entry(1).Name, "c");
  EXPECT_EQ(file.Entry(1).Offset, before[2].Offset - before[1].Size);
  EXPECT_EQ(file.Entry(2).Offset, before[3].Offset - before[1].Size);
  ExpectConsistent(file);

  // Two records in place of one, taken from the image itself.
  Bytes two = Record(RichColl("x"));
  const auto first = file.RecordBytes(0);
  two.insert(two.end(), first.begin(), first.end());
  file.ReplaceRecords(1, 1, two);
  ASSERT_EQ(file.Count(), 4u);
  EXPECT_EQ(file.Entry(1).Name, "x");
  EXPECT_EQ(file.Entry(2).Name, "a");
  EXPECT_EQ(file.Entry(3).Name, "d");
  ExpectConsistent(file);

  // A record of the file appended to the same file.
  file.AppendRecords(file.RecordBytes(0));
  EXPECT_EQ(file.Entry(4).Name, "a");
  ExpectConsistent(file);
}

TEST(CollFile, AnAppendReplacesBytesThatAreNotRecords) {
  Bytes image = EncodeFile({RichColl("a")});
  const std::size_t records = image.size();
  image.insert(image.end(), {'j', 'u', 'n', 'k'});
  CollFile file = Loaded(image);
  file.AppendRecords(Record(RichColl("b")));
  ASSERT_EQ(file.Count(), 2u);
  EXPECT_EQ(file.Entry(1).Offset, static_cast<std::int64_t>(records));
  EXPECT_EQ(file.Image().size(), file.CoveredEnd());
  ExpectConsistent(file);
}

TEST(CollFile, RefusesBytesThatAreNotWholeRecordsAndChangesNothing) {
  CollFile file = Loaded(EncodeFile({RichColl("a"), RichColl("b")}));
  const Bytes before = file.Image();
  Bytes cut = Record(RichColl("c"));
  cut.resize(cut.size() - 1);
  EXPECT_THROW(file.AppendRecords(cut), std::invalid_argument);
  Bytes junk = Record(RichColl("c"));
  junk.push_back('x');
  EXPECT_THROW(file.ReplaceRecords(0, 1, junk), std::invalid_argument);
  EXPECT_THROW(file.ReplaceRecords(1, 2, Record(RichColl("c"))), std::out_of_range);
  EXPECT_TRUE(file.Image() == before);
  EXPECT_EQ(file.Count(), 2u);
}

TEST(CollFile, RecordedSplicesTakeEveryChangeBackAndMakeItAgain) {
  Bytes image = EncodeFile({RichColl("a"), RichColl("b"), RichColl("c")});
  image.insert(image.end(), {'t', 'a', 'i', 'l'});
  CollFile file = Loaded(image);
  const CollDirectoryEntries directory = file.Directory();
  file.SetRecording(true);

  Coll coll = Read(file, 1);
  coll.Faces.pop_back();
  ASSERT_EQ(WriteColl(file, 1, coll), WriteResult::Ok);  // drops the tail and replaces b
  file.AppendRecords(Record(RichColl("d")));
  file.RemoveRecords(0, 1);
  const Bytes after = file.Image();
  const std::vector<FileSplice> splices = file.TakeRecorded();
  ASSERT_EQ(splices.size(), 4u);
  EXPECT_TRUE(file.TakeRecorded().empty());

  for (auto splice = splices.rbegin(); splice != splices.rend(); ++splice)
    file.Revert(*splice);
  EXPECT_TRUE(file.Image() == image);
  ASSERT_EQ(file.Count(), directory.size());
  for (std::size_t i = 0; i < directory.size(); ++i)
    EXPECT_EQ(file.Entry(i).Offset, directory[i].Offset);

  for (const FileSplice& splice : splices)
    file.Redo(splice);
  EXPECT_TRUE(file.Image() == after);
  ExpectConsistent(file);
}

TEST(CollFile, ASpliceHoldsOnlyTheBytesItChanged) {
  CollFile file = Loaded(EncodeFile({RichColl("a"), RichColl("b"), RichColl("c")}));
  file.SetRecording(true);
  file.RemoveRecords(1, 1);
  const std::vector<FileSplice> splices = file.TakeRecorded();
  ASSERT_EQ(splices.size(), 1u);
  EXPECT_EQ(splices[0].Removed.size(), RecordLength(RichColl("b")));
  EXPECT_TRUE(splices[0].Inserted.empty());
  ASSERT_EQ(splices[0].RemovedEntries.size(), 1u);
  EXPECT_EQ(splices[0].RemovedEntries[0].Name, "b");
}

TEST(CollFile, ASpliceKeepsOutWhatStaysTheSame) {
  CollFile file = Loaded(EncodeFile({RichColl("a"), RichColl("b"), RichColl("c")}));
  const Bytes opened = file.Image();
  file.SetRecording(true);
  Coll coll = Read(file, 1);
  ASSERT_EQ(WriteColl(file, 1, coll), WriteResult::Ok);  // the editor's Id: bytes 28 to 31
  const std::vector<FileSplice> stamp = file.TakeRecorded();
  ASSERT_EQ(stamp.size(), 1u);
  EXPECT_EQ(stamp[0].Inserted.size(), 4u);
  coll.Spheres[0].Radius = 9;  // four bytes of the record change, and nothing moves
  ASSERT_EQ(WriteColl(file, 1, coll), WriteResult::Ok);
  std::vector<FileSplice> splices = file.TakeRecorded();
  ASSERT_EQ(splices.size(), 1u);
  EXPECT_LE(splices[0].Removed.size(), 4u);
  EXPECT_EQ(splices[0].Inserted.size(), splices[0].Removed.size());
  EXPECT_TRUE(splices[0].RemovedEntries.empty());
  EXPECT_TRUE(splices[0].InsertedEntries.empty());

  // A record that grows keeps its entry in the splice, the unchanged neighbours stay out.
  coll.Spheres.push_back({1, {}, MakeSurface(0)});
  ASSERT_EQ(WriteColl(file, 1, coll), WriteResult::Ok);
  std::vector<FileSplice> grown = file.TakeRecorded();
  ASSERT_EQ(grown.size(), 1u);
  EXPECT_LT(grown[0].Inserted.size(), RecordLength(coll) / 2);
  ASSERT_EQ(grown[0].InsertedEntries.size(), 1u);
  EXPECT_EQ(grown[0].InsertedEntries[0].Name, "b");
  ExpectConsistent(file);

  file.Revert(grown[0]);
  file.Revert(splices[0]);
  file.Revert(stamp[0]);
  EXPECT_TRUE(file.Image() == opened);
  ExpectConsistent(file);
}

}  // namespace
}  // namespace vantorel
