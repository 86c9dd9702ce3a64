#pragma once

namespace vantorel {

class Editor;

// "Main Settings...": shows the dialog with the current values; OK takes them and redraws the
// view with the new segment counts without moving the camera. Window size and antialiasing
// take effect at the next start.
void ShowMainSettings(Editor& editor);

}  // namespace vantorel
