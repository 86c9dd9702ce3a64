#include "app/qt/status_panel.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <algorithm>

namespace vantorel {

StatusPanel::StatusPanel(int classicWidth, QWidget* parent)
    : QLabel(parent), classicWidth_(classicWidth) {
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Sunken);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void StatusPanel::SetPanelText(const QString& text) {
  if (text == this->text()) return;
  setText(text);
  updateGeometry();
  UpdateToolTip();
}

int StatusPanel::TextWidth() const {
  // The frame, the label's margins and a few pixels of air on either side.
  const int chrome = 2 * frameWidth() + 2 * margin() + 6;
  return fontMetrics().horizontalAdvance(text()) + chrome;
}

bool StatusPanel::Elided() const {
  return TextWidth() > width();
}

QSize StatusPanel::sizeHint() const {
  return {std::max(classicWidth_, TextWidth()), QLabel::sizeHint().height()};
}

QSize StatusPanel::minimumSizeHint() const {
  return {classicWidth_, QLabel::minimumSizeHint().height()};
}

void StatusPanel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  UpdateToolTip();
}

void StatusPanel::UpdateToolTip() {
  setToolTip(Elided() ? text() : QString());
}

void StatusPanel::paintEvent(QPaintEvent* event) {
  if (!Elided()) {
    QLabel::paintEvent(event);
    return;
  }
  QFrame::paintEvent(event);  // the sunken frame only
  QPainter painter(this);
  const QRect area = contentsRect().adjusted(margin() + 3, 0, -margin() - 3, 0);
  const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
  style()->drawItemText(&painter, area, static_cast<int>(alignment()), palette(), isEnabled(),
                        shown, foregroundRole());
}

}  // namespace vantorel
