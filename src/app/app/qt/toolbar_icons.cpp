#include "app/qt/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <optional>
#include <utility>

namespace vantorel {

namespace {

enum class ToolbarIcon {
  Pick,
  Zoom,
  Rotate,
  Move,
  Drawing,
  Surfaces,
  Colors,
  Boundings,
  ImportMesh,
  ShadowMesh,
  FaceGroups
};

std::optional<ToolbarIcon> IconNamed(std::string_view name) {
  constexpr std::pair<std::string_view, ToolbarIcon> kNames[] = {
      {"Pick", ToolbarIcon::Pick},
      {"Zoom", ToolbarIcon::Zoom},
      {"Rotate", ToolbarIcon::Rotate},
      {"Move", ToolbarIcon::Move},
      {"Drawing", ToolbarIcon::Drawing},
      {"Surfaces", ToolbarIcon::Surfaces},
      {"Colors", ToolbarIcon::Colors},
      {"Boundings", ToolbarIcon::Boundings},
      {"ImportMesh", ToolbarIcon::ImportMesh},
      {"ShadowMesh", ToolbarIcon::ShadowMesh},
      {"FaceGroups", ToolbarIcon::FaceGroups}};
  for (const auto& [iconName, icon] : kNames) {
    if (iconName == name) return icon;
  }
  return std::nullopt;
}

}  // namespace

QIcon MakeToolbarIcon(std::string_view name) {
  const std::optional<ToolbarIcon> known = IconNamed(name);
  if (!known) return QIcon();
  const ToolbarIcon icon = *known;
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(30, 30, 30), 1.5));
  switch (icon) {
    case ToolbarIcon::Pick: {  // an arrow cursor
      QPainterPath path;
      path.moveTo(4, 2);
      path.lineTo(4, 14);
      path.lineTo(7, 11);
      path.lineTo(10, 15);
      path.lineTo(11.5, 14);
      path.lineTo(8.5, 10);
      path.lineTo(12, 10);
      path.closeSubpath();
      p.setBrush(Qt::white);
      p.drawPath(path);
      break;
    }
    case ToolbarIcon::Zoom:  // a magnifier
      p.drawEllipse(QRectF(2, 2, 8, 8));
      p.drawLine(QPointF(9, 9), QPointF(14, 14));
      break;
    case ToolbarIcon::Rotate:  // a circular arrow
      p.drawArc(QRectF(2.5, 2.5, 11, 11), 30 * 16, 300 * 16);
      p.drawLine(QPointF(13, 4), QPointF(13, 8));
      p.drawLine(QPointF(13, 8), QPointF(9.5, 7));
      break;
    case ToolbarIcon::Move:  // a cross of arrows
      p.drawLine(QPointF(8, 1.5), QPointF(8, 14.5));
      p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
      p.drawLine(QPointF(8, 1.5), QPointF(6, 4));
      p.drawLine(QPointF(8, 1.5), QPointF(10, 4));
      p.drawLine(QPointF(14.5, 8), QPointF(12, 6));
      p.drawLine(QPointF(14.5, 8), QPointF(12, 10));
      break;
    case ToolbarIcon::Drawing:  // a wire cube
      p.drawRect(QRectF(2, 5, 8, 8));
      p.drawPolyline(QPolygonF(
          {QPointF(2, 5), QPointF(6, 2), QPointF(14, 2), QPointF(14, 10), QPointF(10, 13)}));
      p.drawLine(QPointF(10, 5), QPointF(14, 2));
      break;
    case ToolbarIcon::Surfaces:  // four surface colours
      p.setPen(Qt::NoPen);
      p.fillRect(QRectF(2, 2, 6, 6), QColor(0x00, 0x90, 0x00));
      p.fillRect(QRectF(8, 2, 6, 6), QColor(0xAD, 0xAD, 0xAD));
      p.fillRect(QRectF(2, 8, 6, 6), QColor(0x00, 0x48, 0xF0));
      p.fillRect(QRectF(8, 8, 6, 6), QColor(0x97, 0x4B, 0x00));
      break;
    case ToolbarIcon::Colors:  // a palette
      p.setBrush(QColor(235, 220, 180));
      p.drawEllipse(QRectF(1.5, 2.5, 13, 11));
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(200, 40, 40));
      p.drawEllipse(QRectF(4, 5, 3, 3));
      p.setBrush(QColor(40, 120, 200));
      p.drawEllipse(QRectF(8, 4.5, 3, 3));
      p.setBrush(QColor(40, 160, 60));
      p.drawEllipse(QRectF(9, 8.5, 3, 3));
      break;
    case ToolbarIcon::Boundings:  // a box inside a circle
      p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
      p.drawRect(QRectF(5, 5, 6, 6));
      break;
    case ToolbarIcon::ImportMesh:  // an arrow down into two triangles of a mesh
      p.setBrush(QColor(170, 215, 170));
      p.drawPolygon(QPolygonF({QPointF(1.5, 14.5), QPointF(8, 8), QPointF(14.5, 14.5)}));
      p.drawLine(QPointF(8, 8), QPointF(8, 14.5));
      p.drawLine(QPointF(8, 1), QPointF(8, 6));
      p.drawLine(QPointF(5.5, 3.5), QPointF(8, 6));
      p.drawLine(QPointF(10.5, 3.5), QPointF(8, 6));
      break;
    case ToolbarIcon::ShadowMesh:  // a see-through violet ground triangle under a post
      p.setPen(QPen(QColor(150, 50, 190), 1.2));
      p.setBrush(QColor(176, 64, 224, 110));
      p.drawPolygon(QPolygonF({QPointF(1.5, 14), QPointF(14.5, 14), QPointF(9, 8.5)}));
      p.drawLine(QPointF(9, 8.5), QPointF(6.5, 14));
      p.setPen(QPen(QColor(30, 30, 30), 1.5));
      p.drawLine(QPointF(5, 2), QPointF(5, 11));
      break;
    case ToolbarIcon::FaceGroups:  // two orange boxes side by side
      p.setPen(QPen(QColor(220, 110, 0), 1.5));
      p.drawRect(QRectF(1.5, 6.5, 6, 7));
      p.drawRect(QRectF(8.5, 2.5, 6, 11));
      break;
  }
  return QIcon(pixmap);
}

}  // namespace vantorel
