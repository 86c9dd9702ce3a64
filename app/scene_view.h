#pragma once

namespace vantorel {

// What the editor asks of the 3D view. The view reads the working copy and the check marks
// from the editor itself when it rebuilds.
class SceneView {
 public:
  virtual ~SceneView() = default;

  // Frames drawn while the working copy is being replaced show no coll.
  virtual void ClearGeometryPresent() = 0;
  // Rebuilds every buffer of the working copy and puts the camera on its bounding sphere.
  virtual void RebuildScene() = 0;
  // Rebuilds the shapes that do not depend on the coll (sphere meshes, outlines, axes), after
  // segment counts or colours changed.
  virtual void RebuildStaticBuffers() = 0;
  // RebuildScene with the camera kept where it is.
  virtual void RebuildSceneKeepingCamera() = 0;
  // Rebuilds the highlight of the checked faces.
  virtual void RebuildSelection() = 0;
  virtual void SetZoomDistance(int distance) = 0;
  // Whether the view's "Automatic Zoom" switch is on.
  virtual bool AutomaticZoom() const = 0;
};

}  // namespace vantorel
