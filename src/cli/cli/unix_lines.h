#pragma once

#include <string>
#include <string_view>

namespace vantorel::cli {

// The tool writes plain "\n" line ends whatever the editor's texts use: CR LF and a lone CR
// become LF.
std::string UnixLines(std::string_view text);

}  // namespace vantorel::cli
