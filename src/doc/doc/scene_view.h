#pragma once

#include "doc/view_options.h"

namespace vantorel {

// What the editor asks of the 3D view. The view reads the working copy, the check marks, the
// colours and the segment counts from the editor itself when it rebuilds and draws; its camera,
// switches and navigation mode are its own.
class SceneView {
 public:
  virtual ~SceneView() = default;

  // Frames drawn while the working copy is being replaced show no coll.
  virtual void ClearGeometryPresent() = 0;
  // Rebuilds every buffer of the working copy and puts the camera on its bounding sphere.
  virtual void RebuildScene() = 0;
  // Rebuilds the shapes that do not depend on the coll (sphere meshes, outlines, axes), after
  // segment counts, colours or the surface-colour switch changed.
  virtual void RebuildStaticBuffers() = 0;
  // RebuildScene with the camera kept where it is.
  virtual void RebuildSceneKeepingCamera() = 0;
  // Rebuilds the highlight of the checked faces.
  virtual void RebuildSelection() = 0;
  // The distance of camera resets and of the animation.
  virtual void SetZoomDistance(int distance) = 0;

  // The switches of the view. SetOptions takes them as they are, for the next frame; what a
  // switch needs rebuilt (the surface colours) is rebuilt by the caller.
  virtual ViewOptions Options() const = 0;
  virtual void SetOptions(const ViewOptions& options) = 0;
  // The zoom distance from the bounding radius (or 100 without automatic zoom), the camera on
  // the bounding sphere's centre.
  virtual void ResetCamera() = 0;
  // While held, the start-up picture shows at full strength; released, it fades out over two
  // seconds from that moment.
  virtual void HoldStartPicture(bool hold) = 0;
};

}  // namespace vantorel
