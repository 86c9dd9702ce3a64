#pragma once

#include <cstdint>

#include "core/model/model.h"

namespace vantorel {

// Triangles that stand for a coll's spheres and boxes in a 3D tool, appended to a model with
// their vertices; every triangle faces outwards (counter-clockwise seen from outside).

// A UV sphere of kSphereSlices around the height axis and kSphereStacks from pole to pole.
inline constexpr int kSphereSlices = 12;
inline constexpr int kSphereStacks = 8;
void AppendSphereMesh(Model& model, const Vector3& center, float radius, std::uint32_t material);

// The axis-aligned box from min to max: 8 vertices, 12 triangles.
void AppendBoxMesh(Model& model, const Vector3& min, const Vector3& max, std::uint32_t material);

}  // namespace vantorel
