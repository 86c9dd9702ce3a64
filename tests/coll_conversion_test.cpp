#include "core/coll_conversion.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/coll_codec.h"
#include "core/sa_surface_table.h"
#include "tests/support/rich_coll.h"
#include "tools/colgen/coll_builder.h"
#include "tools/colgen/sa_colls.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;
using colgen::SaColl;
using testing::RichColl;

void ExpectWithin(const Vector3& a, const Vector3& b, float tolerance) {
  EXPECT_LE(std::abs(a.X - b.X), tolerance);
  EXPECT_LE(std::abs(a.Y - b.Y), tolerance);
  EXPECT_LE(std::abs(a.Z - b.Z), tolerance);
}

// A coll off the 1/128 grid, with surfaces of every III/VC material and an unused vertex.
Coll Classic() {
  CollBuilder b("classic");
  b.Sphere({1.1f, 2.2f, 3.3f}, 0.7f, MakeSurface(17, 2, 3, 4))
      .Box({-1.01f, -2.02f, 0}, {3.03f, 4.04f, 5.05f}, MakeSurface(32));
  const std::int32_t unused = b.Vertex({99, 99, 99});
  (void)unused;
  for (int i = 0; i < 35; ++i) {
    const float x = static_cast<float>(i) * 1.003f - 17.3f;
    const std::int32_t a = b.Vertex({x, 0.0041f, -0.3f});
    const std::int32_t c = b.Vertex({x + 0.5f, 1.3333f, 0.2f});
    const std::int32_t d = b.Vertex({x, 2.71f, 0.9f});
    b.Face(a, c, d, MakeSurface(static_cast<std::uint8_t>(i)));
  }
  return b.Build();
}

TEST(CollConversion, CollToCol3AndBackKeepsCountsCoordinatesAndSurfaces) {
  const Coll original = Classic();
  const CollConversion there = ConvertColl(original, 3);
  ASSERT_TRUE(there.Converted) << there.Refusal;
  EXPECT_EQ(there.Lost, std::vector<std::string>{"1 vertex no face uses"});
  EXPECT_EQ(there.Converted->Version(), 3);
  EXPECT_TRUE(FitsRecordFields(*there.Converted));

  const CollConversion back = ConvertColl(*there.Converted, 1);
  ASSERT_TRUE(back.Converted);
  EXPECT_TRUE(back.Lost.empty());
  const Coll& result = *back.Converted;
  EXPECT_EQ(result.Version(), 1);
  EXPECT_EQ(HeaderName(result.Header), "classic");
  ASSERT_EQ(result.Vertices.size(), original.Vertices.size() - 1);
  ASSERT_EQ(result.Faces.size(), original.Faces.size());
  ASSERT_EQ(result.Spheres.size(), 1u);
  ASSERT_EQ(result.Boxes.size(), 1u);
  for (std::size_t i = 0; i < result.Faces.size(); ++i) {
    const CollFace& was = original.Faces[i];
    const CollFace& is = result.Faces[i];
    EXPECT_EQ(is.Surface.Material, was.Surface.Material) << i;
    // The same corners, within 1/256, through the renumbering.
    ExpectWithin(result.Vertices[static_cast<std::size_t>(is.A)],
                 original.Vertices[static_cast<std::size_t>(was.A)], 1.0f / 256);
    ExpectWithin(result.Vertices[static_cast<std::size_t>(is.C)],
                 original.Vertices[static_cast<std::size_t>(was.C)], 1.0f / 256);
  }
  EXPECT_EQ(result.Spheres[0].Surface.Material, 17);
  EXPECT_EQ(result.Spheres[0].Surface.Byte3, 4);  // spheres keep all four bytes in both kinds
  EXPECT_EQ(result.Boxes[0].Surface.Material, 32);
  EXPECT_EQ(result.Boxes[0].Max.Z, 5.05f);  // spheres and boxes are floats in every kind
}

TEST(CollConversion, EachTargetListsWhatItCannotKeep) {
  Coll withBytes = RichColl("rich");  // its faces' surfaces use all four bytes
  const struct {
    const char* what;
    Coll coll;
    int to;
    std::vector<std::string> lost;
  } cases[] = {
      {"COL3 to COLL",
       SaColl("sa", 3, 77),
       1,
       {"the shadow mesh (4 vertices, 2 faces)", "2 face groups", "the light bytes of 11 faces",
        "the model ID 77"}},
      {"COL4 to COL3", SaColl("sa", 4, 77), 3, {"the extra \"COL4\" field"}},
      {"COL3 to COL2", SaColl("sa", 3, 77), 2, {"the shadow mesh (4 vertices, 2 faces)"}},
      {"COL2 to COL3", SaColl("sa", 2, 77), 3, {}},
      {"COLL to COL2", withBytes, 2, {"the surface bytes after the material of 12 faces"}},
      {"same kind", SaColl("sa", 2, 77), 2, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const CollConversion result = ConvertColl(c.coll, c.to);
    ASSERT_TRUE(result.Converted) << result.Refusal;
    EXPECT_EQ(result.Lost, c.lost);
    EXPECT_EQ(result.Converted->Version(), c.to);
    EXPECT_TRUE(FitsRecordFields(*result.Converted));
    Bytes record(RecordLength(*result.Converted));
    EncodeColl(*result.Converted, record.data());
    EXPECT_EQ(record.size(), result.Converted->Header.Size + 8u);
  }
  EXPECT_EQ(LostLine(SaColl("sa", 4), {"2 face groups", "the extra \"COL4\" field"}),
            "coll \"sa\": 2 face groups, the extra \"COL4\" field");
  EXPECT_EQ(LostLine(SaColl("sa", 4), {}), "");
  // The model ID survives between the San Andreas kinds; surfaces map both ways.
  const CollConversion col2 = ConvertColl(SaColl("sa", 3, 77), 2);
  EXPECT_EQ(col2.Converted->Header.ModelId(), 77);
  const CollConversion classic = ConvertColl(SaColl("sa", 3), 1);
  EXPECT_EQ(classic.Converted->Spheres[0].Surface.Material, ClassicMaterialForSa(62));
}

TEST(CollConversion, RefusesWhatTheCompressedKindsCannotHold) {
  Coll far = Classic();
  far.Vertices[5].Y = -300.25f;
  const CollConversion refused = ConvertColl(far, 2);
  EXPECT_FALSE(refused.Converted);
  EXPECT_EQ(refused.Refusal,
            "coll \"classic\": vertex 4 has the coordinate -300.25, outside the range a San "
            "Andreas record can store (-256 to 255.99)");  // vertex 0, unused, was dropped
  Coll broken = Classic();
  broken.Faces[2].B = 1000;
  EXPECT_EQ(ConvertColl(broken, 3).Refusal,
            "coll \"classic\" has faces naming vertices that do not exist");
  EXPECT_FALSE(ConvertColl(Classic(), 4).Converted);
}

}  // namespace
}  // namespace vantorel
