#include <gtest/gtest.h>

#include "core/coll_codec.h"
#include "core/surface_types.h"
#include "tests/support/test_files.h"
#include "tools/colgen/coll_builder.h"
#include "tools/colgen/sample_colls.h"

namespace vantorel {
namespace {

// The sample that ships in resources/ is the generator's output, byte for byte.
TEST(SampleFile, MatchesTheGenerator) {
  const Bytes shipped = testing::ReadBytes(VANTOREL_SAMPLE_FILE);
  EXPECT_TRUE(shipped == colgen::EncodeFile(colgen::SampleColls()))
      << "regenerate with: vantorel-colgen sample resources/sample.col";
}

TEST(SampleFile, CoversEveryMaterialAndAnEmptyColl) {
  const auto colls = colgen::SampleColls();
  std::vector<bool> seen(256, false);
  bool empty = false;
  for (const Coll& coll : colls) {
    for (const auto& f : coll.Faces)
      seen[f.Surface.Material] = true;
    for (const auto& s : coll.Spheres)
      seen[s.Surface.Material] = true;
    for (const auto& b : coll.Boxes)
      seen[b.Surface.Material] = true;
    empty = empty || RecordLength(coll) == kEmptyRecordBytes;
  }
  for (int id = 0; id <= kSurfaceTypeCount; ++id)
    EXPECT_TRUE(seen[static_cast<std::size_t>(id)]) << id;
  EXPECT_TRUE(empty);
}

}  // namespace
}  // namespace vantorel
