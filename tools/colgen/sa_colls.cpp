#include "tools/colgen/sa_colls.h"

#include <algorithm>

#include "tools/colgen/coll_builder.h"
#include "tools/colgen/sample_colls.h"

namespace vantorel::colgen {

Coll SaColl(const std::string& name, int version, std::uint16_t modelId) {
  CollBuilder b(name);
  b.Version(version).ModelId(modelId);
  b.Sphere({1.5f, -2.25f, 0.5f}, 1.25f, MakeSurface(62, 3, 7, 9))
      .Sphere({-4, 0, 1}, 0.5f, MakeSurface(178, 0, 1, 2))
      .Box({-1, -1, 0}, {1, 1, 2.5f}, MakeSurface(50, 1, 2, 3))
      .MeshBox({-10.5f, -8, -0.25f}, {12.75f, 9.5f, 6}, MakeSurface(1));
  Coll coll = b.Build();
  for (std::size_t i = 0; i < coll.Faces.size(); ++i) {
    coll.Faces[i].Surface = MakeSurface(static_cast<std::uint8_t>(i * 13 % 179), 0,
                                        static_cast<std::uint8_t>(i * 21 % 256));
  }
  GroupFaces(coll, 7);
  if (version >= 3) {
    coll.ShadowVertices = {{-2, -2, 0}, {2, -2, 0}, {2, 2, 0}, {-2, 2, 0.5f}};
    coll.ShadowFaces = {{0, 1, 2, MakeSurface(4, 0, 200)}, {0, 2, 3, MakeSurface(4, 0, 100)}};
  }
  if (version == 4) coll.Col4Extra = 0xA5C3E1F0u;
  RecalcCollSize(coll);
  return coll;
}

std::vector<Coll> SaSampleColls() {
  Coll empty = CollBuilder("sa_empty").Version(3).ModelId(7).Build();
  return {SaColl("sa_col2", 2), SaColl("sa_col3", 3), SaColl("sa_col4", 4), empty,
          SaColl("name_of_22_characters_", 3)};
}

}  // namespace vantorel::colgen

namespace vantorel::colgen {

std::vector<Coll> MixedKindColls() {
  const std::vector<Coll> classic = SampleColls();
  std::vector<Coll> colls;
  const std::vector<Coll> sa = SaSampleColls();
  for (std::size_t i = 0; i < std::max(classic.size(), sa.size()); ++i) {
    if (i < classic.size()) colls.push_back(classic[i]);
    if (i < sa.size()) colls.push_back(sa[i]);
  }
  return colls;
}

}  // namespace vantorel::colgen
