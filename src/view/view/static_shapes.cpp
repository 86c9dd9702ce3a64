#include "view/static_shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vantorel {

namespace {

struct AxisLine {
  Vec3 from;
  Vec3 to;
  std::uint32_t color;
};

// The coll's x axis is red, its height axis (display y) blue and its y axis (display z) green;
// negative halves at half intensity.
constexpr std::array<AxisLine, 6> kAxes{{
    {{0, 0, 0}, {1, 0, 0}, 0xFFFF0000},
    {{-1, 0, 0}, {0, 0, 0}, 0xFF800000},
    {{0, 0, 0}, {0, 1, 0}, 0xFF0000FF},
    {{0, -1, 0}, {0, 0, 0}, 0xFF000080},
    {{0, 0, 0}, {0, 0, 1}, 0xFF00FF00},
    {{0, 0, -1}, {0, 0, 0}, 0xFF008000},
}};

constexpr std::array<Vec3, kCubeVertexCount> kCubeCorners{{
    {0, 0, 0},
    {1, 0, 0},
    {1, 1, 0},
    {0, 1, 0},
    {0, 0, 1},
    {1, 0, 1},
    {1, 1, 1},
    {0, 1, 1},
}};

ColorVertex At(double x, double y, double z, std::uint32_t color) {
  return {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z), color};
}

}  // namespace

void AppendAxes(std::vector<ColorVertex>& out) {
  for (const AxisLine& line : kAxes) {
    out.push_back({line.from.X, line.from.Y, line.from.Z, line.color});
    out.push_back({line.to.X, line.to.Y, line.to.Z, line.color});
  }
}

void AppendUnitCube(std::vector<ColorVertex>& out, std::uint32_t color) {
  for (const Vec3& corner : kCubeCorners)
    out.push_back({corner.X, corner.Y, corner.Z, color});
}

int SphereSegments(int segments) {
  const int clamped = std::clamp(segments, 4, 48);
  return clamped - clamped % 2;
}

int SphereVertexCount(int segments) {
  return segments * (segments / 2 - 1) + 2;
}

int SphereTriangleCount(int segments) {
  return segments * (segments - 2);
}

void AppendUnitSphere(std::vector<ColorVertex>& out, int n, std::uint32_t color) {
  const double pi = std::numbers::pi;
  out.push_back(At(0, 1, 0, color));
  for (int ring = 1; ring <= n / 2 - 1; ++ring) {
    const double polar = ring * pi / (n / 2);
    for (int segment = 1; segment <= n; ++segment) {
      const double azimuth = segment * 2 * pi / n;
      out.push_back(At(std::sin(azimuth) * std::sin(polar), std::cos(polar),
                       std::cos(azimuth) * std::sin(polar), color));
    }
  }
  out.push_back(At(0, -1, 0, color));
}

std::vector<std::uint32_t> UnitSphereIndices(int n) {
  const int rings = n / 2 - 1;
  const auto ringVertex = [n](int ring, int segment) {  // segment 0-based, wrapping
    return static_cast<std::uint32_t>(1 + (ring - 1) * n + segment % n);
  };
  const auto bottom = static_cast<std::uint32_t>(SphereVertexCount(n) - 1);
  std::vector<std::uint32_t> indices;
  indices.reserve(static_cast<std::size_t>(3 * SphereTriangleCount(n)));
  for (int s = 0; s < n; ++s) {
    indices.insert(indices.end(), {0u, ringVertex(1, s), ringVertex(1, s + 1)});
  }
  for (int ring = 1; ring <= rings - 1; ++ring) {
    for (int s = 0; s < n; ++s) {
      const std::uint32_t current = ringVertex(ring + 1, s);
      const std::uint32_t next = ringVertex(ring + 1, s + 1);
      const std::uint32_t upper = ringVertex(ring, s);
      const std::uint32_t upperNext = ringVertex(ring, s + 1);
      indices.insert(indices.end(), {upper, current, next, next, upperNext, upper});
    }
  }
  for (int s = 0; s < n; ++s) {
    indices.insert(indices.end(), {ringVertex(rings, s + 1), ringVertex(rings, s), bottom});
  }
  return indices;
}

void AppendBoundingCircles(std::vector<ColorVertex>& out, int m, std::uint32_t color) {
  const auto angle = [m](int k) { return k * 360.0 / m * std::numbers::pi / 180.0; };
  for (int k = 0; k < m; ++k)
    out.push_back(At(std::sin(angle(k)), 0, std::cos(angle(k)), color));
  for (int k = 0; k < m; ++k)
    out.push_back(At(std::sin(angle(k)), std::cos(angle(k)), 0, color));
  for (int k = 0; k < m; ++k)
    out.push_back(At(0, std::sin(angle(k)), std::cos(angle(k)), color));
}

std::vector<std::uint32_t> BoundingCircleIndices(int m) {
  std::vector<std::uint32_t> indices;
  indices.reserve(static_cast<std::size_t>(6 * m));
  for (int circle = 0; circle < 3; ++circle) {
    const int first = circle * m;
    for (int k = 0; k < m; ++k) {
      indices.push_back(static_cast<std::uint32_t>(first + k));
      indices.push_back(static_cast<std::uint32_t>(first + (k + 1) % m));
    }
  }
  return indices;
}

}  // namespace vantorel
