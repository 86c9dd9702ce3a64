#include "bench/view_scene.h"

#include <cmath>
#include <cstdint>

namespace vantorel::bench {

Coll LargeViewColl() {
  constexpr int kColumns = 260;
  constexpr int kRows = 250;
  constexpr int kFaces = 100'000;
  constexpr std::uint8_t kMaterials[8] = {0, 1, 2, 5, 9, 13, 19, 22};
  Coll coll;
  coll.Vertices.reserve(kColumns * kRows);
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      const float x = static_cast<float>(column) * 0.5f - 65;
      const float y = static_cast<float>(row) * 0.5f - 62.5f;
      coll.Vertices.push_back({x, y, 2 * std::sin(x * 0.2f) * std::cos(y * 0.15f)});
    }
  }
  std::uint32_t random = 12345;
  coll.Faces.reserve(kFaces);
  for (int i = 0; i < kFaces; ++i) {
    const int cell = i / 2 % ((kColumns - 1) * (kRows - 1));
    const int a = cell / (kColumns - 1) * kColumns + cell % (kColumns - 1);
    random = random * 1664525u + 1013904223u;
    const std::uint8_t material = kMaterials[random >> 29];
    if (i % 2 == 0) {
      coll.Faces.push_back({a, a + kColumns, a + kColumns + 1, {material, 0, 0, 0}});
    } else {
      coll.Faces.push_back({a + kColumns + 1, a + 1, a, {material, 0, 0, 0}});
    }
  }
  coll.Header.FourCC = kCollFourCC;
  coll.Header.BoundingMin = {-65, -62.5f, -2};
  coll.Header.BoundingMax = {65, 62.5f, 2};
  coll.Header.BoundingRadius = 90;
  return coll;
}

}  // namespace vantorel::bench
