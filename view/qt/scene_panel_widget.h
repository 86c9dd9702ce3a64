#pragma once

#include <QWidget>

#include "app/scene_view.h"

namespace vantorel {

// The panel the 3D view draws into. Until the renderer is in place it shows the background
// colour and keeps the view state the editor sets (zoom distance, automatic zoom).
class ScenePanelWidget : public QWidget, public SceneView {
  Q_OBJECT

 public:
  explicit ScenePanelWidget(QWidget* parent = nullptr);

  void SetBackground(std::uint32_t argb);
  int ZoomDistance() const { return zoomDistance_; }
  bool GeometryPresent() const { return geometryPresent_; }

  void ClearGeometryPresent() override { geometryPresent_ = false; }
  void RebuildScene() override;
  void RebuildStaticBuffers() override { update(); }
  void RebuildSceneKeepingCamera() override { RebuildScene(); }
  void RebuildSelection() override { update(); }
  void SetZoomDistance(int distance) override { zoomDistance_ = distance; }
  bool AutomaticZoom() const override { return automaticZoom_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::uint32_t background_ = 0xFF153642;
  int zoomDistance_ = 100;
  bool automaticZoom_ = true;
  bool geometryPresent_ = false;
};

}  // namespace vantorel
