#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "view/color_vertex.h"

namespace vantorel {

// The shapes that do not depend on the coll: axes, the unit cube and unit sphere that every box
// and sphere is drawn from, and the three circles of the bounding sphere. Each Append* adds the
// vertices of one copy to the end of out, so that many coloured copies can share one array.

// The twelve vertices of the six axis lines, from -1 to 1 on each display axis.
void AppendAxes(std::vector<ColorVertex>& out);

// Corners 0..7 of the cube from (0, 0, 0) to (1, 1, 1).
void AppendUnitCube(std::vector<ColorVertex>& out, std::uint32_t color);
inline constexpr int kCubeVertexCount = 8;
// The twelve edges as pairs of corners.
inline constexpr std::array<std::uint32_t, 24> kBoxLineIndices{0, 1, 1, 2, 2, 3, 3, 0, 4, 5, 5, 6,
                                                               6, 7, 7, 4, 0, 4, 1, 5, 2, 6, 3, 7};
// The twelve triangles, two per side, each clockwise seen from outside.
inline constexpr std::array<std::uint32_t, 36> kBoxTriangleIndices{
    2, 1, 0, 0, 3, 2, 6, 5, 1, 1, 2, 6, 7, 4, 5, 5, 6, 7,
    3, 0, 4, 4, 7, 3, 6, 2, 3, 3, 7, 6, 1, 5, 4, 4, 0, 1};

// The sphere of radius 1 around the origin with n segments (n even, at least 4): the top pole,
// n / 2 - 1 rings of n vertices from the top down, and the bottom pole.
int SphereVertexCount(int segments);
int SphereTriangleCount(int segments);
void AppendUnitSphere(std::vector<ColorVertex>& out, int segments, std::uint32_t color);
// Top cap, the bands from the top down, bottom cap; every triangle clockwise seen from outside.
std::vector<std::uint32_t> UnitSphereIndices(int segments);

// Three circles of radius 1 around the origin with m vertices each, in the planes y = 0,
// z = 0 and x = 0, and their 3m closed-loop line segments.
void AppendBoundingCircles(std::vector<ColorVertex>& out, int segments, std::uint32_t color);
std::vector<std::uint32_t> BoundingCircleIndices(int segments);

// Segment counts as the shapes accept them: 4..48 and even, whatever the settings held.
int SphereSegments(int segments);

}  // namespace vantorel
