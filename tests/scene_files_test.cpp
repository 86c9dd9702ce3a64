// The view's arrays and frames over real game files and over hostile colls.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <random>

#include "core/coll_codec.h"
#include "core/file_io.h"
#include "tests/support/test_files.h"
#include "view/frame_plan.h"
#include "view/picking.h"
#include "view/scene.h"

namespace vantorel {
namespace {

// What must hold for any coll: every index names a vertex, the groups cover the drawable faces
// exactly, and a frame fits the reserved plan.
void ExpectSound(const Coll& coll, const std::string& label) {
  std::vector<bool> faceChecks(coll.Faces.size());
  for (std::size_t i = 0; i < faceChecks.size(); i += 3)
    faceChecks[i] = true;
  Scene scene;
  scene.RebuildStaticBuffers(SurfaceTypeTable::Defaults(), MainColors{}, 16, 48, true);
  scene.RebuildScene(coll, faceChecks, SurfaceTypeTable::Defaults(), MainColors{}, true);
  const auto vertexCount = scene.Vertices(VertexSource::Mesh).size();
  for (IndexSource source : {IndexSource::Mesh, IndexSource::Selection}) {
    for (std::uint32_t index : scene.Indices(source))
      ASSERT_LT(index, vertexCount) << label;
  }
  std::size_t drawable = 0;
  std::size_t checkedDrawable = 0;
  for (std::size_t i = 0; i < coll.Faces.size(); ++i) {
    if (!FaceDrawable(coll, coll.Faces[i])) continue;
    ++drawable;
    checkedDrawable += faceChecks[i] ? 1 : 0;
  }
  std::size_t grouped = 0;
  std::uint32_t next = 0;
  for (const MeshGroup& group : scene.MeshGroups()) {
    EXPECT_EQ(group.FirstIndex, next) << label;
    next += group.TriangleCount * 3;
    grouped += group.TriangleCount;
  }
  EXPECT_EQ(grouped, drawable) << label;
  EXPECT_EQ(scene.MeshTriangleCount(), drawable) << label;
  EXPECT_EQ(scene.SelectedFaceCount(), checkedDrawable) << label;

  FramePlan plan;
  plan.Draws.reserve(FramePlanCapacity(scene, coll));
  const std::size_t capacity = plan.Draws.capacity();
  const std::vector<bool> sphereChecks(coll.Spheres.size(), true);
  const std::vector<bool> boxChecks(coll.Boxes.size(), true);
  CameraState camera =
      ResetCameraState(coll.Header, AutomaticZoomDistance(coll.Header.BoundingRadius, true));
  int zoom = 0;
  PrepareFrameCamera(camera, zoom, false, 0, coll.Header);
  BuildFramePlan({scene, ViewOptions{}, camera, coll, sphereChecks, boxChecks, MainColors{}, 130},
                 plan);
  EXPECT_EQ(plan.Draws.capacity(), capacity) << label;
  for (const DrawCommand& draw : plan.Draws) {
    EXPECT_TRUE(IsFinite(draw.World)) << label;
    if (draw.Indices == IndexSource::None || draw.Credits) continue;
    EXPECT_LE(draw.FirstIndex + draw.Count, scene.Indices(draw.Indices).size()) << label;
  }
  const Ray ray = PickRay(320, 240, 640, 480, plan.View, plan.Projection);
  const std::optional<int> picked = PickFace(coll, ray, true);
  if (picked) {
    EXPECT_TRUE(FaceDrawable(coll, coll.Faces[static_cast<std::size_t>(*picked)])) << label;
  }
}

class SceneOfRealFiles : public ::testing::TestWithParam<const char*> {};

TEST_P(SceneOfRealFiles, EveryCollBuildsSoundArraysAndFrames) {
  const std::filesystem::path path = testing::RealFile(GetParam());
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "real game file not present: " << path;
  Bytes image;
  ASSERT_FALSE(ReadWholeFile(path.string(), image).has_value());
  CollDirectoryEntries directory;
  ScanFile(image, directory);
  ASSERT_FALSE(directory.empty());
  std::size_t faces = 0;
  for (CollDirectoryEntry& entry : directory) {
    Coll coll;
    ASSERT_EQ(ReadColl(image, entry, coll), ReadResult::Ok) << entry.Name;
    faces += coll.Faces.size();
    ExpectSound(coll, entry.Name);
  }
  EXPECT_GT(faces, 0u);
}

INSTANTIATE_TEST_SUITE_P(GameFiles, SceneOfRealFiles,
                         ::testing::Values("generic.col", "vehicles_vc.col"));

TEST(SceneOfHostileColls, RandomIndicesAndOddNumbersStaySound) {
  std::mt19937 random(7);
  const float odd[] = {std::numeric_limits<float>::quiet_NaN(),
                       std::numeric_limits<float>::infinity(),
                       -std::numeric_limits<float>::infinity(),
                       3e38f,
                       -3e38f,
                       0,
                       1e-40f};
  for (int round = 0; round < 40; ++round) {
    Coll coll;
    const int vertices = static_cast<int>(random() % 50);
    for (int i = 0; i < vertices; ++i) {
      const auto value = [&] {
        return random() % 5 == 0 ? odd[random() % 7]
                                 : static_cast<float>(static_cast<int>(random() % 200) - 100);
      };
      coll.Vertices.push_back({value(), value(), value()});
    }
    const int faces = static_cast<int>(random() % 80);
    for (int i = 0; i < faces; ++i) {
      const auto index = [&] {
        return random() % 6 == 0 ? static_cast<std::int32_t>(random())
                                 : static_cast<std::int32_t>(random() % 60) - 5;
      };
      coll.Faces.push_back(
          {index(), index(), index(), {static_cast<std::uint8_t>(random() % 256), 0, 0, 0}});
    }
    for (int i = 0; i < 3; ++i) {
      coll.Spheres.push_back({odd[random() % 7], {1, odd[random() % 7], 2}, {}});
      coll.Boxes.push_back({{0, 0, odd[random() % 7]}, {1, 1, 1}, {}});
    }
    coll.Header.BoundingRadius = odd[random() % 7];
    coll.Header.BoundingCenter = {odd[random() % 7], 0, odd[random() % 7]};
    coll.Header.BoundingMax = {odd[random() % 7], 1, 1};
    ExpectSound(coll, "round " + std::to_string(round));
  }
}

}  // namespace
}  // namespace vantorel
