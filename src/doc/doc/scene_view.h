#pragma once

#include "doc/view_options.h"

namespace vantorel {

// What a command asks of the 3D view that is no news of the document. What the view shows of the
// document (the working copy, the check marks, the colours and segment counts) it rebuilds by
// itself from the editor's notices; its camera, switches and navigation mode are its own.
class SceneView {
 public:
  virtual ~SceneView() = default;

  // The switches of the view. SetOptions takes them for the next frame and rebuilds what a
  // switch needs rebuilt (the surface colours).
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
