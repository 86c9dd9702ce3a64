#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vantorel {

// The bytes of a script file for the viewer's text: each line followed by CR LF, no byte-order
// mark. Lines may end with CR LF, LF or CR in the text; a line break at its very end opens no
// further line, and an empty text gives an empty file.
std::string ScriptFileBytes(std::string_view text);

// Writes the text (already in the Windows code page) to path as ScriptFileBytes, replacing the
// file only once the new one is complete. On failure returns the system's error text.
std::optional<std::string> WriteScriptFile(const std::filesystem::path& path,
                                           std::string_view text);

}  // namespace vantorel
