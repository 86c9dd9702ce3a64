#include "tests/support/rich_coll.h"

#include "tools/colgen/coll_builder.h"

namespace vantorel::testing {

Coll RichColl(const std::string& name) {
  colgen::CollBuilder b(name);
  b.Id({1, 2, 3, 4});
  b.Sphere({1, 2, 3}, 4, colgen::MakeSurface(19, 0, 0xAB, 0xCD));
  b.Box({-1, -2, -3}, {1, 2, 3}, colgen::MakeSurface(5, 17, 0x12, 0x34));
  b.MeshBox({0, 0, 0}, {2, 2, 2}, colgen::MakeSurface(31, 3, 0xFE, 0xFF));
  return b.Build();
}

}  // namespace vantorel::testing
