#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace vantorel {

// Binary files hold NUL bytes, and so does UTF-16 text without its byte-order mark.
inline constexpr const char* kNotAScriptText = "Not a collision script: the file holds NUL bytes!";

// The text of a collision script file, as the reader takes it: in the Windows code page, with
// no byte-order mark. A UTF-8 mark is skipped; text in UTF-16 with its mark (as Windows editors
// save "Unicode") is converted, characters beyond the code page becoming "?". A file that
// holds a NUL byte after that is no script: Refusal says so.
struct ScriptFileText {
  std::string Text;
  std::string Refusal;  // empty when Text holds the script

  bool Ok() const { return Refusal.empty(); }
};

ScriptFileText ScriptTextFromFile(std::span<const std::uint8_t> bytes);

}  // namespace vantorel
