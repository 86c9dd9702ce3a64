#include "app/qt/window_fit.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace vantorel {

namespace {

// The window menu icon and the close button of a tool window's title bar, with their margins.
constexpr int kTitleBarDecoration = 96;

}  // namespace

int TitleBarWidth(const QWidget& window, const QString& title) {
  QFont font = window.font();
  font.setBold(true);
  return QFontMetrics(font).horizontalAdvance(title) + kTitleBarDecoration;
}

QSize WithinScreen(const QWidget& window, QSize size) {
  const QScreen* screen = window.screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return size;
  return size.boundedTo(screen->availableGeometry().size());
}

}  // namespace vantorel
