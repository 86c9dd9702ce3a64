#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "cli/batch_ui.h"
#include "cli/cli_commands.h"
#include "cli/file_lock.h"
#include "doc/editor.h"
#include "doc/null_scene_view.h"

namespace vantorel::cli {

// The editor of one batch command: the same Editor the window drives, with the batch port and no
// view, default settings and no undo history. It opens the command's file, selects colls, runs
// rows of the command table and saves, and says whether each step went through. Every step
// runs inside the editor's command boundary; a step that fails has already said why on the
// error stream.
class BatchEditor {
 public:
  BatchEditor(const Environment& environment, std::ostream& err);
  BatchEditor(const BatchEditor&) = delete;
  BatchEditor& operator=(const BatchEditor&) = delete;

  vantorel::Editor& Editor() { return editor_; }
  BatchUi& Ui() { return ui_; }

  // Opens the file. What the editor says about the first coll, which it selects on opening, is
  // dropped: the command selects the coll it works on itself. A scan that stopped at a damaged
  // record is reported. With lock, the file is locked first (see FileLock) until the editor
  // goes, and a save refuses a file that changed on disk since it was read.
  bool Open(const std::string& path, bool lock = false);
  // Before a command that writes the file: refuses a file with bytes after its last readable
  // coll that are neither collision data nor zero padding, as every write of the editor drops
  // them.
  bool CheckWritable();
  // The directory index of a COLL argument (#N or an exact name).
  std::optional<int> FindColl(const std::string& key);
  // Selects a coll as a click on its line does; true when its record was read.
  bool Select(int index);
  // Runs a row of the command table. A row that does not apply fails with its reason. It went
  // through when no error was reported and done says so; when done does not, and the editor said
  // nothing, that is said.
  bool RunRow(std::string_view row, const std::function<bool()>& done = {});
  // Applies the working copy when it was changed.
  bool Apply();
  // Saves the file in place when it was changed, or always to output when one is given.
  bool Save(const std::optional<std::string>& output);

 private:
  std::ostream& err_;
  BatchUi ui_;
  NullSceneView view_;
  vantorel::Editor editor_;
  std::string path_;
  FileLock lock_;
};

}  // namespace vantorel::cli
