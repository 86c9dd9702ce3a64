#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/coll_records.h"
#include "doc/settings.h"
#include "doc/view_options.h"
#include "view/camera.h"
#include "view/scene.h"
#include "view/view_math.h"

namespace vantorel {

enum class Primitive : std::uint8_t { Lines, Triangles };
enum class FillMode : std::uint8_t { Solid, Wireframe };

// Depth bias levels: where drawings coincide, the higher level shows.
inline constexpr int kAxesBias = 0;
inline constexpr int kBoundingBias = 1;
inline constexpr int kSolidBias = 2;
inline constexpr int kSelectionBias = 3;
inline constexpr int kWireframeBias = 4;
// The lines of the San Andreas parts (face group boxes, shadow mesh edges) show over all of it.
inline constexpr int kSaPartsBias = 5;

// One draw of a frame: which arrays, what to draw of them, where, and with which states.
struct DrawCommand {
  bool Credits = false;  // the start-up picture over the whole panel, at CreditsLevel
  int CreditsLevel = 0;
  VertexSource Vertices = VertexSource::Axes;
  std::uint32_t FirstVertex = 0;  // added to every index (a surface slot's first vertex)
  IndexSource Indices = IndexSource::None;
  std::uint32_t FirstIndex = 0;
  std::uint32_t Count = 0;  // indices, or vertices when Indices is None
  Primitive Shape = Primitive::Triangles;
  Matrix4 World = Matrix4::Identity();
  int DepthBias = 0;
  FillMode Fill = FillMode::Solid;
  bool Cull = false;  // counter-clockwise (back-facing) triangles are not drawn
  bool DepthTest = true;
  // Mesh draws share one vertex array and take their colour from the draw.
  bool UseDrawColor = false;
  std::uint32_t DrawColor = 0;
  // Blended over what is drawn by its colour's alpha, leaving the depth buffer as it is.
  bool Translucent = false;
};

// A whole frame in drawing order. Draws is filled again every frame; once it has been reserved
// with FramePlanCapacity, building a frame allocates nothing.
struct FramePlan {
  std::uint32_t ClearColor = 0;
  Matrix4 View = Matrix4::Identity();
  Matrix4 Projection = Matrix4::Identity();
  std::vector<DrawCommand> Draws;
};

struct FrameInputs {
  const Scene& scene;
  const ViewOptions& options;
  const CameraState& camera;  // as PrepareFrameCamera left it
  const Coll& coll;           // the header's bounding objects, the spheres and boxes
  const std::vector<bool>& sphereChecks;
  const std::vector<bool>& boxChecks;
  const MainColors& colors;
  std::optional<int> creditsLevel;
};

// The most draws a frame of this scene and coll can need.
std::size_t FramePlanCapacity(const Scene& scene, const Coll& coll);

// Axes, bounding box and sphere; then, when the scene holds geometry, the solid pass (mesh
// groups, checked boxes, checked spheres), the selection and the wireframe pass (boxes, spheres,
// mesh), the San Andreas parts whose switches are on; the start-up picture last. A sphere, box or
// bounding object whose placement is not finite is left out.
void BuildFramePlan(const FrameInputs& inputs, FramePlan& plan);

}  // namespace vantorel
