#pragma once

#include <QSize>
#include <QString>

class QWidget;

namespace vantorel {

// The width a window needs for its whole title: the text in a title bar's (bold) font, plus room
// for the window manager's icon and buttons.
int TitleBarWidth(const QWidget& window, const QString& title);

// The size cut down to the free area of the screen the window is on (the primary screen before
// it is shown), so that no window opens larger than the desktop.
QSize WithinScreen(const QWidget& window, QSize size);

}  // namespace vantorel
