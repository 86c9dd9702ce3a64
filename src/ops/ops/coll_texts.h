#pragma once

#include <string>

#include "doc/editor_ui.h"

// The fixed texts of the commands on whole colls, in one place. Names passed in are UTF-8.
namespace vantorel::texts {

inline constexpr const char* kRenameCaption = "Rename Collision Object";
inline constexpr const char* kCopyCaption = "Copy Collision Object";
inline constexpr const char* kExportTitle = "Export Collision File";

// "Do you really want to delete " + name + "?", Yes/No with No the default.
Question DeleteQuestion(const std::string& collName);
// Whether to append to an export target that exists, or overwrite it; Yes the default. No
// overwrites, so the question has a Cancel, which Escape and the close box answer.
Question AppendQuestion();
// Export refuses the file that is open: the coll would be written beside the image being edited
// in memory, and the next save would overwrite it.
std::string ExportIntoOpenFile(const std::string& path);

}  // namespace vantorel::texts
