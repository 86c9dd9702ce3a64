#pragma once

#include <string>
#include <string_view>

#include "app/program_help.h"

namespace vantorel {

// The manual page (section 1, man(7) macros) made from a program's --help text, read in the
// format program_help.h describes: "Usage:" gives SYNOPSIS, section heads become .SH, running
// text is filled, indented lines keep their layout.
std::string ManPage(const ProgramHelp& help, std::string_view version);

}  // namespace vantorel
