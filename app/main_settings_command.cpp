#include "app/main_settings_command.h"

#include "app/editor.h"

namespace vantorel {

void ShowMainSettings(Editor& editor) {
  const auto chosen = editor.Ui().MainSettingsDialog(MainSettingsFrom(editor.Settings));
  if (!chosen) return;
  TakeMainSettings(editor.Settings, *chosen);
  editor.View().RebuildStaticBuffers();
  editor.View().RebuildSceneKeepingCamera();
}

}  // namespace vantorel
