#pragma once

#include <string>
#include <string_view>

namespace vantorel {

// The texts --help shows, which are also the source of the manual pages (tools/manpage), so the
// two cannot tell different stories. The format the page maker reads: the first line is
// "Usage: ..."; a line at the left margin that ends in ':' after a blank line heads a section;
// other lines at the margin are running text; indented lines are shown as they stand.
struct ProgramHelp {
  std::string_view Name;     // the command, as typed
  std::string_view Summary;  // what it is, in a few words, for the NAME line of the page
  std::string Text;
};

// The window's help. The settings file of the run is added after it by the program itself.
ProgramHelp WindowHelp();

// "NAME VERSION", what --version prints.
std::string VersionText(std::string_view name);

}  // namespace vantorel
