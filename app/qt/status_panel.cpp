#include "app/qt/status_panel.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <algorithm>

namespace vantorel {

StatusPanel::StatusPanel(int classicWidth, bool shrinks, QWidget* parent)
    : QLabel(parent), classicWidth_(classicWidth), shrinks_(shrinks) {
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

int StatusPanel::Indent() const {
  // A framed label keeps half an "x" between its frame and its text.
  return indent() >= 0 ? indent() : fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2;
}

int StatusPanel::TextWidth() const {
  const int chrome = 2 * frameWidth() + 2 * margin() + 2 * Indent();
  return fontMetrics().horizontalAdvance(text()) + chrome;
}

bool StatusPanel::Elided() const {
  return TextWidth() > width();
}

QSize StatusPanel::sizeHint() const {
  return {std::max(classicWidth_, TextWidth()), QLabel::sizeHint().height()};
}

QSize StatusPanel::minimumSizeHint() const {
  // Numbers must show whole; a name or the dimensions give way where the bar is short of room.
  const int least = shrinks_ ? std::min(classicWidth_, TextWidth()) : TextWidth();
  return {std::max(least, 0), QLabel::minimumSizeHint().height()};
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
  const QRect area = contentsRect().adjusted(margin() + Indent(), 0, -margin() - Indent(), 0);
  const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
  style()->drawItemText(&painter, area, static_cast<int>(alignment()), palette(), isEnabled(),
                        shown, foregroundRole());
}

}  // namespace vantorel
