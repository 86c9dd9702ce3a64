#include "ops/brief_info.h"

#include <gtest/gtest.h>

#include "core/coll_codec.h"
#include "ops/make_lod.h"
#include "tools/colgen/coll_builder.h"
#include "tools/colgen/sa_colls.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;

TEST(BriefInfo, ReportsHeaderBoundsAndCounts) {
  CollBuilder b("info_coll");
  b.Id(kEditorId);
  b.Sphere({0, 0, 1}, 1, MakeSurface(0));
  Coll coll = b.Build();
  coll.Header.BoundingRadius = 1.234567f;
  coll.Header.BoundingCenter = {0.5f, -2.25f, 1};
  coll.Header.BoundingMin = {-1, -2, 0};
  coll.Header.BoundingMax = {1, 2, 3};
  EXPECT_EQ(BuildBriefInfo(coll, 2, 10, 4096, '.'),
            "COLLISION OBJECT INFORMATION\r\n\r\n"
            "Name: \t\tinfo_coll\r\n"
            "No.: \t\t3 / 10\r\n"
            "Size: \t\t112 Byte\r\n"
            "Offset: \t\t4096\r\n"
            "ID: \t\t51 4B 5A 56 \r\n\r\n"
            "Bounding Sphere\r\n"
            "   Radius: \t1.23457\r\n"
            "   Center: \t0.5; -2.25; 1.0\r\n\r\n"
            "Bounding Box\r\n"
            "   Minimum: \t-1.0; -2.0; 0.0\r\n"
            "   Maximum: \t1.0; 2.0; 3.0\r\n\r\n"
            "Number of\r\n"
            "   Spheres: \t1\r\n"
            "   Boxes: \t0\r\n"
            "   Vertices: \t0\r\n"
            "   Faces: \t0");
}

TEST(BriefInfo, EmptyCollAndLocaleSeparator) {
  Coll coll = CollBuilder("e").Id({0x00, 0x0A, 0xFF, 0x7F}).Build();
  coll.Header.BoundingRadius = 0.5f;
  const std::string text = BuildBriefInfo(coll, 0, 1, 0, ',');
  EXPECT_NE(text.find("Size: \t\t92 Byte\r\n"), std::string::npos);
  EXPECT_NE(text.find("ID: \t\t00 0A FF 7F \r\n"), std::string::npos);
  EXPECT_NE(text.find("Radius: \t0,5\r\n"), std::string::npos);
  EXPECT_NE(text.find("Spheres: \t0\r\n   Boxes: \t0\r\n   Vertices: \t0\r\n   Faces: \t0"),
            std::string::npos);
}

TEST(BriefInfo, ALodCollShowsTheEditorsMarkerAndNoElements) {
  CollBuilder b("house01");
  b.Id({1, 2, 3, 4}).MeshBox({0, 0, 0}, {2, 2, 2}, MakeSurface(1));
  const std::optional<Bytes> record = LodRecord(b.Build().Header);
  ASSERT_TRUE(record);
  CollDirectoryEntry entry{"", 0, 92};
  Coll lod;
  ASSERT_EQ(ReadColl(*record, entry, lod), ReadResult::Ok);
  const std::string text = BuildBriefInfo(lod, 1, 2, 528, '.');
  EXPECT_NE(text.find("Name: \t\tLODse01\r\n"), std::string::npos);
  EXPECT_NE(text.find("No.: \t\t2 / 2\r\n"), std::string::npos);
  EXPECT_NE(text.find("Size: \t\t92 Byte\r\n"), std::string::npos);
  EXPECT_NE(text.find("Offset: \t\t528\r\n"), std::string::npos);
  EXPECT_NE(text.find("ID: \t\t51 4B 5A 56 \r\n"), std::string::npos);
  EXPECT_NE(text.find("Spheres: \t0\r\n   Boxes: \t0\r\n   Vertices: \t0\r\n   Faces: \t0"),
            std::string::npos);
}

TEST(BriefInfo, ASanAndreasCollAddsItsKindModelIdFaceGroupsAndShadowMesh) {
  struct Case {
    int version;
    const char* counts;
  };
  for (const Case& c :
       {Case{2, "Face groups: \t2\r\n   Shadow vertices: \t0\r\n   Shadow faces: \t0"},
        Case{3, "Face groups: \t2\r\n   Shadow vertices: \t4\r\n   Shadow faces: \t2"},
        Case{4, "Face groups: \t2\r\n   Shadow vertices: \t4\r\n   Shadow faces: \t2"}}) {
    const Coll coll = colgen::SaColl("sa_coll", c.version, 1234);
    const std::string text = BuildBriefInfo(coll, 0, 3, 0, '.');
    const std::string kind = "COL" + std::to_string(c.version);
    EXPECT_NE(text.find("Name: \t\tsa_coll\r\nKind: \t\t" + kind +
                        "\r\nModel ID: \t1234\r\nNo.: \t\t1 / 3\r\n"),
              std::string::npos)
        << text;
    EXPECT_TRUE(text.ends_with("   Faces: \t12\r\n   " + std::string(c.counts))) << text;
  }
}

}  // namespace
}  // namespace vantorel
