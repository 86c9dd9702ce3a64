#include "core/bounds.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tools/colgen/coll_builder.h"

namespace vantorel {
namespace {

using colgen::CollBuilder;
using colgen::MakeSurface;

void ExpectVector(const Vector3& v, float x, float y, float z) {
  EXPECT_EQ(v.X, x);
  EXPECT_EQ(v.Y, y);
  EXPECT_EQ(v.Z, z);
}

TEST(Bounds, AnEmptyCollIsBoundedAtTheOrigin) {
  const BoundingObjects b = ComputeBoundingObjects(CollBuilder("empty").Build());
  ExpectVector(b.Min, 0, 0, 0);
  ExpectVector(b.Max, 0, 0, 0);
  ExpectVector(b.Center, 0, 0, 0);
  EXPECT_EQ(b.Radius, 0.0f);
}

TEST(Bounds, TheOriginIsAlwaysInsideTheBox) {
  CollBuilder c("vertex");
  c.Vertex({2, 3, 4});
  const BoundingObjects b = ComputeBoundingObjects(c.Build());
  ExpectVector(b.Min, 0, 0, 0);
  ExpectVector(b.Max, 2, 3, 4);
  ExpectVector(b.Center, 1, 1.5f, 2);
  EXPECT_EQ(b.Radius, static_cast<float>(0.5 * std::sqrt(29.0)));
  EXPECT_NEAR(b.Radius, 2.69258, 1e-5);
}

TEST(Bounds, SpheresReachOutByTheirRadius) {
  CollBuilder c("sphere");
  c.Sphere({10, 0, 0}, 1, MakeSurface(0));
  const BoundingObjects b = ComputeBoundingObjects(c.Build());
  ExpectVector(b.Min, 0, -1, -1);
  ExpectVector(b.Max, 11, 1, 1);
  ExpectVector(b.Center, 5.5f, 0, 0);
  EXPECT_EQ(b.Radius, static_cast<float>(0.5 * std::sqrt(129.0)));
  EXPECT_NEAR(b.Radius, 5.67891, 1e-5);
}

TEST(Bounds, BoxesGiveBothCornersWhateverTheirOrder) {
  Coll coll = CollBuilder("box").Build();
  coll.Boxes.push_back({{5, -2, 1}, {-3, 4, 2}, {}});  // minimum above maximum in X
  coll.Faces.push_back({0, 1, 2, {}});                 // faces without vertices add nothing
  const BoundingObjects b = ComputeBoundingObjects(coll);
  ExpectVector(b.Min, -3, -2, 0);
  ExpectVector(b.Max, 5, 4, 2);
}

TEST(Bounds, DifferencesAndSquaresAreTakenInDoublePrecision) {
  // In floats 3E38 - -3E38 and (2E19)^2 overflow to infinity.
  Coll coll = CollBuilder("wide").Build();
  coll.Vertices = {{3e38f, 2e19f, 0}, {-3e38f, 0, 0}};
  const BoundingObjects b = ComputeBoundingObjects(coll);
  EXPECT_EQ(b.Center.X, 0.0f);
  EXPECT_EQ(b.Center.Y, 1e19f);
  const double width = 2.0 * static_cast<double>(3e38f);
  const double depth = static_cast<double>(2e19f);
  EXPECT_EQ(b.Radius, static_cast<float>(0.5 * std::sqrt(width * width + depth * depth)));
  EXPECT_TRUE(std::isfinite(b.Radius));
}

TEST(Bounds, NotANumberTakesNoPart) {
  Coll coll = CollBuilder("nan").Build();
  coll.Vertices = {{NAN, 1, 1}};
  const BoundingObjects b = ComputeBoundingObjects(coll);
  ExpectVector(b.Max, 0, 1, 1);
}

TEST(Bounds, StoresIntoTheHeaderOnly) {
  CollBuilder c("store");
  c.Vertex({2, 3, 4});
  Coll coll = c.Build();
  const std::uint32_t size = coll.Header.Size;
  const BoundingObjects computed = ComputeBoundingObjects(coll);
  coll.Header.BoundingRadius = 99;
  StoreBoundingObjects(coll.Header, computed);
  const BoundingObjects stored = HeaderBoundingObjects(coll.Header);
  EXPECT_EQ(stored.Radius, computed.Radius);
  ExpectVector(stored.Center, 1, 1.5f, 2);
  ExpectVector(stored.Max, 2, 3, 4);
  EXPECT_EQ(coll.Header.Size, size);
  EXPECT_EQ(coll.VertexCount(), 1);
}

TEST(Bounds, ReportShowsOldAndNewValues) {
  BoundingObjects old;
  old.Radius = 1;
  old.Center = {0.123456f, -2.5f, 1234.5f};
  old.Min = {-1, -1, -1};
  old.Max = {1, 1, 1};
  BoundingObjects computed;
  computed.Radius = 2.692582f;
  computed.Center = {1, 1.5f, 2};
  computed.Max = {2, 3, 4};
  EXPECT_EQ(BoundingReport(old, computed, '.'),
            "OLD BOUNDING OBJECTS\r\n"
            "\r\n"
            "Bounding Sphere\r\n"
            "   Radius: \t1.0\r\n"
            "   Center: \t0.12346; -2.5; 1234.5\r\n"
            "Bounding Box\r\n"
            "   Minimum: \t-1.0; -1.0; -1.0\r\n"
            "   Maximum: \t1.0; 1.0; 1.0\r\n"
            "\r\n"
            "NEW BOUNDING OBJECTS\r\n"
            "\r\n"
            "Bounding Sphere\r\n"
            "   Radius: \t2.69258\r\n"
            "   Center: \t1.0; 1.5; 2.0\r\n"
            "Bounding Box\r\n"
            "   Minimum: \t0.0; 0.0; 0.0\r\n"
            "   Maximum: \t2.0; 3.0; 4.0\r\n"
            "\r\n"
            "Would you like to apply the calculated bounding objects?");
  const std::string comma = BoundingReport(old, computed, ',');
  EXPECT_NE(comma.find("   Center: \t0,12346; -2,5; 1234,5\r\n"), std::string::npos);
}

}  // namespace
}  // namespace vantorel
