#include "doc/command_row.h"

#include "doc/editor.h"

namespace vantorel {

std::string CommandName(std::string_view caption) {
  std::string name;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      // "&&" stands for one "&".
      if (i + 1 < caption.size() && caption[i + 1] == '&') name.push_back(caption[++i]);
      continue;
    }
    name.push_back(caption[i]);
  }
  while (!name.empty() && name.back() == '.')
    name.pop_back();
  return name;
}

std::string CaptionText(std::string_view text) {
  std::string caption;
  caption.reserve(text.size());
  for (const char c : text) {
    if (c == '&') caption.push_back('&');
    caption.push_back(c);
  }
  return caption;
}

std::optional<NotApplying> WhyNotNow(const CommandRow& row, const Editor& editor) {
  if (!row.Applies) return std::nullopt;
  return row.Applies(editor);
}

void RunCommand(Editor& editor, const CommandRow& row) {
  if (!row.Run) return;
  editor.Run(
      CommandName(row.Caption),
      [&] {
        if (const std::optional<NotApplying> notNow = WhyNotNow(row, editor)) {
          if (notNow->Told) editor.Ui().Message(notNow->Reason);
          return;
        }
        if (row.ApplyFirst && editor.AskApplyChanges() == Answer::Cancel) {
          editor.ReselectCurrentLine();
          return;
        }
        row.Run(editor);
      },
      row.Step);
}

}  // namespace vantorel
