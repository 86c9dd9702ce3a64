#include "app/register_file_type_command.h"

#include "app/file_type_registration.h"
#include "doc/editor_ui.h"

namespace vantorel {

void RegisterFileTypeCommand(EditorUi& ui, const std::string& programPath) {
  const Question question{"Do you want to associate Vantorel with the file extension .col?",
                          "Register File Type", Buttons::YesNo, Answer::Yes};
  if (ui.Ask(question) != Answer::Yes) return;
  if (const auto error = RegisterFileType(programPath)) ui.Error(*error);
}

}  // namespace vantorel
