#include "core/coll_records.h"

#include <gtest/gtest.h>

#include "core/coll_directory.h"
#include "tools/colgen/coll_builder.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;

TEST(CollRecords, EmptyCollIs92BytesAndListedWithSuffix) {
  Coll coll = CollBuilder("empty").Build();
  EXPECT_EQ(coll.Header.Size, 84u);
  EXPECT_EQ(RecordLength(coll), 92u);
  EXPECT_EQ(CollListLine(coll.Header), "empty [-]");
  EXPECT_EQ(CollListLine(CollDirectoryEntry{"empty", 0, 92}), "empty [-]");

  coll.Spheres.push_back({1, {}, MakeSurface(0)});
  EXPECT_EQ(CollListLine(coll.Header), "empty [-]");  // until the size is recomputed
  RecalcCollSize(coll);
  EXPECT_EQ(coll.Header.Size, 104u);
  EXPECT_EQ(RecordLength(coll), 112u);
  EXPECT_EQ(CollListLine(coll.Header), "empty");
  EXPECT_EQ(CollListLine(CollDirectoryEntry{"empty", 0, 112}), "empty");
}

TEST(CollRecords, SizeRuleCountsEveryElementKind) {
  CollBuilder b("mixed");
  b.Sphere({}, 1, MakeSurface(1))
      .Box({}, {1, 1, 1}, MakeSurface(2))
      .MeshBox({}, {1, 1, 1}, MakeSurface(3));
  const Coll coll = b.Build();
  EXPECT_EQ(coll.Header.Size, 84u + 20 + 28 + 12 * 8 + 16 * 12);
}

TEST(CollRecords, NamesEndAtTheFirstNulOrAfterTwentyBytes) {
  CollHeader header;
  SetHeaderName(header, "abcdefghijklmnopqrst-too-long");
  EXPECT_EQ(HeaderName(header), "abcdefghijklmnopqrst");
  EXPECT_FALSE(NameFieldTerminated(header));

  header.Name = {'w', 'a', 'l', 'l', '\0', 'o', 'l', 'd'};
  EXPECT_EQ(HeaderName(header), "wall");
  EXPECT_TRUE(NameFieldTerminated(header));
}

}  // namespace
}  // namespace vantorel
