#include "view/picking.h"

#include "view/color_vertex.h"
#include "view/scene.h"

namespace vantorel {

namespace {

constexpr float kNoHit = 1'000'000.0f;
constexpr float kParallel = 0.0001f;

}  // namespace

Ray PickRay(float x, float y, float panelWidth, float panelHeight, const Matrix4& view,
            const Matrix4& projection) {
  const Vec3 inView{(2 * x / panelWidth - 1) / projection(0, 0),
                    -(2 * y / panelHeight - 1) / projection(1, 1), 1};
  const Matrix4 toDisplay = Inverse(view);
  return {{toDisplay(3, 0), toDisplay(3, 1), toDisplay(3, 2)},
          TransformDirection(inView, toDisplay)};
}

TriangleHit RayHitsTriangle(const Ray& ray, const Vec3& t0, const Vec3& t1, const Vec3& t2) {
  const Vec3 e1 = t1 - t0;
  const Vec3 e2 = t2 - t0;
  const Vec3 p = Cross(ray.Direction, e2);
  const float det = Dot(e1, p);
  if (!(det >= kParallel)) return {};
  const Vec3 s = ray.Origin - t0;
  const float u = Dot(s, p);
  if (u < 0 || u > det) return {};
  const Vec3 q = Cross(s, e1);
  const float v = Dot(ray.Direction, q);
  if (v < 0 || u + v > det) return {};
  return {true, Dot(e2, q) / det, u / det, v / det};
}

std::optional<int> PickFace(const Coll& coll, const Ray& ray, bool doublesided) {
  float best = kNoHit;
  std::optional<int> picked;
  for (std::size_t i = 0; i < coll.Faces.size(); ++i) {
    const CollFace& face = coll.Faces[i];
    if (!FaceDrawable(coll, face)) continue;
    const Vec3 a = ToDisplay(coll.Vertices[static_cast<std::size_t>(face.A)]);
    const Vec3 b = ToDisplay(coll.Vertices[static_cast<std::size_t>(face.B)]);
    const Vec3 c = ToDisplay(coll.Vertices[static_cast<std::size_t>(face.C)]);
    TriangleHit hit = RayHitsTriangle(ray, a, b, c);
    if (!hit.Hit && doublesided) hit = RayHitsTriangle(ray, c, b, a);
    // A face behind the eye is not under the cursor, however near it lies.
    if (hit.Hit && hit.T >= 0 && hit.T < best) {
      best = hit.T;
      picked = static_cast<int>(i);
    }
  }
  return picked;
}

}  // namespace vantorel
