#include "ops/coll_name_field.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/coll_codec.h"
#include "tools/colgen/coll_builder.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;

constexpr std::array<std::uint8_t, 4> kForeignId{0x12, 0x34, 0x56, 0x78};

NameField Raw(const char (&text)[21]) {
  NameField field;
  std::memcpy(field.data(), text, 20);
  return field;
}

TEST(WriteCollName, ClearsAllTwentyBytesBeforeWriting) {
  CollHeader header;
  header.Name = Raw("ab\0hidden_bytes_here");
  header.Id = kForeignId;
  WriteCollName(header, "wall");
  EXPECT_EQ(header.Name, Raw("wall\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0"));
  EXPECT_EQ(header.Id, kForeignId);  // a terminated name leaves the Id alone
}

TEST(WriteCollName, ATwentyCharacterNameZeroesTheIdBytes) {
  CollHeader header;
  header.Id = kForeignId;
  WriteCollName(header, "abcdefghijklmnopqrst");
  EXPECT_EQ(HeaderName(header), "abcdefghijklmnopqrst");
  EXPECT_EQ(header.Id, (std::array<std::uint8_t, 4>{0, 0, 0, 0}));

  header.Id = kEditorId;
  WriteCollName(header, "abcdefghijklmnopqrstuvw");  // cut to the field
  EXPECT_EQ(HeaderName(header), "abcdefghijklmnopqrst");
  EXPECT_EQ(header.Id, (std::array<std::uint8_t, 4>{0, 0, 0, 0}));

  header.Id = kEditorId;
  WriteCollName(header, "abcdefghijklmnopqrs");  // 19 characters keep their terminator
  EXPECT_EQ(header.Id, kEditorId);

  // San Andreas headers end their name in the first two Id bytes and keep the model ID.
  for (const char* fourCC : {"COL2", "COL3", "COL4"}) {
    std::memcpy(header.FourCC.data(), fourCC, 4);
    header.Id = kForeignId;
    WriteCollName(header, "abcdefghijklmnopqrst");
    EXPECT_EQ(header.Id, (std::array<std::uint8_t, 4>{0, 0, 0x56, 0x78})) << fourCC;
  }
}

TEST(RenamedRecordCopy, ChangesOnlyTheNameBytes) {
  CollBuilder b("house01");
  b.Id(kForeignId).Sphere({1, 2, 3}, 4, MakeSurface(5, 6, 7, 8));
  b.MeshBox({0, 0, 0}, {1, 1, 1}, MakeSurface(1));
  Coll coll = b.Build();
  coll.Header.Name = Raw("house01\0garbage_here");
  Bytes record(RecordLength(coll));
  EncodeColl(coll, record.data());

  const std::optional<Bytes> copy = RenamedRecordCopy(record, "house0_");
  ASSERT_TRUE(copy);
  ASSERT_EQ(copy->size(), record.size());
  for (std::size_t i = 0; i < record.size(); ++i) {
    if (i >= 8 && i < 28) continue;
    EXPECT_EQ((*copy)[i], record[i]) << "byte " << i;
  }
  EXPECT_EQ(std::memcmp(copy->data() + 8, "house0_\0\0\0\0\0\0\0\0\0\0\0\0\0", 20), 0);
  EXPECT_EQ(record[15], 0u);  // the stored record itself is untouched
  EXPECT_EQ(record[16], 'g');
}

TEST(RenamedRecordCopy, ATwentyCharacterNameZeroesTheCopysId) {
  const Coll coll = CollBuilder("short").Id(kForeignId).Build();
  Bytes record(RecordLength(coll));
  EncodeColl(coll, record.data());
  const std::optional<Bytes> copy = RenamedRecordCopy(record, "abcdefghijklmnopqrst");
  ASSERT_TRUE(copy);
  EXPECT_EQ(std::memcmp(copy->data() + 8, "abcdefghijklmnopqrst\0\0\0\0", 24), 0);
  // What the copy reads as: the name the editor shows.
  CollDirectoryEntry entry{"", 0, static_cast<std::int64_t>(copy->size())};
  Coll read;
  ASSERT_EQ(ReadColl(*copy, entry, read), ReadResult::Ok);
  EXPECT_EQ(HeaderName(read.Header), "abcdefghijklmnopqrst");
}

TEST(RenamedRecordCopy, RefusesBytesShorterThanAHeader) {
  const Bytes tooShort(71, 0);
  EXPECT_FALSE(RenamedRecordCopy(tooShort, "wall"));
  EXPECT_TRUE(RenamedRecordCopy(Bytes(72, 0), "wall"));
}

}  // namespace
}  // namespace vantorel
