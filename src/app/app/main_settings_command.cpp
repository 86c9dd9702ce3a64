#include "app/main_settings_command.h"

#include "doc/editor.h"

namespace vantorel {

void ShowMainSettings(Editor& editor) {
  if (const auto chosen = editor.Ui().MainSettingsDialog(editor.Settings(), editor.SettingsPath)) {
    editor.ChangeSettings(*chosen);
  }
}

}  // namespace vantorel
