#include "tools/colgen/sample_colls.h"

#include "tools/colgen/coll_builder.h"

namespace vantorel::colgen {

namespace {

// Surface ids used below, named for readability.
enum Material : std::uint8_t {
  kStandard = 0,
  kStreet = 1,
  kBeton = 5,
  kGlas = 7,
  kMetalPole = 8,
  kDoor = 9,
  kMetal = 11,
  kSmallMetalPost = 12,
  kFence = 16,
  kWood = 22,
  kWoodenBox = 20,
};

Coll Building() {
  CollBuilder b("building_ramp");
  // Walls and a flat roof.
  b.MeshBox({-8, -6, 0}, {8, 6, 10}, MakeSurface(kBeton));
  // A door and two windows as thin boxes on the front wall.
  b.Box({-1.2f, -6.2f, 0}, {1.2f, -5.9f, 2.6f}, MakeSurface(kDoor));
  b.Box({-6, -6.2f, 4}, {-3, -5.9f, 6}, MakeSurface(kGlas));
  b.Box({3, -6.2f, 4}, {6, -5.9f, 6}, MakeSurface(kGlas));
  // A ramp rising along the east side up to the roof.
  const auto r0 = b.Vertex({8, -6, 0});
  const auto r1 = b.Vertex({8, 6, 0});
  const auto r2 = b.Vertex({20, 6, 10});
  const auto r3 = b.Vertex({20, -6, 10});
  const auto r4 = b.Vertex({20, 6, 0});
  const auto r5 = b.Vertex({20, -6, 0});
  b.Quad(r0, r1, r2, r3, MakeSurface(kStreet));
  b.Quad(r3, r2, r4, r5, MakeSurface(kBeton));
  b.Face(r0, r3, r5, MakeSurface(kBeton));
  b.Face(r1, r4, r2, MakeSurface(kBeton));
  return b.Build();
}

Coll Fence() {
  CollBuilder b("fence_boxes");
  for (int i = 0; i <= 6; ++i) {
    const float x = static_cast<float>(i) * 2.5f - 7.5f;
    b.Box({x - 0.1f, -0.1f, 0}, {x + 0.1f, 0.1f, 1.6f}, MakeSurface(kWood));
  }
  b.Box({-7.5f, -0.05f, 0.4f}, {7.5f, 0.05f, 0.55f}, MakeSurface(kFence));
  b.Box({-7.5f, -0.05f, 1.2f}, {7.5f, 0.05f, 1.35f}, MakeSurface(kFence));
  b.Box({8.2f, -0.5f, 0}, {9.2f, 0.5f, 1}, MakeSurface(kWoodenBox));
  return b.Build();
}

Coll LampPost() {
  CollBuilder b("lamp_post");
  for (int i = 0; i < 10; ++i) {
    b.Sphere({0, 0, 0.25f + 0.5f * static_cast<float>(i)}, 0.25f, MakeSurface(kMetalPole));
  }
  b.Sphere({0.6f, 0, 5.1f}, 0.2f, MakeSurface(kSmallMetalPost));
  b.Sphere({1.2f, 0, 5.0f}, 0.35f, MakeSurface(kGlas));
  return b.Build();
}

Coll CarBody() {
  CollBuilder b("car_body");
  // Chassis and cabin as boxes, wheels as spheres.
  b.Box({-0.9f, -2.2f, 0.3f}, {0.9f, 2.2f, 0.9f}, MakeSurface(kMetal, 0));
  b.Box({-0.8f, -1.0f, 0.9f}, {0.8f, 0.9f, 1.5f}, MakeSurface(kMetal, 0));
  b.Sphere({-0.85f, 1.4f, 0.35f}, 0.35f, MakeSurface(kStandard, 0));
  b.Sphere({0.85f, 1.4f, 0.35f}, 0.35f, MakeSurface(kStandard, 0));
  b.Sphere({-0.85f, -1.4f, 0.35f}, 0.35f, MakeSurface(kStandard, 0));
  b.Sphere({0.85f, -1.4f, 0.35f}, 0.35f, MakeSurface(kStandard, 0));
  // Body panels as a mesh, each carrying its car part.
  const auto fl = b.Vertex({-0.9f, 2.2f, 0.9f});
  const auto fr = b.Vertex({0.9f, 2.2f, 0.9f});
  const auto ml = b.Vertex({-0.9f, 0.9f, 0.9f});
  const auto mr = b.Vertex({0.9f, 0.9f, 0.9f});
  const auto wl = b.Vertex({-0.8f, 0.5f, 1.5f});
  const auto wr = b.Vertex({0.8f, 0.5f, 1.5f});
  const auto bl = b.Vertex({-0.9f, -2.2f, 0.9f});
  const auto br = b.Vertex({0.9f, -2.2f, 0.9f});
  const auto cl = b.Vertex({-0.9f, -1.0f, 0.9f});
  const auto cr = b.Vertex({0.9f, -1.0f, 0.9f});
  const auto fbl = b.Vertex({-0.9f, 2.3f, 0.3f});
  const auto fbr = b.Vertex({0.9f, 2.3f, 0.3f});
  const auto rbl = b.Vertex({-0.9f, -2.3f, 0.3f});
  const auto rbr = b.Vertex({0.9f, -2.3f, 0.3f});
  const auto dl0 = b.Vertex({-0.95f, 0.9f, 0.3f});
  const auto dl1 = b.Vertex({-0.95f, -0.1f, 0.3f});
  const auto dl2 = b.Vertex({-0.95f, -1.0f, 0.3f});
  const auto dr0 = b.Vertex({0.95f, 0.9f, 0.3f});
  const auto dr1 = b.Vertex({0.95f, -0.1f, 0.3f});
  const auto dr2 = b.Vertex({0.95f, -1.0f, 0.3f});
  b.Quad(ml, mr, fr, fl, MakeSurface(kMetal, 1));    // bonnet
  b.Quad(bl, br, cr, cl, MakeSurface(kMetal, 2));    // boot
  b.Quad(fl, fr, fbr, fbl, MakeSurface(kMetal, 3));  // front bumper
  b.Quad(br, bl, rbl, rbr, MakeSurface(kMetal, 4));  // rear bumper
  b.Face(ml, dl0, dl1, MakeSurface(kMetal, 5));      // left front door
  b.Face(dr1, dr0, mr, MakeSurface(kMetal, 6));      // right front door
  b.Face(cl, dl1, dl2, MakeSurface(kMetal, 7));      // left rear door
  b.Face(dr2, dr1, cr, MakeSurface(kMetal, 8));      // right rear door
  b.Face(fl, fbl, ml, MakeSurface(kMetal, 9));       // wings
  b.Face(fr, mr, fbr, MakeSurface(kMetal, 10));
  b.Face(bl, cl, rbl, MakeSurface(kMetal, 11));
  b.Face(br, rbr, cr, MakeSurface(kMetal, 12));
  b.Quad(ml, mr, wr, wl, MakeSurface(kGlas, 17));  // windscreen
  return b.Build();
}

Coll Empty() {
  return CollBuilder("empty_coll").Build();
}

// A 6 x 6 floor of tiles in materials 0..35: every surface type and one beyond the table.
Coll SurfacePalette() {
  CollBuilder b("surface_palette");
  constexpr int kSide = 6;
  std::int32_t corner[kSide + 1][kSide + 1];
  for (int y = 0; y <= kSide; ++y) {
    for (int x = 0; x <= kSide; ++x) {
      corner[y][x] = b.Vertex({static_cast<float>(x * 2), static_cast<float>(y * 2),
                               static_cast<float>((x + y) % 2) * 0.1f});
    }
  }
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const auto material = static_cast<std::uint8_t>(y * kSide + x);
      b.Quad(corner[y][x], corner[y][x + 1], corner[y + 1][x + 1], corner[y + 1][x],
             MakeSurface(material));
    }
  }
  return b.Build();
}

}  // namespace

std::vector<Coll> SampleColls() {
  return {Building(), Fence(), LampPost(), CarBody(), Empty(), SurfacePalette()};
}

}  // namespace vantorel::colgen
