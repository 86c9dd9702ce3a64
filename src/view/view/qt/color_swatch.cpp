#include "view/qt/color_swatch.h"

#include <QMouseEvent>
#include <QPainter>

namespace vantorel {

ColorSwatch::ColorSwatch(const char* name, int width, int height, QWidget* parent)
    : QFrame(parent) {
  setObjectName(name);
  setFixedSize(width, height);
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Sunken);
  setCursor(Qt::PointingHandCursor);
}

void ColorSwatch::SetColor(std::uint32_t bgr) {
  color_ = bgr & 0xFFFFFF;
  update();
}

void ColorSwatch::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(contentsRect(),
                   QColor(static_cast<int>(color_ & 0xFF), static_cast<int>((color_ >> 8) & 0xFF),
                          static_cast<int>((color_ >> 16) & 0xFF)));
  painter.end();
  QFrame::paintEvent(event);
}

void ColorSwatch::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit clicked();
}

}  // namespace vantorel
