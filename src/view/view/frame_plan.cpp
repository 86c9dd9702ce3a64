#include "view/frame_plan.h"

#include "view/color_vertex.h"
#include "view/static_shapes.h"

namespace vantorel {

namespace {

bool Checked(const std::vector<bool>& checks, std::size_t index) {
  return index < checks.size() && checks[index];
}

// The unit cube stretched over an axis-aligned box of the coll.
Matrix4 BoxWorld(const Vector3& min, const Vector3& max) {
  return Matrix4::ScaleThenTranslate({max.X - min.X, max.Z - min.Z, max.Y - min.Y}, ToDisplay(min));
}

// The unit sphere scaled to a radius and moved to a centre of the coll.
Matrix4 SphereWorld(float radius, const Vector3& center) {
  return Matrix4::ScaleThenTranslate({radius, radius, radius}, ToDisplay(center));
}

class PlanWriter {
 public:
  PlanWriter(const FrameInputs& in, FramePlan& plan) : in_(in), plan_(plan) {}

  void Build() {
    const ViewOptions& o = in_.options;
    const Scene& scene = in_.scene;
    const CollHeader& header = in_.coll.Header;
    plan_.Draws.clear();
    plan_.ClearColor = in_.colors.Background;
    plan_.View = ViewMatrix(in_.camera);
    plan_.Projection = ProjectionMatrix();

    if (o.ShowAxes) {
      Add({.Vertices = VertexSource::Axes,
           .Count = 12,
           .Shape = Primitive::Lines,
           .World = Matrix4::Scaling(1000, 1000, 1000),
           .DepthBias = kAxesBias});
    }
    if (o.BoundingBox) {
      AddPlaced({.Vertices = VertexSource::BoundingBox,
                 .Indices = IndexSource::BoxLines,
                 .Count = 24,
                 .Shape = Primitive::Lines,
                 .DepthBias = kBoundingBias},
                BoxWorld(header.BoundingMin, header.BoundingMax));
    }
    if (o.BoundingSphere) {
      AddPlaced({.Vertices = VertexSource::BoundingSphere,
                 .Indices = IndexSource::BoundingSphereLines,
                 .Count = static_cast<std::uint32_t>(
                     scene.Indices(IndexSource::BoundingSphereLines).size()),
                 .Shape = Primitive::Lines,
                 .DepthBias = kBoundingBias},
                SphereWorld(header.BoundingRadius, header.BoundingCenter));
    }
    if (!scene.GeometryPresent()) {
      AddCredits(true);
      return;
    }

    cull_ = !o.Doublesided;
    if (o.Solid) {
      if (o.ShowMeshes) {
        for (const MeshGroup& group : scene.MeshGroups()) {
          AddMesh(IndexSource::Mesh, group.FirstIndex, group.TriangleCount, kSolidBias,
                  FillMode::Solid, group.Color);
        }
      }
      if (o.ShowBoxes) AddBoxes(VertexSource::SurfaceBoxes, kSolidBias, FillMode::Solid);
      if (o.ShowSpheres) AddSpheres(VertexSource::SurfaceSpheres, kSolidBias, FillMode::Solid);
    }
    if (o.ShowMeshes) {
      AddMesh(IndexSource::Selection, 0, scene.SelectedFaceCount(), kSelectionBias, FillMode::Solid,
              scene.SelectionColor());
    }
    if (o.Wireframe) {
      if (o.ShowBoxes) AddBoxes(VertexSource::WireframeBox, kWireframeBias, FillMode::Wireframe);
      if (o.ShowSpheres) {
        AddSpheres(VertexSource::WireframeSphere, kWireframeBias, FillMode::Wireframe);
      }
      if (o.ShowMeshes) {
        AddMesh(IndexSource::Mesh, 0, scene.MeshTriangleCount(), kWireframeBias,
                FillMode::Wireframe, scene.WireframeColor());
      }
    }
    AddSaParts();
    AddCredits(false);
  }

 private:
  void Add(const DrawCommand& draw) { plan_.Draws.push_back(draw); }

  void AddPlaced(DrawCommand draw, const Matrix4& world) {
    if (!IsFinite(world) || draw.Count == 0) return;
    draw.World = world;
    Add(draw);
  }

  void AddMesh(IndexSource indices, std::uint32_t firstIndex, std::uint32_t triangles, int bias,
               FillMode fill, std::uint32_t color) {
    if (triangles == 0) return;
    Add({.Vertices = VertexSource::Mesh,
         .Indices = indices,
         .FirstIndex = firstIndex,
         .Count = triangles * 3,
         .Shape = Primitive::Triangles,
         .DepthBias = bias,
         .Fill = fill,
         .Cull = cull_,
         .UseDrawColor = true,
         .DrawColor = color});
  }

