#pragma once

#include "doc/scene_view.h"

namespace vantorel {

// For an editor without a 3D view (the batch tool, benchmarks): every request of the view is
// ignored.
class NullSceneView final : public SceneView {
 public:
  void ClearGeometryPresent() override {}
  void RebuildScene() override {}
  void RebuildStaticBuffers() override {}
  void RebuildSceneKeepingCamera() override {}
  void RebuildSelection() override {}
  void SetZoomDistance(int) override {}
  ViewOptions Options() const override { return options_; }
  void SetOptions(const ViewOptions& options) override { options_ = options; }
  void ResetCamera() override {}
  void HoldStartPicture(bool) override {}

 private:
  ViewOptions options_;
};

}  // namespace vantorel
