#include "app/qt/status_panel.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <algorithm>

namespace vantorel {

StatusPanel::StatusPanel(int classicWidth, PanelFit fit, QWidget* parent)
    : QLabel(parent), classicWidth_(classicWidth), fit_(fit) {
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
  const int width = fit_ == PanelFit::Hugs ? TextWidth() : std::max(classicWidth_, TextWidth());
  return {width, QLabel::sizeHint().height()};
}

QSize StatusPanel::minimumSizeHint() const {
  const int least = fit_ == PanelFit::Whole ? TextWidth() : std::min(classicWidth_, TextWidth());
  return {least, QLabel::minimumSizeHint().height()};
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
