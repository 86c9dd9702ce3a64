#include "view/qt/scene_panel_widget.h"

#include <QPainter>

namespace vantorel {

ScenePanelWidget::ScenePanelWidget(QWidget* parent) : QWidget(parent) {
  setObjectName("pnlScreen");
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void ScenePanelWidget::SetBackground(std::uint32_t argb) {
  background_ = argb;
  update();
}

void ScenePanelWidget::RebuildScene() {
  geometryPresent_ = true;
  update();
}

void ScenePanelWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor::fromRgba(background_));
}

}  // namespace vantorel
