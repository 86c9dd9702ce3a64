#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/surface_types.h"
#include "doc/color_settings.h"
#include "doc/dialog_values.h"
#include "doc/mesh_import_request.h"
#include "doc/settings.h"

namespace vantorel {

enum class Answer { Yes, No, Cancel };
enum class Buttons { YesNo, YesNoCancel };

// A question box: always with the question icon. Escape and the close box answer Cancel, or No
// where there is no Cancel: a question whose No destroys something must offer Cancel.
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
  std::filesystem::path InitialDir;
  std::filesystem::path FileName;
  bool MustExist = false;     // the file and its path must exist (open)
  bool AskOverwrite = false;  // ask before replacing an existing file (save)
};

// Everything the editor asks of the person or tells them, and the few services of the platform
// it needs. Texts are UTF-8. The window implements it with Qt; tests implement it with a
// scripted fake, the batch tool with answers from its command line. What the editor's state
// looks like reaches the window through the change notifications, not through this port.
class EditorUi {
 public:
  virtual ~EditorUi() = default;

  virtual Answer Ask(const Question& question) = 0;
  // A plain message with one OK button and the application title as caption.
  virtual void Message(const std::string& text) = 0;
  // A failure reported by the system (a file that cannot be read or written).
  virtual void Error(const std::string& text) = 0;
  virtual std::optional<std::filesystem::path> OpenFileDialog(const FileDialogRequest& request) = 0;
  virtual std::optional<std::filesystem::path> SaveFileDialog(const FileDialogRequest& request) = 0;
  // A one-line input box; nullopt when cancelled.
  virtual std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                              const std::string& text) = 0;

  // The Main Settings dialog, loaded with current and naming the settings file in use; nullopt
  // when cancelled.
  virtual std::optional<Settings> MainSettingsDialog(const Settings& current,
                                                     const std::filesystem::path& settingsFile) = 0;
  // The rename dialog (TForm6) with caption and the coll's old name; the accepted new name,
  // trimmed, or nullopt when cancelled.
  virtual std::optional<std::string> AskNewName(const std::string& caption,
                                                const std::string& oldName) = 0;
  // The coll selection dialog (TForm7); the indices of the chosen lines in list order, or nullopt
  // when cancelled.
  virtual std::optional<std::vector<int>> SelectColls(const SelectCollsRequest& request) = 0;
  // The merge dialog (TForm9) over the coll list's lines, both choices starting on current.
  virtual std::optional<MergeChoice> ChooseMerge(const std::vector<std::string>& lines,
                                                 int current) = 0;
  // The Import Mesh dialog; what the person chose, or nullopt when cancelled.
  virtual std::optional<MeshImportValues> AskMeshImport(const MeshImportRequest& request) = 0;
  // The Change Surface dialog (TForm4) for one element.
  virtual std::optional<SurfaceChoice> ChangeSurfaceDialog(const SurfaceDialogValues& values) = 0;
  // The value dialog of a sphere or box, showing values with the given decimal separator and a
  // list of the surface types; returns what was entered on OK, nullopt when cancelled.
  virtual std::optional<ElementValues> EditElementValues(const std::string& caption,
                                                         const ElementValues& values,
                                                         const SurfaceTypeTable& surfaces,
                                                         char decimalSeparator) = 0;
  // The script viewer of a coll, which saves the script by itself. script is in the Windows
  // code page, as a script file holds it; the save dialog proposes collName + ".cst" in folder.
  virtual void ShowCollisionScript(const std::string& script, const std::string& collName,
                                   const std::filesystem::path& folder) = 0;
  // The local date and time as the locale writes them: the short date, a blank and the long
  // time; only the date at exactly midnight.
  virtual std::string LocalDateTimeText() = 0;
  // The colour settings dialog (TForm2) over copies of the main colours and the surface table;
  // what the person chose, or nullopt when cancelled.
  virtual std::optional<ColorSettings> ColorSettingsDialog(const MainColors& colors,
                                                           const SurfaceTypeTable& surfaces) = 0;
  // The About message.
  virtual void ShowAbout(const std::string& text) { Message(text); }

  // Closes the main window, which asks the close questions first.
  virtual void CloseMainWindow() {}
  // Opens a web page or a mail-to address with the desktop's handler.
  virtual void OpenUrl(const std::string& /*url*/) {}

  // Long work calls this between steps (done of total bytes) so the window can repaint and
  // show progress; no user input may run meanwhile.
  virtual void KeepAlive(std::size_t /*done*/, std::size_t /*total*/) {}
};

}  // namespace vantorel
