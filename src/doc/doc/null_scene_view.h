#pragma once

#include "doc/scene_view.h"

namespace vantorel {

// For an editor without a 3D view (the batch tool, benchmarks): the switches are kept, every
// other request is ignored.
class NullSceneView final : public SceneView {
 public:
  ViewOptions Options() const override { return options_; }
  void SetOptions(const ViewOptions& options) override { options_ = options; }
  void ResetCamera() override {}
  void HoldStartPicture(bool) override {}

 private:
  ViewOptions options_;
};

}  // namespace vantorel
