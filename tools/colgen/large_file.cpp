#include "tools/colgen/large_file.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <utility>

#include "core/coll_conversion.h"

#include "tools/colgen/coll_builder.h"

namespace vantorel::colgen {

Coll PatternColl(const char* name, int spheres, int boxes, int faces, std::uint32_t seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<float> coordinate(-50.0f, 50.0f);
  std::uniform_int_distribution<int> material(0, 34);
  auto point = [&] { return Vector3{coordinate(random), coordinate(random), coordinate(random)}; };
  auto surface = [&] { return MakeSurface(static_cast<std::uint8_t>(material(random))); };

  CollBuilder b(name);
  for (int i = 0; i < spheres; ++i)
    b.Sphere(point(), 1.5f, surface());
  for (int i = 0; i < boxes; ++i) {
    const Vector3 p = point();
    b.Box(p, {p.X + 2, p.Y + 3, p.Z + 1}, surface());
  }
  if (faces > 0) {
    // A triangle strip: faces + 2 vertices.
    for (int i = 0; i < faces + 2; ++i)
      b.Vertex(point());
    for (int i = 0; i < faces; ++i)
      b.Face(i, i + 1, i + 2, surface());
  }
  return b.Build();
}

Bytes LargeFile(std::size_t collCount, std::size_t targetBytes, std::uint32_t seed, int version) {
  const RecordLayout& layout = *LayoutOfVersion(version);
  const std::size_t vertexBytes = ElementBytes(layout, Section::Vertices);
  const std::size_t faceBytes = ElementBytes(layout, Section::Faces);
  // Each coll gets a mesh whose size brings the file to targetBytes on average.
  const std::size_t perColl = collCount ? targetBytes / collCount : 0;
  const std::size_t overhead = static_cast<std::size_t>(RecordBytes(layout, {})) +
                               2 * kSphereBytes + kBoxBytes + 2 * vertexBytes + 4;
  const int faces =
      perColl > overhead ? static_cast<int>((perColl - overhead) / (faceBytes + vertexBytes)) : 0;
  Bytes bytes;
  bytes.reserve(collCount * (overhead + static_cast<std::size_t>(faces) * 28) + 1024);
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> jitter(-faces / 4, faces / 4);
  // Colls vary in size around the mean so records do not all line up.
  for (std::size_t i = 0; i < collCount; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "coll%06zu", (i + 1) % 1000000);
    const int count = std::max(0, faces + (i % 2 ? jitter(random) : -jitter(random)));
    Coll coll = PatternColl(name, 2, 1, count, static_cast<std::uint32_t>(random()));
    if (version >= 2) {
      const CollConversion converted = ConvertColl(coll, std::min(version, 3));
      coll = *converted.Converted;
      if (version == 4) coll.Header.FourCC = kCol4Layout.FourCC;
    }
    AppendColl(bytes, std::move(coll));
  }
  return bytes;
}

}  // namespace vantorel::colgen