  void AddBoxes(VertexSource vertices, int bias, FillMode fill) {
    const std::vector<CollBox>& boxes = in_.coll.Boxes;
    const MaterialTable table = MaterialTableOf(in_.coll.Version());
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      if (!Checked(in_.boxChecks, i)) continue;
      const std::uint32_t first =
          vertices == VertexSource::SurfaceBoxes
              ? in_.scene.SurfaceBoxFirstVertex(boxes[i].Surface.Material, table)
              : 0;
      AddPlaced({.Vertices = vertices,
                 .FirstVertex = first,
                 .Indices = IndexSource::BoxTriangles,
                 .Count = 36,
                 .Shape = Primitive::Triangles,
                 .DepthBias = bias,
                 .Fill = fill,
                 .Cull = cull_},
                BoxWorld(boxes[i].Min, boxes[i].Max));
    }
  }

  void AddSpheres(VertexSource vertices, int bias, FillMode fill) {
    const std::vector<CollSphere>& spheres = in_.coll.Spheres;
    const MaterialTable table = MaterialTableOf(in_.coll.Version());
    const auto count = static_cast<std::uint32_t>(in_.scene.SphereTriangleCount() * 3);
    for (std::size_t i = 0; i < spheres.size(); ++i) {
      if (!Checked(in_.sphereChecks, i)) continue;
      const std::uint32_t first =
          vertices == VertexSource::SurfaceSpheres
              ? in_.scene.SurfaceSphereFirstVertex(spheres[i].Surface.Material, table)
              : 0;
      AddPlaced({.Vertices = vertices,
                 .FirstVertex = first,
                 .Indices = IndexSource::SphereTriangles,
                 .Count = count,
                 .Shape = Primitive::Triangles,
                 .DepthBias = bias,
                 .Fill = fill,
                 .Cull = cull_},
                SphereWorld(spheres[i].Radius, spheres[i].Center));
    }
  }

  // The shadow mesh's edges and the face group boxes as lines over everything else, the boxes
  // last where they coincide; then the shadow mesh's see-through fill, which writes no depth and
  // so comes after every opaque draw.
  void AddSaParts() {
    const Scene& scene = in_.scene;
    const std::uint32_t shadow = in_.options.ShowShadowMesh ? scene.ShadowTriangleCount() : 0;
    DrawCommand draw{.Vertices = VertexSource::ShadowMesh,
                     .Indices = IndexSource::ShadowMesh,
                     .Count = shadow * 3,
                     .Shape = Primitive::Triangles,
                     .DepthBias = kSaPartsBias,
                     .Fill = FillMode::Wireframe,
                     .Cull = cull_,
                     .UseDrawColor = true,
                     .DrawColor = kShadowEdgeColor};
    if (shadow > 0) Add(draw);
    const std::uint32_t groupLines = scene.FaceGroupLineCount();
    if (in_.options.ShowFaceGroups && groupLines > 0) {
      Add({.Vertices = VertexSource::FaceGroupBoxes,
           .Indices = IndexSource::FaceGroupLines,
           .Count = groupLines * 2,
           .Shape = Primitive::Lines,
           .DepthBias = kSaPartsBias});
    }
    if (shadow == 0) return;
    draw.DepthBias = kSelectionBias;
    draw.Fill = FillMode::Solid;
    draw.UseDrawColor = false;
    draw.Translucent = true;
    Add(draw);
  }

  void AddCredits(bool depthTest) {
    if (!in_.creditsLevel) return;
    Add({.Credits = true, .CreditsLevel = *in_.creditsLevel, .DepthTest = depthTest});
  }

  const FrameInputs& in_;
  FramePlan& plan_;
  bool cull_ = false;
};

}  // namespace

std::size_t FramePlanCapacity(const Scene& scene, const Coll& coll) {
  // Axes, two bounding objects, the selection, the wireframe mesh and the picture, plus the
  // groups and two draws per sphere and box, and the three of the San Andreas parts.
  return 9 + scene.MeshGroups().size() + 2 * coll.Spheres.size() + 2 * coll.Boxes.size();
}

void BuildFramePlan(const FrameInputs& inputs, FramePlan& plan) {
  PlanWriter(inputs, plan).Build();
}

}  // namespace vantorel
