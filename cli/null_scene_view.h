#pragma once

#include "app/scene_view.h"

namespace vantorel::cli {

// The batch tool's editor has no 3D view: every request of the view is ignored.
class NullSceneView final : public SceneView {
 public:
  void ClearGeometryPresent() override {}
  void RebuildScene() override {}
  void RebuildStaticBuffers() override {}
  void RebuildSceneKeepingCamera() override {}
  void RebuildSelection() override {}
  void SetZoomDistance(int) override {}
  bool AutomaticZoom() const override { return false; }
};

}  // namespace vantorel::cli
