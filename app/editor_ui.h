#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "app/settings.h"

namespace vantorel {

enum class Answer { Yes, No, Cancel };
enum class Buttons { YesNo, YesNoCancel };

// A question box: always with the question icon.
struct Question {
  std::string Text;
  std::string Caption;
  Buttons Choices = Buttons::YesNoCancel;
  Answer Default = Answer::Yes;
};

// The standard open or save dialog. Filter uses "Text|pattern|Text|pattern" pairs.
struct FileDialogRequest {
  std::string Title;
  std::string Filter;
  std::string DefaultExt;
  std::string InitialDir;
  std::string FileName;
  bool MustExist = false;     // the file and its path must exist (open)
  bool AskOverwrite = false;  // ask before replacing an existing file (save)
};

// Everything the editor says to or asks of the person, and what it tells the window that shows
// its state. The window implements it with Qt; tests implement it with a scripted fake.
class EditorUi {
 public:
  virtual ~EditorUi() = default;

  virtual Answer Ask(const Question& question) = 0;
  // A plain message with one OK button and the application title as caption.
  virtual void Message(const std::string& text) = 0;
  // A failure reported by the system (a file that cannot be read or written).
  virtual void Error(const std::string& text) = 0;
  virtual std::optional<std::string> OpenFileDialog(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> SaveFileDialog(const FileDialogRequest& request) = 0;
  // A one-line input box; nullopt when cancelled.
  virtual std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                              const std::string& text) = 0;

  // The Main Settings dialog, loaded with current; nullopt when cancelled.
  virtual std::optional<MainSettingsValues> MainSettingsDialog(
      const MainSettingsValues& current) = 0;

  // Long work calls this between steps (done of total bytes) so the window can repaint and
  // show progress; no user input may run meanwhile.
  virtual void KeepAlive(std::size_t /*done*/, std::size_t /*total*/) {}

  // Notifications about the state the window shows.
  virtual void CaptionChanged() {}
  virtual void CollListReset() {}
  virtual void CollLineChanged(int /*index*/) {}
  virtual void CollSelectionChanged() {}
  virtual void ElementListsChanged() {}
  virtual void ChecksChanged() {}
  virtual void StatusChanged() {}
};

}  // namespace vantorel
