#include "ops/make_lod.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "core/coll_codec.h"
#include "core/coll_directory.h"
#include "tools/colgen/coll_builder.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;

NameField Raw(const char (&text)[21]) {
  NameField field;
  std::memcpy(field.data(), text, 20);
  return field;
}

NameField Padded(const char* name) {
  NameField field{};
  std::memcpy(field.data(), name, std::strlen(name));
  return field;
}

std::string NameOf(const NameField& field) {
  return std::string(field.data(), strnlen(field.data(), field.size()));
}

TEST(LodName, ReplacesTheFirstThreeCharacters) {
  EXPECT_EQ(NameOf(LodNameField(Padded("house01"))), "LODse01");
  EXPECT_EQ(NameOf(LodNameField(Padded("building"))), "LODlding");
  EXPECT_EQ(NameOf(LodNameField(Padded("abc"))), "LOD");
  EXPECT_EQ(NameOf(LodNameField(Padded("ab"))), "LOD");
  EXPECT_EQ(NameOf(LodNameField(Padded(""))), "LOD");
}

TEST(LodName, KeepsTheBytesBehindTheName) {
  EXPECT_EQ(LodNameField(Raw("house01\0hidden_bytes")), Raw("LODse01\0hidden_bytes"));
  // A name shorter than the prefix gets a terminator after it, so hidden bytes stay hidden.
  EXPECT_EQ(NameOf(LodNameField(Raw("ab\0hidden_bytes_here"))), "LOD");
  EXPECT_EQ(NameOf(LodNameField(Raw("\0abcdefghijklmnopqrs"))), "LOD");
}

TEST(LodHeader, TakesBoundsAndMarkerAndTheLodName) {
  CollBuilder b("house01");
  b.Id({9, 9, 9, 9}).MeshBox({-1, -2, 0}, {3, 4, 5}, MakeSurface(1));
  const Coll source = b.Build();
  const CollHeader lod = LodHeader(source.Header);
  EXPECT_EQ(lod.FourCC, kCollFourCC);
  EXPECT_EQ(lod.Size, 84u);
  EXPECT_EQ(HeaderName(lod), "LODse01");
  EXPECT_EQ(lod.Id, kEditorId);
  EXPECT_EQ(lod.BoundingRadius, source.Header.BoundingRadius);
  EXPECT_EQ(lod.BoundingCenter.Z, source.Header.BoundingCenter.Z);
  EXPECT_EQ(lod.BoundingMin.Y, -2.0f);
  EXPECT_EQ(lod.BoundingMax.Z, 5.0f);
}

TEST(LodHeader, ATwentyCharacterNameLeavesTheIdZero) {
  CollHeader source = CollBuilder("").Build().Header;
  source.Name = Raw("abcdefghijklmnopqrst");
  const CollHeader lod = LodHeader(source);
  EXPECT_EQ(HeaderName(lod), "LODdefghijklmnopqrst");
  EXPECT_EQ(lod.Id, (std::array<std::uint8_t, 4>{0, 0, 0, 0}));
}

TEST(LodRecord, IsAnEmptyCollOfNinetyTwoBytes) {
  CollBuilder b("house01");
  b.Sphere({0, 0, 0}, 2, MakeSurface(3));
  const Coll source = b.Build();
  const std::optional<Bytes> record = LodRecord(source.Header);
  ASSERT_TRUE(record);
  ASSERT_EQ(record->size(), 92u);
  EXPECT_TRUE(std::all_of(record->begin() + 72, record->end(), [](auto x) { return x == 0; }));
  EXPECT_EQ(std::memcmp(record->data() + 28, "QKZV", 4), 0);

  // Appended to a file, it lists and reads as the LOD coll.
  Bytes image = colgen::EncodeFile({source});
  image.insert(image.end(), record->begin(), record->end());
  CollDirectoryEntries directory;
  ASSERT_EQ(ScanFile(image, directory), ScanEnd::EndOfData);
  ASSERT_EQ(directory.size(), 2u);
  EXPECT_EQ(CollListLine(directory[1]), "LODse01 [-]");
  Coll read;
  ASSERT_EQ(ReadColl(image, directory[1], read), ReadResult::Ok);
  EXPECT_EQ(read.SphereCount(), 0);
  EXPECT_EQ(read.Header.BoundingRadius, source.Header.BoundingRadius);
}

TEST(LodRecord, RefusesAHeaderThatIsNoColl) {
  EXPECT_FALSE(LodRecord(CollHeader{}));  // a working copy that failed to load
}

}  // namespace
}  // namespace vantorel
