#include "app/program_help.h"

#include "core/program_identity.h"

namespace vantorel {

ProgramHelp WindowHelp() {
  return {"vantorel", "editor for GTA III and Vice City collision files",
          R"help(Usage: vantorel [FILE.col] [DEBUG]

Vantorel, an editor for the collision files (.col) of GTA III and Vice City. It opens FILE.col,
shows its colls in a list and in a 3D view, and edits their spheres, boxes and faces.

Arguments:
  FILE.col   open this collision file at start (the first existing file named wins)
  DEBUG      start in debug mode (any case)
  --help     show this text
  --version  show the version

A .col file dropped on the window opens as File > Load opens it. File > Reopen offers the last
eight files opened.

Files:
  $XDG_CONFIG_HOME/Vantorel/Vantorel.ini
             the settings, read at start and written at close; ~/.config/Vantorel/ when
             XDG_CONFIG_HOME is unset or not an absolute path
  Vantorel.ini beside the program
             a portable copy: used instead when it is already there (on Windows the settings
             always live beside the program)

See also:
  vantorel-cli(1), which reads, checks and edits the same files from the command line.
)help"};
}

std::string VersionText(std::string_view name) {
  std::string text(name);
  text += ' ';
  // The caption reads "Vantorel 1.1 BETA"; the version is what follows the name.
  text += kVersionCaption.substr(kApplicationTitle.size() + 1);
  return text;
}

}  // namespace vantorel
